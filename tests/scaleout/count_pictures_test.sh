#!/bin/bash
# count_pictures.sh says how many pictures there are, and fails naming each
# one missing, empty or older than the run.
# shellcheck source=tests/scaleout/common.sh
source "$(dirname "$0")/common.sh"
count=$recipes/count_pictures.sh

printf '%s\0' 'in/a b.txt' $'in/new\nline.txt' 'in/c' >files.list
mkdir pics
touch -d '1 hour ago' pics/c.gif
touch pics/.started
echo gif >'pics/a b.gif'
echo gif >$'pics/new\nline.gif'
# Each case: what is done to the pictures, the status, the count printed.
while IFS='|' read -r change status counted; do
  eval "$change"
  out=$("$count" files.list pics pics/.started 2>errors)
  code=$?
  [[ $code == "$status" && $out == "$counted" ]] ||
    fail "after ${change@Q}: status $code, ${out@Q}; expected $status, ${counted@Q}"
done <<'TABLE'
:|1|2 of 3 pictures in pics
echo gif >pics/c.gif|0|3 of 3 pictures in pics
: >'pics/a b.gif'|1|2 of 3 pictures in pics
rm $'pics/new\nline.gif'|1|1 of 3 pictures in pics
TABLE
grep -qF "missing \$'pics/new\\nline.gif'" errors || fail "the missing picture was not named: $(cat errors)"
"$count" files.list pics >/dev/null 2>&1 && fail "missing pictures counted without a stamp"
"$count" none.list pics >/dev/null 2>&1
(($? == 2)) || fail "an unreadable list was not refused"
echo "count_pictures.sh: counts and names what is missing"
