#!/usr/bin/env bash
# Sets up and builds the project, then runs the whole test suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
# shellcheck source=/dev/null
source "$root/scripts/test-printers.sh"
cd "$root/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
"$root/scripts/run-fuzz.sh"
