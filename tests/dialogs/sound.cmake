# Sound effects and music on the real mixer (dummy audio driver), and without any device.
morvek_add_test(NAME test_sound QT
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/SoundTest.cpp ${CMAKE_CURRENT_LIST_DIR}/MusicTest.cpp
  LINK morvek_dialogs PkgConfig::SDL2_MIXER)
morvek_add_test(NAME test_sound_nodevice
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/NoDeviceTest.cpp
  LINK morvek_dialogs)
