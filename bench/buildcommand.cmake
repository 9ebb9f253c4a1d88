# The build and check commands on a large generated event in the program's
# window, under a display: the time to the options and to the first answer,
# and the memory while the options wait.
add_executable(build_command_bench BuildCommandBench.cpp)
target_link_libraries(build_command_bench PRIVATE rotavex_views rotavex_shell bench_events)
rvx_use_wx(build_command_bench)
