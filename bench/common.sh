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
# write_spacings FILE COUNT: a ".spg" of COUNT exponential spacings of mean 0.4 m
# with two decimals, as a field notebook gives them, after a usual header.
write_spacings() {
  awk -v n="$2" 'BEGIN {
    srand(20240601)
    printf "\047Heading comment/title\r\nHead = Benchmark scanline\r\n"
    printf "\047Family name\r\nFami = J1\r\n\047Location\r\nLoca = Quarry north\r\n"
    printf "Clif = 250,75\r\nScan = 250,75\r\nDisc = 70,30\r\nType = 2\r\nAngl = 15\r\n"
    for (i = 0; i < n; i++) { v = -0.4 * log(1 - rand()); if (v < 0.01) v = 0.01; printf "%.2f\r\n", v }
  }' >"$1"
}
