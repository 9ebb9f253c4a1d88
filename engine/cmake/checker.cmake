# The tests' judge of built timetables (generators/TimetableChecker), which
# the build scenarios use.
rvx_add_model_test(NAME engine_checker_tests
  SOURCES tests/TimetableCheckerTest.cpp ${PROJECT_SOURCE_DIR}/generators/TimetableChecker.cpp
          ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS engine)
