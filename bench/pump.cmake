# The longest stretch without the window's events dispatched during the
# check and build commands on large events (bench/PumpBench.cpp), over the
# headless build of ../generators.
add_executable(pump_bench PumpBench.cpp)
target_link_libraries(pump_bench PRIVATE bench_build bench_events engine)
