#!/usr/bin/env bash
# Sets up and builds Verdin, then converts the bundled examples in out/examples/.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

rm -rf out/examples
mkdir -p out
cp -r examples out/examples

echo "== Report"
status=0
# Texture names in the models are relative to the folder the converter runs in.
(cd out/examples && ../../build/bin/verdin-cli --ppm *.cob) || status=$?
# Some examples are broken on purpose, to show how the converter reports them.
if [ "$status" -gt 1 ]; then
    exit "$status"
fi

echo "== Written"
ls -1 out/examples/*.x out/examples/*.ppm
