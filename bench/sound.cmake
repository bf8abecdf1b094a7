# sound benchmarks: latency of the first sound of a run and of a sound after the device rested.
add_executable(bench_sound ${CMAKE_CURRENT_LIST_DIR}/SoundBench.cpp)
target_link_libraries(bench_sound PRIVATE morvek_dialogs benchmark::benchmark)
