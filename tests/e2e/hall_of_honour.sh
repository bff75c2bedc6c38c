# The hall of honour in the real game, opened from its tool in the tools panel: ten dashed rows
# on a fresh install; a records file written here with known names and scores shown in order;
# the erase button empties it and deletes the file; a damaged file (short, or with a wrong tag)
# shows the default table, is removed, and the game goes on.
source "$(dirname "$0")/lib.sh"

game=$(fresh_game)
records="$game/Records.qvr"
HALL=(CWNDHONOR '*')
DASHES=-----------------------  # 23
NAME_ID=100                     # row i's name is control 100 + i, its score 200 + i
SCORE_ID=200
ERASE_ID=1
CLOSE_ID=2

# A records file: "QvRecords", three reserved bytes, the count 10 and ten entries of a 24-byte
# name and a little-endian 32-bit score; the arguments are "name:score" pairs, place 1 first,
# and the places left are filled with the default rows.
write_records() {
    perl -e '
        print "QvRecords", "\0" x 3, pack("V", 10);
        my @rows = @ARGV;
        push @rows, ("-" x 23) . ":0" while @rows < 10;
        for (@rows) { my ($n, $s) = split /:/; print pack("Z24 l<", $n, $s); }' "$@" >"$records"
}

hall_up() { ask wait "${HALL[@]}" 1000 >/dev/null; }
hall_gone() { ! ask wait "${HALL[@]}" 0 >/dev/null; }
row_name() { ask text "${HALL[@]}" $((NAME_ID + $1)); }
row_score() { ask text "${HALL[@]}" $((SCORE_ID + $1)); }
# The ten rows as "name:score name:score ...".
shown_rows() {
    local i rows=()
    for i in 0 1 2 3 4 5 6 7 8 9; do rows+=("$(row_name $i):$(row_score $i)"); done
    echo "${rows[*]}"
}
# Keeps what it saw in shown.txt, for the log of a failed check.
rows_are() {
    shown_rows >"$VEXLA_E2E_WORK/shown.txt"
    [[ $(<"$VEXLA_E2E_WORK/shown.txt") == "$*" ]]
}
default_rows() {
    local i rows=()
    for i in 0 1 2 3 4 5 6 7 8 9; do rows+=("$DASHES:0"); done
    echo "${rows[*]}"
}

# The tools panel slides out when the pointer touches the strip; the hall of honour's tool is
# the fifth, at the bottom of the panel.
honour_tool_point() {
    local rect x y w h
    rect=$(ask child "${PLAY_SCREEN[@]}" CQVANIM 204 2>/dev/null) || return 1
    read -r x y w h <<<"$rect"
    echo "$((x + w / 2)) $((y + h / 2))"
}
open_hall() {
    local tx ty
    xdotool mousemove 8 300
    wait_until "$DEADLINE" "the tools panel slides out with the honour tool" honour_tool_point >/dev/null
    read -r tx ty < <(honour_tool_point) || fail "no honour tool in the panel"
    click_control "$tx" "$ty"
    wait_until "$DEADLINE" "the hall of honour opens from its tool" hall_up
}
click_hall_button() {
    local rect x y w h
    rect=$(ask child "${HALL[@]}" CQVANIM "$1") || fail "no button $1 in the hall"
    read -r x y w h <<<"$rect"
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
}
close_hall() {
    click_hall_button $CLOSE_ID
    wait_until "$DEADLINE" "the close button closes the hall" hall_gone
}

start_game "$game"

# --- A fresh install ------------------------------------------------------------------------
[[ ! -e $records ]] || fail "a fresh game folder has no records file"
open_hall
check_within "$DEADLINE" "a fresh install shows ten rows of 23 dashes and 0" rows_are "$(default_rows)"
screenshot hall_fresh
check "looking at the hall writes no records file" test ! -e "$records"
close_hall
check_within "$DEADLINE" "the play screen is usable again" play_screen_foreground

# --- A table written by the test ------------------------------------------------------------
write_records "Ada Lovelace:90000" "Bo:81000" "Cy:81000" "Di:4000" "Eve:12"
open_hall
check_within "$DEADLINE" "the rows show the file's names and scores in order" \
    rows_are "Ada Lovelace:90000 Bo:81000 Cy:81000 Di:4000 Eve:12 $(default_rows | cut -d' ' -f6-)"
screenshot hall_records

# --- Erase ------------------------------------------------------------------------------------
click_hall_button $ERASE_ID
check_within "$DEADLINE" "the erase button shows ten dashed rows at once" rows_are "$(default_rows)"
check "the erase button deletes the records file" test ! -e "$records"
screenshot hall_erased
close_hall

# --- Damaged files ----------------------------------------------------------------------------
write_records "Ada:900"
head -c 100 "$records" >"$records.short" && mv "$records.short" "$records"
open_hall
check_within "$DEADLINE" "a short records file shows the default table" rows_are "$(default_rows)"
check "the short file is removed" test ! -e "$records"
close_hall

write_records "Ada:900"
printf 'XX' | dd of="$records" conv=notrunc status=none
open_hall
check_within "$DEADLINE" "a records file with a wrong tag shows the default table" rows_are "$(default_rows)"
check "the file with the wrong tag is removed" test ! -e "$records"
close_hall
check_within "$DEADLINE" "the game goes on: the play screen is the foreground window" play_screen_foreground
kill -0 "$GAME_PID" 2>/dev/null || fail "the game is still running"
echo "ok: the game is still running"
