# Library start-up, resource module and the assertion contract.
list(APPEND ZELKIT_CORE_SOURCES base/ZelAssert.cpp base/ZelErrorReport.cpp base/ZelLibrary.cpp)
list(APPEND ZELKIT_UI_SOURCES controls/ui/ZelLibraryEntry.cpp base/ui/ZelErrorDlg.cpp)

rvx_add_test(NAME zelkit_core_tests SOURCES tests/AssertTest.cpp tests/LibraryTest.cpp LIBS zelkit framework)
rvx_add_test(NAME zelkit_ui_tests SOURCES tests/ErrorDlgTest.cpp LIBS zelkit framework WX)
