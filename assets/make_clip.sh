#!/bin/sh
# Makes one of the game's clips: the frames come from vexla_clipgen, the sound track is put
# together here from short sounds (sox, espeak-ng) placed at the moments the clip names, and
# ffmpeg encodes both into an AVI that MCI plays on Windows and Wine alike: MS Video 1
# pictures and 16-bit PCM sound.
#   make_clip.sh <vexla_clipgen> intro|congratulation <out .avi>
set -eu
gen=$1 clip=$2 out=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fmt="-r 22050 -c 1 -b 16"
set -- $("$gen" "$clip" describe)
width=$1 height=$2 fps=$3 frames=$4
length=$(awk -v f="$frames" -v r="$fps" 'BEGIN { printf "%.3f", f / r }')

# make_sound <name>: one short sound of the track, in $work/<name>.wav.
make_sound() {
    s="$work/$1.wav"
    case $1 in
        click)   # a piece dropping into place: a wooden clack
            sox -n $fmt "$work/a.wav" synth 0.06 sine 260-150 fade q 0.001 0.06 0.055
            sox -n $fmt "$work/b.wav" synth 0.025 pinknoise highpass 1800 fade q 0.001 0.025 0.022 vol 0.6
            sox -m "$work/a.wav" "$work/b.wav" "$s" ;;
        whoosh)  # pieces flying past
            sox -n $fmt "$s" synth 0.5 pinknoise band 900 700 fade h 0.2 0.5 0.28 vol 0.5 ;;
        chime)   # the seams close, the rosette lands: a bright two-note bell
            sox -n $fmt "$work/a.wav" synth 0.9 pluck E6 fade q 0.002 0.9 0.8
            sox -n $fmt "$work/b.wav" synth 0.9 pluck B6 fade q 0.002 0.9 0.8 pad 0.12
            sox -m "$work/a.wav" "$work/b.wav" "$s" ;;
        pop)     # the confetti cannon: a thump and a burst of noise
            sox -n $fmt "$work/a.wav" synth 0.12 sine 120-50 fade q 0.001 0.12 0.1
            sox -n $fmt "$work/b.wav" synth 0.25 whitenoise highpass 900 fade q 0.001 0.25 0.24 vol 0.5
            sox -m "$work/a.wav" "$work/b.wav" "$s" ;;
        fanfare) # ta-ta-ta-taaa on a brassy tone
            i=0
            for n in -2 -2 -2 3; do
                len=0.14; [ $i -eq 3 ] && len=0.25
                sox -n $fmt "$work/n$i.wav" synth $len sawtooth "%$n" sawtooth "%$(echo "$n" | awk '{print $1 + 0.06}')" \
                    lowpass 2200 vol 0.45 fade q 0.01 $len 0.04
                i=$((i + 1))
            done
            sox -n $fmt "$work/h.wav" synth 1.1 sawtooth %7 sawtooth %7.05 sawtooth %-5 lowpass 2400 vol 0.4 \
                tremolo 5.5 25 fade q 0.02 1.1 0.6
            sox "$work/n0.wav" "$work/n1.wav" "$work/n2.wav" "$work/n3.wav" "$work/h.wav" "$s" ;;
        title)   # the game's name, spoken
            espeak-ng -v en-us+f3 -s 140 -p 55 -a 100 -w "$work/v.wav" "Vexla Puzzle!"
            sox "$work/v.wav" $fmt "$s" highpass 80 compand 0.02,0.2 -60,-60,-30,-15,0,-8 -3 -90 0.1 ;;
        *) echo "make_clip.sh: no sound called $1" >&2; exit 1 ;;
    esac
}

# The track: silence as long as the clip, each sound mixed in at its moment.
sox -n $fmt "$work/track0.wav" trim 0 "$length"
inputs="-v 1 $work/track0.wav"
k=0
"$gen" "$clip" events > "$work/events.txt"
while read -r at sound; do
    [ -f "$work/$sound.wav" ] || make_sound "$sound"
    sox "$work/$sound.wav" "$work/e$k.wav" pad "$at"
    inputs="$inputs -v 1 $work/e$k.wav"
    k=$((k + 1))
done < "$work/events.txt"
sox -m $inputs "$work/mix.wav" trim 0 "$length"
sox "$work/mix.wav" "$work/track.wav" gain -n -2 fade t 0 "$length" 0.25

mkdir -p "$(dirname "$out")"
"$gen" "$clip" frames | ffmpeg -y -loglevel error -f rawvideo -pix_fmt rgb24 -s "${width}x$height" -r "$fps" -i - \
    -i "$work/track.wav" -c:v msvideo1 -keyint_min 10 -c:a pcm_s16le -shortest "$out.tmp.avi"
mv "$out.tmp.avi" "$out"
