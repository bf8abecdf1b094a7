# SPDX-License-Identifier: MIT
# The Debian package (scripts/package-deb.sh): configured for /usr with the program in games.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morvek)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Morvek developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "logic puzzle: uncover a hidden picture from the numbers beside it")
# The long description; CPack puts the summary above it and indents every line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Each level is a hidden picture on a board of cells, filled or empty, with the
lengths of the runs of filled cells written beside every row and above every
column. Every move is judged at once. Nine board sizes, a best list for each
size, German and English, sound effects, background music and the rules in a
help viewer.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${MORVEK_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${MORVEK_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # morvek_1.0_<arch>.deb
# The libraries (Qt 6 Widgets, SDL2_mixer, ...) come from dpkg-shlibdeps, with their versions;
# what the program only opens at run time is named here: SDL2_mixer (loaded at the first sound),
# SDL (loaded for the music where no sound server answers; it depends on the sound server's client
# library, libpulse0, which the music opens on a desktop), the SoundFont for the music, "Arial"
# (Liberation Sans) and the sans serif of the tool bar captions and counters.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libsdl2-mixer-2.0-0, libsdl2-2.0-0, timgm6mb-soundfont | fluid-soundfont-gm, fonts-liberation, fonts-dejavu-core")
# The debug information, detached from the program (which keeps its build id and is stripped
# then), goes into morvek-dbgsym: /usr/lib/debug/.build-id/xx/yyyy.debug, so that a player's crash
# report can be read.
set(CPACK_STRIP_FILES OFF)
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_MORVEK_SOURCE_DIR ${PROJECT_SOURCE_DIR}) # CPack hands on only CPACK_ variables
set(CPACK_MORVEK_RELEASE_DATE "Thu, 10 Dec 2026 12:00:00 +0000") # of the changelog entry
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/deb-staging.cmake)
include(CPack)
