# SPDX-License-Identifier: MIT
# Installing the game: the program on the PATH, its rules file and music in the data folder
# (assets/CMakeLists.txt and platform/CMakeLists.txt install those), the menu entry, the icons,
# the metainfo for software centres, the manual page and the licences.
install(TARGETS morvek RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(morvek_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/morvek)
configure_file(${CMAKE_CURRENT_LIST_DIR}/packaging/morvek.desktop.in
  ${CMAKE_CURRENT_BINARY_DIR}/packaging/${MORVEK_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/packaging/morvek.metainfo.xml.in
  ${CMAKE_CURRENT_BINARY_DIR}/packaging/${MORVEK_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/${MORVEK_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/${MORVEK_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size ${MORVEK_ICON_SIZES})
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/assets/icons/morvek-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME ${MORVEK_APP_ID}.png)
endforeach()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/assets/icons/morvek.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
  RENAME ${MORVEK_APP_ID}.svg)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/packaging/morvek.6
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/LICENSE ${CMAKE_CURRENT_LIST_DIR}/assets/LICENSES.md
  DESTINATION ${morvek_doc_dir})

# Uninstalling. cmake --install writes its manifest for staged installs (DESTDIR) too, with bare
# paths such as /usr/games/morvek, so it cannot tell what lies on this machine. The game keeps a
# record of its own, written last by every install that is not staged, and only that record is
# uninstalled: files a staged install copied elsewhere, or that this build never installed, are
# never touched.
set(MORVEK_INSTALL_RECORD ${CMAKE_BINARY_DIR}/morvek-installed.txt)
install(CODE "
  set(morvek_record \"${MORVEK_INSTALL_RECORD}\")
  set(morvek_own_dirs \"\${CMAKE_INSTALL_PREFIX}/${MORVEK_DATA_DIR};\${CMAKE_INSTALL_PREFIX}/${morvek_doc_dir};\${morvek_created_dirs}\")
  include(\"${CMAKE_CURRENT_LIST_DIR}/packaging/record-install.cmake\")
")
add_custom_target(uninstall
  COMMAND ${CMAKE_COMMAND} -DMORVEK_RECORD=${MORVEK_INSTALL_RECORD}
    -P ${CMAKE_CURRENT_LIST_DIR}/packaging/uninstall.cmake
  COMMENT "Removing the files of the last install from this build folder"
  VERBATIM)

include(${CMAKE_CURRENT_LIST_DIR}/packaging/cpack.cmake)
