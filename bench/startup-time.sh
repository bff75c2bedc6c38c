#!/usr/bin/env bash
# Start-up time of the real game under the Wine runner, as a player feels it: from launching
# Vexla.exe to the main menu being visible (with the introductory clip removed, so that the
# clip's own length does not count), and from the click on the play button to the play screen
# being visible and then drawn (pieces dealt, clock shown). One warm-up start comes first, so
# the figures are those after the first Wine start on the machine. A measurement, not a test:
# it prints figures and fails only when the game does not come up at all. "Drawn" is polled
# through screenshots, which themselves take a fraction of a second on a busy machine.
#
#   bench/startup-time.sh [RUNS]        (after `make win64`; default 5 runs)
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
if [[ -z ${VEXLA_WINE:-} ]]; then
    export VEXLA_TIMEOUT=0
    exec "$repo/scripts/wine-run.sh" bash "$repo/bench/startup-time.sh" "$@"
fi
runs=${1:-5}
export VEXLA_PROBE=${VEXLA_PROBE:-$repo/build/win64/tests/e2e/WindowProbe.exe}
export VEXLA_E2E_WORK=${VEXLA_E2E_WORK:-$repo/build/bench-startup}
source "$repo/tests/e2e/lib.sh"

game=$(fresh_game)
rm -f "$game/Video/Present.avi"
start_probe_session

# One start from launch to the play screen; leaves the three intervals in ms in TIMES.
TIMES=
measure_once() {
    local launched menu clicked shown drawn
    launched=$(now_ms)
    "$VEXLA_WINE" "$game/Vexla.exe" &
    GAME_PID=$!
    ask wait "${MAIN_MENU[@]}" $((DEADLINE * 1000)) >/dev/null || fail "the main menu did not appear"
    menu=$(now_ms)
    xdotool mousemove $PLAY_BUTTON_CENTRE click 1
    clicked=$(now_ms)
    ask wait "${PLAY_SCREEN[@]}" $((DEADLINE * 1000)) >/dev/null || fail "the play screen did not appear"
    shown=$(now_ms)
    wait_until "$DEADLINE" "the play screen is drawn" play_screen_drawn
    drawn=$(now_ms)
    xdotool key alt+F4
    wait_game_exit
    TIMES="$((menu - launched)) $((shown - clicked)) $((drawn - clicked))"
}

# What any Windows program costs to start and end here, for scale: the probe's one-line answer.
baseline() {
    local from
    from=$(now_ms)
    probe depth >/dev/null || fail "the probe does not run"
    echo $(($(now_ms) - from))
}

measure_once
echo "warm-up start: launch->menu, click->play screen, click->drawn (ms): $TIMES"
all=()
for ((i = 1; i <= runs; i++)); do
    measure_once
    echo "run $i: launch->menu, click->play screen, click->drawn (ms): $TIMES"
    all+=("$TIMES")
done
echo "for scale, a console Windows program started and ended (ms): $(baseline) $(baseline) $(baseline)"
printf '%s\n' "${all[@]}" | awk '
    { for (k = 1; k <= 3; k++) { v[k, NR] = $k; s[k] += $k } }
    END {
        split("launch to main menu visible|play click to play screen visible|play click to play screen drawn", name, "|")
        for (k = 1; k <= 3; k++) {
            n = NR; for (i = 1; i <= n; i++) a[i] = v[k, i]
            for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
            printf "%-36s median %5d ms  min %5d ms  max %5d ms  (%d runs)\n", name[k], a[int((n + 1) / 2)], a[1], a[n], n
        }
    }'
