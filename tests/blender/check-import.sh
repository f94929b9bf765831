#!/usr/bin/env bash
# Converts the real samples, and the .x files from elsewhere with --x-to-glb,
# to .glb files and has Blender's own glTF importer read them
# (tests/blender/read_glb.py). Exits 77 (skipped) without Blender
# or without ../shared/samples.
#   tests/blender/check-import.sh build/bin/verdin-cli
set -euo pipefail
cli=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
samples="$here/../../../shared/samples"
command -v blender >/dev/null || { echo "Blender is not installed"; exit 77; }
[ -d "$samples" ] || { echo "$samples is absent"; exit 77; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$cli" --to glb --newer-materials --flip-v --ascii -o "$out" "$samples"/*.cob >/dev/null
"$cli" --x-to-glb -o "$out/x" "$samples"/x/*.x "$here/../data/flawed-skin.x" >/dev/null
# Blender 3.4's importer uses numpy.bool, which numpy 1.24 no longer has.
status=0
output=$(HOME="$out" timeout 300 blender -b --factory-startup \
    --python-expr "import numpy; numpy.bool = bool; exec(open('$here/read_glb.py').read())" \
    -- "$out"/*.glb "$out"/x/*.glb 2>&1) || status=$?
grep -E "^(/|FAIL)" <<<"$output" || echo "$output"
exit "$status"
