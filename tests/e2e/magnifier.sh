# The picture magnifier as a player sees it: the play screen opens with it shown over the
# board, captioned "Preview", at (256, 384) on a 1024 x 768 screen, showing the picture in play
# fitted into 240 x 180 pixel for pixel; after "New game" and the new-puzzle dialog's Accept it
# shows the new picture; its close button hides it and it stays hidden through the next new
# game.
source "$(dirname "$0")/lib.sh"
work=$VEXLA_E2E_WORK

game=$(fresh_game)
start_game "$game"
xdotool mousemove 1010 700
check_within "$DEADLINE" "the magnifier captioned \"Preview\" is shown" ask wait CWNDPREVLUPA Preview 0
read -r wx wy ww wh < <(ask wait CWNDPREVLUPA Preview 0)
check "the magnifier stands at (256, 384) (at ($wx, $wy))" test "$wx $wy" = "256 384"

# Which shipped picture does the magnifier show? Exactly one of them, resampled by the game's
# reader to the magnifier's size, matches it in every pixel.
SHOWN=
shows_one_shipped_picture() {
    local shot=$work/shown_screen.png x y w h picture diff expected
    grab "$shot"
    read -r x y w h < <(ask client "${MAGNIFIER[@]}" 0) || return 1
    convert "$shot" -crop "${w}x${h}+${x}+${y}" +repage "$work/shown.png"
    SHOWN=
    for picture in "$game"/Image/foto[0-5].bmp "$game"/Image/[0-4]/*.bmp; do
        expected=$work/expected_${w}x${h}_$(basename "$(dirname "$picture")")_$(basename "$picture")
        [[ -f $expected ]] ||
            probe scaled-bmp "$(win_path "$picture")" "$w" "$h" "$(win_path "$expected")" >/dev/null ||
            fail "cannot resample $picture"
        diff=$(compare -metric AE "$expected" "$work/shown.png" null: 2>&1)
        [[ $diff == 0 ]] && SHOWN+="${picture#"$game"/Image/} "
    done
    [[ $(wc -w <<<"$SHOWN") == 1 ]]
}

check_within "$DEADLINE" "the magnifier shows one shipped picture exactly" shows_one_shipped_picture
echo "   (it shows $SHOWN)"
screenshot magnifier

for game_number in 1 2; do
    deal_new_game
    xdotool mousemove 1010 700
    check_within "$DEADLINE" "after new game $game_number the magnifier shows the picture in play exactly" \
        shows_one_shipped_picture
done

close_magnifier
echo "ok: the close button hides the magnifier"
deal_new_game
check "the play screen is still there" play_screen_up
check "a new game leaves the closed magnifier closed" magnifier_hidden

xdotool key alt+F4
wait_game_exit
check "the game ends with code 0 (got $GAME_EXIT)" test "$GAME_EXIT" = 0
