# Date-times and spans in 100 ns ticks, and the date helpers with their
# name tables.
list(APPEND ZELKIT_CORE_SOURCES CHighTime.cpp)

rvx_add_test(NAME zelkit_datetime_tests SOURCES tests/HighTimeTest.cpp LIBS zelkit framework)
