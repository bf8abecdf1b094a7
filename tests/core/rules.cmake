# rules tests
morvek_add_test(NAME test_rules SOURCES ${CMAKE_CURRENT_LIST_DIR}/BoardRulesTest.cpp LINK morvek_logic)
morvek_add_test(NAME test_solver SOURCES ${CMAKE_CURRENT_LIST_DIR}/SolverTest.cpp LINK morvek_logic)
