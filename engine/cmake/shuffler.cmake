# The build engine's state for one build (the mover, the progress window,
# the locked cells of each group) and the search that raises groups to
# their minimums, fills cells and moves chunks.
list(APPEND ENGINE_SOURCES BuildEngine.cpp ShufflerState.cpp ShufflerRaise.cpp ShufflerSearch.cpp ShufflerCommit.cpp)

rvx_add_model_test(NAME engine_shuffler_tests
  SOURCES tests/ShufflerStateTest.cpp tests/ShufflerRaiseTest.cpp tests/ShufflerSearchTest.cpp tests/ShufflerCommitTest.cpp
          ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp ${PROJECT_SOURCE_DIR}/generators/TimetableChecker.cpp
  LIBS bench_events engine)
