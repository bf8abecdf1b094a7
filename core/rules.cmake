# The rules of play (no Qt).
target_sources(morvek_logic PRIVATE ${CMAKE_CURRENT_LIST_DIR}/Rules.cpp)
