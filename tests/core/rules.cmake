# rules tests
morvek_add_test(NAME test_rules SOURCES ${CMAKE_CURRENT_LIST_DIR}/RulesTest.cpp LINK morvek_logic)
