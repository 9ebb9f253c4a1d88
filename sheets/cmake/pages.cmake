# The Availability page (group and participant), the group's Allocation page
# and the participant's Rostering page.
list(APPEND SHEETS_RULES_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/../AllocRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../AvailRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../RosterPageRules.cpp)

rvx_add_model_test(NAME sheets_pages_rules_tests
  SOURCES tests/AllocRulesTest.cpp tests/AvailRulesTest.cpp tests/RosterPageRulesTest.cpp
          ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS rotavex_sheets_rules)

list(APPEND SHEETS_UI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/../AllocPPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../AvailPPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../AvailPages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../RosterPPage.cpp)

# The pages on a display, in their sheets opened directly over a small event.
rvx_add_test(NAME sheets_pages_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/../tests/PagesWxTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS rotavex_sheets WX)
rvx_add_test(NAME sheets_roster_limit_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/../tests/RosterLimitWxTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS rotavex_sheets WX)
