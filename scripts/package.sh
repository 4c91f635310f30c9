#!/usr/bin/env bash
# Builds the Debian package from build/, unpacks it into a scratch root and
# runs the command line from there: the package holds a working program.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${RAVELIN_BUILD_DIR:-build}
(cd "$build" && cpack -G DEB >/dev/null)
package=$(ls -t "$build"/ravelin_*.deb | head -1)
scratch=$(mktemp -d); trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$package" "$scratch"
version=$("$scratch/usr/bin/ravelin-cli" --version)
"$scratch/usr/bin/ravelin-cli" histogram "$scratch/usr/share/ravelin/examples/road-cut-spacings.spg" \
  --png "$scratch/chart.png" >/dev/null
echo "Package $(basename "$package"): $version, pictures through its own module."
dpkg-deb -f "$package" Package Version Depends
