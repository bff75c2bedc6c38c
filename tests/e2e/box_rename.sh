# Renaming a box with the real game: box 1's menu item "Change Name" asks for the new name in
# the message window; the typed name confirmed with Enter becomes the box's caption, Escape
# keeps the old one, and of 30 typed characters the first 23 are kept.
source "$(dirname "$0")/lib.sh"

game=$(fresh_game)
start_game "$game"

box_caption_is() { ask wait CWNDBOX "$1" 0 >/dev/null; }
question_up() { ask wait CWNDMENSAJE '*' 0 >/dev/null; }
question_gone() { ! question_up; }
# The play screen and its boxes take input again together.
box_enabled() { [[ $(ask enabled CWNDBACK "Vexla Puzzle") == 1 ]]; }
edit_field_shows() { [[ $(ask send CWNDMENSAJE '*' EDIT '*' 14) == "$1" ]]; }  # WM_GETTEXTLENGTH

click_control 1009 220  # box button 1
check_within "$DEADLINE" "box button 1 shows box 1" box_caption_is "Box 1"

# rename CAPTION TEXT KEY: opens the menu of the box captioned CAPTION, types TEXT and ends
# with KEY, then waits until the question has gone and its answer has been handled.
rename() {
    local caption=$1 text=$2 key=$3 x y w h
    read -r x y w h < <(ask menu-bar CWNDBOX "$caption") || fail "box \"$caption\" has no menu bar"
    # Its one item, "Change Name", on the left. Under Wine a click on the menu bar of a box that
    # is not the active window now and then only activates it, so the item is clicked again
    # while no question has come; once one has, the boxes take no input and a click is harmless.
    local tries=0
    while :; do
        xdotool mousemove $((x + 20)) $((y + h / 2)) click 1
        ask wait CWNDMENSAJE '*' 5000 >/dev/null && break
        ((++tries < 6)) || fail "the menu of box \"$caption\" asks for the new name"
    done
    xdotool type --delay 20 -- "$text"
    wait_until "$DEADLINE" "the name typed shows in the edit field" edit_field_shows "${#4}"
    [[ -n ${5:-} ]] && screenshot "$5"
    xdotool key "$key"
    wait_until "$DEADLINE" "the question goes on $key" question_gone
    # The answer arrives 45 ms later, when the box takes input again.
    wait_until "$DEADLINE" "box \"$caption\" takes input again" box_enabled
}

rename "Box 1" "Sky" Return "Sky" dialog_message_rename
check_within "$DEADLINE" "Enter gives box 1 the typed caption" box_caption_is "Sky"

rename "Sky" "Other" Escape "Other"
check_within "$DEADLINE" "Escape keeps the old caption" box_caption_is "Sky"
check "Escape gives no box the typed caption" test -z "$(ask wait CWNDBOX Other 0)"

thirty="abcdefghijklmnopqrstuvwxyz1234"
rename "Sky" "$thirty" Return "${thirty:0:23}"
check_within "$DEADLINE" "of 30 typed characters the caption keeps 23" box_caption_is "${thirty:0:23}"

xdotool mousemove 1010 700 key alt+F4
wait_game_exit
check "the game ends with code 0 (got $GAME_EXIT)" test "$GAME_EXIT" = 0
