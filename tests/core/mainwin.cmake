# main window tests: the game's flow and rules through the real window on the offscreen platform
morvek_add_test(NAME test_mainwin SOURCES ${CMAKE_CURRENT_LIST_DIR}/MainWindowTest.cpp
  LINK morvek_mainwin QT)
