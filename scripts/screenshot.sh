#!/usr/bin/env bash
# Saves the whole X display the runner gave us as build/screenshots/NAME.png.
set -euo pipefail
name=${1:?usage: screenshot.sh NAME}
dir=${VEXLA_SCREENSHOTS:-$(cd "$(dirname "$0")/.." && pwd)/build/screenshots}
mkdir -p "$dir"
import -display "${DISPLAY:?no display}" -window root "$dir/$name.png"
echo "$dir/$name.png"
