#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package build-deb/morvek_<version>_<arch>.deb: the game alone, configured for
# /usr with the program in /usr/games and its data in /usr/share/morvek, in a build folder of its
# own (the everyday build/ keeps its prefix). Prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh package
extra=()
[ "${CI:-}" = "true" ] && extra+=(-DMORVEK_WERROR=ON)
# Debian's own build flags, every hardening included, and stack-clash and control-flow protection,
# which Debian's next release turns on by default. The build type adds only -DNDEBUG to them.
flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
cxxflags="$(flags CPPFLAGS) $(flags CXXFLAGS) -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=3"
cxxflags+=" -fstack-clash-protection -fcf-protection"
ldflags="$(flags LDFLAGS)"
cmake -S . -B build-deb -G Ninja -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-DNDEBUG" \
  -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games "${extra[@]}" "$@" >/dev/null
cmake --build build-deb -j"$(nproc)"
rm -f build-deb/morvek_*.deb build-deb/morvek-dbgsym_*.ddeb
(cd build-deb && cpack -G DEB >/dev/null)
ls build-deb/morvek_*.deb
