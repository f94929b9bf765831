#!/usr/bin/env bash
# Installs the Debian package on a fresh, minimal Debian 12 made with
# debootstrap, as a user would with apt, and uses it there: the version, a
# conversion of an example, and the desktop entry registered for COB files.
#   scripts/try-deb.sh verdin_<version>_amd64.deb [ROOT]
# Needs root and the network. ROOT (default /tmp/verdin-debian12) is made
# afresh; it is kept afterwards for a look around.
set -euo pipefail
deb=$(realpath "$1")
root=${2:-/tmp/verdin-debian12}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
[ "$(id -u)" -eq 0 ] || { echo "try-deb.sh needs root (debootstrap, chroot)" >&2; exit 2; }
command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap >/dev/null

umount -R "$root/proc" 2>/dev/null || true
rm -rf "$root"
debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian >/dev/null
mount -t proc proc "$root/proc"
trap 'umount "$root/proc"' EXIT

cp "$deb" "$root/tmp/"
cp "$source_dir/examples/scene.cob" "$source_dir/examples/wood.bmp" "$root/tmp/"
# The desktop's own tools come first, as on any desktop system, so that
# their triggers register the package's entry and file type.
chroot "$root" /bin/bash -euo pipefail -c "
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq desktop-file-utils shared-mime-info xdg-utils >/dev/null
    apt-get install -y -qq /tmp/$(basename "$deb") >/dev/null
    verdin-cli --version
    cd /tmp && verdin-cli scene.cob
    head -c 16 scene.x; echo
    # The desktop program, given a file, converts it and ends by itself.
    rm scene.x && QT_QPA_PLATFORM=offscreen timeout 60 verdin scene.cob && head -c 16 scene.x; echo
    grep -q 'model/x-caligari-cob=.*example.quorvane.Verdin.desktop' /usr/share/applications/mimeinfo.cache
    echo 'desktop entry registered for model/x-caligari-cob'
    printf 'Caligari V00.01BLH' >/tmp/model.unknown
    xdg-mime query filetype /tmp/model.unknown
    xdg-mime query filetype /tmp/scene.cob
"
echo "installed and used on $(cat "$root/etc/debian_version")"
