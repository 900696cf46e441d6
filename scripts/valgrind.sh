#!/usr/bin/env bash
# Runs whole afcdraw runs under valgrind memcheck: any memory error or leak
# fails. Usage: scripts/valgrind.sh [path to afcdraw]
# By default the dynamically linked full binary the tests build: valgrind
# cannot see into the static C library of the installed ones (its internals
# look uninitialised to it). All three run the same code.
set -euo pipefail
cd "$(dirname "$0")/.."
bin=${1:-build/tests/afcdraw_preloadable}
[ -x "$bin" ] || bin=build/afcdraw
command -v valgrind >/dev/null || bash scripts/deps.sh valgrind
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'Freq Amp\n' > "$work/words.txt"

runs=(
  "IN=examples/broadband_120s.txt OUT=$work/a.gif X_AXIS=0.0001;100 SUB_GRID=10 CAPTION=c DIMX=x DIMY=y"
  "IN=examples/accelerometer_50hz.txt OUT=$work/b.gif X_AXIS=0.01;1000 -linX -linY SUB_GRID=7"
  "IN=examples/geophone_1hz.txt IN2=examples/geophone_unit_a.txt OUT=$work/d.png -report -phase -diff NAME=a NAME2=b CAPTION=c"
  "IN=examples/geophone_1hz.txt OUT=$work/e.pdf CAPTION=c DIMX=x"
  "IN=examples/broadband_120s.txt OUT=$work/f.gif -report -phase SIZE=700x7000"
  "IN=$work/words.txt OUT=$work/c.gif"
  "IN=$work/missing.txt OUT=$work/c.gif"
  "IN=examples/geophone_1hz.txt OUT=/dev/full"
  "IN=x /?"
  "OUT=x"
)
status=0
for args in "${runs[@]}"; do
  # shellcheck disable=SC2086  # the arguments are split on purpose
  if valgrind -q --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite,indirect \
      "$bin" $args >/dev/null 2>"$work/log"; [ $? -eq 99 ]; then
    echo "valgrind found errors in: afcdraw $args"
    cat "$work/log"
    status=1
  else
    echo "clean: afcdraw $args"
  fi
done
exit $status
