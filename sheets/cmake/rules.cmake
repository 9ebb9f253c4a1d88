# The scheduling rules sheet with its venue and day rules pages, and the
# preferences sheet with its General page.
list(APPEND SHEETS_RULES_SOURCES ${CMAKE_CURRENT_LIST_DIR}/../SchedRulesRules.cpp)
rvx_add_model_test(NAME sheets_sched_rules_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/../tests/SchedRulesRulesTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS rotavex_sheets_rules)
