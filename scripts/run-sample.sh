#!/usr/bin/env bash
# The main job: build the program and its recording library, burn the
# committed sample DVD-Video folder unattended to the default virtual
# recorder (the "Virtual DVD Writer" of the shipped configuration, holding a
# blank DVD+RW), then check the image it wrote with readers written elsewhere
# (libdvdread, isoinfo, libudfread).
#
# The burn runs in a fresh copy of the program folder each time, so the
# shipped blank medium stays blank and the script can run again and again.
#
# Until the program's own command-line run is in place, the burn is driven by
# orvane-burn-bench, which loads NeroAPI.so from the program folder and calls
# it exactly as the program does.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
build="${ORVANE_BUILD_DIR:-build}"
sample="${1:-$root/samples/dvd-menuless}"

cmake -S . -B "$build" -G Ninja
cmake --build "$build" -j "$(nproc)" --target orvane-burn NeroAPI orvane-burn-bench orvane-imagecheck orvane_language_files orvane_help

run="$root/$build/sample-run"
rm -rf "$run"
cp -r "$root/$build/bin" "$run"

echo "== burning $sample to the Virtual DVD Writer"
"$build/bench/burn/orvane-burn-bench" "$run" "$sample"

image="$run/media/virtual-dvd.iso"
echo "== checking $image"
"$run/orvane-imagecheck" "$image"
echo "== the image is $image"
