#!/bin/sh
# Builds one reader's libFuzzer target in a clang tree of its own (build/fuzz/) and runs it
# under ASan/UBSan: "bmp" is the picture reader, "pack" the resource pack reader,
# "records" the hall of honour's records file, "puzzle" the saved-game parser. The
# committed corpus fuzz/corpus/NAME is read as seeds and new finds go to a scratch corpus,
# build/fuzz/corpus-NAME; with --merge both are then minimised together into the committed
# corpus, which `make test` replays as unit.fuzz_corpus_NAME.
# Usage: scripts/fuzz.sh bmp|pack|records|puzzle [RUNS] [--merge]     (RUNS defaults to 10000000)
set -eu

top=$(cd "$(dirname "$0")/.." && pwd)
name=${1:-}
runs=${2:-10000000}
merge=${3:-}
case "$name" in
    bmp) max_len=4096 ;;
    # The game's own pack records start at a few kilobytes.
    pack) max_len=8192 ;;
    # A records file is 296 bytes; a little room past it finds the size checks.
    records) max_len=512 ;;
    # A saved game is 508 bytes and 20 more a piece; a few dozen pieces find the checks.
    puzzle) max_len=2048 ;;
    *)
        echo "usage: $0 bmp|pack|records|puzzle [RUNS] [--merge]" >&2
        exit 2
        ;;
esac
out="$top/build/fuzz"
corpus="$top/fuzz/corpus/$name"
found="$out/corpus-$name"
log="$out/fuzz-$name.log"
fuzzer="$out/fuzz/${name}_reader_fuzz"
mkdir -p "$found"

# Only the fuzz target is built in this tree; the game's data stays with the native tree.
if [ ! -f "$out/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S "$top" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVEXLA_DIST_DIR="$out/dist" >/dev/null
fi
cmake --build "$out" --target "${name}_reader_fuzz"

"$fuzzer" -runs="$runs" -max_len="$max_len" -print_final_stats=1 -artifact_prefix="$out/$name-" \
    "$found" "$corpus" 2>&1 | tee "$log" | grep -E 'pulse|DONE|Done|NEW_FUNC|ERROR|SUMMARY|stat::' || true
if grep -q 'ERROR\|SUMMARY: ' "$log"; then
    echo "the fuzzer found a fault; see $log and the $out/$name-crash-* file it wrote" >&2
    exit 1
fi
if [ "$merge" = "--merge" ]; then
    # Minimise committed and found inputs together into a fresh folder, then replace the
    # committed corpus with it.
    rm -rf "$out/corpus-merged" && mkdir -p "$out/corpus-merged"
    "$fuzzer" -merge=1 -max_len="$max_len" "$out/corpus-merged" "$corpus" "$found" 2>&1 | tail -n 2
    find "$corpus" -type f -delete
    cp "$out/corpus-merged"/* "$corpus"/
    echo "committed corpus: $(find "$corpus" -type f | wc -l) inputs, $(du -sk "$corpus" | cut -f1) KB"
fi
echo "log: $log"
