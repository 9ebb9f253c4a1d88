# The tests' judge of built timetables (testsupport/TimetableChecker), which
# the build scenarios use.
rvx_add_model_test(NAME engine_checker_tests
  SOURCES tests/TimetableCheckerTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/TimetableChecker.cpp
          ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS engine)
