# runner-screens: 1280x1024 1920x1080
# A game played on a screen larger than 1024 x 768: the main menu stands in the middle; the
# play screen is laid out from the screen's size (the board, the box buttons, the tool strip
# and the clock where the layout puts them); the largest puzzle is dealt through the
# new-puzzle dialog, a piece dragged with the mouse moves, a hint joins a pair, and the solve
# tool fills the board with the picture's middle; dealt again at the scale that fits the
# board, solving shows the whole picture. Screenshots carry the screen's size in their names.
source "$(dirname "$0")/lib.sh"

game=$(fresh_game)
work=$VEXLA_E2E_WORK
size=${SCREEN_W}x${SCREEN_H}
pack=$(win_path "$VEXLA_DIST/vexla.rf")
for id in 194 300 301 302 303 304 305; do
    probe pack-bmp "$pack" $id "$(win_path "$work/$id.bmp")" >/dev/null || fail "no bitmap $id in the pack"
done
# The box buttons' empty boxes (the board covers the first column of each button), and the
# tool strip: the rightmost 17 columns of the tools' tile, in bands of 190 rows.
for box in 0 1 2 3 4 5; do
    convert "$work/30$box.bmp" -crop 27x56+1+0 +repage "$work/box_empty_$box.png"
done
STRIP_H=$((SCREEN_H - 96))
convert "$work/194.bmp" -crop 17x190+119+0 +repage "$work/rail.png"
convert -size "17x$STRIP_H" tile:"$work/rail.png" "$work/strip.png"
away() { xdotool mousemove $AWAY_POINT; }

launch_game "$game"
pass_intro
echo "playing on a $size screen"
menu_pictures
check_within "$DEADLINE" "the main menu stands in the middle of the screen" menu_drawn
screenshot "menu_$size"
enter_play_screen

# --- The layout ---------------------------------------------------------------------------------
read -r mx my _ < <(ask wait "${MAGNIFIER[@]}" 0) || fail "the magnifier is not shown"
check "the magnifier stands at a quarter of the width, half the height (at ($mx, $my))" \
    test "$mx $my" = "$((SCREEN_W / 4)) $((SCREEN_H / 2))"
close_magnifier  # the pieces need the whole board in sight
away
rect_is() {  # rect_is CLASS ID "x y w h": the play screen's child stands there
    local rect
    rect=$(ask child "${PLAY_SCREEN[@]}" "$1" "$2") || return 1
    echo "$1 at $rect"
    [[ $rect == "$3" ]]
}
check "the board is at ($BOARD_X, $BOARD_Y), $BOARD_W x $BOARD_H" \
    rect_is CWNDPUZZLE 106 "$BOARD_X $BOARD_Y $BOARD_W $BOARD_H"
check "the tool strip runs down the left edge from y $TOOLS_TOP, $STRIP_H high" \
    rect_is CWNDBARRAHER '*' "0 $TOOLS_TOP 17 $STRIP_H"
check "the timer window is at ($TIMER_X, $TIMER_Y)" rect_is CWNDVENTANATIMER '*' "$TIMER_X $TIMER_Y 126 39"
check_within "$DEADLINE" "the board shows the felt and the dealt pieces, the clock its red digits" play_screen_drawn
box_buttons_shown() {
    local box
    grab "$(saved "play_$size")"
    for box in 0 1 2 3 4 5; do
        same_as "$(saved "play_$size")" "27x56+$(($(box_button_x) + 1))+$(box_button_y $box)" \
            "$work/box_empty_$box.png" || return 1
    done
}
check_within "$DEADLINE" "the six box buttons stand on the right edge, each showing its empty box" box_buttons_shown
check "the tool strip shows the rail of the tools' tile" \
    same_as "$(saved "play_$size")" "17x$STRIP_H+0+$TOOLS_TOP" "$work/strip.png"

# --- The largest puzzle ---------------------------------------------------------------------------
# New game opens the new-puzzle dialog on the first picture of the first category. Its size
# scroller at 100 % shows the picture at twice the scale that fits it on the board, the fit
# button at that scale; every change of size sets the finest grid (cells of at least 45
# pixels), which is the piece count's finest end.
deal_through_dialog() {  # deal_through_dialog largest|fit
    local count max accepted_at
    click_control $NEW_GAME_CENTRE
    check_within "$DEADLINE" "New game opens the new-puzzle dialog" new_puzzle_up
    click_in_dialog CQVCHECK $SIZE_TAB
    if [[ $1 == largest ]]; then
        raise_scroller_to $SIZE_SCROLLER 100
        echo "ok: the size scroller reads 100 %"
    else
        click_in_dialog CQVANIM $FIT_BUTTON
    fi
    click_in_dialog CQVCHECK $PIECES_TAB
    count=$(scroller_value $COUNT_SCROLLER) max=$(scroller_max $COUNT_SCROLLER)
    check "the piece count is at its finest end ($count of $max)" test "$count" = "$max"
    screenshot "new_puzzle_${1}_$size"
    accepted_at=$(now_ms)
    click_in_dialog CQVCOMMAND $ACCEPT_BUTTON
    check_within "$DEADLINE" "accepting closes the dialog" new_puzzle_gone
    check_within $((2 * DEADLINE)) "the board shows the new deal" play_screen_drawn
    # A figure to read, not a limit: the cut, the deal and this script's own polling.
    echo "the $1 deal showed on the board $(($(now_ms) - accepted_at)) ms after the accept click"
    if magnifier_shown; then close_magnifier; fi
    away
}
solve() {
    xdotool mousemove $TOOL_STRIP_POINT
    wait_until "$DEADLINE" "the tools panel slides out" tools_panel_out
    click_control $SOLVE_TOOL_CENTRE
    away
    wait_until "$DEADLINE" "the tools panel slides back in once the pointer left it" tools_panel_in
}
deal_through_dialog largest
expect_solved_pictures $BOARD_W $BOARD_H 2 "$game"/Image/0/*.bmp

# --- A drag -------------------------------------------------------------------------------------
grab "$work/before_drag.png"
read -r px py < <(piece_point "$work/before_drag.png" 200) || fail "no piece found on the board"
tx=$((BOARD_X + BOARD_W / 2)) ty=$((BOARD_Y + 80))
board_point_covered() {  # board_point_covered SHOT X Y: a piece covers the screen point
    board_differences "$1"
    [[ $(pixel_of "$VEXLA_E2E_WORK/pieces.png" $(($2 - BOARD_X)) $(($3 - BOARD_Y))) == 255,255,255 ]]
}
check "the board's top is bare felt at ($tx, $ty) before the drag" eval '! board_point_covered "$work/before_drag.png" $tx $ty'
echo "dragging the piece at ($px, $py) to ($tx, $ty)"
drag "$px" "$py" "$tx" "$ty"
away
check_within "$DEADLINE" "the dragged piece lies at ($tx, $ty)" eval 'grab "$(saved "play_dragged_$size")" && board_point_covered "$(saved "play_dragged_$size")" $tx $ty'

# --- A hint ---------------------------------------------------------------------------------------
BOARD_BESIDE_PANEL=$((BOARD_X + BOARD_W - 138))x${BOARD_H}+137+${BOARD_Y}
grab "$work/before_hint.png"
before_hint=$(region_sum "$work/before_hint.png" $BOARD_BESIDE_PANEL)
take_hint
check_within "$DEADLINE" "the hint joins a pair: a piece moves on the board" \
    screen_region_is_not $BOARD_BESIDE_PANEL "$before_hint"
screenshot "play_hint_$size"

# --- The solves -----------------------------------------------------------------------------------
# The largest puzzle is twice as large as the board: solved, it fills the board with the
# middle of the picture. At the fitting scale the solved picture is whole on the board.
solve
check_within $((2 * DEADLINE)) "the solved largest puzzle fills the board with the middle of its picture" \
    solved_picture_shown "$(saved "play_solved_largest_$size")"
echo "it is $best: $best_grid, $best_pieces pieces, error $best_error"

deal_through_dialog fit
expect_solved_pictures $BOARD_W $BOARD_H 1 "$game"/Image/0/*.bmp
solve
check_within $((2 * DEADLINE)) "the solved puzzle at the fitting scale shows its picture whole and centred" \
    solved_picture_shown "$(saved "play_solved_$size")"
echo "it is $best: $best_grid, $best_pieces pieces, error $best_error"

xdotool key alt+F4
wait_game_exit
check "the game ends with code 0 (got $GAME_EXIT)" test "$GAME_EXIT" = 0
