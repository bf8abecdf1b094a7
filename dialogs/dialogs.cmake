# The message dialog, the best list, the options, the language question, the information.
target_sources(morvek_dialogs PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Messages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainTexts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AccessibleTexts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HighscoreList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DialogKit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/YesNo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/highscor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Options.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Tongdlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InfoDlg.cpp
)
