# The volume window in a game played with the mouse: the music tool opens it; the master
# slider dragged to about a fifth makes the next effect sound about a fifth as loud in the
# samples the sound device captured; Cancel puts the volume back, OK keeps it, and opening
# the window again shows the volume it left.
source "$(dirname "$0")/lib.sh"

game=$(fresh_game)
work=$VEXLA_E2E_WORK
MUSIC=(CWNDMUSICA '*')
MASTER_SLIDER=102
SLD_GETVALUE=1346
music_window_up() { ask wait "${MUSIC[@]}" 0 >/dev/null; }
music_window_gone() { ! music_window_up; }
master_value() { ask send "${MUSIC[@]}" CQVSLIDE $MASTER_SLIDER $SLD_GETVALUE; }

# The window's client area (360 x 286) in the middle of its frame: its screen origin.
client_origin() {
    local x y w h
    read -r x y w h < <(ask wait "${MUSIC[@]}" 1000) || fail "no volume window"
    echo $((x + (w - 360) / 2)) $((y + (h - 286) / 2))
}
# Where the master slider's thumb stands for value $1 (0 at y 215, 99 at y 68, x 123).
thumb_at() { echo $((OX + 123)) $((OY + 215 - 147 * $1 / 99)); }

open_music_window() {
    xdotool mousemove 8 300
    wait_until "$DEADLINE" "the tools panel slides out" tools_panel_out
    xdotool mousemove 59 532
    click_control 59 532  # the music tool
    check_within "$DEADLINE" "the music tool opens the volume window" music_window_up
    read -r OX OY < <(client_origin)
}

# The captured samples: the sound device truncates its file each time a sound starts, so the
# file holds the last effect played. A sound has been written once the file has samples and
# stopped growing between two looks.
LAST_SIZE=-1
sound_written() {
    local size
    size=$(stat -c %s "$VEXLA_SOUND_FILE" 2>/dev/null || echo 0)
    if ((size > 0 && size == LAST_SIZE)); then return 0; fi
    LAST_SIZE=$size
    return 1
}
# The loudness of the captured samples (16-bit): the 99.9th percentile of their magnitudes.
loudness() {
    python3 - "$VEXLA_SOUND_FILE" <<'PY'
import array, sys
samples = array.array("h")
with open(sys.argv[1], "rb") as f:
    data = f.read()
samples.frombytes(data[: len(data) // 2 * 2])
magnitudes = sorted(abs(s) for s in samples)
print(magnitudes[int(len(magnitudes) * 0.999)] if magnitudes else 0)
PY
}
# Plays the hover sound by moving the pointer onto the button at client ($1, $2) from off it,
# and measures it.
hover_loudness() {
    : >"$VEXLA_SOUND_FILE"
    LAST_SIZE=-1
    xdotool mousemove $((OX + 20)) $((OY + 150))
    xdotool mousemove $((OX + $1)) $((OY + $2))
    wait_until "$DEADLINE" "the hover sound is captured" sound_written
    loudness
}
drag_master_to() {
    local from
    from=$(master_value)
    read -r fx fy < <(thumb_at "$from")
    read -r tx ty < <(thumb_at "$1")
    xdotool mousemove "$fx" "$fy" mousedown 1
    wait_until "$DEADLINE" "the press reaches the master slider's thumb" has_capture
    move_in_steps "$fx" "$fy" "$tx" "$ty"
    xdotool mouseup 1
    wait_until "$DEADLINE" "the slider handles the release" has_no_capture
}
value_near() { local v; v=$(master_value) && ((v >= $1 - 2 && v <= $1 + 2)); }

start_game "$game"
open_music_window
screenshot music_window
found=$(master_value)
echo "the master slider shows $found"
full=$(hover_loudness 298 253)  # Cancel
echo "hover sound at the volume found: $full"
((full > 0)) || fail "the hover sound was silent"

drag_master_to 20
check_within "$DEADLINE" "the master slider stands at about 20" value_near 20
quiet=$(hover_loudness 171 253)  # OK
echo "hover sound at 20: $quiet (ratio $((100 * quiet / full)) %, expected about $((100 * 20 / found)) %)"
ratio=$((100 * quiet * found / (full * 20)))  # 100 when the loudness follows the volume exactly
check "the effect is about as much quieter as the volume (measured/expected: $ratio %)" \
    test $ratio -ge 60 -a $ratio -le 150

click_control $((OX + 298)) $((OY + 253))  # Cancel
check_within "$DEADLINE" "Cancel closes the window" music_window_gone
open_music_window
check_within "$DEADLINE" "after Cancel the window shows the volume it found ($found)" value_near "$found"

drag_master_to 20
click_control $((OX + 171)) $((OY + 253))  # OK
check_within "$DEADLINE" "OK closes the window" music_window_gone
open_music_window
check_within "$DEADLINE" "after OK the window shows the volume set (20)" value_near 20
drag_master_to "$found"
click_control $((OX + 171)) $((OY + 253))
wait_until "$DEADLINE" "the window goes with the volume as it was" music_window_gone
kill "$GAME_PID" 2>/dev/null
wait "$GAME_PID" 2>/dev/null
exit 0
