# The label stock file's fuzz target. In the ordinary build tree it is built
# plainly and its seeds (bench/seeds/label-stock) run as a test, each once
# and then a few thousand inputs mutated from them with a fixed seed; in a
# fuzz tree (ROTAVEX_FUZZ, see bench/fuzz-label-stock) it carries the
# sanitizers and the coverage. It takes the non-window parts of the class
# library and the framework directly, so that all of it is built alike.
set(ldf_fuzz_sources FuzzLabelStock.cpp)
if(NOT ROTAVEX_FUZZ STREQUAL "libfuzzer")
  list(APPEND ldf_fuzz_sources FuzzDriver.cpp)
endif()
add_executable(fuzz_label_stock ${ldf_fuzz_sources} $<TARGET_OBJECTS:zelkit_core> $<TARGET_OBJECTS:framework_core>)
target_include_directories(fuzz_label_stock PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(fuzz_label_stock PRIVATE CURL::libcurl Threads::Threads ${CMAKE_DL_LIBS})
if(ROTAVEX_FUZZ STREQUAL "libfuzzer")
  target_link_options(fuzz_label_stock PRIVATE -fsanitize=fuzzer)
endif()

file(GLOB ldf_seeds CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/seeds/label-stock/*.ldf)
add_test(NAME fuzz_label_stock_seeds COMMAND fuzz_label_stock -runs=3000 -seed=1 ${ldf_seeds})
set_tests_properties(fuzz_label_stock_seeds PROPERTIES TIMEOUT 300)
