# The generator of the game's pictures, sounds and music. Not part of the normal build:
#   cmake --build build --target morvek_artgen && build/bin/morvek_artgen assets
add_executable(morvek_artgen EXCLUDE_FROM_ALL
  ${CMAKE_CURRENT_LIST_DIR}/artgen/main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/artgen/Textures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/artgen/Faces.cpp
  ${CMAKE_CURRENT_LIST_DIR}/artgen/Lists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/artgen/Motifs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/artgen/Sounds.cpp
  ${CMAKE_CURRENT_LIST_DIR}/artgen/Music.cpp
  ${CMAKE_CURRENT_LIST_DIR}/artgen/Icon.cpp
)
target_link_libraries(morvek_artgen PRIVATE Qt6::Gui)

# Part of every build: turns the pictures needed for the first frame into raw pixels (assets/).
add_executable(morvek_rawimage ${CMAKE_CURRENT_LIST_DIR}/rawimage/main.cpp)
target_link_libraries(morvek_rawimage PRIVATE morvek_platform Qt6::Gui)
