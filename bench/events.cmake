# The generator of large events (bench/EventGenerator.h) and its roster
# settings (bench/RosterGenerator.h) and of course timetables
# (bench/CourseGenerator.h), a library of its own: the benchmarks,
# the sample files and the headless tools make their events with it.
add_library(bench_events STATIC EventGenerator.cpp RosterGenerator.cpp CourseGenerator.cpp)
target_include_directories(bench_events PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(bench_events PUBLIC model)

rvx_add_model_test(NAME bench_events_tests
  SOURCES tests/EventGeneratorTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/TimetableChecker.cpp
  LIBS bench_events engine)
