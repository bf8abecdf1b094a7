# Sound effects and background music on SDL2_mixer.
target_sources(morvek_dialogs PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Audio.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Sound.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Music.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MixerLibrary.cpp
)
# The mixer is opened with dlopen at the first sound, not linked: only its headers are used here.
target_include_directories(morvek_dialogs PUBLIC
  $<TARGET_PROPERTY:PkgConfig::SDL2_MIXER,INTERFACE_INCLUDE_DIRECTORIES>)
target_link_libraries(morvek_dialogs PUBLIC ${CMAKE_DL_LIBS})
