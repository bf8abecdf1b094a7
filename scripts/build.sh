#!/usr/bin/env bash
# Installs what is missing, then configures and builds Morvek into ./build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
extra=()
[ "${CI:-}" = "true" ] && extra+=(-DMORVEK_WERROR=ON)
cmake -S . -B build -G Ninja "${extra[@]}" "$@" >/dev/null
cmake --build build -j"$(nproc)"
