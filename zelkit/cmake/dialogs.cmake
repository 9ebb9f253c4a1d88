# Resizable dialogs, sheets and pages; the sortable report list and its
# view; the report and progress dialogs; the notification event the
# library's controls send their parents.
list(APPEND ZELKIT_CORE_SOURCES dialogs/ZelProfile.cpp dialogs/ZelSizingLayout.cpp lists/ZelListModel.cpp dialogs/ZelReportLayout.cpp)
list(APPEND ZELKIT_UI_SOURCES windows/ui/ZelNotifyEvent.cpp dialogs/ui/ZelSizing.cpp lists/ui/ZelListCtrl.cpp lists/ui/ZelListView.cpp dialogs/ui/ZelReportDlg.cpp dialogs/ui/ZelReportPrintout.cpp dialogs/ui/ZelGeneralProgress.cpp)

rvx_add_test(NAME zelkit_dialogs_tests
  SOURCES tests/SizingLayoutTest.cpp tests/ListModelTest.cpp tests/ReportLayoutTest.cpp
  LIBS zelkit framework)
rvx_add_test(NAME zelkit_dialogs_ui_tests
  SOURCES tests/SizingWxTest.cpp tests/ListCtrlWxTest.cpp tests/ListViewWxTest.cpp tests/ReportDlgWxTest.cpp
    tests/ProgressWxTest.cpp
  LIBS zelkit framework WX)

# A look at the dialogs and lists by hand (not a test).
add_executable(zelkit_dialogs_demo demo/DialogsDemo.cpp)
target_link_libraries(zelkit_dialogs_demo PRIVATE zelkit framework)
rvx_use_wx(zelkit_dialogs_demo)
