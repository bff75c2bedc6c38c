#!/usr/bin/env bash
# The Wine runner: every Windows-side test and `make play` go through it.
#
#   wine-run.sh PROGRAM.exe [ARGS...]   run a Windows program and return its exit code
#   wine-run.sh COMMAND [ARGS...]       run a Linux command (an end-to-end driver) inside the
#                                       same environment; it starts the game with "$VEXLA_WINE"
#
# It gives the program a private X display (Xvfb, 1024 x 768) unless VEXLA_DISPLAY=current,
# a private reusable WINEPREFIX in the build folder set to run everything inside a 1024 x 768
# virtual desktop with "Comic Sans MS" replaced by "Comic Neue", and a HOME whose .asoundrc
# sends all sound to a file. A run holds the prefix's lock, so runs never share a wineserver.
# At the end it stops exactly what it started: the prefix's own wineserver and its processes
# (wineserver -k acts on this prefix only) and the Xvfb it launched, by PID.
#
# Environment: VEXLA_TIMEOUT (seconds, default 120; 0 = none), VEXLA_DEPTH (Xvfb depth,
# default 24), VEXLA_DISPLAY=current (use $DISPLAY), VEXLA_BUILD_DIR (default <repo>/build).
set -uo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VEXLA_BUILD_DIR:-$repo/build}
export WINEPREFIX=$build/wineprefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINELOADER=/usr/lib/wine/wine64
export VEXLA_WINE=/usr/lib/wine/wine64
export VEXLA_WINESERVER=/usr/lib/wine/wineserver64
[[ -x $VEXLA_WINESERVER ]] || VEXLA_WINESERVER=/usr/lib/wine/wineserver
export WINESERVER=$VEXLA_WINESERVER
export VEXLA_SCREENSHOTS=$build/screenshots
export VEXLA_DIST=$build/dist
timeout_s=${VEXLA_TIMEOUT:-120}
depth=${VEXLA_DEPTH:-24}

if (($# == 0)); then
    echo "usage: wine-run.sh PROGRAM.exe|COMMAND [ARGS...]" >&2
    exit 2
fi
mkdir -p "$build" "$VEXLA_SCREENSHOTS"

# One run at a time per prefix: a wineserver serves one display.
exec 9>"$build/wineprefix.lock"
flock 9

xvfb_pid=
cleanup() {
    "$VEXLA_WINESERVER" -k >/dev/null 2>&1
    "$VEXLA_WINESERVER" -w >/dev/null 2>&1
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
}
trap cleanup EXIT
trap 'exit 143' INT TERM

# --- display -----------------------------------------------------------------------------
if [[ ${VEXLA_DISPLAY:-} == current ]]; then
    if [[ -z ${DISPLAY:-} ]] || ! xdpyinfo >/dev/null 2>&1; then
        echo "No X display: run this from a desktop session, or start one first, e.g." >&2
        echo "  Xvfb :5 -screen 0 1024x768x24 & export DISPLAY=:5" >&2
        exit 3
    fi
else
    n=90
    while [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 "1024x768x$depth" -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 100); do
        xdpyinfo >/dev/null 2>&1 && break
        if ! kill -0 "$xvfb_pid" 2>/dev/null; then
            # Another runner won the race for this number: try the next one.
            n=$((n + 1))
            Xvfb ":$n" -screen 0 "1024x768x$depth" -nolisten tcp >/dev/null 2>&1 &
            xvfb_pid=$!
            export DISPLAY=":$n"
        fi
        sleep 0.1
    done
    xdpyinfo >/dev/null 2>&1 || { echo "wine-run: Xvfb did not start" >&2; exit 3; }
fi

# --- sound to a file ---------------------------------------------------------------------
export HOME=$build/wine-home
mkdir -p "$HOME"
export VEXLA_SOUND_FILE=$HOME/alsa_out.raw
cat >"$HOME/.asoundrc" <<ASOUND
pcm.!default { type file; slave.pcm "null"; file "$VEXLA_SOUND_FILE"; format "raw" }
ASOUND
: >"$VEXLA_SOUND_FILE"

# --- the prefix, made once ---------------------------------------------------------------
if [[ ! -f $WINEPREFIX/.vexla-ready ]]; then
    rm -rf "$WINEPREFIX"
    "$VEXLA_WINE" wineboot -i >/dev/null 2>&1
    reg() { "$VEXLA_WINE" reg add "$@" /f >/dev/null 2>&1; }
    reg 'HKCU\Software\Wine\Fonts\Replacements' /v "Comic Sans MS" /t REG_SZ /d "Comic Neue"
    reg 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Vexla
    reg 'HKCU\Software\Wine\Explorer\Desktops' /v Vexla /t REG_SZ /d 1024x768
    # A crash ends the program instead of waiting for someone to close a dialog.
    reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
    "$VEXLA_WINESERVER" -w
    touch "$WINEPREFIX/.vexla-ready"
fi

# --- run ---------------------------------------------------------------------------------
if [[ $1 == *.exe || $1 == *.EXE ]]; then
    cmd=("$VEXLA_WINE" "$@")
else
    cmd=("$@")
fi
if [[ $timeout_s == 0 ]]; then
    "${cmd[@]}"
else
    timeout --kill-after=5 "$timeout_s" "${cmd[@]}"
fi
status=$?
[[ $status == 124 ]] && echo "wine-run: timed out after ${timeout_s}s: $*" >&2
exit $status
