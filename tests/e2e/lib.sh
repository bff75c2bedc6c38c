# Shared helpers of the end-to-end scripts. They run inside the Wine runner, which exports
# DISPLAY, WINEPREFIX, VEXLA_WINE, VEXLA_DIST, VEXLA_SCREENSHOTS and VEXLA_SOUND_FILE; ctest
# adds VEXLA_PROBE (the window probe) and VEXLA_E2E_WORK (a folder of the test's own).
#
# The machine may be running several builds and runners at once, so a script never sleeps a
# fixed time in the hope that the game has caught up: it waits for what it expects to see
# (wait_until, check_within) with a generous deadline, waits for the game to have handled an
# input before it sends the next one that depends on it (click_control, drag), and measures
# the wall-clock time itself where the game's clock is what is tested.
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
GAME_PID=

# Seconds a script waits for something the game is expected to do before it gives up.
DEADLINE=${VEXLA_E2E_DEADLINE:-30}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

check() {  # check "what" command...
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else fail "$what"; fi
}

# Milliseconds of wall-clock time, for measuring intervals.
now_ms() {
    local micro=${EPOCHREALTIME/./}
    echo $((micro / 1000))
}

# wait_until SECONDS "what" command...: runs the command every tenth of a second until it
# succeeds, or fails the test saying what did not happen. Quiet on success.
wait_until() {
    local seconds=$1 what=$2
    shift 2
    local give_up=$(($(now_ms) + seconds * 1000))
    until "$@"; do
        (($(now_ms) < give_up)) || fail "$what (still not so after ${seconds}s)"
        sleep 0.1
    done
}

# check_within SECONDS "what" command...: a check that waits for the command to succeed.
check_within() {
    wait_until "$@"
    echo "ok: $2"
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

# --- The window probe -----------------------------------------------------------------------
# One question, one Windows process: for the few questions asked before or without a game.
probe() { "$VEXLA_WINE" "$VEXLA_PROBE" "$@" | tr -d '\r'; }

# Many questions, one Windows process: `ask COMMAND ARGS...` puts a question to the probe's
# session (started with the game) and gives its answer on the output and its exit code as the
# status, in milliseconds where starting a Windows program takes a second or more.
PROBE_SESSION_PID=
start_probe_session() {
    [[ -n $PROBE_SESSION_PID ]] && return 0
    coproc PROBE_SESSION { exec "$VEXLA_WINE" "$VEXLA_PROBE" serve 2>/dev/null; }
}
ask() {
    [[ -n $PROBE_SESSION_PID ]] || fail "ask $1: the probe's session was not started"
    local question code answer
    question=$(printf '%s\t' "$@")
    printf '%s\n' "${question%$'\t'}" >&"${PROBE_SESSION[1]}"
    IFS=$'\t' read -r -t 120 -u "${PROBE_SESSION[0]}" code answer || fail "the window probe did not answer: $*"
    answer=${answer%$'\r'}
    [[ -z $answer ]] || echo "$answer"
    return "$code"
}

# The game's windows, as the probe names them.
PLAY_SCREEN=(CWNDBACK "Vexla Puzzle")
play_screen_up() { ask wait "${PLAY_SCREEN[@]}" 1000 >/dev/null; }
has_capture() {
    local holder
    holder=$(ask capture "${PLAY_SCREEN[@]}") && [[ $holder != none ]]
}
# A play screen that went (its close button was clicked) holds no capture either.
has_no_capture() {
    local holder
    holder=$(ask capture "${PLAY_SCREEN[@]}") || return 0
    [[ $holder == none ]]
}
tools_panel_out() { ask child "${PLAY_SCREEN[@]}" CWNDHerramientas '*' >/dev/null; }
tools_panel_in() { ! tools_panel_out; }
play_screen_foreground() { [[ $(ask foreground) == "${PLAY_SCREEN[0]}" ]]; }

# --- The game -------------------------------------------------------------------------------
# Starts the game of folder $1 and returns at once (GAME_PID).
launch_game() {
    start_probe_session
    "$VEXLA_WINE" "$1/Vexla.exe" &
    GAME_PID=$!
}

# Starts the game of folder $1 and returns once the play screen shows: its window is up, the
# board shows its felt with the pieces dealt on it, and the clock shows its digits. However the
# game comes to its play screen, this is the one place that knows.
start_game() {
    launch_game "$1"
    wait_until $((2 * DEADLINE)) "the play screen appears" play_screen_up
    wait_until "$DEADLINE" "the play screen shows the board with its pieces and the clock" play_screen_drawn
}

# Waits up to $1 seconds (default DEADLINE) for the game to end and leaves its exit code in
# GAME_EXIT ("still-running" if it did not end). Not for $(...): only this shell can wait.
GAME_EXIT=
wait_game_exit() {
    local give_up=$(($(now_ms) + ${1:-$DEADLINE} * 1000))
    GAME_EXIT=still-running
    while (($(now_ms) < give_up)); do
        if ! kill -0 "$GAME_PID" 2>/dev/null; then
            wait "$GAME_PID"
            GAME_EXIT=$?
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# --- Input ----------------------------------------------------------------------------------
# Presses and releases the left button at (x, y) on a control of the play screen and returns
# once the game has handled both: the control took the mouse capture on the press and gave
# it back on the release. The pointer stays where it is: a control decides whether a release
# is a click by where the pointer is when it handles the release.
click_control() {
    local x=$1 y=$2
    xdotool mousemove "$x" "$y" mousedown 1
    wait_until "$DEADLINE" "the press at ($x, $y) reaches a control of the game" has_capture
    xdotool mouseup 1
    wait_until "$DEADLINE" "the control at ($x, $y) handles the release" has_no_capture
}

# A drag in three parts, for scripts that must see something happen in between. A surface
# takes the capture on the press and gives it back once it has handled the drop.
press_on_board() {
    xdotool mousemove "$1" "$2" mousedown 1
    wait_until "$DEADLINE" "the press at ($1, $2) reaches the board" has_capture
}
# Moves the pointer from (x1, y1) to (x2, y2) in a few steps, as a hand would.
move_in_steps() {
    local x1=$1 y1=$2 x2=$3 y2=$4 i
    for i in 1 2 3 4 5 6 7 8; do
        xdotool mousemove $((x1 + (x2 - x1) * i / 8)) $((y1 + (y2 - y1) * i / 8))
    done
}
release_on_board() {
    xdotool mouseup 1
    wait_until "$DEADLINE" "the drop is handled" has_no_capture
}
# Drags with the left button from (x1, y1) to (x2, y2) and returns once the game has dropped
# what it picked up.
drag() {
    press_on_board "$1" "$2"
    move_in_steps "$@"
    release_on_board
}

# --- Pictures of the screen -----------------------------------------------------------------
screenshot() { "$repo/scripts/screenshot.sh" "$1" >/dev/null; }
saved() { echo "$VEXLA_SCREENSHOTS/$1.png"; }

# A screenshot into a file of the test's own.
grab() { xwd -display "$DISPLAY" -root -silent | convert xwd:- "$1"; }

# Pixel of a PNG as "r,g,b".
pixel_of() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }

# Whether colour $1 lies between colours $2 and $3 ("r,g,b" each), channel by channel, give or
# take 2: a caption drawn as a gradient has its colours between those of its two ends.
colour_between() {
    local -a c a b
    IFS=, read -r -a c <<<"$1"
    IFS=, read -r -a a <<<"$2"
    IFS=, read -r -a b <<<"$3"
    local i low high
    for i in 0 1 2; do
        low=$((a[i] < b[i] ? a[i] : b[i]))
        high=$((a[i] < b[i] ? b[i] : a[i]))
        ((c[i] >= low - 2 && c[i] <= high + 2)) || return 1
    done
}

# Checksum of a rectangle WxH+X+Y of a picture, to tell whether two shots show the same.
region_sum() { convert "$1" -crop "$2" +repage rgb:- | md5sum | cut -d' ' -f1; }
# The same of the screen as it is now.
screen_region_sum() { xwd -display "$DISPLAY" -root -silent | convert xwd:- -crop "$1" +repage rgb:- | md5sum | cut -d' ' -f1; }
screen_region_is() { [[ $(screen_region_sum "$1") == "$2" ]]; }
screen_region_is_not() { [[ $(screen_region_sum "$1") != "$2" ]]; }

# same_as SHOT GEOMETRY PICTURE: the region of the shot is the picture, pixel for pixel.
same_as() {
    convert "$1" -crop "$2" +repage "$VEXLA_E2E_WORK/region.png"
    test "$(compare -metric AE "$3" "$VEXLA_E2E_WORK/region.png" null: 2>&1)" = 0
}
# shows SHOT GEOMETRY PICTURE: takes a screenshot into SHOT and tells whether it shows the
# picture there; the last shot taken is the one that was judged.
shows() {
    grab "$1"
    same_as "$@"
}

# --- The play screen ------------------------------------------------------------------------
# The clock's digits on the timer window (its text box, 7..101 x 9..30, at (705, 23)).
TIMER_DIGITS=94x21+712+32
timer_sum() { screen_region_sum "$TIMER_DIGITS"; }
timer_is_not() { [[ $(timer_sum) != "$1" ]]; }

# The board: (49, 78), 947 x 640 on a 1024 x 768 screen.
BOARD=947x640+49+78

# The board's felt (pack 114) tiled over the board's size, as $VEXLA_E2E_WORK/felt.png.
felt_picture() {
    local work=$VEXLA_E2E_WORK
    [[ -f $work/felt.png ]] && return 0
    probe pack-bmp "$(win_path "$VEXLA_DIST/vexla.rf")" 114 "$(win_path "$work/114.bmp")" >/dev/null ||
        fail "no felt bitmap 114 in the pack"
    convert -size 947x640 tile:"$work/114.bmp" "$work/felt.png"
}

# The board pixels of `shot` that differ from the felt, white on black, as pieces.png.
board_differences() {
    felt_picture
    convert "$1" -crop "$BOARD" +repage "$VEXLA_E2E_WORK/felt.png" -compose difference -composite \
        -colorspace gray -threshold 3% "$VEXLA_E2E_WORK/pieces.png"
}

# The play screen is drawn: part of the board shows the felt and part of it pieces (a board
# not painted yet is black all over), and the timer window shows red digits.
play_screen_drawn() {
    local shot=$VEXLA_E2E_WORK/drawn.png covered red
    grab "$shot"
    board_differences "$shot"
    covered=$(convert "$VEXLA_E2E_WORK/pieces.png" -format "%[fx:int(100*mean)]" info:)
    red=$(convert "$shot" -crop "$TIMER_DIGITS" +repage -fx "r > 0.9 && g < 0.1 && b < 0.1" -format "%[fx:int(1000*mean)]" info:)
    ((covered >= 3 && covered <= 90 && red > 0))
}

# A screen point well inside some piece on the board of `shot`, as "x y": the board pixels that
# differ from the tiled felt, shrunk by a disc so that edges and thin tabs drop out; of what
# is left, the point in the middle of the list. Points left of min_x are passed over.
piece_point() {
    local shot=$1 min_x=${2:-150}
    board_differences "$shot"
    convert "$VEXLA_E2E_WORK/pieces.png" -morphology Erode Disk:5 txt:- | awk -F'[,:]' -v min="$((min_x - 49))" \
        '/#FFFFFF/ && $1 >= min { x[n] = $1; y[n] = $2; n++ } END { if (n) print x[int(n / 2)] + 49, y[int(n / 2)] + 78 }'
}

# --- The clock ------------------------------------------------------------------------------
# The clock is read off the screen by comparison: the probe draws the faces the game's timer
# window shows for 0 to FACES - 1 seconds, and a face on the screen is looked up by the
# checksum of the digits' box. So a reading needs no earlier reading: a script that was kept
# waiting for seconds still reads the right time.
declare -A FACE_SECONDS=()
FACES=0
learn_clock_faces() {
    local count=${1:-180} strip=$VEXLA_E2E_WORK/faces.bmp parts=$VEXLA_E2E_WORK/faces i
    probe timer-faces "$(win_path "$VEXLA_DIST/vexla.rf")" "$count" "$(win_path "$strip")" ||
        fail "the probe could not draw the clock's faces"
    rm -rf "$parts"
    mkdir -p "$parts"
    # The strip holds the faces top to bottom, each a 94 x 21 box of 3 bytes a pixel.
    convert "$strip" rgb:- | split -b $((94 * 21 * 3)) -d -a 4 - "$parts/"
    for ((i = 0; i < count; i++)); do
        FACE_SECONDS[$(md5sum <"$parts/$(printf %04d $i)" | cut -d' ' -f1)]=$i
    done
    FACES=$count
}

# Reads the clock off the screen: CLOCK is the seconds it shows ("unknown" for no face of
# the game's), CLOCK_FROM and CLOCK_TO the wall-clock milliseconds around the reading.
CLOCK= CLOCK_FROM= CLOCK_TO=
read_clock() {
    local sum
    CLOCK_FROM=$(now_ms)
    sum=$(timer_sum)
    CLOCK_TO=$(now_ms)
    CLOCK=${FACE_SECONDS[$sum]:-unknown}
}
clock_reads() {
    read_clock
    [[ $CLOCK == "$1" ]]
}
clock_reads_more_than() {
    read_clock
    [[ $CLOCK != unknown ]] && ((CLOCK > $1))
}
# Seconds between two wall-clock readings in milliseconds, rounded up.
seconds_between() { echo $((($2 - $1 + 999) / 1000)); }
