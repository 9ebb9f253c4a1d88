# The document's core, the archive links, key lists, limits and venues.
list(APPEND MODEL_SOURCES EventDoc.cpp FreedMemory.cpp General.cpp KeyList.cpp SchedLim.cpp Venue.cpp)

rvx_add_model_test(NAME model_core_tests
  SOURCES tests/KeyListTest.cpp tests/NameHashesTest.cpp tests/ArchiveLinksTest.cpp tests/SchedLimTest.cpp
          tests/VenueTest.cpp)
