#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test; then the same tests again built with the
# address and undefined-behaviour sanitizers, and each fuzz target briefly (scripts/test-asan.sh;
# QUILLERY_SKIP_SANITIZERS=1 leaves that pass out).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
build="${QUILLERY_BUILD_DIR:-build}"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
[ "${QUILLERY_SKIP_SANITIZERS:-0}" = 1 ] || scripts/test-asan.sh
