# Window services, the log stream, font text and the clock, and the text
# forms of window and printer records.
list(APPEND ZELKIT_CORE_SOURCES ZelWindowServices.cpp ZelLogger.cpp)
list(APPEND ZELKIT_UI_SOURCES ui/ZelWindowServicesWx.cpp)

rvx_add_test(NAME zelkit_windows_tests
  SOURCES tests/WindowServicesTest.cpp tests/LoggerTest.cpp
  LIBS zelkit framework)
rvx_add_test(NAME zelkit_windows_ui_tests
  SOURCES tests/WindowServicesWxTest.cpp
  LIBS zelkit framework WX)
