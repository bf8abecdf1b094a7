# settings tests
morvek_add_test(NAME test_settings
  SOURCES SettingsTest.cpp SettingsDamageTest.cpp TextScramblerTest.cpp WindowPlacementTest.cpp
  LINK morvek_platform QT)
# The general error report needs a Application as the application object: own main().
morvek_add_test(NAME test_application SOURCES ApplicationTest.cpp LINK morvek_platform Qt6::Test)
# Its tests throw through Qt's event delivery on purpose; Qt is not built for that and leaks the
# event's data on the way, which is not this program's leak.
set_tests_properties(test_application PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SDL_AUDIODRIVER=dummy;LSAN_OPTIONS=detect_leaks=0")
# Random damage to a settings file, seeded: a few seconds, also under the sanitizers.
morvek_add_test(NAME test_settings_fuzz SOURCES SettingsFuzzTest.cpp LINK morvek_platform QT)

# A libFuzzer target for the settings reader and the best-list decoder (clang only, not in CI):
# cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DMORVEK_FUZZ=ON
# cmake --build build-fuzz --target fuzz_settings && build-fuzz/bin/fuzz_settings -max_total_time=60
option(MORVEK_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
if(MORVEK_FUZZ)
  add_executable(fuzz_settings SettingsFuzzer.cpp
    ${PROJECT_SOURCE_DIR}/platform/IniText.cpp ${PROJECT_SOURCE_DIR}/platform/IniDocument.cpp
    ${PROJECT_SOURCE_DIR}/platform/Scrambler.cpp ${PROJECT_SOURCE_DIR}/dialogs/HighscoreList.cpp)
  target_include_directories(fuzz_settings PRIVATE
    ${PROJECT_SOURCE_DIR}/platform ${PROJECT_SOURCE_DIR}/dialogs)
  target_compile_options(fuzz_settings PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(fuzz_settings PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(fuzz_settings PRIVATE Qt6::Core)
endif()
