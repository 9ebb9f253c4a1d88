# The sort state of report lists (keys and their archive form).
list(APPEND ZELKIT_CORE_SOURCES lists/ZelListSort.cpp)

rvx_add_test(NAME zelkit_lists_tests SOURCES tests/ListSortTest.cpp LIBS zelkit framework)
