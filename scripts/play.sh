#!/usr/bin/env bash
# Builds Morvek if needed and starts the game. Arguments go to the game (e.g. --seed 42).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "morvek: no display found (DISPLAY is not set); run it under Xvfb: xvfb-run -a scripts/play.sh" >&2
  exit 1
fi
bash scripts/build.sh
exec build/bin/morvek "$@"
