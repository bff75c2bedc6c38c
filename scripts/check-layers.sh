#!/usr/bin/env bash
# The layers point one way. Each source folder has a rank; a file may include project headers
# of its own rank or a lower one, never a higher one:
#
#   0 engine     the portable engine: no Windows header at all
#   1 gfx        Win32 drawing
#   1 platform   Win32 services (files, sounds, texts, help, mixer, window kinds)
#   2 controls   the custom controls
#   3 board      the board and box windows
#   3 dialogs    the game's dialogs
#   4 app        start-up, the main menu, the play screen
#
# One exception: app/AppGlobals.h, plain program-wide data, may be included from any Windows
# layer, so it must not include any project header itself. Prints every wrong arrow and fails
# when there is one.
set -uo pipefail
cd "$(dirname "$0")/.."

declare -A rank=([engine]=0 [gfx]=1 [platform]=1 [controls]=2 [board]=3 [dialogs]=3 [app]=4)
globals="app/AppGlobals.h"
windows_headers='^(windows|windowsx|mmsystem|mmreg|vfw|commctrl|commdlg|shellapi|shlobj|shlwapi|winspool|wincodec|objbase|ole2|winnetwk|digitalv|winuser|wingdi|winbase|winreg|tchar)\.h$'

faults=0
fault() { echo "check-layers: $1"; faults=$((faults + 1)); }

for folder in "${!rank[@]}"; do
    own=${rank[$folder]}
    while IFS= read -r file; do
        [[ -n "$file" ]] || continue
        while IFS= read -r line; do
            if [[ "$line" =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
                target=${BASH_REMATCH[1]}
                top=${target%%/*}
                [[ -n "${rank[$top]+set}" ]] || continue
                if [[ "$file" == "$globals" ]]; then
                    fault "$file includes \"$target\": the globals header holds plain data only"
                elif [[ "$target" == "$globals" ]]; then
                    ((own > 0)) || fault "$file (engine) includes \"$target\""
                elif ((rank[$top] > own)); then
                    fault "$file (${folder}, rank $own) includes \"$target\" (${top}, rank ${rank[$top]})"
                fi
            elif [[ "$line" =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<([^\>]+)\> ]]; then
                shopt -s nocasematch
                if ((own == 0)) && [[ "${BASH_REMATCH[1]}" =~ $windows_headers ]]; then
                    fault "$file (engine) includes <${BASH_REMATCH[1]}>"
                fi
                shopt -u nocasematch
            fi
        done < "$file"
    done < <(git ls-files -- "$folder/*.h" "$folder/*.cpp" 2>/dev/null || find "$folder" -name '*.h' -o -name '*.cpp')
done

if ((faults > 0)); then
    echo "check-layers: $faults include(s) run against the layers"
    exit 1
fi
echo "check-layers: every include points down or sideways"
