# Tests of the rostering engine over small events made with the event
# builder.
rvx_add_model_test(NAME roster_tests
  SOURCES tests/RosterBed.cpp tests/RosterMoveTest.cpp tests/RosterSearchTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS roster)
