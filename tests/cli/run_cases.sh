#!/usr/bin/env bash
# Runs a table of ravelin-cli cases and compares what comes back.
#
# Each non-comment line of a .tsv file holds, separated by tabs:
#   name, expected exit status, jq filter ("-" to skip), expected jq output
#   (compact JSON, or "-"), then the arguments as shell words. The filter
#   "text" checks plain output instead: each " | "-separated piece of the
#   expected column must appear in it, as a fixed string.
# The arguments are evaluated by bash (quotes work) with $EXAMPLES set to the
# examples folder and $TMP to a scratch folder.
set -u
cli=$1; table=$2
export EXAMPLES=$(cd "$(dirname "$0")/../../examples" && pwd)
export TMP=$(mktemp -d); trap 'rm -rf "$TMP"' EXIT
failures=0; count=0
while IFS=$'\t' read -r name status filter expected args; do
  [[ -z "${name// }" || "$name" == \#* ]] && continue
  count=$((count + 1))
  eval "set -- $args"
  out=$("$cli" "$@" 2>"$TMP/stderr"); rc=$?
  if [[ "$rc" != "$status" ]]; then
    echo "FAIL $name: exit $rc, expected $status"; sed 's/^/  stderr: /' "$TMP/stderr" | head -5; failures=$((failures + 1)); continue
  fi
  if [[ "$status" != 0 ]] && ! grep -q '^ravelin-cli: ' "$TMP/stderr"; then
    echo "FAIL $name: no 'ravelin-cli: ' message on stderr"; failures=$((failures + 1)); continue
  fi
  if [[ "$filter" == "text" ]]; then
    missing=""
    while IFS= read -r piece; do
      [[ -n "$piece" && "$out" != *"$piece"* ]] && missing=$piece && break
    done <<< "${expected// | /$'\n'}"
    if [[ -n "$missing" ]]; then
      echo "FAIL $name: the output lacks \"$missing\""; printf '%s\n' "$out" | head -5 | sed 's/^/  out: /'; failures=$((failures + 1))
    fi
    continue
  fi
  if [[ "$filter" != "-" ]]; then
    got=$(printf '%s' "$out" | jq -c "$filter" 2>&1)
    if [[ "$got" != "$expected" ]]; then
      echo "FAIL $name: $filter gave $got, expected $expected"; failures=$((failures + 1)); continue
    fi
  fi
done < "$table"
echo "$((count - failures))/$count cases passed in $(basename "$table")"
[[ $count -gt 0 && $failures -eq 0 ]]
