#!/usr/bin/env bash
# Builds the fuzz targets (clang, AddressSanitizer and UndefinedBehaviorSanitizer) and runs each
# for the given number of seconds, two at a time by default.
#
#   fuzz/run.sh SECONDS [TARGET...]
#
# Environment: QUILLERY_FUZZ_BUILD_DIR (default build-asan), QUILLERY_FUZZ_JOBS (default 2).
# The corpus grows in BUILD/fuzz/corpus/TARGET, seeded from fuzz/corpus/TARGET; failing inputs go
# to BUILD/fuzz/artifacts/ (copy them to fuzz/regressions/TARGET/ once the fault is mended); each
# run's log is BUILD/fuzz/logs/TARGET.log. Exits non-zero when any target found something.
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -ge 1 ] || { echo "usage: fuzz/run.sh SECONDS [TARGET...]" >&2; exit 2; }
seconds="$1"
shift
build="${QUILLERY_FUZZ_BUILD_DIR:-build-asan}"
jobs="${QUILLERY_FUZZ_JOBS:-2}"
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(ini book format authors dates lang regstore shelf bibtex exchange isbn)

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUILLERY_SANITIZE=ON -DQUILLERY_FUZZ=ON -DQUILLERY_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target "${targets[@]/#/fuzz_}"

# Targets that write scratch files run faster on a memory file system.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
out="$build/fuzz"
mkdir -p "$out/logs" "$out/artifacts"
run_one() {
  local name="$1"
  mkdir -p "$out/corpus/$name" "fuzz/regressions/$name"
  "$out/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$out/artifacts/$name-" \
    "$out/corpus/$name" "fuzz/corpus/$name" "fuzz/regressions/$name" \
    >"$out/logs/$name.log" 2>&1
}

status=0
pids=()
names=()
for name in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do sleep 1; done
  run_one "$name" &
  pids+=($!)
  names+=("$name")
done
printf '%-10s %-6s %12s %8s %8s\n' target result executions seconds corpus
for k in "${!pids[@]}"; do
  name="${names[$k]}"
  result=ok
  wait "${pids[$k]}" || { result=FOUND; status=1; }
  log="$out/logs/$name.log"
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  secs=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -1)
  corpus=$(ls "$out/corpus/$name" | wc -l)
  printf '%-10s %-6s %12s %8s %8s\n' "$name" "$result" "${execs:-?}" "${secs:-?}" "$corpus"
done
[ $status -eq 0 ] || echo "fuzz: see $out/logs/ and $out/artifacts/" >&2
exit $status
