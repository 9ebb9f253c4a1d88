# The group pane's port to the group sheet.
list(APPEND SHEETS_UI_SOURCES ${CMAKE_CURRENT_LIST_DIR}/../GroupSheetPort.cpp)
