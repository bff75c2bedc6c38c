# runner-env: VEXLA_PRINTER=pdf
# The print question of the completion sequence, with the runner's private PDF printer as the
# default printer: after the wallpaper question (no) comes the print question; yes prints one
# page whose picture (read back through pdftoppm) is the puzzle's picture, centred and four
# fifths of the page wide; then the hall of honour asks the name.
source "$(dirname "$0")/lib.sh"

work=$VEXLA_E2E_WORK
[[ ${CUPS_SERVER:-} == */cups.sock ]] || fail "run through wine-run.sh with VEXLA_PRINTER=pdf"
owner_home=$(getent passwd "$(id -un)" | cut -d: -f6)
out_dir=$(awk '$1 == "Out" { print $2 }' /etc/cups/cups-pdf.conf)
out_dir=${out_dir:-'${HOME}/PDF'}
out_dir=${out_dir//'${HOME}'/$owner_home}
completed_jobs() { lpstat -W completed -o PDF 2>/dev/null | wc -l; }

prepare_almost_done_game no-clip
jobs_before=$(completed_jobs)
touch "$work/started"
start_game "$GAME"
finish_puzzle
check_within "$DEADLINE" "the wallpaper question comes" question_up
xdotool key Escape
check_within "$DEADLINE" "no: the question goes" question_gone
check_within "$DEADLINE" "with a default printer the print question follows" question_up
screenshot completion_print_question
xdotool key Return
check_within "$DEADLINE" "yes: the question goes" question_gone
check_within $((2 * DEADLINE)) "one print job completes" eval \
    '[[ -z $(lpstat -o PDF 2>/dev/null) ]] && (($(completed_jobs) > jobs_before))'
check "exactly one job was printed" test "$(completed_jobs)" -eq $((jobs_before + 1))
pdf=$(find "$out_dir" -maxdepth 1 -name '*.pdf' -newer "$work/started" -printf '%T@ %p\n' 2>/dev/null |
    sort -n | tail -n 1 | cut -d' ' -f2-)
[[ -n $pdf ]] || fail "no PDF in $out_dir"
mv "$pdf" "$work/printed.pdf" || fail "moving $pdf"
pdftoppm -r 60 -png -singlefile "$work/printed.pdf" "$work/page" || fail "pdftoppm"
cp "$work/page.png" "$VEXLA_SCREENSHOTS/completion_printed_page.png"

read -r page_w page_h < <(identify -format '%w %h\n' "$work/page.png")
read -r pic_w pic_h < <(identify -format '%w %h\n' "$GAME/Image/foto0.bmp")
read -r want_w want_h < <(awk -v pw="$page_w" -v ph="$page_h" -v w="$pic_w" -v h="$pic_h" 'BEGIN {
    aw = int(pw * 0.8); ah = int(ph * 0.8)
    s = (h * aw / w <= ah) ? aw / w : ah / h
    print int(w * s), int(h * s) }')
want_x=$(((page_w - want_w) / 2))
want_y=$(((page_h - want_h) / 2))
read -r got_w got_h got_x got_y < <(convert "$work/page.png" -fuzz 10% -trim -format '%w %h %X %Y\n' info: | tr -d '+')
echo "page ${page_w}x$page_h: picture ${got_w}x$got_h at $got_x,$got_y, expected ${want_w}x$want_h at $want_x,$want_y"
near() { (($1 - $2 <= 3 && $2 - $1 <= 3)); }
check "the printed picture has the fitted size" eval 'near $got_w $want_w && near $got_h $want_h'
check "the printed picture is centred" eval 'near $got_x $want_x && near $got_y $want_y'
convert "$work/page.png" -crop "${want_w}x${want_h}+${want_x}+${want_y}" +repage -scale 50% "$work/printed_picture.png"
convert "$GAME/Image/foto0.bmp" -resize "${want_w}x${want_h}!" -scale 50% "$work/expected_picture.png"
error=$(compare -metric RMSE "$work/expected_picture.png" "$work/printed_picture.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/')
check "the page shows the puzzle's picture (RMSE $error)" awk -v e="$error" 'BEGIN { exit !(e < 0.1) }'

check_within "$DEADLINE" "then the hall of honour asks the name" question_up
xdotool key Escape
check_within "$DEADLINE" "Escape: the prompt goes" question_gone
close_hall_and_check_play_screen
kill "$GAME_PID" 2>/dev/null
wait_game_exit
