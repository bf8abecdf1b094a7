# The main window and the windows' creation order.
target_sources(morvek_mainwin PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/GameWindows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyCommands.cpp
)
