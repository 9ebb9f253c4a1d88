# The first open of a large generated event in the program's window, under a
# display: the read, the panes' refill, the window drawn and idle.
add_executable(open_event_bench OpenEventBench.cpp)
target_link_libraries(open_event_bench PRIVATE rotavex_views rotavex_shell bench_events)
rvx_use_wx(open_event_bench)
