#!/usr/bin/env bash
# Reading a generated ".spg" of 1,000,000 spacings into a document value,
# without a window or a session (bench/spg_read_bench.cpp, target
# ravelin-bench-spg-read, built on first use): the median of RUNS parses of the
# bytes already in memory against the 40 ms target; the same with the file
# read from disk shown beside it.
#   RUNS=15 bench/spg_read.sh
source "$(dirname "$0")/common.sh"
runs=${RUNS:-15}
count=${RAVELIN_BENCH_ROWS:-1000000}
program=$bin/ravelin-bench-spg-read
if [ ! -x "$program" ]; then
  # Not part of the default build: built on first use in the same build folder.
  cmake --build "$bin/.." --target ravelin-bench-spg-read >/dev/null || { echo "cannot build $program"; exit 2; }
fi
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
file=$work/million.spg

write_spacings "$file" "$count"

out=$("$program" "$file" "$runs")
value() { grep "^$1 " <<<"$out" | awk '{print $2}'; }
[ "$(value values)" = "$count" ] || { echo "FAIL read $(value values) values instead of $count"; exit 1; }
[ "$(value errors)" = 0 ] || { echo "FAIL the reader reported an error"; exit 1; }
echo "  $(( $(stat -c %s "$file") / 1024 )) KB; parse: best $(value parse_best_ms) ms, median $(value parse_median_ms) ms" \
     "(processor time $(value parse_cpu_median_ms) ms);" \
     "from the file: best $(value file_best_ms) ms, median $(value file_median_ms) ms ($runs runs)"
verdict "reading $count values into a document value (median of $runs)" "$(value parse_median_ms)" 40 ms
