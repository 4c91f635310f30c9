#!/usr/bin/env bash
# `cmake --install` lays out a usable tree: both programs answer --version,
# the command line finds its picture module in the installed library folder,
# and the desktop entry, icon and file types are where desktops look for them.
set -u
build=$1
source_dir=$2
prefix=$(mktemp -d); trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"
for file in bin/ravelin bin/ravelin-cli lib/ravelin/ravelin-cli-render.so \
            share/applications/ravelin.desktop share/icons/hicolor/scalable/apps/ravelin.svg \
            share/mime/packages/ravelin.xml share/ravelin/examples/road-cut-spacings.spg; do
  [ -e "$prefix/$file" ] || fail "missing $file"
done

[ "$("$prefix/bin/ravelin-cli" --version)" = "ravelin-cli $(cat "$build/ravelin-version.txt")" ] ||
  fail "ravelin-cli --version: $("$prefix/bin/ravelin-cli" --version)"
"$prefix/bin/ravelin" --version | grep -qx "ravelin [0-9.]*" || fail "ravelin --version"
"$prefix/bin/ravelin" --help | grep -q "usage: ravelin" || fail "ravelin --help"

# A picture needs the module; copied programs elsewhere would not find it.
"$prefix/bin/ravelin-cli" histogram "$prefix/share/ravelin/examples/road-cut-spacings.spg" \
  --png "$prefix/chart.png" >/dev/null 2>"$prefix/err" || fail "picture from the installed tree: $(cat "$prefix/err")"
[ "$(head -c 8 "$prefix/chart.png" | od -An -tx1 | tr -d ' ')" = "89504e470d0a1a0a" ] || fail "chart.png is no PNG"

grep -q '^MimeType=.*application/x-ravelin-datasheet' "$prefix/share/applications/ravelin.desktop" ||
  fail "desktop entry without the datasheet type"
for glob in '\*.spg' '\*.dgt'; do
  grep -q "<glob pattern=\"$glob\"/>" "$prefix/share/mime/packages/ravelin.xml" || fail "no MIME glob $glob"
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/ravelin.desktop" || fail "desktop entry does not validate"
fi
if command -v xmllint >/dev/null; then
  xmllint --noout "$prefix/share/mime/packages/ravelin.xml" "$prefix/share/icons/hicolor/scalable/apps/ravelin.svg" ||
    fail "MIME types or icon are not well-formed XML"
fi
echo "PASS installed tree"
