# The application object and its general error report; where the game's files are and how the
# desktop knows it.
target_sources(morvek_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Application.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Installation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QuitSignals.cpp
)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/Installation.cpp PROPERTIES
  COMPILE_DEFINITIONS "MORVEK_DATA_FROM_PROGRAM=\"${MORVEK_DATA_FROM_PROGRAM}\";MORVEK_APP_ID=\"${MORVEK_APP_ID}\"")
# The window icon in every size the window system may ask for.
set(morvek_icon_files)
foreach(size ${MORVEK_ICON_SIZES})
  list(APPEND morvek_icon_files ${PROJECT_SOURCE_DIR}/assets/icons/morvek-${size}.png)
endforeach()
qt_add_resources(morvek_platform morvek_icons
  PREFIX "/icons"
  BASE ${PROJECT_SOURCE_DIR}/assets/icons
  FILES ${morvek_icon_files})
