# Canvas layer and bitmap lists.
target_sources(morvek_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/BitmapList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Canvas.cpp
)
