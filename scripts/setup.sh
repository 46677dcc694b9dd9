#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, then configures and builds
# into build/. Quick when everything is already there.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake ninja-build pkg-config g++ clang libclang-rt-14-dev clang-format-14
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libx11-dev qt6-base-dev libcurl4-openssl-dev libcpp-httplib-dev libsqlite3-dev libpq-dev postgresql
  libfreetype-dev libfontconfig-dev fonts-liberation2 fonts-urw-base35
  libjpeg62-turbo-dev libpng-dev libmpg123-dev libmp3lame-dev libcairo2-dev libpixman-1-dev
  xvfb xauth x11-utils xdotool imagemagick openbox
  libwayland-dev qt6-wayland libdecor-0-plugin-1-cairo weston libweston-10-dev
  desktop-file-utils appstream python3-aiosmtpd curl
  dpkg-dev file fakeroot lintian man-db systemd
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build
