# help tests: the hook and its log, the error reports, the debug log, the rules viewer.
morvek_add_test(NAME test_help
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/HelpTest.cpp ${CMAKE_CURRENT_LIST_DIR}/HelpViewerTest.cpp
  LINK morvek_platform QT)
