# The build's, the roster's and the saved bytes' hashes over a table of
# sample and generated events, held to the values recorded in the test.
rvx_add_model_test(NAME result_hash_tests
  SOURCES tests/ResultHashTest.cpp
  LIBS bench_build bench_roster bench_events roster engine)
target_compile_definitions(result_hash_tests PRIVATE ROTAVEX_SAMPLE_EVENTS="${PROJECT_SOURCE_DIR}/tests/data/events")
