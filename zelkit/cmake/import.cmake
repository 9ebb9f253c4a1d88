# The check-box list and the in-place editing list (their rules without a
# window, their windows in ui/), and the text importer with its wizard.
list(APPEND ZELKIT_CORE_SOURCES import/ZelCheckList.cpp import/ZelEditList.cpp import/ZelImport.cpp)
list(APPEND ZELKIT_UI_SOURCES import/ui/ZelCheckListCtrl.cpp import/ui/ZelEditListCtrl.cpp import/ui/ZelImportWizard.cpp)

rvx_add_test(NAME zelkit_import_tests
  SOURCES tests/CheckListTest.cpp tests/EditListTest.cpp tests/ImportTest.cpp
  LIBS zelkit framework)
rvx_add_test(NAME zelkit_import_ui_tests
  SOURCES tests/CheckListWxTest.cpp
  LIBS zelkit framework WX)
