# What the new-puzzle dialog's Accept cuts: the count scroller held at its lower end gives the
# coarsest grid, and a shape chosen with clicks on the shape display gives that shape's pieces.
# The puzzle is then saved with Ctrl+S, and the game's own saved file tells what was cut: its
# grid, its shape template and its picture.
source "$(dirname "$0")/lib.sh"
work=$VEXLA_E2E_WORK

game=$(fresh_game)
start_game "$game"
close_magnifier
open_new_puzzle

# --- The shape: two clicks on the display, which shows each shape's four pieces ---------------
pack=$(win_path "$VEXLA_DIST/vexla.rf")
ask pack-bmp "$pack" 583 "$(win_path "$work/583.bmp")" >/dev/null || fail "no shape sheet 583 in the pack"
SHAPE=2
convert "$work/583.bmp" -crop "168x168+$((SHAPE * 168))+0" +repage "$work/shape_$SHAPE.png"
show_page $PAGE_SHAPE
SHAPE_DISPLAY_CENTRE=$(in_dialog $((110 + 84)) $((119 + 84)))
for ((click = 1; click <= SHAPE; click++)); do
    click_control $SHAPE_DISPLAY_CENTRE
done
check_within "$DEADLINE" "after $SHAPE clicks the shape display shows shape $SHAPE's pieces" \
    shows "$work/shape.png" "$(dialog_area 110 119 168 168)" "$work/shape_$SHAPE.png"
check "the shape scroller follows the display ($(ask_shown CQVSROLL '*' 1344))" \
    test "$(ask_shown CQVSROLL '*' 1344)" = "$SHAPE"

# --- The count: the scroller's lower arrow held until the scroller reaches its lower end ---------
SCR_GETMAX=1340 SCR_GETMIN=1342 SCR_GETVALUE=1344
show_page $PAGE_PIECES
count_value() { ask_shown CQVSROLL '*' $SCR_GETVALUE; }
check "the count scroller runs from 0 ($(ask_shown CQVSROLL '*' $SCR_GETMIN))" \
    test "$(ask_shown CQVSROLL '*' $SCR_GETMIN)" = 0
top=$(ask_shown CQVSROLL '*' $SCR_GETMAX)
check "and starts at its upper end, the finest grid ($(count_value) of $top)" test "$(count_value)" = "$top" -a "$top" -gt 0
screenshot new_puzzle_pieces_finest
read -r x y < <(in_dialog $((288 + 15)) $((113 + 25 + 117 + 12)))
xdotool mousemove "$x" "$y" mousedown 1
wait_until "$DEADLINE" "the press reaches the lower arrow" has_capture
check_within $((2 * DEADLINE)) "holding the lower arrow brings the count down to 0" eval '[[ $(count_value) == 0 ]]'
xdotool mouseup 1
wait_until "$DEADLINE" "the release is handled" has_no_capture
ask sync "${NEW_PUZZLE[@]}" 5000 >/dev/null
screenshot new_puzzle_pieces_coarsest

# --- Accept, then save ----------------------------------------------------------------------------
accept_new_puzzle
check_within "$DEADLINE" "the play screen has the keyboard after Accept" play_screen_foreground
xdotool key ctrl+s
check_within "$DEADLINE" "Ctrl+S opens the file window" file_window_up
xdotool type --delay 50 "cut"
xdotool key Return
saved_file=$game/folder/cut.vpf
check_within "$DEADLINE" "the puzzle is saved as folder\\cut.vpf" test -f "$saved_file"
wait_until "$DEADLINE" "the file window closes" eval '! file_window_up'

u32_at() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }
template=$(u32_at "$saved_file" 36)
rows=$(u32_at "$saved_file" 444)
cols=$(u32_at "$saved_file" 448)
picture=$(dd if="$saved_file" bs=1 skip=40 count=260 status=none | tr '\0' '\n' | head -n 1)
echo "the saved puzzle: $picture, $cols x $rows pieces, template $template"
in_category_0() { [[ ${picture,,} == *'\image\0\'*.bmp ]]; }
check "the picture is one of category 0" in_category_0
# Every picture of category 0 is 4:3: fitted into the 947 x 640 board area it is 853 x 640,
# and the coarsest grid has pieces of about 150 pixels: 5 columns and 4 rows.
check "the count at its lower end cut 5 x 4 pieces (got $cols x $rows)" test "$cols x $rows" = "5 x 4"
check "the file holds those 20 pieces: 508 + 20 x 20 bytes" test "$(stat -c %s "$saved_file")" = 908
check "shape $SHAPE cut the pieces with its template, 3000 + $SHAPE (got $template)" test "$template" = $((3000 + SHAPE))

xdotool key alt+F4
wait_game_exit
check "the game ends with code 0 (got $GAME_EXIT)" test "$GAME_EXIT" = 0
