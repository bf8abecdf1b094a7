# settings tests
morvek_add_test(NAME test_settings
  SOURCES SettingsTest.cpp SettingsDamageTest.cpp ScramblerTest.cpp PlacementTest.cpp
  LINK morvek_platform QT)
# The general error report needs a TApplication as the application object: own main().
morvek_add_test(NAME test_application SOURCES ApplicationTest.cpp LINK morvek_platform Qt6::Test)
# Its tests throw through Qt's event delivery on purpose; Qt is not built for that and leaks the
# event's data on the way, which is not this program's leak.
set_tests_properties(test_application PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SDL_AUDIODRIVER=dummy;LSAN_OPTIONS=detect_leaks=0")
# Random damage to a settings file, seeded: a few seconds, also under the sanitizers.
morvek_add_test(NAME test_settings_fuzz SOURCES SettingsFuzzTest.cpp LINK morvek_platform QT)
