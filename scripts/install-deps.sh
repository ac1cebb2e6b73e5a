#!/usr/bin/env bash
# Installs the Debian packages Tarvex needs to build, test and run, when any is missing.
set -euo pipefail

packages=(
  cmake ninja-build pkg-config g++ make libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev qt6-base-dev qt6-svg-dev qt6-image-formats-plugins
  xvfb xauth x11-utils x11-xserver-utils xdotool openbox imagemagick
  fonts-dejavu-core fonts-liberation2 fonts-wine
  g++-mingw-w64-x86-64-posix wine64 wine unzip
  clang-14 libclang-rt-14-dev clang-format-14
  libxcb1-dev appstream desktop-file-utils
  build-essential debhelper dpkg-dev fakeroot lintian
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
  -o DPkg::Lock::Timeout=120 "${missing[@]}"
