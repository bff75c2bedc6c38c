#!/bin/sh
# Converts one picture of a Debian wallpaper package into a .bmp for the game:
# scaled to cover the size, cropped around the centre, 24-bit or dithered to 256 colours.
#   make_picture.sh <source file> <bits> <WxH> <out.bmp>
set -eu
src=$1 bits=$2 size=$3 out=$4
if [ ! -f "$src" ]; then
    echo "make_picture.sh: $src is missing (is its Debian package installed?)" >&2
    exit 1
fi
mkdir -p "$(dirname "$out")"
tmp="$out.tmp.bmp"
case "$bits" in
    24) convert "$src" -auto-orient -strip -resize "${size}^" -gravity center -extent "$size" \
            -type TrueColor -compress None "BMP3:$tmp" ;;
    8) convert "$src" -auto-orient -strip -resize "${size}^" -gravity center -extent "$size" \
            -dither FloydSteinberg -colors 256 -type Palette -compress None "BMP3:$tmp" ;;
    *) echo "make_picture.sh: bits must be 8 or 24" >&2; exit 1 ;;
esac
mv "$tmp" "$out"
