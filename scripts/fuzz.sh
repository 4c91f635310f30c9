#!/usr/bin/env bash
# Builds the fuzzers with clang (RAVELIN_FUZZ) into build-fuzz/ and runs each
# for a while. Usage: scripts/fuzz.sh [SECONDS] [NAME ...]
#   SECONDS  per fuzzer, 30 by default; names as in fuzz/ (spg, dgt, rtf, ...), all by default.
# Each fuzzer starts from its seeds in fuzz/corpus/NAME and keeps what it
# finds in build-fuzz/corpus/NAME, so later runs go on from there. A finding
# (the input in build-fuzz/findings/) fails the script. Every run appends its
# executions to build-fuzz/fuzz-runs.tsv; `scripts/fuzz.sh --totals` sums them.
# Long campaigns: `nice -n 19 scripts/fuzz.sh 3600`, so that they take idle processor time only;
# FUZZ_BUILD=0 runs the fuzzers as last built, while the sources change;
# RAVELIN_FUZZ_BUILD_DIR=folder runs from another folder (fuzz/README.md: side by side).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${RAVELIN_FUZZ_BUILD_DIR:-build-fuzz}
runs=$build/fuzz-runs.tsv

if [ "${1:-}" = "-h" ] || [ "${1:-}" = "--help" ]; then
  # The header comment, however long it grows.
  sed -n '2,/^[^#]/s/^# \{0,1\}//p' "$0"
  exit 0
fi
if [ "${1:-}" = "--totals" ]; then
  [ -f "$runs" ] || { echo "no runs recorded in $runs"; exit 0; }
  printf "%-16s %14s %10s %9s\n" fuzzer executions seconds findings
  # A run stopped from outside ("interrupted") counts its executions, not as a finding.
  awk -F'\t' '{ n[$2] += $4; s[$2] += $3; f[$2] += ($5 == "finding") }
    END { for (k in n) printf "%-16s %14d %10d %9d\n", k, n[k], s[k], f[k] }' "$runs" | sort
  exit 0
fi

seconds=${1:-30}
shift || true
# A word here would reach libFuzzer as a time limit of 0, which means no limit at all.
[[ "$seconds" =~ ^[1-9][0-9]*$ ]] || { echo "fuzz.sh: SECONDS must be a whole number above 0, not '$seconds'" >&2; exit 2; }
if [ "${FUZZ_BUILD:-1}" != 0 ]; then
  scripts/install-deps.sh --clang
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DRAVELIN_FUZZ=ON -DRAVELIN_BUILD_TESTS=OFF -DRAVELIN_WERROR=ON
  fi
  cmake --build "$build" --target ravelin-fuzzers -j "$(nproc)"
fi

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for source in fuzz/*_fuzzer.cpp; do
    name=$(basename "$source" _fuzzer.cpp)
    [ -x "$build/bin/fuzz_$name" ] && names+=("$name")
  done
fi

export QT_QPA_PLATFORM=offscreen
status=0
mkdir -p "$build/findings" "$build/logs"
for name in "${names[@]}"; do
  work=$build/corpus/$name
  mkdir -p "$work"
  log=$build/logs/$name.log
  # -timeout: an input that takes this long is a hang; -rss_limit_mb: the picture
  # readers may hold a picture at the size limit (1 GB) beside the sanitizers' own memory.
  if "$build/bin/fuzz_$name" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=3072 -print_final_stats=1 \
       -artifact_prefix="$build/findings/$name-" "$work" "fuzz/corpus/$name" >"$log" 2>&1; then
    result=ok
  elif grep -q "run interrupted" "$log" && ! grep -q "Test unit written" "$log"; then
    result=interrupted  # stopped from outside (a signal): its executions count, nothing was found
    status=1
  else
    result=finding
    status=1
  fi
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  printf '%s\t%s\t%s\t%s\t%s\n' "$(date -u +%FT%TZ)" "$name" "$seconds" "${executions:-0}" "$result" >>"$runs"
  echo "fuzz_$name: ${executions:-0} inputs in ${seconds} s, $result"
  if [ "$result" != ok ]; then
    grep -E 'ERROR|property broken|SUMMARY|Test unit written' "$log" | head -10 || tail -20 "$log"
  fi
done
exit $status
