# tiles tests: the canvas layer, the tile routines and the delay.
morvek_add_test(NAME test_tiles SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CanvasTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TilesDrawingsTest.cpp
  LINK morvek_view QT)
