#!/usr/bin/env bash
# The whole-process timings of marn render on a 1920x1080 screen around 47 N
# 8 E, over the synthetic tile set of the benchmarks (BUILD_DIR/sampling-tiles,
# written by marn_picture_load_bench on its first run), each part side by side
# in one run with bench/compare-commands.sh:
#   1. 50 km: marn render (and marn-render itself) against gdalwarp -r bilinear
#      making the same 1256 x 850 grid from the same tiles as GeoTIFFs
#      (skipped without gdal-bin);
#   2. 3000 km on all processors against the same command on one
#      (taskset -c 0), and with 1 and 2 sampling threads (MARN_THREADS);
#   3. 3000 km after the tile files were dropped from the page cache, against
#      reading the same files once with cat after the same drop;
#   4. the peak memory of the 3000 km render (/usr/bin/time).
#
# usage: bench/whole-process.sh [BUILD_DIR [ROUNDS]]   (defaults: build, 9)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
rounds=${2:-9}
compare="$root/bench/compare-commands.sh"
tiles="$build/sampling-tiles"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ ! -d "$tiles/MARN" ]; then
  echo "writing the tile set into $tiles (once) ..."
  "$build/bench/marn_picture_load_bench" --benchmark_filter='^$' > /dev/null 2>&1 || true
fi
render() { # KM [more options]
  local km=$1
  shift
  echo "$build/app/marn render --data-drive $tiles --screen 1920x1080 --center=47,8 --length $km $*"
}

echo "== 1. 50 km, whole process, warm page cache"
$(render 50 --info "$work/50.json") > /dev/null 2>&1
value() { grep "\"$1\"" "$work/50.json" | head -n 1 | sed 's/.*: *//; s/,$//'; }
west=$(printf '%s\n%s\n' "$(value LonNW)" "$(value LonSW)" | sort -g | head -n 1)
east=$(printf '%s\n%s\n' "$(value LonNE)" "$(value LonSE)" | sort -g | tail -n 1)
south=$(value LatS)
north=$(value LatN)
cols=$(value PicCols | cut -d. -f1)
rows=$(value PicRows | cut -d. -f1)
warp=()
if command -v gdalwarp > /dev/null; then
  mkdir "$work/tif"
  "$build/bench/marn_tiles_to_geotiff" "$tiles" "$work/tif" "$south" "$west" "$north" "$east" > "$work/tifs"
  warp=("gdalwarp -r bilinear=gdalwarp -q -overwrite -r bilinear -te $west $south $east $north -ts $cols $rows \
-ot Int16 $(tr '\n' ' ' < "$work/tifs") $work/warp.tif")
  echo "(gdalwarp: ${cols}x$rows over $(wc -l < "$work/tifs") GeoTIFF tiles, box $south $west $north $east)"
else
  echo "(gdalwarp not installed: apt-get install gdal-bin for the comparison)"
fi
"$compare" -n "$rounds" \
  "marn render --grid=$(render 50 --grid "$work/g.bin")" \
  "marn-render --grid=${build}/app/marn-render $(render 50 --grid "$work/g.bin" | cut -d' ' -f3-)" \
  "marn render --grid --out png=$(render 50 --grid "$work/g.bin" --out "$work/p.png")" \
  "${warp[@]}"

echo
echo "== 2. 3000 km, whole process, warm page cache: all processors against one"
$(render 3000 --grid "$work/g.bin") > /dev/null 2>&1
"$compare" -n "$rounds" \
  "all processors ($(nproc))=$(render 3000 --grid "$work/g.bin")" \
  "taskset -c 0=taskset -c 0 $(render 3000 --grid "$work/g.bin")" \
  "MARN_THREADS 1=MARN_THREADS=1 $(render 3000 --grid "$work/g.bin")" \
  "MARN_THREADS 2=MARN_THREADS=2 $(render 3000 --grid "$work/g.bin")"

echo
echo "== 3. 3000 km on a cold page cache (each run after dropping the tile files)"
find "$tiles/MARN" -type f | sort > "$work/files"
"$compare" -n "$(((rounds + 1) / 2))" -p "$build/bench/marn_drop_page_cache $tiles" \
  "cat of the $(wc -l < "$work/files") tile files=xargs cat < $work/files" \
  "marn render 3000 km=$(render 3000 --grid "$work/g.bin")"

echo
echo "== 4. peak memory of the 3000 km render"
/usr/bin/time -v $(render 3000 --grid "$work/g.bin" --out "$work/p.png") 2>&1 > /dev/null \
  | grep -E 'Maximum resident set size|Elapsed'
