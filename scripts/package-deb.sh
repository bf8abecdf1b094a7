#!/usr/bin/env bash
# Builds the Debian package build-deb/morvek_<version>_<arch>.deb: the game alone, configured for
# /usr with the program in /usr/games and its data in /usr/share/morvek, in a build folder of its
# own (the everyday build/ keeps its prefix). Prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh package
extra=()
[ "${CI:-}" = "true" ] && extra+=(-DMORVEK_WERROR=ON)
cmake -S . -B build-deb -G Ninja -DBUILD_TESTING=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games "${extra[@]}" "$@" >/dev/null
cmake --build build-deb -j"$(nproc)"
rm -f build-deb/morvek_*.deb
(cd build-deb && cpack -G DEB >/dev/null)
ls build-deb/morvek_*.deb
