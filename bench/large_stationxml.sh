#!/usr/bin/env bash
# The StationXML reader on a large inventory: the reference TITA1 station
# repeated as many stations (about 100 MB), the one TITA1 channel asked for.
# Prints the best wall time and largest peak memory of several runs of the
# reader (given the path, and given the text mapped by the caller; for one
# channel and for every channel), of the tool drawing that channel as FAP text, and of
# `xmllint --stream --noout` on the same file.
# Usage: bench/large_stationxml.sh [MB, default 100] [runs, default 5]
set -euo pipefail
cd "$(dirname "$0")/.."
megabytes=${1:-100}
runs=${2:-5}
bin=${BENCH_BUILD:-build}/bench/read_stationxml_run
[ -x "$bin" ] || { echo "build it first: cmake -DAFCDRAW_BENCH=ON, target read_stationxml_run" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

ref=tests/data/station-metadata/TITA1.HGZ
text=$(cat "$ref")
head=${text%%<Station *}
tail=${text##*</Station>}
station=${text#"$head"}
station=${station%"$tail"}
copies=$(( megabytes * 1000000 / ${#station} ))
{
  printf '%s' "$head"
  for ((i = 1; i < copies; i++)); do
    printf '%s\n' "${station/code=\"TITA1\"/code=\"S$i\"}"
  done
  printf '%s%s' "$station" "$tail"
} > "$work/big.xml"
size=$(stat -c %s "$work/big.xml")
echo "inventory: $copies stations, $size bytes"

best() {  # command...: the best wall time (s) and largest peak RSS (KB) of the runs
  local t m best_t= max_m=0
  for ((r = 0; r < runs; r++)); do
    read -r t m < <( { /usr/bin/time -f "%e %M" "$@" >/dev/null; } 2>&1 | tail -1)
    if [ -z "$best_t" ] || awk "BEGIN { exit !($t < $best_t) }"; then best_t=$t; fi
    (( m > max_m )) && max_m=$m
  done
  printf "%-36s %8s s %10s KB\n" "$label" "$best_t" "$max_m"
}
"$bin" "$work/big.xml" XX.TITA1..HGZ
label="xmllint --stream --noout" best xmllint --stream --noout "$work/big.xml"
label="read_stationxml (path)" best "$bin" "$work/big.xml" XX.TITA1..HGZ
label="read_stationxml_text (mapped text)" best "$bin" "$work/big.xml" XX.TITA1..HGZ --text
label="read_stationxml, every channel" best "$bin" "$work/big.xml" '*.*.*.*'
# The whole tool: the channel read, evaluated at 1000 frequencies and written as FAP text.
label="afcdraw, one channel to FAP" best build/afcdraw "IN=$work/big.xml" CHANNEL=XX.TITA1..HGZ \
  "OUT=$work/o.fap" POINTS=1000 "X_AXIS=0.01;100"
