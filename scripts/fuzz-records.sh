#!/bin/sh
# Builds the records parser's libFuzzer target with clang into build/fuzz/ and runs it under
# ASan/UBSan, adding the inputs it finds to a scratch corpus (build/fuzz/corpus-records); with
# --merge it then minimises that and the committed corpus together into fuzz/corpus/records,
# which `make test` replays as unit.fuzz_corpus_records.
# Usage: scripts/fuzz-records.sh [RUNS] [--merge]     (RUNS defaults to 10000000)
set -eu

top=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-10000000}
merge=${2:-}
out="$top/build/fuzz"
corpus="$top/fuzz/corpus/records"
found="$out/corpus-records"
log="$out/fuzz-records.log"
mkdir -p "$out" "$found"

flags="-std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined -Wall -Wextra -Wshadow -Werror -I$top"
echo "building $out/records_fuzz"
# shellcheck disable=SC2086
clang++ $flags -o "$out/records_fuzz" \
    "$top/fuzz/RecordsFuzz.cpp" "$top/engine/RecordsFile.cpp" "$top/engine/BinaryFile_posix.cpp"

# A records file is 296 bytes and five more choose the score and the name; longer inputs
# only repeat the refusal of a wrong size.
"$out/records_fuzz" -runs="$runs" -max_len=512 -print_final_stats=1 -artifact_prefix="$out/records-" \
    "$found" "$corpus" 2>&1 | tee "$log" | grep -E 'pulse|DONE|Done|NEW_FUNC|ERROR|SUMMARY|stat::' || true
if grep -q 'ERROR\|SUMMARY: ' "$log"; then
    echo "the fuzzer found a fault; see $log and the $out/records-crash-* file it wrote" >&2
    exit 1
fi
if [ "$merge" = "--merge" ]; then
    # Minimise committed and found inputs together into a fresh folder, then replace the
    # committed corpus with it.
    rm -rf "$out/corpus-records-merged" && mkdir -p "$out/corpus-records-merged"
    "$out/records_fuzz" -merge=1 -max_len=512 "$out/corpus-records-merged" "$corpus" "$found" 2>&1 | tail -n 2
    find "$corpus" -type f -delete
    cp "$out/corpus-records-merged"/* "$corpus"/
    echo "committed corpus: $(find "$corpus" -type f | wc -l) inputs, $(du -sk "$corpus" | cut -f1) KB"
fi
echo "log: $log"
