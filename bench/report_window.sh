#!/usr/bin/env bash
# Times the desktop program against verdin-cli on 3,000 small COB files: the
# report window has to keep up with the job. verdin, started with file names,
# converts them and quits; it runs on Qt's offscreen platform, and on a
# virtual X server too when Xvfb is installed. Goal: at most twice the
# CLI's time. Each figure is the best of three runs.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for i in $(seq -w 1 3000); do cp examples/scene.cob "$work/m$i.cob"; done
cp examples/wood.bmp "$work/"
export XDG_CONFIG_HOME="$work/config"  # the user's own settings stay untouched

best() {  # best wall-clock seconds of three runs of the command
    local best=""
    for _ in 1 2 3; do
        local start end
        start=$(date +%s.%N)
        "$@" >/dev/null 2>&1 || true
        end=$(date +%s.%N)
        best=$(echo "$start $end $best" | awk '{t = $2 - $1; if ($3 == "" || t < $3) print t; else print $3}')
    done
    echo "$best"
}

show() {  # label, seconds, and the ratio to the CLI's
    awk -v label="$1" -v t="$2" -v cli="${3:-}" \
        'BEGIN { if (cli == "") printf "%-20s %.2f s\n", label, t; else printf "%-20s %.2f s   ratio %.2f\n", label, t, t / cli }'
}

bin="$PWD/$build_dir/bin"
cd "$work"
cli=$(best "$bin/verdin-cli" m*.cob)
show verdin-cli "$cli"
show "verdin (offscreen)" "$(best env QT_QPA_PLATFORM=offscreen "$bin/verdin" m*.cob)" "$cli"
if command -v Xvfb >/dev/null; then
    Xvfb :97 -screen 0 1280x1024x24 >/dev/null 2>&1 &
    server=$!
    sleep 1
    show "verdin (Xvfb)" "$(best env DISPLAY=:97 QT_QPA_PLATFORM=xcb "$bin/verdin" m*.cob)" "$cli"
    kill "$server"
else
    echo "note: Xvfb is not installed (package xvfb); no run on an X server" >&2
fi
