#!/bin/sh
# Assembles the help page of one language: the shared style and the page's own text, as one
# self-contained Index.htm (the browser opens it straight from the game folder).
#   make_help.sh <help source folder> <language digit> <out Index.htm>
set -eu
src=$1 lang=$2 out=$3
body="$src/$lang.htm"
# First line of the page text: <!-- lang: xx | title: ... -->
code=$(head -n1 "$body" | sed 's/.*lang: *\([a-z]*\).*/\1/')
title=$(head -n1 "$body" | sed 's/.*title: *\(.*\) *-->.*/\1/; s/ *$//')
mkdir -p "$(dirname "$out")"
piece=$(cat "$src/piece.svg")
{
    printf '<!DOCTYPE html>\n<html lang="%s">\n<head>\n<meta charset="utf-8">\n<title>%s</title>\n<style>\n' "$code" "$title"
    cat "$src/style.css"
    printf '</style>\n</head>\n<body>\n<div class="card">\n'
    tail -n +2 "$body" | sed "s|@PIECE@|$piece|"
    printf '<p class="langs">'
    for l in 0 1 2 3 4 5; do
        name=$(echo "Español English Português Italiano Français Deutsch" | cut -d' ' -f$((l + 1)))
        printf '<a href="../%s/Index.htm">%s</a>' "$l" "$name"
    done
    printf '</p>\n</div>\n</body>\n</html>\n'
} > "$out.tmp"
mv "$out.tmp" "$out"
