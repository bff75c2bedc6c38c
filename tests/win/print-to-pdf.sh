#!/usr/bin/env bash
# Prints on the runner's private PDF printer (VEXLA_PRINTER=pdf) and reads the page back.
# PrinterTest finds the printer "PDF", refuses two unreadable pictures without sending a job,
# and prints a picture made here: four quadrants of red, green, blue and yellow, 300 x 200.
# Then exactly one job must have been printed, and its page (through pdftoppm) must show the
# picture centred, filling four fifths of the page's width, with its quadrants in place.
#
#   wine-run.sh bash print-to-pdf.sh PrinterTest.exe     (VEXLA_PRINT_WORK: a folder of its own)
set -uo pipefail
test_exe=$1
work=${VEXLA_PRINT_WORK:?a work folder}
deadline_s=120

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
[[ ${CUPS_SERVER:-} == */cups.sock ]] || fail "run through wine-run.sh with VEXLA_PRINTER=pdf"
rm -rf "$work"
mkdir -p "$work"

convert -size 150x100 xc:'#ff0000' xc:'#00ff00' +append \
    \( -size 150x100 xc:'#0000ff' xc:'#ffff00' +append \) -append -type TrueColor BMP3:"$work/picture.bmp" ||
    fail "making the picture"

# cups-pdf writes into the job owner's home (its "Out" setting, ${HOME} being that home).
owner_home=$(getent passwd "$(id -un)" | cut -d: -f6)
out_dir=$(awk '$1 == "Out" { print $2 }' /etc/cups/cups-pdf.conf)
out_dir=${out_dir:-'${HOME}/PDF'}
out_dir=${out_dir//'${HOME}'/$owner_home}
completed_jobs() { lpstat -W completed -o PDF 2>/dev/null | wc -l; }
jobs_before=$(completed_jobs)
touch "$work/started"

VEXLA_PRINT_PICTURE="Z:${work//\//\\}\\picture.bmp" GTEST_FILTER='Printer.*:PdfPrinter.*' \
    "$VEXLA_WINE" "$test_exe" || fail "PrinterTest"

# The spooler hands the job to CUPS at EndDoc; cups-pdf runs after that.
deadline=$((SECONDS + deadline_s))
until [[ -z $(lpstat -o PDF 2>/dev/null) ]] && (($(completed_jobs) > jobs_before)); do
    ((SECONDS < deadline)) || fail "no print job completed within ${deadline_s}s"
    sleep 0.2
done
(($(completed_jobs) == jobs_before + 1)) || fail "$(($(completed_jobs) - jobs_before)) jobs printed, expected 1"
echo "ok: one job printed"

pdf=$(find "$out_dir" -maxdepth 1 -name '*.pdf' -newer "$work/started" -printf '%T@ %p\n' 2>/dev/null |
    sort -n | tail -n 1 | cut -d' ' -f2-)
[[ -n $pdf ]] || fail "no PDF in $out_dir"
# The page stays with the test's files, not in the owner's home.
mv "$pdf" "$work/printed.pdf" || fail "moving $pdf"
echo "ok: $(basename "$pdf")"
pages=$(pdfinfo "$work/printed.pdf" | awk '$1 == "Pages:" { print $2 }')
[[ $pages == 1 ]] || fail "the PDF has ${pages:-no} pages, expected 1"

pdftoppm -r 60 -png -singlefile "$work/printed.pdf" "$work/page" || fail "pdftoppm"
page=$work/page.png
mkdir -p "${VEXLA_SCREENSHOTS:-$work}"
cp "$page" "${VEXLA_SCREENSHOTS:-$work}/printed-page.png"
read -r page_w page_h < <(identify -format '%w %h\n' "$page")
# The picture is wider than the page's proportions, so its width limits: 4/5 of the page.
want_w=$((page_w * 4 / 5))
want_h=$((want_w * 2 / 3))
want_x=$(((page_w - want_w) / 2))
want_y=$(((page_h - want_h) / 2))
# What is not white on the page, as W H X Y.
read -r got_w got_h got_x got_y < <(convert "$page" -fuzz 10% -trim -format '%w %h %X %Y\n' info: | tr -d '+')
echo "page ${page_w}x$page_h: picture ${got_w}x$got_h at $got_x,$got_y, expected ${want_w}x$want_h at $want_x,$want_y"
# A pixel or two of scaling and anti-aliasing at the picture's edges.
near() { (($1 - $2 <= 2 && $2 - $1 <= 2)); }
near "$got_w" "$want_w" && near "$got_h" "$want_h" || fail "the picture's size on the page"
near "$got_x" "$want_x" && near "$got_y" "$want_y" || fail "the picture is not centred"
echo "ok: centred, four fifths of the page wide"

# The middle of each quadrant, as "r,g,b" from 0 to 255.
colour_at() {
    convert "$page" -format "%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)]" info:
}
close_to() {  # close_to "r,g,b" R G B
    local r g b
    IFS=, read -r r g b <<<"$1"
    ((r - $2 <= 40 && $2 - r <= 40 && g - $3 <= 40 && $3 - g <= 40 && b - $4 <= 40 && $4 - b <= 40))
}
while read -r name fx fy r g b; do
    x=$((want_x + want_w * fx / 4))
    y=$((want_y + want_h * fy / 4))
    seen=$(colour_at "$x" "$y")
    close_to "$seen" "$r" "$g" "$b" || fail "$name quadrant at $x,$y is $seen"
    echo "ok: $name at $x,$y ($seen)"
done <<'QUADRANTS'
red 1 1 255 0 0
green 3 1 0 255 0
blue 1 3 0 0 255
yellow 3 3 255 255 0
QUADRANTS
