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
