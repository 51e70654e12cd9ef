#!/usr/bin/env bash
# Image streaming benchmark (never run by CI): streams a 3-4 GB DVD-Video
# folder to an image file with the recording library's image builder and
# compares it, in turn and on the same disk, with cat of the same source
# files (which copies with copy_file_range) and with genisoimage -dvd-video
# -udf. The builder runs twice: writing straight into the file and through
# the track's readBlocks slot. Prints the median wall time of each, the
# ratios, the peak memory and the load.
#
#   bench/image/run-image-bench.sh [build folder, default build] [work folder]
#   bench/image/run-image-bench.sh --small-files [build folder] [work folder]
#
# --small-files measures the cost per file instead: the committed menu-less
# DVD-Video sample with 50,000 and then 200,000 small files (100 to 149
# bytes, 500 to a folder) in an extra folder, built by the image builder and
# by genisoimage -dvd-video -udf, each ORVANE_BENCH_RUNS times; prints the
# median wall time and the peak resident memory (/usr/bin/time -v) of both
# and their ratios. ORVANE_BENCH_FILES overrides the sizes ("50000 200000").
#
# Needs ffmpeg and dvdauthor to make the big folder once (kept in the work
# folder for later runs) and 12 GB of free disk. ORVANE_BENCH_RUNS sets the
# number of rounds (default 3), ORVANE_BENCH_MB the size of the folder
# (default 3500 MiB).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
small_files=0
if [ "${1:-}" = "--small-files" ]; then
    small_files=1
    shift
fi
build="$(cd "${1:-$root/build}" && pwd)"
work="${2:-${TMPDIR:-/tmp}/orvane-image-bench}"
runs="${ORVANE_BENCH_RUNS:-3}"
target_mb="${ORVANE_BENCH_MB:-3500}"
tool="$build/bin/orvane-make-image"
[ -x "$tool" ] || { echo "build orvane-make-image first ($tool)" >&2; exit 1; }
mkdir -p "$work"

if [ "$small_files" -eq 1 ]; then
    command -v genisoimage >/dev/null || { echo "needs genisoimage" >&2; exit 1; }
    # Prints "seconds peak_kib" of one run of the command.
    timed() {
        /usr/bin/time -v -o "$work/time-v.tmp" "$@" >/dev/null 2>"$work/small.err" || { cat "$work/small.err" >&2; exit 1; }
        awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + t[i] }
                    /Maximum resident set size/ { m = $2 } END { printf "%.2f %d\n", s, m }' "$work/time-v.tmp"
    }
    median_of() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
    for count in ${ORVANE_BENCH_FILES:-50000 200000}; do
        folder="$work/small-$count"
        if [ ! -f "$folder/.complete" ]; then
            rm -rf "$folder"
            cp -r "$root/samples/dvd-menuless" "$folder"
            python3 - "$folder/EXTRA" "$count" <<'PY'
import os, sys
base, count = sys.argv[1], int(sys.argv[2])
for i in range(count):
    folder = f"{base}/D{i // 500:04d}"
    if i % 500 == 0:
        os.makedirs(folder, exist_ok=True)
    with open(f"{folder}/F{i:06d}.TXT", "w") as f:
        f.write("x" * (100 + i % 50))
PY
            touch "$folder/.complete"
        fi
        out="$work/small.img"
        rm -f "$work"/small-*.times
        for round in $(seq "$runs"); do
            rm -f "$out"; sync
            timed "$tool" "$folder" "$out" 0x18 >>"$work/small-orvane.times"
            rm -f "$out"; sync
            timed genisoimage -quiet -dvd-video -udf -V BENCH -o "$out" "$folder" >>"$work/small-genisoimage.times"
        done
        rm -f "$out"
        ot=$(cut -d' ' -f1 "$work/small-orvane.times" | median_of); om=$(cut -d' ' -f2 "$work/small-orvane.times" | sort -n | tail -n 1)
        gt=$(cut -d' ' -f1 "$work/small-genisoimage.times" | median_of); gm=$(cut -d' ' -f2 "$work/small-genisoimage.times" | sort -n | tail -n 1)
        printf '%s small files: image builder %s s, %s KiB peak; genisoimage %s s, %s KiB peak; memory ratio %s (target <= 1.2), time ratio %s\n' \
            "$count" "$ot" "$om" "$gt" "$gm" "$(awk -v a="$om" -v b="$gm" 'BEGIN { printf "%.2f", a / b }')" \
            "$(awk -v a="$ot" -v b="$gt" 'BEGIN { printf "%.2f", a / b }')"
    done
    exit 0
fi

free_gb=$(( $(df --output=avail -k "$work" | tail -n 1) / 1024 / 1024 ))
if [ "$free_gb" -lt 12 ]; then
    echo "skipped: only ${free_gb} GB free in $work, the benchmark needs 12 GB"
    exit 0
fi

folder="$work/dvd"
if [ ! -f "$folder/VIDEO_TS/VIDEO_TS.IFO" ]; then
    for t in ffmpeg dvdauthor genisoimage; do command -v "$t" >/dev/null || { echo "needs $t" >&2; exit 1; }; done
    ffmpeg -nostdin -loglevel error -y -f lavfi -i "testsrc=size=720x576:rate=25" \
        -f lavfi -i "sine=frequency=440:sample_rate=48000" -t 60 -target pal-dvd \
        -b:v 7500k -maxrate 8000k "$work/clip.mpg"
    # dvdauthor reads a file named twice only once: list links to the clip.
    copies=$(( target_mb * 1024 * 1024 / $(stat -c %s "$work/clip.mpg") + 1 ))
    echo "making the big folder (one clip encoded once, listed $copies times)"
    # A program chain takes at most 255 programs: 100 clips per title.
    pgcs=""
    vobs=""
    for i in $(seq "$copies"); do
        ln -sf clip.mpg "$work/clip-$i.mpg"
        vobs="$vobs<vob file=\"$work/clip-$i.mpg\"/>"
        if [ $((i % 100)) -eq 0 ] || [ "$i" -eq "$copies" ]; then
            pgcs="$pgcs<pgc>$vobs</pgc>"
            vobs=""
        fi
    done
    rm -rf "$folder"
    printf '<dvdauthor dest="%s"><vmgm/><titleset><titles>%s</titles></titleset></dvdauthor>\n' \
        "$folder" "$pgcs" >"$work/big.xml"
    VIDEO_FORMAT=PAL dvdauthor -x "$work/big.xml" 2>"$work/dvdauthor.log"
fi
sources=$(cd "$folder/VIDEO_TS" && { ls VIDEO_TS.IFO VIDEO_TS.VOB VIDEO_TS.BUP VTS_* 2>/dev/null || true; } | sed "s|^|$folder/VIDEO_TS/|" | tr "\n" " ")
bytes=$(du -cb $sources | tail -n 1 | cut -f 1)
echo "source: $folder, $((bytes / 1024 / 1024)) MiB; $(nproc) CPUs; page cache warm (the sources are read again right before each timed run)"

out="$work/out.img"
# This machine's kernel pages out memory nobody touched for a while (a DAMON
# pageout scheme, visible under /sys/kernel/mm/damon), so a cache warmed once
# at the start is half gone a few rounds later, and by different amounts for
# each tool. Each timed run therefore reads the sources once more right before
# it starts; the lowest resident share seen at a start is printed at the end.
resident_percent() {
    fincore -b -n -o RES,SIZE $sources | awk '{r += $1; s += $2} END {printf "%d", s ? 100 * r / s : 100}'
}
measure() { # name, command...: appends "seconds peak_kib" to $work/<name>.times
    local name="$1"; shift
    rm -f "$out"; sync
    cat $sources >/dev/null
    resident_percent >>"$work/resident.percent"; echo >>"$work/resident.percent"
    /usr/bin/time -f "%e %M" -o "$work/time.tmp" "$@" >/dev/null 2>"$work/$name.err" || { cat "$work/$name.err" >&2; exit 1; }
    sync
    cat "$work/time.tmp" >>"$work/$name.times"
}
rm -f "$work"/*.times "$work/resident.percent"
for round in $(seq "$runs"); do
    measure cat sh -c "cat $sources >'$out'"
    measure orvane "$tool" "$folder" "$out" 0x18
    measure slots "$tool" --slots "$folder" "$out" 0x18
    measure genisoimage genisoimage -quiet -dvd-video -udf -V BENCH -o "$out" "$folder"
    echo "round $round done"
done
rm -f "$out"
median() { sort -n "$1" | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
peak() { sort -n -k2 "$1" | tail -n 1 | awk '{print $2}'; }
c=$(median "$work/cat.times"); o=$(median "$work/orvane.times"); g=$(median "$work/genisoimage.times")
s=$(median "$work/slots.times")
printf 'median seconds: cat %s, image builder %s (through the track slots %s), genisoimage %s\n' "$c" "$o" "$s" "$g"
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
printf 'image builder / cat = %s (target <= 1.1)\n' "$(ratio "$o" "$c")"
printf 'image builder / genisoimage = %s (target < 1)\n' "$(ratio "$o" "$g")"
printf 'through the slots / cat = %s\n' "$(ratio "$s" "$c")"
printf 'peak memory KiB: image builder %s (through the slots %s), genisoimage %s, cat %s\n' \
    "$(peak "$work/orvane.times")" "$(peak "$work/slots.times")" "$(peak "$work/genisoimage.times")" "$(peak "$work/cat.times")"
echo "sources resident at the start of a run: at least $(sort -n "$work/resident.percent" | head -n 1) %"
echo "load: $(uptime)"
