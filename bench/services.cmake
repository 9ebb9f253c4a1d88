# Benchmarks of the library services: the block compressor's speed and
# ratio on text, event-like binary data and random bytes.
if(TARGET benchmark::benchmark)
  add_executable(compress_bench CompressBench.cpp)
  target_link_libraries(compress_bench PRIVATE zelkit benchmark::benchmark)
endif()
