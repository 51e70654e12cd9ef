#!/usr/bin/env bash
# Pictures of the main window as it looks during a burn, one per shipped
# language: the recording library loaded, the "Virtual DVD Writer" selected
# and a burn of the sample DVD-Video folder about half way (progress bar,
# times and log). The English one is the README's picture:
#
#     scripts/screenshots.sh              # writes docs/main-window.png and
#                                         # build/screenshots/main-window-<language>.png
#
# Each language gets a fresh copy of the program folder (build/screenshots/
# <language>), so the shipped blank virtual disc stays blank. The folder that
# is burned is the sample as a user would keep it, "Videos/My Film" in a home
# of its own: a temporary folder that, where the machine lets a user make a
# mount namespace (unshare), is seen as /home/user, so the picture shows
# nothing of the machine it was made on. The sample is a few hundred
# kilobytes, which the virtual writer burns in a blink; the copy that is
# burned carries one extra file of zeros beside VIDEO_TS (EXTRAS/padding.bin,
# 48 MiB, sparse) so that the burn lasts long enough to be caught half way.
# The window is drawn offscreen, with the fonts the machine has.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
build="${ORVANE_BUILD_DIR:-build}"
sample="$root/samples/dvd-menuless"

cmake -S . -B "$build" -G Ninja
cmake --build "$build" -j "$(nproc)" --target orvane-screenshot NeroAPI orvane_language_files orvane_help

shots="$root/$build/screenshots"
mkdir -p "$shots" "$root/docs"
homes="$(mktemp -d)"
trap 'rm -rf "$homes"' EXIT

# in_home runs a command that sees $homes as /home where a mount namespace
# can be made, else as it is; $home is the user's home as that command sees it.
if unshare --map-root-user --mount true 2>/dev/null; then
    home=/home/user
    in_home() { unshare --map-root-user --mount sh -c 'mount --bind "$0" /home && exec "$@"' "$homes" "$@"; }
else
    home="$homes/user"
    in_home() { "$@"; }
fi
film="Videos/My Film"

for language in english deutsch; do
    run="$shots/$language"
    rm -rf "$run" "$homes/user"
    cp -r "$root/$build/bin" "$run"
    mkdir -p "$homes/user/.config" "$homes/user/Videos"
    mkdir -m 700 "$run/runtime"
    cp -r "$sample" "$homes/user/$film"
    mkdir -p "$homes/user/$film/EXTRAS"
    truncate -s 48M "$homes/user/$film/EXTRAS/padding.bin"
    picture="$shots/main-window-$language.png"
    in_home env HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$run/runtime" \
        QT_QPA_PLATFORM=offscreen \
        "$run/orvane-screenshot" "$run" "$home/$film" "$language.lng" "$picture"
done
cp "$shots/main-window-english.png" "$root/docs/main-window.png"
echo "== docs/main-window.png and $shots/main-window-*.png"
