// The program's application for tests that drive it in-process: wx started
// under the program's own application object, its services up without the
// windows' start-up, which each test runs itself (CRotavexApp::StartUp).
#pragma once

#include "shell/RotavexApp.h"
#include "testsupport/WxTestEnvironment.h"

class RotavexAppEnvironment : public WxTestEnvironment {
public:
    RotavexAppEnvironment() : WxTestEnvironment(new CRotavexApp) {}

protected:
    void AfterStart() override { CRotavexApp::InitServices(false); }
};
