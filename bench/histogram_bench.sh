#!/usr/bin/env bash
# `ravelin-cli histogram` on ".spg" files of 1,000,000 spacings written with
# two and with six decimals, against the NumPy yardstick (a user's script
# doing the same reading and histogram) and against `wc -l` on the same file,
# run pair by pair in one invocation so that all three see the same load.
# Each ratio is the median of the ratios of the runs of one round. Then a
# file of 10,000,000 values: wall time and peak memory (/usr/bin/time -v).
# Targets: at least 20 times faster than NumPy, within 6 times of `wc -l`;
# 10,000,000 values under 400 ms and 400 MB.
#   RUNS=11 VALUES=1000000 YARDSTICK=path/to/numpy_histogram.py bench/histogram_bench.sh
source "$(dirname "$0")/common.sh"
python=${PYTHON:-/usr/bin/python3}
runs=${RUNS:-11}
values=${VALUES:-1000000}
large=${LARGE:-10000000}
yardstick=${YARDSTICK:-$root/../shared/yardsticks/numpy_histogram.py}
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (apt-get install time)"; exit 2; }
"$python" -c 'import numpy' 2>/dev/null || { echo "needs $python with NumPy"; exit 2; }
[ -f "$yardstick" ] || { echo "needs the NumPy yardstick: YARDSTICK=path/to/numpy_histogram.py"; exit 2; }
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT

# generate FILE COUNT DECIMALS: exponential spacings of mean 0.4 m after a usual header (theta 15 degrees).
generate() {
  "$python" - "$@" <<'EOF'
import sys
import numpy as np
path, count, decimals = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
rng = np.random.default_rng(20261207)
# Never below a centimetre: a value within the classes' 1e-6 margin of 0 would stop the count.
values = np.maximum(np.round(rng.exponential(0.4, count), decimals), 0.01)
header = ("'Heading comment/title\r\nHead = Benchmark scanline\r\n'Family name\r\nFami = J1\r\n"
          "'Location\r\nLoca = Quarry north\r\nClif = 250,75\r\nScan = 250,75\r\nDisc = 70,30\r\n"
          "Type = 2\r\nAngl = 15\r\n")
with open(path, "wb") as f:
    f.write(header.encode("ascii"))
    np.savetxt(f, values, fmt=f"%.{decimals}f", newline="\r\n")
EOF
}

# Wall milliseconds of one run (nanosecond clock), output to a file.
run_ms() { # run_ms OUT COMMAND...
  local out=$1; shift
  local start end
  start=$(date +%s%N); "$@" >"$out" 2>&1; end=$(date +%s%N)
  echo "scale=3; ($end - $start) / 1000000" | bc
}
median() { tr ' ' '\n' | grep . | sort -g | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

status=0
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
for decimals in 2 6; do
  file=$work/spacings$decimals.spg
  generate "$file" "$values" "$decimals"
  echo
  echo "== $values values with $decimals decimals, $(( $(stat -c %s "$file") / 1024 )) KB"
  cat "$file" >/dev/null  # in the page cache for all three
  ravelin=""; numpy=""; wc=""; numpy_ratios=""; wc_ratios=""
  for i in $(seq "$runs"); do
    # The order turns each round, so that no program always runs after the same one.
    r=0; n=0; w=0
    case $(( i % 3 )) in
      0) r=$(run_ms "$work/ravelin.txt" "$bin/ravelin-cli" histogram "$file")
         n=$(run_ms "$work/numpy.txt" "$python" "$yardstick" "$file")
         w=$(run_ms "$work/wc.txt" wc -l "$file") ;;
      1) n=$(run_ms "$work/numpy.txt" "$python" "$yardstick" "$file")
         w=$(run_ms "$work/wc.txt" wc -l "$file")
         r=$(run_ms "$work/ravelin.txt" "$bin/ravelin-cli" histogram "$file") ;;
      2) w=$(run_ms "$work/wc.txt" wc -l "$file")
         r=$(run_ms "$work/ravelin.txt" "$bin/ravelin-cli" histogram "$file")
         n=$(run_ms "$work/numpy.txt" "$python" "$yardstick" "$file") ;;
    esac
    ravelin+="$r "; numpy+="$n "; wc+="$w "
    numpy_ratios+="$(echo "scale=3; $n / $r" | bc) "; wc_ratios+="$(echo "scale=3; $r / $w" | bc) "
  done
  rm_=$(median <<<"$ravelin"); nm=$(median <<<"$numpy"); wm=$(median <<<"$wc")
  nr=$(median <<<"$numpy_ratios"); wr=$(median <<<"$wc_ratios")
  echo "medians of $runs runs: ravelin-cli $rm_ ms, NumPy $nm ms, wc -l $wm ms"
  echo "median of the paired ratios: NumPy / ravelin-cli ${nr}x, ravelin-cli / wc -l ${wr}x"

  # Both programs found the same histogram: n interval classes max_count mean stddev.
  read -r yn yi yc ym ymean ystd <"$work/numpy.txt"
  figure() { grep -m1 "^$1: " "$work/ravelin.txt" | sed "s/^$1: //; s/,.*//"; }
  rn=$(figure values); ri=$(figure "class interval"); rc=$(figure classes); rmax=$(figure "largest count")
  rmean=$(figure mean); rstd=$(figure "standard deviation")
  same=1
  [ "$rn" = "$yn" ] && [ "$rc" = "$yc" ] && [ "$rmax" = "$ym" ] || same=0
  (( $(echo "$ri == $yi" | bc -l) )) || same=0
  for pair in "$rmean $ymean" "$rstd $ystd"; do
    read -r a b <<<"$pair"
    b=$(sed 's/[eE]/*10^/' <<<"$b")
    # NumPy adds pairwise, the program in order: equal to 1e-9 relative.
    (( $(echo "d = $a - ($b); if (d < 0) d = -d; d <= 0.000000001 * ($b)" | bc -l) )) || same=0
  done
  if (( same )); then echo "PASS same figures as NumPy ($rn values, $rc classes, mean $rmean)"
  else echo "FAIL figures differ: ravelin $rn $ri $rc $rmax $rmean $rstd / NumPy $(cat "$work/numpy.txt")"; status=1; fi
  verdict_ratio "histogram of $values values, $decimals decimals, against NumPy" "$rm_ ms" "$nr" ">=" 20 \
    "faster than NumPy ($nm ms)" || status=1
  verdict_ratio "histogram of $values values, $decimals decimals, against wc -l" "$rm_ ms" "$wr" "<=" 6 \
    "the time of wc -l ($wm ms)" || status=1
  rm -f "$file"
done

echo
file=$work/large.spg
generate "$file" "$large" 2
echo "== $large values with 2 decimals, $(( $(stat -c %s "$file") / 1024 / 1024 )) MB"
cat "$file" >/dev/null
walls=""; peak=0
for i in 1 2 3 4 5; do
  wall=$(run_ms "$work/large.txt" /usr/bin/time -v -o "$work/time" "$bin/ravelin-cli" histogram "$file")
  kb=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time")
  walls+="$wall "; (( kb > peak )) && peak=$kb
done
echo "wall median $(median <<<"$walls") ms (runs: $walls), peak $(( peak / 1024 )) MB"
verdict "$large values, wall time (median of 5)" "$(median <<<"$walls")" 400 ms || status=1
verdict "$large values, peak memory" "$(( peak / 1024 ))" 400 MB || status=1
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
exit $status
