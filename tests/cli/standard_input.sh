#!/usr/bin/env bash
# ravelin-cli project reads its rows from standard input when given "-" or no file.
set -u
cli=$1
fail() { echo "FAIL $*"; exit 1; }
out=$(printf '90,0\r\n0,90\r\n' | "$cli" project - --struct lines --json) || fail "project -: exit $?"
[ "$(jq -c '.points|map(map(round))' <<<"$out")" = '[[5850,3000],[3000,3000]]' ] || fail "project -: $out"
out=$(printf '0 90\n' | "$cli" project --struct poles) || fail "project without a file: exit $?"
grep -q '^points: 1,' <<<"$out" || fail "project without a file: $out"
printf '' | "$cli" project - --struct lines >/dev/null 2>&1
[ $? = 1 ] || fail "empty standard input: not exit 1"
echo "PASS ravelin-cli project from standard input"
