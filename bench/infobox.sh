#!/usr/bin/env bash
# The Info box: appending 1,000 report blocks and saving them as RTF (target
# under 0.5 s), the same for 20,000 blocks (each block costing no more: under
# 10 s), and opening a 5 MB RTF (target under 1 s), both as word
# processors write it and as Ravelin writes it. The times are taken inside
# the benchmark program (bench/infobox_bench.cpp, the core's Info box
# without a window); the wall time of `ravelin-cli infobox FILE`, start-up
# and printing of the text included, is shown beside them.
#   RUNS=5 bench/infobox.sh
source "$(dirname "$0")/common.sh"
runs=${RUNS:-5}
program=$bin/ravelin-bench-infobox
if [ ! -x "$program" ]; then
  # Not part of the default build: built on first use in the same build folder.
  cmake --build "$bin/.." --target ravelin-bench-infobox >/dev/null || { echo "cannot build $program"; exit 2; }
fi
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
value() { grep "^$1 " | awk '{printf "%.1f", $2}'; }

status=0
times=""
for _ in $(seq "$runs"); do
  times+="$("$program" append 1000 "$work/report.rtf" | value total_ms) "
done
echo "append 1000 blocks + save RTF ($(( $(stat -c %s "$work/report.rtf") / 1024 )) KB): best $(best <<<"$times") ms, median $(median <<<"$times") ms"
verdict "append 1,000 report blocks and save as RTF (median of $runs)" "$(median <<<"$times")" 500 ms || status=1

# A long session: each block must cost about what it costs in a short one,
# so 20 times the blocks may take at most 20 times the 1,000-block target.
appends=""; totals=""
for _ in $(seq "$runs"); do
  out=$("$program" append 20000 "$work/long.rtf")
  appends+="$(value append_ms <<<"$out") "; totals+="$(value total_ms <<<"$out") "
done
echo "append 20000 blocks + save RTF ($(( $(stat -c %s "$work/long.rtf") / 1024 )) KB): best $(best <<<"$totals") ms" \
     "(appending $(best <<<"$appends") ms), median $(median <<<"$totals") ms"
verdict "append 20,000 report blocks and save as RTF (median of $runs)" "$(median <<<"$totals")" 10000 ms || status=1

"$program" write-rtf 5000000 "$work/word.rtf"
"$bin/ravelin-cli" infobox "$work/word.rtf" --rtf "$work/ravelin.rtf" >/dev/null
for kind in word ravelin; do
  file=$work/$kind.rtf
  [ "$kind" = word ] && what="a word processor's 5 MB RTF" || what="the same text as Ravelin writes it"
  times=""; walls=""
  for _ in $(seq "$runs"); do
    times+="$("$program" open "$file" | value open_ms) "
    walls+="$(wall_ms "$bin/ravelin-cli" infobox "$file" | cut -d. -f1) "
  done
  echo "open $what ($(( $(stat -c %s "$file") / 1024 )) KB): best $(best <<<"$times") ms, median $(median <<<"$times") ms;" \
       "ravelin-cli infobox wall best $(best <<<"$walls") ms"
  verdict "open $what (median of $runs)" "$(median <<<"$times")" 1000 ms || status=1
done
exit $status
