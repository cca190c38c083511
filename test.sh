#!/usr/bin/env bash
# Sets up and builds KORVANE, then runs every test: unit and end-to-end on a virtual display,
# the unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer, the fuzzers
# for a bounded time, and the Debian package: its checkers, then (as root) a real install.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
export SDL_AUDIODRIVER=dummy

echo "== Unit and end-to-end tests"
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --test-dir build --output-on-failure -j2 -LE install

echo "== End-to-end tests of the window, the picture, focus and input on sdl12-compat"
# The SDL 1.2 of most distributions today: SDL 2 underneath, installed beside the classic one.
LD_LIBRARY_PATH=/usr/lib/x86_64-linux-gnu/sdl12-compat \
    xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --test-dir build --output-on-failure \
    -L e2e -R '^(GameRun|ScaledWindow|PauseGame)\.'

echo "== Unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
# The fast unit tests only: the 1000-game soak (label "soak") ran once above.
cmake -S . -B build-asan -DKORVANE_SANITIZE=ON -DKORVANE_BENCH=OFF >/dev/null
cmake --build build-asan -j"$(nproc)"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j2 -L unit

echo "== Fuzzers of the four readers of untrusted input, ${FUZZ_SECONDS:-30} s each"
FUZZ_SECONDS=${FUZZ_SECONDS:-30} FUZZ_BUILD_DIR="$PWD/build-fuzz" fuzz/run.sh

echo "== The browser build: the site, then its end-to-end tests in headless Chromium"
# Beside the desktop build of the same code, which draws the reference title and checks the
# page's watch files.
web_started=$SECONDS
./web.sh --build
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" /usr/bin/python3 tests/web/web_e2e_test.py
echo "browser stage: $((SECONDS - web_started)) s"

echo "== Package checks"
# Its output goes on to ours; a tee to /dev/stderr would reopen, and so truncate, a log file.
package_output=$(mktemp)
./package.sh | tee "$package_output"
deb=$(tail -n 1 "$package_output")
lintian --fail-on error,warning "$deb"
contents=$(mktemp -d)
trap 'rm -rf "$contents" "$package_output"' EXIT
dpkg-deb -x "$deb" "$contents"
# desktop-file-validate prints its hints and warnings but fails only on errors.
report=$(desktop-file-validate "$contents"/usr/share/applications/korvane.desktop 2>&1) || true
if [ -n "$report" ]; then echo "$report"; exit 1; fi
appstreamcli validate --no-net --pedantic "$contents"/usr/share/metainfo/*.metainfo.xml
appstreamcli validate-tree --no-net "$contents"
if [ "$(id -u)" -eq 0 ]; then
    KORVANE_DEB="$deb" xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
        ctest --test-dir build --output-on-failure -L install
else
    echo "install test skipped: installing the package needs root"
fi
