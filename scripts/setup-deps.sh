#!/usr/bin/env bash
# Installs every Debian package listed in scripts/packages.txt. Idempotent; run as root.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
mapfile -t packages < <(sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "$here/packages.txt")

if [ "$(id -u)" -ne 0 ]; then
    echo "setup-deps.sh must run as root (it calls apt-get)" >&2
    exit 1
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    echo "setup-deps: all ${#packages[@]} packages present"
    exit 0
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y --no-install-recommends "${missing[@]}"
