#!/usr/bin/env bash
# Measures the catalogue-scale figures: opening, reports, the check, shelves, lists (whole and
# filtered by a query), exports and imports of 10,000 and 100,000 books, beside the floor (a
# program that only reads every book file). Warm disk cache: every command runs once before it is
# timed.
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

for n in 10000 100000; do
  measure "floor: read every book ($n)" "$build/bench/read-floor" "$root/cat$n"
  measure "report, microdata off ($n)" "$cli" --settings "$settings" report "$root/cat$n"
  measure "report, microdata on ($n)" "$cli" --settings "$settings" report "$root/cat$n" --microdata
done
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
