#!/bin/bash
# Draws each response file named in LIST (NUL-separated, as find -print0
# writes them) into PICS/<name>.gif with GNU parallel, one afcdraw per
# picture on this machine's cores, then counts the pictures: the status is
# 0 only when every one is there.
# Usage: parallel_local.sh LIST PICS [afcdraw options...]
set -u
if (($# < 2)); then
  echo "usage: parallel_local.sh LIST PICS [afcdraw options...]" >&2
  exit 2
fi
list=$1 pics=$2
shift 2
here=$(dirname "$0")
# Words for the job's shell, each in single quotes.
quote() { for word; do printf " '%s'" "${word//\'/\'\\\'\'}"; done; }
mkdir -p "$pics" && touch "$pics/.started" || exit
# Pictures are drawn in a folder of their own, where no picture's name can
# be taken, then moved.
jobs=$(mktemp -d "$pics/.jobs-XXXXXX") || exit
trap 'rm -rf "$jobs"' EXIT
dir=$(quote "$pics") && dir=${dir# }
tmp=$(quote "$jobs") && tmp=${tmp# }
# The shell opens the input and mv names the picture: IN= and OUT= would
# read a backslash in a name as a slash.
parallel -0 -a "$list" \
  "afcdraw IN=- OUT=$tmp/{#}.gif$(quote "$@") < {} && mv $tmp/{#}.gif $dir/{/.}.gif"
drawn=$?
"$here/count_pictures.sh" "$list" "$pics" "$pics/.started" || exit
exit "$drawn"
