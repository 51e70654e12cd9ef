#!/usr/bin/env bash
# Makes the small DVD-Video sample folders committed under samples/.
# Needs ffmpeg and dvdauthor; they are not build or test dependencies (the
# samples are committed), so they are not in scripts/packages.txt.
#
#   scripts/make-sample-dvd.sh [output folder, default samples/]
#
# dvd-menuless    one title set, no menus (dvdauthor -t): its VIDEO_TS.IFO
#                 reserves more sectors than the VMG files fill, the case
#                 that shows whether the image honours the IFO addresses.
# dvd-with-menus  a VMG menu (VIDEO_TS.VOB), two title sets, the first with
#                 its own menu (VTS_01_0.VOB), plus a top-level file and an
#                 extra folder with a non-ASCII name, as a real disc may have.
# dvd-chapters    two title sets without menus: a one-cell title, then a main
#                 title of five cells in four chapters over two VOBs (one
#                 cell starts no chapter), for the layer-break planner.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$root/samples}"
for tool in ffmpeg dvdauthor; do
    command -v "$tool" >/dev/null || { echo "$0: $tool is needed (apt-get install $tool)" >&2; exit 1; }
done
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export VIDEO_FORMAT=PAL

# clip <file> <seconds> <pattern> <tone Hz>: a PAL DVD-compliant MPEG-2
# program stream at a low bit rate so the committed samples stay small.
clip() {
    ffmpeg -nostdin -loglevel error -y \
        -f lavfi -i "$3=size=720x576:rate=25" -f lavfi -i "sine=frequency=$4:sample_rate=48000" \
        -t "$2" -target pal-dvd -b:v 300k -maxrate 600k -minrate 0 -bufsize 1835008 \
        -b:a 64k -ac 2 -flags +bitexact -fflags +bitexact "$1"
}

clip "$work/title1.mpg" 3 testsrc 440
clip "$work/title2.mpg" 2 smptebars 660
clip "$work/menu.mpg" 1 rgbtestsrc 330

# flat <file> <seconds> <colour> <tone Hz>: like clip, but a plain colour
# compresses to almost nothing, so a title of several cells stays small.
flat() {
    ffmpeg -nostdin -loglevel error -y \
        -f lavfi -i "color=c=$3:size=720x576:rate=25" -f lavfi -i "sine=frequency=$4:sample_rate=48000" \
        -t "$2" -target pal-dvd -b:v 300k -maxrate 600k -minrate 0 -bufsize 1835008 \
        -b:a 64k -ac 2 -flags +bitexact -fflags +bitexact "$1"
}

flat "$work/part1.mpg" 4 navy 440
flat "$work/part2.mpg" 3 olive 660
flat "$work/short.mpg" 1 gray 330

make_menuless() {
    local dest="$out/dvd-menuless"
    rm -rf "$dest"
    dvdauthor -o "$dest" -t "$work/title1.mpg" 2>"$work/log" || { cat "$work/log" >&2; exit 1; }
    dvdauthor -o "$dest" -T 2>>"$work/log" || { cat "$work/log" >&2; exit 1; }

}

make_with_menus() {
    local dest="$out/dvd-with-menus"
    rm -rf "$dest"
    cat >"$work/menus.xml" <<XML
<dvdauthor dest="$dest">
  <vmgm>
    <menus>
      <pgc entry="title">
        <vob file="$work/menu.mpg"/>
        <post>jump title 1;</post>
      </pgc>
    </menus>
  </vmgm>
  <titleset>
    <menus>
      <pgc entry="root">
        <vob file="$work/menu.mpg"/>
        <post>jump title 1;</post>
      </pgc>
    </menus>
    <titles>
      <pgc><vob file="$work/title1.mpg"/></pgc>
    </titles>
  </titleset>
  <titleset>
    <titles>
      <pgc><vob file="$work/title2.mpg"/></pgc>
    </titles>
  </titleset>
</dvdauthor>
XML
    dvdauthor -x "$work/menus.xml" 2>"$work/log" || { cat "$work/log" >&2; exit 1; }
    mkdir -p "$dest/Extras/Bücher"
    printf 'Sample disc made by scripts/make-sample-dvd.sh\n' >"$dest/Extras/Bücher/Liesmich.txt"
    printf 'An extra file at the top level.\n' >"$dest/readme.txt"
}

make_chapters() {
    local dest="$out/dvd-chapters"
    rm -rf "$dest"
    cat >"$work/chapters.xml" <<XML
<dvdauthor dest="$dest">
  <vmgm/>
  <titleset>
    <titles>
      <pgc><vob file="$work/short.mpg"/></pgc>
    </titles>
  </titleset>
  <titleset>
    <titles>
      <pgc>
        <vob file="$work/part1.mpg" chapters="0,0:01,0:02.5"/>
        <vob file="$work/part2.mpg"><cell start="0" end="1.5" chapter="1"/><cell start="1.5" chapter="0"/></vob>
      </pgc>
    </titles>
  </titleset>
</dvdauthor>
XML
    dvdauthor -x "$work/chapters.xml" 2>"$work/log" || { cat "$work/log" >&2; exit 1; }
}

make_menuless
make_with_menus
make_chapters
for sample in dvd-menuless dvd-with-menus dvd-chapters; do
    {
        echo "Made by scripts/make-sample-dvd.sh on $(date -u +%Y-%m-%d)"
        echo "$(ffmpeg -version | head -n 1)"
        echo "$(dvdauthor 2>&1 | head -n 1)"
        echo
        (cd "$out/$sample" && find . -type f | LC_ALL=C sort | xargs -d '\n' ls -l --time-style=+ | awk '{print $5, $NF}')
    } >"$out/$sample.txt"
done
du -sh "$out"/dvd-*/
