# Settings store, text scrambler and the main window's placement.
target_sources(morvek_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/SettingsStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IniDocument.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IniText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextScrambler.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowPlacement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/X11Window.cpp
)
# The window manager's frame and input shapes on X11; without the libraries those calls do
# nothing.
pkg_check_modules(XCB_SHAPE IMPORTED_TARGET xcb xcb-shape)
if(XCB_SHAPE_FOUND)
  target_compile_definitions(morvek_platform PRIVATE MORVEK_HAVE_XCB)
  target_link_libraries(morvek_platform PRIVATE PkgConfig::XCB_SHAPE)
endif()
