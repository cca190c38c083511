#!/usr/bin/env bash
# Installs the Debian packages KORVANE needs (only those missing) and builds it into build/.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(build-essential cmake pkg-config
          libsdl1.2-dev libsdl1.2-compat libsdl-mixer1.2-dev libglu1-mesa-dev libxfixes-dev libgl1-mesa-dri libvorbis-dev zlib1g-dev
          googletest libgtest-dev libbenchmark-dev xvfb xauth xdotool imagemagick
          clang-14 libclang-rt-14-dev libpng-dev
          lintian desktop-file-utils appstream dpkg-dev)

missing=()
for package in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
