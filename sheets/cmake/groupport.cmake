# The group pane's port to the group sheet.
list(APPEND SHEETS_UI_SOURCES ${CMAKE_CURRENT_LIST_DIR}/../GroupSheetPort.cpp)
# The group and participant panes in the program with the real sheets.
rvx_add_test(NAME sheets_pane_sheets_tests
  SOURCES tests/PaneSheetsWxTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS rotavex_app rotavex_sheets WX)
# Every editing sheet ended without an edit, over a generated event whose
# venue, group and participant carry every kind of field.
rvx_add_test(NAME sheets_unchanged_sheets_tests
  SOURCES tests/UnchangedSheetsWxTest.cpp
  LIBS rotavex_app rotavex_sheets bench_events WX)
