# Release numbers, registry access, names, addresses and the timeslot values.
list(APPEND ZELKIT_CORE_SOURCES ZelRelease.cpp ZelName.cpp ZelAddress.cpp ZelRegistry.cpp ZelTimeslot.cpp ZelTimeslotCombination.cpp)

rvx_add_test(NAME zelkit_values_tests SOURCES tests/ReleaseRegistryTest.cpp tests/NameAddressTest.cpp tests/CombinationTest.cpp tests/TimeslotTest.cpp LIBS zelkit framework)
