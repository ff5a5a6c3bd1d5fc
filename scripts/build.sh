#!/usr/bin/env bash
# Configures and builds Quillery into ./build (or $QUILLERY_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${QUILLERY_BUILD_DIR:-build}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build"
