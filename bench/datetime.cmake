# Benchmarks of date-time conversion: tick counts to parts with and without
# the conversion cache, over the repeated slot times of a timetable.
if(TARGET benchmark::benchmark)
  add_executable(datetime_bench DateTimeBench.cpp)
  target_link_libraries(datetime_bench PRIVATE zelkit benchmark::benchmark)
endif()
