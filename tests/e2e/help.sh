# The help command hands Help\<language>\Index.htm below the program folder to the system's
# browser. Wine passes it to the first program of its WineBrowser list, here a recorder.
source "$(dirname "$0")/lib.sh"

rm -rf "$VEXLA_E2E_WORK"
folder="$VEXLA_E2E_WORK/prog"
mkdir -p "$folder/Help/1" "$folder/Help/4"
echo "<html><body>help</body></html>" | tee "$folder/Help/1/Index.htm" >"$folder/Help/4/Index.htm"
record="$VEXLA_E2E_WORK/opened.txt"
cat >"$VEXLA_E2E_WORK/browser.sh" <<SCRIPT
#!/bin/sh
echo "\$1" >> "$record"
SCRIPT
chmod +x "$VEXLA_E2E_WORK/browser.sh"
"$VEXLA_WINE" reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /t REG_SZ /d "$VEXLA_E2E_WORK/browser.sh" /f >/dev/null 2>&1
trap '"$VEXLA_WINE" reg delete "HKCU\\Software\\Wine\\WineBrowser" /v Browsers /f >/dev/null 2>&1' EXIT

open_help() {  # not through probe(): the browser Wine starts would keep its output pipe open
    timeout 30 "$VEXLA_WINE" "$VEXLA_PROBE" open-help "$(win_path "$folder")\\" "$1" >/dev/null 2>&1
}

for language in 1 4; do
    check "the help command returns for language $language" open_help $language
    wait_until "$DEADLINE" "a browser is handed the page of language $language" \
        grep -qs "Help/$language/Index.htm" "$record"
    check "language $language opens its own page" grep -qxF "file://$folder/Help/$language/Index.htm" "$record"
done

# A language without a page: nothing opens, and no error box holds the command up.
check "a missing page returns at once" open_help 3
sleep 1
check "and opens nothing" test "$(wc -l <"$record")" = 2

for language in 0 1 2 3 4 5; do
    check "the game ships the help page of language $language" test -s "$VEXLA_DIST/Help/$language/Index.htm"
done
