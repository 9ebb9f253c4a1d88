# The program's message helpers, list-box and text helpers, and the ports
# through which the model reaches the shell and its views.
list(APPEND MODEL_SOURCES ShellPorts.cpp)

rvx_add_model_test(NAME model_general_tests
  SOURCES tests/MessageHelpersTest.cpp tests/ShellPortsTest.cpp)
