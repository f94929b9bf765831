#!/usr/bin/env bash
# Sets up and builds Verdin, then runs every test.
#   ./test.sh              the ordinary build, in build/
#   ./test.sh --sanitize   everything built and run under AddressSanitizer and
#                          UndefinedBehaviorSanitizer, in build-sanitize/
#   ./test.sh --windows    verdin-cli.exe cross-built and run under Wine,
#                          compared with the ordinary build's output
#                          (scripts/test-windows.sh)
set -euo pipefail
cd "$(dirname "$0")"

build_dir=build
windows=false
# The tests build with warnings as errors.
cmake_options=(-DVERDIN_WERROR=ON)
case "${1:-}" in
    "")
        # Every header compiled alone, in this build only.
        cmake_options+=(-DVERDIN_CHECK_HEADERS=ON)
        ;;
    --sanitize)
        build_dir=build-sanitize
        cmake_options+=(-DVERDIN_SANITIZE=ON)
        export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
        export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
        ;;
    --windows)
        windows=true
        extra_packages=(g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine64 unzip)
        ;;
    *) echo "usage: ./test.sh [--sanitize|--windows]" >&2; exit 2 ;;
esac
if ! $windows; then
    # Independent glTF readers: Blender's importer, and the Khronos validator
    # run by node.
    extra_packages=(blender python3-numpy)
    command -v npm >/dev/null || extra_packages+=(nodejs npm)
fi
source scripts/setup.sh
if $windows; then
    exec scripts/test-windows.sh "$build_dir"
fi
# The validator's version is the lock file's.
if [ ! -d tests/validator/node_modules/gltf-validator ]; then
    npm ci --prefix tests/validator --no-audit --no-fund >/dev/null
fi

cd "$build_dir"
ctest --output-on-failure --timeout 600
