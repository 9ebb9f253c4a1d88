# evetool: event files loaded and saved headless through the program's own
# open and writer, described in one line of JSON.
find_package(nlohmann_json 3 REQUIRED)
add_executable(evetool EventTool.cpp)
target_link_libraries(evetool PRIVATE bench_build bench_roster bench_events roster engine model nlohmann_json::nlohmann_json)

add_test(NAME evetool_tests
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/evetool-test.sh $<TARGET_FILE:evetool>
          ${PROJECT_SOURCE_DIR}/tests/data/events)
set_tests_properties(evetool_tests PROPERTIES TIMEOUT 120)
