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
# The pointer over the button plays its hover sound; once that is written, the file is emptied
# so that what it holds after the click is the goodbye, played to its end before the game ends.
LAST_SIZE=-1
sound_written() {
    local size
    size=$(stat -c %s "$VEXLA_SOUND_FILE" 2>/dev/null || echo 0)
    if ((size > 0 && size == LAST_SIZE)); then return 0; fi
    LAST_SIZE=$size
    return 1
}
: >"$VEXLA_SOUND_FILE"
xdotool mousemove "${LEAVE_BUTTON[@]}"
wait_until "$DEADLINE" "the leave button's hover sound is captured" sound_written
: >"$VEXLA_SOUND_FILE"
click_control "${LEAVE_BUTTON[@]}"
wait_game_exit
check "the leave button ends the game with exit code 0" test "$GAME_EXIT" = 0
check "the goodbye sound played before the game ended" test -s "$VEXLA_SOUND_FILE"

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
