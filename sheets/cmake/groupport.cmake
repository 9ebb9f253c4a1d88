# The group pane's port to the group sheet.
list(APPEND SHEETS_UI_SOURCES ${CMAKE_CURRENT_LIST_DIR}/../GroupSheetPort.cpp)
# The group and participant panes in the program with the real sheets.
rvx_add_test(NAME sheets_pane_sheets_tests
  SOURCES tests/PaneSheetsWxTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS rotavex_app rotavex_sheets WX)
