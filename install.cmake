# Installing the game: program, rules file and music side by side, a launcher, a menu entry.
# assets/assets.cmake installs the music and platform/help.cmake the rules file into the same
# folder; the pictures and effect sounds are inside the program as Qt resources.
install(TARGETS morvek RUNTIME DESTINATION ${MORVEK_INSTALL_DIR})

# The launcher on the PATH finds the program relative to its own place, so a tree installed with
# --prefix or DESTDIR, or moved afterwards, still starts; only absolute folders are fixed here.
if(IS_ABSOLUTE "${MORVEK_INSTALL_DIR}")
  set(MORVEK_PROGRAM "${MORVEK_INSTALL_DIR}/morvek")
elseif(IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}")
  set(MORVEK_PROGRAM "${CMAKE_INSTALL_PREFIX}/${MORVEK_INSTALL_DIR}/morvek")
else()
  file(RELATIVE_PATH morvek_bin_to_program
    "/prefix/${CMAKE_INSTALL_BINDIR}" "/prefix/${MORVEK_INSTALL_DIR}/morvek")
  set(MORVEK_PROGRAM "\$here/${morvek_bin_to_program}")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/packaging/morvek.sh.in
  ${CMAKE_CURRENT_BINARY_DIR}/packaging/morvek @ONLY)
install(PROGRAMS ${CMAKE_CURRENT_BINARY_DIR}/packaging/morvek DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${CMAKE_CURRENT_LIST_DIR}/packaging/morvek.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 48 256)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/packaging/morvek-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME morvek.png)
endforeach()
