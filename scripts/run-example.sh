#!/usr/bin/env bash
# Builds afcdraw and draws the bundled broadband seismometer response to
# out/broadband_120s.gif.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target afcdraw >/dev/null
mkdir -p out
build/afcdraw IN=examples/broadband_120s.txt OUT=out/broadband_120s.gif "X_AXIS=0.0001;100" \
  SUB_GRID=10 "CAPTION=Broadband seismometer, 120 s" "DIMX=Frequency, Hz" "DIMY=V/(m/s)"
echo "Wrote out/broadband_120s.gif"
