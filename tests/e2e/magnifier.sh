# The picture magnifier as a player sees it: the play screen opens with it shown beside the
# board, untitled but for "Preview", at (256, 384) on a 1024 x 768 screen, showing the picture
# in play fitted into 240 x 180 pixel for pixel; after "New game" it shows the new picture;
# its close button hides it.
source "$(dirname "$0")/lib.sh"

game=$(fresh_game)
start_game "$game"
probe wait CWNDBACK "Vexla Puzzle" 20000 >/dev/null || fail "the play screen did not appear"
xdotool mousemove 1010 700
read -r wx wy ww wh < <(probe wait CWNDPREVLUPA Preview 10000) || fail "the magnifier did not appear"
check "the magnifier stands at (256, 384) (at ($wx, $wy))" test "$wx $wy" = "256 384"
sleep 1.5
screenshot magnifier

# Which shipped picture is in play? Exactly one of them, resampled by the game's reader to the
# magnifier's size, matches what the magnifier shows in every pixel.
matching_picture() {
    local shot=$1 x y w h picture matches=()
    read -r x y w h < <(probe client CWNDPREVLUPA "*" 2000) || fail "the magnifier is not shown"
    convert "$shot" -crop "${w}x${h}+${x}+${y}" +repage "$VEXLA_E2E_WORK/shown.png"
    for picture in "$game"/Image/foto[0-5].bmp; do
        probe scaled-bmp "$(win_path "$picture")" "$w" "$h" "$(win_path "$VEXLA_E2E_WORK/expected.bmp")" ||
            fail "cannot resample $picture"
        diff=$(compare -metric AE "$VEXLA_E2E_WORK/expected.bmp" "$VEXLA_E2E_WORK/shown.png" null: 2>&1)
        echo "$(basename "$picture") at ${w} x ${h}: $diff pixels differ" >&2
        [[ $diff == 0 ]] && matches+=("$(basename "$picture")")
    done
    echo "${matches[*]}"
}

shown=$(matching_picture "$VEXLA_SCREENSHOTS/magnifier.png")
check "the magnifier shows one shipped picture exactly (${shown:-none})" test "$(wc -w <<<"$shown")" = 1

for game_number in 1 2; do
    xdotool mousemove 99 45 click 1  # "New game"
    xdotool mousemove 1010 700
    sleep 2.5
    probe wait CWNDPREVLUPA Preview 5000 >/dev/null || fail "the magnifier did not come back after a new game"
    grab "$VEXLA_E2E_WORK/new_game.png"
    shown=$(matching_picture "$VEXLA_E2E_WORK/new_game.png")
    check "after new game $game_number it shows the picture in play exactly (${shown:-none})" \
        test "$(wc -w <<<"$shown")" = 1
done

close_magnifier
echo "ok: the close button hides the magnifier"
check "the play screen is still there" probe wait CWNDBACK "Vexla Puzzle" 1000 >/dev/null

xdotool key alt+F4
wait_game_exit 10
check "the game ends with code 0 (got $GAME_EXIT)" test "$GAME_EXIT" = 0
