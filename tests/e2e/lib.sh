# Shared helpers of the end-to-end scripts. They run inside the Wine runner, which exports
# DISPLAY, WINEPREFIX, VEXLA_WINE, VEXLA_DIST, VEXLA_SCREENSHOTS and VEXLA_SOUND_FILE; ctest
# adds VEXLA_PROBE (the window probe) and VEXLA_E2E_WORK (a folder of the test's own).
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
GAME_PID=

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

check() {  # check "what" command...
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else fail "$what"; fi
}

# A copy of the game folder, so that what a test writes never reaches build/dist.
fresh_game() {
    rm -rf "$VEXLA_E2E_WORK"
    mkdir -p "$VEXLA_E2E_WORK"
    cp -a "$VEXLA_DIST" "$VEXLA_E2E_WORK/game"
    echo "$VEXLA_E2E_WORK/game"
}

# The Windows form of a Linux path (Wine maps / to Z:).
win_path() { echo "Z:${1//\//\\}"; }

windows_dir() { echo "$WINEPREFIX/drive_c/windows"; }

# Windows file names ignore case: "Vexla.INI" and "Vexla.ini" are one file to the game, and
# Wine keeps whichever spelling made the file first. These find or remove it in any spelling.
ini_file() {
    local found
    found=$(find "$(windows_dir)" -maxdepth 1 -iname vexla.ini | head -n 1)
    echo "${found:-$(windows_dir)/Vexla.INI}"
}
remove_ini() { find "$(windows_dir)" -maxdepth 1 -iname vexla.ini -delete; }

probe() { "$VEXLA_WINE" "$VEXLA_PROBE" "$@" | tr -d '\r'; }

start_game() {
    "$VEXLA_WINE" "$1/Vexla.exe" &
    GAME_PID=$!
}

# Waits up to $1 seconds (default 10) for the game to end and leaves its exit code in
# GAME_EXIT ("still-running" if it did not end). Not for $(...): only this shell can wait.
GAME_EXIT=
wait_game_exit() {
    local limit=$((${1:-10} * 10)) i
    GAME_EXIT=still-running
    for ((i = 0; i < limit; i++)); do
        if ! kill -0 "$GAME_PID" 2>/dev/null; then
            wait "$GAME_PID"
            GAME_EXIT=$?
            return 0
        fi
        sleep 0.1
    done
    return 1
}

screenshot() { "$repo/scripts/screenshot.sh" "$1" >/dev/null; }

# Pixel of a PNG as "r,g,b".
pixel_of() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }

# --- The play screen ----------------------------------------------------------------------------
# A screenshot into a file of the test's own (not one of the saved screenshots).
grab() { xwd -display "$DISPLAY" -root -silent | convert xwd:- "$1"; }

# Checksum of a rectangle WxH+X+Y of a picture, to tell whether two shots show the same.
region_sum() { convert "$1" -crop "$2" +repage rgb:- | md5sum | cut -d' ' -f1; }

# The clock's digits on the timer window (its text box, 7..101 x 9..30, at (705, 23)).
TIMER_DIGITS=94x21+712+32
timer_sum() {
    grab "$VEXLA_E2E_WORK/timer.png"
    region_sum "$VEXLA_E2E_WORK/timer.png" "$TIMER_DIGITS"
}

# The board: (49, 78), 947 x 640 on a 1024 x 768 screen.
BOARD=947x640+49+78

# A screen point well inside some piece on the board of `shot`, as "x y": the board pixels that
# differ from the tiled felt (pack 114), shrunk by a disc so that edges and thin tabs drop out;
# of what is left, the point in the middle of the list. Points left of min_x are passed over.
piece_point() {
    local shot=$1 min_x=${2:-150} work=$VEXLA_E2E_WORK
    [[ -f $work/114.bmp ]] || probe pack-bmp "$(win_path "$VEXLA_DIST/vexla.rf")" 114 "$(win_path "$work/114.bmp")" >/dev/null
    convert -size 947x640 tile:"$work/114.bmp" "$work/felt.png"
    convert "$shot" -crop "$BOARD" +repage "$work/felt.png" -compose difference -composite \
        -colorspace gray -threshold 3% -morphology Erode Disk:5 "$work/pieces.png"
    convert "$work/pieces.png" txt:- | awk -F'[,:]' -v min="$((min_x - 49))" \
        '/#FFFFFF/ && $1 >= min { x[n] = $1; y[n] = $2; n++ } END { if (n) print x[int(n / 2)] + 49, y[int(n / 2)] + 78 }'
}

# Drags with the left button from (x1, y1) to (x2, y2) in a few steps, as a hand would.
drag() {
    local x1=$1 y1=$2 x2=$3 y2=$4 i
    xdotool mousemove "$x1" "$y1"
    sleep 0.2
    xdotool mousedown 1
    sleep 0.2
    for i in 1 2 3 4 5 6 7 8; do
        xdotool mousemove $((x1 + (x2 - x1) * i / 8)) $((y1 + (y2 - y1) * i / 8))
        sleep 0.08
    done
    sleep 0.2
    xdotool mouseup 1
    sleep 0.4
}

# --- The picture magnifier ----------------------------------------------------------------------
# The magnifier stands over the board at (256, 384). Tests that need the whole board in sight
# close it as a player would, with the close button at the right end of its caption.
magnifier_close_point() {
    local wx wy ww wh cx cy cw ch
    read -r wx wy ww wh < <(probe wait CWNDPREVLUPA "*" "${1:-10000}") || return 1
    read -r cx cy cw ch < <(probe client CWNDPREVLUPA "*" 1000) || return 1
    echo $((cx + cw - 9)) $(((wy + cy) / 2))
}
close_magnifier() {
    local x y
    read -r x y < <(magnifier_close_point) || fail "the magnifier is not shown"
    xdotool mousemove "$x" "$y" click 1
    sleep 0.5
    ! probe wait CWNDPREVLUPA "*" 0 >/dev/null || fail "the magnifier's close button did not close it"
}
