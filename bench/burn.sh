#!/usr/bin/env bash
# Burn benchmark (never run by CI): burns DVD-Video folders through
# NeroAPI.so to a full-speed virtual DVD recorder, verify off, and compares
# the median wall time with cat of the same source files into one file on the
# same disk, measured in the same run, tools taken in turn.
#
#   bench/burn.sh [build dir] [runs]
# Folders: the committed menu-less sample and, when 12 GB are free, a 3.5 GB
# folder made from it (its title VOB parts replaced by 9 x 390 MB of random
# data; the placement then packs the files, which is all this benchmark needs).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
runs="${2:-5}"
work="$(mktemp -d "${TMPDIR:-/var/tmp}/orvane-burn-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT

cmake --build "$build" --target orvane-burn-bench NeroAPI >/dev/null
mkdir -p "$work/program"
cp "$build/bin/NeroAPI.so" "$work/program/"
cat >"$work/program/virtual-recorders.conf" <<CONF
[Bench DVD]
medium = DVD+RW blank
file = $work/disc.iso
pacing = full-speed
capacity = 4000000
CONF

folders=("$root/samples/dvd-menuless")
if [ "$(df --output=avail -B1 "$work" | tail -1)" -gt $((12 * 1024 * 1024 * 1024)) ]; then
    big="$work/big"
    cp -r "$root/samples/dvd-menuless" "$big"
    rm -f "$big"/VIDEO_TS/VTS_01_[1-9].VOB
    for part in 1 2 3 4 5 6 7 8 9; do
        head -c $((390 * 1024 * 1024)) /dev/urandom >"$big/VIDEO_TS/VTS_01_$part.VOB"
    done
    # Measured right after 3.5 GB were written, both tools swing between
    # one and four times their usual time while the disk catches up. Start
    # from a folder that is on the disk and read back like any other.
    sync
    for file in "$big"/VIDEO_TS/*; do dd if="$file" iflag=nocache count=0 status=none; done
    folders+=("$big")
else
    echo "less than 12 GB free: the big folder is skipped"
fi

# The kernel here pages out memory left untouched for a while (a DAMON
# pageout scheme), so the sources are read once more right before each timed
# run: every run starts with them in the page cache.
warm() { find "$1" -type f -print0 | xargs -0 cat >/dev/null; }

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

for folder in "${folders[@]}"; do
    size=$(du -sb "$folder" | cut -f1)
    : >"$work/cat.times"
    : >"$work/burn.times"
    : >"$work/share"
    for _ in $(seq "$runs"); do
        # Each tool starts with the previous one's output written back, so
        # that neither pays for the other's writeback.
        rm -f "$work/disc.iso"* "$work/cat.out"
        sync
        warm "$folder"
        start=$(date +%s.%N)
        find "$folder" -type f -print0 | sort -z | xargs -0 cat >"$work/cat.out"
        echo "$(date +%s.%N) - $start" | bc >>"$work/cat.times"
        rm -f "$work/cat.out"
        sync
        warm "$folder"
        line=$("$build/bench/burn/orvane-burn-bench" "$work/program" "$folder" 2>/dev/null)
        echo "$line" | awk '{print $4}' >>"$work/burn.times"
        echo "$line" | awk '{print $10}' | tr -d '%' >>"$work/share"
    done
    cat_median=$(median <"$work/cat.times")
    burn_median=$(median <"$work/burn.times")
    share_median=$(median <"$work/share")
    ratio=$(echo "scale=3; $burn_median / $cat_median" | bc)
    printf '%s (%d bytes, %d runs, warm cache): cat %.3f s, burn %.3f s, ratio %s (target <= 1.15), callbacks %s%% of the burn (target < 1%%)\n' \
        "$(basename "$folder")" "$size" "$runs" "$cat_median" "$burn_median" "$ratio" "$share_median"
    echo "  cat runs: $(tr '\n' ' ' <"$work/cat.times")"
    echo "  burn runs: $(tr '\n' ' ' <"$work/burn.times")"
    echo "  load: $(uptime)"
done
