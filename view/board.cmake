# Board painting: the paint box surface and the board painter.
target_sources(morvek_view PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/PaintBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BoardPainter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CursorOverlay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TiledBitmap.cpp
)
