#!/usr/bin/env bash
# Screenshots of a freshly dealt board on three shipped pictures, for judging how pieces look
# (before and after a change to the painting): leafy greens, sky and water, warm autumn.
#
#   scripts/board-shots.sh TAG      saves build/screenshots/board_<picture>_<TAG>.png
#
# Every opening picture of a copy of the game folder is replaced by the one wanted, so the
# first game deals it whatever digit it draws. Runs the game under the Wine runner
# (VEXLA_SCREEN and VEXLA_DEPTH apply) and needs the built game folder and the window probe.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
tag=${1:?usage: board-shots.sh TAG}
build=${VEXLA_BUILD_DIR:-$repo/build}
pictures=(0/Garden 1/ByTheWater 1/Autumn)

if [[ -z ${VEXLA_WINE:-} ]]; then
    # Not yet inside the runner: start it around this script.
    exec "$repo/scripts/wine-run.sh" bash "$0" "$@"
fi

export VEXLA_PROBE=${VEXLA_PROBE:-$build/win64/tests/e2e/WindowProbe.exe}
for picture in "${pictures[@]}"; do
    name=${picture#*/}
    export VEXLA_E2E_WORK=$build/board-shots/$name
    # shellcheck source=../tests/e2e/lib.sh
    source "$repo/tests/e2e/lib.sh"
    game=$(fresh_game)
    for n in 0 1 2 3 4 5; do cp "$VEXLA_DIST/Image/$picture.bmp" "$game/Image/foto$n.bmp"; done
    start_game "$game"
    probe wait CWNDBACK "Vexla Puzzle" 30000 >/dev/null || fail "the play screen did not appear"
    xdotool mousemove 5 5
    sleep 3
    screenshot "board_${name}_$tag"
    xdotool key alt+F4
    wait_game_exit 20 || kill "$GAME_PID"
done
echo "saved in $VEXLA_SCREENSHOTS: board_*_$tag.png"
