#!/usr/bin/env bash
# Installs every Debian package that building, testing and looking at Tabulon and libGravik
# need, and the packages named as arguments (tools of other scripts). Safe to run any number of
# times: packages already present are left alone.
set -euo pipefail

packages=(
  g++ cmake ninja-build ccache pkg-config git
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libpugixml-dev zlib1g-dev libxapian-dev
  libsodium-dev libssl-dev libzip-dev zip
  libgtest-dev libgmock-dev libbenchmark-dev
  libxml2-utils openssl locales help2man
  fonts-liberation2 fonts-dejavu-core fonts-dejavu-extra
  xvfb xauth xdotool imagemagick
  clang-14 libclang-rt-14-dev
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -q
  $sudo_cmd apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
