#!/usr/bin/env bash
# Sets up and builds KORVANE if needed, then starts the game from the repository root.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
if [ -z "${DISPLAY:-}" ]; then
    echo "korvane: no display found (DISPLAY is not set); run it on a desktop, or without one as: xvfb-run -a ./run.sh" >&2
    exit 1
fi
exec build/korvane "$@"
