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

# The screen the runner gives the game (VEXLA_SCREEN, WIDTHxHEIGHT). The game lays out its
# screens from that size, and every place below is worked out from it by the same rules, so
# a script means the same control on any screen.
screen_size=${VEXLA_SCREEN:-1024x768}
SCREEN_W=${screen_size%x*}
SCREEN_H=${screen_size#*x}
SCREEN_CENTRE="$((SCREEN_W / 2)) $((SCREEN_H / 2))"

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
MAIN_MENU=(CWNDPRINC "Vexxla Puzzle")
VIDEO_WINDOW=(CWNDVIDEO '*')
play_screen_up() { ask wait "${PLAY_SCREEN[@]}" 1000 >/dev/null; }
main_menu_up() { ask wait "${MAIN_MENU[@]}" 0 >/dev/null; }
main_menu_gone() { ! main_menu_up; }
video_up() { ask wait "${VIDEO_WINDOW[@]}" 0 >/dev/null; }
video_gone() { ! video_up; }
# The window whose controls click_control presses: the play screen unless a script says else.
INPUT_WINDOW=("${PLAY_SCREEN[@]}")
has_capture() {
    local holder
    holder=$(ask capture "${INPUT_WINDOW[@]}") && [[ $holder != none ]]
}
# A window that went (its close button was clicked) holds no capture either.
has_no_capture() {
    local holder
    holder=$(ask capture "${INPUT_WINDOW[@]}") || return 0
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

# The main menu: its picture (392 x 440) in the middle of the screen, the children at their
# offsets from its corner.
MENU_X=$(((SCREEN_W - 392) / 2))
MENU_Y=$(((SCREEN_H - 440) / 2))
PLAY_BUTTON_CENTRE="$((MENU_X + 54 + 142)) $((MENU_Y + 106 + 35))"
SOUND_SWITCH_CENTRE="$((MENU_X + 266 + 15)) $((MENU_Y + 16))"
LANGUAGE_BUTTON_CENTRE="$((MENU_X + 172 + 24)) $((MENU_Y + 362 + 24))"

# Clicks a control of the main menu and returns once the game has handled the click.
click_on_menu() {
    local saved=("${INPUT_WINDOW[@]}")
    INPUT_WINDOW=("${MAIN_MENU[@]}")
    click_control "$@"
    INPUT_WINDOW=("${saved[@]}")
}

# From the start to the main menu: the introductory clip, when the game has one, is ended
# with a click; without it the menu comes at once.
pass_intro() {
    wait_until $((2 * DEADLINE)) "the introductory clip or the main menu appears" eval 'video_up || main_menu_up'
    if video_up; then
        xdotool mousemove $SCREEN_CENTRE click 1
    fi
    wait_until "$DEADLINE" "the main menu appears" main_menu_up
    wait_until "$DEADLINE" "the introductory clip is gone" video_gone
}

# From the main menu to the play screen through its play button.
enter_play_screen() {
    click_on_menu $PLAY_BUTTON_CENTRE
    wait_until $((2 * DEADLINE)) "the play screen appears" play_screen_up
    wait_until "$DEADLINE" "the main menu is gone" main_menu_gone
    wait_until "$DEADLINE" "the play screen shows the board with its pieces and the clock" play_screen_drawn
}

# Starts the game of folder $1 and returns once the play screen shows: its window is up, the
# board shows its felt with the pieces dealt on it, and the clock shows its digits. The game is
# entered as a player enters it: past the introductory clip, through the main menu's play
# button. However the game comes to its play screen, this is the one place that knows.
start_game() {
    launch_game "$1"
    pass_intro
    enter_play_screen
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
# The timer window, 126 x 39 at (ScreenWidth x 3 / 4 - 63, 23), and the clock's digits in it
# (its text box, 7..101 x 9..30).
TIMER_X=$((SCREEN_W * 3 / 4 - 63))
TIMER_Y=23
TIMER_DIGITS=94x21+$((TIMER_X + 7))+$((TIMER_Y + 9))
timer_sum() { screen_region_sum "$TIMER_DIGITS"; }
timer_is_not() { [[ $(timer_sum) != "$1" ]]; }

# The board: at (49, 78), as large as the screen less 77 columns and 128 rows (947 x 640 on a
# 1024 x 768 screen).
BOARD_X=49
BOARD_Y=78
BOARD_W=$((SCREEN_W - 77))
BOARD_H=$((SCREEN_H - 128))
BOARD=${BOARD_W}x${BOARD_H}+${BOARD_X}+${BOARD_Y}
# A point on the board's empty top: the deal puts the pieces in its lower half.
BOARD_EMPTY_TOP="$((BOARD_X + BOARD_W - 96)) $((BOARD_Y + 42))"
# A point on the play screen's black margin, right of the board and below the box buttons,
# where the pointer rests on nothing.
AWAY_POINT="$((SCREEN_W - 14)) $((SCREEN_H - 68))"

# The board's felt (pack 114) tiled over the board's size, as $VEXLA_E2E_WORK/felt.png. The
# board takes the felt's rows as the bitmap stores them, bottom row first: upside down.
felt_picture() {
    local work=$VEXLA_E2E_WORK
    [[ -f $work/felt.png ]] && return 0
    probe pack-bmp "$(win_path "$VEXLA_DIST/vexla.rf")" 114 "$(win_path "$work/114.bmp")" >/dev/null ||
        fail "no felt bitmap 114 in the pack"
    convert "$work/114.bmp" -flip "$work/114_stored.png"
    convert -size "${BOARD_W}x${BOARD_H}" tile:"$work/114_stored.png" "$work/felt.png"
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
    convert "$VEXLA_E2E_WORK/pieces.png" -morphology Erode Disk:5 txt:- |
        awk -F'[,:]' -v min="$((min_x - BOARD_X))" -v bx=$BOARD_X -v by=$BOARD_Y \
            '/#FFFFFF/ && $1 >= min { x[n] = $1; y[n] = $2; n++ } END { if (n) print x[int(n / 2)] + bx, y[int(n / 2)] + by }'
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

# --- The sound device -------------------------------------------------------------------------
# The runner's ALSA sink writes every sample the game plays to VEXLA_SOUND_FILE.
sound_bytes() { stat -c %s "$VEXLA_SOUND_FILE" 2>/dev/null || echo 0; }
quiet() { : >"$VEXLA_SOUND_FILE"; }
sound_written() { (($(sound_bytes) > 0)); }
# Silence cannot be waited for: the device is watched for a while after the game has handled
# what would have made a sound.
stays_silent() {
    local until=$(($(now_ms) + 1500))
    while (($(now_ms) < until)); do
        sound_written && return 1
        sleep 0.1
    done
}
# Empties the captured sound once whatever was playing has ended.
hush() { wait_until "$DEADLINE" "the sound device falls quiet" eval 'quiet; stays_silent'; }

# --- The main menu's controls -----------------------------------------------------------------
MENU_PATCH="120x60+$((MENU_X + 130))+$((MENU_Y + 270))"  # the puzzle in the picture's middle
PLAY_BUTTON="284x70+$((MENU_X + 54))+$((MENU_Y + 106))"
LOGO_CENTRE="$((MENU_X + 119 + 77)) $((MENU_Y + 27 + 35))"
EXIT_CENTRE="$((MENU_X + 262 + 49)) $((MENU_Y + 351 + 36))"
CLOSE_CENTRE="$((MENU_X + 327 + 12)) $((MENU_Y + 5 + 12))"
CHK_GETCHECK=1336
# The play screen's controls. Box button i (27 x 56 on its 29-pixel column) stands at
# (ScreenWidth - 29, ScreenHeight / 2 - 192 + 64 i); the logo (166 x 52) is centred at the top.
box_button_x() { echo $((SCREEN_W - 29)); }
box_button_y() { echo $((SCREEN_H / 2 - 192 + 64 * $1)); }
box_button_centre() { echo "$(($(box_button_x) + 14)) $(($(box_button_y "$1") + 28))"; }
BOX_BUTTON_0_CENTRE=$(box_button_centre 0)
PLAY_LOGO_CENTRE="$((SCREEN_W / 2)) 49"
NEW_GAME_CENTRE="101 45"
# The tools panel (at (0, 78), ScreenHeight - 96 high) shares its height out in five steps:
# the solve tool (100 x 104) stands at (16, step), the hint tool (88 x 104) at (31, 2 step).
# The strip under it is 17 pixels wide; the pointer touches it at TOOL_STRIP_POINT.
TOOLS_TOP=78
TOOL_STEP=$(((SCREEN_H - 96) / 5))
TOOL_STRIP_POINT="8 $((TOOLS_TOP + TOOL_STEP + 88))"
HINT_TOOL=88x104+31+$((TOOLS_TOP + 2 * TOOL_STEP))
HINT_TOOL_CENTRE="75 $((TOOLS_TOP + 2 * TOOL_STEP + 52))"
SOLVE_TOOL_CENTRE="66 $((TOOLS_TOP + TOOL_STEP + 52))"

# The pictures the menu scripts compare the screen with, from the pack into the test's folder.
menu_pictures() {
    local work=$VEXLA_E2E_WORK pack id
    pack=$(win_path "$VEXLA_DIST/vexla.rf")
    for id in 111 193 1621; do
        probe pack-bmp "$pack" $id "$(win_path "$work/$id.bmp")" >/dev/null || fail "no bitmap $id in the pack"
    done
    convert "$work/111.bmp" -crop 120x60+130+270 +repage "$work/menu_patch.png"
    convert "$work/1621.bmp" -crop 284x70+0+0 +repage "$work/play_english.png"
    convert "$work/1621.bmp" -crop 284x70+0+70 +repage "$work/play_english_hover.png"
    convert "$work/193.bmp" -crop 88x104+0+0 +repage "$work/hint_rest.png"
}
menu_drawn() { shows "$VEXLA_E2E_WORK/menu.png" "$MENU_PATCH" "$VEXLA_E2E_WORK/menu_patch.png"; }
play_button_shows() { shows "$VEXLA_E2E_WORK/play.png" "$PLAY_BUTTON" "$1"; }
switch_off() { [[ $(ask send "${MAIN_MENU[@]}" CQVCHECK 0 $CHK_GETCHECK) == 1 ]]; }
switch_on() { [[ $(ask send "${MAIN_MENU[@]}" CQVCHECK 0 $CHK_GETCHECK) == 0 ]]; }
# The tools panel slides out under the pointer and a hint joins a pair; the device is emptied
# just before the click.
take_hint() {
    xdotool mousemove $TOOL_STRIP_POINT
    wait_until "$DEADLINE" "the tools panel slides out" shows "$VEXLA_E2E_WORK/panel.png" $HINT_TOOL \
        "$VEXLA_E2E_WORK/hint_rest.png"
    xdotool mousemove $HINT_TOOL_CENTRE
    quiet
    click_control $HINT_TOOL_CENTRE
}

# --- The completion sequence ------------------------------------------------------------------
# A game one drop from completion: written by the game's own cutter and saver (AlmostDoneGame)
# into the suggested folder, and opened the way a player opens it: Ctrl+O, the folder's first
# file in the tree, Enter.
FELIZ=(CWNDFELIZ '*')
QUESTION=(CWNDMENSAJE '*')
HALL=(CWNDHONOR '*')
FILE_WINDOW=(CWNDFILE '*')
feliz_up() { ask wait "${FELIZ[@]}" 500 >/dev/null; }
feliz_gone() { ! ask wait "${FELIZ[@]}" 0 >/dev/null; }
question_up() { ask wait "${QUESTION[@]}" 500 >/dev/null; }
question_gone() { ! ask wait "${QUESTION[@]}" 0 >/dev/null; }
hall_up() { ask wait "${HALL[@]}" 500 >/dev/null; }
file_window_up() { ask wait "${FILE_WINDOW[@]}" 0 >/dev/null; }

prepare_almost_done_game() {
    GAME=$(fresh_game)
    [[ ${1:-} == no-clip ]] && rm -f "$GAME/Video/Feliz.avi"
    local coords
    coords=$("$VEXLA_WINE" "$VEXLA_ALMOST_DONE" "$(win_path "$GAME/vexla.rf")" "$(win_path "$GAME/Image/foto0.bmp")" \
        "$(win_path "$GAME/folder/almost.vpf")" | tr -d '\r') || fail "the almost finished game could not be written"
    read -r fx fy tx ty <<<"$coords"
    FROM="$fx $fy" TO="$tx $ty"
    echo "the last piece lies at ($FROM) and goes to ($TO)"
}

# Opens the almost finished game through Ctrl+O and the tree (a freshly dealt game counts as
# changed, so the game asks first), then makes the last drop.
finish_puzzle() {
    local fx fy tx ty x y w h
    close_magnifier  # the last piece may lie under it
    # A click on the empty top of the board gives the play screen the keyboard back from the
    # magnifier's close button.
    xdotool mousemove $BOARD_EMPTY_TOP click 1
    check_within "$DEADLINE" "the play screen has the keyboard" play_screen_foreground
    xdotool key ctrl+o
    check_within "$DEADLINE" "Ctrl+O asks before leaving the dealt game" question_up
    xdotool key Return
    wait_until "$DEADLINE" "the question goes" question_gone
    check_within "$DEADLINE" "the file window opens" file_window_up
    read -r x y w h < <(ask child "${FILE_WINDOW[@]}" SysTreeView32 '*') || fail "no tree in the file window"
    xdotool mousemove $((x + 40)) $((y + 9)) click 1
    xdotool key Down Return
    check_within "$DEADLINE" "the almost finished game opens" eval '! file_window_up'
    read -r fx fy <<<"$FROM"
    read -r tx ty <<<"$TO"
    drag "$fx" "$fy" "$tx" "$ty"
}

end_game() {
    kill "$GAME_PID" 2>/dev/null
    wait_game_exit
}

# The hall is given back to the player 45 ms after its name prompt has gone; a click on its
# close button before then meets a disabled window, so the button is clicked again for as
# long as the hall is there.
click_hall_close_if_shown() {
    local rect x y w h
    rect=$(ask child "${HALL[@]}" CQVANIM 2) || return 0
    read -r x y w h <<<"$rect"
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
}
hall_closed_and_play_screen_foreground() {
    click_hall_close_if_shown
    ! ask wait "${HALL[@]}" 0 >/dev/null && play_screen_foreground
}
close_hall_and_check_play_screen() {
    ask child "${HALL[@]}" CQVANIM 2 >/dev/null || fail "no close button in the hall"
    check_within "$DEADLINE" "the hall closes and the play screen is usable again" hall_closed_and_play_screen_foreground
}

# --- The picture magnifier ------------------------------------------------------------------
# The magnifier stands over the board at (ScreenWidth / 4, ScreenHeight / 2). Scripts that need the whole board in
# sight close it as a player would, with the close button at the right end of its caption.
MAGNIFIER=(CWNDPREVLUPA "*")
magnifier_shown() { ask wait "${MAGNIFIER[@]}" 0 >/dev/null; }
magnifier_hidden() { ! magnifier_shown; }
close_magnifier() {
    local wx wy ww wh cx cy cw ch
    wait_until "$DEADLINE" "the magnifier is shown" magnifier_shown
    read -r wx wy ww wh < <(ask wait "${MAGNIFIER[@]}" 0) || fail "the magnifier is not shown"
    read -r cx cy cw ch < <(ask client "${MAGNIFIER[@]}" 0) || fail "the magnifier has no client area"
    xdotool mousemove $((cx + cw - 9)) $(((wy + cy) / 2)) click 1
    wait_until "$DEADLINE" "the magnifier's close button hides it" magnifier_hidden
}

# --- The solved board -------------------------------------------------------------------------
# The solve lays the cells out in the middle of the board, so a solved board shows the picture
# as the cut scaled it. Which picture is in play is found by comparison: each candidate is
# prepared once as what the board would show of it, compared at a quarter of the size (fine
# detail differs with the exact sampling, a shift of two pixels already doubles the error).
#
# expect_solved_pictures BOX_W BOX_H TIMES PICTURE...: the cut scales a picture to TIMES the
# factor that fits it into BOX_W x BOX_H (the board less 15 pixels on each side when the board
# is created, the whole board for a new puzzle) and cuts it into cells of at least 45 pixels;
# only whole cells are shown, and only what lies on the board can be seen.
SOLVED_CANDIDATES=()
expect_solved_pictures() {
    local box_w=$1 box_h=$2 times=$3 picture w h sw sh cols rows pw ph x0 y0 vx vy vw vh name
    shift 3
    SOLVED_CANDIDATES=()
    for picture in "$@"; do
        read -r w h < <(identify -format "%w %h" "$picture")
        read -r sw sh cols rows < <(awk -v w="$w" -v h="$h" -v bw="$box_w" -v bh="$box_h" -v t="$times" 'BEGIN {
            s = ((h * bw / w <= bh) ? bw / w : bh / h) * t
            c = int(w * s / 45); r = int(h * s / 45)
            if (c < 2) c = 2; if (r < 2) r = 2
            print int(w * s), int(h * s), c, r }')
        pw=$((sw / cols * cols))
        ph=$((sh / rows * rows))
        x0=$(((BOARD_W - pw) / 2))
        y0=$(((BOARD_H - ph) / 2))
        # The part of the picture on the board, in the picture's and in the board's pixels.
        vx=$((x0 < 0 ? -x0 : 0)) vy=$((y0 < 0 ? -y0 : 0))
        vw=$((pw < BOARD_W ? pw : BOARD_W)) vh=$((ph < BOARD_H ? ph : BOARD_H))
        name=$(basename "$picture" .bmp)
        convert "$picture" -sample "${sw}x${sh}!" -crop "${vw}x${vh}+${vx}+${vy}" +repage -scale 25% \
            "$VEXLA_E2E_WORK/expected_$name.png"
        SOLVED_CANDIDATES+=("$name ${vw}x${vh}+$((BOARD_X + x0 + vx))+$((BOARD_Y + y0 + vy)) $((cols * rows)) $cols $rows")
    done
}

# solved_picture_shown SHOT: takes a screenshot into SHOT and finds the candidate it shows best
# (best, best_error, best_pieces, best_grid); true when that one is shown as expected.
solved_picture_shown() {
    local shot=$1 name geometry pieces cols rows error
    grab "$shot"
    best= best_error=1 best_pieces=0
    for candidate in "${SOLVED_CANDIDATES[@]}"; do
        read -r name geometry pieces cols rows <<<"$candidate"
        convert "$shot" -crop "$geometry" +repage -scale 25% "$VEXLA_E2E_WORK/shown.png"
        error=$(compare -metric RMSE "$VEXLA_E2E_WORK/expected_$name.png" "$VEXLA_E2E_WORK/shown.png" null: 2>&1 |
            sed 's/.*(\(.*\))/\1/')
        if awk -v a="$error" -v b="$best_error" 'BEGIN { exit !(a < b) }'; then
            best=$name best_error=$error best_pieces=$pieces best_grid="$cols x $rows at $geometry"
        fi
    done
    awk -v a="$best_error" 'BEGIN { exit !(a < 0.04) }'
}

# --- The new-puzzle dialog --------------------------------------------------------------------
# Opened by the play screen's new-game button. Its controls are found by class and identifier:
# the tabs are check boxes 100 to 103 (picture, shape, size, pieces), the size and count
# scrollers 10 and 11, the fit button 5, accept 1.
NEW_PUZZLE=(CWNDNEW '*')
SIZE_TAB=102 PIECES_TAB=103 SIZE_SCROLLER=10 COUNT_SCROLLER=11 FIT_BUTTON=5 ACCEPT_BUTTON=1
SCR_GETMAX=1340 SCR_GETVALUE=1344
new_puzzle_up() { ask wait "${NEW_PUZZLE[@]}" 500 >/dev/null; }
new_puzzle_gone() { ! ask wait "${NEW_PUZZLE[@]}" 0 >/dev/null; }
# dialog_control CLASS ID: the centre of a shown control of the dialog, as "x y".
dialog_control() {
    local x y w h
    read -r x y w h < <(ask child "${NEW_PUZZLE[@]}" "$1" "$2") || fail "no $1 $2 shown in the new-puzzle dialog"
    echo "$((x + w / 2)) $((y + h / 2))"
}
scroller_value() { ask send "${NEW_PUZZLE[@]}" CQVSROLL "$1" $SCR_GETVALUE; }
scroller_max() { ask send "${NEW_PUZZLE[@]}" CQVSROLL "$1" $SCR_GETMAX; }
scroller_reads() { [[ $(scroller_value "$1") == "$2" ]]; }
# click_in_dialog CLASS ID: clicks a control of the dialog; returns once it handled the click.
# The dialog takes input again 45 ms after a message over it has gone; a press before that is
# lost, so every click waits for it.
new_puzzle_takes_input() { [[ $(ask enabled "${NEW_PUZZLE[@]}") == 1 ]]; }
click_in_dialog() {
    local at saved=("${INPUT_WINDOW[@]}")
    at=$(dialog_control "$1" "$2") || exit 1
    wait_until "$DEADLINE" "the new-puzzle dialog takes input" new_puzzle_takes_input
    INPUT_WINDOW=("${NEW_PUZZLE[@]}")
    click_control $at
    INPUT_WINDOW=("${saved[@]}")
}
# raise_scroller_to ID VALUE: holds the scroller's top arrow down, which repeats, until the
# scroller reads VALUE, and lets it go.
scroller_shown() { ask child "${NEW_PUZZLE[@]}" CQVSROLL "$1" >/dev/null; }
raise_scroller_to() {
    local x y w h saved=("${INPUT_WINDOW[@]}")
    # The page's layout may still be showing its children after the tab's click.
    wait_until "$DEADLINE" "scroller $1 shows" scroller_shown "$1"
    read -r x y w h < <(ask child "${NEW_PUZZLE[@]}" CQVSROLL "$1") || fail "no scroller $1 shown"
    INPUT_WINDOW=("${NEW_PUZZLE[@]}")
    xdotool mousemove $((x + w / 2)) $((y + 10)) mousedown 1
    wait_until "$DEADLINE" "the press reaches the top arrow of scroller $1" has_capture
    wait_until $((2 * DEADLINE)) "the top arrow raises scroller $1 to $2" scroller_reads "$1" "$2"
    xdotool mouseup 1
    wait_until "$DEADLINE" "scroller $1 handles the release" has_no_capture
    INPUT_WINDOW=("${saved[@]}")
}
# Accepts the new-puzzle dialog as it opened (the first picture of the first category, at the
# scale that fits the board) and returns once the board shows the new deal.
accept_new_puzzle() {
    wait_until "$DEADLINE" "the new-puzzle dialog opens" new_puzzle_up
    click_in_dialog CQVCOMMAND $ACCEPT_BUTTON
    wait_until "$DEADLINE" "accepting closes the new-puzzle dialog" new_puzzle_gone
    wait_until $((2 * DEADLINE)) "the board shows the new deal" play_screen_drawn
}

# --- The new-puzzle dialog ------------------------------------------------------------------
# "New game" opens the dialog (552 x 372 client, centred on the screen) over the disabled play
# screen; its children stand at fixed places of its client area, so a script finds the
# client's corner once (dialog_origin) and adds the places to it.
DIALOG_X= DIALOG_Y= DIALOG_W= DIALOG_H=
dialog_origin() {
    read -r DIALOG_X DIALOG_Y DIALOG_W DIALOG_H < <(ask client "${NEW_PUZZLE[@]}" 0) ||
        fail "the new-puzzle dialog has no client area"
}
# A point of the dialog's client area on the screen, as "x y".
in_dialog() { echo "$((DIALOG_X + $1)) $((DIALOG_Y + $2))"; }
# A rectangle of the dialog's client area on the screen, as a geometry WxH+X+Y.
dialog_area() { echo "$3x$4+$((DIALOG_X + $1))+$((DIALOG_Y + $2))"; }
# The screen centre of a shown child of the dialog (class, control id), as "x y".
dialog_child_centre() {
    local x y w h
    read -r x y w h < <(ask child "${NEW_PUZZLE[@]}" "$1" "$2") || return 1
    echo "$((x + w / 2)) $((y + h / 2))"
}
dialog_child_shown() { ask child "${NEW_PUZZLE[@]}" "$1" "$2" >/dev/null; }
dialog_child_hidden() { ! dialog_child_shown "$@"; }
# What a shown child of a class answers to a message (the pages hold controls of one class).
ask_shown() { ask send-shown "${NEW_PUZZLE[@]}" "$@"; }

# The four page tabs (check boxes 100..103): picture, shape, size, pieces.
PAGE_PICTURE=0 PAGE_SHAPE=1 PAGE_SIZE=2 PAGE_PIECES=3
tab_centre() { dialog_child_centre CQVCHECK $((100 + $1)); }
page_tab_checked() { [[ $(ask send "${NEW_PUZZLE[@]}" CQVCHECK $((100 + $1)) $CHK_GETCHECK) == 1 ]]; }
# A child that only its page shows: the first picture box, the shape display (control 14),
# the zoom picker, the piece-count picker.
SHAPE_DISPLAY_ID=14
page_shown() {
    case $1 in
        0) dialog_child_shown CWNDPREVFS 300 ;;
        1) dialog_child_shown CQVANIM $SHAPE_DISPLAY_ID ;;
        2) dialog_child_shown CWNDIMAGETAM '*' ;;
        3) dialog_child_shown CWNDIMAGECANT '*' ;;
    esac
}
# Clicks the tab of a page and waits for the page to show.
show_page() {
    local centre
    centre=$(tab_centre "$1") || fail "no tab for page $1"
    click_control $centre
    wait_until "$DEADLINE" "page $1 shows" page_shown "$1"
}

# The buttons on the dialog's shelf.
ACCEPT_AT=(317 313 128 48)
VIEW_AT=(219 314 86 48)
shelf_centre() { in_dialog $(($1 + $3 / 2)) $(($2 + $4 / 2)); }

# "New game" from the play screen: the game may first ask whether to leave the game in play;
# the answer OK leaves it. Returns once the dialog is up and its corner known.
open_new_puzzle() {
    click_control $NEW_GAME_CENTRE
    wait_until "$DEADLINE" "\"New game\" opens the new-puzzle dialog or asks first" eval 'new_puzzle_up || question_up'
    if ! new_puzzle_up; then
        xdotool key Return
        wait_until "$DEADLINE" "the new-puzzle dialog opens" new_puzzle_up
    fi
    dialog_origin
}
# A new game as a player deals one: "New game", then Accept with what the dialog proposes.
deal_new_game() {
    open_new_puzzle
    accept_new_puzzle
}

# The fraction, in thousandths, of pure red pixels on the ring two pixels wide around a
# picture of w x h centred in a box: the red frame of the chosen picture lies there.
# red_ring SHOT BOX_X BOX_Y BOX_W BOX_H W H (box in screen coordinates).
red_ring() {
    local shot=$1 bx=$2 by=$3 bw=$4 bh=$5 w=$6 h=$7 left top red
    left=$((bx + (bw - w) / 2))
    top=$((by + (bh - h) / 2))
    red=$(convert "$shot" -crop "$((w + 4))x$((h + 4))+$((left - 2))+$((top - 2))" +repage \
        -fill black -draw "rectangle 2,2 $((w + 1)),$((h + 1))" -fx "r > 0.95 && g < 0.05 && b < 0.05 ? 1 : 0" \
        -format "%[fx:int(mean * w * h)]" info:)
    echo $((red * 1000 / ((w + 4) * (h + 4) - w * h)))
}
