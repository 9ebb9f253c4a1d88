# The group sheet: its pages' work without a window (the page protocol, the
# details, notes and rostering values, the members lists, the styles and
# facilities lists), and the sheet and pages on screen.
list(APPEND SHEETS_RULES_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/../GroupSheetRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../GroupMembersRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../StyleFacilityRules.cpp)

rvx_add_model_test(NAME sheets_group_rules_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/../tests/GroupSheetRulesTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/../tests/GroupMembersRulesTest.cpp
          ${CMAKE_CURRENT_LIST_DIR}/../tests/StyleFacilityRulesTest.cpp
          ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS rotavex_sheets_rules)

list(APPEND SHEETS_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/../GroupEditingPPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../GroupPages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../GroupMembPPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../StyleFacilityPPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../GroupStyleFacilityPPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../GroupPSheet.cpp)

# The sheet on a display, opened directly over a small event.
rvx_add_test(NAME sheets_group_sheet_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/../tests/GroupSheetWxTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS rotavex_sheets WX)
