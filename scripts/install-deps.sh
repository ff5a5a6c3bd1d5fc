#!/usr/bin/env bash
# Installs what Quillery needs to build and test on Debian 12: Debian's packages, and the npm
# packages of tests/consumers.
# Idempotent: packages already present are not downloaded again. Runs as root or through sudo.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
  libgtest-dev libbenchmark-dev
  g++-mingw-w64-x86-64 unicode-data
  desktop-file-utils appstream dpkg-dev lintian
  clang libclang-rt-14-dev
  poppler-utils
  libcsv-dev libicu-dev
  pandoc bibtex2html
  python3-stdnum
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# Java runs the Nu HTML Checker, Node.js the JSON-LD processor (tests/consumers). Debian's are
# installed only where the machine has none: a Node.js from elsewhere brings its own npm.
command -v java >/dev/null || missing+=(default-jre-headless)
command -v node >/dev/null || missing+=(nodejs)
command -v npm >/dev/null || missing+=(npm)

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "install-deps: run as root or install sudo" >&2; exit 1; }
    sudo=sudo
  fi
  echo "install-deps: installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The consumers the tests read reports back with, from npm by the lock file. Install scripts stay
# off: vnu-jar's would download a Java runtime, and Debian's serves.
consumers="$(cd "$(dirname "$0")/../tests/consumers" && pwd)"
installed="$consumers/node_modules/.package-lock.json"
if [ ! -f "$installed" ] || [ "$consumers/package-lock.json" -nt "$installed" ]; then
  echo "install-deps: installing the npm packages of tests/consumers"
  (cd "$consumers" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)
fi
