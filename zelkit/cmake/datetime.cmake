# Date-times and spans in 100 ns ticks, and the date helpers with their
# name tables.
list(APPEND ZELKIT_CORE_SOURCES datetime/CHighTime.cpp datetime/ZelOleDateTime.cpp)

rvx_add_test(NAME zelkit_datetime_tests SOURCES tests/HighTimeTest.cpp tests/DateHelpersTest.cpp
  LIBS zelkit framework)
