#!/usr/bin/env bash
# Builds the Debian package build-package/afcdraw_*.deb. With --install it
# also installs it and draws the bundled example with the installed tool.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh dpkg-dev
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DAFCDRAW_TESTS=OFF >/dev/null
cmake --build build-package -j"$(nproc)" >/dev/null
(cd build-package && cpack -G DEB >/dev/null)
deb=$(ls build-package/afcdraw_*.deb)
echo "built $deb"
dpkg-deb --info "$deb" | grep -E "Package|Version|Depends"
if [ "${1:-}" = --install ]; then
  dpkg -i "$deb" >/dev/null
  out=$(mktemp -d)
  /usr/bin/afcdraw IN=examples/geophone_1hz.txt OUT="$out/geophone.gif" "X_AXIS=0.01;1000"
  test -s "$out/geophone.gif"
  test -s /usr/share/man/man1/afcdraw.1.gz
  rm -rf "$out"
  echo "installed /usr/bin/afcdraw and drew the example"
fi
