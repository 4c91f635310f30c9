#!/usr/bin/env bash
# `ravelin-cli histogram` on a ".spg" of 1,000,000 spacings against the same
# reading and histogram in Python and NumPy (bench/histogram_numpy.py), in one
# run: wall time and peak memory of each, best and median of several runs,
# and a check that both found the same classes, counts and statistics.
# Targets: under 1 s, under 200 MB, at least 10 times faster than NumPy.
#   RUNS=7 VALUES=1000000 bench/histogram_1m.sh
source "$(dirname "$0")/common.sh"
python=${PYTHON:-/usr/bin/python3}
runs=${RUNS:-7}
values=${VALUES:-1000000}
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (apt-get install time)"; exit 2; }
"$python" -c 'import numpy' 2>/dev/null || { echo "needs $python with NumPy"; exit 2; }
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
file=$work/spacings.spg
"$python" "$root/bench/histogram_numpy.py" generate "$file" "$values"
echo "file: $values spacings, $(( $(stat -c %s "$file") / 1024 )) KB"

# One run: wall milliseconds (nanosecond clock), CPU milliseconds and peak KB, on one line.
measure() { # measure OUT COMMAND...
  local out=$1; shift
  local start end
  start=$(date +%s%N)
  /usr/bin/time -o "$work/time" -f '%U %S %M' "$@" >"$out"
  end=$(date +%s%N)
  read -r user system peak <"$work/time"
  echo "$(( (end - start) / 1000000 )) $(echo "($user + $system) * 1000 / 1" | bc) $peak"
}
ravelin_wall=""; ravelin_cpu=""; ravelin_peak=0; numpy_wall=""; numpy_cpu=""; numpy_peak=0; ratios=""
for i in $(seq "$runs"); do
  # Alternated, so both see the same load on the machine.
  read -r ours c p < <(measure "$work/ravelin.txt" "$bin/ravelin-cli" histogram "$file")
  ravelin_wall+="$ours "; ravelin_cpu+="$c "; (( p > ravelin_peak )) && ravelin_peak=$p
  read -r w c p < <(measure "$work/numpy.txt" "$python" "$root/bench/histogram_numpy.py" histogram "$file")
  numpy_wall+="$w "; numpy_cpu+="$c "; (( p > numpy_peak )) && numpy_peak=$p
  ratios+="$(echo "scale=2; $w / $ours" | bc) "
done
rb=$(best <<<"$ravelin_wall"); rm=$(median <<<"$ravelin_wall")
nb=$(best <<<"$numpy_wall"); nm=$(median <<<"$numpy_wall")
echo "ravelin-cli histogram: wall best $rb ms, median $rm ms; CPU best $(best <<<"$ravelin_cpu") ms; peak $(( ravelin_peak / 1024 )) MB"
echo "Python + NumPy:        wall best $nb ms, median $nm ms; CPU best $(best <<<"$numpy_cpu") ms; peak $(( numpy_peak / 1024 )) MB"
ratio_best=$(echo "scale=1; $nb / $rb" | bc); ratio_median=$(echo "scale=1; $nm / $rm" | bc)
echo "NumPy / ravelin: ${ratio_best}x (best against best), ${ratio_median}x (median against median)," \
     "$(median <<<"$ratios")x (median of the paired runs' ratios)"

# Both must have computed the same histogram.
figure() { grep -m1 "^$1: " "$2" | sed "s/^$1: //; s/,.*//"; }
counts() { grep '^  ' "$1" | sed 's/.*: //' | tr '\n' ' '; }
status=0
same=1
for name in values classes "class interval"; do
  [ "$(figure "$name" "$work/ravelin.txt")" = "$(figure "$name" "$work/numpy.txt")" ] || { echo "differs: $name"; same=0; }
done
[ "$(counts "$work/ravelin.txt")" = "$(counts "$work/numpy.txt")" ] || { echo "differs: class counts"; same=0; }
for name in mean "standard deviation"; do
  a=$(figure "$name" "$work/ravelin.txt"); b=$(figure "$name" "$work/numpy.txt")
  # The sums are taken in another order (NumPy adds pairwise): equal to 1e-9 relative.
  (( $(echo "d = $a - $b; if (d < 0) d = -d; d <= 0.000000001 * $b" | bc -l) )) || { echo "differs: $name $a / $b"; same=0; }
done
if (( same )); then
  table_row "histogram of 1,000,000 values the same as NumPy's" "same" "same" "-" yes
  echo "PASS same histogram from both programs"
else
  table_row "histogram of 1,000,000 values the same as NumPy's" "differs" "same" "-" no
  echo "FAIL same histogram from both programs"; status=1
fi
verdict "ravelin-cli histogram wall time (median of $runs)" "$rm" 1000 ms || status=1
verdict "ravelin-cli histogram peak memory" "$(( ravelin_peak / 1024 ))" 200 MB || status=1
verdict_ratio "ravelin-cli histogram of 1,000,000 values against bench/histogram_numpy.py" "$rm ms" \
  "$(median <<<"$ratios")" ">=" 10 "NumPy" || status=1
exit $status
