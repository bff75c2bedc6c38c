#!/bin/sh
# Builds the .bmp reader's libFuzzer target with clang into build/fuzz/ and runs it, adding
# the inputs it finds to a scratch corpus (build/fuzz/corpus-bmp); with --merge it then
# minimises that and the committed corpus together into fuzz/corpus/bmp.
# Usage: scripts/fuzz-bmp.sh [RUNS] [--merge]     (RUNS defaults to 10000000)
set -eu

top=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-10000000}
merge=${2:-}
out="$top/build/fuzz"
corpus="$top/fuzz/corpus/bmp"
found="$out/corpus-bmp"
mkdir -p "$out" "$found"

flags="-std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined -Wall -Wextra -Wshadow -Werror -I$top"
echo "building $out/bmp_reader_fuzz"
# shellcheck disable=SC2086
clang++ $flags -o "$out/bmp_reader_fuzz" \
    "$top/fuzz/BmpReaderFuzz.cpp" "$top/engine/BmpFileReader.cpp" "$top/engine/BmpRowCopy.cpp" \
    "$top/engine/BinaryFile_posix.cpp"

# New finds go to the scratch corpus first; the committed one is read as seeds.
"$out/bmp_reader_fuzz" -runs="$runs" -max_len=4096 -print_final_stats=1 "$found" "$corpus" 2>&1 |
    tee "$out/fuzz-bmp.log" | grep -E 'pulse|DONE|NEW_FUNC|ERROR|SUMMARY|stat::' || true
if grep -q 'ERROR\|SUMMARY: ' "$out/fuzz-bmp.log"; then
    echo "the fuzzer found a fault; see $out/fuzz-bmp.log and the crash-* file it wrote" >&2
    exit 1
fi
if [ "$merge" = "--merge" ]; then
    # Minimise committed and found inputs together into a fresh folder, then replace the
    # committed corpus with it.
    rm -rf "$out/corpus-merged" && mkdir -p "$out/corpus-merged"
    "$out/bmp_reader_fuzz" -merge=1 -max_len=4096 "$out/corpus-merged" "$corpus" "$found" 2>&1 | tail -n 2
    find "$corpus" -type f -delete
    cp "$out/corpus-merged"/* "$corpus"/
    echo "committed corpus: $(ls "$corpus" | wc -l) inputs, $(du -sk "$corpus" | cut -f1) KB"
fi
echo "log: $out/fuzz-bmp.log"
