# The stack guard of the deep searches, and the one stack-overflow object.
list(APPEND ENGINE_SOURCES StackGuard.cpp)

rvx_add_model_test(NAME engine_stackguard_tests SOURCES tests/StackGuardTest.cpp LIBS engine)
