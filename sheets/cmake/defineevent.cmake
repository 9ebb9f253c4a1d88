# The define-event wizard: its sheet, the first page, the three day pages
# and the timeslots page.
list(APPEND SHEETS_RULES_SOURCES DefineEventRules.cpp TimeslotsRules.cpp)
list(APPEND SHEETS_UI_SOURCES DefineEventSheet.cpp TimeslotsPage.cpp DayPages.cpp)
rvx_add_model_test(NAME sheets_define_event_tests
  SOURCES tests/DefineEventRulesTest.cpp tests/TimeslotsRulesTest.cpp LIBS rotavex_sheets_rules)
rvx_add_test(NAME sheets_define_event_wx_tests SOURCES tests/DefineEventWxTest.cpp LIBS rotavex_app rotavex_sheets WX)
target_compile_definitions(sheets_define_event_wx_tests PRIVATE ROTAVEX_EVENTS_DIR="${PROJECT_SOURCE_DIR}/tests/data/events")
