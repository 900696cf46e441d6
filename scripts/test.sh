#!/usr/bin/env bash
# Builds afcdraw with its tests and runs the whole suite.
# With SANITIZE=1 it builds and runs under AddressSanitizer and UBSan instead.
set -euo pipefail
cd "$(dirname "$0")/.."

# locales: the help text is tested in 8-bit Russian locales built with localedef;
# libxml2-utils and poppler-utils read the report style's SVG and PDF files;
# procps's pkill ends a batch worker; the scale-out recipes run for real
# with GNU parallel and rsync over a local sshd, and on a one-node Slurm;
# python3 reads the network check's JSON and JUnit back; chromium opens its page headless;
# strace shows where a report run leaves the fast binary.
bash scripts/deps.sh libgtest-dev locales util-linux libxml2-utils poppler-utils procps \
  parallel rsync openssh-client openssh-server slurm-wlm munge python3 chromium strace
dir=build
flags=(-DCMAKE_BUILD_TYPE=Release -DAFCDRAW_TESTS=ON)
if [ "${SANITIZE:-0}" = 1 ]; then
  dir=build-sanitize
  flags=(-DCMAKE_BUILD_TYPE=Debug -DAFCDRAW_SANITIZE=ON -DAFCDRAW_TESTS=ON)
  export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
fi
cmake -S . -B "$dir" "${flags[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)"
ctest --test-dir "$dir" --output-on-failure -j"$(nproc)"
