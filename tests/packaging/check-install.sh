#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop and a
# package manager read of it, then the Debian package made from it.
#   check-install.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
share=$prefix/share
id=example.quorvane.Verdin

desktop-file-validate "$share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" >/dev/null || fail "AppStream metainfo"

# The MIME package compiles without a complaint into the COB type.
mkdir "$scratch/data"
cp -r "$share/mime" "$scratch/data/mime"
warnings=$(XDG_DATA_DIRS=$scratch/data update-mime-database "$scratch/data/mime" 2>&1)
[ -z "$warnings" ] || fail "MIME package: $warnings"
grep -aq 'Caligari ' "$scratch/data/mime/magic" || fail "no magic for the COB type"
grep -qx 'model/x-caligari-cob:\*\.scn' "$scratch/data/mime/globs" || fail "no *.scn glob"

[ "$(file -b "$share/icons/hicolor/256x256/apps/$id.png" | cut -d, -f2)" = " 256 x 256" ] || fail "PNG icon size"

for page in verdin verdin-cli; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$share/man/man1/$page.1" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page.1: $warnings"
done

# The manual page describes every option --help lists, and no other.
"$prefix/bin/verdin-cli" --help | grep -oE -- '(^| |,)--?[a-z][a-z-]*' | tr -d ' ,' | sort -u >"$scratch/help"
grep -oP -- '(?<![a-z\\])\\-(\\-)?[a-z](?:[a-z\\-]*[a-z])?(?![a-z\\])' "$share/man/man1/verdin-cli.1" | sed 's/\\//g' |
    sort -u >"$scratch/man"
diff "$scratch/help" "$scratch/man" || fail "options of --help (<) and of verdin-cli.1 (>) differ"

# The installed programs find what they need.
[ "$("$prefix/bin/verdin-cli" --version)" = "verdin-cli $version" ] || fail "verdin-cli --version"
[ -f "$share/doc/verdin/Verdin.htm" ] || fail "help page"
[ -f "$share/doc/verdin/Verdin.ja.htm" ] || fail "Japanese help page"

# The package holds the same files, and depends on the libraries the programs link.
(cd "$build" && cpack -G DEB -B "$scratch/package" >/dev/null 2>&1) || fail "cpack -G DEB"
deb=$scratch/package/verdin_${version}_amd64.deb
[ -f "$deb" ] || fail "no $deb"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libqt6widgets6 qt6-qpa-plugins; do
    [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done
(cd "$prefix" && find . -type f | sed 's|^\./|./usr/|' | sort) >"$scratch/installed"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort >"$scratch/packaged"
diff "$scratch/installed" "$scratch/packaged" || fail "installed (<) and packaged (>) files differ"
echo "install and package checked"
