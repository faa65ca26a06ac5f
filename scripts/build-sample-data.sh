#!/usr/bin/env bash
# Builds the bundled sample data set BUILD_DIR/sample-data from data/sources/*.tif
# with BUILD_DIR/app/marn import; reuses it while it is newer than its sources.
#
# Every source is imported as it was measured: nodes no source covers stay
# -9999, which the viewer shows as missing (grey); nothing is invented beyond a
# source's edge.
#   jacksboro-3s.tif          3" model, 1 tile; views around 36 35' N 84 15' W,
#                             its edge shows from about 30 km
#   salish-sea-topobathy.tif  --sea-level  8 tiles; sea at 0
#   luxembourg-30s.tif        --fill-holes=10  4 tiles on both sides of 50 N;
#                             the source lacks one 30" cell inside the country,
#                             10 nodes across: filled from the heights around
#                             it; outside the country stays missing
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
marn="$build/app/marn"
sources="$root/data/sources"
dest="$build/sample-data"
stamp="$dest/.complete"

if [ ! -x "$marn" ]; then
  echo "$0: $marn is missing; build the project first" >&2
  exit 1
fi

up_to_date() {
  [ -f "$stamp" ] || return 1
  for f in "$sources"/*.tif "$0"; do
    [ "$f" -nt "$stamp" ] && return 1
  done
  return 0
}

if up_to_date; then
  echo "Sample data set is up to date: $dest"
  exit 0
fi

work="$dest.new"
rm -rf "$work"
echo "Building the sample data set in $dest"
"$marn" import --out "$work" "$sources/jacksboro-3s.tif"
"$marn" import --out "$work" --sea-level "$sources/salish-sea-topobathy.tif"
"$marn" import --out "$work" --fill-holes=10 "$sources/luxembourg-30s.tif"
touch "$work/.complete"
rm -rf "$dest"
mv "$work" "$dest"
