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
# Best and median of numbers separated by spaces or new lines.
best() { tr ' ' '\n' | grep . | sort -n | head -1; }
median() { tr ' ' '\n' | grep . | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }
# table_row NAME FIGURE TARGET RATIO MET: a row of bench/run.sh's table, kept only when it runs the script.
# No field may be empty ("-" for none): the table is read back split at tabs, which collapse.
table_row() {
  [ -z "${BENCH_TABLE:-}" ] || printf '%s\t%s\t%s\t%s\t%s\n' "$@" >>"$BENCH_TABLE"
}
verdict() { # verdict NAME VALUE LIMIT UNIT
  if (( $(echo "$2 < $3" | bc -l) )); then
    table_row "$1" "$2 $4" "< $3 $4" "-" yes
    echo "PASS $1: $2 $4 (target < $3 $4)"
  else
    table_row "$1" "$2 $4" "< $3 $4" "-" no
    echo "FAIL $1: $2 $4 (target < $3 $4)"; return 1
  fi
}
# verdict_ratio NAME FIGURE RATIO OP LIMIT YARDSTICK: the program's FIGURE, and RATIO (median of paired runs)
# compared with OP (">=" or "<=") to LIMIT; YARDSTICK names what the ratio is taken against.
verdict_ratio() {
  local met=no
  (( $(echo "$3 $4 $5" | bc -l) )) && met=yes
  table_row "$1" "$2" "$4 ${5}x $6" "${3}x" $met
  if [ $met = yes ]; then echo "PASS $1: ${3}x $6 (target $4 ${5}x)"; else echo "FAIL $1: ${3}x $6 (target $4 ${5}x)"; return 1; fi
}
# write_spacings FILE COUNT [DECIMALS]: a ".spg" of COUNT exponential spacings of mean 0.4 m
# with two decimals (as a field notebook gives them) or DECIMALS, after a usual header.
write_spacings() {
  awk -v n="$2" -v format="%.${3:-2}f\r\n" 'BEGIN {
    srand(20240601)
    printf "\047Heading comment/title\r\nHead = Benchmark scanline\r\n"
    printf "\047Family name\r\nFami = J1\r\n\047Location\r\nLoca = Quarry north\r\n"
    printf "Clif = 250,75\r\nScan = 250,75\r\nDisc = 70,30\r\nType = 2\r\nAngl = 15\r\n"
    for (i = 0; i < n; i++) { v = -0.4 * log(1 - rand()); if (v < 0.01) v = 0.01; printf format, v }
  }' >"$1"
}
