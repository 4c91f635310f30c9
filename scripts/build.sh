#!/usr/bin/env bash
# Configures (once) and builds Ravelin incrementally into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${RAVELIN_BUILD_DIR:-build}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRAVELIN_WERROR=ON "$@"
fi
cmake --build "$build" -j "$(nproc)"
