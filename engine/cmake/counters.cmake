# Placement counts of groups and participants for one build, check or
# rostering run, with the groups' run counts and the save and restore of a
# trial.
list(APPEND ENGINE_SOURCES SelCounters.cpp)

rvx_add_model_test(NAME engine_counters_tests
  SOURCES tests/SelCountersTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS engine)
