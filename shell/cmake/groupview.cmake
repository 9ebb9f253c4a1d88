# The group pane and the label layer of the list views: their work without a
# window (the group view's rules and import, the label chooser's tree and the
# label pages, tested headless) and their windows in the program.
target_sources(rotavex_shell_rules PRIVATE lists/GroupViewCore.cpp lists/LabelLayout.cpp)
rvx_add_model_test(NAME shell_group_view_tests
  SOURCES tests/GroupViewCoreTest.cpp tests/LabelLayoutTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS rotavex_shell_rules)
target_sources(rotavex_shell PRIVATE lists/GroupView.cpp lists/ItemLVLabels.cpp lists/LabelStockDlg.cpp)
# The group pane in the program under a virtual display, over a generated
# event and the standard label stocks of the build tree.
rvx_add_test(NAME shell_group_view_ui_tests
  SOURCES tests/GroupViewWxTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS rotavex_app rotavex_sheets rotavex_shell WX)
add_dependencies(shell_group_view_ui_tests label_stocks)
target_compile_definitions(shell_group_view_ui_tests PRIVATE ROTAVEX_DATA_DIR="${CMAKE_BINARY_DIR}/share/rotavex")
rvx_add_test(NAME shell_label_stock_dlg_tests SOURCES tests/LabelStockDlgWxTest.cpp LIBS rotavex_shell WX)
add_dependencies(shell_label_stock_dlg_tests label_stocks)
target_compile_definitions(shell_label_stock_dlg_tests PRIVATE ROTAVEX_DATA_DIR="${CMAKE_BINARY_DIR}/share/rotavex")
