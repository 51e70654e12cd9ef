#!/usr/bin/env bash
# What the checks before the erase cost: opening and stamping every source
# of 100,000 small files and of a 4 GiB DVD-Video folder (sparse VOBs), and
# the DVD-Video check, each against find's stat walk of the same folder.
# Builds the benchmark, makes both folders in a temporary place and prints
# the medians and ratios (target: at most 3x the walk for 100,000 files).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${ORVANE_BUILD_DIR:-$root/build}"
runs="${1:-5}"
cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target source_check_bench >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/bench-bin/source_check_bench" "$work" "$runs"
