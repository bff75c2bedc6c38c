# Saved games with the real game: Ctrl+S and a typed name write folder\name.vpf of the size its
# grid gives, with box 1's name and piece; a new game from the file menu (accepted in the
# new-puzzle dialog) and then Ctrl+O and the tree bring back the same board, box, box name and
# stored time, on a clock that waits for the next pick-up; Escape writes nothing and the clock
# counts on; erasing asks first and removes the file; a damaged file is refused with a message
# and the game in play goes on.
# Screenshots of the file menu and of both modes of the file window are kept.
source "$(dirname "$0")/lib.sh"
work=$VEXLA_E2E_WORK

game=$(fresh_game)
folder=$game/folder
check "the game ships its suggested folder" test -d "$folder"
learn_clock_faces 180
start_game "$game"
close_magnifier  # the pieces need the whole board in sight

FILE_WINDOW=(CWNDFILE '*')
MESSAGE_WINDOW=(CWNDMENSAJE '*')
FILE_MENU=(CWNDMNUARCH '*')
shown() { ask wait "$@" 0 >/dev/null; }
gone() { ! shown "$@"; }
park_pointer() { xdotool mousemove 1010 700; }

# The tree's first item (the suggested folder) is clicked, then Down selects its first file.
select_first_file() {
    local x y w h
    read -r x y w h < <(ask child "${FILE_WINDOW[@]}" SysTreeView32 '*') || fail "no tree in the file window"
    xdotool mousemove $((x + 40)) $((y + 9)) click 1
    xdotool key Down
}
# Opening a game while the game in play has unsaved changes asks first; OK leaves it.
agree_to_leave() {
    check_within "$DEADLINE" "$1 asks first: the game in play has unsaved changes" shown "${MESSAGE_WINDOW[@]}"
    xdotool key Return
    wait_until "$DEADLINE" "the question goes" gone "${MESSAGE_WINDOW[@]}"
}
vpf_count() { find "$folder" -maxdepth 1 -iname '*.vpf' | wc -l; }
u32_at() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }

# --- Play a little, then save with Ctrl+S -----------------------------------------------------
grab "$work/dealt.png"
read -r px py < <(piece_point "$work/dealt.png") || fail "no piece found on the board"
drag "$px" "$py" $((px + 120)) $((py - 200))
park_pointer
check_within "$DEADLINE" "the clock counts once a piece was moved" clock_reads_more_than 1

# --- Box 1 gets a name of its own and a piece -------------------------------------------------
BOX_BUTTON_1=(1008 228)
BOX_BUTTONS=29x384+995+192
click_control "${BOX_BUTTON_1[@]}"
check_within "$DEADLINE" "box 1's button shows box 1" shown CWNDBOX "Box 1"
xdotool key F10 Return  # the box's one menu command, Change Name
check_within "$DEADLINE" "Change Name asks for the box's name" shown "${MESSAGE_WINDOW[@]}"
xdotool type --delay 50 "Corners"
xdotool key Return
check_within "$DEADLINE" "box 1 is called Corners" shown CWNDBOX Corners
read -r bx by bw bh < <(ask wait CWNDBOX Corners 0)
grab "$work/boxed.png"
read -r px py < <(piece_point "$work/boxed.png" $((bx + bw + 20))) || fail "no piece found beside the box"
drag "$px" "$py" $((bx + bw / 2)) $((by + bh / 2))
click_control "${BOX_BUTTON_1[@]}"
check_within "$DEADLINE" "box 1's button hides it again" gone CWNDBOX Corners
park_pointer

xdotool key ctrl+s
check_within "$DEADLINE" "Ctrl+S opens the file window" shown "${FILE_WINDOW[@]}"
read_clock
paused=$CLOCK
sleep 1.5  # a span in which a paused clock must not move
grab "$(saved file_window_save)"
read_clock
check "the clock stands still while the file window is open ($paused s, then $CLOCK s)" test "$CLOCK" = "$paused"
xdotool type --delay 50 "my game"
xdotool key Return
check_within "$DEADLINE" "the file window closes after saving" gone "${FILE_WINDOW[@]}"
saved_file="$folder/my game.vpf"
check "the game is saved as folder\\my game.vpf" test -f "$saved_file"
rows=$(u32_at "$saved_file" 444) cols=$(u32_at "$saved_file" 448)
size=$(stat -c %s "$saved_file")
check "the file holds its ${rows} x ${cols} pieces: $size bytes = 508 + 20 x $((rows * cols))" \
    test "$size" = $((508 + 20 * rows * cols))
stored=$(u32_at "$saved_file" 468)
check "it stores the time shown when it was saved ($stored s)" test "$stored" = "$paused"
check "it keeps box 1's name" test "$(dd if="$saved_file" bs=1 skip=300 count=7 status=none)" = Corners
check "and box 1's piece" test "$(u32_at "$saved_file" 480)" = 1
park_pointer
grab "$work/saved.png"
saved_board=$(region_sum "$work/saved.png" "$BOARD")
saved_buttons=$(region_sum "$work/saved.png" "$BOX_BUTTONS")

# --- A new game from the file menu --------------------------------------------------------------
click_control 265 45  # the saved-games button
check_within "$DEADLINE" "the saved-games button opens the file menu" shown "${FILE_MENU[@]}"
grab "$(saved file_menu)"
click_control 265 45  # its first pill, over the button: a new game (the game was just saved)
check_within "$DEADLINE" "the file menu closes" gone "${FILE_MENU[@]}"
check_within "$DEADLINE" "its new game opens the new-puzzle dialog" new_puzzle_up
dialog_origin
accept_new_puzzle
park_pointer
other_board() { grab "$work/new.png" && [[ $(region_sum "$work/new.png" "$BOARD") != "$saved_board" ]]; }
check_within "$DEADLINE" "a new game is dealt" other_board
check "with its boxes empty" test "$(region_sum "$work/new.png" "$BOX_BUTTONS")" != "$saved_buttons"
check_within "$DEADLINE" "its clock shows 00:00:00" clock_reads 0

# --- Open the saved game through the tree -------------------------------------------------------
# A freshly dealt game counts as changed.
xdotool key ctrl+o
agree_to_leave "Ctrl+O on a new game"
check_within "$DEADLINE" "Ctrl+O opens the file window" shown "${FILE_WINDOW[@]}"
grab "$(saved file_window_open)"
select_first_file
xdotool key Return
check_within "$DEADLINE" "the file window closes after opening" gone "${FILE_WINDOW[@]}"
park_pointer
same_board() { grab "$work/loaded.png" && [[ $(region_sum "$work/loaded.png" "$BOARD") == "$saved_board" ]]; }
check_within "$DEADLINE" "the board is the saved one, pixel for pixel" same_board
check "the box buttons show box 1 holding pieces again" test "$(region_sum "$work/loaded.png" "$BOX_BUTTONS")" = "$saved_buttons"
check_within "$DEADLINE" "the clock shows the stored time ($stored s)" clock_reads "$stored"
still_from=$CLOCK_FROM
sleep 2  # a span in which a clock waiting for a pick-up must not move
read_clock
check "and waits for the next pick-up ($CLOCK s after $((CLOCK_FROM - still_from)) ms)" test "$CLOCK" = "$stored"
read -r px py < <(piece_point "$work/loaded.png") || fail "no piece found on the loaded board"
drag "$px" "$py" $((px + 40)) $((py + 40))
park_pointer
check_within "$DEADLINE" "the clock counts on from the stored time" clock_reads_more_than "$stored"
click_control "${BOX_BUTTON_1[@]}"
check_within "$DEADLINE" "box 1 is called Corners again" shown CWNDBOX Corners
click_control "${BOX_BUTTON_1[@]}"
check_within "$DEADLINE" "and hides again" gone CWNDBOX Corners
park_pointer

# --- Escape writes nothing and the clock goes on -----------------------------------------------
before=$(vpf_count)
xdotool key ctrl+s
check_within "$DEADLINE" "Ctrl+S opens the file window again" shown "${FILE_WINDOW[@]}"
xdotool type --delay 50 "not written"
xdotool key Escape
check_within "$DEADLINE" "Escape closes the file window" gone "${FILE_WINDOW[@]}"
check "and writes nothing" test "$(vpf_count)" = "$before" -a ! -e "$folder/not written.vpf"
read_clock
check_within "$DEADLINE" "the clock counts again after Escape (from $CLOCK s)" clock_reads_more_than "$CLOCK"

# --- Erasing asks first ---------------------------------------------------------------------------
xdotool key ctrl+o
agree_to_leave "Ctrl+O on a game with a moved piece"
check_within "$DEADLINE" "the file window opens to erase" shown "${FILE_WINDOW[@]}"
select_first_file
read -r fx fy _ < <(ask wait "${FILE_WINDOW[@]}" 0)
xdotool mousemove $((fx + 3 + 298 + 20)) $((fy + 3 + 84 + 16)) click 1
check_within "$DEADLINE" "the erase button asks first" shown "${MESSAGE_WINDOW[@]}"
check "nothing is erased before the answer" test -f "$saved_file"
xdotool key Return
check_within "$DEADLINE" "OK erases the file" test ! -e "$saved_file"
check_within "$DEADLINE" "the question is gone" gone "${MESSAGE_WINDOW[@]}"
xdotool key Escape
check_within "$DEADLINE" "Escape closes the file window" gone "${FILE_WINDOW[@]}"

# --- A damaged file is refused ------------------------------------------------------------------
park_pointer
grab "$work/before_damaged.png"
board_in_play=$(region_sum "$work/before_damaged.png" "$BOARD")
head -c 908 /dev/urandom >"$folder/broken.vpf"
printf 'Not a Puzzle File at all.' | dd of="$folder/broken.vpf" conv=notrunc status=none
xdotool key ctrl+o
agree_to_leave "Ctrl+O"
check_within "$DEADLINE" "the file window opens" shown "${FILE_WINDOW[@]}"
select_first_file
xdotool key Return
check_within "$DEADLINE" "a damaged file is refused with a message" shown "${MESSAGE_WINDOW[@]}"
grab "$(saved file_refused)"
xdotool key Return
check_within "$DEADLINE" "the message goes" gone "${MESSAGE_WINDOW[@]}"
check "the file window stays open" shown "${FILE_WINDOW[@]}"
xdotool key Escape
check_within "$DEADLINE" "Escape closes the file window" gone "${FILE_WINDOW[@]}"
park_pointer
same_game() { grab "$work/after_damaged.png" && [[ $(region_sum "$work/after_damaged.png" "$BOARD") == "$board_in_play" ]]; }
check_within "$DEADLINE" "the game in play goes on as it was" same_game
read_clock
check_within "$DEADLINE" "and its clock counts (from $CLOCK s)" clock_reads_more_than "$CLOCK"

click_control 1004 12  # the close button
wait_game_exit
check "the close button ends the game with code 0 (got $GAME_EXIT)" test "$GAME_EXIT" = 0
