# The application object and its general error report.
target_sources(morvek_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Application.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QuitSignals.cpp
)
