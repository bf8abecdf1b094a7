# The pictures and effect sounds are compiled into the program as Qt resources (":/dlgs/0.png",
# ":/waves/5.wav", ...); the music files lie beside the program in the build folder and in the data folder when installed.

# The main window's pictures are all on its first frame. They are stored as raw pixels, without
# compression (":/bmps/0.raw", ...): they need no decoding and are read straight from the
# program's mapped file, where only the pages actually drawn from are ever loaded. The other lists
# stay PNG, decoded when a dialog first shows them.
set(morvek_raw_files)
foreach(n RANGE 16)
  set(raw ${CMAKE_CURRENT_BINARY_DIR}/raw/bmps/${n}.raw)
  add_custom_command(OUTPUT ${raw}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/raw/bmps
    COMMAND morvek_rawimage ${CMAKE_CURRENT_LIST_DIR}/bmps/${n}.png ${raw}
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/bmps/${n}.png morvek_rawimage
    COMMENT "Raw pixels of bmps/${n}.png")
  list(APPEND morvek_raw_files ${raw})
endforeach()

set(MORVEK_IMAGE_LISTS dlgs 28 opts 16 btns 9)
set(morvek_asset_files)
while(MORVEK_IMAGE_LISTS)
  list(POP_FRONT MORVEK_IMAGE_LISTS list_name list_count)
  math(EXPR last "${list_count} - 1")
  foreach(n RANGE ${last})
    list(APPEND morvek_asset_files ${list_name}/${n}.png)
  endforeach()
endwhile()
list(APPEND morvek_asset_files waves/5.wav waves/21.wav waves/22.wav waves/23.wav)

# A static library carrying only resources: Qt links its resource objects into every program
# that links the library, so they register themselves without Q_INIT_RESOURCE.
add_library(morvek_assets STATIC ${CMAKE_CURRENT_LIST_DIR}/Assets.cpp)
target_link_libraries(morvek_assets PUBLIC Qt6::Core)
qt_add_resources(morvek_assets morvek_assets
  PREFIX "/"
  BASE ${CMAKE_CURRENT_LIST_DIR}
  FILES ${morvek_asset_files})
qt_add_resources(morvek_assets morvek_raw_images
  PREFIX "/"
  BASE ${CMAKE_CURRENT_BINARY_DIR}/raw
  FILES ${morvek_raw_files}
  OPTIONS --no-compress)
list(TRANSFORM morvek_asset_files PREPEND ${CMAKE_CURRENT_LIST_DIR}/)

set(MORVEK_MUSIC_FILES
  ${CMAKE_CURRENT_LIST_DIR}/music/greensleeves.mid
  ${CMAKE_CURRENT_LIST_DIR}/music/minuet.mid
  ${CMAKE_CURRENT_LIST_DIR}/music/ode.mid)
set(morvek_music_copies)
foreach(f ${MORVEK_MUSIC_FILES})
  get_filename_component(name ${f} NAME)
  add_custom_command(OUTPUT ${MORVEK_RUNTIME_DIR}/${name}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${f} ${MORVEK_RUNTIME_DIR}/${name}
    DEPENDS ${f}
    COMMENT "Copying ${name} beside the program")
  list(APPEND morvek_music_copies ${MORVEK_RUNTIME_DIR}/${name})
endforeach()
add_custom_target(morvek_music ALL DEPENDS ${morvek_music_copies})
add_dependencies(morvek_assets morvek_music)
install(FILES ${MORVEK_MUSIC_FILES} DESTINATION ${MORVEK_DATA_DIR})
