# List-view layouts as the event file keeps them, with the import mappings.
list(APPEND MODEL_SOURCES ViewLayout.cpp)

rvx_add_model_test(NAME model_layouts_tests SOURCES tests/ViewLayoutTest.cpp)
