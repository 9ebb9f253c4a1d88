# Library start-up, resource module and the assertion contract.
list(APPEND ZELKIT_CORE_SOURCES ZelAssert.cpp ZelErrorReport.cpp ZelLibrary.cpp)
list(APPEND ZELKIT_UI_SOURCES ui/ZelLibraryEntry.cpp ui/ZelErrorDlg.cpp)

rvx_add_test(NAME zelkit_core_tests SOURCES tests/AssertTest.cpp tests/LibraryTest.cpp LIBS zelkit framework)
rvx_add_test(NAME zelkit_ui_tests SOURCES tests/ErrorDlgTest.cpp LIBS zelkit framework WX)
