# Importing into item list views: the rules without a window (mappings,
# the import runs, the error list) and the message list dialogs.
target_sources(rotavex_shell_rules PRIVATE lists/ItemListImport.cpp)
target_sources(rotavex_shell PRIVATE lists/MesgListDisplay.cpp)
rvx_add_test(NAME shell_list_import_tests
  SOURCES tests/ItemListImportTest.cpp
  LIBS rotavex_shell_rules zelkit framework)
rvx_add_test(NAME shell_list_import_ui_tests SOURCES tests/ListImportWxTest.cpp LIBS rotavex_shell WX)
# Files of every kind through File > Import and the real wizard: what is
# not text is refused, text in either encoding imports, fixed width is told.
rvx_add_test(NAME shell_import_kinds_ui_tests
  SOURCES tests/ImportFileKindsWxTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp LIBS rotavex_shell WX)
# An import cancelled while its records come in, over a generated event.
rvx_add_model_test(NAME shell_import_cancel_tests
  SOURCES tests/ImportCancelTest.cpp
  LIBS rotavex_shell_rules bench_events)
# Fixed-width and comma-separated files of the same items import alike.
rvx_add_model_test(NAME shell_fixed_width_import_tests
  SOURCES tests/FixedWidthImportTest.cpp
  LIBS rotavex_shell_rules)
# A cancelled import hands the memory its records took back to the system.
rvx_add_model_test(NAME shell_import_memory_tests
  SOURCES tests/ImportMemoryTest.cpp
  LIBS rotavex_shell_rules)
