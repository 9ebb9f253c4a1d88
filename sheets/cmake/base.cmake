# What every sheet shares: the typed-text rule.
rvx_add_model_test(NAME sheets_rules_tests SOURCES tests/SheetRulesTest.cpp LIBS rotavex_sheets_rules)
