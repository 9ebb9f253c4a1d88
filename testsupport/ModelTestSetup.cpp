// Linked into every headless test of the model and the engines: the
// program's texts are in the resource chain before the first test runs.
#include "res/RotavexStrings.h"

#include <gtest/gtest.h>

namespace {

class ModelTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override { JoinRotavexResources(); }
};

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new ModelTestEnvironment);

} // namespace
