#!/usr/bin/env bash
# Installs what the measuring scripts need besides the game's own packages: the X server, Python
# and sgt-puzzles, whose "pattern" is the peer the figures are compared with.
# Idempotent; without the rights to install, it says what is missing and the measuring goes on.
set -euo pipefail

PACKAGES=(xvfb python3 sgt-puzzles)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  if sudo -n true 2>/dev/null; then SUDO="sudo"; else
    echo "measure: not installed: ${missing[*]} (apt-get install them for the comparison)" >&2
    exit 0
  fi
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
