# The rostering engine on generated events of three sizes through the
# threaded driver (bench/RosterBench.cpp); the run and its figures are
# shared with evetool's roster command (bench/RosterRunner.h).
add_library(bench_roster STATIC RosterRunner.cpp)
target_include_directories(bench_roster PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(bench_roster PUBLIC roster model)

add_executable(roster_bench RosterBench.cpp)
target_link_libraries(roster_bench PRIVATE bench_roster bench_events)
