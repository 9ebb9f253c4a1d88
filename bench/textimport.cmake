# The text importer's fuzz target. In the ordinary build tree it is built
# plainly and its seeds (bench/seeds/text-import) run as a test, each once
# and then a few thousand inputs mutated from them with a fixed seed; in a
# fuzz tree (ROTAVEX_FUZZ, see bench/fuzz-text-import) it carries the
# sanitizers and the coverage. It takes the non-window parts of the class
# library and the framework directly, so that all of it is built alike.
set(txt_fuzz_sources FuzzTextImport.cpp)
if(NOT ROTAVEX_FUZZ STREQUAL "libfuzzer")
  list(APPEND txt_fuzz_sources FuzzDriver.cpp)
endif()
add_executable(fuzz_text_import ${txt_fuzz_sources} $<TARGET_OBJECTS:zelkit_core> $<TARGET_OBJECTS:framework_core>)
target_include_directories(fuzz_text_import PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(fuzz_text_import PRIVATE CURL::libcurl Threads::Threads ${CMAKE_DL_LIBS})
if(ROTAVEX_FUZZ STREQUAL "libfuzzer")
  target_link_options(fuzz_text_import PRIVATE -fsanitize=fuzzer)
endif()

file(GLOB txt_seeds CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/seeds/text-import/*)
add_test(NAME fuzz_text_import_seeds COMMAND fuzz_text_import -runs=3000 -seed=1 ${txt_seeds})
set_tests_properties(fuzz_text_import_seeds PROPERTIES TIMEOUT 300)
