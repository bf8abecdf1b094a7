#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the game alone if needed and starts it. Arguments go to the game (e.g. --seed 42).
# Installs only what the game needs; the tests and their tools come with scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "morvek: no display found (DISPLAY is not set); run it under Xvfb: xvfb-run -a scripts/play.sh" >&2
  exit 1
fi
bash scripts/install-deps.sh game
# A build folder that scripts/test.sh set up keeps its tests; a new one is for the game only.
if [ ! -f build/CMakeCache.txt ]; then
  cmake -S . -B build -G Ninja -DBUILD_TESTING=OFF >/dev/null
fi
cmake --build build -j"$(nproc)" --target morvek
exec build/bin/morvek "$@"
