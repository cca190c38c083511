#!/usr/bin/env bash
# Sets up and builds KORVANE, then runs every test, unit and end-to-end, on a virtual display.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
export SDL_AUDIODRIVER=dummy
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build --output-on-failure -j2
