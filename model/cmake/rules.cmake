# The scheduling rules: day rules, venue rules and the document's rule sets,
# their checks, placement tests, revalidation and stored forms.
list(APPEND MODEL_SOURCES SchedRule.cpp)

rvx_add_model_test(NAME model_rules_tests
  SOURCES tests/SchedRuleTest.cpp tests/SchedulingRulesTest.cpp
          ${PROJECT_SOURCE_DIR}/testsupport/EventBuilder.cpp)
