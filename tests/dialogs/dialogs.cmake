# dialogs tests
morvek_add_test(NAME test_dialogs QT
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/HighscoreListTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainTextsTest.cpp
  LINK morvek_dialogs)
