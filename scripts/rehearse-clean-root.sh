#!/usr/bin/env bash
# Proves scripts/packages.txt complete: bootstraps a clean Debian 12 root,
# clones this repository into it and runs the README's test command there.
# Run as root on a Debian machine with debootstrap. Usage:
#   scripts/rehearse-clean-root.sh [root-folder] [command inside the clone]
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
target="${1:-/var/tmp/orvane-clean-root}"
command="${2:-scripts/setup-deps.sh && scripts/test.sh}"
mirror="${DEBIAN_MIRROR:-http://deb.debian.org/debian}"

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

rm -rf "$target/root/orvane"
git clone -q "$repo" "$target/root/orvane"
chroot "$target" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
    /bin/bash -c "cd /root/orvane && $command"
echo "clean-root rehearsal passed: $command"
