# fair judging: time per judged claim and searches that gave up, over whole games.
add_executable(bench_fair ${CMAKE_CURRENT_LIST_DIR}/FairBench.cpp)
target_link_libraries(bench_fair PRIVATE morvek_logic benchmark::benchmark)
