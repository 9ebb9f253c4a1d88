#include "shell/RotavexApp.h"
#include "shell/MainFrm.h"
#include "res/RotavexStrings.h"
#include "model/General.h"
#include "framework/Resources.h"
#include "framework/Settings.h"
#include "framework/ui/WxMessageBox.h"
#include "zelkit/ZelAssert.h"
#include "zelkit/ZelLibrary.h"
#include "zelkit/ZelRelease.h"
#include "zelkit/ui/ZelErrorDlg.h"

#include <exception>
#include <unistd.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>

const ZelRelease& RotavexRelease()
{
    static const ZelRelease release(RVX_PRODUCT_NAME, RVX_RELEASE_NUMBER, "");
    return release;
}

std::string RotavexProductText() { return RotavexRelease().GetPgmName() + " Rev " + RotavexRelease().FormatRel(); }

namespace {

// The installation's settings: beside the program in a build tree, else in
// the installed data folder.
std::string InstallSettingsFile()
{
    const wxFileName exe(wxStandardPaths::Get().GetExecutablePath());
    const wxString s_beside = exe.GetPath() + "/rotavex-install.ini";
    if (wxFileName::FileExists(s_beside))
        return std::string(s_beside.utf8_str());
    const wxString s_installed = exe.GetPath() + "/../share/rotavex/rotavex-install.ini";
    return std::string(s_installed.utf8_str());
}

} // namespace

void CRotavexApp::InitServices(bool b_withGui)
{
    ZelLibraryAttach();
    JoinRotavexResources();
    SetMessageBoxCaption(RVX_PRODUCT_NAME);
    if (b_withGui) {
        static WxMessageBoxPort s_boxes;
        static ZelErrorDlgPort s_reports;
        SetMessageBoxPort(&s_boxes);
        ZelSetErrorReportPort(&s_reports);
        CSettingsStore::Get().Configure(CSettingsStore::DefaultUserFile("rotavex"), InstallSettingsFile());
    }
    std::string s_email;
    LoadResourceString(IDS_SUPPORT_EMAIL, s_email);
    ZelAssertSetEmail(s_email.c_str());
    ZelAssertSetProductInfo(RotavexProductText().c_str());
}

bool CRotavexApp::OnInit()
{
    SetAppName(RVX_PRODUCT_NAME);
    SetVendorName("Vantor Software");
    InitServices(true);
    auto* p_frame = new CMainFrame;
    SetTopWindow(p_frame);
    p_frame->Show();
    return true;
}

int CRotavexApp::OnRun()
{
    // Exceptions from event handlers come to OnExceptionInMainLoop; those
    // from pending calls and idle work leave the loop and arrive here.
    try {
        const int i = wxApp::OnRun();
        return iExitCode ? iExitCode : i;
    } catch (...) {
        return ReportLoopException();
    }
}

int CRotavexApp::OnExit() { return wxApp::OnExit(); }

int CRotavexApp::ReportLoopException()
{
    try {
        throw;
    } catch (const ZelAssertException&) {
        ShowMessageBox("Assertion failure: the program will now terminate", MB_OK | MB_ICONSTOP);
    } catch (const std::exception& e) {
        ShowMessageBox(std::string("Unexpected error: ") + e.what() + "\nThe program will now terminate",
                       MB_OK | MB_ICONSTOP);
    } catch (...) {
        ShowMessageBox("Unknown exception: the program will now terminate", MB_OK | MB_ICONSTOP);
    }
    return 1;
}

bool CRotavexApp::OnExceptionInMainLoop()
{
    iExitCode = ReportLoopException();
    // Leave the loop: the program ends with the exit code set above.
    for (wxWindow* p : wxTopLevelWindows)
        p->Destroy();
    return false;
}

void CRotavexApp::OnUnhandledException()
{
    ReportLoopException();
    _exit(1);
}
