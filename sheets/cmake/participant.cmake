# The participant sheet with its Details, Notes and Limits pages, and the
# Limits page template that the group sheet instantiates as well.
list(APPEND SHEETS_RULES_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/../LimitsRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../ParticipantSheetRules.cpp)
list(APPEND SHEETS_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/../LimitsPPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../ParticipantPSheet.cpp)

rvx_add_model_test(NAME sheets_participant_rules_tests
  SOURCES tests/LimitsRulesTest.cpp tests/ParticipantSheetRulesTest.cpp
          ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS rotavex_sheets_rules)
rvx_add_test(NAME sheets_participant_sheet_tests
  SOURCES tests/ParticipantPSheetTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS rotavex_sheets WX)
