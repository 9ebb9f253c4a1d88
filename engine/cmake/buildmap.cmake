# The build map: allowed cells per group, venue and day, chunk sizes, and
# the chunk and run operations over it.
list(APPEND ENGINE_SOURCES TTMap.cpp)

rvx_add_model_test(NAME engine_buildmap_tests
  SOURCES tests/TTMapTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS engine)
