#!/usr/bin/env bash
# Takes the picture of the main window in README.md: the desktop program under
# Xvfb with the example datasheet open and its histogram plotted beside it.
#   scripts/screenshot.sh [OUT.png]     (default docs/main-window.png)
# Needs xvfb-run (Debian's xvfb) and a build (scripts/build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bin=${RAVELIN_BIN:-build/bin}
out=$(realpath -m "${1:-docs/main-window.png}")
command -v xvfb-run >/dev/null || { echo "needs xvfb-run (apt-get install xvfb)"; exit 2; }
# A fresh settings folder: the picture shows the program as first started, not this machine's last session.
config=$(mktemp -d); trap 'rm -rf "$config"' EXIT
XDG_CONFIG_HOME=$config xvfb-run -a -s '-screen 0 1600x1000x24' \
  "$bin/ravelin" examples/road-cut-spacings.spg --screenshot "$out"
[ -s "$out" ] || { echo "no picture written"; exit 1; }
echo "$out: $(( $(stat -c %s "$out") / 1024 )) KB"
