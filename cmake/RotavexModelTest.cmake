# rvx_add_model_test(NAME name SOURCES ... [LIBS ...])
# A headless test of the model or an engine: the program's string table is
# in the resource chain and message boxes are recorded, never shown.
function(rvx_add_model_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  rvx_add_test(NAME ${T_NAME}
    SOURCES ${T_SOURCES} ${PROJECT_SOURCE_DIR}/testsupport/ModelTestSetup.cpp
    LIBS model ${T_LIBS})
endfunction()
