#!/usr/bin/env bash
# Sets up and builds the project, prepares the bundled sample data set, then
# starts the viewer. Drive.dat and Picture.pat next to the viewer are written
# only when missing, so settings changed in the viewer are kept.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
app_dir="$build/app"

"$root/scripts/setup.sh"
"$root/scripts/build-sample-data.sh" "$build"

data_dir="$build/sample-data"
pictures_dir="$build/pictures"
mkdir -p "$pictures_dir"
if [ ! -s "$app_dir/Drive.dat" ]; then
  printf '%s' "$data_dir" > "$app_dir/Drive.dat"
  echo "Wrote $app_dir/Drive.dat: $data_dir"
fi
if [ ! -s "$app_dir/Picture.pat" ]; then
  printf '%s' "$pictures_dir" > "$app_dir/Picture.pat"
  echo "Wrote $app_dir/Picture.pat: $pictures_dir"
fi

cat <<'TEXT'

Centre points that show the sample terrain (degrees, letter, minutes; length in km):
  Salish Sea       49 N 0    123 W 30   length 50
  Tennessee        36 N 35    84 W 15   length 20
  Luxembourg       49 N 55     6 E 8    length 50
TEXT

exec "$app_dir/marn-viewer"
