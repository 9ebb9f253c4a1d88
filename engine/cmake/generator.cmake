# The placement checks: suitability, clashes, travel time, rules, rotation,
# the clash repair and the verification of a placed timeslot with its
# messages, with the tables a build makes for them once; and the
# timetable's re-fit after edits in the day grid, which runs them.
list(APPEND ENGINE_SOURCES Generator.cpp BuildTables.cpp TimetableAdjust.cpp)

rvx_add_model_test(NAME engine_generator_tests
  SOURCES tests/GeneratorTest.cpp tests/VerifySlotTest.cpp tests/BuildTablesTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS engine)
