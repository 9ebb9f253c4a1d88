// The application object: start-up, the main frame, and the run loop's last
// line of defence against exceptions.
#pragma once

#include "res/ProgramRelease.h"

#include <string>
#include <wx/app.h>

class CMainFrame;
class ZelRelease;

// The program's release record (program name, release 189, no qualifier).
const ZelRelease& RotavexRelease();
// "Rotavex Rev 1.89": the product text of error reports.
std::string RotavexProductText();

class CRotavexApp : public wxApp {
public:
    bool OnInit() override;
    int OnRun() override;
    int OnExit() override;
    bool OnExceptionInMainLoop() override;
    void OnUnhandledException() override;

    // The run loop's answer to an exception that reached it: tells the user
    // and gives the exit code. Call with the exception being handled.
    static int ReportLoopException();

    // Start-up without a window: resource chain, ports and settings. The
    // tests call it too.
    static void InitServices(bool b_withGui);

private:
    int iExitCode = 0;
};

wxDECLARE_APP(CRotavexApp);
