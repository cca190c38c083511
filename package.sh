#!/usr/bin/env bash
# Sets up and builds KORVANE like ./run.sh, then makes its Debian package; the last line
# printed is the path of the .deb.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
# The package installs under /usr, and the launcher is written for where it lands.
cmake -S . -B build -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build build -j"$(nproc)"
rm -f build/package/korvane_*.deb
(cd build && cpack -G DEB --config CPackConfig.cmake >&2)
deb=$(ls "$PWD"/build/package/korvane_*.deb)
echo "$deb"
