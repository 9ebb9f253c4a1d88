# The rostering engine on generated events of three sizes through the
# threaded driver (bench/RosterBench.cpp); the run and its figures are
# shared with evetool's roster command (generators/RosterRunner.h, the
# library bench_roster).

add_executable(roster_bench RosterBench.cpp)
target_link_libraries(roster_bench PRIVATE bench_roster bench_events)
