# Undoable moves in nested transactions, and the build engine's mover.
list(APPEND ENGINE_SOURCES TTMove.cpp)

rvx_add_model_test(NAME engine_moves_tests
  SOURCES tests/TransactionTest.cpp tests/TTMoveTest.cpp ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp
  LIBS engine)
