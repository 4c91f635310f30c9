#!/usr/bin/env bash
# Installs the Debian packages Ravelin needs to build, test and run, skipping
# those already installed. Runs apt-get as root, or through sudo.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-image-formats-plugins libgl-dev
  nlohmann-json3-dev libeigen3-dev libboost-math-dev libgtest-dev googletest
  fonts-liberation2 fonts-dejavu-core
  libemf2svg-dev libwmf-dev fonts-urw-base35  # libwmf cannot start without its fonts
  libx11-dev
  jq desktop-file-utils libxml2-utils
)
# Optional extras: pass --bench for the benchmark comparison, --display for Xvfb,
# --clang for the clang build, the format check and the fuzzers (libFuzzer is in the runtime package).
for arg in "$@"; do
  case "$arg" in
    --clang) packages+=(clang clang-format libclang-rt-dev) ;;
    --bench) packages+=(python3 python3-numpy time) ;;
    --display) packages+=(xvfb xauth) ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then sudo=""; elif command -v sudo >/dev/null; then sudo="sudo"; else
  echo "Missing packages (${missing[*]}) and neither root nor sudo available." >&2; exit 1
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
