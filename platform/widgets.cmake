# Widget set: image button, back panel, labels, image, check box, balloon hint.
target_include_directories(morvek_platform PUBLIC ${CMAKE_CURRENT_LIST_DIR}/widgets)
target_sources(morvek_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/widgets/TransparentImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/ImageButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/ImageButtonAccessible.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/BackPanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/TextLabel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/ListImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/RotatedLabel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/TransparentCheckBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/HintBalloonWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/HintBalloon.cpp
)

# A picture of the widget set for eyeballing: widgets_demo <out.png>
add_executable(widgets_demo EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/widgets/WidgetsDemo.cpp)
target_link_libraries(widgets_demo PRIVATE morvek_platform)
