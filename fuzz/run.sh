#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/fuzz_*.cpp, with AddressSanitizer and
# UBSan, by CMake from the tool's own library: -DAFCDRAW_FUZZ=ON with clang)
# and runs each for a given time (seconds, default 60). A crash, a leak, undefined
# behaviour or one input running over 1 s fails the run; what a target
# finds is kept in fuzz/findings/ to be added to the corpus once fixed.
# Usage: fuzz/run.sh [seconds] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in fuzz/fuzz_*.cpp; do
    t=${f#fuzz/fuzz_}
    targets+=("${t%.cpp}")
  done
fi

bash scripts/deps.sh clang-14 libclang-rt-14-dev
out=build-fuzz
mkdir -p fuzz/findings
cmake -S . -B "$out" -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DAFCDRAW_FUZZ=ON >/dev/null
cmake --build "$out" -j"$(nproc)" --target "${targets[@]/#/fuzz_}" >/dev/null

status=0
for t in "${targets[@]}"; do
  echo "== fuzz_$t for ${seconds}s"
  corpus="$out/corpus_$t"
  mkdir -p "$corpus"
  cp fuzz/corpus/"$t"/* "$corpus"/ 2>/dev/null || true
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    "$out/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 -max_len=4096 \
    -artifact_prefix=fuzz/findings/"$t"- -print_final_stats=1 "$corpus" 2>&1 | tail -15 ||
    status=1
done
exit $status
