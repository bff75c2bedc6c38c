# The player's own pictures in the new-puzzle dialog: the sixth category shows a folder tree and
# a custom box instead of the shipped pictures. A JPEG photo chosen in the tree is imported,
# shown in the box and, once accepted, cut: the solved board shows the photo. A damaged file
# gives a message and the dialog keeps the picture it had. A PNG photo goes the same way.
# The photos are made here from shipped pictures; a screenshot of the page is kept.
source "$(dirname "$0")/lib.sh"
work=$VEXLA_E2E_WORK

game=$(fresh_game)
photos=$game/MyPictures
mkdir -p "$photos"
# Two 640 x 480 pictures of different categories, so that the solved board tells them apart.
convert "$game/Image/1/Path.bmp" -quality 95 "$photos/photo.jpg"
convert "$game/Image/3/Kay.bmp" "$photos/photo.png"
head -c 600 "$photos/photo.jpg" >"$photos/damaged.jpeg"
ls -l "$photos"

pack=$(win_path "$VEXLA_DIST/vexla.rf")
probe pack-bmp "$pack" 193 "$(win_path "$work/193.bmp")" >/dev/null || fail "no bitmap 193 in the pack"
convert "$work/193.bmp" -crop 88x104+0+0 +repage "$work/hint_rest.png"

start_game "$game"
close_magnifier

OWN_CATEGORY_CENTRE=(425 127)  # category box 205 at (392, 103), 66 x 48
TREE=CWNDFILEMAN
own_page_shown() { dialog_child_shown "$TREE" '*' && dialog_child_shown CWNDPREVCUSTOM '*'; }
open_own_page() {
    open_new_puzzle
    click_control $(in_dialog "${OWN_CATEGORY_CENTRE[@]}")
    wait_until "$DEADLINE" "the own-picture category shows the tree and the custom box" own_page_shown
    check "the shipped pictures' boxes are hidden meanwhile" dialog_child_hidden CWNDPREVFS 300
}
custom_box_sum() {
    local x y w h
    read -r x y w h < <(ask child "${NEW_PUZZLE[@]}" CWNDPREVCUSTOM '*') || return 1
    screen_region_sum "${w}x${h}+${x}+${y}"
}
# The tree lists the suggested folder first, expanded: its .bmp files (the photos imported so
# far), then its .jpg, .jpeg and .png files, one of each here. A click on the folder, then Down
# selects its files one by one; a file selected is imported at once.
select_tree_file() {
    local x y w h n name i keys=()
    n=$(find "$photos" -maxdepth 1 -iname '*.bmp' | wc -l)
    for name in photo.jpg damaged.jpeg photo.png; do
        [[ -f $photos/$name ]] && n=$((n + 1))
        [[ $name == "$1" ]] && break
    done
    read -r x y w h < <(ask child "${NEW_PUZZLE[@]}" SysTreeView32 '*') || fail "no tree view on the page"
    xdotool mousemove $((x + 40)) $((y + 9)) click 1
    for ((i = 0; i < n; i++)); do keys+=(Down); done
    xdotool key "${keys[@]}"
}

# The solved board of a 640 x 480 picture cut by the dialog's Accept: fitted into the board
# area (947 x 640) it is 853 x 640, cut into cells of at least 45 pixels (18 x 14 of 47 x 45),
# and the solve centres the cells on the board. Compared at a quarter of the size, as the
# sampling of fine detail may differ.
SOLVED=846x630+99+83
expected_solved() {  # photo -> $work/expected_<name>.png
    convert "$1" -sample "853x640!" -crop "846x630+0+0" +repage -scale 25% "$work/expected_$(basename "$1").png"
}
solved_shows() {
    local error
    grab "$work/solved.png"
    convert "$work/solved.png" -crop "$SOLVED" +repage -scale 25% "$work/solved_part.png"
    error=$(compare -metric RMSE "$work/expected_$1.png" "$work/solved_part.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/')
    awk -v e="$error" 'BEGIN { exit !(e < 0.04) }'
}
solve() {
    xdotool mousemove 8 300
    wait_until "$DEADLINE" "the tools panel slides out" shows "$work/panel.png" 88x104+31+346 "$work/hint_rest.png"
    click_control 66 264  # the solve tool
    xdotool mousemove 1010 700
}
expected_solved "$photos/photo.jpg"
expected_solved "$photos/photo.png"

# --- A JPEG photo, then a damaged file ----------------------------------------------------------
open_own_page
empty_box=$(custom_box_sum)
screenshot new_puzzle_own_empty
select_tree_file photo.jpg
check_within "$DEADLINE" "the JPEG photo chosen in the tree shows in the custom box" \
    eval '[[ $(custom_box_sum) != "$empty_box" ]]'
imported=$(find "$photos" -maxdepth 1 -iname '*.bmp' | head -n 1)
check "it was imported into MyPictures\\ as a .bmp ($(basename "${imported:-none}"))" test -n "$imported"
screenshot new_puzzle_own
jpeg_box=$(custom_box_sum)
select_tree_file damaged.jpeg
check_within "$DEADLINE" "the damaged file gives the message window" question_up
screenshot new_puzzle_own_damaged
xdotool key Return
check_within "$DEADLINE" "the message goes on Return" question_gone
check "the custom box still shows the JPEG photo" test "$(custom_box_sum)" = "$jpeg_box"
rm "$photos/damaged.jpeg"  # the next tree is walked with Down, which would choose it again
accept_new_puzzle
solve
check_within $((2 * DEADLINE)) "Accept cut the JPEG photo: the solved board shows it" solved_shows photo.jpg

# --- A PNG photo --------------------------------------------------------------------------------
open_own_page
select_tree_file photo.png
check_within "$DEADLINE" "the PNG photo chosen in the tree shows in the custom box" \
    eval '[[ $(custom_box_sum) != "$jpeg_box" ]]'
accept_new_puzzle
solve
check_within $((2 * DEADLINE)) "Accept cut the PNG photo: the solved board shows it" solved_shows photo.png

xdotool key alt+F4
wait_game_exit
check "the game ends with code 0 (got $GAME_EXIT)" test "$GAME_EXIT" = 0
