# The event file's fuzz target, built only in a fuzz build tree
# (ROTAVEX_FUZZ, see bench/fuzz-event-file). It takes the model's and the
# build engine's sources (every event that opens is checked as the check
# command checks it) and the non-window parts of the class library and
# framework directly, so that all of it carries the sanitizers and the
# coverage, and no window code is built.
if(ROTAVEX_FUZZ)
  get_target_property(fuzz_model_sources model SOURCES)
  list(TRANSFORM fuzz_model_sources PREPEND ${PROJECT_SOURCE_DIR}/model/)
  get_target_property(fuzz_engine_sources engine SOURCES)
  list(TRANSFORM fuzz_engine_sources PREPEND ${PROJECT_SOURCE_DIR}/engine/)
  set(fuzz_sources FuzzEventFile.cpp ${fuzz_model_sources} ${fuzz_engine_sources}
      ${PROJECT_SOURCE_DIR}/res/RotavexStrings.cpp)
  if(ROTAVEX_FUZZ STREQUAL "builtin")
    list(APPEND fuzz_sources FuzzDriver.cpp)
  endif()
  add_executable(fuzz_event_file ${fuzz_sources} $<TARGET_OBJECTS:zelkit_core> $<TARGET_OBJECTS:framework_core>)
  target_include_directories(fuzz_event_file PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(fuzz_event_file PRIVATE CURL::libcurl Threads::Threads ${CMAKE_DL_LIBS})
  if(ROTAVEX_FUZZ STREQUAL "libfuzzer")
    target_link_options(fuzz_event_file PRIVATE -fsanitize=fuzzer)
  endif()
endif()
