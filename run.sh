#!/usr/bin/env bash
# Installs what is missing, builds, and starts Ravelin on the bundled example.
# Without a display, runs the example pipeline through ravelin-cli instead and
# says where the results are.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh

example=examples/north-face-intersections.spg
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/bin/ravelin "$example" "$@"
fi

cli=build/bin/ravelin-cli
out=build/example-results
rm -rf "$out"; mkdir -p "$out"
echo "No display: running the example pipeline headless."
echo
"$cli" datasheet "$example" --convert --report --rtf "$out/datasheet-report.rtf" --json > "$out/datasheet.json"
"$cli" datasheet "$example" --convert --report
echo
"$cli" histogram "$example" --laws exp,normal,lognormal,triangular \
  --png "$out/histogram.png" --svg "$out/histogram.svg" --pdf "$out/histogram.pdf" --json > "$out/histogram.json"
"$cli" histogram "$example" --laws exp,normal,lognormal,triangular
echo
"$cli" variogram "$example" --width 1 --lags 12 --png "$out/variogram.png" --json > "$out/variogram.json"
"$cli" calc frmToolXYZ --page 3 'txtPDirPen(0)=40' 'txtPDirPen(1)=65' 'txtPDirPen(2)=135' 'txtPDirPen(3)=80' \
  --json > "$out/xyz-wedge.json"
"$cli" calc frmModGeom --page 1 --export --rtf "$out/plane-failure.rtf" --txt "$out/plane-failure.txt" > /dev/null
"$cli" calc frmModGeom --page 2 --export --rtf "$out/wedge-failure.rtf" > /dev/null
"$cli" calc frmModGeom --page 2 --export
echo
echo "Results are in $(pwd)/$out:"
ls -1 "$out" | sed 's/^/  /'
