#!/usr/bin/env bash
# Installs what Quillery needs to build and test on Debian 12, from Debian's packages only.
# Idempotent: packages already present are not downloaded again. Runs as root or through sudo.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  libgtest-dev libbenchmark-dev
  g++-mingw-w64-x86-64 unicode-data
  desktop-file-utils appstream dpkg-dev
  clang libclang-rt-14-dev
  poppler-utils
  libcsv-dev
  pandoc bibtex2html
  python3-stdnum
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "install-deps: run as root or install sudo" >&2; exit 1; }
  sudo=sudo
fi
echo "install-deps: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
