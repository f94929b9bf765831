#!/usr/bin/env bash
# Cross-builds verdin-cli.exe for 64-bit Windows with MinGW-w64 (the
# conversion library and the command-line converter; the desktop program and
# the tests are left out) into build-windows/.
#   scripts/build-windows.sh         build-windows/bin/verdin-cli.exe
#   scripts/build-windows.sh --zip   and the download,
#                                    build-windows/verdin-VERSION-windows-x86_64.zip
# Needs g++-mingw-w64-x86-64-posix (./test.sh --windows installs it).
set -euo pipefail
cd "$(dirname "$0")/.."

zip=false
case "${1:-}" in
    "") ;;
    --zip) zip=true ;;
    *) echo "usage: scripts/build-windows.sh [--zip]" >&2; exit 2 ;;
esac

build_dir=build-windows
cmake -S . -B "$build_dir" -G Ninja --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW-w64.cmake -DCMAKE_BUILD_TYPE=Release \
    -DVERDIN_BUILD_APP=OFF -DVERDIN_BUILD_TESTS=OFF -DVERDIN_WERROR=ON >/dev/null
cmake --build "$build_dir" --target verdin-cli
if $zip; then
    (cd "$build_dir" && cpack -G ZIP >/dev/null)
    ls "$build_dir"/verdin-*-windows-x86_64.zip
fi
