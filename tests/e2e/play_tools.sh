# A game played with the mouse: a box button shows and hides its box, and the shown box is
# the active window; a piece dragged into a box changes that box button's picture; the tools
# panel slides out; each hint joins a pair until the hints run out after a fifth of the pieces
# (truncated) and the hint tool goes dark; the solve tool puts the whole picture together in
# the middle of the board and stops the clock, and gives the hint tool back.
source "$(dirname "$0")/lib.sh"

game=$(fresh_game)
work=$VEXLA_E2E_WORK
pack=$(win_path "$VEXLA_DIST/vexla.rf")
for id in 193 300 310; do
    probe pack-bmp "$pack" $id "$(win_path "$work/$id.bmp")" >/dev/null || fail "no bitmap $id in the pack"
done
# The board (49 + ScreenWidth - 77 pixels wide) covers the first column of the box buttons at
# ScreenWidth - 29.
convert "$work/300.bmp" -crop 27x56+1+0 +repage "$work/box_empty.png"
convert "$work/310.bmp" -crop 27x56+1+0 +repage "$work/box_full.png"
convert "$work/193.bmp" -crop 88x104+0+0 +repage "$work/hint_rest.png"
convert "$work/193.bmp" -crop 88x104+440+104 +repage "$work/hint_grey.png"  # frame 11
# The spent bulb: frames 4 to 11 of the 6 x 2 sheet.
spent_looks=" "
for frame in 4 5 6 7 8 9 10 11; do
    spent_looks+="$(region_sum "$work/193.bmp" "88x104+$((frame % 6 * 88))+$((frame / 6 * 104))") "
done

BOX_BUTTON_0=27x56+$(($(box_button_x) + 1))+$(box_button_y 0)
BOX_0_AREA=280x280+70+98
# The board right of the tools panel (x 0 to 136) and left of the box buttons.
BOARD_BESIDE_PANEL=$((BOARD_X + BOARD_W - 138))x${BOARD_H}+137+${BOARD_Y}
HINT_TOOL_ID=202  # the tools panel's first tool id, 200, plus the hint tool's place, 2
CM_GETENABLED=1324
away() { xdotool mousemove $AWAY_POINT; }

start_game "$game"
close_magnifier  # the pieces need the whole board in sight
away
check_within "$DEADLINE" "box button 1 shows an empty box" shows "$work/start.png" $BOX_BUTTON_0 "$work/box_empty.png"
start_box_area=$(region_sum "$work/start.png" $BOX_0_AREA)

# --- Boxes -------------------------------------------------------------------------------------
read -r active_left active_right inactive_left inactive_right < <(ask caption-colours) ||
    fail "the probe could not tell the caption colours"
caption_between() {  # the caption of box 1, at (200, 84), has colours between $1 and $2
    grab "$work/caption.png"
    CAPTION=$(pixel_of "$work/caption.png" 200 84)
    colour_between "$CAPTION" "$1" "$2"
}
click_control $BOX_BUTTON_0_CENTRE  # box button 1
check_within "$DEADLINE" "box button 1 shows box 1" screen_region_is_not $BOX_0_AREA "$start_box_area"
check_within "$DEADLINE" "box 1 is the active window: its caption shows the active colours" \
    caption_between "$active_left" "$active_right"
active=$CAPTION
xdotool mousemove $((SCREEN_W - 14)) $((SCREEN_H - 28)) click 1  # the play screen's black corner takes the activation
check_within "$DEADLINE" "clicking the play screen takes the activation from box 1: its caption shows the inactive colours" \
    caption_between "$inactive_left" "$inactive_right"
inactive=$CAPTION
echo "caption of box 1 when shown: $active, after clicking the play screen: $inactive"
check "the box shown is the active window (its caption changes when it loses the activation)" test "$active" != "$inactive"
click_control $BOX_BUTTON_0_CENTRE
check_within "$DEADLINE" "a second click hides box 1 again" screen_region_is $BOX_0_AREA "$start_box_area"

read -r px py < <(piece_point "$work/start.png" 420) || fail "no piece found on the board"
echo "dragging the piece at ($px, $py) into box 1"
click_control $BOX_BUTTON_0_CENTRE
wait_until "$DEADLINE" "box 1 shows again" screen_region_is_not $BOX_0_AREA "$start_box_area"
press_on_board "$px" "$py"
# The press activates the play screen, which Wine raises over the boxes it owns; the play
# screen puts a box that is shown back on top once the input has been handled.
wait_until "$DEADLINE" "box 1 shows above the play screen again" screen_region_is_not $BOX_0_AREA "$start_box_area"
move_in_steps "$px" "$py" 210 238
release_on_board
away
check_within "$DEADLINE" "box button 1 shows a box holding pieces" \
    shows "$(saved play_box_open)" $BOX_BUTTON_0 "$work/box_full.png"
click_control $BOX_BUTTON_0_CENTRE
box_1_hidden() { ! ask wait CWNDBOX "Box 1" 0 >/dev/null; }
wait_until "$DEADLINE" "box 1 goes again" box_1_hidden
away

# --- Tools panel -------------------------------------------------------------------------------
xdotool mousemove $TOOL_STRIP_POINT
check_within "$DEADLINE" "touching the strip slides the tools panel out, hint tool at rest" \
    shows "$(saved play_tools_panel)" $HINT_TOOL "$work/hint_rest.png"

# Hints until the tool goes dark. Each click is handled before the next: the tool holds the
# capture while pressed, and a question to it is answered once the game is back in its message
# loop. The pointer stays on the tool, so the panel stays out.
grab "$work/before_hint.png"
before_hint=$(region_sum "$work/before_hint.png" $BOARD_BESIDE_PANEL)
hint_enabled() { ask send "${PLAY_SCREEN[@]}" CQVANIM $HINT_TOOL_ID $CM_GETENABLED; }
hints=0
while [[ $(hint_enabled) == 1 ]]; do
    ((hints < 300)) || fail "the hint tool is still lit after 300 hints"
    click_control $HINT_TOOL_CENTRE
    hints=$((hints + 1))
    if ((hints == 1)); then
        check_within "$DEADLINE" "the first hint moves a piece on the board" \
            screen_region_is_not $BOARD_BESIDE_PANEL "$before_hint"
    fi
done
echo "hints taken until the tool went dark: $hints"
spent_bulb_shown() { [[ $spent_looks == *" $(screen_region_sum $HINT_TOOL) "* ]]; }
check_within "$DEADLINE" "the hint tool goes dark" spent_bulb_shown
check_within "$DEADLINE" "the spent bulb's smoke ends on the grey last frame" \
    shows "$work/hint.png" $HINT_TOOL "$work/hint_grey.png"
region_before=$(region_sum "$work/hint.png" $BOARD_BESIDE_PANEL)
# A disabled tool takes no capture, so nothing shows when the game has dealt with the click.
# The panel's leave check does: it is a timer, and the game takes timers from its queue only
# once the input before them is handled.
xdotool click 1
away
wait_until "$DEADLINE" "the tools panel slides back in once the pointer left it" tools_panel_in
grab "$work/hint_after.png"
check "the dark hint tool does nothing" test "$(region_sum "$work/hint_after.png" $BOARD_BESIDE_PANEL)" = "$region_before"

# --- Solve -------------------------------------------------------------------------------------
running=$(timer_sum)
check_within "$DEADLINE" "the clock runs before the solve" timer_is_not "$running"

# Which shipped picture is it? The cut fits it into the board less 15 pixels on each side.
expect_solved_pictures $((BOARD_W - 30)) $((BOARD_H - 30)) 1 "$game"/Image/foto[0-5].bmp
xdotool mousemove $TOOL_STRIP_POINT
wait_until "$DEADLINE" "the tools panel slides out again" shows "$work/panel.png" $HINT_TOOL "$work/hint_grey.png"
click_control $SOLVE_TOOL_CENTRE
away
wait_until "$DEADLINE" "the tools panel slides back in once the pointer left it" tools_panel_in
check_within $((2 * DEADLINE)) "the solved board shows a shipped picture whole and centred" \
    solved_picture_shown "$(saved play_solved)"
echo "it is $best: $best_grid, error $best_error"
# Two readings 2.2 s apart are the same. A digit the game had still to paint when the solve
# was seen can change once, so a second pair may be needed.
clock_stands_still() {
    local stopped
    stopped=$(timer_sum)
    sleep 2.2  # a span of time in which the clock must not move
    [[ $(timer_sum) == "$stopped" ]]
}
check_within "$DEADLINE" "the solve stops the clock" clock_stands_still
check "the hints ran out after a fifth of the $best_pieces pieces ($hints hints)" test "$hints" = $((best_pieces / 5))

xdotool mousemove $TOOL_STRIP_POINT
check_within "$DEADLINE" "the solve gives the hint tool back" shows "$work/after_solve.png" $HINT_TOOL "$work/hint_rest.png"

away
xdotool key alt+F4
wait_game_exit
check "the game ends with code 0 (got $GAME_EXIT)" test "$GAME_EXIT" = 0
