# Start-up as a player sees it: the game writes its folder into Vexla.INI, shows the main
# menu picture exactly, centred on black, and ends with code 0 when its window is closed.
source "$(dirname "$0")/lib.sh"

game=$(fresh_game)
ini="$(windows_dir)/Vexla.INI"
rm -f "$ini"
start_game "$game"

rect=$(probe wait CWNDPRINC "Vexxla Puzzle" 20000) || fail "the main menu window did not appear"
echo "main menu window: $rect"
sleep 1.5
screenshot main_menu

check "Vexla.INI holds the program folder" grep -qxF "App=$(win_path "$game")\\" <(tr -d '\r' <"$ini")
check "Vexla.INI has the section [Vexla]" grep -qx '\[Vexla\]' <(tr -d '\r' <"$ini")

# The picture on screen is pack bitmap 111, pixel for pixel, centred.
# (the running game holds its own pack exclusively, so read the original)
probe pack-bmp "$(win_path "$VEXLA_DIST/vexla.rf")" 111 "$(win_path "$VEXLA_E2E_WORK/111.bmp")" || fail "no bitmap 111 in the pack"
read -r w h < <(identify -format "%w %h" "$VEXLA_E2E_WORK/111.bmp")
x0=$(((1024 - w) / 2))
y0=$(((768 - h) / 2))
convert "$VEXLA_SCREENSHOTS/main_menu.png" -crop "${w}x${h}+${x0}+${y0}" +repage "$VEXLA_E2E_WORK/shown.png"
diff=$(compare -metric AE "$VEXLA_E2E_WORK/111.bmp" "$VEXLA_E2E_WORK/shown.png" null: 2>&1)
check "bitmap 111 is shown at ($x0, $y0) unchanged (differing pixels: $diff)" test "$diff" = 0
if ((x0 > 0)); then
    check "the screen beside the picture is black" test "$(pixel_of "$VEXLA_SCREENSHOTS/main_menu.png" $((x0 - 1)) 5)" = "0,0,0"
fi

xdotool mousemove 512 384 click 1
xdotool key alt+F4
wait_game_exit 10
check "closing the window ends the game with code 0 (got $GAME_EXIT)" test "$GAME_EXIT" = 0
