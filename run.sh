#!/usr/bin/env bash
# Installs what is missing, builds, and starts Ravelin on the bundled
# examples: the road from a photograph of a rock face to its digitized
# traces, the scanline sampled into a spacing datasheet, its histogram and
# the window estimators. Without a display, runs the same road (and the
# spacing examples) through ravelin-cli instead and says where the results are.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh

acquisition=examples/rock-face.dgt
cli=build/bin/ravelin-cli
out=build/example-results
rm -rf "$out"; mkdir -p "$out"

# The road, headless: photograph and traces -> scanline -> datasheet -> histogram -> estimators.
road() {
  "$cli" acquisition "$acquisition" --png "$out/rock-face-digitized.png" \
    --sample "$out/rock-face-scanline.spg" --estimate --rtf "$out/rock-face-estimates.rtf" --json \
    > "$out/rock-face.json"
  "$cli" histogram "$out/rock-face-scanline.spg" --laws exp,lognormal --legend --png "$out/rock-face-histogram.png" \
    --json > "$out/rock-face-histogram.json"
}

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  road
  cat <<EOF
Ravelin opens the example acquisition ($acquisition: a photograph of a jointed
rock face with its traces, scanline, rectangle and contour), the datasheet
sampled from its scanline and the estimators' report. To go the road yourself
in the acquisition window: Acquisition > Export scanline to spacing datasheet,
then Plot Histo in the new datasheet, then Acquisition > Spacing and
persistance estimations. The wheel zooms about the pointer, the middle button
drags the photograph.
EOF
  exec build/bin/ravelin "$acquisition" "$out/rock-face-scanline.spg" "$out/rock-face-estimates.rtf" "$@"
fi

example=examples/north-face-intersections.spg
echo "No display: running the example pipelines headless."
echo
road
"$cli" acquisition "$acquisition" --sample --estimate
echo
"$cli" histogram "$out/rock-face-scanline.spg" --laws exp,lognormal
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
