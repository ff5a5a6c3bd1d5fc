#!/usr/bin/env bash
# Measures the catalogue-scale figures: opening (in the window too), reports (beside bibtex2html),
# the check, shelves, lists (whole and filtered by a query), exports and imports of 10,000 and
# 100,000 books, beside the floor (a program that only reads every book file, one at a time).
# Warm disk cache: every command runs once before it is timed.
# Usage: bench/run-catalogue-bench.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
root="${QUILLERY_BENCH_DIR:-/tmp/quillery-bench}"
cli="$build/cli/quillery-cli"
settings="$root/empty-settings.reg"
mkdir -p "$root"
printf 'Windows Registry Editor Version 5.00\r\n\r\n' > "$settings"

for n in 10000 100000; do
  [ "$(find "$root/cat$n" -name '*.book' 2>/dev/null | wc -l)" -ge "$n" ] ||
    "$build/tools/make-catalogue" "$root/cat$n" "$n" >/dev/null
done

measure() { # label, command...
  local label=$1; shift
  "$@" >/dev/null 2>&1 || true
  /usr/bin/time -f "%e %M" -o "$root/time.txt" "$@" >/dev/null
  read -r secs kb < "$root/time.txt"
  printf '%-44s %8.2f s %8d MB\n' "$label" "$secs" "$((kb / 1024))"
}

# Wall time (to the millisecond) and peak memory of one run of a command, into secs and kb.
timed() {
  local start end
  start=$(date +%s.%N)
  /usr/bin/time -f "%M" -o "$root/time.txt" "$@" >/dev/null 2>&1 || true
  end=$(date +%s.%N)
  secs=$(awk -v a="$start" -v b="$end" 'BEGIN {printf "%.3f", b - a}')
  read -r kb < "$root/time.txt"
}
median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }

# Reports side by side with the floor and bibtex2html (the fastest peer) in one run: the three
# take turns, eleven times each for 10,000 books (a run of some 40 ms varies by a quarter from run
# to run here) and five for 100,000, and the medians are compared. bibtex2html formats the BibTeX
# export of the same catalogue (BibTeX's tables are enlarged for 100,000 entries).
b2h="$root/b2h"
mkdir -p "$b2h"
for n in 10000 100000; do
  "$cli" --settings "$settings" export "$root/cat$n" --to bibtex -o "$b2h/cat$n.bib"
  runs_floor=() runs_report=() runs_b2h=() report_kb=0
  runs=5
  [ "$n" = 10000 ] && runs=11
  for i in $(seq 0 "$runs"); do
    timed "$build/bench/read-floor" "$root/cat$n"; [ "$i" = 0 ] || runs_floor+=("$secs")
    timed "$cli" --settings "$settings" report "$root/cat$n"
    [ "$i" = 0 ] || runs_report+=("$secs")
    [ "$kb" -gt "$report_kb" ] && report_kb=$kb
    if command -v bibtex2html >/dev/null; then
      (cd "$b2h" && timed env max_strings=3000000 hash_extra=3000000 \
        bibtex2html -q -nobibsource -o "out$n" "cat$n.bib" && echo "$secs" > "$b2h/secs")
      [ "$i" = 0 ] || runs_b2h+=("$(cat "$b2h/secs")")
    fi
  done
  floor=$(printf '%s\n' "${runs_floor[@]}" | median)
  report=$(printf '%s\n' "${runs_report[@]}" | median)
  printf '%-44s %8.3f s\n' "floor: read every book ($n)" "$floor"
  printf '%-44s %8.3f s %8d MB  %.2f x floor\n' "report, microdata off ($n)" "$report" \
    "$((report_kb / 1024))" "$(ratio "$report" "$floor")"
  if [ "${#runs_b2h[@]}" -gt 0 ]; then
    peer=$(printf '%s\n' "${runs_b2h[@]}" | median)
    printf '%-44s %8.3f s  report %.2f x bibtex2html\n' "bibtex2html of its BibTeX ($n)" \
      "$peer" "$(ratio "$report" "$peer")"
  else
    echo "bibtex2html is not installed (scripts/install-deps.sh installs it)"
  fi
  measure "report, microdata on ($n)" "$cli" --settings "$settings" report "$root/cat$n" --microdata
done
measure "report, sorted by author and year (100000)" "$cli" --settings "$settings" report \
  "$root/cat100000" --sort author,-year
measure "report, grouped by series (100000)" "$cli" --settings "$settings" report \
  "$root/cat100000" --group series
# check exits 1 when it finds problems, as it does on the generated books (their ISBNs are made
# up): only a status above 1 is a failure here.
measure "check (100000)" sh -c '"$0" "$@" >/dev/null; [ $? -le 1 ]' \
  "$cli" --settings "$settings" check "$root/cat100000"
measure "shelf (100000)" "$cli" shelf "$root/cat100000" -o "$root/out.shelf"
# list only lists the folder; with --where it reads every book, so its floor is read-floor's.
measure "list (100000)" "$cli" list "$root/cat100000"
for query in winter author:lindqvist year:1900..1950 "title:storm -has:series pages:300.."; do
  measure "list --where $query (100000)" "$cli" list "$root/cat100000" --where "$query"
done
# Exports of the whole catalogue, and an import of 10,000 CSV rows into an empty folder (each
# timed run writes 10,000 new book files, so each gets a fresh folder).
for format in csv csljson bibtex ris; do
  measure "export --to $format (100000)" "$cli" --settings "$settings" export "$root/cat100000" \
    --to "$format" -o "$root/export.$format"
done
"$cli" --settings "$settings" export "$root/cat10000" --to csv -o "$root/import.csv"
# Removing 10,000 files just before would slow the file creation of the timed run on file systems
# that discard freed blocks at once, so the folders are removed after it.
rm -rf "$root/import-warm" "$root/import-into"
mkdir "$root/import-warm" "$root/import-into"
"$cli" --settings "$settings" import "$root/import-warm" "$root/import.csv" >/dev/null
/usr/bin/time -f "%e %M" -o "$root/time.txt" \
  "$cli" --settings "$settings" import "$root/import-into" "$root/import.csv" >/dev/null
read -r secs kb < "$root/time.txt"
printf '%-44s %8.2f s %8d MB\n' "import of 10000 CSV rows" "$secs" "$((kb / 1024))"
rm -rf "$root/import-warm" "$root/import-into"
"$build/bench/bench_catalogue" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
"$build/bench/bench_query"
[ -x "$build/bench/bench_window_open" ] && "$build/bench/bench_window_open"
