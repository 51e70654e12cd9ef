#!/usr/bin/env bash
# The main job: build the program and burn the committed sample DVD-Video
# folder unattended to the default virtual recorder, then check the image.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
build="${ORVANE_BUILD_DIR:-build}"
cmake -S . -B "$build" -G Ninja
cmake --build "$build" -j "$(nproc)" --target orvane-burn
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
"$build/bin/orvane-burn"
