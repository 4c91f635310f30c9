#!/usr/bin/env bash
# Runs every benchmark and prints one Markdown table: each figure (the median
# of the script's runs), its target, the ratio to a yardstick where there is
# one, and whether the target is met. The scripts' own output goes to
# $BENCH_LOG (default: a file in the temporary folder, named at the end).
#   bench/run.sh                      every bench/*.sh but the helpers
#   bench/run.sh startup cli_calc     only those scripts
# A script adds rows through `verdict` and `verdict_ratio` (bench/common.sh);
# one that stops without a row gets a row saying so.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
# Generated inputs of every script go to this run's temporary folder.
export TMPDIR=$work
log=${BENCH_LOG:-$(mktemp -t ravelin-bench-XXXXXX.log --tmpdir=/tmp)}
: >"$log"

scripts=()
if (( $# )); then
  for name in "$@"; do scripts+=("$here/${name%.sh}.sh"); done
else
  for script in "$here"/*.sh; do
    case $(basename "$script") in common.sh | run.sh) ;; *) scripts+=("$script") ;; esac
  done
fi

loads=""
rows=$work/rows
: >"$rows"
for script in "${scripts[@]}"; do
  name=$(basename "$script" .sh)
  loads+="$(cut -d' ' -f1 /proc/loadavg) "
  echo "== $name ($(date -u +%H:%M:%S), load $(cut -d' ' -f1-3 /proc/loadavg))" >>"$log"
  before=$(wc -l <"$rows")
  BENCH_TABLE=$rows bash "$script" >>"$log" 2>&1
  code=$?
  if (( $(wc -l <"$rows") == before )); then
    printf '%s\t%s\t%s\t%s\t%s\n' "$name: stopped without a figure (exit $code)" "-" "-" "-" no >>"$rows"
  fi
done
loads+="$(cut -d' ' -f1 /proc/loadavg)"

echo "| Benchmark | Median | Target | Ratio | Met |"
echo "|---|---|---|---|---|"
while IFS=$'\t' read -r what figure target ratio met; do
  echo "| $what | $figure | $target | ${ratio:--} | $met |"
done <"$rows"
echo
echo "$(grep -c $'\tyes$' "$rows") of $(wc -l <"$rows") targets met; load average (1 min) before each script:" \
     "$loads on $(nproc) cores; output of the scripts in $log"
