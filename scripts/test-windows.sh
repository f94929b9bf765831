#!/usr/bin/env bash
# Builds verdin-cli.exe and runs it under Wine on the examples, the real
# samples (when ../shared/samples is there) and builder-made files, each run
# beside the same run of the Linux build: every file written, every report
# and every exit status must be the same, byte for byte. Then Wine's DirectX
# file reader loads every .x file the Linux build writes
# (tests/wine/check-x-files.sh).
#   scripts/test-windows.sh [LINUX_BUILD_DIR]   (default build, as ./test.sh makes it)
# Needs g++-mingw-w64-x86-64-posix and wine64 (./test.sh --windows installs them).
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
linux_build=$(realpath "${1:-build}")
linux_cli=$linux_build/bin/verdin-cli
samples=$repo/../shared/samples

scripts/build-windows.sh --zip >/dev/null
windows_cli=$repo/build-windows/bin/verdin-cli.exe

wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
export WINEPREFIX=$repo/build-windows/wine WINEDEBUG=-all
# Wine's first start makes the prefix, which takes a while.
"$wine" wineboot --init >/dev/null 2>&1

work=$repo/build-windows/compare
rm -rf "$work"
mkdir -p "$work/inputs"
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# The same folder of inputs for both builds: $work/{linux,windows}/NAME.
fresh() {
    local name=$1 source=$2
    for side in linux windows; do
        rm -rf "${work:?}/$side/$name"
        mkdir -p "$work/$side"
        cp -r "$source" "$work/$side/$name"
    done
}

# compare NAME CASE [ARG...]: runs both builds in folder NAME with the ARGs,
# where an ARG may hold {DIR}, the folder's absolute path, written /… for
# Linux and Z:\… for Windows, and {/}, a directory separator, "/" or "\".
# The reports name paths as they were given, and the Windows build joins an
# output folder and a name with "\": where {DIR} or {/} is used, both reports
# are compared with Z: taken off and every "\" read as "/".
compare() {
    local name=$1 case=$2
    shift 2
    local linux_dir=$work/linux/$name windows_dir=$work/windows/$name
    local windows_spelling="Z:${windows_dir//\//\\}"
    local linux_args=() windows_args=() arg spelled=false
    for arg in "$@"; do
        [[ $arg == *"{DIR}"* || $arg == *"{/}"* ]] && spelled=true
        arg_linux=${arg//"{DIR}"/$linux_dir}
        linux_args+=("${arg_linux//"{/}"//}")
        arg_windows=${arg//"{DIR}"/$windows_spelling}
        windows_args+=("${arg_windows//"{/}"/\\}")
    done
    local status=0
    (cd "$linux_dir" && "$linux_cli" "${linux_args[@]}") >"$work/$case.linux" 2>&1 || status=$?
    echo "exit status $status" >>"$work/$case.linux"
    status=0
    (cd "$windows_dir" && "$wine" "$windows_cli" "${windows_args[@]}") >"$work/$case.windows" 2>&1 || status=$?
    echo "exit status $status" >>"$work/$case.windows"
    if $spelled; then
        sed -i -e 's|\\|/|g' "$work/$case.linux"
        sed -i -e 's|\\|/|g' -e "s|Z:$windows_dir|$linux_dir|g" "$work/$case.windows"
    fi
    cmp -s "$work/$case.linux" "$work/$case.windows" || fail "$case: reports differ (diff $work/$case.linux $work/$case.windows)"
    diff -r "$linux_dir" "$windows_dir" >"$work/$case.files" || fail "$case: files differ (see $work/$case.files)"
    echo "checked $case"
}

# Builder-made files: the examples; one whose texture name is stored in a
# Windows code page, no UTF-8 (the file is not found, as on Linux); and one
# under a name and in a folder that are not ASCII.
mkdir -p "$work/inputs/examples"
"$linux_build/bin/make-examples" "$work/inputs/examples"
LC_ALL=C sed 's/wood\.bmp/wo\xe9d.bmp/' "$work/inputs/examples/scene.cob" >"$work/inputs/examples/code-page-texture.cob"
nonascii=$work/inputs/non-ascii
mkdir -p "$nonascii/dossier-é"
cp "$work/inputs/examples/scene.cob" "$nonascii/dossier-é/Modèle-木.cob"
cp "$work/inputs/examples/wood.bmp" "$nonascii/dossier-é/"
examples=(scene.cob frame-only.cob truncated.cob ascii.cob missing.cob code-page-texture.cob)

fresh examples "$work/inputs/examples"
compare examples text "${examples[@]}"
compare examples binary-replacing --binary --ppm --position --no-templates "${examples[@]}"
compare examples newer -j 2 --newer-materials --flip-v --ascii --no-scale-rotation "${examples[@]}"
chmod a-w "$work/linux/examples/scene.x" "$work/windows/examples/scene.x"
compare examples read-only scene.cob
compare examples x-to-binary --x-to-binary frame-only.x
compare examples x-to-text --x-to-text frame-only.x
compare examples glb --to glb --newer-materials "${examples[@]}"
compare examples gltf --to gltf -j 2 "${examples[@]}"
compare examples help --help
compare examples bad-option --no-such-option

fresh non-ascii "$nonascii"
compare non-ascii non-ascii-name "dossier-é{/}Modèle-木.cob"
compare non-ascii drive-letter --ppm -j 2 -o "{DIR}{/}sortie-ü" "{DIR}{/}dossier-é{/}Modèle-木.cob" "{DIR}/dossier-é/Modèle-木.cob"

if compgen -G "$samples/*.cob" >/dev/null; then
    mkdir -p "$work/inputs/samples"
    cp "$samples"/*.cob "$work/inputs/samples/"
    cp "$samples"/x/*.x "$work/inputs/samples/" 2>/dev/null || true
    fresh samples "$work/inputs/samples"
    (cd "$work/inputs/samples" && ls -- *.cob) >"$work/sample-list"
    mapfile -t sample_files <"$work/sample-list"
    compare samples samples-text "${sample_files[@]}"
    compare samples samples-newer -j 2 --binary --newer-materials --flip-v --ascii "${sample_files[@]}"
    compare samples samples-glb --to glb --newer-materials --flip-v --ascii "${sample_files[@]}"
    fresh samples-x "$work/inputs/samples"
    (cd "$work/inputs/samples" && ls -- *.x) >"$work/sample-x-list"
    mapfile -t sample_x_files <"$work/sample-x-list"
    compare samples-x samples-x-to-binary --x-to-binary "${sample_x_files[@]}"
    compare samples-x samples-x-to-text --x-to-text "${sample_x_files[@]}"
    fresh samples-x-glb "$work/inputs/samples"
    compare samples-x-glb samples-x-to-glb --x-to-glb "${sample_x_files[@]}"
else
    echo "note: $samples not found; the real samples are skipped"
fi

# What the comparison cannot show. Ctrl+C, which Wine hands to the console
# control handler as a console does: the job stops after the current file,
# with the report (standard output) and the exit status of SIGINT on Linux.
interrupted=$work/interrupted
mkdir -p "$interrupted"
cp "$work/inputs/examples/wood.bmp" "$interrupted/"
for i in $(seq 1 300); do cp "$work/inputs/examples/scene.cob" "$interrupted/model-$i.cob"; done
(cd "$interrupted" && exec "$wine" "$windows_cli" model-*.cob >report 2>errors) &
wine_pid=$!
for _ in $(seq 1 600); do
    grep -q "reading file" "$interrupted/report" 2>/dev/null && break
    sleep 0.1
done
kill -INT "$wine_pid" 2>/dev/null || true  # a job already over fails below
status=0
wait "$wine_pid" || status=$?
last_line=$(tail -n 1 "$interrupted/report")
[ "$status" = 1 ] && [ "$last_line" = "aborted." ] || fail "Ctrl+C: exit status $status, last line '$last_line'"
! compgen -G "$interrupted/.verdin-*" >/dev/null || fail "Ctrl+C left temporary files"
echo "checked Ctrl+C"

# Wine's own DirectX file reader, which shares no code with Verdin, loads
# every .x file the Linux build writes.
tests/wine/check-x-files.sh "$linux_cli" || fail "Wine's d3dxof refused a .x file, or took a broken one"
echo "checked .x files with Wine's d3dxof"

# UTF-8 as the program's code page, and the download's contents.
grep -aq '<activeCodePage[^>]*>UTF-8</activeCodePage>' "$windows_cli" || fail "no UTF-8 code page in the manifest"
zip=$(ls build-windows/verdin-*-windows-x86_64.zip)
listing=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
folder=$(basename "$zip" .zip)
[ "$listing" = "$folder/README-windows.txt $folder/Verdin.htm $folder/verdin-cli.exe " ] || fail "zip holds: $listing"
unzip -p "$zip" "$folder/README-windows.txt" | head -n 1 | grep -q $'\r$' || fail "README-windows.txt lines do not end with CR LF"

if [ "$failures" -gt 0 ]; then
    echo "$failures Windows checks failed"
    exit 1
fi
echo "verdin-cli.exe under Wine: every output and report as the Linux build's ($(du -h "$zip" | cut -f1) zip)"
