#!/usr/bin/env bash
# Makes the README's pictures of the desktop program, in English and
# Japanese, after converting the real sample models with the default options
# (docs/screenshot-LANGUAGE.png), of its help window
# (docs/screenshot-help-LANGUAGE.png) and of the Report showing only failures
# and warnings (docs/screenshot-filtered-LANGUAGE.png), on a virtual X server
# (Debian's xvfb, installed when missing and run as root). The samples are
# read from ../shared/samples beside the checkout, or from SAMPLES.
#   scripts/screenshots.sh [SAMPLES]
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
samples=${1:-../shared/samples}
if ! ls "$samples"/*.cob >/dev/null 2>&1; then
    echo "No sample models in $samples." >&2
    exit 1
fi
# The program too: it puts the help pages beside itself.
cmake --build "$build_dir" --target app_screenshots verdin

# The samples converted in a folder of their own, so the pictures show no
# user's paths but the same short names everywhere.
work=/tmp/verdin-screenshots
rm -rf "$work"
mkdir -p "$work"
cp "$samples"/*.cob "$samples"/*.jpg "$work/"
mkdir -p docs
for language in en ja; do
    # The language chooses the help page too.
    (cd "$work" && xvfb-run -a -s "-screen 0 1600x900x24" env QT_QPA_PLATFORM=xcb LANGUAGE="$language" \
        "$OLDPWD/$build_dir/bin/app_screenshots" "$language" "$OLDPWD/docs" "$work"/*.cob)
    ls docs/screenshot*-"$language".png
done
rm -rf "$work"
