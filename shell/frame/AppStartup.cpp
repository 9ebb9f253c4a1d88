// The application's start-up screens: the splash while the program starts,
// the start-up dialog after it, and the about box.
#include "shell/frame/MainFrm.h"
#include "shell/frame/RotavexApp.h"
#include "shell/frame/SmallDialogs.h"
#include "shell/frame/Splash.h"
#include "shell/frame/StartupDlg.h"
#include "shell/frame/StartupRules.h"

#include "framework/PortSlot.h"
#include "framework/ui/WxMessageBox.h"

#include <memory>
#include <wx/apptrait.h>
#include <wx/evtloop.h>
#include <wx/utils.h>
#include <wx/windowid.h>

namespace {

WxRevisionChangedPort g_revisionPort;

class SplashEndingMessageBoxPort : public WxMessageBoxPort {
public:
    int Show(const std::string& s_text, const std::string& s_caption, std::uint32_t u_style) override
    {
        if (CRotavexApp* p_app = TheApp(); p_app != nullptr && p_app->IsSplashUp())
            p_app->EndSplash();
        return WxMessageBoxPort::Show(s_text, s_caption, u_style);
    }
};

} // namespace

IMessageBoxPort& CRotavexApp::SplashEndingMessageBoxes()
{
    static SplashEndingMessageBoxPort s_boxes;
    return s_boxes;
}

void CRotavexApp::InstallStartupScreens()
{
    SetRevisionChangedPort(&g_revisionPort);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnAppAbout(); }, wxID_ABOUT);
    Bind(wxEVT_UPDATE_UI, [](wxUpdateUIEvent& event) { event.Enable(true); }, wxID_ABOUT);
}

void CRotavexApp::RemoveStartupScreens()
{
    // A scripted port of a test stays where it is.
    RemovePortIfOurs(GetRevisionChangedPort, SetRevisionChangedPort, g_revisionPort);
    if (pSplashTimer)
        pSplashTimer->Stop();
    if (SplashScreen* p_splash = GetSplash()) {
        pSplash = nullptr;
        p_splash->Destroy();
    }
}

void CRotavexApp::KeepSplashInFront()
{
    if (SplashScreen* p_splash = GetSplash())
        p_splash->Raise();
}

// ---- the splash and the start-up dialog ----

void CRotavexApp::ShowSplash(UINT u_ms, int i_bitmap)
{
    if (IsSplashUp())
        return;
    if (i_bitmap == 0)
        i_bitmap = wxDisplayDepth() > 8 ? IDB_SPLASH : IDB_SPLASH_FEW_COLOURS;
    auto* p_splash = new SplashScreen;
    if (p_splash->CreateSplash(i_bitmap))
        pSplash = p_splash;
    else
        delete p_splash;
    // Made on first use: a timer needs the toolkit, which is not up yet
    // when the application object is made.
    if (!pSplashTimer) {
        pSplashTimer = std::make_unique<wxTimer>(this, wxIdManager::ReserveId());
        Bind(wxEVT_TIMER, [this](wxTimerEvent&) { EndSplash(); }, pSplashTimer->GetId());
    }
    pSplashTimer->StartOnce(static_cast<int>(u_ms));
    PumpSplashMessages();
}

bool CRotavexApp::IsSplashUp() const
{
    return (pSplashTimer && pSplashTimer->IsRunning()) || pSplash.get() != nullptr;
}

void CRotavexApp::PumpSplashMessages()
{
    SplashScreen* p_splash = GetSplash();
    if (p_splash == nullptr)
        return;
    // Before the main loop runs there is no loop to yield in: a loop of
    // its own then.
    std::unique_ptr<wxEventLoopBase> p_own;
    wxEventLoopBase* p_loop = wxEventLoopBase::GetActive();
    if (p_loop == nullptr) {
        p_own.reset(GetTraits()->CreateEventLoop());
        p_loop = p_own.get();
    }
    const wxEventLoopActivator activate(p_loop);
    // The window appears and paints a moment after it is shown.
    for (int i = 0; i < 40 && !p_splash->HasBeenPainted(); ++i) {
        p_loop->YieldFor(wxEVT_CATEGORY_UI);
        if (!p_splash->HasBeenPainted())
            wxMilliSleep(5);
    }
}

void CRotavexApp::EndSplash()
{
    if (pSplashTimer)
        pSplashTimer->Stop();
    if (SplashScreen* p_splash = GetSplash()) {
        pSplash = nullptr;
        p_splash->Destroy();
    }
    if (AppSettings::GetStartupDialogFlag()) {
        AppSettings::SetStartupDialogFlag(FALSE);
        // After the input or timer that ended the splash has been handled.
        CallAfter([this] { ShowStartupDialog(); });
    }
}

int CRotavexApp::FilterEvent(wxEvent& event)
{
    if (pSplash.get() != nullptr) {
        const wxEventType e_type = event.GetEventType();
        if (e_type == wxEVT_KEY_DOWN || e_type == wxEVT_CHAR_HOOK || e_type == wxEVT_LEFT_DOWN
            || e_type == wxEVT_RIGHT_DOWN || e_type == wxEVT_MIDDLE_DOWN) {
            EndSplash();
            return Event_Processed;
        }
    }
    return wxApp::FilterEvent(event);
}

void CRotavexApp::ShowStartupDialog()
{
    CMainFrame* p_frame = GetMainFrame();
    if (p_frame == nullptr)
        return;
    RVXStartup dlg(p_frame, GetRecentFiles(), std::string(wxGetCwd().utf8_str()), GetOpenLast());
    const int i_result = dlg.ShowModal();
    const UINT u_command = StartupRules::FinishStartup(i_result, dlg.GetChosen(), dlg.GetOpenLast());
    if (u_command != 0)
        p_frame->PostCommand(u_command);
}

void CRotavexApp::OnAppAbout()
{
    CAboutDlg dlg(GetMainFrame());
    dlg.ShowModal();
}
