# The placement checks: suitability, clashes, travel time, rules, rotation,
# the clash repair and the verification of a placed timeslot with its
# messages; and the timetable's re-fit after edits in the day grid, which
# runs them.
list(APPEND ENGINE_SOURCES Generator.cpp TimetableAdjust.cpp)

rvx_add_model_test(NAME engine_generator_tests
  SOURCES tests/GeneratorTest.cpp tests/VerifySlotTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS engine)
