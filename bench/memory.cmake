# The resident size along open, build, close, open, build, close of one
# event in one process (bench/MemoryBench.cpp), over the headless build of
# ../generators.
add_executable(memory_bench MemoryBench.cpp)
target_link_libraries(memory_bench PRIVATE bench_build engine model)

# A large build leaves the process as large as before it.
rvx_add_model_test(NAME bench_build_memory_tests
  SOURCES tests/BuildMemoryTest.cpp
  LIBS bench_build bench_events engine)
