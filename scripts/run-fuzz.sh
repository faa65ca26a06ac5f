#!/usr/bin/env bash
# Runs the tile reader fuzz target for a bounded number of executions (about
# half a minute, one minute at most). Exits non-zero when an input crashes the
# reader or breaks one of its promises; the input is kept in the build directory.
# Environment: MARN_BUILD_DIR (default build/), MARN_FUZZ_RUNS (default 50000).
# The tile files it writes go to memory (/dev/shm) where that exists.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MARN_BUILD_DIR:-$root/build}
runs=${MARN_FUZZ_RUNS:-50000}
fuzzer="$build/tests/fuzz/tile_reader_fuzz"

if ! command -v clang++ >/dev/null 2>&1; then
  echo "run-fuzz: skipped: clang++ is not installed (package clang)"
  exit 0
fi
if [ ! -x "$fuzzer" ] && ! cmake --build "$build" --target tile_reader_fuzz >/dev/null 2>&1; then
  echo "run-fuzz: skipped: the fuzz target could not be built (clang's fuzzer runtime missing? see the cmake output)"
  exit 0
fi

if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
echo "run-fuzz: $runs executions of $fuzzer"
"$fuzzer" -runs="$runs" -max_total_time=60 -timeout=10 -max_len=4096 -print_final_stats=1 \
  -artifact_prefix="$build/tests/fuzz/" "$corpus" 2>"$corpus/log" || {
  status=$?
  tail -n 60 "$corpus/log" >&2
  echo "run-fuzz: FAILED (exit $status); the crashing input is in $build/tests/fuzz/" >&2
  exit 1
}
grep -E "^stat::number_of_executed_units|^Done" "$corpus/log" || true
echo "run-fuzz: passed"
