#!/usr/bin/env bash
# Installs the Debian packages KORVANE needs (only those missing) and builds it into build/.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(build-essential cmake pkg-config
          libsdl1.2-dev libsdl1.2-compat libsdl-mixer1.2-dev libglu1-mesa-dev libxfixes-dev libgl1-mesa-dri libvorbis-dev zlib1g-dev
          googletest libgtest-dev libbenchmark-dev xvfb xauth xdotool imagemagick
          clang-14 libclang-rt-14-dev libpng-dev
          lintian desktop-file-utils appstream dpkg-dev)

scripts/install-missing.sh "${PACKAGES[@]}"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
