# Byte strings, the array templates, string arrays and splitting, keyed
# objects with their lists and key index.
list(APPEND ZELKIT_CORE_SOURCES base/ZelBytes.cpp base/ZelStringArray.cpp base/ZelKeyedObject.cpp)

rvx_add_test(NAME zelkit_containers_tests
  SOURCES tests/BytesTest.cpp tests/ArrayTest.cpp tests/StringArrayTest.cpp
    tests/KeyedObjectTest.cpp
  LIBS zelkit framework)
