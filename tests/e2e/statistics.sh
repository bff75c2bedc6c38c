# The statistics window with the real game: the tools panel's statistics tool opens it over the
# play screen with red figures on its sheet; the clock stands still while it is open and goes
# on once Enter has closed it; after hints have joined pieces the figures are others.
source "$(dirname "$0")/lib.sh"
work=$VEXLA_E2E_WORK

game=$(fresh_game)
learn_clock_faces 180
start_game "$game"
close_magnifier  # the pieces need the whole board in sight

FIGURES_HEIGHT=148  # the sheet from the figures' top (59) down to the OK button (207)
stats_up() { ask wait CWNDESTAD '*' 0 >/dev/null; }
stats_gone() { ! stats_up; }
away() { xdotool mousemove 1010 700; }
# The tools panel's tools, 88 x 104 each, on a 1024 x 768 screen: the statistics tool at the
# panel's (27, 0), the hint tool at (31, 268); the panel stands at (0, 78).
STATISTICS_TOOL=(71 130)
HINT_TOOL=(75 398)
# red_figures SHOT: grabs the screen into SHOT and tells whether the figures' area shows red.
red_figures() {
    grab "$work/$1.png"
    local red
    red=$(convert "$work/$1.png" -crop "$FIGURES" +repage -fx "r > 0.9 && g < 0.1 && b < 0.1" \
        -format "%[fx:int(10000*mean)]" info:)
    ((red > 10))
}
# open_statistics SHOT: opens the window from its tool and saves a picture of its figures.
FIGURES=
open_statistics() {
    local x y w h
    xdotool mousemove 8 300
    wait_until "$DEADLINE" "the tools panel slides out" tools_panel_out
    click_control "${STATISTICS_TOOL[@]}"
    wait_until "$DEADLINE" "the statistics tool opens the statistics window" stats_up
    read -r x y w h < <(ask wait CWNDESTAD '*' 0)
    # The dialog frame is as wide on both sides: the client area starts half the difference in.
    FIGURES="320x$FIGURES_HEIGHT+$((x + (w - 500) / 2 + 151))+$((y + (h - 272) / 2 + 59))"
    wait_until "$DEADLINE" "the statistics window shows red figures" red_figures "$1"
}

# The clock starts with the first piece picked up.
grab "$work/start.png"
read -r px py < <(piece_point "$work/start.png" 420) || fail "no piece found on the board"
drag "$px" "$py" $((px + 30)) $((py + 20))
check_within "$DEADLINE" "the clock runs after the first pick-up" clock_reads_more_than 0

open_statistics first
screenshot dialog_statistics
figures_before=$(region_sum "$work/first.png" "$FIGURES")
read_clock
opened_at=$CLOCK
sleep 3.2  # a span in which a running clock would move three times
check "the clock stands still while the statistics window is open" clock_reads "$opened_at"
xdotool key Return
check_within "$DEADLINE" "Enter closes the statistics window" stats_gone
away
check_within "$DEADLINE" "the clock goes on once the window has gone" clock_reads_more_than "$opened_at"

# Four hints join four pairs: with more than 100 pieces that is at least 1% and a score.
xdotool mousemove 8 300
wait_until "$DEADLINE" "the tools panel slides out" tools_panel_out
for hint in 1 2 3 4; do click_control "${HINT_TOOL[@]}"; done
away
wait_until "$DEADLINE" "the tools panel slides back in" tools_panel_in
open_statistics second
check "after four hints the statistics show other figures" \
    test "$(region_sum "$work/second.png" "$FIGURES")" != "$figures_before"
xdotool key Return
check_within "$DEADLINE" "Enter closes the statistics window again" stats_gone

away
xdotool key alt+F4
wait_game_exit
check "the game ends with code 0 (got $GAME_EXIT)" test "$GAME_EXIT" = 0
