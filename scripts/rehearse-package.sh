#!/usr/bin/env bash
# Proves the Debian package complete: installs build/orvane-burn_*.deb with
# apt-get into a clean Debian 12 root (bootstrapped as scripts/rehearse-clean-root.sh
# does), then, as an ordinary user there, burns the sample folder unattended to
# the Virtual DVD Writer, checks the image with orvane-imagecheck and checks
# that the user's settings and disc are in that user's home.
# Run as root on a Debian machine with debootstrap, after
# `cmake --build build --target package`. Usage:
#   scripts/rehearse-package.sh [root-folder] [build-folder]
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
target="${1:-/var/tmp/orvane-package-root}"
build="$(cd "${2:-$repo/build}" && pwd)"
mirror="${DEBIAN_MIRROR:-http://deb.debian.org/debian}"

packages=("$build"/orvane-burn_*.deb)
if [ ! -f "${packages[0]}" ] || [ ${#packages[@]} -ne 1 ]; then
    echo "expected exactly one $build/orvane-burn_*.deb; make it with: cmake --build $build --target package" >&2
    exit 1
fi
started=$SECONDS

if [ ! -x "$target/bin/bash" ]; then
    debootstrap --variant=minbase bookworm "$target" "$mirror"
fi

cleanup() {
    for m in dev/pts dev proc sys; do
        umount -l "$target/$m" 2>/dev/null || true
    done
}
trap cleanup EXIT
mount -t proc proc "$target/proc"
mount -t sysfs sys "$target/sys"
mount --bind /dev "$target/dev"
mount --bind /dev/pts "$target/dev/pts"
cp /etc/resolv.conf "$target/etc/resolv.conf"

# What the rehearsal brings along: the package, the sample and the image
# checker of the build tree (a test tool, not part of the package).
stage="$target/var/tmp/rehearsal"
rm -rf "$stage"
mkdir -p "$stage"
cp "${packages[0]}" "$stage/"
cp -r "$repo/samples/dvd-menuless" "$stage/sample"
cp "$build/bin/orvane-imagecheck" "$stage/"
chmod -R a+rX "$stage"

in_root() {
    chroot "$target" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 /bin/bash -c "$1"
}

in_root "apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q ./var/tmp/rehearsal/$(basename "${packages[0]}")"
echo "== installed: $(in_root "dpkg-query -W -f='\${Package} \${Version}, \${Installed-Size} KiB' orvane-burn")"
# The image checker's readers, not needed by the program itself.
in_root "DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends libdvdread8 libudfread0 genisoimage >/dev/null"

in_root "id burner >/dev/null 2>&1 || useradd --create-home burner"
in_root "rm -rf /home/burner/.config/orvane-burn /home/burner/.local/share/orvane-burn /home/burner/Desktop"
program_listing="find /usr/lib/orvane-burn -printf '%p %s %T@\n' | sort"
before="$(in_root "$program_listing")"
run_started=$SECONDS
in_root "runuser -u burner -- env HOME=/home/burner orvane-burn -d /var/tmp/rehearsal/sample -o"
run_seconds=$((SECONDS - run_started))
image=/home/burner/.local/share/orvane-burn/media/virtual-dvd.iso
in_root "/var/tmp/rehearsal/orvane-imagecheck $image"
in_root "test -f /home/burner/.config/orvane-burn/registry.ini && test -f /home/burner/.config/orvane-burn/virtual-recorders.conf"
if [ "$before" != "$(in_root "$program_listing")" ]; then
    echo "the run changed the program folder /usr/lib/orvane-burn" >&2
    exit 1
fi
echo "== the user's files:"
in_root "find /home/burner/.config/orvane-burn /home/burner/.local/share/orvane-burn -printf '%u %m %p\n'"
echo "package rehearsal passed: burn as burner ${run_seconds}s, whole rehearsal $((SECONDS - started))s"
