# Small helpers shared by every folder's CMakeLists.

# Marks a target as one that uses wxWidgets. Only such targets see wx's
# include path, so a wx include in the model or the value classes fails to
# build instead of slipping through.
function(rvx_use_wx target)
  target_include_directories(${target} SYSTEM PRIVATE ${wxWidgets_INCLUDE_DIRS})
  target_compile_definitions(${target} PRIVATE ${wxWidgets_DEFINITIONS})
  target_compile_options(${target} PRIVATE ${wxWidgets_CXX_FLAGS})
  target_link_libraries(${target} PRIVATE ${wxWidgets_LIBRARIES})
endfunction()

# rvx_add_test(NAME name SOURCES ... LIBS ... [WX])
# One GoogleTest executable registered with ctest as one test. Tests that
# create windows pass WX; scripts/test runs ctest under xvfb-run.
function(rvx_add_test)
  cmake_parse_arguments(T "WX" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock Threads::Threads)
  if(T_WX)
    rvx_use_wx(${T_NAME})
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_brief=1)
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 300
    ENVIRONMENT "ROTAVEX_TEST_DATA=${CMAKE_CURRENT_SOURCE_DIR}/tests/data")
  if(T_WX)
    # Every window test shares the one virtual display: run together they
    # take the keyboard focus from each other, so they take turns.
    set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK display)
  endif()
endfunction()
