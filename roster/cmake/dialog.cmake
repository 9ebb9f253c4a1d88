# The "Roster participants" dialog without its window: the presenter the
# program's dialog applies, with its tests over small and generated events.
list(APPEND ROSTER_SOURCES RosterCtrlPresenter.cpp)
rvx_add_model_test(NAME roster_dialog_tests
  SOURCES tests/RosterBed.cpp tests/RosterCtrlPresenterTest.cpp
          ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp ${PROJECT_SOURCE_DIR}/generators/SampleEvents.cpp
  LIBS roster bench_events)
