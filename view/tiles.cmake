# Tile drawing and the blocking delay.
target_sources(morvek_view PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Delay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TilesDrawings.cpp
)
