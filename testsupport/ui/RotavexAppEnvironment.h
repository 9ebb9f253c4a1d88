// The program's application for tests that drive it in-process: wx started
// under the program's own application object, its services up without the
// windows' start-up, which each test runs itself (CRotavexApp::StartUp).
#pragma once

#include "shell/frame/RotavexApp.h"
#include "testsupport/ui/WxTestEnvironment.h"

class RotavexAppEnvironment : public WxTestEnvironment {
public:
    // p_install: what the test's part of the program adds once the services
    // are up (the editing sheets, say), as the program's start-up does.
    explicit RotavexAppEnvironment(void (*p_install)() = nullptr) : WxTestEnvironment(new CRotavexApp), pInstall(p_install) {}

protected:
    void AfterStart() override
    {
        CRotavexApp::InitServices(false);
        if (pInstall != nullptr)
            pInstall();
    }

private:
    void (*pInstall)();
};
