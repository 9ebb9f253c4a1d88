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

# rvx_add_test(NAME name SOURCES ... LIBS ... [WX [WM]])
# One GoogleTest executable registered with ctest as one test. Tests that
# create windows pass WX: each runs on a virtual display of its own
# (testsupport/run-on-display), so window tests run in parallel without
# taking the keyboard focus from each other. WM adds a window manager on that
# display, for tests of stacking and focus as a desktop gives them.
function(rvx_add_test)
  cmake_parse_arguments(T "WX;WM" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock Threads::Threads)
  if(T_WX)
    rvx_use_wx(${T_NAME})
    set(launcher ${PROJECT_SOURCE_DIR}/testsupport/run-on-display)
    if(T_WM)
      list(APPEND launcher --wm)
    endif()
    add_test(NAME ${T_NAME} COMMAND ${launcher} $<TARGET_FILE:${T_NAME}> --gtest_brief=1)
    set_tests_properties(${T_NAME} PROPERTIES LABELS display)
  else()
    add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_brief=1)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT 300
    ENVIRONMENT "ROTAVEX_TEST_DATA=${CMAKE_CURRENT_SOURCE_DIR}/tests/data")
endfunction()
