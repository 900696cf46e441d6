#!/bin/bash
# Draws each response file named in LIST (NUL-separated, as find -print0
# writes them) into PICS/<name>.gif with GNU parallel on the ssh NODES
# (such as 8/node1,8/node2), then counts the pictures: the status is 0 only
# when every one is back here.
# Every node needs rsync, and afcdraw on the PATH of a non-interactive ssh
# login. The names in LIST and PICS are relative to the current folder.
# Usage: parallel_ssh.sh NODES LIST PICS [afcdraw options...]
set -u
if (($# < 3)); then
  echo "usage: parallel_ssh.sh NODES LIST PICS [afcdraw options...]" >&2
  exit 2
fi
nodes=$1 list=$2 pics=$3
shift 3
here=$(dirname "$0")
quote() { for word; do printf " '%s'" "${word//\'/\'\\\'\'}"; done; }
dir=$(quote "$pics") && dir=${dir# }
mkdir -p "$pics" && touch "$pics/.started" || exit
# parallel quotes the names it hands rsync, and rsync 3.2.4 and later would
# quote them again: a picture named with a space, quote, $ or newline would
# then not come back, with status 0.
export RSYNC_OLD_ARGS=1
# Each job in a folder of its own on the node (--wd ...), removed after the
# picture is copied back; PICS must exist there too. The shell opens the
# input and mv names the picture: IN= and OUT= would read a backslash in a
# name as a slash.
parallel -0 -a "$list" -S "$nodes" --wd ... --trc "$pics/{/.}.gif" \
  "mkdir -p $dir && afcdraw IN=- OUT=.picture.gif$(quote "$@") < {} && mv .picture.gif $dir/{/.}.gif"
drawn=$?
"$here/count_pictures.sh" "$list" "$pics" "$pics/.started" || exit
exit "$drawn"
