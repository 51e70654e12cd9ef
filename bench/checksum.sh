#!/usr/bin/env bash
# Checksum benchmark (never run by CI): a full-speed virtual burn of a 3.5 GB
# DVD-Video folder through NeroAPI.so with the image's SHA-256 and without it
# (the virtual recorder's "checksum = off"), taken in turn in the same run,
# and the ratio of the median wall times. Then the same with the burn paced
# at 16x, the fastest real DVD drive, on a 780 MB folder (a 3.5 GB one would
# take almost three minutes a burn). The title VOBs are sparse files (390 MB
# of zeros each), so it needs little disk beyond the medium.
#
#   bench/checksum.sh [build dir] [runs]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
runs="${2:-3}"
work="$(mktemp -d "${TMPDIR:-/var/tmp}/orvane-checksum-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT

cmake --build "$build" --target orvane-burn-bench NeroAPI >/dev/null
mkdir -p "$work/program"
cp "$build/bin/NeroAPI.so" "$work/program/"
big="$work/big"
cp -r "$root/samples/dvd-menuless" "$big"
rm -f "$big"/VIDEO_TS/VTS_01_[1-9].VOB
for part in 1 2 3 4 5 6 7 8 9; do
    truncate -s $((390 * 1024 * 1024)) "$big/VIDEO_TS/VTS_01_$part.VOB"
done

# recorder <checksum on|off> <pacing> [speeds]
recorder() {
    cat >"$work/program/virtual-recorders.conf" <<CONF
[Bench DVD]
medium = DVD+RW blank
file = $work/disc.iso
pacing = $2
${3:+speeds = $3}
capacity = 4000000
checksum = $1
CONF
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# measure <label> <folder> <target> <pacing> [speeds]
measure() {
    : >"$work/on.times"
    : >"$work/off.times"
    for _ in $(seq "$runs"); do
        for checksum in off on; do
            recorder "$checksum" "$4" "${5:-}"
            rm -f "$work/disc.iso"*
            sync
            line=$("$build/bench/burn/orvane-burn-bench" "$work/program" "$2" 2>/dev/null)
            echo "$line" | awk '{print $4}' >>"$work/$checksum.times"
        done
    done
    off=$(median <"$work/off.times")
    on=$(median <"$work/on.times")
    printf '%s, %d runs: without checksum %.3f s, with %.3f s, ratio %s (target <= %s)\n' \
        "$1" "$runs" "$off" "$on" "$(echo "scale=3; $on / $off" | bc)" "$3"
    echo "  without: $(tr '\n' ' ' <"$work/off.times")"
    echo "  with:    $(tr '\n' ' ' <"$work/on.times")"
}

measure "3.5 GB sparse folder, full speed" "$big" 1.10 full-speed

small="$work/small"
cp -r "$root/samples/dvd-menuless" "$small"
rm -f "$small"/VIDEO_TS/VTS_01_[1-9].VOB
for part in 1 2; do
    truncate -s $((390 * 1024 * 1024)) "$small/VIDEO_TS/VTS_01_$part.VOB"
done
measure "780 MB sparse folder, paced at 16x" "$small" 1.02 paced 16x
echo "  load: $(uptime)"
