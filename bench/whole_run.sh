#!/usr/bin/env bash
# Whole runs of afcdraw: median wall time of several runs and peak memory,
# on generated responses of 10^3 to 10^7 points in the instrument-response
# layout. Usage: bench/whole_run.sh [runs per size, default 7]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-7}
bin=build/afcdraw
[ -x "$bin" ] || { echo "build afcdraw first (scripts/run-example.sh)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

gen() {  # points file
  awk -v n="$1" 'BEGIN { for (i = 0; i < n; i++) { f = 1e-3 * 10 ^ (5 * i / n);
    printf "%.6E  %.6E  %.6E\n", f, 1500 / (1 + f), -90 * f / (1 + f) } }' > "$2"
}

printf "%10s %12s %14s %14s\n" points "file MB" "median ms" "peak RSS MB"
for n in 1000 100000 1000000 10000000; do
  gen "$n" "$work/in.txt"
  size=$(stat -c %s "$work/in.txt")
  times=() peak=0
  for ((r = 0; r < runs; r++)); do
    /usr/bin/time -f "%e %M" -o "$work/t" "$bin" IN="$work/in.txt" OUT="$work/out.gif" "X_AXIS=0.001;100"
    read -r t m < "$work/t"
    times+=("$t")
    (( m > peak )) && peak=$m
  done
  median=$(printf "%s\n" "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] * 1000 }')
  printf "%10d %12.1f %14.0f %14.1f\n" "$n" "$(echo "$size / 1048576" | bc -l)" "$median" \
    "$(echo "$peak / 1024" | bc -l)"
done
