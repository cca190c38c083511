#!/usr/bin/env bash
# Installs the Debian packages the browser build needs (only those missing) and builds the
# static site into build-web/site/.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(cmake emscripten python3 chromium python3-websocket)

scripts/install-missing.sh "${PACKAGES[@]}"

# Emscripten's tools look for their JavaScript modules (acorn) where Debian puts them, which
# a node that is not Debian's own does not search by itself.
export NODE_PATH="${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs"
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
    "${launcher[@]}" >/dev/null
cmake --build build-web -j"$(nproc)"
