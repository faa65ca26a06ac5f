#!/usr/bin/env bash
# Builds the bundled sample data set BUILD_DIR/sample-data from data/sources/*.tif
# with BUILD_DIR/app/marn import; reuses it while it is newer than its sources.
#
# Every source is imported with the options that let the viewer show it without
# meeting a missing node inside a tile (the viewer stops at one):
#   jacksboro-3s.tif          --fill-voids=200   3" model, 1 tile; views around
#                                                36 35' N 84 15' W up to 50 km
#   salish-sea-topobathy.tif  --sea-level --fill-voids=20
#                                                8 tiles filled edge to edge; sea at 0
#   luxembourg-30s.tif        --fill-voids=300   4 tiles on both sides of 50 N;
#                                                views around the country up to 50 km
# Filled nodes continue the nearest heights; they are not measured terrain.
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
"$marn" import --out "$work" --fill-voids=200 "$sources/jacksboro-3s.tif"
"$marn" import --out "$work" --sea-level --fill-voids=20 "$sources/salish-sea-topobathy.tif"
"$marn" import --out "$work" --fill-voids=300 "$sources/luxembourg-30s.tif"
touch "$work/.complete"
rm -rf "$dest"
mv "$work" "$dest"
