# The event document's life cycle, change routine, commands and their enable
# rules, the edits it runs for the pages and engines, and the ports through
# which it reaches its sheets, the main window, mail, the clock and the
# event file.
list(APPEND MODEL_SOURCES DocumentPorts.cpp EventDocLife.cpp EventDocCommands.cpp EventDocLimits.cpp)

rvx_add_model_test(NAME model_document_tests
  SOURCES tests/EventDocLifeTest.cpp tests/EventDocCommandsTest.cpp tests/CheckLimitsTest.cpp
          ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp)
