#!/usr/bin/env bash
# Checks that every tracked C and C++ file is formatted as .clang-format
# says; names each file that is not. `scripts/check-format.sh --fix`
# formats them instead.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
mapfile -t files < <(git ls-files '*.c' '*.cpp' '*.h')
if [ "${1:-}" = --fix ]; then
    clang-format -i "${files[@]}"
    exit 0
fi
# One clang-format run for all files; each complaint starts with its file.
mapfile -t unformatted < <(clang-format --dry-run --Werror "${files[@]}" 2>&1 |
    sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error: .*clang-format-violations.*/\1/p' | sort -u)
if [ ${#unformatted[@]} -ne 0 ]; then
    echo "These files are not formatted as .clang-format says (scripts/check-format.sh --fix formats them):" >&2
    printf '  %s\n' "${unformatted[@]}" >&2
    exit 1
fi
echo "format: ${#files[@]} files as .clang-format says"
