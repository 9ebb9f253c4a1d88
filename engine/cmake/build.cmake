# The build's road (options, clearing, lock and rule checks, the minimum
# passes, fills, the checks of counts and minimums, the reports) and the
# check command; the models of the dialogs around a build and the ports
# the build reaches the user through.
list(APPEND ENGINE_SOURCES BuildRoad.cpp BuildPasses.cpp BuildFailures.cpp BuildReports.cpp BuildPorts.cpp
  BuildDriver.cpp EngineGuard.cpp)

rvx_add_model_test(NAME engine_build_tests
  SOURCES tests/BuildRoadTest.cpp
          ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp ${PROJECT_SOURCE_DIR}/testsupport/TimetableChecker.cpp
  LIBS engine)
