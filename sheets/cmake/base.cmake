# What every sheet shares: the typed-text rule.
rvx_add_model_test(NAME sheets_rules_tests SOURCES tests/SheetRulesTest.cpp LIBS rotavex_sheets_rules)

# Stored values beyond what the sheets' boxes take, kept by an OK that
# changed nothing.
rvx_add_test(NAME sheets_stored_values_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/../tests/StoredValuesWxTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS rotavex_sheets WX)
