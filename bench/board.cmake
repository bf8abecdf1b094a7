# board benchmarks: whole-board paint and single-cell drawing of the largest board.
add_executable(bench_board ${CMAKE_CURRENT_LIST_DIR}/BoardBench.cpp)
target_link_libraries(bench_board PRIVATE morvek_view benchmark::benchmark)
