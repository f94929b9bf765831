#!/usr/bin/env bash
# Converts the examples, and the real samples when ../shared is there, into
# .glb and .gltf files with and without the newer-file options, and the
# DirectX files from elsewhere with --x-to-glb, and has the Khronos glTF
# validator check every one: no error, no warning.
#   tests/validator/check-outputs.sh build/bin/verdin-cli
# Exits 77 (skipped) when the validator is not installed.
set -euo pipefail
cli=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
if [ ! -d "$here/node_modules/gltf-validator" ]; then
    echo "the glTF validator is not installed: npm ci --prefix tests/validator"
    exit 77
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

models=("$source_dir"/examples/*.cob)
expected=2  # scene.cob and frame-only.cob; the others are refused
samples="$source_dir/../shared/samples"
if [ -d "$samples" ]; then
    models+=("$samples"/*.cob)
    expected=$((expected + $(ls "$samples"/*.cob | wc -l)))
else
    echo "note: $samples is absent: only the examples are checked"
fi

files=()
for format in glb gltf; do
    for options in "" "--newer-materials --flip-v --ascii"; do
        dir="$out/$format${options:+-newer}"
        # Some examples are refused on purpose: the status is 1.
        "$cli" --to "$format" $options -o "$dir" "${models[@]}" >"$dir.report" || true
        written=("$dir"/*."$format")
        if [ -z "$options" ] && [ -d "$samples" ]; then
            want=$((expected - $(ls "$samples"/*_ascii.cob | wc -l)))  # text forms need --ascii
        else
            want=$expected
        fi
        if [ "${#written[@]}" -ne "$want" ]; then
            echo "FAIL: $format ${options:-(no options)}: ${#written[@]} files written, $want expected"
            cat "$dir.report"
            exit 1
        fi
        files+=("${written[@]}")
    done
done
node "$here/validate.mjs" "${files[@]}"

# DirectX files as glTF: those from elsewhere and one with flaws of every
# kind. A skinned mesh stays on its frame's node, whose own placement and
# animation move it no more in glTF than in DirectX: the validator warns of
# both.
x_files=("$source_dir/tests/data/flawed-skin.x")
if [ -d "$samples/x" ]; then
    x_files+=("$samples"/x/*.x)
fi
"$cli" --x-to-glb -o "$out/x" "${x_files[@]}" >"$out/x.report"
VERDIN_ALLOWED_WARNINGS=NODE_SKINNED_MESH_NON_ROOT,ANIMATION_CHANNEL_TARGET_NODE_SKIN \
    node "$here/validate.mjs" "$out"/x/*.glb
