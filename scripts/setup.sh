#!/usr/bin/env bash
# Installs the Debian 12 packages Tessavrant needs when they are missing (apt-get needs root),
# then configures and builds into the folder given as $1 (default: build).
# Further arguments are passed to cmake.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
shift || true

packages=(build-essential cmake qtbase5-dev qtbase5-dev-tools libqt5svg5-dev clang-format libbenchmark-dev
  desktop-file-utils appstream libxml2-utils dpkg-dev libzip-dev pkg-config clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "apt-get needs root: run this script as root (or with sudo) to install them." >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$build" -j"$(nproc)"
