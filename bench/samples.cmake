# The generator of the sample event files kept in tests/data/events/, and of
# the file-format tests' fixtures as files.
add_executable(make_sample_events MakeSampleEvents.cpp ${PROJECT_SOURCE_DIR}/generators/SampleEvents.cpp
                                  ${PROJECT_SOURCE_DIR}/testsupport/EventFileFixtures.cpp)
target_link_libraries(make_sample_events PRIVATE bench_events)
target_compile_definitions(make_sample_events PRIVATE ROTAVEX_SAMPLE_EVENTS="${PROJECT_SOURCE_DIR}/tests/data/events")
