# The game without its introductory clip and with its sounds off: the main menu appears at
# once and in English whatever the last run chose; with the sound switch off, entering the play
# screen, a box button's hover, "New game" and a hint's join play nothing, and the game ends
# with code 0. A key held during the clip ends it when released; the exit animation's goodbye
# is heard even with the sounds off; the close button ends the game with code 0 too.
source "$(dirname "$0")/lib.sh"

work=$VEXLA_E2E_WORK
game=$(fresh_game)
menu_pictures
away() { xdotool mousemove 1015 760; }

# --- No clip, sounds off, into the game ---------------------------------------------------------
rm -f "$game/Video/Present.avi"
launch_game "$game"
check_within "$DEADLINE" "without the clip the main menu appears at once" main_menu_up
check "and no clip window was made" video_gone
away
check_within "$DEADLINE" "a new start shows the English play button" play_button_shows "$work/play_english.png"
click_on_menu $SOUND_SWITCH_CENTRE
check_within "$DEADLINE" "the sound switch goes off" switch_off
hush
enter_play_screen
xdotool mousemove $BOX_BUTTON_0_CENTRE
away
open_new_puzzle
check "with the switch off, entering, hovering a box button and \"New game\" play nothing" stays_silent
# The dialog's Accept speaks whatever the switch says; its voice ends before the hint.
accept_new_puzzle
hush
take_hint
check "nor does a hint's join" stays_silent
away
xdotool key alt+F4
wait_game_exit
check "the game with its sounds off ends with code 0 (got $GAME_EXIT)" test "$GAME_EXIT" = 0

# --- A key ends the clip, the exit animation ends the game --------------------------------------
cp "$VEXLA_DIST/Video/Present.avi" "$game/Video/"
launch_game "$game"
wait_until $((2 * DEADLINE)) "the introductory clip starts" video_up
xdotool keydown space
ask sync "${VIDEO_WINDOW[@]}" 5000 >/dev/null || fail "the clip's window does not come back to its loop"
check "a key held down leaves the clip playing" video_up
xdotool keyup space
check_within "$DEADLINE" "its release ends the clip and opens the main menu" main_menu_up
rm -f "$game/Video/Present.avi"
wait_until "$DEADLINE" "the menu is drawn" menu_drawn
click_on_menu $SOUND_SWITCH_CENTRE
wait_until "$DEADLINE" "the sound switch goes off" switch_off
# The switch's own click must be over before the device is watched for the goodbye.
hush
click_on_menu $EXIT_CENTRE
wait_game_exit
check "the exit animation, with the sounds off, ends the game with code 0 (got $GAME_EXIT)" test "$GAME_EXIT" = 0
check "its goodbye was played all the same" sound_written

launch_game "$game"
wait_until "$DEADLINE" "the main menu appears" main_menu_up
wait_until "$DEADLINE" "the menu is drawn" menu_drawn
click_on_menu $CLOSE_CENTRE
wait_game_exit
check "the close button ends the game with code 0 (got $GAME_EXIT)" test "$GAME_EXIT" = 0
