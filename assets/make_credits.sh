#!/bin/sh
# Writes CREDITS.txt for the shipped pictures, reading author and licence of each from the
# Debian package that ships it: the machine-readable copyright file of mate-backgrounds,
# and for plasma-workspace-wallpapers the wallpaper's own metadata.json (the package's
# copyright file covers all of them with one stanza).
#   make_credits.sh <pictures.txt> <out CREDITS.txt>
set -eu
list=$1 out=$2
mate_dir=/usr/share/backgrounds/mate
mate_copyright=/usr/share/doc/mate-backgrounds/copyright
plasma_dir=/usr/share/wallpapers
plasma_copyright=/usr/share/doc/plasma-workspace-wallpapers/copyright

# Prints "copyright|licence" of the copyright-file stanza whose Files field matches $1.
mate_stanza() {
    awk -v want="$1" '
        function flush() {
            if (files != "") {
                n = split(files, f, " ")
                for (i = 1; i <= n; i++) {
                    pat = f[i]; gsub(/\./, "\\.", pat); gsub(/\*/, ".*", pat)
                    if (want ~ ("^" pat "$")) { print copyright "|" licence; found = 1; exit }
                }
            }
            files = ""; copyright = ""; licence = ""; field = ""
        }
        /^$/ { flush(); next }
        /^Files:/ { field = "files"; files = substr($0, 7); next }
        /^Copyright:/ { field = "copyright"; copyright = substr($0, 11); next }
        /^License:/ { field = "licence"; licence = substr($0, 9); sub(/^[ \t]+/, "", licence); next }
        /^[A-Za-z-]+:/ { field = ""; next }
        /^[ \t]/ {
            if (field == "files") files = files " " $0
            else if (field == "copyright") copyright = copyright ";" $0
            next
        }
        END { if (!found) flush() }' "$mate_copyright" | sed 's/[ \t][ \t]*/ /g; s/^ //; s/ ;/;/g; s/; */; /g; s/´//g'
}

# First "Name" among the Authors, and the "License", of a wallpaper's metadata.json.
plasma_field() {
    grep -m1 "\"$2\"" "$plasma_dir/$1/metadata.json" | sed 's/.*": *"\(.*\)".*/\1/'
}

plasma_licence=$(awk '/^Files: \*/ { on = 1 } on && /^License:/ { print substr($0, 10); exit }' "$plasma_copyright")

{
    echo "Vexla Puzzle - pictures and lettering"
    echo "======================================"
    echo
    echo "The pictures in the Image folder are photographs and artwork from Debian packages,"
    echo "scaled and cropped for the game. Their authors and licences:"
    echo
    grep -v '^[[:space:]]*#' "$list" | grep -v '^[[:space:]]*$' | while IFS='|' read -r name package file bits size; do
        name=$(echo "$name" | tr -d ' '); package=$(echo "$package" | tr -d ' '); file=$(echo "$file" | tr -d ' ')
        path=$(echo "Image/$name.bmp" | tr '/' '\\')
        case "$package" in
            mate-backgrounds)
                info=$(mate_stanza "$file")
                author=$(printf '%s' "$info" | cut -d'|' -f1)
                licence=$(printf '%s' "$info" | cut -d'|' -f2)
                title=$(basename "$file" | sed 's/\.[^.]*$//')
                ;;
            plasma-workspace-wallpapers)
                dir=${file%%/*}
                author=$(plasma_field "$dir" Name)
                licence="$(plasma_field "$dir" License) (package: $plasma_licence)"
                title=$(grep -m1 '"Name"' "$plasma_dir/$dir/metadata.json" >/dev/null &&
                        awk '/"KPlugin"/ { k = 1 } k && /^        "Name":/ { sub(/.*"Name": *"/, ""); sub(/".*/, ""); print; exit }' \
                            "$plasma_dir/$dir/metadata.json")
                [ -n "$title" ] || title=$dir
                ;;
            *) echo "make_credits.sh: unknown package $package" >&2; exit 1 ;;
        esac
        if [ -z "$author" ] || [ -z "$licence" ]; then
            echo "make_credits.sh: no author or licence found for $package $file" >&2
            exit 1
        fi
        printf '%s\n    "%s", from the Debian package %s (%s)\n    Author: %s\n    Licence: %s\n\n' \
            "$path" "$title" "$package" "$file" "$author" "$licence"
    done
    echo "Lettering drawn into the interface: Comic Neue, from the Debian package fonts-comic-neue,"
    echo "by Craig Rozynski, SIL Open Font License 1.1."
} > "$out.tmp"
mv "$out.tmp" "$out"
