#!/usr/bin/env bash
# Every C++ file of the repository as clang-format writes it with the committed .clang-format.
# Prints the files that differ and fails when there is one; `scripts/check-format.sh --fix`
# rewrites them instead.
set -uo pipefail
cd "$(dirname "$0")/.."

mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null)
if ((${#files[@]} == 0)); then
    mapfile -t files < <(find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi

if [[ "${1:-}" == "--fix" ]]; then
    clang-format -i "${files[@]}"
    exit 0
fi

# One clang-format for all files; it names each file that differs in its warnings.
mapfile -t unformatted < <(clang-format --dry-run --Werror "${files[@]}" 2>&1 |
                           sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' | sort -u)
if ((${#unformatted[@]} > 0)); then
    printf 'check-format: not formatted: %s\n' "${unformatted[@]}"
    echo "check-format: ${#unformatted[@]} file(s) differ from .clang-format (scripts/check-format.sh --fix)"
    exit 1
fi
echo "check-format: ${#files[@]} files formatted"
