#!/bin/bash
# Writes one `afcdraw --batch` line for each response file named on standard
# input (NUL-separated, as find -print0 writes them): IN= the file, OUT=
# OUTDIR/<name>.gif, then the options, every word in single quotes, which a
# batch line keeps as they are.
# A name with a newline (a batch line ends there) or a backslash (IN= and
# OUT= read it as a slash) has no batch line: each such name is printed on
# standard error and counted, and written NUL-separated to the file that
# REFUSED names, where one does, for runs of their own; the status is then 1.
# Usage: batch_lines.sh OUTDIR [afcdraw options...] < names > file.batch
set -u
LC_ALL=C # names are bytes, whatever the locale
if (($# < 1)); then
  echo "usage: batch_lines.sh OUTDIR [afcdraw options...] < NUL-separated names" >&2
  exit 2
fi
outdir=$1
shift

quote() { printf "'%s'" "${1//\'/\'\\\'\'}"; }
unusable() { [[ -z $1 || $1 == *[$'\n\\']* ]]; }

if unusable "$outdir"; then
  printf 'batch_lines.sh: no batch line can hold OUTDIR %q\n' "$outdir" >&2
  exit 2
fi
for word in "$@"; do
  if [[ $word == *$'\n'* ]]; then
    printf 'batch_lines.sh: no batch line can hold the option %q\n' "$word" >&2
    exit 2
  fi
done
[[ -z ${REFUSED:-} ]] || : >"$REFUSED" || exit 2
refused=0
while IFS= read -r -d '' file || [[ -n $file ]]; do
  if unusable "$file"; then
    refused=$((refused + 1))
    printf 'batch_lines.sh: no batch line can name %q\n' "$file" >&2
    [[ -z ${REFUSED:-} ]] || printf '%s\0' "$file" >>"$REFUSED" || exit 2
    continue
  fi
  name=${file##*/}
  [[ $file != - ]] || file=./- # IN=- would read standard input
  line="$(quote "IN=$file") $(quote "OUT=$outdir/${name%.*}.gif")"
  for word in "$@"; do line+=" $(quote "$word")"; done
  printf '%s\n' "$line"
done
if ((refused > 0)); then
  echo "batch_lines.sh: $refused names had no batch line${REFUSED:+ (listed in $REFUSED)}" >&2
  exit 1
fi
