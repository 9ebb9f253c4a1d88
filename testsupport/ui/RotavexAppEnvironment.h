// The program's application for tests that drive it in-process: wx started
// under the program's own application object, its services up without the
// windows' start-up, which each test runs itself (CRotavexApp::StartUp).
#pragma once

#include "app/InstallViews.h"
#include "shell/frame/RotavexApp.h"
#include "testsupport/ui/WxTestEnvironment.h"

// The program's start-up up to its frame, without the windows' own message,
// report and file ports and with the test's settings: the services, and the
// dialogs the application installs when its frame comes up. Every test that
// starts the program in-process comes through here (link rotavex_views).
inline void StartProgramServices()
{
    CRotavexApp::InitServices(false);
    InstallDialogPorts();
}

class RotavexAppEnvironment : public WxTestEnvironment {
public:
    // p_install: what the test's part of the program adds once the services
    // are up (the editing sheets, say), as the program's start-up does.
    explicit RotavexAppEnvironment(void (*p_install)() = nullptr) : WxTestEnvironment(new CRotavexApp), pInstall(p_install) {}

protected:
    void AfterStart() override
    {
        StartProgramServices();
        if (pInstall != nullptr)
            pInstall();
    }

private:
    void (*pInstall)();
};
