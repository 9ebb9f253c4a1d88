// Event > Build timetable and Check timetable in the program, in-process
// under a virtual display: the message bar and the busy pointer from the
// menu choice on, the options asked before the build map is made (their
// Cancel makes none), the options set in the real dialog reaching the
// build, and the progress window's Cancel button leaving the timetable the
// user had.
//
// With ROTAVEX_SHOW_SECONDS set, the generated event stays on screen that
// long before the rebuild and after its Cancel (ROTAVEX_SHOW_ONLY "before"
// or "after" picks one), and the small event after a cancelled build with
// a pane's count in the message bar ("cancelled"), for screenshots.
#include "engine/BuildReports.h"
#include "engine/ProgressPort.h"
#include "engine/TTMap.h"
#include "framework/MessageBox.h"
#include "framework/ui/WindowClass.h"
#include "framework/ui/WxIds.h"
#include "generators/EventGenerator.h"
#include "model/EventDoc.h"
#include "model/EventFile.h"
#include "model/Preferences.h"
#include "shell/dialogs/BuildDialogs.h"
#include "shell/dialogs/ProgressDlg.h"
#include "shell/frame/CommandIds.h"
#include "shell/frame/EventDocument.h"
#include "shell/frame/MainFrm.h"
#include "shell/frame/PaneView.h"
#include "shell/frame/RotavexApp.h"
#include "shell/lists/ItemListView.h"
#include "shell/lists/VenueView.h"
#include "testsupport/ArchiveBytes.h"
#include "testsupport/EventBuilder.h"
#include "testsupport/ProgramFolder.h"
#include "testsupport/ui/RotavexAppEnvironment.h"
#include "testsupport/ui/SampleProgram.h"
#include "testsupport/ui/WxLoopDriving.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <wx/checkbox.h>
#include <wx/statusbr.h>
#include <wx/utils.h>

namespace fs = std::filesystem;

namespace {

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new RotavexAppEnvironment);

// The program's progress port with a look at every dispatch of the events
// and at the build's window while one is up.
class WatchingProgress : public IProgressPort {
public:
    WatchingProgress() : pPrevious(SetProgressPort(this)) {}
    ~WatchingProgress() override { SetProgressPort(pPrevious); }
    WatchingProgress(const WatchingProgress&) = delete;
    WatchingProgress& operator=(const WatchingProgress&) = delete;

    std::unique_ptr<IProgressWindow> Show(BuildProgressModel& model) override
    {
        std::unique_ptr<IProgressWindow> p_window = Inner.Show(model);
        if (!p_window)
            return nullptr;
        pModel = &model;
        return std::make_unique<Window>(*this, std::move(p_window));
    }
    void Pump() override
    {
        if (fOnPump)
            fOnPump(pModel);
        Inner.Pump();
    }
    void Yield() override { Inner.Yield(); }

    // Called as each dispatch begins, with the build window's model (null
    // while no window is up).
    std::function<void(BuildProgressModel*)> fOnPump;

private:
    class Window : public IProgressWindow {
    public:
        Window(WatchingProgress& port, std::unique_ptr<IProgressWindow> p_inner)
            : Port(port), pInner(std::move(p_inner))
        {
        }
        ~Window() override { Port.pModel = nullptr; }
        void Refresh(UINT u_parts) override { pInner->Refresh(u_parts); }
        void Disable() override { pInner->Disable(); }

    private:
        WatchingProgress& Port;
        std::unique_ptr<IProgressWindow> pInner;
    };

    WxProgressPort Inner;
    BuildProgressModel* pModel = nullptr;
    IProgressPort* pPrevious;
};

// The build's progress window on screen.
TTBuildProgressDlg* ProgressWindow()
{
    for (wxWindow* p_win : wxTopLevelWindows)
        if (auto* p = dynamic_cast<TTBuildProgressDlg*>(p_win))
            return p;
    return nullptr;
}

// Two venues, a member shared by Gee (locked in Hall at 09:00) and Ole,
// each once; Ada without limits.
void WriteSmallEvent(const fs::path& fs_file)
{
    testevent::EventBuilder event;
    event.Name("Small fair").Days({"Mon"}).Venue("Hall").Venue("Barn");
    event.VenueSlots(0, "Hall", {"09:00-10:00"}).VenueSlots(0, "Barn", {"10:00-11:00", "11:00-12:00"});
    event.Participant("Pat Doe");
    event.Group("Gee", [](Group& g) { g.SetEventLimits(SchedLim(SchedLim::e_range, 0, 1, 1)); });
    event.Group("Ole", [](Group& g) { g.SetEventLimits(SchedLim(SchedLim::e_range, 0, 1, 1)); });
    event.Group("Ada").Member("Gee", "Pat Doe").Member("Ole", "Pat Doe").Timetable();
    event.Place(0, "Hall", "09:00", "Gee", true);
    event.Doc().GetPreferences().SetAllowTravel(FALSE);
    event.Doc().GetPreferences().SetFillEmptySlots(FALSE);
    event.Doc().GetPreferences().SetSkipBuildOptions(FALSE);
    ASSERT_TRUE(EventFile().Save(event.Doc(), fs_file.string()));
}

// The generated event the rebuilds are tried on: placements, locks,
// limits, rules, members.
void WriteGeneratedEvent(const fs::path& fs_file)
{
    benchevent::EventOptions options;
    options.nGroups = 500;
    options.nParticipants = 1250;
    benchevent::ResetKeyCounters();
    std::unique_ptr<EventDoc> p_doc = benchevent::GenerateEvent(options);
    p_doc->SetEventName("Generated");
    p_doc->GetPreferences().SetSkipBuildOptions(TRUE);
    p_doc->GetPreferences().SetFillEmptySlots(FALSE);
    ASSERT_TRUE(EventFile().Save(*p_doc, fs_file.string()));
}

class BuildCommandWxTest : public ::testing::Test {
public:
    void TearDown() override
    {
        if (CEventDocument* p_doc = TheApp()->GetDocument()) {
            p_doc->GetEvent().SetModifiedFlag(false);
            p_doc->Modify(false);
        }
        pWatch.reset();
        Program.ShutDown();
        if (bVenueView)
            WindowClasses::Unregister(kVenueView);
        fs::remove_all(fsSource);
    }

    bool Start(const std::function<void(const fs::path&)>& f_write, const char* p_name)
    {
        fsSource = MakeTestFolder(std::string("rvx-buildcmd-src-") + p_name);
        const fs::path fs_file = fsSource / (std::string(p_name) + ".eve");
        f_write(fs_file);
        if (!Program.Start(std::string("rvx-buildcmd-") + p_name, fs_file, 1000, 700))
            return false;
        pWatch = std::make_unique<WatchingProgress>();
        return true;
    }

    CMainFrame& Frame() { return *TheApp()->GetMainFrame(); }
    EventDoc& Doc() { return TheApp()->GetDocument()->GetEvent(); }
    wxString Message() { return Frame().GetStatusBar()->GetStatusText(0); }
    testbytes::Bytes Saved() { return testbytes::Store(Doc(), &Doc()); }

    ScriptedMessageBox Boxes;
    SampleProgram Program;
    std::unique_ptr<WatchingProgress> pWatch;
    fs::path fsSource;
    // The venue pane is on screen (registered before the program starts).
    bool bVenueView = false;
};

TEST_F(BuildCommandWxTest, TheOptionsComeBeforeTheMapAndWhatTheUserSetsThereReachesTheBuild)
{
    ASSERT_TRUE(Start(WriteSmallEvent, "small"));
    const std::uint64_t n_maps = TTMap::GetMapsMade();
    // The first dispatch after the options: the map is about to be made.
    bool b_busy_at_map = false;
    wxString s_message_at_map;
    bool b_seen_map = false;
    pWatch->fOnPump = [&](BuildProgressModel* p_model) {
        if (b_seen_map || p_model != nullptr || FindModal<BuildOptionsDlg>() != nullptr)
            return;
        b_seen_map = true;
        b_busy_at_map = wxIsBusy();
        s_message_at_map = Message();
    };
    wxString s_message_at_options;
    std::uint64_t n_maps_at_options = 0;
    WhenShown<BuildOptionsDlg>([&](BuildOptionsDlg& dlg) {
        s_message_at_options = Message();
        n_maps_at_options = TTMap::GetMapsMade();
        auto* p_travel = wxDynamicCast(dlg.FindWindow(WxId(IDC_BUILD_ALLOW_TRAVEL)), wxCheckBox);
        auto* p_fill = wxDynamicCast(dlg.FindWindow(WxId(IDC_BUILD_FILL)), wxCheckBox);
        ASSERT_NE(p_travel, nullptr);
        ASSERT_NE(p_fill, nullptr);
        for (auto [p_box, u_id] : {std::pair{p_travel, IDC_BUILD_ALLOW_TRAVEL}, std::pair{p_fill, IDC_BUILD_FILL}}) {
            p_box->SetValue(true);
            wxCommandEvent click(wxEVT_CHECKBOX, WxId(u_id));
            click.SetEventObject(p_box);
            click.SetInt(1);
            p_box->GetEventHandler()->ProcessEvent(click);
        }
        TypeInLoop(dlg, WxId(IDC_BUILD_TRAVEL_MINUTES), "30");
        PressInLoop(dlg, wxID_OK);
    });
    Frame().RunCommand(EventDoc::ID_BUILD_TIMETABLE);
    Pump();

    EXPECT_EQ(s_message_at_options, "Building the timetable...");
    EXPECT_EQ(n_maps_at_options, n_maps) << "no map before the options";
    EXPECT_EQ(TTMap::GetMapsMade(), n_maps + 1);
    EXPECT_TRUE(b_seen_map);
    EXPECT_TRUE(b_busy_at_map) << "the busy pointer as the map is made";
    EXPECT_EQ(s_message_at_map, "Building the timetable...");
    const Preferences& prefs = Doc().GetPreferences();
    EXPECT_TRUE(prefs.GetAllowTravel());
    EXPECT_EQ(prefs.GetTravelMinutes(), 30U);
    EXPECT_TRUE(prefs.GetFillEmptySlots());
    // Travel time keeps Ole from the slot right after Gee in another venue,
    // and the fill places Ada there.
    const Timetable& timetable = *Doc().GetTimetable();
    const GroupList& groups = Doc().GetGroups();
    const TimeslotArray& a_barn = timetable.GetDay(0).GetVenueSlots(1);
    ASSERT_EQ(a_barn.GetSize(), 2);
    EXPECT_EQ(a_barn[0].GetGroup(), groups[groups.FindByName("Ada")].GetKey());
    EXPECT_EQ(a_barn[1].GetGroup(), groups[groups.FindByName("Ole")].GetKey());
    EXPECT_TRUE(timetable.IsValid());
    EXPECT_EQ(Message(), CEventDocument::BuiltMessage());
    EXPECT_FALSE(wxIsBusy());
}

TEST_F(BuildCommandWxTest, CancelInTheOptionsMakesNoMapAndLeavesTheEventAlone)
{
    ASSERT_TRUE(Start(WriteSmallEvent, "options"));
    const std::uint64_t n_maps = TTMap::GetMapsMade();
    const testbytes::Bytes a_before = Saved();
    ASSERT_FALSE(Doc().IsModified());
    WhenShown<BuildOptionsDlg>([&](BuildOptionsDlg& dlg) {
        auto* p_fill = wxDynamicCast(dlg.FindWindow(WxId(IDC_BUILD_FILL)), wxCheckBox);
        ASSERT_NE(p_fill, nullptr);
        p_fill->SetValue(true);
        PressInLoop(dlg, wxID_CANCEL);
    });
    Frame().RunCommand(EventDoc::ID_BUILD_TIMETABLE);
    Pump();
    EXPECT_EQ(TTMap::GetMapsMade(), n_maps);
    EXPECT_TRUE(Saved() == a_before);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(Message(), "Ready");
    EXPECT_FALSE(wxIsBusy());
}

TEST_F(BuildCommandWxTest, CheckShowsTheBusyPointerAndItsWordAtOnce)
{
    ASSERT_TRUE(Start(WriteSmallEvent, "check"));
    std::vector<std::pair<bool, wxString>> v_pumps;
    pWatch->fOnPump = [&](BuildProgressModel*) { v_pumps.emplace_back(wxIsBusy(), Message()); };
    Frame().RunCommand(EventDoc::ID_CHECK_TIMETABLE);
    Pump();
    // The small check dispatches once, as it begins, with both on screen.
    ASSERT_FALSE(v_pumps.empty());
    EXPECT_TRUE(v_pumps[0].first);
    EXPECT_EQ(v_pumps[0].second, "Checking the timetable...");
    ASSERT_EQ(Boxes.Boxes().size(), 1U);
    EXPECT_FALSE(wxIsBusy());
    EXPECT_EQ(Message(), "Ready");
}

// The generated event built and saved, then built again and cancelled
// with the progress window's own button once the search or the fill is
// under way: the placements, the locks, the valid flag and the date are
// the ones the event had, and there is nothing to save.
TEST_F(BuildCommandWxTest, TheProgressWindowsCancelLeavesTheTimetableTheUserHad)
{
    ASSERT_TRUE(Start(WriteGeneratedEvent, "generated"));
    Frame().RunCommand(EventDoc::ID_BUILD_TIMETABLE);
    Pump();
    ASSERT_TRUE(Doc().GetTimetable()->IsValid()) << "the generated event builds valid";
    // The rebuild fills empty slots, a stage that lasts long enough on this
    // event for the window to be pumped in it whatever the machine's pace;
    // the minimum stage before it can pass between two pumps.
    Doc().GetPreferences().SetFillEmptySlots(TRUE);
    Frame().RunCommand(ID_FILE_SAVE);
    Pump();
    const testbytes::Bytes a_before = Saved();
    const int n_empty = Doc().GetTimetable()->CountUnfilled(-1, -1);
    ASSERT_FALSE(Doc().IsModified());
    ShowAWhile("before");

    bool b_pressed = false;
    pWatch->fOnPump = [&](BuildProgressModel* p_model) {
        if (b_pressed || p_model == nullptr)
            return;
        const std::string& s_stage = p_model->GetDescription();
        if (s_stage.rfind("Enforcing minimum", 0) != 0 && s_stage.rfind("Filling empty slots", 0) != 0)
            return;
        TTBuildProgressDlg* p_dlg = ProgressWindow();
        ASSERT_NE(p_dlg, nullptr);
        wxWindow* p_cancel = p_dlg->FindWindow(wxID_CANCEL);
        ASSERT_NE(p_cancel, nullptr);
        ASSERT_TRUE(p_cancel->IsEnabled());
        wxCommandEvent click(wxEVT_BUTTON, wxID_CANCEL);
        click.SetEventObject(p_cancel);
        p_cancel->GetEventHandler()->ProcessEvent(click);
        b_pressed = true;
    };
    Frame().RunCommand(EventDoc::ID_BUILD_TIMETABLE);
    Pump();
    ASSERT_TRUE(b_pressed) << "the search was under way";
    EXPECT_EQ(ProgressWindow(), nullptr);
    EXPECT_EQ(Doc().GetTimetable()->CountUnfilled(-1, -1), n_empty);
    EXPECT_TRUE(Saved() == a_before) << "the saved event is the same, byte for byte";
    EXPECT_TRUE(Doc().GetTimetable()->IsValid());
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(Message(), CEventDocument::BuiltMessage()) << "the word of the build that made it holds";
    EXPECT_TRUE(Frame().IsEnabled());
    EXPECT_FALSE(wxIsBusy());
    ShowAWhile("after");
}

// A build cancelled in its options or in its progress window built
// nothing: the message bar says again what it said before the command,
// whether that was the word of the opened event ("Ready"), the word of the
// build that made the timetable, or a pane's count of its rows after that
// build (the bar must not claim the build then).
TEST_F(BuildCommandWxTest, ACancelledBuildLeavesTheMessageBarAsItWas)
{
    ASSERT_TRUE(RegisterVenueView());
    bVenueView = true;
    ASSERT_TRUE(Start(WriteSmallEvent, "message"));
    // The fill places Ada, which has no limits: no report of groups never
    // placed comes at the end.
    Doc().GetPreferences().SetFillEmptySlots(TRUE);
    auto build = [&] {
        WhenShown<BuildOptionsDlg>([](BuildOptionsDlg& dlg) { PressInLoop(dlg, wxID_OK); });
        Frame().RunCommand(EventDoc::ID_BUILD_TIMETABLE);
        Pump();
        ASSERT_TRUE(Doc().GetTimetable()->IsValid()) << "the small event builds valid";
        ASSERT_EQ(Message(), CEventDocument::BuiltMessage());
    };
    auto click_venues = [&] {
        auto* p_venues = dynamic_cast<ItemListView*>(Frame().FindView(kVenueView, true));
        ASSERT_NE(p_venues, nullptr);
        p_venues->Click(0, FALSE, FALSE);
        Pump();
        ASSERT_NE(Message(), CEventDocument::BuiltMessage()) << "the pane counts its rows";
        ASSERT_NE(Message(), "Ready");
    };
    // The Cancel in the options dialog, or in the progress window as soon
    // as it is up.
    auto cancel_options = [] {
        WhenShown<BuildOptionsDlg>([](BuildOptionsDlg& dlg) { PressInLoop(dlg, wxID_CANCEL); });
    };
    bool b_pressed = false;
    auto cancel_progress = [&] {
        WhenShown<BuildOptionsDlg>([](BuildOptionsDlg& dlg) { PressInLoop(dlg, wxID_OK); });
        pWatch->fOnPump = [&](BuildProgressModel* p_model) {
            if (b_pressed || p_model == nullptr)
                return;
            TTBuildProgressDlg* p_dlg = ProgressWindow();
            ASSERT_NE(p_dlg, nullptr);
            wxWindow* p_cancel = p_dlg->FindWindow(wxID_CANCEL);
            ASSERT_NE(p_cancel, nullptr);
            wxCommandEvent click(wxEVT_BUTTON, wxID_CANCEL);
            click.SetEventObject(p_cancel);
            p_cancel->GetEventHandler()->ProcessEvent(click);
            b_pressed = true;
        };
    };
    struct Case {
        const char* pWhat;
        // Brings the message bar to what it says before the build.
        std::function<void()> fBefore;
        bool bInProgress;
    };
    // In this order: the event is unbuilt until the third.
    const Case a_cases[] = {
        {"the opened event's word, Cancel in the options", [] {}, false},
        {"the opened event's word, Cancel in the progress window", [] {}, true},
        {"the built word, Cancel in the options", build, false},
        {"the built word, Cancel in the progress window", build, true},
        {"a pane's count after a build, Cancel in the options",
         [&] {
             build();
             click_venues();
         },
         false},
        {"a pane's count after a build, Cancel in the progress window",
         [&] {
             build();
             click_venues();
         },
         true},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhat);
        c.fBefore();
        if (::testing::Test::HasFatalFailure())
            return;
        Doc().SetModifiedFlag(false);
        const std::string s_before = Message().ToStdString();
        const testbytes::Bytes a_before = Saved();
        b_pressed = false;
        if (c.bInProgress)
            cancel_progress();
        else
            cancel_options();
        Frame().RunCommand(EventDoc::ID_BUILD_TIMETABLE);
        Pump();
        pWatch->fOnPump = nullptr;
        EXPECT_EQ(b_pressed, c.bInProgress);
        EXPECT_EQ(ProgressWindow(), nullptr);
        EXPECT_TRUE(Saved() == a_before) << "nothing was built";
        EXPECT_FALSE(Doc().IsModified());
        EXPECT_EQ(Message().ToStdString(), s_before);
        EXPECT_FALSE(wxIsBusy());
    }
    ShowAWhile("cancelled");
}

} // namespace
