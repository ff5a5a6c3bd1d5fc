#!/usr/bin/env bash
# The sanitizer pass of the test suite: everything built with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer (any undefined behaviour stops the test) into ./build-asan (or
# $QUILLERY_ASAN_BUILD_DIR), every test run there, and every fuzz target fuzzed briefly
# ($QUILLERY_FUZZ_TEST_SECONDS seconds each, default 20) after its seeds and regressions.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${QUILLERY_ASAN_BUILD_DIR:-build-asan}"
seconds="${QUILLERY_FUZZ_TEST_SECONDS:-20}"
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUILLERY_SANITIZE=ON -DQUILLERY_FUZZ=ON -DQUILLERY_BUILD_BENCH=OFF \
  -DQUILLERY_FUZZ_TEST_SECONDS="$seconds" >/dev/null
cmake --build "$build"
supp="$PWD/tests/sanitizers"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
