#!/bin/bash
# Counts the pictures drawn from the response files named in LIST
# (NUL-separated): PICS/<name>.gif for each, not older than STAMP where one
# is given. Prints the count, names each missing picture on standard error
# and exits with 1 when any is missing, so that no picture is lost with 0.
# Usage: count_pictures.sh LIST PICS [STAMP]
set -u
if (($# < 2)); then
  echo "usage: count_pictures.sh LIST PICS [STAMP]" >&2
  exit 2
fi
list=$1 pics=$2 stamp=${3:-}
[[ -r $list ]] || { echo "count_pictures.sh: cannot read $list" >&2; exit 2; }
expected=0 missing=0
while IFS= read -r -d '' file || [[ -n $file ]]; do
  name=${file##*/}
  picture=$pics/${name%.*}.gif
  expected=$((expected + 1))
  if [[ ! -s $picture || (-n $stamp && $stamp -nt $picture) ]]; then
    missing=$((missing + 1))
    printf 'count_pictures.sh: missing %q\n' "$picture" >&2
  fi
done <"$list"
echo "$((expected - missing)) of $expected pictures in $pics"
((missing == 0)) || exit 1
