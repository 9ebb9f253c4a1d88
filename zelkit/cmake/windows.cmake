# Window services, the log stream, font text and the clock, and the text
# forms of window and printer records.
list(APPEND ZELKIT_CORE_SOURCES windows/ZelWindowServices.cpp windows/ZelLogger.cpp windows/ZelLogFont.cpp windows/ZelRecordText.cpp)
list(APPEND ZELKIT_UI_SOURCES windows/ui/ZelWindowServicesWx.cpp windows/ui/ZelFont.cpp windows/ui/ZelClock.cpp)

rvx_add_test(NAME zelkit_windows_tests
  SOURCES tests/WindowServicesTest.cpp tests/LoggerTest.cpp tests/FontTextTest.cpp tests/RecordTextTest.cpp
  LIBS zelkit framework)
rvx_add_test(NAME zelkit_windows_ui_tests
  SOURCES tests/WindowServicesWxTest.cpp tests/FontClockTest.cpp
  LIBS zelkit framework WX)
