#!/usr/bin/env bash
# ravelin-cli does not load Qt for commands that draw nothing; its pictures
# come from the module beside it. Copied alone elsewhere, it still works, and
# a picture asked for or read fails with a clear message (exit 1), writing nothing.
set -u
cli=$1
examples=$(cd "$(dirname "$0")/../../examples" && pwd)
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL $*"; exit 1; }

if ldd "$cli" | grep -q 'libQt'; then fail "ravelin-cli links Qt: $(ldd "$cli" | grep libQt | head -1)"; fi
cp "$cli" "$work/ravelin-cli"
"$work/ravelin-cli" histogram "$examples/road-cut-spacings.spg" >/dev/null 2>"$work/err" ||
  fail "histogram without pictures: $(cat "$work/err")"
for format in png svg pdf; do
  "$work/ravelin-cli" histogram "$examples/road-cut-spacings.spg" --$format "$work/chart.$format" >/dev/null 2>"$work/err"
  rc=$?
  [ "$rc" = 1 ] || fail "--$format: exit $rc, expected 1"
  expected="ravelin-cli: cannot write $work/chart.$format: picture support not installed"
  [ "$(cat "$work/err")" = "$expected" ] || fail "--$format: message '$(cat "$work/err")'"
  [ ! -e "$work/chart.$format" ] || fail "--$format: a file was written"
done
# Reading a picture needs the module too.
"$work/ravelin-cli" picture "$examples/road-cut-spacings.spg" >/dev/null 2>"$work/err"
rc=$?
[ "$rc" = 1 ] || fail "picture: exit $rc, expected 1"
expected="ravelin-cli: Cannot open '$examples/road-cut-spacings.spg': picture support not installed."
[ "$(cat "$work/err")" = "$expected" ] || fail "picture: message '$(cat "$work/err")'"
# An acquisition still opens: its photograph cannot be shown and is said so, its geometry loads.
"$work/ravelin-cli" acquisition "$examples/rock-face.dgt" --json >"$work/out" 2>"$work/err" ||
  fail "acquisition without pictures: $(cat "$work/err")"
grep -q '"title": "Unable to open background image"' "$work/out" || fail "acquisition: the missing picture is not told"
grep -q '"TraceCount": 36' "$work/out" || fail "acquisition: the geometry did not load"
echo "PASS ravelin-cli without its picture module"
