# Load and save speed of the event file on a generated event.
add_executable(event_file_bench EventFileBench.cpp)
target_link_libraries(event_file_bench PRIVATE bench_events)
