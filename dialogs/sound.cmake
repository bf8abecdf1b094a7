# Sound effects and background music on SDL2_mixer.
target_sources(morvek_dialogs PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Audio.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SoundPlayer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MusicPlayer.cpp
)
