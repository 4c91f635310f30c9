#!/usr/bin/env bash
# Builds the core and ravelin-cli with clang, warnings as errors, into
# build-clang/: the code must stay clean for both compilers the platforms use;
# then checks that the sources keep the .clang-format layout.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --clang
build=${RAVELIN_CLANG_BUILD_DIR:-build-clang}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DRAVELIN_WERROR=ON -DRAVELIN_BUILD_UI=OFF -DRAVELIN_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target ravelin-cli -j "$(nproc)"
"$build/bin/ravelin-cli" --version
# The sources keep the .clang-format layout (also a ctest wherever clang-format 14 is installed).
cmake -DROOT="$PWD" -DCLANG_FORMAT="$(command -v clang-format-14 || command -v clang-format)" \
  -P tests/code_layout/check_format.cmake
echo "sources in the .clang-format layout"
