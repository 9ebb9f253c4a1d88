// The document's roster and un-roster drivers: failures inside a run
// reported on this thread in the engine guard's four ways, the timetable
// left not valid; the un-roster question and its answers.
#include "roster/RosterEngine.h"
#include "roster/RosterRun.h"
#include "roster/tests/RosterBed.h"

#include "engine/StackGuard.h"
#include "framework/MessageBox.h"
#include "model/DocumentPorts.h"
#include "model/General.h"
#include "generators/SampleEvents.h"
#include "zelkit/base/ZelErrorReport.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

using namespace rostertest;

namespace {

// What the user sees, in order: "box: text" and "report: first line".
class Screen : public IMessageBoxPort, public IZelErrorReportPort {
public:
    Screen() : pBoxes(SetMessageBoxPort(this)), pReports(ZelSetErrorReportPort(this)) {}
    ~Screen() override
    {
        SetMessageBoxPort(pBoxes);
        ZelSetErrorReportPort(pReports);
    }
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    int Show(const std::string& s_text, const std::string&, std::uint32_t u_style) override
    {
        vSeen.push_back("box: " + s_text);
        vStyles.push_back(u_style);
        if (!qAnswers.empty()) {
            const int i_answer = qAnswers.front();
            qAnswers.erase(qAnswers.begin());
            return i_answer;
        }
        return DefaultAnswer(u_style);
    }
    void Show(const ZelErrorReport& report) override { vSeen.push_back("report: " + report.sReport); }

    std::vector<std::string> vSeen;
    std::vector<std::uint32_t> vStyles;
    std::vector<int> qAnswers;

private:
    IMessageBoxPort* pBoxes;
    IZelErrorReportPort* pReports;
};

// The dialog as far as the driver sees it: a whole run on its worker,
// then the worker's failure, if any, handed over. f_before runs first.
class HeadlessDialog : public IRosterDialogPort {
public:
    HeadlessDialog() : pPrevious(SetRosterDialogPort(this)) {}
    ~HeadlessDialog() override { SetRosterDialogPort(pPrevious); }
    HeadlessDialog(const HeadlessDialog&) = delete;
    HeadlessDialog& operator=(const HeadlessDialog&) = delete;

    void Run(EventDoc& doc) override
    {
        ++nRuns;
        if (fBefore)
            fBefore();
        RosterEngine engine(&doc);
        RosterStatus status;
        engine.Recount(TRUE, &status);
        RosterRun run(engine, &status, nullptr);
        run.RunToEnd();
    }

    int nRuns = 0;
    std::function<void()> fBefore;

private:
    IRosterDialogPort* pPrevious;
};

class DriverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sampleevents::ResetKeyCounters();
        SmallEvent(event);
        event.Participant("Ann Lee", Styles(event, {{"Jazz", 1}, {"Folk", 2}}, true))
            .Participant("Bob Ray", Styles(event, {{"Rock", 1}}, true));
        event.Timetable();
        PlaceSmallEvent(event);
        Timetable().SetValid(TRUE);
    }
    ::Timetable& Timetable() { return *event.Doc().GetTimetable(); }

    testevent::EventBuilder event;
};

TEST_F(DriverTest, TheRosterCommandRunsTheDialog)
{
    HeadlessDialog dialog;
    Screen screen;
    event.Doc().OnRosterParticipants();
    EXPECT_EQ(dialog.nRuns, 1);
    EXPECT_TRUE(screen.vSeen.empty());
    EXPECT_TRUE(Timetable().IsValid()) << "a run without failure leaves the flag to the dialog";
    EXPECT_EQ(Memberships(event.Doc()),
              (std::vector<std::string>{"Trio: Ann Lee+", "Duo: Ann Lee+", "Band: Bob Ray+"}));
}

// Each failure, thrown on the worker or around it, is told on this thread
// after the run: the failed check's own report first, then 140; the
// overflow's 151 with a report; a fault's 146 with its code and a report;
// anything else 152 with a report. The timetable is left not valid.
TEST_F(DriverTest, FailuresOfARunAreToldOnTheUserInterfaceThread)
{
    struct Case {
        const char* pWhat;
        std::function<void()> fBreak;
        std::vector<std::string> vHeads;
    };
    auto head = [](const std::string& s) { return s.substr(0, s.find('\n')).substr(0, 40); };
    const std::string s_140 = "box: " + LoadResString(140, "?");
    const Case a_cases[] = {
        {"a check failing on the worker",
         [&] { event.GetGroup("Band").GetMembers().SetMember(987654, "", FALSE); },
         {"report: Source file 'SelCounters.cpp'", head(s_140)}},
        {"the stack guard on the worker",
         [] { SetStackGuardMargin(std::size_t(1) << 40); },
         {head("box: " + LoadResString(151, "?")), head("report: Source file 'Timetable.cpp'")}},
        {"a fault", [] { throw SE_Exception(0xC0000005); },
         {"box: Exception 0xc0000005 occurred.  You", "report: Source file 'Timetable.cpp'"}},
        {"anything else", [] { throw std::runtime_error("lost"); },
         {head("box: " + LoadResString(152, "?")), "report: Source file 'Timetable.cpp'"}},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhat);
        HeadlessDialog dialog;
        dialog.fBefore = c.fBreak;
        Screen screen;
        Timetable().SetValid(TRUE);
        const std::size_t u_margin = GetStackGuardMargin();
        EXPECT_EQ(Timetable().Roster(&event.Doc()), 1);
        SetStackGuardMargin(u_margin);
        std::vector<std::string> v_heads;
        for (const std::string& s_seen : screen.vSeen)
            v_heads.push_back(head(s_seen));
        EXPECT_EQ(v_heads, c.vHeads);
        EXPECT_FALSE(Timetable().IsValid());
        event.GetGroup("Band").GetMembers().RemoveAll();
    }
}

TEST_F(DriverTest, UnrosterAsksFirstAndNoChangesNothing)
{
    auto member = [&](const char* s_group, const char* s_part, BOOL b_rostered) {
        event.GetGroup(s_group).GetMembers().SetMember(event.ParticipantKey(s_part), "", b_rostered);
    };
    member("Trio", "Ann Lee", TRUE);
    member("Band", "Bob Ray", TRUE);
    member("Ring", "Bob Ray", FALSE);
    event.Doc().SetModifiedFlag(FALSE);
    const std::vector<std::string> v_before = Memberships(event.Doc());

    Screen screen;
    screen.qAnswers = {IDNO};
    EXPECT_EQ(Timetable().UnrosterParticipants(&event.Doc(), KeyList()), 0);
    EXPECT_EQ(screen.vSeen, std::vector<std::string>{"box: Are you sure you want to un-roster all participants?"});
    EXPECT_EQ(screen.vStyles.back(), static_cast<std::uint32_t>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    EXPECT_EQ(Memberships(event.Doc()), v_before);
    EXPECT_FALSE(event.Doc().IsModified());

    KeyList keys;
    keys.Add(event.ParticipantKey("Bob Ray"));
    keys.Add(event.ParticipantKey("Ann Lee"));
    screen.qAnswers = {IDNO};
    EXPECT_EQ(Timetable().UnrosterParticipants(&event.Doc(), keys), 0);
    EXPECT_EQ(screen.vSeen.back(),
              "box: You have selected 2 participant(s).  Are you sure you want to un-roster your selection?");

    // An unlocked placement of the built timetable outlives the un-roster:
    // only members changed.
    event.Place(1, "Barn", "10:00", "Band", false);
    keys.RemoveAll();
    keys.Add(event.ParticipantKey("Bob Ray"));
    screen.qAnswers = {IDYES};
    EXPECT_EQ(event.Doc().GetTimetable()->UnrosterParticipants(&event.Doc(), keys), 1);
    EXPECT_EQ(Memberships(event.Doc()), (std::vector<std::string>{"Trio: Ann Lee+", "Ring: Bob Ray"}));
    EXPECT_TRUE(event.Doc().IsModified()) << "the change routine ran";
    EXPECT_EQ(event.Slot(1, "Barn", "10:00").GetGroup(), event.GroupKey("Band"));
}

} // namespace
