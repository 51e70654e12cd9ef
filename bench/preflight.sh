#!/usr/bin/env bash
# The DVD-Video preflight of a 4 GB folder against cat reading its files, page
# cache warm: builds the benchmark, makes the folder in a temporary place
# (4 GiB of disk), prints the medians and their ratio (target: under 2 %).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${ORVANE_BUILD_DIR:-$root/build}"
runs="${1:-7}"
cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target preflight_bench >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/bench-bin/preflight_bench" "$work/film" "$runs"
