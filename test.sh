#!/usr/bin/env bash
# Sets up and builds KORVANE, then runs every test: unit and end-to-end on a virtual display,
# the unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzzers
# for a bounded time.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
export SDL_AUDIODRIVER=dummy

echo "== Unit and end-to-end tests"
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --test-dir build --output-on-failure -j2

echo "== Unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DKORVANE_SANITIZE=ON -DKORVANE_BENCH=OFF >/dev/null
cmake --build build-asan -j"$(nproc)"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j2 -L unit

echo "== Fuzzers of the three readers of untrusted input, ${FUZZ_SECONDS:-30} s each"
FUZZ_SECONDS=${FUZZ_SECONDS:-30} FUZZ_BUILD_DIR="$PWD/build-fuzz" fuzz/run.sh
