# Tool bar tests.
morvek_add_test(NAME test_counters SOURCES ${CMAKE_CURRENT_LIST_DIR}/CountersTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ToolBarPainterTest.cpp LINK morvek_view)
