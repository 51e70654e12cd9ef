#!/usr/bin/env bash
# Copies benchmark (never run by CI): three copies in one run (-n 3) against
# three runs of one copy each, the whole program without a display, to a
# full-speed virtual DVD+RW writer whose changer holds the blank discs;
# median wall times and their ratio (target <= 0.8).
#
#   bench/copies.sh [build dir] [runs] [filler MB]
# The folder is the committed menu-less sample with a filler file of the
# given size (default 64 MB) beside VIDEO_TS, so that the burn itself counts.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
runs="${2:-3}"
filler_mb="${3:-64}"
work="$(mktemp -d "${TMPDIR:-/var/tmp}/orvane-copies-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT

cmake --build "$build" --target orvane-burn NeroAPI orvane_language_files >/dev/null
cp -r "$build/bin" "$work/program"
rm -rf "$work/program/media"
cat >"$work/program/virtual-recorders.conf" <<CONF
[Bench DVD]
medium = DVD+RW blank
file = media/disc.iso
pacing = full-speed
changer = media/stack
CONF
cp -r "$root/samples/dvd-menuless" "$work/film"
head -c $((filler_mb * 1024 * 1024)) /dev/urandom >"$work/film/FILLER.BIN"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$work/no-system-bus"
mkdir -p "$HOME"

fresh() {
    rm -rf "$work/program/media"
    mkdir -p "$work/program/media/stack"
    for n in $(seq "$1"); do : >"$work/program/media/stack/blank-$n.iso"; done
    find "$work/film" -type f -print0 | xargs -0 cat >/dev/null
    sync
}
# Runs the program; a run that fails ends the benchmark with its reason.
run() {
    "$work/program/orvane-burn" "$@" >/dev/null 2>"$work/err" || {
        tail -1 "$work/err" >&2
        exit 1
    }
}
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

: >"$work/one.times"
: >"$work/three.times"
for _ in $(seq "$runs"); do
    fresh 2
    start=$(date +%s.%N)
    run -n 3 -d "$work/film"
    echo "$(date +%s.%N) - $start" | bc >>"$work/one.times"
    [ "$(ls "$work/program/media/stack/ejected"/*.iso | wc -l)" = 2 ] || { echo "not three copies" >&2; exit 1; }
    fresh 0
    start=$(date +%s.%N)
    for _ in 1 2 3; do
        rm -rf "$work/program/media"
        run -d "$work/film"
    done
    echo "$(date +%s.%N) - $start" | bc >>"$work/three.times"
done
one=$(median <"$work/one.times")
three=$(median <"$work/three.times")
printf 'copies (%d MB filler, %d runs): one run of 3 copies %.3f s, 3 runs of 1 copy %.3f s, ratio %s (target <= 0.8)\n' \
    "$filler_mb" "$runs" "$one" "$three" "$(echo "scale=3; $one / $three" | bc)"
