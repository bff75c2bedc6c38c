# The game clock as a player sees it on the timer window: it waits for the first piece picked
# up, then counts; minimising the play screen pauses it and restoring the window resumes it;
# a new game shows 00:00:00 again; the close button ends the game with code 0.
source "$(dirname "$0")/lib.sh"

game=$(fresh_game)
start_game "$game"
probe wait CWNDBACK "Vexla Puzzle" 20000 >/dev/null || fail "the play screen did not appear"
close_magnifier  # the pieces need the whole board in sight
xdotool mousemove 1010 700
sleep 2.5

grab "$VEXLA_E2E_WORK/start.png"
start=$(region_sum "$VEXLA_E2E_WORK/start.png" "$TIMER_DIGITS")
sleep 2.5
check "the clock stands still until a piece is picked up" test "$(timer_sum)" = "$start"

read -r px py < <(piece_point "$VEXLA_E2E_WORK/start.png") || fail "no piece found on the board"
echo "picking up the piece at ($px, $py)"
xdotool mousemove "$px" "$py" mousedown 1
sleep 0.2
xdotool mouseup 1
xdotool mousemove 1010 700

# The clock shows 00:00:SS during this test. The right-most pixels of its text box hold the
# units digit of the seconds (and, beside a narrow 1, a sliver of the tens), so their look
# tells the seconds modulo 10. Learn that look
# for every digit while the clock counts from the pick-up.
units_of() { region_sum "$1" "$UNITS"; }
UNITS=9x21+797+32
declare -A digit_of
faces=0
last=$(units_of "$VEXLA_E2E_WORK/start.png")
digit_of[$last]=0
deadline=$((SECONDS + 13))
while ((SECONDS < deadline)); do
    grab "$VEXLA_E2E_WORK/now.png"
    sum=$(units_of "$VEXLA_E2E_WORK/now.png")
    if [[ $sum != "$last" ]]; then
        faces=$((faces + 1))
        last=$sum
        if [[ -n ${digit_of[$sum]:-} && ${digit_of[$sum]} != $((faces % 10)) ]]; then
            fail "the units digit $((faces % 10)) looks like ${digit_of[$sum]}: the clock skipped or the digits cannot be told apart"
        fi
        digit_of[$sum]=$((faces % 10))
    fi
done
echo "seconds counted while watching: $faces"
check "the clock counts once a piece was picked up, one second at a time ($faces in 13 s)" test "$faces" -ge 10 -a "$faces" -le 14
learnt=$(printf '%s\n' "${digit_of[@]}" | sort -u | wc -l)
check "every units digit has a look of its own (${#digit_of[@]} looks, $learnt digits)" test "$learnt" = 10

before=$((faces % 10))
xdotool mousemove 976 12 click 1  # the minimise button
sleep 1.5
screenshot play_minimised
check "the minimise button takes the play screen off the screen" \
    test "$(pixel_of "$VEXLA_SCREENSHOTS/play_minimised.png" 500 400)" != "$(pixel_of "$VEXLA_E2E_WORK/start.png" 500 400)"
sleep 4
# Wine's desktop keeps the minimised window as a small bar in its bottom-left corner: a click
# activates it (which resumes play) and Enter restores it.
xdotool mousemove 60 756 click 1
sleep 0.3
xdotool key Return
sleep 0.5
xdotool mousemove 1010 700
grab "$VEXLA_E2E_WORK/restored.png"
restored=${digit_of[$(units_of "$VEXLA_E2E_WORK/restored.png")]:-unknown}
echo "units digit before minimising: $before, after restoring: $restored"
check "the play screen is back" probe wait CWNDBACK "Vexla Puzzle" 2000 >/dev/null
# The clock runs legitimately between the last reading and the minimise, and again from the
# activating click to the grab; a clock that ran while minimised would be 5 or more ahead.
check "the clock did not count while minimised (units $before, then $restored after 5.5 s)" \
    test "$restored" = "$before" -o "$restored" = $(((before + 1) % 10)) -o "$restored" = $(((before + 2) % 10))
sleep 2.5
grab "$VEXLA_E2E_WORK/later.png"
later=${digit_of[$(units_of "$VEXLA_E2E_WORK/later.png")]:-unknown}
check "the clock counts again after restoring (units $restored, then $later)" test "$later" != "$restored"
screenshot play_restored
check "the restored screen shows the board again" \
    test "$(pixel_of "$VEXLA_SCREENSHOTS/play_restored.png" 500 100)" = "$(pixel_of "$VEXLA_E2E_WORK/start.png" 500 100)"

# Until the new-puzzle dialog exists, the new-game button deals a new game on a random
# shipped picture: the clock is back at 00:00:00 and waits for the next pick-up.
xdotool mousemove 99 45 click 1
xdotool mousemove 1010 700
sleep 2.5
check "a new game shows 00:00:00" test "$(timer_sum)" = "$start"
sleep 1.5
check "and its clock waits for the first pick-up" test "$(timer_sum)" = "$start"
screenshot play_new_game
check "the new game has pieces on the board" test -n "$(piece_point "$VEXLA_SCREENSHOTS/play_new_game.png")"

xdotool mousemove 1004 12 click 1  # the close button
wait_game_exit 10
check "the close button ends the game with code 0 (got $GAME_EXIT)" test "$GAME_EXIT" = 0
