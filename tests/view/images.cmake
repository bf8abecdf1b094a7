# The compiled-in image set, effect sounds and the music beside the program.
morvek_add_test(NAME test_images
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ImagesTest.cpp
  LINK morvek_view
  QT)
