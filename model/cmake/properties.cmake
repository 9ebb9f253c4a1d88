# Styles, facilities, participant roles and roster styles, preferences and
# the export and print options.
list(APPEND MODEL_SOURCES Property.cpp ParticipantRole.cpp Preferences.cpp PrintOptions.cpp)

rvx_add_model_test(NAME model_properties_tests
  SOURCES tests/PropertyTest.cpp tests/ParticipantRoleTest.cpp tests/PreferencesTest.cpp tests/PrintOptionsTest.cpp)
