# Settings store, text scrambler and the main window's placement.
target_sources(morvek_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IniDocument.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IniText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Scrambler.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Placement.cpp
)
