#!/usr/bin/env bash
# Makes the README's pictures of the real sample models: the molecule and the
# spider converted to .x with the options for newer files, and with each
# object's position so that the molecule's atoms stand apart; and the three of
# them converted to .glb, seen from the front as the modeller stands them
# (its z axis up). Each drawn by `verdin --render`.
#   scripts/render-samples.sh [SAMPLES_FOLDER]   (default ../shared/samples)
set -euo pipefail
cd "$(dirname "$0")/.."
samples=$(realpath "${1:-../shared/samples}")
source scripts/setup.sh

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p docs
for model in molecule spider_6_6; do
    cp "$samples/$model.cob" "$work/"
    (cd "$work" && "$OLDPWD/$build_dir/bin/verdin-cli" --newer-materials --flip-v --position "$model.cob" >/dev/null)
    QT_QPA_PLATFORM=offscreen "$build_dir/bin/verdin" --render "$work/$model.x" "docs/render-$model.png" \
        --size 480x360
    echo "docs/render-$model.png"
done
for model in molecule spider_6_6 dwarf; do
    "$build_dir/bin/verdin-cli" --to glb --newer-materials --flip-v -o "$work" "$samples/$model.cob" >/dev/null
    QT_QPA_PLATFORM=offscreen "$build_dir/bin/verdin" --render "$work/$model.glb" "docs/render-$model-glb.png" \
        --size 320x240 --turn 20,80
    echo "docs/render-$model-glb.png"
done
