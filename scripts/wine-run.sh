#!/usr/bin/env bash
# The Wine runner: every Windows-side test and `make play` go through it.
#
#   wine-run.sh PROGRAM.exe [ARGS...]   run a Windows program and return its exit code
#   wine-run.sh COMMAND [ARGS...]       run a Linux command (an end-to-end driver) inside the
#                                       same environment; it starts the game with "$VEXLA_WINE"
#
# It gives the program a private X display (Xvfb) unless VEXLA_DISPLAY=current, a private
# reusable WINEPREFIX in the build folder set to run everything inside a virtual desktop of the
# screen's size with "Comic Sans MS" replaced by "Comic Neue", and a HOME whose .asoundrc sends
# all sound to a file. A run holds the prefix's lock, so runs never share a wineserver.
# At the end it stops exactly what it started: the prefix's own wineserver and its processes
# (wineserver -k acts on this prefix only) and the Xvfb it launched, by PID.
#
# Environment: VEXLA_TIMEOUT (seconds, default 120; 0 = none), VEXLA_SCREEN (WIDTHxHEIGHT of the
# X screen and the virtual desktop, default 1024x768), VEXLA_DEPTH (Xvfb depth, default 24),
# VEXLA_DISPLAY=current (use $DISPLAY), VEXLA_BUILD_DIR (default <repo>/build), VEXLA_PRINTER=pdf.
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
export VEXLA_SCREEN=${VEXLA_SCREEN:-1024x768}
# Xvfb says it accepts connections within a second when the machine is idle; the deadline is
# for a machine busy with parallel builds and several runners at once. The same holds for CUPS.
xvfb_deadline_s=60
cups_deadline_s=60

if [[ ! $VEXLA_SCREEN =~ ^[1-9][0-9]{2,4}x[1-9][0-9]{2,4}$ ]]; then
    echo "wine-run: VEXLA_SCREEN must be WIDTHxHEIGHT, e.g. 1920x1080 (got '$VEXLA_SCREEN')" >&2
    exit 2
fi

if (($# == 0)); then
    echo "usage: wine-run.sh PROGRAM.exe|COMMAND [ARGS...]" >&2
    exit 2
fi
mkdir -p "$build" "$VEXLA_SCREENSHOTS"

# One run at a time per prefix: a wineserver serves one display.
exec 9>"$build/wineprefix.lock"
flock 9

xvfb_pid=
cups_pid=
cleanup() {
    "$VEXLA_WINESERVER" -k >/dev/null 2>&1
    "$VEXLA_WINESERVER" -w >/dev/null 2>&1
    if [[ -n $cups_pid ]]; then
        kill "$cups_pid" 2>/dev/null
        wait "$cups_pid" 2>/dev/null
    fi
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
    # Xvfb picks a free display number itself and writes it to the -displayfd descriptor once
    # it accepts connections, so runners never race for a number and never poll for readiness.
    # -noreset keeps the server as it is when the last client leaves between two programs.
    xvfb_log=$build/xvfb.log
    exec {xvfb_ready}< <(exec Xvfb -displayfd 3 -screen 0 "${VEXLA_SCREEN}x$depth" -nolisten tcp \
        -noreset 3>&1 >/dev/null 2>"$xvfb_log" </dev/null)
    xvfb_pid=$!
    display_number=
    read -r -t "$xvfb_deadline_s" -u "$xvfb_ready" display_number
    exec {xvfb_ready}<&-
    if [[ ! $display_number =~ ^[0-9]+$ ]]; then
        echo "wine-run: Xvfb did not start within ${xvfb_deadline_s}s; its log:" >&2
        tail -n 20 "$xvfb_log" >&2
        exit 3
    fi
    export DISPLAY=":$display_number"
fi

# --- sound to a file ---------------------------------------------------------------------
export HOME=$build/wine-home
mkdir -p "$HOME"
export VEXLA_SOUND_FILE=$HOME/alsa_out.raw
cat >"$HOME/.asoundrc" <<ASOUND
pcm.!default { type file; slave.pcm "null"; file "$VEXLA_SOUND_FILE"; format "raw" }
ASOUND
: >"$VEXLA_SOUND_FILE"

# --- printers ----------------------------------------------------------------------------
# A private scheduler: its configuration, spool, state and logs under build/cups, no network
# port, the machine's filters and backends. Jobs are printed by cups-pdf, which writes each
# PDF into the job owner's home (the "Out" setting of /etc/cups/cups-pdf.conf).
start_pdf_printer() {
    local cups=$build/cups
    mkdir -p "$cups/etc/ppd" "$cups/spool/tmp" "$cups/state" "$cups/cache" "$cups/log"
    # The queue is made afresh below: jobs an interrupted run left for the old one are dropped
    # when the scheduler finds no queue for them, instead of printing into this run. The job
    # numbers carry on, so PDFs of earlier runs are not overwritten.
    rm -f "$cups/cups.sock" "$cups/etc/printers.conf" "$cups/etc/printers.conf.O" "$cups"/etc/ppd/*
    cat >"$cups/etc/cups-files.conf" <<FILES
ServerRoot $cups/etc
RequestRoot $cups/spool
TempDir $cups/spool/tmp
StateDir $cups/state
CacheDir $cups/cache
ServerBin /usr/lib/cups
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
AccessLog $cups/log/access_log
ErrorLog $cups/log/error_log
PageLog $cups/log/page_log
Printcap $cups/state/printcap
SystemGroup root
FileDevice No
FILES
    cat >"$cups/etc/cupsd.conf" <<CONF
Listen $cups/cups.sock
Browsing No
WebInterface No
LogLevel warn
ErrorPolicy abort-job
DefaultPolicy private
<Policy private>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
<Location />
  Order deny,allow
</Location>
CONF
    export CUPS_SERVER=$cups/cups.sock
    /usr/sbin/cupsd -f -c "$cups/etc/cupsd.conf" -s "$cups/etc/cups-files.conf" </dev/null >/dev/null 2>&1 &
    cups_pid=$!
    local deadline=$((SECONDS + cups_deadline_s))
    until lpstat -r >/dev/null 2>&1; do
        if ! kill -0 "$cups_pid" 2>/dev/null || ((SECONDS >= deadline)); then
            echo "wine-run: the CUPS scheduler did not start; its log:" >&2
            tail -n 20 "$cups/log/error_log" >&2 2>/dev/null
            exit 3
        fi
        sleep 0.1
    done
    # lpadmin says that printer drivers are deprecated: true, and harmless here.
    if ! lpadmin -p PDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null ||
        ! lpadmin -d PDF; then
        echo "wine-run: could not add the PDF printer (is printer-driver-cups-pdf installed?)" >&2
        exit 3
    fi
}

if [[ ${VEXLA_PRINTER:-} == pdf ]]; then
    start_pdf_printer
elif [[ ${VEXLA_DISPLAY:-} != current ]]; then
    export CUPS_SERVER=$build/cups/no-scheduler.sock
fi

# --- the prefix, made once ---------------------------------------------------------------
if [[ ! -f $WINEPREFIX/.vexla-ready ]]; then
    rm -rf "$WINEPREFIX"
    "$VEXLA_WINE" wineboot -i >/dev/null 2>&1
    reg() { "$VEXLA_WINE" reg add "$@" /f >/dev/null 2>&1; }
    reg 'HKCU\Software\Wine\Fonts\Replacements' /v "Comic Sans MS" /t REG_SZ /d "Comic Neue"
    reg 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Vexla
    # A crash ends the program instead of waiting for someone to close a dialog.
    reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
    "$VEXLA_WINESERVER" -w
    touch "$WINEPREFIX/.vexla-ready"
fi
# The virtual desktop takes the screen's size; the prefix remembers the last one it was given.
desktop_stamp=$WINEPREFIX/.vexla-desktop
if [[ $(cat "$desktop_stamp" 2>/dev/null) != "$VEXLA_SCREEN" ]]; then
    if ! "$VEXLA_WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Vexla /t REG_SZ \
        /d "$VEXLA_SCREEN" /f >/dev/null 2>&1; then
        echo "wine-run: could not set the virtual desktop to $VEXLA_SCREEN" >&2
        exit 3
    fi
    "$VEXLA_WINESERVER" -w
    echo "$VEXLA_SCREEN" >"$desktop_stamp"
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
