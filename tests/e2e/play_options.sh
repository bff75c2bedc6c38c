# The options bar and panel in a game played with the mouse: the pointer on the bottom edge
# slides the panel up with its four buttons and the panel goes once the pointer has left it;
# the back-to-menu button hides the play screen behind the main menu; the leave button ends
# the game with exit code 0.
source "$(dirname "$0")/lib.sh"

game=$(fresh_game)
work=$VEXLA_E2E_WORK

# On a 1024 x 768 screen the panel covers y 665 to 767 and its buttons (80 x 68) stand 27
# pixels down, 314 pixels apart; their control ids are 300 to 303.
MAIN_MENU_BUTTON=(668 726)
LEAVE_BUTTON=(982 726)
PANEL=1024x103+0+665
options_panel_up() { ask child "${PLAY_SCREEN[@]}" CWNDOPCIONES '*' >/dev/null; }
options_panel_down() { ! options_panel_up; }
leave_button_shown() { ask child "${PLAY_SCREEN[@]}" CQVANIM 303 >/dev/null; }
main_menu_up() { ask wait CWNDPRINC '*' 0 >/dev/null; }
play_screen_hidden() { ! ask wait "${PLAY_SCREEN[@]}" 0 >/dev/null; }
away() { xdotool mousemove 600 300; }

# --- The panel slides up and goes --------------------------------------------------------------
start_game "$game"
away
grab "$work/before.png"
below=$(region_sum "$work/before.png" $PANEL)
xdotool mousemove 300 766
check_within "$DEADLINE" "the pointer on the bottom edge slides the options panel up" options_panel_up
check_within "$DEADLINE" "the panel shows its buttons" leave_button_shown
check_within "$DEADLINE" "the panel is drawn over the bottom of the play screen" screen_region_is_not $PANEL "$below"
xdotool mousemove 300 700  # onto the panel: it stays
screenshot options_panel
check "the panel stays while the pointer is on it" options_panel_up
away
check_within "$DEADLINE" "the panel goes once the pointer has left it" options_panel_down

# --- Leave ---------------------------------------------------------------------------------------
xdotool mousemove 300 766
wait_until "$DEADLINE" "the panel slides up again" leave_button_shown
xdotool mousemove "${LEAVE_BUTTON[@]}"
click_control "${LEAVE_BUTTON[@]}"
wait_game_exit
check "the leave button ends the game with exit code 0" test "$GAME_EXIT" = 0

# --- Back to the main menu -----------------------------------------------------------------------
game=$(fresh_game)
start_game "$game"
xdotool mousemove 300 766
wait_until "$DEADLINE" "the panel slides up" leave_button_shown
xdotool mousemove "${MAIN_MENU_BUTTON[@]}"
click_control "${MAIN_MENU_BUTTON[@]}"
check_within "$DEADLINE" "the back-to-menu button shows the main menu" main_menu_up
check_within "$DEADLINE" "and hides the play screen" play_screen_hidden
screenshot options_back_to_menu
kill "$GAME_PID" 2>/dev/null
wait "$GAME_PID" 2>/dev/null
exit 0
