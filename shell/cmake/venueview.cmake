# The venue pane: its rules without a window (field texts, schedules, sort
# keys, add, change and delete, printed columns), the port to the venue
# sheet, and the view.
target_sources(rotavex_shell_rules PRIVATE lists/VenueViewRules.cpp lists/VenueSheetPort.cpp)
target_sources(rotavex_shell PRIVATE lists/VenueView.cpp)
rvx_add_model_test(NAME shell_venue_rules_tests
  SOURCES tests/VenueViewRulesTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS rotavex_shell_rules)
rvx_add_test(NAME shell_venue_view_tests SOURCES tests/VenueViewTest.cpp LIBS rotavex_shell WX)
