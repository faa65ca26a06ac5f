#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs (only those missing),
# then configures and builds everything into build/ (g++, the main build).
# Compiles go through ccache when it is installed, so that a second run, or
# the second build of the test command, recompiles only what changed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  build-essential cmake pkg-config ccache
  qt6-base-dev libgl-dev fonts-liberation
  libgtest-dev libgmock-dev libbenchmark-dev
  libgdal-dev gdal-bin
  libtiff-dev libgeotiff-dev
  cups libcups2-dev printer-driver-cups-pdf poppler-utils
  clang libclang-rt-14-dev
  xvfb openbox xdotool x11-utils
  help2man
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # Cache hits across checkouts and build directories.
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
fi
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}"
cmake --build "$root/build" -j "$(nproc)"
