# The tool bar and its counters.
target_sources(morvek_view PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Counters.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ToolBarPainter.cpp
)
