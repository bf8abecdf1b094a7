# The image set: the main window's list and the shared picture module, from compiled-in resources.
target_sources(morvek_view PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ImageSet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DialogImages.cpp
)
target_link_libraries(morvek_view PUBLIC morvek_assets)
