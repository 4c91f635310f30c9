#!/usr/bin/env bash
# The projection window on 100,000 poles (bench/projection_window_bench.cpp,
# target ravelin-bench-projection-window, built on first use): the rows pasted
# into the data grid, "Replace" with poles on a Schmidt net with density
# contours, then the view of 1000 x 1000 pixels drawing the new picture.
# Targets: the plot and its drawing on the screen under 1 s; the window stays
# responsive: the plot command lets events run at least every 150 ms (the
# view's drawing of the new picture is one more stretch, shown beside). The
# kinematic analysis of 3,000 rows (4.5 million pairs) is shown beside it.
#   RUNS=5 bench/projection_window.sh
source "$(dirname "$0")/common.sh"
[ -n "${DISPLAY:-}" ] || export QT_QPA_PLATFORM=offscreen
runs=${RUNS:-5}
program=$bin/ravelin-bench-projection-window
if [ ! -x "$program" ]; then
  cmake --build "$bin/.." --target ravelin-bench-projection-window >/dev/null || { echo "cannot build $program"; exit 2; }
fi
value() { grep "^$1 " | awk '{printf "%.1f", $2}'; }

totals=""; gaps=""; plots=""; paints=""; cpu=""; kinematic=""
for _ in $(seq "$runs"); do
  out=$("$program" 100000 2>/dev/null) || { echo "FAIL the benchmark program stopped"; exit 1; }
  plot=$(value plot_ms <<<"$out"); paint=$(value paint_ms <<<"$out")
  totals+="$(echo "$plot + $paint" | bc) "; plots+="$plot "; paints+="$paint "
  gaps+="$(value longest_gap_ms <<<"$out") "; cpu+="$(value paint_cpu_ms <<<"$out") "
  kinematic+="$(value plot_kinematic_ms <<<"$out") "
done
echo "plot $(best <<<"$plots") ms best ($(median <<<"$plots") median), drawing on the screen $(best <<<"$paints") ms" \
     "best ($(median <<<"$paints") median, $(best <<<"$cpu") ms of processor time)"
echo "events ran $(grep '^pauses ' <<<"$out" | awk '{print $2}') times during the plot; longest stretch without" \
     "them $(best <<<"$gaps") ms best, $(median <<<"$gaps") ms median"
echo "kinematic plot of 3000 rows: $(best <<<"$kinematic") ms best, $(median <<<"$kinematic") ms median"
verdict "100,000 poles plotted, contoured and drawn in the projection window (median of $runs)" "$(median <<<"$totals")" 1000 ms
verdict "longest stretch of the plot without events running (median of $runs)" "$(median <<<"$gaps")" 150 ms
