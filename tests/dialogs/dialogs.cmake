# dialogs tests
morvek_add_test(NAME test_dialogs QT
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/HighscoreListTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainTextsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/YesNoTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HighscoreDlgTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OptionsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ShotsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/InfoDlgTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DialogKeysTest.cpp
  LINK morvek_dialogs)
