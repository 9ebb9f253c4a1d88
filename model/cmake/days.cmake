# The event definition: day definitions, each day's timeslot layout, date
# pictures for calendar day names, and the time lists kept per day.
list(APPEND MODEL_SOURCES DatePicture.cpp DayDefSlots.cpp EventDefinition.cpp TimeList.cpp)

rvx_add_model_test(NAME model_days_tests
  SOURCES tests/DayDefSlotsTest.cpp tests/EventDefinitionTest.cpp tests/TimeListTest.cpp
          tests/VenueOldTimesTest.cpp)
