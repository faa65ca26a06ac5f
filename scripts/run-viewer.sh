#!/usr/bin/env bash
# Sets up and builds the project, prepares the bundled sample data set, then starts the viewer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
echo "The viewer is not built yet: only the command-line tool build/app/marn exists." >&2
exit 1
