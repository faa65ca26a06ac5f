#!/usr/bin/env bash
# Sets up and builds the project, then runs the whole test suite twice:
#  1. the main build (g++, optimised, build/): every test, the slow label too;
#  2. clang++ with AddressSanitizer and UndefinedBehaviorSanitizer (the
#     "sanitize" preset, build-sanitize/): every test but the slow label (its
#     1.9 GB comparison runs once, in the main build: unoptimised and under
#     the sanitizers it would take many times as long);
# then a bounded fuzzing run of the tile reader.
# MARN_SKIP_SANITIZE=1 leaves out the second build (for a quick local run).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
started=$SECONDS
"$root/scripts/setup.sh"
# shellcheck source=/dev/null
source "$root/scripts/test-printers.sh"
(cd "$root/build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")
echo "run-tests: g++ build passed ($((SECONDS - started)) s so far)"

if [ "${MARN_SKIP_SANITIZE:-0}" != 1 ]; then
  launcher=()
  if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
  fi
  (cd "$root" && cmake --preset sanitize "${launcher[@]}" >/dev/null)
  cmake --build "$root/build-sanitize" -j "$jobs"
  (cd "$root" && ctest --preset sanitize -j "$jobs")
  echo "run-tests: clang++ sanitizer build passed ($((SECONDS - started)) s so far)"
fi

"$root/scripts/run-fuzz.sh"
echo "run-tests: all passed in $((SECONDS - started)) s"
