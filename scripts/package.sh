#!/usr/bin/env bash
# Builds the Debian package build-package/afcdraw_*.deb. With --check it also
# inspects it, runs lintian over it, unpacks it into a temporary root and
# draws a bundled example with the packaged binary: nothing is installed.
set -euo pipefail
cd "$(dirname "$0")/.."
check=0
[ "${1:-}" = --check ] && check=1
if [ $check = 1 ]; then
  bash scripts/deps.sh dpkg-dev lintian mandoc
else
  bash scripts/deps.sh dpkg-dev
fi
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DAFCDRAW_TESTS=OFF >/dev/null
cmake --build build-package -j"$(nproc)" >/dev/null
rm -f build-package/afcdraw_*.deb
(cd build-package && cpack -G DEB >/dev/null)
deb=$(ls build-package/afcdraw_*.deb)
echo "built $deb"
[ $check = 1 ] || exit 0

dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"
# Both binaries are static, libgd, cairo, FreeType and the C++ runtime linked in: the
# package needs no other package.
depends=$(dpkg-deb --field "$deb" Depends)
if [ -n "$depends" ]; then
  echo "the package must depend on nothing: $depends" >&2
  exit 1
fi
# The package is built by CPack from this tree, not from a debian/ directory with its own
# change log: the project's history is its change log, so lintian's no-changelog is waived.
# libgd, libpng, zlib, libdeflate and expat are linked in on purpose, so that the binary depends on libc
# alone and a picture in the fixed-cell style loads no shared library but libc:
# embedded-library is waived too. /usr/bin/afcdraw is linked statically on purpose:
# that spares a run of a typical file a third of its time, the loading and
# relocation of the shared C library, and a report picture the loading of cairo's score
# of shared libraries. statically-linked-binary is waived.
lintian --fail-on error,warning \
  --suppress-tags no-changelog,embedded-library,statically-linked-binary "$deb"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
# The packaged binary draws the README's picture byte for byte.
"$root/usr/bin/afcdraw" IN=examples/geophone_1hz.txt OUT="$root/geophone.gif" "X_AXIS=0.01;1000" \
  SUB_GRID=10 "CAPTION=Geophone, 1 Hz" "DIMX=Frequency, Hz" "DIMY=V/(m/s)"
cmp "$root/geophone.gif" docs/geophone_1hz.gif
# and hands a report picture to the full binary, where the package put it.
"$root/usr/bin/afcdraw" IN=examples/geophone_1hz.txt OUT="$root/geophone.svg"
grep -q "<svg" "$root/geophone.svg"
mandoc -Tlint -Wwarning "$root/usr/share/man/man1/afcdraw.1.gz"
zgrep -qx "\.Os afcdraw $(dpkg-deb --field "$deb" Version)" "$root/usr/share/man/man1/afcdraw.1.gz"
cmp "$root/usr/share/doc/afcdraw/copyright" LICENSE
echo "the packaged afcdraw drew the example; manual page and copyright file are in the package"
