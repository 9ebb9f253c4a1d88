# The timetable: its days with a slot array per venue, locks carried across
# rebuilds, the stored forms, and the HTML pages of the export.
list(APPEND MODEL_SOURCES HtmlText.cpp Timetable.cpp TimetableDay.cpp TimetableHtml.cpp)

rvx_add_model_test(NAME model_timetable_tests
  SOURCES tests/TimetableDayTest.cpp tests/TimetableTest.cpp tests/TimetableHtmlTest.cpp
          ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp)
