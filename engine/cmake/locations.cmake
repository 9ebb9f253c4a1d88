# Cells of the timetable and lists of them (headers only).
rvx_add_model_test(NAME engine_locations_tests SOURCES tests/TTLocTest.cpp LIBS engine)
