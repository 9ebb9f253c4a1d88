# The event definition: day definitions, each day's timeslot layout, date
# pictures for calendar day names.
list(APPEND MODEL_SOURCES DatePicture.cpp DayDefSlots.cpp EventDefinition.cpp)

rvx_add_model_test(NAME model_days_tests
  SOURCES tests/DayDefSlotsTest.cpp tests/EventDefinitionTest.cpp)
