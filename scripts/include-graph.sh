#!/usr/bin/env bash
# Prints which folders each folder includes, then the folders in an order in
# which each comes after what it includes; fails when the includes go round
# in a circle.
set -euo pipefail
cd "$(dirname "$0")/.."

folders=(base cob scene texture xof d3drm xfile gltf xgltf convert render cli app)
pattern="#include \"($(IFS='|'; echo "${folders[*]}"))/"
edges=()
for folder in "${folders[@]}"; do
    included=$(grep -rhoE "$pattern" "$folder" | sed -E 's/#include "//; s#/$##' | sort -u | grep -vx "$folder" || true)
    echo "$folder -> $(echo $included)"
    for other in $included; do
        edges+=("$other $folder")
    done
    edges+=("$folder $folder")
done
order=$(printf '%s\n' "${edges[@]}" | tsort)
echo "order:" $order
