#!/usr/bin/env bash
# GetFolderSize on a tree of 100,000 files in 1,000 folders against du -sb:
# builds the benchmark, makes the tree in a temporary folder, prints the
# median times and their ratio (target: at most 1.2).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${ORVANE_BUILD_DIR:-$root/build}"
runs="${1:-11}"
cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target foldersize_bench >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/bench-bin/foldersize_bench" "$work/tree" "$runs"
