# The participant sheet as the participant pane opens it.
list(APPEND SHEETS_UI_SOURCES ${CMAKE_CURRENT_LIST_DIR}/../ParticipantSheetPort.cpp)
