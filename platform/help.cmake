# Help: the built-in rules viewer, the help hook, the debug log, and the rules file itself.
target_sources(morvek_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/help/AppHelp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/help/DebugLog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/help/HelpViewer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/help/HtmlScan.cpp
  ${CMAKE_CURRENT_LIST_DIR}/help/HelpControl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/help/HelpSystem.cpp
)
target_include_directories(morvek_platform PUBLIC ${CMAKE_CURRENT_LIST_DIR}/help)

# The rules file lies beside the program in the build folder; installed, in the data folder.
set(MORVEK_RULES_FILE ${PROJECT_SOURCE_DIR}/assets/help/mrvk.html)
configure_file(${MORVEK_RULES_FILE} ${MORVEK_RUNTIME_DIR}/mrvk.html COPYONLY)
install(FILES ${MORVEK_RULES_FILE} DESTINATION ${MORVEK_DATA_DIR})
