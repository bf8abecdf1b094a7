#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, then configures and builds all of Morvek (game, tests, benchmarks)
# into ./build. Arguments go to the configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh all
extra=()
[ "${CI:-}" = "true" ] && extra+=(-DMORVEK_WERROR=ON)
cmake -S . -B build -G Ninja -DBUILD_TESTING=ON "${extra[@]}" "$@" >/dev/null
cmake --build build -j"$(nproc)"
