#!/usr/bin/env bash
# Installs the Debian packages the build of the tool needs, when they are
# missing, and any extra ones a script asks for (the tests add libgtest-dev).
# Usage: scripts/deps.sh [extra packages...]
set -euo pipefail

# libdeflate-dev: the palette PNGs' compression; libexpat1-dev: the StationXML
# parser; libcairo2-dev and fonts-dejavu-core: the report style's drawing and its font
# (libcairo2-dev brings the static archives of cairo, pixman, fontconfig and FreeType
# that the full binary links in).
packages=(cmake g++ make pkg-config libgd-dev libpng-dev zlib1g-dev libdeflate-dev libexpat1-dev
  libcairo2-dev fonts-dejavu-core "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "afcdraw needs these Debian packages: ${missing[*]}" >&2
  echo "Install them as root:  apt-get install ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
