#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages that Morvek needs.
#   scripts/install-deps.sh game   what building and playing the game needs
#   scripts/install-deps.sh package   the game's, plus what building its Debian package needs
#   scripts/install-deps.sh        everything: the game's, plus the tests', benchmarks' and tools'
#   scripts/install-deps.sh measure   what the measuring scripts add: the X server, Python, a
#                                     D-Bus daemon, a sound server and sgt-puzzles, whose
#                                     "pattern" is the peer they compare with;
#                                     without the rights to install, it names what is missing and
#                                     succeeds, so the measuring goes on without the peer
# Idempotent: quiet and quick when everything is already there.
set -euo pipefail

GAME_PACKAGES=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev libgl-dev
  libsdl2-dev libsdl2-mixer-dev libpulse-dev timgm6mb-soundfont
  libxcb1-dev libxcb-shape0-dev
  fonts-liberation fonts-dejavu-core
)
TEST_PACKAGES=(
  fonts-noto-color-emoji
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool imagemagick x11-utils openbox python3
  kwin-x11 kwin-style-breeze weston qt6-wayland pulseaudio pulseaudio-utils
  at-spi2-core libglib2.0-bin dbus-daemon
  clang-format
  appstream desktop-file-utils man-db
)
PACKAGE_PACKAGES=(dpkg-dev file binutils lintian devscripts)
MEASURE_PACKAGES=(xvfb python3 sgt-puzzles dbus-daemon pulseaudio)

case "${1:-all}" in
  game) PACKAGES=("${GAME_PACKAGES[@]}") ;;
  package) PACKAGES=("${GAME_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}") ;;
  measure) PACKAGES=("${MEASURE_PACKAGES[@]}") ;;
  all) PACKAGES=("${GAME_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}") ;;
  *) echo "usage: scripts/install-deps.sh [game|package|measure|all]" >&2; exit 2 ;;
esac

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null || ! sudo -n true 2>/dev/null; then
    # No root and no password-less sudo: say what an administrator must run, and stop at once
    # rather than wait at a password prompt.
    if [ "${1:-}" = measure ]; then
      echo "measure: not installed: ${missing[*]} (apt-get install them for the comparison)" >&2
      exit 0
    fi
    echo "Missing Debian packages. An administrator can install them with:" >&2
    echo "  apt-get install ${missing[*]}" >&2
    exit 1
  fi
  SUDO="sudo -n"
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
