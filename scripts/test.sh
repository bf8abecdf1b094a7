#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Morvek and runs every test, headless (offscreen Qt, dummy SDL audio device).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh "$@"
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
ctest --test-dir build --output-on-failure -j"$(nproc)"
