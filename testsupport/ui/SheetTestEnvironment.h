// The wx application for display tests of the sheets, with the program's
// strings and dialog resources joined, as the program has them.
#pragma once

#include "res/RotavexStrings.h"
#include "testsupport/ui/WxTestEnvironment.h"

class SheetTestEnvironment : public WxTestEnvironment {
public:
    void SetUp() override
    {
        WxTestEnvironment::SetUp();
        JoinRotavexResources();
    }
};
