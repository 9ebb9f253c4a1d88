# Release numbers, registry access, names, addresses and the timeslot values.
list(APPEND ZELKIT_CORE_SOURCES values/ZelRelease.cpp values/ZelName.cpp values/ZelAddress.cpp values/ZelRegistry.cpp values/ZelTimeslot.cpp values/ZelTimeslotCombination.cpp)

rvx_add_test(NAME zelkit_values_tests SOURCES tests/ReleaseRegistryTest.cpp tests/NameAddressTest.cpp tests/CombinationTest.cpp tests/TimeslotTest.cpp LIBS zelkit framework)
