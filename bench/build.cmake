# The benchmark of whole builds on generated events of growing size, over
# the headless build of ../generators (bench_build).
add_executable(build_bench BuildBench.cpp)
target_link_libraries(build_bench PRIVATE bench_build bench_events engine)

# Course timetables: the generator, and the build's timetables on them,
# which must stay those recorded before the search was made faster.
rvx_add_model_test(NAME bench_course_build_tests
  SOURCES tests/CourseBuildTest.cpp ${PROJECT_SOURCE_DIR}/generators/TimetableChecker.cpp
  LIBS bench_build bench_events engine)
set_tests_properties(bench_course_build_tests PROPERTIES TIMEOUT 300)

# The fill's skips of requests that cannot gain: the same timetables with
# them as without.
rvx_add_model_test(NAME bench_fill_skips_tests
  SOURCES tests/FillSkipsTest.cpp
  LIBS bench_build bench_events engine)
set_tests_properties(bench_fill_skips_tests PROPERTIES TIMEOUT 300)
