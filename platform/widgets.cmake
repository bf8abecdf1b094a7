# Widget set: image button, back panel, labels, image, check box, balloon hint.
target_include_directories(morvek_platform PUBLIC ${CMAKE_CURRENT_LIST_DIR}/widgets)
target_sources(morvek_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/widgets/TransparentImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/LMDMMButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/ImageButtonAccessible.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/LMDBackPanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/LMDSimpleLabel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/LMDLImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/LMDLabel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/LMDCheckBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/LMDHintWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/widgets/LMDShapeHint.cpp
)

# A picture of the widget set for eyeballing: widgets_demo <out.png>
add_executable(widgets_demo EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/widgets/WidgetsDemo.cpp)
target_link_libraries(widgets_demo PRIVATE morvek_platform)
