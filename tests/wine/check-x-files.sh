#!/usr/bin/env bash
# Converts the examples, and the real samples when ../shared is there, into
# .x files with each option set below, in text and binary form, and has the
# DirectX file reader of Wine (d3dxof.dll, which shares no code with Verdin)
# load every one through tests/wine/XFileWalk.cpp, with the .x files from
# elsewhere in ../shared/samples/x (frames, animations, skins). Fails when any
# file is refused, or when the reader accepts a broken file.
#   tests/wine/check-x-files.sh build/bin/verdin-cli
# Needs g++-mingw-w64-x86-64-posix and wine64 (./test.sh --windows installs
# them); scripts/test-windows.sh runs it.
set -euo pipefail

# One conversion per line, each run again with --binary. The first set is
# the defaults.
option_sets=(
    ""
    "--newer-materials --flip-v --ascii --position"
    "--keep-look"
)

cli=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
samples=$repo/../shared/samples
work=$repo/build-windows/x-check
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
export WINEPREFIX=${WINEPREFIX:-$repo/build-windows/wine} WINEDEBUG=-all

walker=$work/XFileWalk.exe
mkdir -p "$work"
if [ ! "$walker" -nt "$here/XFileWalk.cpp" ] || [ ! "$walker" -nt "$here/StandardTemplates.h" ]; then
    x86_64-w64-mingw32-g++-posix -std=c++20 -O1 -Wall -Wextra -Werror -static -o "$walker" \
        "$here/XFileWalk.cpp" -ld3dxof -ldxguid -lole32 -luuid
fi
rm -rf "$work/out"
mkdir -p "$work/out"
cd "$work/out"

models=("$repo"/examples/*.cob)
if compgen -G "$samples/*.cob" >/dev/null; then
    models+=("$samples"/*.cob)
else
    echo "note: $samples not found; only the examples are checked"
fi

# Some examples are refused on purpose, so the converter's status is not
# looked at; a set that writes no .x file at all fails.
failures=0
for options in "${option_sets[@]}"; do
    for form in "" --binary; do
        name=$(echo "${options:-defaults} $form" | sed -e 's/--//g' -e 's/ *$//' -e 's/ /+/g')
        "$cli" $options $form -o "$name" "${models[@]}" >"$name.report" || true
        if ! compgen -G "$name/*.x" >/dev/null; then
            echo "FAIL: ${options:-defaults} $form wrote no .x file (see $work/out/$name.report)"
            failures=$((failures + 1))
        fi
    done
done
# Files from elsewhere as they are, and as --x-to-text and --x-to-binary
# write them: a file the reader loads must load after either. With
# --templates they declare all they use beyond the mesh templates, so they
# load with those alone registered.
mesh_only=()
if compgen -G "$samples/x/*.x" >/dev/null; then
    for copy in foreign foreign-text foreign-binary mesh-only/text mesh-only/binary; do
        mkdir -p "$copy"
        cp "$samples"/x/*.x "$copy/"
        chmod u+w "$copy"/*.x
    done
    "$cli" --x-to-text foreign-text/*.x >foreign-text.report || true
    "$cli" --x-to-binary foreign-binary/*.x >foreign-binary.report || true
    "$cli" --x-to-text --templates mesh-only/text/*.x >mesh-only-text.report || true
    "$cli" --x-to-binary --templates mesh-only/binary/*.x >mesh-only-binary.report || true
    mesh_only=(mesh-only/*/*.x)
fi

# One Wine start for every file: a start costs seconds. A file counts as
# loaded only by its summary line, since a crash may leave the status 0.
files=(*/*.x)
total=$((${#files[@]} + ${#mesh_only[@]}))
status=0
"$wine" "$walker" "${files[@]}" --mesh-templates "${mesh_only[@]}" 2>&1 | tr -d '\r' >walk.log || status=$?
grep -E '^[^ ].*: ' walk.log || true
loaded=$(grep -c ': [0-9]* objects$' walk.log || true)
if [ "$status" -ne 0 ] || [ "$loaded" -ne "$total" ]; then
    echo "FAIL: Wine's d3dxof loaded $loaded of $total .x files (see $work/out/walk.log)"
    failures=$((failures + 1))
fi

# The reader must refuse a file with its last brace missing and one whose
# first face names fewer corners than it counts.
mkdir broken
scene=defaults/scene.x
sed '$d' "$scene" >broken/missing-brace.x
sed '0,/^4;[0-9,]*;,\(\r\?\)$/s//4;0,3;,\1/' "$scene" >broken/short-face.x
if cmp -s "$scene" broken/short-face.x; then
    echo "FAIL: no face of four corners in $scene to cut short"
    failures=$((failures + 1))
fi
status=0
"$wine" "$walker" broken/*.x 2>&1 | tr -d '\r' >broken.log || status=$?
if [ "$status" -eq 0 ] || [ "$(grep -c ' failed: ' broken.log)" -ne 2 ]; then
    echo "FAIL: Wine's d3dxof accepted a broken file (see $work/out/broken.log)"
    failures=$((failures + 1))
fi

if [ "$failures" -gt 0 ]; then
    exit 1
fi
echo "$loaded .x files loaded by Wine's d3dxof; the broken ones refused"
