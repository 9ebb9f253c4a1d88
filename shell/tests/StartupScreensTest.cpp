// The program's start-up screens in-process under a virtual display: the
// splash and how it ends, the start-up dialog with the recent files (open a
// chosen one, "open last" answering by itself, a missing file), the
// revision question of a save over an older file, and the about box with
// its links.
//
// With ROTAVEX_SHOW_SECONDS set, each screen stays up that long, for a
// screenshot.
#include "framework/Desktop.h"
#include "framework/FileDialog.h"
#include "framework/FileIO.h"
#include "framework/MessageBox.h"
#include "framework/Settings.h"
#include "framework/ui/WxIds.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "model/ShellPorts.h"
#include "shell/frame/AppSettings.h"
#include "shell/frame/CommandIds.h"
#include "shell/frame/EventDocument.h"
#include "shell/frame/MainFrm.h"
#include "shell/frame/RotavexApp.h"
#include "testsupport/ui/RotavexAppEnvironment.h"
#include "shell/frame/SmallDialogs.h"
#include "shell/frame/Splash.h"
#include "shell/frame/StartupDlg.h"
#include "shell/frame/StaticLink.h"
#include "zelkit/lists/ZelListModel.h"
#include "zelkit/windows/ZelNotifyCodes.h"
#include "zelkit/lists/ui/ZelListCtrl.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/init.h>
#include <wx/stattext.h>
#include <wx/timer.h>

namespace fs = std::filesystem;

namespace {

// One application for the whole run, as the program has.
const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new RotavexAppEnvironment());

CRotavexApp& App() { return *TheApp(); }

void Pump()
{
    for (int i = 0; i < 5; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
    }
}

// Runs the loop for a while (for timers), or until f_done holds.
void PumpFor(int i_ms, const std::function<bool()>& f_done = {})
{
    const auto t_end = std::chrono::steady_clock::now() + std::chrono::milliseconds(i_ms);
    while (std::chrono::steady_clock::now() < t_end && !(f_done && f_done())) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void ShowAWhile()
{
    if (const char* p_seconds = std::getenv("ROTAVEX_SHOW_SECONDS"))
        PumpFor(std::atoi(p_seconds) * 1000);
}

void Click(wxWindow& dlg, int i_id)
{
    wxWindow* p_button = dlg.FindWindow(WxId(i_id));
    ASSERT_NE(p_button, nullptr) << i_id;
    wxCommandEvent click(wxEVT_BUTTON, WxId(i_id));
    click.SetEventObject(p_button);
    p_button->GetEventHandler()->ProcessEvent(click);
}

template <class T>
T* Control(wxWindow& dlg, int i_id)
{
    return dynamic_cast<T*>(dlg.FindWindow(WxId(i_id)));
}

wxDialog* FindDialog(int i_id)
{
    return wxDynamicCast(wxWindow::FindWindowById(WxId(i_id)), wxDialog);
}

// Once the dialog i_id is up and modal (it runs its own loop), f_drive
// looks at it and ends it. A timer looks for it, so that the loop runs
// (timers included) until it comes.
void WhenUp(int i_id, std::function<void(wxDialog&)> f_drive)
{
    auto* p_timer = new wxTimer;
    auto t_end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    p_timer->Bind(wxEVT_TIMER, [p_timer, i_id, f_drive, t_end](wxTimerEvent&) {
        wxDialog* p_dlg = FindDialog(i_id);
        const bool b_late = std::chrono::steady_clock::now() > t_end;
        if ((p_dlg == nullptr || !p_dlg->IsModal()) && !b_late)
            return;
        p_timer->Stop();
        wxTheApp->CallAfter([p_timer] { delete p_timer; });
        ASSERT_FALSE(b_late) << "dialog " << i_id << " did not come";
        f_drive(*p_dlg);
    });
    p_timer->Start(20);
}

class StartupScreensTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fsFolder = fs::temp_directory_path()
            / ("rvx-screens-" + std::to_string(getpid()) + "-"
               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(fsFolder);
        fs::create_directories(fsFolder / "events");
        for (const char* p : {"week-days.eve", "custom-days.eve"})
            fs::copy_file(fs::path(ROTAVEX_EVENTS_DIR) / p, fsFolder / "events" / p);
        const std::string s_machine = "[Software\\Vantor Software\\Rotavex]\n\"Path\"=sz:\"" + fsFolder.string()
            + "\"\n\"License\"=sz:\"" + (fsFolder / "licence.txt").string() + "\"\n\"UserGuide\"=sz:\""
            + (fsFolder / "guide.pdf").string() + "\"\n";
        WriteFileAtomically((fsFolder / "install.ini").string(), s_machine);
        CSettingsStore::Get().Configure((fsFolder / "user" / "settings").string(), (fsFolder / "install.ini").string());
    }

    void TearDown() override
    {
        App().ShutDown();
        CSettingsStore::Get().Configure("", "");
        fs::remove_all(fsFolder);
    }

    std::string Event(const char* p_name) const { return (fsFolder / "events" / p_name).string(); }

    void Start(const std::string& s_file = {})
    {
        ASSERT_TRUE(App().StartUp(s_file));
        Pump();
    }
    CMainFrame& Frame() { return *App().GetMainFrame(); }
    EventDoc& Doc() { return App().GetDocument()->GetEvent(); }

    // Two events in the recent files, custom-days newest; then a new event.
    void TwoRecentFiles()
    {
        ASSERT_EQ(App().OpenDocumentFile(Event("week-days.eve")), CRotavexApp::e_opened);
        ASSERT_EQ(App().OpenDocumentFile(Event("custom-days.eve")), CRotavexApp::e_opened);
        App().OnFileNew();
        Pump();
        ASSERT_TRUE(Doc().GetPathName().empty());
    }

    fs::path fsFolder;
    ScriptedMessageBox Boxes;
    ScriptedFileDialogs Files;
    RecordingDesktop Desktop;
};

int CountDark(const wxImage& image, const wxRect& rc)
{
    int n = 0;
    for (int y = rc.y; y < rc.GetBottom(); ++y)
        for (int x = rc.x; x < rc.GetRight(); ++x)
            n += image.GetRed(x, y) < 80 && image.GetGreen(x, y) < 80 && image.GetBlue(x, y) < 80 ? 1 : 0;
    return n;
}

} // namespace

TEST_F(StartupScreensTest, AKeyPressEndsTheSplashIsSwallowedAndTheStartupDialogFollows)
{
    Start();
    ASSERT_TRUE(AppSettings::GetStartupDialogFlag());
    // Painting the splash runs nothing else that is waiting.
    bool b_ranEarly = false;
    wxTheApp->CallAfter([&] { b_ranEarly = true; });
    App().ShowSplash(60000);
    EXPECT_FALSE(b_ranEarly);
    Pump();
    EXPECT_TRUE(b_ranEarly);
    SplashScreen* p_splash = App().GetSplash();
    ASSERT_NE(p_splash, nullptr);
    EXPECT_TRUE(p_splash->IsShown());
    EXPECT_TRUE(p_splash->HasBeenPainted());
    EXPECT_EQ(p_splash->GetClientSize(), LoadSplashBitmap(IDB_SPLASH).GetSize());
    // The release at (240, 180) and the notices from (240, 300), in black.
    const wxImage image = p_splash->GetComposed().ConvertToImage();
    EXPECT_GT(CountDark(image, wxRect(240, 180, 80, 14)), 10);
    EXPECT_GT(CountDark(image, wxRect(240, 300, 160, 28)), 10);
    EXPECT_EQ(CountDark(image, wxRect(240, 200, 160, 60)), 0);
    ShowAWhile();

    bool b_reached = false;
    const auto f_key = [&](wxKeyEvent&) { b_reached = true; };
    Frame().Bind(wxEVT_KEY_DOWN, f_key);
    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.m_keyCode = 'A';
    key.SetEventObject(&Frame());
    Frame().ProcessWindowEvent(key);
    EXPECT_FALSE(b_reached);
    EXPECT_EQ(App().GetSplash(), nullptr);
    EXPECT_FALSE(App().IsSplashUp());

    // The dialog comes next; its close box posts nothing and the new event
    // stays. "OpenLast" is written with what the dialog took, which a
    // close box does not take from the check box.
    AppSettings::SetOpenLast(TRUE);
    bool b_shown = false;
    WhenUp(IDD_STARTUP, [&](wxDialog& dlg) {
        b_shown = true;
        EXPECT_EQ(dlg.GetTitle(), "Start Rotavex");
        AppSettings::SetOpenLast(FALSE);
        Control<wxCheckBox>(dlg, IDC_STARTUP_OPEN_LAST)->SetValue(false);
        dlg.EndModal(wxID_CANCEL);
    });
    Pump();
    EXPECT_TRUE(b_shown);
    EXPECT_TRUE(AppSettings::GetOpenLast());
    EXPECT_FALSE(AppSettings::GetStartupDialogFlag());
    EXPECT_TRUE(Doc().GetPathName().empty());

    // Later keys go their way.
    Frame().ProcessWindowEvent(key);
    EXPECT_TRUE(b_reached);
    Frame().Unbind(wxEVT_KEY_DOWN, f_key);
}

// The event's definition as the document asks for it, counted.
class CountingSheets : public IDocumentSheetsPort {
public:
    CountingSheets() { pPrevious = SetDocumentSheetsPort(this); }
    ~CountingSheets() override { SetDocumentSheetsPort(pPrevious); }
    int DefineEvent(EventDoc&) override
    {
        ++nDefined;
        return IDCANCEL;
    }
    int EditPreferences(EventDoc&, Preferences&) override { return IDCANCEL; }
    int EditSchedulingRules(EventDoc&, SchedulingRules&) override { return IDCANCEL; }
    int nDefined = 0;

private:
    IDocumentSheetsPort* pPrevious;
};

// Without a file the user chooses in the start-up dialog after the splash;
// the new event's definition opens only from its New, never beside it.
// Without the splash (no start-up dialog) it opens at once.
TEST_F(StartupScreensTest, ANewEventsDefinitionWaitsForTheStartupDialogsNew)
{
    CountingSheets sheets;
    CEventDocument::SetSheetAvailable(EventDoc::ID_NEW_EVENT_DEFINITION, true);
    App().RequestSplash(true);
    Start();
    App().RequestSplash(false);
    ASSERT_TRUE(App().IsSplashUp());
    Pump();
    EXPECT_EQ(sheets.nDefined, 0);

    bool b_shown = false;
    WhenUp(IDD_STARTUP, [&](wxDialog& dlg) {
        b_shown = true;
        EXPECT_EQ(sheets.nDefined, 0);
        Click(dlg, IDC_STARTUP_NEW);
    });
    App().EndSplash();
    PumpFor(3000, [&] { return sheets.nDefined > 0; });
    EXPECT_TRUE(b_shown);
    EXPECT_EQ(sheets.nDefined, 1);

    App().ShutDown();
    sheets.nDefined = 0;
    Start();
    EXPECT_EQ(sheets.nDefined, 1);
    CEventDocument::SetSheetAvailable(EventDoc::ID_NEW_EVENT_DEFINITION, false);
}

TEST_F(StartupScreensTest, AMouseClickOrTheTimeEndsTheSplashAMissingPictureShowsNone)
{
    Start(Event("week-days.eve"));
    // A file on the command line: no dialog after the splash.
    App().ShowSplash(60000);
    ASSERT_NE(App().GetSplash(), nullptr);
    wxMouseEvent click(wxEVT_LEFT_DOWN);
    click.SetEventObject(App().GetSplash());
    App().GetSplash()->ProcessWindowEvent(click);
    EXPECT_EQ(App().GetSplash(), nullptr);
    Pump();
    EXPECT_EQ(FindDialog(IDD_STARTUP), nullptr);

    // Without its picture no window shows, but the time runs and its end
    // brings the dialog when due.
    AppSettings::SetStartupDialogFlag(TRUE);
    App().ShowSplash(100, 9999);
    EXPECT_EQ(App().GetSplash(), nullptr);
    EXPECT_TRUE(App().IsSplashUp());
    bool b_shown = false;
    WhenUp(IDD_STARTUP, [&](wxDialog& dlg) {
        b_shown = true;
        dlg.EndModal(wxID_CANCEL);
    });
    PumpFor(3000, [&] { return b_shown; });
    EXPECT_TRUE(b_shown);
    EXPECT_FALSE(App().IsSplashUp());
}

TEST_F(StartupScreensTest, TheStartupDialogListsTheRecentFilesAndOpensTheChosenOne)
{
    Start();
    TwoRecentFiles();
    bool b_shown = false;
    WhenUp(IDD_STARTUP, [&](wxDialog& dlg) {
        b_shown = true;
        auto* p_list = Control<ZelListCtrl>(dlg, IDC_STARTUP_FILES);
        ASSERT_NE(p_list, nullptr);
        ASSERT_EQ(p_list->GetItemCount(), 2);
        EXPECT_EQ(p_list->GetColumnCount(), 2);
        EXPECT_EQ(p_list->GetItemText(0, 0), Event("custom-days.eve"));
        EXPECT_EQ(p_list->GetItemText(0, 1), "Festival weekend");
        EXPECT_EQ(p_list->GetItemText(1, 1), "Weekly classes");
        EXPECT_FALSE(Control<wxCheckBox>(dlg, IDC_STARTUP_OPEN_LAST)->GetValue());
        for (const int i_id : {IDC_STARTUP_NEW, IDC_STARTUP_OPEN, IDC_STARTUP_SAMPLE, IDC_STARTUP_EXIT})
            EXPECT_NE(Control<wxButton>(dlg, i_id), nullptr) << i_id;
        ShowAWhile();
        p_list->SelectItem(1);
        Control<wxCheckBox>(dlg, IDC_STARTUP_OPEN_LAST)->SetValue(true);
        Click(dlg, IDC_STARTUP_OPEN);
    });
    App().ShowStartupDialog();
    Pump();
    EXPECT_TRUE(b_shown);
    EXPECT_TRUE(AppSettings::GetOpenLast());
    EXPECT_EQ(Doc().GetPathName(), Event("week-days.eve"));

    // Open without a row: the file dialog.
    WhenUp(IDD_STARTUP, [&](wxDialog& dlg) {
        Control<ZelListCtrl>(dlg, IDC_STARTUP_FILES)->UnselectAll();
        Click(dlg, IDC_STARTUP_OPEN);
    });
    AppSettings::SetOpenLast(FALSE);
    Files.AnswerCancel();
    App().ShowStartupDialog();
    Pump();
    ASSERT_EQ(Files.Requests().size(), 1u);
    EXPECT_EQ(Files.Requests()[0].sTitle, "Open");

    // A double click on a row opens it.
    WhenUp(IDD_STARTUP, [&](wxDialog& dlg) {
        auto* p_list = Control<ZelListCtrl>(dlg, IDC_STARTUP_FILES);
        p_list->SelectItem(1);
        ZelNotifyEvent dbl(NM_DBLCLK, p_list);
        dbl.SetId(WxId(IDC_STARTUP_FILES));
        dlg.GetEventHandler()->ProcessEvent(dbl);
    });
    App().ShowStartupDialog();
    Pump();
    EXPECT_EQ(Doc().GetPathName(), Event("custom-days.eve"));
}

TEST_F(StartupScreensTest, OpenLastOpensTheLastFileByItselfUnlessItIsMissing)
{
    Start();
    TwoRecentFiles();
    AppSettings::SetOpenLast(TRUE);
    App().ShowStartupDialog();
    Pump();
    EXPECT_EQ(Doc().GetPathName(), Event("custom-days.eve"));
    EXPECT_TRUE(AppSettings::GetOpenLast());

    // The last file gone: the dialog stays, saying so.
    App().OnFileNew();
    fs::remove(Event("custom-days.eve"));
    bool b_shown = false;
    WhenUp(IDD_STARTUP, [&](wxDialog& dlg) {
        b_shown = true;
        auto* p_list = Control<ZelListCtrl>(dlg, IDC_STARTUP_FILES);
        ASSERT_EQ(p_list->GetItemCount(), 2);
        EXPECT_EQ(p_list->GetItemText(0, 1), "(Not found)");
        EXPECT_TRUE(Control<wxCheckBox>(dlg, IDC_STARTUP_OPEN_LAST)->GetValue());
        Click(dlg, IDC_STARTUP_NEW);
    });
    App().ShowStartupDialog();
    Pump();
    EXPECT_TRUE(b_shown);
    EXPECT_TRUE(Doc().GetPathName().empty());
}

TEST_F(StartupScreensTest, SavingOverAnOlderFileAsksAndTheAnswerDecides)
{
    Start();
    struct Case {
        const char* pWhat;
        int iButton;
        bool bSaved;
        const char* pPathAfter; // under events/
    };
    const Case a_cases[] = {
        {"cancel", wxID_CANCEL, false, "week-days.eve"},
        {"overwrite", IDC_REVISION_OVERWRITE, true, "week-days.eve"},
        {"save as", IDC_REVISION_SAVE_AS, true, "copy.eve"},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhat);
        ASSERT_NE(App().OpenDocumentFile(Event("week-days.eve")), CRotavexApp::e_failed);
        const auto t_before = fs::last_write_time(Event("week-days.eve"));
        Doc().SetFileVersion(38);
        Doc().SetModifiedFlag();
        if (c.iButton == IDC_REVISION_SAVE_AS)
            Files.AnswerPath((fsFolder / "events" / "copy.eve").string());
        bool b_asked = false;
        WhenUp(IDD_REVISION_CHANGED, [&](wxDialog& dlg) {
            b_asked = true;
            EXPECT_EQ(dlg.GetTitle(), "Revision has changed");
            // A user guide exists: "More information" opens it, and the
            // question stays.
            Click(dlg, IDC_REVISION_MORE_INFO);
            EXPECT_EQ(Desktop.Opened().back(), (fsFolder / "guide.pdf").string());
            EXPECT_TRUE(dlg.IsModal());
            if (c.iButton == wxID_CANCEL)
                dlg.EndModal(wxID_CANCEL);
            else
                Click(dlg, c.iButton);
        });
        Frame().RunCommand(ID_FILE_SAVE);
        Pump();
        EXPECT_TRUE(b_asked);
        EXPECT_EQ(Doc().IsModified(), !c.bSaved);
        EXPECT_EQ(Doc().GetFileVersion(), c.bSaved ? 40u : 38u);
        EXPECT_EQ(Doc().GetPathName(), Event(c.pPathAfter));
        EXPECT_EQ(fs::last_write_time(Event("week-days.eve")) != t_before, c.iButton == IDC_REVISION_OVERWRITE);
        Doc().SetModifiedFlag(FALSE);
    }
}

TEST_F(StartupScreensTest, WithoutAUserGuideMoreInformationIsDisabled)
{
    RevisionChgDlg dlg(nullptr, "");
    EXPECT_FALSE(Control<wxButton>(dlg, IDC_REVISION_MORE_INFO)->IsEnabled());
    RevisionChgDlg with_guide(nullptr, "/x/guide.pdf");
    EXPECT_TRUE(Control<wxButton>(with_guide, IDC_REVISION_MORE_INFO)->IsEnabled());
    with_guide.Show();
    ShowAWhile();
}

TEST_F(StartupScreensTest, TheAboutBoxShowsTheReleaseAndItsLinksOpen)
{
    Start();
    bool b_shown = false;
    WhenUp(IDD_ABOUTBOX, [&](wxDialog& dlg) {
        b_shown = true;
        EXPECT_EQ(dlg.GetTitle(), "About Rotavex");
        EXPECT_EQ(Control<wxStaticText>(dlg, IDC_ABOUT_PRODUCT)->GetLabel(), "Rotavex Revision 1.89");
        EXPECT_EQ(Control<wxStaticText>(dlg, IDC_ABOUT_NOTICE)->GetLabel(), "Copyright (C) 2026 Vantor Software.");
        auto* p_email = Control<CStaticLink>(dlg, IDC_ABOUT_EMAIL);
        auto* p_web = Control<CStaticLink>(dlg, IDC_ABOUT_WEB);
        ASSERT_NE(p_email, nullptr);
        ASSERT_NE(p_web, nullptr);
        EXPECT_EQ(p_email->GetLabel(), "support@rotavex.example");
        EXPECT_EQ(p_web->GetLabel(), "https://rotavex.example/");
        EXPECT_TRUE(p_email->GetFont().GetUnderlined());
        EXPECT_EQ(p_email->GetForegroundColour(), wxColour(0, 0, 255));
        ShowAWhile();

        // The mail link opens its "mailto:", the web link its own text.
        wxMouseEvent click(wxEVT_LEFT_DOWN);
        click.SetEventObject(p_email);
        p_email->ProcessWindowEvent(click);
        EXPECT_EQ(Desktop.Opened().back(), "mailto:support@rotavex.example");
        EXPECT_EQ(p_email->GetForegroundColour(), wxColour(128, 0, 128));

        // A link the desktop cannot open beeps and stays blue.
        class Failing : public IDesktopPort {
        public:
            bool Open(const std::string&) override { return false; }
        } failing;
        IDesktopPort* p_previous = SetDesktopPort(&failing);
        EXPECT_EQ(p_web->Open(), StaticLinkState::e_failed);
        SetDesktopPort(p_previous);
        EXPECT_EQ(p_web->GetForegroundColour(), wxColour(0, 0, 255));
        EXPECT_EQ(p_web->Open(), StaticLinkState::e_opened);
        EXPECT_EQ(Desktop.Opened().back(), "https://rotavex.example/");
        Click(dlg, wxID_OK);
    });
    EXPECT_TRUE(Frame().RunCommand(ID_APP_ABOUT));
    Pump();
    EXPECT_TRUE(b_shown);
}
