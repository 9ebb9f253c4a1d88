# The month calendar, label stocks, the multi-selection tree and dialog
# templates built in memory: each a core without a window and, where it has
# one, its window in ui/.
list(APPEND ZELKIT_CORE_SOURCES controls/DlgTempl.cpp controls/ZelLocale.cpp controls/ZelLabelPrint.cpp controls/ZelTreeCtrlCore.cpp controls/ZelMonthCal.cpp)
list(APPEND ZELKIT_UI_SOURCES controls/ui/ZelMonthCalCtrl.cpp controls/ui/ZelLabelStockDlg.cpp controls/ui/ZelTreeCtrl.cpp)

rvx_add_test(NAME zelkit_components_tests
  SOURCES tests/DlgTemplTest.cpp tests/LabelStockTest.cpp tests/TreeCtrlCoreTest.cpp tests/MonthCalTest.cpp
  LIBS zelkit framework)
rvx_add_test(NAME zelkit_components_ui_tests
  SOURCES tests/MonthCalWxTest.cpp tests/LabelStockDlgWxTest.cpp tests/TreeCtrlWxTest.cpp
  LIBS zelkit framework WX)
