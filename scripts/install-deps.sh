#!/usr/bin/env bash
# Installs every Debian package that building, testing and playing Morvek needs.
# Idempotent: quiet and quick when everything is already there.
set -euo pipefail

PACKAGES=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev libgl-dev
  libsdl2-dev libsdl2-mixer-dev timgm6mb-soundfont
  fonts-liberation fonts-noto-color-emoji fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  libxcb1-dev libxcb-shape0-dev
  xvfb xdotool imagemagick x11-utils openbox python3
  clang-format
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
