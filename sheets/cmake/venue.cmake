# The venue sheet with its Details page, behind the venue view's port.
list(APPEND SHEETS_UI_SOURCES VenuePSheet.cpp)
rvx_add_test(NAME sheets_venue_tests SOURCES tests/VenueSheetTest.cpp LIBS rotavex_app rotavex_sheets WX)
add_dependencies(sheets_venue_tests sample_timetables)
target_compile_definitions(sheets_venue_tests PRIVATE
  ROTAVEX_SAMPLE_TIMETABLES="${CMAKE_BINARY_DIR}/share/rotavex/sample timetables")
rvx_add_test(NAME sheets_venue_sheet_tests
  SOURCES tests/VenuePSheetTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS rotavex_sheets WX)
