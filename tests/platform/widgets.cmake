# widgets tests
morvek_add_test(NAME test_widgets QT
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/WidgetsTest.cpp
  LINK morvek_platform)
