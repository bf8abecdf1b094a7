# The message dialog, the best list, the options and the language question.
target_sources(morvek_dialogs PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Messages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainTexts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HighscoreList.cpp
)
