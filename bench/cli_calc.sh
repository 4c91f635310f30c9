#!/usr/bin/env bash
# One ravelin-cli calc invocation: mean wall time over 50 runs.
source "$(dirname "$0")/common.sh"
runs=50; total=0
for _ in $(seq $runs); do
  t=$(wall_ms "$bin/ravelin-cli" calc frmToolXYZ --page 1 'txtDirPen(0)=90' 'txtDirPen(1)=30' --json)
  total=$(echo "$total + $t" | bc)
done
mean=$(echo "scale=2; $total / $runs" | bc)
verdict "ravelin-cli calc mean wall time" "$mean" 50 ms
