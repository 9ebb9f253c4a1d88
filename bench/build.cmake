# A whole build without a display (the build command's driver with every
# port answered by a script, the figures of the run), shared by the build
# benchmark and the headless tools; and the benchmark of whole builds on
# generated events of growing size.
add_library(bench_build STATIC HeadlessBuild.cpp ${PROJECT_SOURCE_DIR}/testsupport/TimetableChecker.cpp)
target_include_directories(bench_build PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(bench_build PUBLIC engine model)

add_executable(build_bench BuildBench.cpp)
target_link_libraries(build_bench PRIVATE bench_build bench_events engine)

# Course timetables: the generator, and the build's timetables on them,
# which must stay those recorded before the search was made faster.
rvx_add_model_test(NAME bench_course_build_tests
  SOURCES tests/CourseBuildTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/TimetableChecker.cpp
  LIBS bench_build bench_events engine)
set_tests_properties(bench_course_build_tests PROPERTIES TIMEOUT 300)
