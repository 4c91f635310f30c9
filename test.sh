#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
#   ./test.sh [CTEST ARGS]             the normal build, in build/
#   ./test.sh --sanitize [CTEST ARGS]  everything built with AddressSanitizer and
#                                      UndefinedBehaviorSanitizer, in build-sanitize/
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
if [ "${1:-}" = "--sanitize" ]; then
  shift
  # The sanitizers' settings also reach the test discovery that runs while building.
  source scripts/sanitizer-env.sh
  # -O1 -g1: quicker to build than the normal flags, and enough for exact stack traces.
  RAVELIN_BUILD_DIR=build-sanitize scripts/build.sh -DRAVELIN_SANITIZE=ON -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1"
  cd build-sanitize
else
  scripts/build.sh
  cd build
fi
export QT_QPA_PLATFORM=offscreen
ctest --output-on-failure -j "$(nproc)" "$@"
