# Shared helpers of the benchmark scripts.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bin=${RAVELIN_BIN:-$root/build/bin}
# Wall time of a command in milliseconds (floating point).
wall_ms() {
  local start end
  start=$(date +%s%N); "$@" >/dev/null 2>&1; end=$(date +%s%N)
  echo "scale=3; ($end - $start) / 1000000" | bc
}
verdict() { # verdict NAME VALUE LIMIT UNIT
  if (( $(echo "$2 < $3" | bc -l) )); then echo "PASS $1: $2 $4 (target < $3 $4)"; else echo "FAIL $1: $2 $4 (target < $3 $4)"; return 1; fi
}
