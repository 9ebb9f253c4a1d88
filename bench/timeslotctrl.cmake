# The timeslot grid on a large event: layout, paint, scroll and hit tests.
add_executable(timeslot_bench TimeslotBench.cpp)
target_link_libraries(timeslot_bench PRIVATE zelkit framework)
