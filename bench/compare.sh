#!/usr/bin/env bash
# Builds Verdin and measures its conversion of large generated models against
# assimp's export of the same files: time, .x megabytes written per second,
# peak memory as a multiple of the COB file, and assimp's time as a ratio.
# Goals: assimp_ratio >= 20 and x_MBps >= 600 on the textured smooth meshes,
# peak_per_cob <= 3 on the large models, time growing with size on the small
# objects and the fans; for the binary step, text_MBps >= 400 on the text .x
# alone and peak_per_input <= 3.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
command -v assimp >/dev/null || echo "note: assimp-utils is not installed; no comparison with assimp" >&2
"$build_dir/bin/convert_bench" --benchmark_counters_tabular=true "$@"
