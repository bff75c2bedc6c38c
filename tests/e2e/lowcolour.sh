# runner-env: VEXLA_DEPTH=8
# An 8-bit display: the game shows only the English low-colour message, even with another
# language stored in the INI file, and its OK button ends the game with code 0.
source "$(dirname "$0")/lib.sh"

check "Wine sees an 8-bit screen" test "$(probe depth)" = 8

game=$(fresh_game)
remove_ini
printf '[Vexla]\r\nIdioma=0\r\n' >"$(windows_dir)/Vexla.INI"
launch_game "$game"

probe wait "#32770" "Vexla Puzzle" $((2 * DEADLINE * 1000)) >/dev/null || fail "the low-colour dialog did not appear"
text=$(probe text "#32770" "Vexla Puzzle" 1000)
check "the message is the English one" grep -qF \
    "The configuration of the colors of your monitor is 8 bits or less. You need a minimum of the 16 bits to run Vexla Puzzle." <<<"$text"
check "no main menu behind it" test -z "$(probe wait CWNDPRINC '*' 300)"
check "the INI file was not written" grep -qx 'Idioma=0' <(tr -d '\r' <"$(ini_file)")
check "nor its App key" test -z "$(grep '^App=' "$(ini_file)")"
screenshot low_colour

read -r bx by bw bh < <(probe control "#32770" "Vexla Puzzle" 1)
xdotool mousemove $((bx + bw / 2)) $((by + bh / 2)) click 1
wait_game_exit
check "OK ends the game with code 0 (got $GAME_EXIT)" test "$GAME_EXIT" = 0
