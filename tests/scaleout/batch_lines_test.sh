#!/bin/bash
# batch_lines.sh turns names of every kind into batch lines that draw the
# same pictures as runs alone, and refuses loudly, counting them, the names
# no batch line can hold.
# shellcheck source=tests/scaleout/common.sh
source "$(dirname "$0")/common.sh"
convert=$recipes/batch_lines.sh

# Exact lines, and the status, for names in a table: name|line|status.
while IFS='|' read -r name line status; do
  got=$(printf '%s\0' "$name" | "$convert" p SUB_GRID=10 2>/dev/null)
  code=$?
  [[ $got == "$line" && $code == "$status" ]] ||
    fail "${name@Q} gave ${got@Q} ($code), not ${line@Q} ($status)"
done <<'TABLE'
it's|'IN=it'\''s' 'OUT=p/it'\''s.gif' 'SUB_GRID=10'|0
-|'IN=./-' 'OUT=p/-.gif' 'SUB_GRID=10'|0
a/b.c.txt|'IN=a/b.c.txt' 'OUT=p/b.c.gif' 'SUB_GRID=10'|0
#x $y|'IN=#x $y' 'OUT=p/#x $y.gif' 'SUB_GRID=10'|0
a\b.txt||1
TABLE
printf 'a\0' | "$convert" 'p\q' 2>/dev/null && fail "an OUTDIR with a backslash was taken"
printf 'a\0' | "$convert" p $'CAPTION=a\nb' 2>/dev/null && fail "an option with a newline was taken"

make_responses
REFUSED=refused "$convert" pics "${options[@]}" <files.list >jobs.batch 2>errors
(($? == 1)) || fail "names with no batch line did not fail the conversion"
grep -qx 'batch_lines.sh: 3 names had no batch line (listed in refused)' errors ||
  fail "the refused names were not counted: $(cat errors)"
expected_refused=()
for i in "${!listed[@]}"; do
  [[ ${listed[i]} != *[$'\n\\']* ]] || expected_refused+=("$i")
done
for i in "${expected_refused[@]}"; do printf '%s\0' "${listed[i]}"; done >expected_refused
cmp -s refused expected_refused ||
  fail "REFUSED does not list exactly the names with a newline or a backslash"
(($(grep -c 'no batch line can name' errors) == 3)) || fail "not every refused name was named"
mkdir pics
afcdraw --batch jobs.batch JOBS=2 >batch.out 2>&1 || fail "the batch failed: $(cat batch.out)"
check_pictures pics "${expected_refused[@]}"
echo "batch_lines.sh: $((${#listed[@]} - 3)) pictures as drawn alone, 3 names refused"
