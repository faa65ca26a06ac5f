#!/usr/bin/env bash
# Times whole commands side by side: runs them in turn, round after round (so a
# busy moment of the machine falls on all of them alike), and prints for each
# the median, the lowest and the highest wall time, the median peak memory and
# the ratio of its median to the first command's median.
#
# usage: compare-commands.sh [-n ROUNDS] [-p PREPARE] NAME=COMMAND ...
#   -n ROUNDS   rounds (default 9); the median is taken over them
#   -p PREPARE  a command run before each timed command, not timed (for
#               example dropping files from the page cache)
#   NAME        a short label without "="; COMMAND runs in bash, its output is discarded
#
# example:
#   bench/compare-commands.sh -n 15 \
#     "all cores=build/app/marn render --data-drive D ... --grid /tmp/g.bin" \
#     "one core=taskset -c 0 build/app/marn render --data-drive D ... --grid /tmp/g.bin"
set -euo pipefail

rounds=9
prepare=""
while getopts "n:p:" option; do
  case $option in
    n) rounds=$OPTARG ;;
    p) prepare=$OPTARG ;;
    *) sed -n '2,17p' "$0" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
if [ $# -lt 1 ]; then
  sed -n '2,17p' "$0" >&2
  exit 2
fi

if [ ! -x /usr/bin/time ]; then
  echo "$0: needs /usr/bin/time (Debian package 'time')" >&2
  exit 1
fi

names=()
commands=()
for pair in "$@"; do
  names+=("${pair%%=*}")
  commands+=("${pair#*=}")
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for ((round = 1; round <= rounds; round++)); do
  for k in "${!commands[@]}"; do
    if [ -n "$prepare" ]; then
      bash -c "$prepare" > /dev/null 2>&1
    fi
    start=$EPOCHREALTIME
    /usr/bin/time -o "$work/rss" -f "%M" bash -c "${commands[$k]}" > /dev/null 2> "$work/err" \
      || { echo "'${names[$k]}' failed:" >&2; cat "$work/err" >&2; exit 1; }
    end=$EPOCHREALTIME
    echo "$start $end" | awk '{ printf "%.4f\n", $2 - $1 }' >> "$work/time.$k"
    tail -n 1 "$work/rss" >> "$work/rss.$k"
  done
done

median() { sort -g "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
first=$(median "$work/time.0")
printf '%-28s %9s %9s %9s %10s %8s\n' command "median s" "min s" "max s" "peak MB" ratio
for k in "${!commands[@]}"; do
  m=$(median "$work/time.$k")
  lo=$(sort -g "$work/time.$k" | head -n 1)
  hi=$(sort -g "$work/time.$k" | tail -n 1)
  rss=$(median "$work/rss.$k")
  awk -v n="${names[$k]}" -v m="$m" -v lo="$lo" -v hi="$hi" -v rss="$rss" -v f="$first" \
    'BEGIN { printf "%-28s %9.3f %9.3f %9.3f %10.1f %8.2f\n", n, m, lo, hi, rss / 1024, m / f }'
done
echo "($rounds rounds; ratio = median / median of '${names[0]}')"
