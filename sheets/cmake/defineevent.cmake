# The define-event wizard: its sheet, the first page, the three day pages
# and the timeslots page.
list(APPEND SHEETS_RULES_SOURCES DefineEventRules.cpp TimeslotsRules.cpp)
rvx_add_model_test(NAME sheets_define_event_tests
  SOURCES tests/DefineEventRulesTest.cpp tests/TimeslotsRulesTest.cpp LIBS rotavex_sheets_rules)
