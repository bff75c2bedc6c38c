#!/bin/sh
# Builds the puzzle-file parser's libFuzzer target with clang into build/fuzz/ and runs it,
# adding the inputs it finds to a scratch corpus (build/fuzz/corpus-puzzle); with --merge it
# then minimises that and the committed corpus together into fuzz/corpus/puzzle. When the
# committed corpus is empty it is first seeded with three valid saved games (a fresh 2 x 2
# game, a 3 x 4 game in progress with groups, boxes and renamed boxes, a solved 2 x 3 game).
# Usage: scripts/fuzz-puzzlefile.sh [RUNS] [--merge]     (RUNS defaults to 10000000)
set -eu

top=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-10000000}
merge=${2:-}
out="$top/build/fuzz"
corpus="$top/fuzz/corpus/puzzle"
found="$out/corpus-puzzle"
mkdir -p "$out" "$found" "$corpus"

if [ -z "$(ls -A "$corpus")" ]; then
    echo "seeding $corpus"
    python3 - "$corpus" <<'PY'
import struct, sys

def game(rows, cols, path, counts, order, pieces, flag=0, names=None, hints=0, seconds=0, solved=0):
    names = names or ["Box %d" % (i + 1) for i in range(6)]
    header = bytearray(480)
    header[0:26] = b"Velmorane Puzzle File 1.0\0"
    header[26] = flag
    struct.pack_into("<III", header, 28, 2, 2, 3001)
    header[40:40 + len(path)] = path
    for i, name in enumerate(names):
        header[300 + 24 * i:300 + 24 * i + len(name)] = name.encode()
    struct.pack_into("<II", header, 444, rows, cols)
    struct.pack_into("<d", header, 456, 1.25)
    struct.pack_into("<II", header, 464, hints, seconds)
    header[472] = solved
    body = struct.pack("<7i", *counts) + struct.pack("<%dI" % len(order), *order)
    for group, flag_, x, y in pieces:
        body += struct.pack("<IB3xii", group, flag_, x, y)
    assert len(body) == 28 + 20 * rows * cols
    return bytes(header) + body

seeds = {
    "fresh-2x2": game(2, 2, b"C:\\Vexla\\Image\\foto0.bmp", [0] * 6 + [4], [3, 1, 0, 2],
                      [(0, 1, 10 * n, 300 + n) for n in range(4)]),
    # Pieces 0 and 1 joined on box 2, 10 and 11 joined on the board, marked loose pieces.
    "progress-3x4": game(3, 4, b"D:\\Image\\foto1.bmp", [1, 2, 1, 0, 2, 0, 6],
                         [5, 0, 1, 3, 4, 6, 7, 9, 11, 10, 8, 2],
                         [(2, 1, 20, 27), (2, 1, 60, 27)] + [(0, n % 3 and 1 or 0, 7 * n, 5 * n) for n in range(2, 10)]
                         + [(12, 1, 100, 90), (12, 1, 140, 90)],
                         flag=1, names=["Box 1", "Sky corner", "Box 3", "Box 4", "Edges", "Box 6"],
                         hints=1, seconds=3735),
    "solved-2x3": game(2, 3, b"C:\\Pictures\\cat.bmp", [0] * 6 + [6], [0, 1, 2, 3, 4, 5],
                       [(6, 1, 100 + 40 * (n % 3), 80 + 40 * (n // 3)) for n in range(6)],
                       hints=1, seconds=800, solved=1),
}
for name, data in seeds.items():
    open("%s/%s" % (sys.argv[1], name), "wb").write(data)
PY
fi

flags="-std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined -Wall -Wextra -Wshadow -Werror -I$top"
echo "building $out/puzzle_file_fuzz"
# shellcheck disable=SC2086
clang++ $flags -o "$out/puzzle_file_fuzz" \
    "$top/fuzz/PuzzleFileFuzz.cpp" "$top/engine/PuzzleFileParser.cpp" "$top/engine/PuzzleFileWriter.cpp" \
    "$top/engine/BoxNames.cpp"

# New finds go to the scratch corpus first; the committed one is read as seeds. A file of
# 508 + 20 N bytes reaches the deepest checks with N up to a few hundred pieces.
"$out/puzzle_file_fuzz" -runs="$runs" -max_len=8192 -print_final_stats=1 "$found" "$corpus" 2>&1 |
    tee "$out/fuzz-puzzle.log" | grep -E 'pulse|DONE|NEW_FUNC|ERROR|SUMMARY|stat::' || true
if grep -q 'ERROR\|SUMMARY: \|broke a promise' "$out/fuzz-puzzle.log"; then
    echo "the fuzzer found a fault; see $out/fuzz-puzzle.log and the crash-* file it wrote" >&2
    exit 1
fi
if [ "$merge" = "--merge" ]; then
    rm -rf "$out/corpus-puzzle-merged" && mkdir -p "$out/corpus-puzzle-merged"
    "$out/puzzle_file_fuzz" -merge=1 -max_len=8192 "$out/corpus-puzzle-merged" "$corpus" "$found" 2>&1 | tail -n 2
    find "$corpus" -type f -delete
    cp "$out/corpus-puzzle-merged"/* "$corpus"/
    echo "committed corpus: $(ls "$corpus" | wc -l) inputs, $(du -sk "$corpus" | cut -f1) KB"
fi
echo "log: $out/fuzz-puzzle.log"
