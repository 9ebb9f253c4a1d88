# The participant sheet as the participant pane opens it.
list(APPEND SHEETS_UI_SOURCES ${CMAKE_CURRENT_LIST_DIR}/../ParticipantSheetPort.cpp)
# The participant pane in the program with the real sheet, under a virtual
# display, over the standard label stocks of the build tree.
rvx_add_test(NAME sheets_participant_view_ui_tests
  SOURCES tests/ParticipantViewWxTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS rotavex_views rotavex_sheets WX)
add_dependencies(sheets_participant_view_ui_tests label_stocks)
target_compile_definitions(sheets_participant_view_ui_tests PRIVATE ROTAVEX_DATA_DIR="${CMAKE_BINARY_DIR}/share/rotavex")
