#!/usr/bin/env bash
# The acquisition on 20,000 traces with a 200-vertex contour: opening the
# ".dgt", exporting the scanline and the whole estimator chain, each under
# 1 s (median of RUNS), in the core alone and through the acquisition window
# (its drawing, the new datasheet, the Info box). The times are taken inside
# the benchmark program (bench/acquisition_bench.cpp, without a display).
#   RUNS=7 bench/acquisition.sh
source "$(dirname "$0")/common.sh"
runs=${RUNS:-7}
program=$bin/ravelin-bench-acquisition
if [ ! -x "$program" ]; then
  # Not part of the default build: built on first use in the same build folder.
  cmake --build "$bin/.." --target ravelin-bench-acquisition >/dev/null || { echo "cannot build $program"; exit 2; }
fi
out=$("$program" "$runs")
echo "$out" | grep -v '^sink '
status=0
for name in open export estimators window_open window_export window_estimators; do
  median=$(grep "^${name}_ms " <<<"$out" | awk '{printf "%.1f", $3}')
  verdict "${name//_/ }, 20,000 traces and a 200-vertex contour (median of $runs)" "$median" 1000 ms || status=1
done
exit $status
