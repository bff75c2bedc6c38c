#!/bin/sh
# Makes the game's effect sounds: short synthesised effects (sox) and English spoken words
# (espeak-ng), all 22050 Hz mono 16-bit PCM, trimmed, faded and brought to one loudness
# (the same RMS level, with peaks kept below full scale); and sounds.rc, which lists them
# as WAVE resources for the executable.
#   make_sounds.sh <out folder for the .wav files> <out sounds.rc>
set -eu
out=$1 rc=$2
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fmt="-r 22050 -c 1 -b 16"
rms=0.14   # target RMS amplitude of every sound (about -17 dBFS)

# finish <raw file> <id>: trim silence at both ends, soften the edges, set the loudness.
finish() {
    sox "$1" $fmt "$work/t.wav" silence 1 0.005 0.3% reverse silence 1 0.005 0.3% reverse
    sox "$work/t.wav" "$work/f.wav" fade t 0.004 0 0.02
    # Gain to the target RMS, lowered where it would push the peak past 0.93 of full scale.
    gain=$(sox "$work/f.wav" -n stat 2>&1 | awk -v t="$rms" '
        /^Maximum amplitude/ { if ($3 > peak) peak = $3 }
        /^Minimum amplitude/ { if (-$3 > peak) peak = -$3 }
        /^RMS +amplitude/ { level = $3 }
        END {
            g = t / level
            if (peak * g > 0.93) g = 0.93 / peak
            printf "%.3f", 20 * log(g) / log(10)
        }')
    sox "$work/f.wav" $fmt "$out/$2.wav" gain "$gain"
}

# A note: tone <file> <seconds> <pitch> [sox synth type], plucked-bell envelope.
tone() {
    sox -n $fmt "$1" synth "$2" "${4:-sine}" "$3" synth "$2" sine amod 0 0 fade q 0.005 "$2" "$(echo "$2" | awk '{print $1 * 0.85}')"
}

# --- Effects ---------------------------------------------------------------------------

# 463 hover: a soft, short blip.
sox -n $fmt "$work/a.wav" synth 0.06 sine 1500-1900 fade q 0.003 0.06 0.05 vol 0.6
finish "$work/a.wav" 463

# 465 click (also pieces joining): a small wooden clack, a thump and a tick.
sox -n $fmt "$work/a.wav" synth 0.07 sine 220-140 fade q 0.001 0.07 0.065
sox -n $fmt "$work/b.wav" synth 0.03 pinknoise highpass 1500 fade q 0.001 0.03 0.028
sox -m "$work/a.wav" "$work/b.wav" "$work/c.wav"
finish "$work/c.wav" 465

# 459 ding: a bright bell.
sox -n $fmt "$work/a.wav" synth 0.7 pluck E6 synth 0.7 sine mix 2637 fade q 0.002 0.7 0.6
finish "$work/a.wav" 459

# 457 solve: a rising magic arpeggio with a shimmer.
i=0
for n in C5 E5 G5 C6 E6; do
    sox -n $fmt "$work/n$i.wav" synth 0.09 pluck "$n" fade q 0.002 0.09 0.02
    i=$((i + 1))
done
sox -n $fmt "$work/s.wav" synth 0.35 pluck G6 fade q 0.002 0.35 0.3
sox "$work/n0.wav" "$work/n1.wav" "$work/n2.wav" "$work/n3.wav" "$work/n4.wav" "$work/s.wav" "$work/a.wav"
finish "$work/a.wav" 457

# 458 no hints left: the bulb fizzles out, a falling tone with crackle.
sox -n $fmt "$work/a.wav" synth 0.45 sine 900-180 fade q 0.005 0.45 0.3
sox -n $fmt "$work/b.wav" synth 0.45 brownnoise vol 0.25 fade q 0.005 0.45 0.4
sox -m "$work/a.wav" "$work/b.wav" "$work/c.wav"
finish "$work/c.wav" 458

# 460 music tool: three plucked notes going up.
sox -n $fmt "$work/a.wav" synth 0.12 pluck G5 fade q 0.002 0.12 0.03
sox -n $fmt "$work/b.wav" synth 0.12 pluck B5 fade q 0.002 0.12 0.03
sox -n $fmt "$work/c.wav" synth 0.4 pluck D6 fade q 0.002 0.4 0.35
sox "$work/a.wav" "$work/b.wav" "$work/c.wav" "$work/d.wav"
finish "$work/d.wav" 460

# 461 honour: a sparkling gleam, a high glissando with a tremolo.
sox -n $fmt "$work/a.wav" synth 0.55 sine 1800-3600 tremolo 18 60 fade q 0.01 0.55 0.35
finish "$work/a.wav" 461

# 462 statistics: a page turning, a short brushed noise and a tick.
sox -n $fmt "$work/a.wav" synth 0.16 pinknoise band 2500 1500 fade h 0.05 0.16 0.1
sox -n $fmt "$work/b.wav" synth 0.16 sine 2400 fade q 0.001 0.02 0.019 pad 0.13
sox -m "$work/a.wav" "$work/b.wav" "$work/c.wav"
finish "$work/c.wav" 462

# 464 and 467: a soft pop and a low tock (kept for the full set of slots).
sox -n $fmt "$work/a.wav" synth 0.08 sine 600-1200 fade q 0.002 0.08 0.06
finish "$work/a.wav" 464
sox -n $fmt "$work/a.wav" synth 0.1 sine 330-200 fade q 0.001 0.1 0.09
finish "$work/a.wav" 467

# 468 new puzzle and options: a soft swoosh.
sox -n $fmt "$work/a.wav" synth 0.35 pinknoise lowpass 2500 highpass 300 fade h 0.15 0.35 0.2
finish "$work/a.wav" 468

# 469 about and options: a two-note chime.
sox -n $fmt "$work/a.wav" synth 0.18 pluck A5 fade q 0.002 0.18 0.04
sox -n $fmt "$work/b.wav" synth 0.45 pluck E6 fade q 0.002 0.45 0.4
sox "$work/a.wav" "$work/b.wav" "$work/c.wav"
finish "$work/c.wav" 469

# 470 hover of animated buttons: a little bubble.
sox -n $fmt "$work/a.wav" synth 0.09 sine 380-950 fade q 0.004 0.09 0.05 vol 0.7
finish "$work/a.wav" 470

# 502 hall of honour: a short fanfare.
i=0
for n in C5 E5 G5; do
    sox -n $fmt "$work/n$i.wav" synth 0.13 square "%$(echo "$n" | sed 's/C5/-9/; s/E5/-5/; s/G5/-2/')" \
        vol 0.4 lowpass 2500 fade q 0.005 0.13 0.03
    i=$((i + 1))
done
sox -n $fmt "$work/h.wav" synth 0.6 square %3 square %3.05 vol 0.4 lowpass 2500 tremolo 6 20 fade q 0.01 0.6 0.35
sox "$work/n0.wav" "$work/n1.wav" "$work/n2.wav" "$work/h.wav" "$work/a.wav"
finish "$work/a.wav" 502

# --- Spoken words, English (language 1): the base id + 1 ---------------------------------
say() {
    espeak-ng -v en-us+f3 -s 150 -p 60 -a 100 -w "$work/v.wav" "$2"
    sox "$work/v.wav" $fmt "$work/w.wav" highpass 80 compand 0.02,0.2 -60,-60,-30,-15,0,-8 -3 -90 0.1
    finish "$work/w.wav" "$1"
}
say 1011 "OK!"
say 1021 "Cancel."
say 1031 "Options."
say 1041 "Yes!"
say 1051 "Let's play!"
say 1061 "Leaving already?"
say 1071 "Goodbye! See you soon!"
say 1081 "No."
say 1091 "Help!"

# --- Resource list ---------------------------------------------------------------------
{
    echo "// Generated by assets/make_sounds.sh: the effect sounds as WAVE resources."
    for f in "$out"/*.wav; do
        id=$(basename "$f" .wav)
        echo "$id WAVE \"sounds/$id.wav\""
    done
} > "$rc.tmp"
mv "$rc.tmp" "$rc"
