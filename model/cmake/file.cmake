# The event file: the document's top level of it, the reports of refused
# items, the list views' layouts, loading in place of the open event, and
# the reader and writer on disk.
list(APPEND MODEL_SOURCES EventDocFile.cpp EventFile.cpp)

rvx_add_model_test(NAME model_file_tests
  SOURCES tests/EventFileTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/EventFileFixtures.cpp
          ${PROJECT_SOURCE_DIR}/generators/SampleEvents.cpp
  LIBS bench_events)
target_compile_definitions(model_file_tests PRIVATE ROTAVEX_SAMPLE_EVENTS="${PROJECT_SOURCE_DIR}/tests/data/events")
