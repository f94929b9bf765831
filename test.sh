#!/usr/bin/env bash
# Sets up and builds Verdin, then runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

cd build
ctest --output-on-failure --timeout 600
