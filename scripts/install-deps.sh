#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run.
# Safe to run twice; returns at once when everything is already there.
set -euo pipefail

PACKAGES=(
  # toolchain
  build-essential cmake ninja-build clang-format pkg-config git
  # logic libraries
  libcurl4-openssl-dev libboost-regex-dev libicu-dev libgumbo-dev
  libcpp-httplib-dev nlohmann-json3-dev libssl-dev
  # demo site: poster encoding (libjpeg, zlib); its tests decode them with libjpeg and libpng
  libjpeg62-turbo-dev zlib1g-dev libpng-dev
  # desktop program
  qt6-base-dev qt6-webengine-dev qt6-webengine-dev-tools libqt6svg6-dev qt6-image-formats-plugins
  libgl-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # running the GUI headless, screenshots, a CJK font
  xvfb xauth imagemagick fonts-wqy-microhei
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
