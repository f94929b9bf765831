#!/usr/bin/env bash
# Makes docs/screenshot-en.png and docs/screenshot-ja.png, the README's
# pictures of the desktop program after converting the examples, on a
# virtual X server (Debian's xvfb, installed when missing and run as root).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
if ! command -v xvfb-run >/dev/null; then
    if [ "$(id -u)" -eq 0 ]; then
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends xvfb xauth >/dev/null
    else
        echo "Missing packages. Run:  sudo apt-get install -y xvfb xauth" >&2
        exit 1
    fi
fi
cmake --build "$build_dir" --target app_screenshots

# The examples converted in a folder of their own, so the pictures show no
# user's paths but the same short names everywhere.
work=/tmp/verdin-screenshots
rm -rf "$work"
mkdir -p "$work"
cp examples/*.cob examples/*.bmp "$work/"
mkdir -p docs
for language in en ja; do
    (cd "$work" && xvfb-run -a -s "-screen 0 1280x800x24" env QT_QPA_PLATFORM=xcb \
        "$OLDPWD/$build_dir/bin/app_screenshots" "$language" "$OLDPWD/docs/screenshot-$language.png" \
        "$work"/*.cob)
    echo "docs/screenshot-$language.png"
done
rm -rf "$work"
