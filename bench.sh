#!/usr/bin/env bash
# Sets up and builds KORVANE, then runs every benchmark in build/bench/ on a virtual display
# from the repository root, where the game finds resource/.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
export SDL_AUDIODRIVER=dummy

# The browser build's site, for bench/web_bench.py.
[ -x ./web.sh ] && ./web.sh --build

# -noreset: without it Xvfb resets whenever its last client leaves, and SDL's display probe
# (connect, leave, connect again) can then lose its real connection to the reset.
output=$(mktemp)
trap 'rm -f "$output"' EXIT
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash -c '
    status=0
    for bench in build/bench/*; do
        [ -f "$bench" ] && [ -x "$bench" ] || continue
        echo "== $(basename "$bench")"
        "$bench" || status=1
    done
    echo "== idle_cpu"
    bench/idle_cpu.sh || status=1
    if [ -x ./web.sh ]; then
        echo "== web_bench"
        /usr/bin/python3 bench/web_bench.py || status=1
    fi
    exit $status' >"$output" 2>&1 && status=0 || status=$?
grep -v '^summary|' "$output" || true

echo
echo "== Summary: $(nproc) cores, $(uname -m), $(sed -n 's/^model name[^:]*: //p' /proc/cpuinfo | head -1), Xvfb with Mesa software OpenGL"
echo "| Figure | Measured | Goal |"
echo "|---|---|---|"
grep '^summary|' "$output" | sed 's/^summary//; s/$/|/'
exit $status
