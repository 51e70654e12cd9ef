#!/usr/bin/env bash
# The main job: build the program and its recording library, then burn the
# committed sample DVD-Video folder unattended to the default virtual
# recorder (the "Virtual DVD Writer" of the shipped configuration, holding a
# blank DVD+RW) with the program's own command-line run:
#
#     orvane-burn -d <sample> -o -l
#
# and check the image it wrote with readers written elsewhere (libdvdread,
# isoinfo, libudfread).
#
# The burn runs in a fresh copy of the program folder each time, so the
# shipped blank medium stays blank and the script can run again and again.
# HOME points into that copy, so the run's log file lands on a desktop there
# rather than on the user's own. Without a display the program runs
# offscreen; with one, its window shows the burn and closes by itself.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
build="${ORVANE_BUILD_DIR:-build}"
sample="$(cd "${1:-$root/samples/dvd-menuless}" && pwd)"

cmake -S . -B "$build" -G Ninja
cmake --build "$build" -j "$(nproc)" --target orvane-burn NeroAPI orvane-imagecheck orvane_language_files orvane_help

run="$root/$build/sample-run"
rm -rf "$run"
cp -r "$root/$build/bin" "$run"
home="$run/home"
mkdir -p "$home/Desktop" "$home/.config"
mkdir -m 700 "$run/runtime"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    export QT_QPA_PLATFORM=offscreen
fi

echo "== burning $sample to the Virtual DVD Writer: orvane-burn -d <sample> -o -l"
status=0
(cd "$run" && HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$run/runtime" ./orvane-burn -d "$sample" -o -l) || status=$?
if [ "$status" -ne 0 ]; then
    echo "== the unattended burn failed with exit status $status (README.md lists the codes)" >&2
    exit "$status"
fi

image="$run/media/virtual-dvd.iso"
echo "== checking $image"
"$root/$build/bin/orvane-imagecheck" "$image"

log="$(find "$home/Desktop" -maxdepth 1 -name '*.log' -print -quit)"
echo "== the image is $image"
echo "== the log file is ${log:-missing}"
