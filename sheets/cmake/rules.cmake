# The scheduling rules sheet with its venue and day rules pages, and the
# preferences sheet with its General page.
list(APPEND SHEETS_RULES_SOURCES ${CMAKE_CURRENT_LIST_DIR}/../SchedRulesRules.cpp)
rvx_add_model_test(NAME sheets_sched_rules_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/../tests/SchedRulesRulesTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS rotavex_sheets_rules)
list(APPEND SHEETS_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/../SchedRulesPPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../SchedulingRulesPSheet.cpp)
rvx_add_test(NAME sheets_rules_sheet_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/../tests/RulesSheetWxTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS rotavex_sheets engine WX)
list(APPEND SHEETS_RULES_SOURCES ${CMAKE_CURRENT_LIST_DIR}/../PrefSheetRules.cpp)
list(APPEND SHEETS_UI_SOURCES ${CMAKE_CURRENT_LIST_DIR}/../PrefPSheet.cpp)
rvx_add_model_test(NAME sheets_pref_rules_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/../tests/PrefSheetRulesTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS rotavex_sheets_rules)
rvx_add_test(NAME sheets_pref_sheet_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/../tests/PrefSheetWxTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS rotavex_sheets WX)
