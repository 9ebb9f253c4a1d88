# The timetable's timeslot records, their sorted arrays and checked slot
# pointers, and the slot records of the oldest event files.
list(APPEND MODEL_SOURCES Timeslot.cpp)

rvx_add_model_test(NAME model_timeslot_tests SOURCES tests/TimeslotTest.cpp)
