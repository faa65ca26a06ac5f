#!/usr/bin/env bash
# Times "marn import" of a synthetic set of 1 x 1 degree 3" GeoTIFF sources
# with 1 and with 2 jobs, alternating the two ROUNDS times in one run, and
# prints tiles per second of every run and the ratios (absolute times vary on
# shared machines; ratios measured in one run hold).
#
#   bench/import-jobs.sh BUILD_DIR [COUNT=16] [ROUNDS=3] [WORK=/tmp/marn-import-jobs]
#
# The sources (COUNT x 2.9 MB) are written once into WORK/sources by
# BUILD_DIR/bench/marn_import_bench and reused; every run imports into a fresh
# WORK/out-N with --force.
set -euo pipefail

if [ $# -lt 1 ]; then
  echo "usage: $0 BUILD_DIR [COUNT] [ROUNDS] [WORK]" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
count=${2:-16}
rounds=${3:-3}
work=${4:-/tmp/marn-import-jobs}
marn="$build/app/marn"
writer="$build/bench/marn_import_bench"

if [ "$(ls "$work/sources"/*.tif 2>/dev/null | wc -l)" -ne "$count" ]; then
  rm -rf "$work/sources"
  "$writer" --write-sources "$work/sources" "$count" >/dev/null
fi

# Seconds one import with $1 jobs takes.
run() {
  local out="$work/out-$1"
  rm -rf "$out"
  local start end
  start=$(date +%s.%N)
  "$marn" import --out "$out" --jobs "$1" --force "$work/sources"/*.tif >/dev/null
  end=$(date +%s.%N)
  calc "$end - $start"
}

# Evaluates an arithmetic expression in floating point.
calc() {
  awk "BEGIN { print $1 }"
}

declare -A total=([1]=0 [2]=0)
for round in $(seq 1 "$rounds"); do
  for jobs in 1 2; do
    seconds=$(run "$jobs")
    total[$jobs]=$(calc "${total[$jobs]} + $seconds")
    printf 'round %d  --jobs %d  %6.2f s  %6.2f tiles/s\n' "$round" "$jobs" "$seconds" "$(calc "$count / $seconds")"
  done
done
printf 'mean      --jobs 1  %6.2f tiles/s\n' "$(calc "$count * $rounds / ${total[1]}")"
printf 'mean      --jobs 2  %6.2f tiles/s\n' "$(calc "$count * $rounds / ${total[2]}")"
printf 'ratio (2 jobs / 1 job, tiles per second)  %.2f\n' "$(calc "${total[1]} / ${total[2]}")"
diff -r "$work/out-1" "$work/out-2" >/dev/null && echo "tiles of 1 and 2 jobs: byte for byte the same" \
  || { echo "tiles of 1 and 2 jobs differ" >&2; exit 1; }
