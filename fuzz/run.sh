#!/bin/sh
# Builds the fuzzers and runs each for FUZZ_SECONDS (default 60) on the committed seeds.
# New inputs go to a working copy of the corpus, never into fuzz/corpus. Exits non-zero
# on any crash, sanitizer report or harness failure.
set -u

HERE=$(cd "$(dirname "$0")" && pwd)
OUT=${FUZZ_BUILD_DIR:-${TMPDIR:-/tmp}/korvane-fuzz}
export FUZZ_BUILD_DIR="$OUT"
SECONDS_EACH=${FUZZ_SECONDS:-60}

"$HERE/build.sh" || exit 1

status=0
for target in config replay watch command_line; do
  work="$OUT/corpus-$target"
  mkdir -p "$work" "$OUT/artifacts"
  log="$OUT/$target.log"
  # close_fd_mask=1 silences the loader's messages on standard output.
  "$OUT/${target}_fuzzer" -max_total_time="$SECONDS_EACH" -close_fd_mask=1 \
    -artifact_prefix="$OUT/artifacts/$target-" "$work" "$HERE/corpus/$target" >"$log" 2>&1
  rc=$?
  summary=$(grep -E '^Done [0-9]+ runs' "$log" | tail -1)
  if [ $rc -ne 0 ] || grep -qE 'ERROR: (AddressSanitizer|UndefinedBehaviorSanitizer|libFuzzer)|runtime error:' "$log"; then
    echo "$target: FAILED (exit $rc), see $log"
    grep -E 'ERROR|runtime error|fuzzer:|Test unit written' "$log" | head -20
    status=1
  else
    echo "$target: ok, ${summary:-no summary}; corpus $(ls "$work" | wc -l) inputs"
  fi
done
exit $status
