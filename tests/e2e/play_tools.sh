# A game played with the mouse: a box button shows and hides its box, and the shown box is
# the active window; a piece dragged into a box changes that box button's picture; the tools
# panel slides out; each hint joins a pair until the hints run out after a fifth of the pieces
# (truncated) and the hint tool goes dark; the solve tool puts the whole picture together in
# the middle of the board and stops the clock, and gives the hint tool back.
source "$(dirname "$0")/lib.sh"

game=$(fresh_game)
work=$VEXLA_E2E_WORK
pack=$(win_path "$VEXLA_DIST/vexla.rf")
for id in 193 300 310; do
    probe pack-bmp "$pack" $id "$(win_path "$work/$id.bmp")" >/dev/null || fail "no bitmap $id in the pack"
done
# The board (49 + 947 pixels wide) covers the first column of the box buttons at 1024 - 29.
convert "$work/300.bmp" -crop 27x56+1+0 +repage "$work/box_empty.png"
convert "$work/310.bmp" -crop 27x56+1+0 +repage "$work/box_full.png"
convert "$work/193.bmp" -crop 88x104+0+0 +repage "$work/hint_rest.png"
convert "$work/193.bmp" -crop 88x104+440+104 +repage "$work/hint_grey.png"  # frame 11
# The spent bulb: frames 4 to 11 of the 6 x 2 sheet.
spent_looks=" "
for frame in 4 5 6 7 8 9 10 11; do
    spent_looks+="$(region_sum "$work/193.bmp" "88x104+$((frame % 6 * 88))+$((frame / 6 * 104))") "
done

same_as() {  # same_as SHOT GEOMETRY PICTURE: the region of the shot is the picture, pixel for pixel
    convert "$1" -crop "$2" +repage "$work/region.png"
    test "$(compare -metric AE "$3" "$work/region.png" null: 2>&1)" = 0
}
BOX_BUTTON_0=27x56+996+192
HINT_TOOL=88x104+31+346
BOX_0_CAPTION=1x1+200+84
away() { xdotool mousemove 1010 700; sleep 0.4; }

start_game "$game"
probe wait CWNDBACK "Vexla Puzzle" 20000 >/dev/null || fail "the play screen did not appear"
close_magnifier  # the pieces and the solved picture need the whole board in sight
away
sleep 2
grab "$work/start.png"
check "box button 1 shows an empty box" same_as "$work/start.png" $BOX_BUTTON_0 "$work/box_empty.png"

# --- Boxes -------------------------------------------------------------------------------------
xdotool mousemove 1009 220 click 1
away
grab "$work/box_shown.png"
check "box button 1 shows box 1" test "$(region_sum "$work/box_shown.png" 280x280+70+98)" != "$(region_sum "$work/start.png" 280x280+70+98)"
xdotool mousemove 1010 740 click 1  # the play screen's black corner takes the activation
sleep 0.4
grab "$work/box_inactive.png"
active=$(pixel_of "$work/box_shown.png" 200 84)
inactive=$(pixel_of "$work/box_inactive.png" 200 84)
echo "caption of box 1 when shown: $active, after clicking the play screen: $inactive"
check "the box shown is the active window (its caption changes when it loses the activation)" test "$active" != "$inactive"
xdotool mousemove 1009 220 click 1
away
grab "$work/box_hidden.png"
check "a second click hides box 1 again" test "$(region_sum "$work/box_hidden.png" 280x280+70+98)" = "$(region_sum "$work/start.png" 280x280+70+98)"

read -r px py < <(piece_point "$work/start.png" 420) || fail "no piece found on the board"
echo "dragging the piece at ($px, $py) into box 1"
xdotool mousemove 1009 220 click 1
away
drag "$px" "$py" 210 238
away
screenshot play_box_open
check "box button 1 shows a box holding pieces" same_as "$VEXLA_SCREENSHOTS/play_box_open.png" $BOX_BUTTON_0 "$work/box_full.png"
xdotool mousemove 1009 220 click 1
away

# --- Tools panel -------------------------------------------------------------------------------
xdotool mousemove 8 300
sleep 0.6
screenshot play_tools_panel
check "touching the strip slides the tools panel out, hint tool at rest" same_as "$VEXLA_SCREENSHOTS/play_tools_panel.png" $HINT_TOOL "$work/hint_rest.png"

# Hints until the tool goes dark. The pointer stays on the tool, so the panel stays out.
grab "$work/before_hint.png"
hints=0
for ((i = 0; i < 300; i++)); do
    xdotool mousemove 75 398 click 1
    hints=$((hints + 1))
    sleep 0.3
    grab "$work/hint.png"
    if ((hints == 1)); then
        check "the first hint moves a piece on the board" \
            test "$(region_sum "$work/hint.png" 800x640+190+78)" != "$(region_sum "$work/before_hint.png" 800x640+190+78)"
    fi
    [[ $spent_looks == *" $(region_sum "$work/hint.png" $HINT_TOOL) "* ]] && break
done
echo "hints taken until the tool went dark: $hints"
sleep 1
grab "$work/hint.png"
check "the spent bulb's smoke ends on the grey last frame" same_as "$work/hint.png" $HINT_TOOL "$work/hint_grey.png"
region_before=$(region_sum "$work/hint.png" "$BOARD")
xdotool click 1
sleep 0.4
grab "$work/hint_after.png"
check "the dark hint tool does nothing" test "$(region_sum "$work/hint_after.png" "$BOARD")" = "$region_before"

# --- Solve -------------------------------------------------------------------------------------
check "the clock runs before the solve" test "$(timer_sum)" != "$(sleep 1.5; timer_sum)"
xdotool mousemove 66 264 click 1
sleep 1
away
sleep 0.5
screenshot play_solved
stopped=$(timer_sum)
sleep 2.2
check "the solve stops the clock" test "$(timer_sum)" = "$stopped"

# Which shipped picture is it? The cut fits it into the board less 15 pixels on each side with
# cells of at least 45 pixels; the solve centres the cells on the board.
best=
best_error=1
for picture in "$game"/Image/foto[0-5].bmp; do
    read -r w h < <(identify -format "%w %h" "$picture")
    read -r sw sh cols rows < <(awk -v w="$w" -v h="$h" 'BEGIN {
        s = (h * 917 / w <= 610) ? 917 / w : 610 / h
        W = int(w * s); H = int(h * s); c = int(w * s / 45); r = int(h * s / 45)
        if (c < 2) c = 2; if (r < 2) r = 2
        print W, H, c, r }')
    pw=$((sw / cols * cols))
    ph=$((sh / rows * rows))
    x0=$((49 + (947 - pw) / 2))
    y0=$((78 + (640 - ph) / 2))
    # Compared at a quarter of the size: fine detail differs with the exact sampling, a shift
    # of two pixels already doubles the error.
    convert "$picture" -sample "${sw}x${sh}!" -crop "${pw}x${ph}+0+0" +repage -scale 25% "$work/expected.png"
    convert "$VEXLA_SCREENSHOTS/play_solved.png" -crop "${pw}x${ph}+${x0}+${y0}" +repage -scale 25% "$work/shown.png"
    error=$(compare -metric RMSE "$work/expected.png" "$work/shown.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/')
    echo "$(basename "$picture"): ${cols} x ${rows} pieces at ($x0, $y0), ${pw} x ${ph}: error $error"
    if awk -v a="$error" -v b="$best_error" 'BEGIN { exit !(a < b) }'; then
        best=$picture best_error=$error best_pieces=$((cols * rows))
    fi
done
check "the solved board shows a shipped picture whole and centred ($(basename "$best"), error $best_error)" \
    awk -v a="$best_error" 'BEGIN { exit !(a < 0.04) }'
check "the hints ran out after a fifth of the $best_pieces pieces ($hints hints)" test "$hints" = $((best_pieces / 5))

xdotool mousemove 8 300
sleep 0.6
grab "$work/after_solve.png"
check "the solve gives the hint tool back" same_as "$work/after_solve.png" $HINT_TOOL "$work/hint_rest.png"

away
xdotool key alt+F4
wait_game_exit 10
check "the game ends with code 0 (got $GAME_EXIT)" test "$GAME_EXIT" = 0
