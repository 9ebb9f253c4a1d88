# The fixed costs every build pays, on a generated event: the build map,
# counting the timetable and a verification of every timeslot.
add_executable(buildmap_bench BuildMapBench.cpp)
target_link_libraries(buildmap_bench PRIVATE bench_events engine)
