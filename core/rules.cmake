# The rules of play (no Qt).
target_sources(morvek_logic PRIVATE ${CMAKE_CURRENT_LIST_DIR}/BoardRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LineSolver.cpp ${CMAKE_CURRENT_LIST_DIR}/PictureSearch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FairJudge.cpp)
