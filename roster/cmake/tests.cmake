# Tests of the rostering engine over small events made with the event
# builder, and over generated ones.
rvx_add_model_test(NAME roster_tests
  SOURCES tests/RosterBed.cpp tests/RosterMoveTest.cpp tests/RosterSearchTest.cpp tests/RosterEngineTest.cpp tests/RosterRunTest.cpp tests/RosterDriverTest.cpp
          ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp ${PROJECT_SOURCE_DIR}/generators/SampleEvents.cpp
  LIBS roster bench_events)
