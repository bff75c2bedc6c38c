# The new-puzzle dialog with the real game: "New game" opens it centred over the play screen,
# which ignores clicks meanwhile (a box button opens no box); its four tabs show the four pages
# (a screenshot of each); the picture page's four boxes show pictures of the category resampled
# by the game's reader, the picture scroller moves them along by one, and the chosen picture
# carries the red frame, which a click on another box moves there; another category's box
# shows that category's pictures, and coming back finds the first one as it was left; the
# view button, or a double click on a box, opens the picture filling the screen until a key
# closes it; Escape closes the dialog and gives the play screen back, with the board empty.
source "$(dirname "$0")/lib.sh"
work=$VEXLA_E2E_WORK

game=$(fresh_game)
start_game "$game"
close_magnifier  # it stands where the dialog's picture boxes come

# --- Opening ------------------------------------------------------------------------------------
open_new_puzzle
read -r wx wy ww wh < <(ask wait "${NEW_PUZZLE[@]}" 0)
check "the dialog's client area is 552 x 372 (${DIALOG_W} x ${DIALOG_H})" test "$DIALOG_W $DIALOG_H" = "552 372"
check "the dialog is centred on the screen (at ($wx, $wy), $ww x $wh)" \
    test "$wx $wy" = "$(((1024 - ww) / 2)) $(((768 - wh) / 2))"
check "the play screen takes no input while the dialog is up" test "$(ask enabled "${PLAY_SCREEN[@]}")" = 0
check "the dialog opens on the picture page" page_tab_checked $PAGE_PICTURE
ask sync "${NEW_PUZZLE[@]}" 5000 >/dev/null
screenshot new_puzzle_picture

# A click on box button 1 meets a disabled play screen. The next click, on a tab of the dialog,
# is handled after it by the same thread, so once that one is done the first one was too.
xdotool mousemove $BOX_BUTTON_0_CENTRE click 1

# --- The pages ----------------------------------------------------------------------------------
for page in $PAGE_SHAPE $PAGE_SIZE $PAGE_PIECES; do
    show_page $page
    check "tab $page is checked and the picture boxes are hidden on page $page" \
        eval "page_tab_checked $page && dialog_child_hidden CWNDPREVFS 300"
    ask sync "${NEW_PUZZLE[@]}" 5000 >/dev/null
    screenshot "new_puzzle_$(echo shape size pieces | cut -d' ' -f$page)"
done
check "box button 1 opened no box while the dialog was up" eval '! ask wait CWNDBOX "Box 1" 0 >/dev/null'
show_page $PAGE_PICTURE
check "back on the picture page its tab alone is checked" \
    eval "page_tab_checked $PAGE_PICTURE && ! page_tab_checked $PAGE_PIECES"

# --- The picture boxes --------------------------------------------------------------------------
# Category 0 opens first. Each file of it is resampled by the game's reader to the size a box
# gives it (fitted into 113 x 123); a box shows the one whose pixels it shows. The outermost
# pixels are left out: the red frame may cover them.
declare -A SIZE_OF=()
for picture in "$game"/Image/[03]/*.bmp; do
    name=$(basename "$(dirname "$picture")")/$(basename "$picture" .bmp)
    read -r w h < <(identify -format "%w %h\n" "$picture" | awk '{
        if ($2 * 113 / $1 <= 123) { w = 113; h = int($2 * 113 / $1) } else { h = 123; w = int($1 * 123 / $2) }
        print w, h }')
    SIZE_OF[$name]="$w $h"
    ask scaled-bmp "$(win_path "$picture")" "$w" "$h" "$(win_path "$work/box_${name/\//_}.bmp")" >/dev/null ||
        fail "the probe cannot resample $picture"
    convert "$work/box_${name/\//_}.bmp" -crop "$((w - 2))x$((h - 2))+1+1" +repage "$work/box_${name/\//_}.png"
done
box_rect() { ask child "${NEW_PUZZLE[@]}" CWNDPREVFS $((300 + $1)); }
# The name of the picture of category $CATEGORY that box $2 of shot $1 shows, or nothing.
CATEGORY=0
picture_in_box() {
    local shot=$1 bx by bw bh name w h
    read -r bx by bw bh < <(box_rect "$2") || return 0
    for name in "${!SIZE_OF[@]}"; do
        [[ $name == "$CATEGORY"/* ]] || continue
        read -r w h <<<"${SIZE_OF[$name]}"
        convert "$shot" -crop "$((w - 2))x$((h - 2))+$((bx + (bw - w) / 2 + 1))+$((by + (bh - h) / 2 + 1))" +repage \
            "$work/in_box.png"
        if [[ $(compare -metric AE "$work/box_${name/\//_}.png" "$work/in_box.png" null: 2>&1) == 0 ]]; then
            echo "${name#*/}"
            return 0
        fi
    done
}
SHOWN=()
boxes_show_pictures() {
    local shot=$work/boxes.png i
    grab "$shot"
    SHOWN=()
    for i in 0 1 2 3; do
        SHOWN[i]=$(picture_in_box "$shot" $i)
        [[ -n ${SHOWN[i]} ]] || return 1
    done
    [[ $(printf '%s\n' "${SHOWN[@]}" | sort -u | wc -l) == 4 ]]
}
check_within "$DEADLINE" "the four boxes show four pictures of category 0, resampled by the game's reader" \
    boxes_show_pictures
first=("${SHOWN[@]}")
echo "   (they show ${first[*]})"

# The red frame: which boxes carry it in a fresh shot, as a word of 0s and 1s.
FRAMES=
frames_are() {
    local shot=$work/frames.png i bx by bw bh w h ring
    grab "$shot"
    FRAMES=
    for i in 0 1 2 3; do
        read -r bx by bw bh < <(box_rect $i) || return 1
        read -r w h <<<"${SIZE_OF[0/${first[0]}]}"  # the pictures of a category share one shape
        ring=$(red_ring "$shot" "$bx" "$by" "$bw" "$bh" "$w" "$h")
        if ((ring >= 400)); then FRAMES+=1; elif ((ring <= 20)); then FRAMES+=0; else FRAMES+=?; fi
    done
    [[ $FRAMES == "$1" ]]
}
check_within "$DEADLINE" "the first picture, chosen, carries the red frame" frames_are 1000

# The picture scroller (28 x 136 at (500, 146), arrows 21 high): a quick click on its lower
# arrow moves the pictures along by one.
SCROLL_DOWN=$(in_dialog 514 $((146 + 21 + 94 + 10)))
SCROLL_UP=$(in_dialog 514 $((146 + 10)))
click_control $SCROLL_DOWN
moved_by_one() {
    boxes_show_pictures && [[ ${SHOWN[0]} == "${first[1]}" && ${SHOWN[1]} == "${first[2]}" && ${SHOWN[2]} == "${first[3]}" ]]
}
check_within "$DEADLINE" "the lower arrow moves the pictures up by one box" moved_by_one
check "a picture new to the boxes comes into the last one (${SHOWN[3]})" \
    eval '[[ " ${first[*]} " != *" ${SHOWN[3]} "* ]]'
check "the scroller's value is minus the first shown picture" test "$(ask_shown CQVSROLL '*' 1344)" = -1
check_within "$DEADLINE" "the chosen picture scrolled out of sight, no box carries the frame" frames_are 0000

read -r bx by bw bh < <(box_rect 1)
click_control $((bx + bw / 2)) $((by + bh / 2))
check_within "$DEADLINE" "a click on box 1 chooses its picture: the frame is there alone" frames_are 0100
chosen=${first[2]}
click_control $SCROLL_UP
check_within "$DEADLINE" "the upper arrow moves the pictures back, the frame stays on the chosen picture" \
    eval 'frames_are 0010 && boxes_show_pictures && [[ ${SHOWN[2]} == "$chosen" ]]'
screenshot new_puzzle_chosen

# Another category fills the boxes with its own pictures.
click_control $(dialog_child_centre CQVCHECK 203)
CATEGORY=3
check_within "$DEADLINE" "category 3's box fills the boxes with four pictures of category 3" boxes_show_pictures
CATEGORY=0
click_control $(dialog_child_centre CQVCHECK 200)
check_within "$DEADLINE" "back in category 0 the boxes show where it was left, with the chosen picture framed" \
    eval 'boxes_show_pictures && [[ ${SHOWN[2]} == "$chosen" ]] && frames_are 0010'

# --- The full-screen view -----------------------------------------------------------------------
PREVIEW=(CWNDPREVIEW '*')
preview_up() { ask wait "${PREVIEW[@]}" 0 >/dev/null; }
ask scaled-bmp "$(win_path "$game/Image/0/$chosen.bmp")" 1024 768 "$(win_path "$work/screen_$chosen.bmp")" >/dev/null ||
    fail "the probe cannot resample $chosen to the screen"
click_control $(shelf_centre "${VIEW_AT[@]}")
check_within "$DEADLINE" "the view button opens the full-screen view" preview_up
check "the dialog takes no input under it" test "$(ask enabled "${NEW_PUZZLE[@]}")" = 0
check_within "$DEADLINE" "it shows the chosen picture resampled to the whole screen, pixel for pixel" \
    shows "$(saved new_puzzle_view)" 1024x768+0+0 "$work/screen_$chosen.bmp"
xdotool key space
check_within "$DEADLINE" "a key closes the view" eval '! preview_up'
check_within "$DEADLINE" "the dialog has the keyboard again" eval '[[ $(ask foreground) == CWNDNEW ]]'
read -r bx by bw bh < <(box_rect 2)
xdotool mousemove $((bx + bw / 2)) $((by + bh / 2)) click --repeat 2 --delay 80 1
check_within "$DEADLINE" "a double click on the chosen picture's box opens the view too" \
    shows "$(saved new_puzzle_view_box)" 1024x768+0+0 "$work/screen_$chosen.bmp"
xdotool key space
check_within "$DEADLINE" "and a key closes it" eval '! preview_up'
wait_until "$DEADLINE" "the dialog has the keyboard again" eval '[[ $(ask foreground) == CWNDNEW ]]'

# --- Escape -------------------------------------------------------------------------------------
xdotool key Escape
check_within "$DEADLINE" "Escape closes the dialog" new_puzzle_gone
check_within "$DEADLINE" "the play screen takes input again" eval '[[ $(ask enabled "${PLAY_SCREEN[@]}") == 1 ]]'
# "New game" ended the game in play; without Accept no other was dealt. An empty board is the
# felt's 50 x 50 tile repeated: the board and the board shifted by a tile are the same.
board_empty() {
    grab "$work/cancelled.png"
    convert "$work/cancelled.png" -crop 897x590+49+78 +repage "$work/board_a.png"
    convert "$work/cancelled.png" -crop 897x590+99+128 +repage "$work/board_b.png"
    [[ $(compare -metric AE "$work/board_a.png" "$work/board_b.png" null: 2>&1) == 0 ]]
}
check_within "$DEADLINE" "the board shows its felt alone" board_empty

xdotool key alt+F4
wait_game_exit
check "the game ends with code 0 (got $GAME_EXIT)" test "$GAME_EXIT" = 0
