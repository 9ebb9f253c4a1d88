# The timetable printed by participant on a large generated event: items,
# pages, time per page and peak memory on a canvas of fixed glyphs.
add_executable(ttprint_bench TTPrintBench.cpp)
target_link_libraries(ttprint_bench PRIVATE bench_events rotavex_output)
