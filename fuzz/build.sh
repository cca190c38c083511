#!/bin/sh
# Builds the libFuzzer targets with clang and sanitizers (outside the CMake build,
# which uses g++). Binaries go to $FUZZ_BUILD_DIR (default: a folder under /tmp).
set -eu

ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT=${FUZZ_BUILD_DIR:-${TMPDIR:-/tmp}/korvane-fuzz}
CXX=${FUZZ_CXX:-clang++-14}
mkdir -p "$OUT/obj"

FLAGS="-std=c++17 -g -O1 -fno-omit-frame-pointer -fsanitize=fuzzer-no-link,address,undefined \
  -fno-sanitize-recover=all -I$ROOT/src -I$ROOT/fuzz"
# The keypad asks the framework's input queries and logs through it; the headless
# platform, which needs no SDL, stands in for the real one.
FRAMEWORK="$ROOT/src/tolm2/*.cpp $ROOT/src/tolm2/platform/null/*.cpp"

# Compiles each source once into $OUT/obj and prints the object names.
objects() {
  for src in "$@"; do
    obj="$OUT/obj/$(echo "$src" | sed "s|^$ROOT/||; s|/|_|g").o"
    if [ ! -f "$obj" ] || [ "$src" -nt "$obj" ] || [ -n "$(find "$ROOT/src" "$ROOT/fuzz" -name '*.h' -newer "$obj" | head -1)" ]; then
      $CXX $FLAGS -c "$src" -o "$obj"
    fi
    echo "$obj"
  done
}

link() {
  name=$1
  shift
  # A source that does not compile stops the build here, not at the link.
  objs=$(objects "$@")
  # shellcheck disable=SC2086
  # zlib: the keypad's watch files carry its CRC-32.
  $CXX -fsanitize=fuzzer,address,undefined $objs -lz -o "$OUT/$name"
  echo "built $OUT/$name"
}

# shellcheck disable=SC2086
link config_fuzzer "$ROOT/fuzz/config_fuzzer.cpp" "$ROOT"/src/config/*.cpp $FRAMEWORK
# shellcheck disable=SC2086
link replay_fuzzer "$ROOT/fuzz/replay_fuzzer.cpp" "$ROOT"/src/keypad/*.cpp $FRAMEWORK
# shellcheck disable=SC2086
link watch_fuzzer "$ROOT/fuzz/watch_fuzzer.cpp" "$ROOT"/src/keypad/watch_file.cpp $FRAMEWORK
link command_line_fuzzer "$ROOT/fuzz/command_line_fuzzer.cpp" "$ROOT"/src/boot/command_line.cpp
