# The program's mail (the composer for the document's and the lists' mail
# commands) and the participant pane: its work without a window, tested
# headless, and its window in the program.
target_sources(rotavex_shell_rules PRIVATE frame/MailSetup.cpp lists/ParticipantViewCore.cpp)
# Un-rostering runs the rostering engine's removal.
target_link_libraries(rotavex_shell_rules PUBLIC roster)
rvx_add_model_test(NAME shell_participant_view_tests
  SOURCES tests/ParticipantViewCoreTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS rotavex_shell_rules)
target_sources(rotavex_shell PRIVATE lists/ParticipantView.cpp)
