# The message dialog, the best list, the options, the language question, the information.
target_sources(morvek_dialogs PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Messages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainTexts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AccessibleTexts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BestList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DialogKit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MessageDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BestListDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OptionsDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LanguageDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InfoDialog.cpp
)
