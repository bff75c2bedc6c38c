#!/usr/bin/env bash
# Saves the whole X display the runner gave us as build/screenshots/NAME.png. xwd reads the
# display's colour map, so screens of 8 bits per pixel come out in their real colours too
# (ImageMagick's own grab does not).
set -euo pipefail
name=${1:?usage: screenshot.sh NAME}
dir=${VEXLA_SCREENSHOTS:-$(cd "$(dirname "$0")/.." && pwd)/build/screenshots}
mkdir -p "$dir"
xwd -display "${DISPLAY:?no display}" -root -silent | convert xwd:- "$dir/$name.png"
echo "$dir/$name.png"
