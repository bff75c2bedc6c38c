# Start-up as a player sees it: the game writes its folder into Vexla.INI, opens straight on
# the play screen (its logo exactly where it belongs, the screen around the controls black)
# and ends with code 0 when its window is closed.
source "$(dirname "$0")/lib.sh"

game=$(fresh_game)
remove_ini
start_game "$game"
echo "play screen window: $(ask wait "${PLAY_SCREEN[@]}" 0)"
# The pointer rests in the middle of the screen, away from every control.
xdotool mousemove 600 700

# The logo is frame 0 (the top half) of pack bitmap 409, pixel for pixel, at (1024 / 2 - 83, 23).
# (the running game holds its own pack exclusively, so read the original)
probe pack-bmp "$(win_path "$VEXLA_DIST/vexla.rf")" 409 "$(win_path "$VEXLA_E2E_WORK/409.bmp")" || fail "no bitmap 409 in the pack"
read -r w h < <(identify -format "%w %h" "$VEXLA_E2E_WORK/409.bmp")
fh=$((h / 2))
x0=$((1024 / 2 - 83))
y0=23
convert "$VEXLA_E2E_WORK/409.bmp" -crop "${w}x${fh}+0+0" +repage "$VEXLA_E2E_WORK/logo.png"
check_within "$DEADLINE" "the logo's first frame is shown at ($x0, $y0) unchanged" \
    shows "$(saved play_screen)" "${w}x${fh}+${x0}+${y0}" "$VEXLA_E2E_WORK/logo.png"
check "the screen beside the logo is black" test "$(pixel_of "$VEXLA_SCREENSHOTS/play_screen.png" $((x0 - 5)) 5)" = "0,0,0"
check "the screen below the close button is black" test "$(pixel_of "$VEXLA_SCREENSHOTS/play_screen.png" 1010 60)" = "0,0,0"

xdotool key alt+F4
wait_game_exit
check "closing the window ends the game with code 0 (got $GAME_EXIT)" test "$GAME_EXIT" = 0

# Read once the game has ended, so that a slow start-up on a busy machine cannot race the check.
ini=$(ini_file)
check "Vexla.INI holds the program folder" grep -qxF "App=$(win_path "$game")\\" <(tr -d '\r' <"$ini")
check "Vexla.INI has the section [Vexla]" grep -qx '\[Vexla\]' <(tr -d '\r' <"$ini")
