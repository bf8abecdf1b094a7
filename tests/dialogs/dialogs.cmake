# dialogs tests
morvek_add_test(NAME test_dialogs QT
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/BestListTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainTextsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MessageDialogTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BestListDialogTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OptionsDialogTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ShotsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/InfoDialogTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DialogKeysTest.cpp
  LINK morvek_dialogs)
