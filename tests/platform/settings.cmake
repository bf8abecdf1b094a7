# settings tests
morvek_add_test(NAME test_settings
  SOURCES SettingsTest.cpp ScramblerTest.cpp PlacementTest.cpp
  LINK morvek_platform QT)
# The general error report needs a TApplication as the application object: own main().
morvek_add_test(NAME test_application SOURCES ApplicationTest.cpp LINK morvek_platform Qt6::Test)
