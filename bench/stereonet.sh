#!/usr/bin/env bash
# The stereonet: 100,000 poles read from "dip direction,dip" rows, projected
# on a Schmidt net and contoured by the modified Kamb method (target under
# 1 s), timed inside the benchmark program (bench/stereonet_bench.cpp); the
# kinematic analysis of 3,000 planes (4.5 million pairs) is shown beside it.
#   RUNS=5 bench/stereonet.sh
source "$(dirname "$0")/common.sh"
runs=${RUNS:-5}
program=$bin/ravelin-bench-stereonet
if [ ! -x "$program" ]; then
  # Not part of the default build: built on first use in the same build folder.
  cmake --build "$bin/.." --target ravelin-bench-stereonet >/dev/null || { echo "cannot build $program"; exit 2; }
fi
value() { grep "^$1 " | awk '{printf "%.1f", $2}'; }

totals=""; contours=""; kinematic=""
for _ in $(seq "$runs"); do
  out=$("$program" 100000)
  totals+="$(value total_ms <<<"$out") "; contours+="$(value contour_ms <<<"$out") "
  kinematic+="$(value kinematic_ms <<<"$out") "
done
echo "$out" | grep -E "^(levels|paths|maximum_sigma) " | tr '\n' ' '; echo
echo "100000 poles read, projected and contoured: best $(best <<<"$totals") ms, median $(median <<<"$totals") ms" \
     "(contouring best $(best <<<"$contours") ms)"
echo "kinematic analysis of 3000 planes: best $(best <<<"$kinematic") ms, median $(median <<<"$kinematic") ms"
verdict "100,000 poles projected and contoured on a Schmidt net (median of $runs)" "$(median <<<"$totals")" 1000 ms
