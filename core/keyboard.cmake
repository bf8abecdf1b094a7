# Keyboard play: the board cursor and the moves made at it (no Qt).
target_sources(morvek_logic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/BoardCursor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyboardPlay.cpp
)
