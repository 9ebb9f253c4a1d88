# What the timetable holds: the scheduled entities (groups and participants
# with their limits and checks) and their lists.
list(APPEND MODEL_SOURCES ContactNumbers.cpp Group.cpp GroupList.cpp Participant.cpp SchedEntity.cpp)

rvx_add_model_test(NAME model_entities_tests
  SOURCES tests/SchedEntityTest.cpp tests/GroupTest.cpp tests/GroupListTest.cpp tests/ParticipantTest.cpp
          tests/StoredFieldsTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
          ${PROJECT_SOURCE_DIR}/generators/SampleEvents.cpp
  LIBS bench_events)
target_compile_definitions(model_entities_tests PRIVATE
  ROTAVEX_EVENT_SEEDS="${PROJECT_SOURCE_DIR}/bench/seeds/event-file")
