#!/usr/bin/env bash
# One ravelin-cli calc invocation: median wall time of 50 runs.
source "$(dirname "$0")/common.sh"
runs=50; times=""
for _ in $(seq $runs); do
  t=$(wall_ms "$bin/ravelin-cli" calc frmToolXYZ --page 1 'txtDirPen(0)=90' 'txtDirPen(1)=30' --json)
  times+="$t "
done
verdict "ravelin-cli calc wall time (median of $runs)" "$(median <<<"$times")" 50 ms
