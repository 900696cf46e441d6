#!/usr/bin/env bash
# Builds the libFuzzer targets with AddressSanitizer and UBSan and runs each
# for a given time (seconds, default 60). A crash, a leak, undefined
# behaviour or one input running over 1 s fails the run; what a target
# finds is kept in fuzz/findings/ to be added to the corpus once fixed.
# Usage: fuzz/run.sh [seconds] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(parse_cmd str2graph pipeline)

bash scripts/deps.sh clang-14 libclang-rt-14-dev
out=build-fuzz
mkdir -p "$out" fuzz/findings
# The version as CMakeLists.txt's project() gives it.
version=$(sed -n 's/^project(afcdraw VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined,float-cast-overflow
       -fno-sanitize-recover=all -Isrc $(pkg-config --cflags gdlib)
       "-DAFCDRAW_VERSION=\"$version\"")
sources=$(git ls-files 'src/*.cpp' | grep -v 'src/driver/main.cpp')
libdir=$(pkg-config --variable=libdir gdlib)
gd=("$libdir/libgd.a" "$libdir/libpng16.a" "$libdir/libz.a")

status=0
for t in "${targets[@]}"; do
  echo "== fuzz_$t for ${seconds}s"
  clang++-14 "${flags[@]}" fuzz/fuzz_"$t".cpp $sources "${gd[@]}" -lm -o "$out/fuzz_$t"
  corpus="$out/corpus_$t"
  mkdir -p "$corpus"
  cp fuzz/corpus/"$t"/* "$corpus"/ 2>/dev/null || true
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    "$out/fuzz_$t" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 -max_len=4096 \
    -artifact_prefix=fuzz/findings/"$t"- -print_final_stats=1 "$corpus" 2>&1 | tail -15 ||
    status=1
done
exit $status
