// The "Roster participants" dialog without its window: what it opens with,
// each code of the worker, and whole runs on the worker thread (Stop in the
// minimum pass, a run that changes nothing, a run that ends in the
// timetable's check, a failure on the worker), the document's busy mark,
// the participant texts that wait as one, and the end of the dialog during
// a run.
#include "roster/RosterCtrlPresenter.h"
#include "engine/BuildEngine.h"
#include "engine/TTMap.h"
#include "roster/RosterEngine.h"
#include "roster/tests/RosterBed.h"

#include "generators/RosterGenerator.h"
#include "framework/MessageBox.h"
#include "model/General.h"
#include "model/ShellPorts.h"
#include "generators/SampleEvents.h"
#include "zelkit/base/ZelAssert.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

using namespace rostertest;
using P = RosterCtrlPresenter;

namespace {

std::string Text(UINT u_id) { return LoadResString(u_id, "?"); }

// The dialog's two threads: the worker queues its codes here, and the test,
// standing for the user-interface thread, hands them to the presenter. A
// gate holds the worker inside the post it matches until the test opens it.
class Harness {
public:
    explicit Harness(EventDoc& doc) : Presenter(doc, [this](const RosterPost& post) { Queue(post); })
    {
        Presenter.OnInitDialog("Cancel", "&View errors");
    }
    ~Harness() { Open(); }
    Harness(const Harness&) = delete;
    Harness& operator=(const Harness&) = delete;

    // Each code as it comes until the run has ended; f_after sees each
    // after the presenter has handled it. The codes handled, in order.
    std::vector<int> Pump(const std::function<void(const RosterPost&)>& f_after = {})
    {
        std::vector<int> v_codes;
        while (Presenter.IsRunning()) {
            const RosterPost post = Next();
            Presenter.OnRosterMessage(post);
            v_codes.push_back(post.iCode);
            if (f_after)
                f_after(post);
        }
        return v_codes;
    }

    // Waits until the worker has posted its end code, handling nothing.
    void WaitForEnd()
    {
        std::unique_lock lock(Lock);
        const bool b_ended = Arrived.wait_for(lock, std::chrono::seconds(60), [this] {
            return std::any_of(qPosts.begin(), qPosts.end(), [](const RosterPost& post) {
                return post.iCode == ROSTER_POST_CANCELLED || post.iCode == ROSTER_POST_FINISHED;
            });
        });
        ASSERT_TRUE(b_ended) << "the worker never ended";
    }

    // The codes queued and not yet handled.
    std::vector<RosterPost> Waiting()
    {
        std::lock_guard lock(Lock);
        return {qPosts.begin(), qPosts.end()};
    }
    void DropWaiting()
    {
        std::lock_guard lock(Lock);
        qPosts.clear();
    }

    void SetGate(std::function<bool(const RosterPost&)> f_gate) { fGate = std::move(f_gate); }
    void Open()
    {
        std::lock_guard lock(Lock);
        bOpen = true;
        Opened.notify_all();
    }

private:
    void Queue(const RosterPost& post)
    {
        std::unique_lock lock(Lock);
        qPosts.push_back(post);
        Arrived.notify_all();
        if (fGate && !bOpen && fGate(post))
            Opened.wait(lock, [this] { return bOpen; });
    }

    RosterPost Next()
    {
        std::unique_lock lock(Lock);
        if (!Arrived.wait_for(lock, std::chrono::seconds(60), [this] { return !qPosts.empty(); })) {
            ADD_FAILURE() << "no code from the worker";
            return RosterPost{ROSTER_POST_FINISHED, -1, 0, {}};
        }
        const RosterPost post = qPosts.front();
        qPosts.pop_front();
        return post;
    }

    std::mutex Lock;
    std::condition_variable Arrived;
    std::condition_variable Opened;
    std::deque<RosterPost> qPosts;
    std::function<bool(const RosterPost&)> fGate;
    bool bOpen = false;

public:
    RosterCtrlPresenter Presenter;
};

// The controls that change, as "text|shown|enabled" for buttons and the
// message, and the five counters.
struct Look {
    std::string sMessage;
    std::string sRoster;
    std::string sViewErrors;
    std::string sCancel;
    std::string sOk;
    std::string sCounters;

    bool operator==(const Look&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Look& look)
{
    return os << "\n message " << look.sMessage << "\n 1344 " << look.sRoster << "\n 1345 " << look.sViewErrors
              << "\n cancel " << look.sCancel << "\n ok " << look.sOk << "\n counters " << look.sCounters;
}

// A control whose text the presenter never set keeps its template's text.
std::string Button(const P& p, UINT u_id)
{
    return (p.GetTexts().count(u_id) ? p.GetText(u_id) : "(template)") + (p.IsShown(u_id) ? "|shown" : "|hidden") + (p.IsEnabled(u_id) ? "|on" : "|off");
}

// Minimum, to be rostered, errors, with rostering, maximum; a counter
// hidden shows as "-".
std::string Counters(const P& p)
{
    std::string s;
    for (const UINT u_id : {P::IDC_TO_MINIMUM, P::IDC_TO_BE_ROSTERED, P::IDC_ERRORS, P::IDC_WITH_ROSTERING,
                            P::IDC_TO_MAXIMUM}) {
        s += s.empty() ? "" : " ";
        s += p.IsShown(u_id) ? p.GetText(u_id) : "-";
    }
    return s;
}

Look LookOf(const P& p)
{
    return {p.GetText(P::IDC_MESSAGE), Button(p, P::IDC_ROSTER),   Button(p, P::IDC_VIEW_ERRORS),
            Button(p, P::IDC_CANCEL),  Button(p, P::IDC_OK) ,       Counters(p)};
}

class PresenterTest : public ::testing::Test {
public:
    void SetUp() override { Fresh(); }
    // The small event, and a style no group carries.
    void Fresh()
    {
        sampleevents::ResetKeyCounters();
        pEvent = std::make_unique<testevent::EventBuilder>();
        SmallEvent(*pEvent);
        pEvent->Style("Blues");
    }
    // The timetable with the small event's placements, the event unchanged.
    void Place()
    {
        E().Timetable();
        PlaceSmallEvent(E());
        Doc().SetModifiedFlag(false);
    }
    void Member(const std::string& s_group, const std::string& s_part, BOOL b_rostered)
    {
        E().GetGroup(s_group).GetMembers().SetMember(E().ParticipantKey(s_part), "", b_rostered);
    }
    testevent::EventBuilder& E() { return *pEvent; }
    EventDoc& Doc() { return pEvent->Doc(); }

    std::unique_ptr<testevent::EventBuilder> pEvent;
    ScriptedMessageBox boxes;
    ScriptedViews views;
};

// What the dialog opens with follows from the recount before a run.
TEST_F(PresenterTest, OpensWithTheRecountsMessageAndButtons)
{
    struct Case {
        const char* pWhat;
        std::function<void(PresenterTest&)> fSet;
        Look Expected;
    };
    const std::string s_roster = "&Roster";
    const Case a_cases[] = {
        {"work to do",
         [](PresenterTest& t) {
             t.E().Participant("Ann Lee", Styles(t.E(), {{"Jazz", 1}, {"Folk", 2}}, true))
                 .Participant("Bob Ray", Styles(t.E(), {{"Rock", 1}}, true));
             t.Place();
         },
         {Text(59177), s_roster + "|shown|on", "(template)|hidden|on", "(template)|shown|on", "(template)|hidden|off",
          "0 2 0 2 0"}},
        {"everybody at the maximum",
         [](PresenterTest& t) {
             t.E().Participant("Ann Lee", Styles(t.E(), {{"Jazz", 1}}, true));
             t.Place();
             t.Member("Trio", "Ann Lee", TRUE);
         },
         {Text(59178), s_roster + "|shown|off", "(template)|hidden|on", "(template)|shown|on", "(template)|hidden|off",
          "1 0 0 1 1"}},
        {"nobody to roster",
         [](PresenterTest& t) { t.Place(); },
         {Text(59178), s_roster + "|shown|off", "(template)|hidden|on", "(template)|shown|on", "(template)|hidden|off",
          "0 0 0 0 0"}},
        {"a style held twice",
         [](PresenterTest& t) {
             t.E().Participant("Ann Lee", Styles(t.E(), {{"Folk", 1}}, true));
             t.Place();
             t.Member("Ring", "Ann Lee", TRUE);
             t.Member("Duo", "Ann Lee", TRUE);
         },
         {Text(59176), "(template)|shown|on", "(template)|shown|on", "(template)|shown|on", "(template)|hidden|off",
          "0 0 1 1 0"}},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhat);
        Fresh();
        c.fSet(*this);
        Harness h(Doc());
        EXPECT_EQ(LookOf(h.Presenter), c.Expected);
        EXPECT_EQ(h.Presenter.GetRangeMax(), std::stoul(h.Presenter.GetText(P::IDC_WITH_ROSTERING)));
        EXPECT_EQ(h.Presenter.GetPosition(), 0);
        EXPECT_FALSE(Doc().IsModified());
    }
}

// Each code on its own: the worker has ended (its codes are dropped), and
// the test hands the presenter codes of its own.
TEST_F(PresenterTest, EachCodeOfARun)
{
    E().Participant("Ann Lee", Styles(E(), {{"Jazz", 1}, {"Folk", 2}}, true))
        .Participant("Bob Ray", Styles(E(), {{"Rock", 1}}, true));
    Place();
    Harness h(Doc());
    P& p = h.Presenter;
    p.OnRoster();
    h.WaitForEnd();
    h.DropWaiting();
    RosterStatus& status = p.GetStatus();
    status.SetPassText("Rostering participants to minimum requirements");
    status.SetParticipantText("Ann Lee (Basic search)");

    struct Step {
        RosterPost Post;
        Look Expected;
        const char* pProgressText;
        int iPosition;
    };
    const std::string s_running_cancel = "&Stop|shown|on";
    const Step a_steps[] = {
        {{ROSTER_POST_MINIMUM_PASS, -1, 0, {}},
         {"", "&Roster|shown|off", "S&kip|hidden|on", s_running_cancel, "(template)|hidden|off", "0 - 0 - 0"}, "", 0},
        {{ROSTER_POST_PASS_TEXT, -1, 0, {}},
         {"Rostering participants to minimum requirements", "&Roster|shown|off", "S&kip|hidden|on", s_running_cancel,
          "(template)|hidden|off", "0 - 0 - 0"},
         "", 0},
        {{ROSTER_POST_PARTICIPANT_TEXT, -1, 0, {}},
         {"Rostering participants to minimum requirements", "&Roster|shown|off", "S&kip|hidden|on", s_running_cancel,
          "(template)|hidden|off", "0 - 0 - 0"},
         "Ann Lee (Basic search)", 0},
        {{ROSTER_POST_PARTICIPANT_DONE, -1, 0, {}},
         {"Rostering participants to minimum requirements", "&Roster|shown|off", "S&kip|hidden|on", s_running_cancel,
          "(template)|hidden|off", "2 - 0 - 2"},
         "Ann Lee (Basic search)", 1},
        {{ROSTER_POST_MAXIMUM_PASS, -1, 0, {}},
         {"Rostering participants to minimum requirements", "&Roster|shown|off", "S&kip|shown|on", s_running_cancel,
          "(template)|hidden|off", "2 - 0 - 2"},
         "Ann Lee (Basic search)", 1},
        {{ROSTER_POST_PASS_START, ROSTER_MAXIMUM_PASS, 2, {}},
         {"Rostering participants to minimum requirements", "&Roster|shown|off", "S&kip|shown|on", s_running_cancel,
          "(template)|hidden|off", "2 - 0 - 2"},
         "Ann Lee (Basic search)", 0},
        {{ROSTER_POST_PARTICIPANT_DONE, -1, 0, {}}, {}, nullptr, 1},
        {{ROSTER_POST_PARTICIPANT_DONE, -1, 0, {}}, {}, nullptr, 2},
        // Past its end the bar starts again.
        {{ROSTER_POST_PARTICIPANT_DONE, -1, 0, {}}, {}, nullptr, 0},
        {{ROSTER_POST_FINISHED, -1, 0, {}},
         {Text(59179), "&Roster|shown|off", "&View errors|hidden|on", "Cancel|shown|on", "(template)|shown|on", "2 - 0 - 2"},
         "", 2},
        // No run: nothing changes.
        {{ROSTER_POST_PARTICIPANT_DONE, -1, 0, {}},
         {Text(59179), "&Roster|shown|off", "&View errors|hidden|on", "Cancel|shown|on", "(template)|shown|on", "2 - 0 - 2"},
         "", 2},
    };
    for (const Step& step : a_steps) {
        SCOPED_TRACE(step.Post.iCode);
        p.OnRosterMessage(step.Post);
        if (step.pProgressText != nullptr) {
            EXPECT_EQ(LookOf(p), step.Expected);
            EXPECT_EQ(p.GetText(P::IDC_PROGRESS_TEXT), step.pProgressText);
        }
        EXPECT_EQ(p.GetPosition(), step.iPosition);
    }
    EXPECT_EQ(p.GetRangeMax(), 2u);
    EXPECT_EQ(p.GetCompleted(), 1);
    EXPECT_FALSE(p.IsShown(P::IDC_TO_BE_ROSTERED_LABEL)) << "the counters stay as the run showed them";
    EXPECT_TRUE(p.IsShown(P::IDC_TO_MAXIMUM_LABEL));
    EXPECT_TRUE(Doc().IsModified());
}

// A whole run on the worker: the document is busy until the join, the
// groups changed hint goes to the views, the timetable keeps every
// placement and is checked; a second
// event whose timetable fails the check gets 1086.
TEST_F(PresenterTest, AWholeRunChangesTheGroupsAndChecksTheTimetable)
{
    for (const bool b_invalid : {false, true}) {
        SCOPED_TRACE(b_invalid ? "a group below its minimum" : "valid");
        Fresh();
        E().Participant("Ann Lee", Styles(E(), {{"Jazz", 1}, {"Folk", 2}}, true))
            .Participant("Bob Ray", Styles(E(), {{"Rock", 1}}, true));
        Place();
        // Band's second placement follows its first in another venue with no
        // time to travel: once Band has a member the kept timetable would
        // fail its check for that alone.
        E().Slot(1, "Barn", "11:00").SetGroup(-1);
        if (b_invalid)
            E().GetGroup("Combo").SetEventLimits(SchedLim(SchedLim::e_range, 0, 2, 2));
        Doc().GetTimetable()->SetValid(TRUE);
        boxes.Clear();
        views.Updates.clear();

        Harness h(Doc());
        P& p = h.Presenter;
        p.OnRoster();
        const RosterEngine* p_run_engine = &p.GetEngine();
        EXPECT_TRUE(Doc().IsBusy());
        EXPECT_FALSE(Doc().GetTimetable()->IsValid()) << "unchecked from the start of the run";
        EXPECT_FALSE(Doc().IsCommandEnabled(EventDoc::ID_CHECK_TIMETABLE));
        bool b_busy_throughout = true;
        const std::vector<int> v_codes = h.Pump([&](const RosterPost&) {
            if (p.IsRunning() && !Doc().IsBusy())
                b_busy_throughout = false;
        });
        EXPECT_TRUE(b_busy_throughout);
        EXPECT_FALSE(Doc().IsBusy());
        EXPECT_NE(std::find(v_codes.begin(), v_codes.end(), ROSTER_POST_MAXIMUM_PASS), v_codes.end());
        EXPECT_EQ(v_codes.back(), ROSTER_POST_FINISHED);

        EXPECT_EQ(Memberships(Doc()),
                  (std::vector<std::string>{"Trio: Ann Lee+", "Duo: Ann Lee+", "Band: Bob Ray+"}));
        EXPECT_TRUE(Doc().IsModified());
        // The members changed within the built timetable: its placements
        // stay, the unlocked ones too, and the recount runs on an engine
        // made over the event as it now stands.
        EXPECT_EQ(E().Slot(1, "Barn", "10:00").GetGroup(), E().GroupKey("Combo"));
        EXPECT_FALSE(E().Slot(1, "Barn", "10:00").IsLocked());
        EXPECT_EQ(E().Slot(0, "Hall", "09:00").GetGroup(), E().GroupKey("Trio"));
        EXPECT_NE(&p.GetEngine(), p_run_engine) << "an engine made after the run";
        EXPECT_EQ(p.GetEngine().GetTimetable(), Doc().GetTimetable());
        ASSERT_FALSE(views.Updates.empty());
        EXPECT_EQ(views.Updates.back().lCode, UpdateViewHint::e_groups);
        EXPECT_EQ(LookOf(p), (Look{Text(59179), "&Roster|shown|off", "&View errors|hidden|on", "Cancel|shown|on",
                                   "(template)|shown|on", "2 - 0 - 2"}));
        EXPECT_EQ(p.GetPosition(), static_cast<int>(p.GetRangeMax()));
        EXPECT_EQ(p.GetText(P::IDC_PROGRESS_TEXT), "");
        EXPECT_EQ(Doc().GetTimetable()->IsValid(), b_invalid ? FALSE : TRUE);
        if (b_invalid) {
            ASSERT_EQ(boxes.Boxes().size(), 1u);
            EXPECT_EQ(boxes.Boxes()[0].sText, Text(1086));
            EXPECT_EQ(boxes.Boxes()[0].uStyle, static_cast<std::uint32_t>(MB_OK | MB_ICONEXCLAMATION));
        } else {
            EXPECT_TRUE(boxes.Boxes().empty());
        }
        EXPECT_TRUE(p.OnOK());
        EXPECT_TRUE(p.OnCancel());
    }
}

// Stop at the first participant of the minimum pass: the worker is held in
// that post until the test has pressed Stop.
TEST_F(PresenterTest, StopDuringTheMinimumPass)
{
    E().Participant("Ann Lee", Styles(E(), {{"Jazz", 1}}, true))
        .Participant("Bob Ray", Styles(E(), {{"Folk", 1}}, true))
        .Participant("Cy Fox", Styles(E(), {{"Rock", 1}}, true));
    Place();
    Harness h(Doc());
    P& p = h.Presenter;
    h.SetGate([](const RosterPost& post) { return post.iCode == ROSTER_POST_PARTICIPANT_DONE; });
    p.OnRoster();
    const std::vector<int> v_codes = h.Pump([&](const RosterPost& post) {
        if (post.iCode == ROSTER_POST_PARTICIPANT_DONE) {
            EXPECT_FALSE(p.OnCancel()) << "Stop keeps the dialog open";
            EXPECT_FALSE(p.OnOK());
            h.Open();
        }
    });
    EXPECT_EQ(v_codes, (std::vector<int>{6, 1, 2, 3, 4}));
    EXPECT_EQ(p.GetCompleted(), 0);
    EXPECT_EQ(Memberships(Doc()), std::vector<std::string>{"Trio: Ann Lee+"});
    EXPECT_TRUE(Doc().IsModified());
    // The recount after the run counts Bob and Cy below their minimum.
    EXPECT_EQ(LookOf(p), (Look{Text(59176), "&Roster|shown|on", "&View errors|shown|on", "Cancel|shown|on",
                               "(template)|hidden|off", "1 - 2 - 1"}));
    EXPECT_TRUE(boxes.Boxes().empty()) << "no check after errors";

    RecordingRosterReports reports;
    p.OnViewErrors();
    ASSERT_EQ(reports.Tables().size(), 1u);
    EXPECT_EQ(reports.Tables()[0].sTitle, "Rostering errors");
    EXPECT_EQ(reports.Tables()[0].vRows.size(), 2u);
    EXPECT_TRUE(p.OnCancel()) << "idle again: Cancel closes";
}

// A participant whose only style no group carries: the run ends with an
// error and changes nothing. Roster stays on for another try; View errors
// skips during that run and shows the report after it.
TEST_F(PresenterTest, ARunThatChangesNothingLeavesTheEventUnmodified)
{
    E().Participant("Ann Lee", Styles(E(), {{"Blues", 1}}, true));
    Place();
    Harness h(Doc());
    P& p = h.Presenter;
    RecordingRosterReports reports;
    p.OnViewErrors();
    EXPECT_TRUE(reports.Tables().empty()) << "no errors yet";

    for (int i_run = 0; i_run < 2; ++i_run) {
        SCOPED_TRACE(i_run);
        p.OnRoster();
        p.OnViewErrors();
        h.Pump();
        EXPECT_TRUE(reports.Tables().empty()) << "Skip during the run";
        EXPECT_FALSE(Doc().IsModified());
        EXPECT_TRUE(views.Updates.empty());
        EXPECT_EQ(p.GetCompleted(), 1);
        EXPECT_EQ(LookOf(p), (Look{Text(59180), "&Roster|shown|on", "&View errors|shown|on", "Cancel|shown|on",
                                   "(template)|shown|on", "0 - 1 - 0"}));
    }
    p.OnViewErrors();
    ASSERT_EQ(reports.Tables().size(), 1u);
    ASSERT_EQ(reports.Tables()[0].vRows.size(), 1u);
    EXPECT_EQ(reports.Tables()[0].vRows[0][0], "Ann Lee");
    EXPECT_EQ(reports.Tables()[0].vRows[0][1], "Blues");
}

// Every run ends with the timetable checked, errors or not: its build date
// and valid flag then say what Check says (the print's footer reads the
// date), and only an error-free run tells a failed check.
TEST_F(PresenterTest, EveryRunLeavesTheTimetableCheckedAsCheckFindsIt)
{
    using StyleList = std::vector<std::pair<std::string, int>>;
    const struct {
        const char* pCase;
        std::vector<StyleList> vParticipants;
        bool bBelowMinimum;
        bool bModified;
        BOOL bValid;
    } a_cases[] = {
        {"errors, nothing changed", {{{"Blues", 1}}}, false, false, TRUE},
        {"errors, a group below its minimum", {{{"Blues", 1}}}, true, false, FALSE},
    };
    for (const auto& c : a_cases) {
        SCOPED_TRACE(c.pCase);
        Fresh();
        const char* a_names[] = {"Ann Lee", "Bob Ray", "Cy Dee"};
        for (std::size_t i = 0; i < c.vParticipants.size(); ++i) {
            std::vector<RosterStyle> v_styles;
            for (const auto& [s_style, i_order] : c.vParticipants[i])
                v_styles.emplace_back(E().StyleKey(s_style), i_order);
            E().Participant(a_names[i], [v_styles](Participant& part) {
                for (const RosterStyle& style : v_styles)
                    part.GetOwnRosterStyles().InsertSorted(style);
                part.SetOrdered(TRUE);
            });
        }
        // The small event's locked placements: a valid timetable.
        E().Timetable();
        E().Place(0, "Hall", "09:00", "Trio", true)
            .Place(0, "Barn", "09:00", "Ring", true)
            .Place(0, "Barn", "11:00", "Duo", true)
            .Place(1, "Hall", "10:00", "Band", true);
        if (c.bBelowMinimum)
            E().GetGroup("Combo").SetEventLimits(SchedLim(SchedLim::e_range, 0, 2, 2));
        Doc().SetModifiedFlag(false);
        // As a build left it.
        Doc().GetTimetable()->SetValid(TRUE);
        Doc().GetTimetable()->SetCreationDate(CHighTime(2025, 3, 3, 9, 0, 0, 0, 0, 0));
        boxes.Clear();

        Harness h(Doc());
        P& p = h.Presenter;
        p.OnRoster();
        h.Pump();
        ASSERT_FALSE(p.IsRunning());
        EXPECT_GT(p.GetStatus().GetErrors(), 0u);
        EXPECT_EQ(Doc().IsModified(), c.bModified);
        EXPECT_TRUE(boxes.Boxes().empty()) << "a run with errors tells nothing of the check";

        Timetable* p_timetable = Doc().GetTimetable();
        ASSERT_NE(p_timetable, nullptr);
        EXPECT_EQ(p_timetable->IsValid(), c.bValid);
        const bool b_dated = p_timetable->GetCreationDate().GetStatus() == CHighTime::valid
                             && p_timetable->GetCreationDate() != CHighTime();
        EXPECT_EQ(b_dated, c.bValid != FALSE) << "a build date exactly when valid";
        // Check now agrees, and finds nothing to change.
        TTMap map(&Doc(), p_timetable);
        map.Build();
        BuildEngine engine(&Doc(), p_timetable, &map);
        BOOL b_changed = TRUE;
        const ScriptedMessageBox check_boxes;
        EXPECT_EQ(engine.Check(&b_changed), c.bValid);
        EXPECT_FALSE(b_changed);
    }
}

// A failed check on the worker: the run ends, the dialog is idle and
// closable, and the failure waits for the roster driver.
TEST_F(PresenterTest, AFailureOnTheWorkerReturnsToIdle)
{
    E().Participant("Ann Lee", Styles(E(), {{"Jazz", 1}}, true));
    Place();
    Harness h(Doc());
    P& p = h.Presenter;
    E().GetGroup("Band").GetMembers().SetMember(987654, "", FALSE);
    p.OnRoster();
    EXPECT_EQ(h.Pump(), (std::vector<int>{6, 1, 5}));
    EXPECT_FALSE(p.IsRunning());
    EXPECT_FALSE(Doc().IsBusy());
    EXPECT_EQ(p.GetCompleted(), 0);
    EXPECT_EQ(p.GetText(P::IDC_CANCEL), "Cancel");
    EXPECT_EQ(p.GetText(P::IDC_VIEW_ERRORS), "&View errors");
    EXPECT_TRUE(p.OnCancel());
    EXPECT_TRUE(boxes.Boxes().empty()) << "neither the check nor 1086";
    ASSERT_TRUE(p.HasFailure());
    std::exception_ptr p_failure = p.TakeFailure();
    EXPECT_FALSE(p.HasFailure());
    EXPECT_THROW(std::rethrow_exception(p_failure), ZelAssertException);
}

// The worker writes each participant text into the status block and posts
// it; while one waits to be shown the others are not queued, and the one
// that waits shows the latest.
TEST_F(PresenterTest, ParticipantTextsWaitAsOne)
{
    E().Participant("Ann Lee", Styles(E(), {{"Jazz", 1}, {"Folk", 2}}, true))
        .Participant("Bob Ray", Styles(E(), {{"Rock", 1}}, true));
    Place();
    Harness h(Doc());
    P& p = h.Presenter;
    p.OnRoster();
    h.WaitForEnd();
    const std::vector<RosterPost> v_waiting = h.Waiting();
    EXPECT_EQ(std::count_if(v_waiting.begin(), v_waiting.end(),
                            [](const RosterPost& post) { return post.iCode == ROSTER_POST_PARTICIPANT_TEXT; }),
              1);
    const std::string s_latest = p.GetStatus().GetSnapshot().sParticipantText;
    const auto it_text = std::find_if(v_waiting.begin(), v_waiting.end(),
                                      [](const RosterPost& post) { return post.iCode == ROSTER_POST_PARTICIPANT_TEXT; });
    ASSERT_NE(it_text, v_waiting.end());
    EXPECT_NE(it_text->sText, s_latest) << "the first text waits, the latest is shown";
    h.Pump([&](const RosterPost& post) {
        if (post.iCode == ROSTER_POST_PARTICIPANT_TEXT) {
            EXPECT_EQ(p.GetText(P::IDC_PROGRESS_TEXT), s_latest);
        }
    });

    // Handled, the next text is queued again.
    p.OnRoster();
    h.WaitForEnd();
    const std::vector<RosterPost> v_again = h.Waiting();
    EXPECT_EQ(std::count_if(v_again.begin(), v_again.end(),
                            [](const RosterPost& post) { return post.iCode == ROSTER_POST_PARTICIPANT_TEXT; }),
              1);
    h.Pump();
}

// The dialog goes while a long run is going: the run is stopped and its
// worker joined at once, and the event is marked changed.
TEST(PresenterEnd, GoingDuringARunStopsAndJoinsTheWorker)
{
    benchevent::RosterOptions options = benchevent::RosterPreset(0, 7);
    options.nPlannedPercent = 0;
    options.nMinRoom = 5;
    options.nMaxRoom = 15;
    std::unique_ptr<EventDoc> p_doc = benchevent::GenerateRosterEvent(options);
    p_doc->SetModifiedFlag(false);
    std::mutex lock;
    std::condition_variable cv;
    int n_done = 0;
    auto p_presenter = std::make_unique<RosterCtrlPresenter>(*p_doc, [&](const RosterPost& post) {
        std::lock_guard guard(lock);
        if (post.iCode == ROSTER_POST_PARTICIPANT_DONE)
            ++n_done;
        cv.notify_all();
    });
    p_presenter->OnInitDialog("Cancel", "&View errors");
    p_presenter->OnRoster();
    {
        std::unique_lock guard(lock);
        ASSERT_TRUE(cv.wait_for(guard, std::chrono::seconds(60), [&] { return n_done >= 20; }));
    }
    ASSERT_TRUE(p_presenter->IsRunning()) << "the run must still be going";
    EXPECT_TRUE(p_doc->IsBusy());
    const auto t_start = std::chrono::steady_clock::now();
    p_presenter.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - t_start, std::chrono::seconds(5));
    EXPECT_FALSE(p_doc->IsBusy());
    EXPECT_TRUE(p_doc->IsModified());
}

} // namespace
