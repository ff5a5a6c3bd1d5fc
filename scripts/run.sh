#!/usr/bin/env bash
# Installs what is needed, builds, and runs Quillery on the bundled sample catalogue: the desktop
# program where there is a display, the command-line tool otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
build="${QUILLERY_BUILD_DIR:-build}"
catalogue="examples/catalogue"
if [ -x "$build/app/quillery" ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  exec "$build/app/quillery" "$catalogue/Tolkien - The Fellowship of the Ring.book"
fi
"$build/cli/quillery-cli" list "$catalogue"
