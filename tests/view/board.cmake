# board tests: the paint box surface, layout, background, cell looks and clue panels.
morvek_add_test(NAME test_board SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/PaintBoxTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BoardPainterTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TiledBitmapTest.cpp
  LINK morvek_view QT)
