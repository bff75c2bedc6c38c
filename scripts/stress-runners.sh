#!/usr/bin/env bash
# Starts many Wine runners at once on a loaded machine and reports how many succeeded.
#
#   stress-runners.sh [COUNT]     COUNT runners (default 10)
#
# Each runner has a build folder of its own under build/stress/ (its own prefix, lock, Xvfb and
# wineserver), so all of them start their X servers and Windows programs at the same moment,
# the way runners of several worktrees meet on one machine. Every runner makes its prefix first,
# all at once, the heaviest start there is; the prefixes (about 700 MB each) are removed at the
# end unless VEXLA_STRESS_KEEP=1 keeps them for quicker runs that start from made prefixes.
# While they run, one busy loop per core keeps the machine loaded (VEXLA_STRESS_LOAD=0: none).
# Afterwards it checks that no runner left anything behind: no Xvfb writing to a runner's log
# and no process of a runner's prefix.
#
# Environment: VEXLA_STRESS_PROGRAM (a Win32 program of the build, default the button test),
# VEXLA_STRESS_FILTER (its --gtest_filter), VEXLA_STRESS_DEADLINE (seconds per runner, including
# a first start of its prefix; default 900), VEXLA_BUILD_DIR (default <repo>/build).
set -uo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VEXLA_BUILD_DIR:-$repo/build}
count=${1:-10}
program=${VEXLA_STRESS_PROGRAM:-$build/win64/tests/win/CommandButtonTest.exe}
filter=${VEXLA_STRESS_FILTER:-CommandButtonTest.ClickOverTheButton:CommandButtonTest.PressDragOffReleaseElsewhere}
deadline_s=${VEXLA_STRESS_DEADLINE:-900}
stress=$build/stress

if [[ ! $count =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: stress-runners.sh [COUNT]" >&2
    exit 2
fi
if [[ ! -f $program ]]; then
    echo "stress-runners: $program is missing; build it first (make win64)" >&2
    exit 2
fi
mkdir -p "$stress"

load_pids=()
stop_load() {
    ((${#load_pids[@]})) || return 0
    kill "${load_pids[@]}" 2>/dev/null
    wait "${load_pids[@]}" 2>/dev/null
    load_pids=()
}
runner_pids=()
stop_runners() {
    # A runner ends its own Xvfb and wineserver when it is terminated.
    if ((${#runner_pids[@]})); then
        kill "${runner_pids[@]}" 2>/dev/null
        wait "${runner_pids[@]}" 2>/dev/null
    fi
    stop_load
}
trap stop_runners EXIT
trap 'exit 143' INT TERM

if [[ ${VEXLA_STRESS_LOAD:-1} != 0 ]]; then
    for _ in $(seq "$(nproc)"); do
        yes >/dev/null &
        load_pids+=($!)
    done
fi

echo "stress-runners: $count runners of $(basename "$program") --gtest_filter=$filter," \
    "${#load_pids[@]} busy loops"
# Microseconds since the epoch, for elapsed times.
now_us() { echo "${EPOCHREALTIME/./}"; }
seconds_since() { printf '%d.%d' $((($(now_us) - $1) / 1000000)) $((($(now_us) - $1) / 100000 % 10)); }
started=$(now_us)
for i in $(seq "$count"); do
    dir=$stress/runner-$i
    mkdir -p "$dir"
    rm -f "$dir/result"
    (
        begin=$(now_us)
        VEXLA_BUILD_DIR=$dir timeout --kill-after=10 "$deadline_s" \
            "$repo/scripts/wine-run.sh" "$program" --gtest_filter="$filter" >"$dir/run.log" 2>&1
        status=$?
        echo "$status $(seconds_since "$begin")" >"$dir/result"
    ) &
    runner_pids+=($!)
done
wait "${runner_pids[@]}"
runner_pids=()
stop_load
total=$(seconds_since "$started")

passed=0
for i in $(seq "$count"); do
    dir=$stress/runner-$i
    status=lost seconds='?'
    [[ -f $dir/result ]] && read -r status seconds <"$dir/result"
    if [[ $status == 0 ]] && grep -q '^\[  PASSED  \]' "$dir/run.log"; then
        passed=$((passed + 1))
        echo "runner $i: passed in ${seconds}s"
    else
        echo "runner $i: FAILED (exit $status) after ${seconds}s; last lines of $dir/run.log:"
        tail -n 15 "$dir/run.log" | sed 's/^/    /'
    fi
done

# Whatever still runs with a runner's prefix in its environment or a runner's Xvfb log as its
# error output was left behind.
left=()
for proc in /proc/[0-9]*; do
    pid=${proc#/proc/}
    # Processes may end while being looked at: their files then read as empty.
    if { tr '\0' '\n' <"$proc/environ"; } 2>/dev/null | grep -q "^WINEPREFIX=$stress/" ||
        [[ $(readlink "$proc/fd/2" 2>/dev/null) == "$stress"/*/xvfb.log ]]; then
        left+=("$pid $({ tr '\0' ' ' <"$proc/cmdline"; } 2>/dev/null)")
    fi
done
if ((${#left[@]})); then
    echo "stress-runners: processes left behind:"
    printf '    %s\n' "${left[@]}"
fi

if [[ ${VEXLA_STRESS_KEEP:-0} != 1 ]]; then
    for i in $(seq "$count"); do rm -rf "$stress/runner-$i/wineprefix"; done
fi

printf 'stress-runners: %d of %d runners passed in %ss; %d processes left behind\n' \
    "$passed" "$count" "$total" "${#left[@]}"
((passed == count && ${#left[@]} == 0))
