# The build's road (options, clearing, lock and rule checks, the minimum
# passes, fills, the checks of counts and minimums, the reports) and the
# check command; the models of the dialogs around a build and the ports
# the build reaches the user through.
list(APPEND ENGINE_SOURCES BuildRoad.cpp BuildPasses.cpp BuildFailures.cpp BuildReports.cpp BuildPorts.cpp
  BuildDriver.cpp EngineGuard.cpp)

rvx_add_model_test(NAME engine_build_tests
  SOURCES tests/BuildRoadTest.cpp tests/BuildReportsTest.cpp tests/BuildCancelTest.cpp
          ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp ${PROJECT_SOURCE_DIR}/generators/TimetableChecker.cpp
  LIBS bench_events engine)

# The driver's recovery, with real faults on the test's thread: a test of
# its own.
rvx_add_model_test(NAME engine_build_driver_tests
  SOURCES tests/BuildDriverTest.cpp
          ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp ${PROJECT_SOURCE_DIR}/generators/TimetableChecker.cpp
  LIBS engine)
# A sanitizer that handles the faults itself would take them from the
# driver's handlers.
set_property(TEST engine_build_driver_tests APPEND PROPERTY ENVIRONMENT
  "ASAN_OPTIONS=handle_segv=0:handle_sigbus=0:handle_sigfpe=0:handle_sigill=0")
