# The progress windows' model, the port to the window, and the build
# engine's side of its progress (pump, requests, texts, end), and the pump
# that keeps the window answering where no progress window is up.
list(APPEND ENGINE_SOURCES ProgressClock.cpp ProgressModel.cpp ProgressPort.cpp BuildProgress.cpp BusyPump.cpp)

rvx_add_model_test(NAME engine_progress_tests SOURCES tests/ProgressTest.cpp LIBS engine)
