# The game clock as a player sees it on the timer window: it waits for the first piece picked
# up, then counts whole seconds, never ahead of the wall clock; minimising the play screen
# pauses it and restoring the window resumes it; a new game shows 00:00:00 again; the close
# button ends the game with code 0. The clock is read off the screen against the faces the
# game's own timer window draws, and the script times itself, so a machine that keeps the game
# or the script waiting can neither fake nor spoil a reading.
source "$(dirname "$0")/lib.sh"
work=$VEXLA_E2E_WORK

game=$(fresh_game)
learn_clock_faces 180
check "every time from 00:00:00 to 00:02:59 has a face of its own (${#FACE_SECONDS[@]} faces)" \
    test "${#FACE_SECONDS[@]}" = 180

start_game "$game"
close_magnifier  # the pieces need the whole board in sight
xdotool mousemove 1010 700
check_within "$DEADLINE" "the clock shows 00:00:00 on the timer window" clock_reads 0
grab "$work/start.png"
still_from=$CLOCK_FROM
sleep 2.5  # a span of time in which the clock must not move
read_clock
check "the clock stands still until a piece is picked up (00:00:00 for $((CLOCK_FROM - still_from)) ms)" \
    test "$CLOCK" = 0

read -r px py < <(piece_point "$work/start.png") || fail "no piece found on the board"
echo "picking up the piece at ($px, $py)"
picked_from=$(now_ms)  # the clock starts on the press, so not before this
xdotool mousemove "$px" "$py" mousedown 1
wait_until "$DEADLINE" "the press on the piece reaches the board" has_capture
xdotool mouseup 1
wait_until "$DEADLINE" "the board handles the release" has_no_capture
xdotool mousemove 1010 700

# Watch the clock for 13 s. Every reading is a face of the game's; the clock never goes back;
# it never runs ahead of the wall clock since the press; and it moves one second at a time:
# between two readings it gains no more than the seconds between them, give or take the tick
# that may fall on either side and a digit painted just after its tick.
read_clock
first=$CLOCK first_to=$CLOCK_TO
previous=$CLOCK previous_from=$CLOCK_FROM
readings=1
while (($(now_ms) - first_to < 13000)); do
    read_clock
    readings=$((readings + 1))
    [[ $CLOCK != unknown ]] || fail "the timer window shows no time of 00:00:00 to 00:02:59"
    ((CLOCK >= previous)) || fail "the clock went back from $previous to $CLOCK"
    since_press=$((CLOCK_TO - picked_from))
    ((CLOCK <= since_press / 1000 + 1)) || fail "the clock shows $CLOCK s $since_press ms after the press"
    step_ms=$((CLOCK_TO - previous_from))
    ((CLOCK - previous <= step_ms / 1000 + 2)) ||
        fail "the clock jumped from $previous to $CLOCK in $step_ms ms: not one second at a time"
    previous=$CLOCK previous_from=$CLOCK_FROM
done
counted=$((CLOCK - first))
watched=$((CLOCK_FROM - first_to))
echo "the clock counted $counted s in $watched ms of watching ($readings readings), $CLOCK s since the press"
# A timer that the machine keeps waiting loses ticks, so the count may fall short of the wall
# clock; it may not stop.
check "the clock counts once a piece was picked up ($counted s in $watched ms, at least half)" \
    test "$counted" -ge $((watched / 2000)) -a "$counted" -ge 1

# --- Minimised and restored -------------------------------------------------------------------
board_pixel=$(pixel_of "$work/start.png" 500 100)
minimised() {
    grab "$(saved play_minimised)"
    [[ $(pixel_of "$(saved play_minimised)" 500 400) != $(pixel_of "$work/start.png" 500 400) ]]
}
board_back() {
    grab "$(saved play_restored)"
    [[ $(pixel_of "$(saved play_restored)" 500 100) == "$board_pixel" ]]
}
read_clock
before=$CLOCK running_from=$CLOCK_FROM
click_control 976 12  # the minimise button
check_within "$DEADLINE" "the minimise button takes the play screen off the screen" minimised
minimised_at=$(now_ms)
# The clock may run from the reading until the minimise; the screen then stays minimised for
# five seconds more than that, so that a clock running while minimised cannot hide in the
# seconds it may legitimately count.
sleep $((5 + (minimised_at - running_from + 999) / 1000))
# Wine's desktop keeps the minimised window as a small bar in its bottom-left corner: a click
# activates it (which resumes play) and Enter restores it.
restoring_from=$(now_ms)
xdotool mousemove 60 756 click 1
wait_until "$DEADLINE" "a click on its bar activates the minimised play screen" play_screen_foreground
xdotool key Return
xdotool mousemove 1010 700
check_within "$DEADLINE" "the play screen is back, showing the board again" board_back
read_clock
restored=$CLOCK
may_count=$(((minimised_at - running_from) / 1000 + (CLOCK_TO - restoring_from) / 1000 + 2))
echo "clock before minimising: $before s; after restoring: $restored s; minimised for" \
    "$((restoring_from - minimised_at)) ms; it may count $may_count s around that"
check "the clock did not count while minimised ($before s, then $restored s)" \
    test "$restored" != unknown -a "$restored" -ge "$before" -a "$restored" -le $((before + may_count))
check_within "$DEADLINE" "the clock counts again after restoring (from $restored s)" clock_reads_more_than "$restored"

# --- A new game -------------------------------------------------------------------------------
# The new-game button opens the new-puzzle dialog, whose Accept deals the picture it proposes:
# the clock is back at 00:00:00 and waits for the next pick-up.
old_board=$(region_sum "$(saved play_restored)" "$BOARD")
new_board_dealt() {
    grab "$(saved play_new_game)"
    [[ $(region_sum "$(saved play_new_game)" "$BOARD") != "$old_board" ]] &&
        [[ -n $(piece_point "$(saved play_new_game)") ]]
}
deal_new_game
check_within "$DEADLINE" "a new game shows 00:00:00" clock_reads 0
still_from=$CLOCK_FROM
xdotool mousemove 1010 700
check_within "$DEADLINE" "the new game has pieces on the board" new_board_dealt
sleep 1.5  # a span of time in which the clock must not move
read_clock
check "and its clock waits for the first pick-up (00:00:00 for $((CLOCK_FROM - still_from)) ms)" test "$CLOCK" = 0

click_control 1004 12  # the close button
wait_game_exit
check "the close button ends the game with code 0 (got $GAME_EXIT)" test "$GAME_EXIT" = 0
