// The build driver's recovery from a failure inside the engine: a failed
// check, the stack guard's overflow (twice in one run of the program), an
// arithmetic fault and a segmentation fault that really happen, a fault
// carried as an exception, and anything else thrown. Each ends with its
// message shown once the engine's window is down and the fault handlers
// are gone, a report where one is due, and the event whole: the timetable
// holding its locks only, not valid, the views told.
//
// The faults here are real signals on the test's own thread: run these
// tests without a sanitizer's own fault handling.
#include "BuildBed.h"

#include "engine/BuildDriver.h"
#include "engine/EngineGuard.h"
#include "engine/StackGuard.h"
#include "zelkit/base/ZelAssert.h"

#include <gtest/gtest.h>

#include <csetjmp>
#include <csignal>
#include <functional>
#include <new>
#include <thread>

using buildtest::Bed;

namespace {

// The boxes, each with what stood around it as it showed: whether the
// progress window was up and whether the fault handlers were installed.
class WatchingBoxes : public IMessageBoxPort {
public:
    struct Shown {
        std::string sText;
        std::uint32_t uStyle;
        bool bProgressUp;
        bool bHandlersIn;
    };

    explicit WatchingBoxes(HeadlessProgress& progress) : Progress(progress), pPrevious(SetMessageBoxPort(this)) {}
    ~WatchingBoxes() override { SetMessageBoxPort(pPrevious); }
    WatchingBoxes(const WatchingBoxes&) = delete;
    WatchingBoxes& operator=(const WatchingBoxes&) = delete;

    int Show(const std::string& s_text, const std::string&, std::uint32_t u_style) override
    {
        vShown.push_back({s_text, u_style, Progress.IsShown(), EngineGuard::IsInstalled() != FALSE});
        return DefaultAnswer(u_style);
    }

    std::vector<Shown> vShown;

private:
    HeadlessProgress& Progress;
    IMessageBoxPort* pPrevious;
};

// Mon with two timeslots in Hall: Gee locked at 09:00, Ole placed at 10:00.
struct Failing {
    Failing()
    {
        bed.event.Days({"Mon"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Venue("Hall");
        bed.event.Group("Gee").Group("Ole").Timetable();
        bed.event.Place(0, "Hall", "09:00", "Gee", true);
        bed.TT().SetValid(TRUE);
        bed.Doc().SetModifiedFlag(false);
    }

    // Runs the driver over a call that starts as a build does (the window
    // disabled, the progress window up, a placement made) and then fails.
    int Run(const std::function<void()>& f_fail)
    {
        return RunBuildDriver(&bed.Doc(), &bed.TT(), [&](BuildEngine& engine, BOOL* p_started) {
            *p_started = FALSE;
            engine.DisableWindow();
            engine.StartProgress(BuildEngine::n_stages);
            bed.event.Place(0, "Hall", "10:00", "Ole");
            f_fail();
            return TRUE;
        });
    }

    // What every failure leaves behind.
    void ExpectRecovered(const char* p_what)
    {
        EXPECT_EQ(bed.Cells(), " Gee* -") << p_what;
        EXPECT_FALSE(bed.TT().IsValid()) << p_what;
        EXPECT_EQ(bed.progress.Shown(), bed.progress.Ended()) << p_what;
        // Disabled while the map was made, then for the build, and
        // enabled again each time.
        EXPECT_EQ(bed.window.vCalls,
                  (std::vector<std::string>{"disable", "enable", "disable", "enable+activate"}))
            << p_what;
        ASSERT_EQ(bed.views.Updates.size(), 1U) << p_what;
        EXPECT_EQ(bed.views.Updates[0].lCode, 0) << p_what;
        EXPECT_TRUE(bed.Doc().IsModified()) << p_what;
        EXPECT_FALSE(EngineGuard::IsInstalled()) << p_what;
        ASSERT_EQ(boxes.vShown.size(), 1U) << p_what;
        EXPECT_FALSE(boxes.vShown[0].bProgressUp) << p_what;
        EXPECT_FALSE(boxes.vShown[0].bHandlersIn) << p_what;
        EXPECT_EQ(boxes.vShown[0].uStyle & MB_ICONMASK, static_cast<std::uint32_t>(MB_ICONSTOP)) << p_what;
    }

    Bed bed;
    WatchingBoxes boxes{bed.progress};
};

// Recurses until the stack guard fires, each level taking some stack.
int Recurse(int i_level)
{
    volatile char a_room[1024];
    a_room[0] = static_cast<char>(i_level);
    CheckStackGuard();
    if (i_level > 1000000)
        return a_room[0];
    return Recurse(i_level + 1) + a_room[0];
}

const char* const kUnexpected = "An unexpected error occurred.  You should IMMEDIATELY save your work and restart "
                                "the program.  Please contact us if this problem persists.";

TEST(BuildDriver, AFailedCheckShows140AfterItsOwnReport)
{
    Failing failing;
    EXPECT_EQ(failing.Run([] { ZEL_ASSERT(1 + 1 == 3); }), 0);
    failing.ExpectRecovered("assertion");
    EXPECT_EQ(failing.boxes.vShown[0].sText, "An unexpected error occurred.  We recommend that you save your work and "
                                             "restart the program.  Please contact us if this problem persists.");
    ASSERT_EQ(failing.bed.reports.Reports().size(), 1U) << "the check's own report only";
    EXPECT_NE(failing.bed.reports.Reports()[0].sReport.find("1 + 1 == 3"), std::string::npos);
}

TEST(BuildDriver, AnythingElseThrownShows152AndSendsAReport)
{
    const std::function<void()> a_throws[] = {
        [] { throw std::bad_alloc(); },
        [] { throw 42; },
    };
    for (const auto& f_throw : a_throws) {
        Failing failing;
        EXPECT_EQ(failing.Run(f_throw), 0);
        failing.ExpectRecovered("other");
        EXPECT_EQ(failing.boxes.vShown[0].sText, kUnexpected);
        ASSERT_EQ(failing.bed.reports.Reports().size(), 1U);
        const std::string& s_report = failing.bed.reports.Reports()[0].sReport;
        EXPECT_NE(s_report.find("Source file 'Timetable.cpp'"), std::string::npos) << s_report;
        EXPECT_NE(s_report.find(std::string("Error: ") + kUnexpected), std::string::npos) << s_report;
    }
}

TEST(BuildDriver, HardwareFaultsShow146WithTheirCodeAndSendAReport)
{
    struct Case {
        const char* pName;
        std::function<void()> fFault;
        const char* pCode;
    };
    const Case a_cases[] = {
        {"segmentation fault",
         [] {
             volatile int* p_nowhere = nullptr;
             *p_nowhere = 1;
         },
         "0xc0000005"},
        {"integer division by zero",
         [] {
             volatile int i_zero = 0;
             volatile int i_result = 7 / i_zero;
             (void)i_result;
         },
         "0xc0000094"},
        {"a fault carried as an exception", [] { throw SE_Exception(0xC000001D); }, "0xc000001d"},
    };
    for (const Case& c : a_cases) {
        struct sigaction before {};
        sigaction(SIGSEGV, nullptr, &before);
        Failing failing;
        EXPECT_EQ(failing.Run(c.fFault), 0) << c.pName;
        failing.ExpectRecovered(c.pName);
        const std::string s_text = std::string("Exception ") + c.pCode
            + " occurred.  You should IMMEDIATELY save your work and restart the program.  Please contact us if this "
              "problem persists.";
        EXPECT_EQ(failing.boxes.vShown[0].sText, s_text) << c.pName;
        ASSERT_EQ(failing.bed.reports.Reports().size(), 1U) << c.pName;
        EXPECT_NE(failing.bed.reports.Reports()[0].sReport.find("Error: " + s_text), std::string::npos) << c.pName;
        struct sigaction after {};
        sigaction(SIGSEGV, nullptr, &after);
        EXPECT_EQ(after.sa_handler, before.sa_handler) << "the handler before is back";
        stack_t alt{};
        sigaltstack(nullptr, &alt);
        EXPECT_TRUE(alt.ss_flags & SS_DISABLE) << "no alternate stack left behind";
    }
}

TEST(BuildDriver, TheStackGuardsOverflowShows151OnceTheStackIsBackAndAgainOnASecondOne)
{
    std::size_t u_left = 0;
    ASSERT_TRUE(GetStackLeft(u_left));
    for (int n_run = 0; n_run < 2; ++n_run) {
        Failing failing;
        // The guard fires some way down from here.
        const std::size_t u_previous = SetStackGuardMargin(u_left - 64 * 1024);
        const int i_result = failing.Run([] { Recurse(0); });
        SetStackGuardMargin(u_previous);
        EXPECT_EQ(i_result, 0);
        failing.ExpectRecovered("overflow");
        EXPECT_EQ(failing.boxes.vShown[0].sText,
                  "The build has used too much memory and Linux cannot allow the program to proceed.  You should "
                  "IMMEDIATELY save your work and restart the program.  Please send us your Rotavex Event file and we "
                  "will investigate the problem.")
            << n_run;
        ASSERT_EQ(failing.bed.reports.Reports().size(), 1U);
        EXPECT_NE(failing.bed.reports.Reports()[0].sReport.find("Error: The build has used too much memory"),
                  std::string::npos);
    }
}

// A fault on another thread while a build runs is not the build's: it
// goes to the handler installed before.
sigjmp_buf g_OtherJump;
volatile sig_atomic_t g_iOtherFaults = 0;

void OnOtherFault(int, siginfo_t*, void*)
{
    g_iOtherFaults = g_iOtherFaults + 1;
    siglongjmp(g_OtherJump, 1);
}

TEST(BuildDriver, AFaultOnAnotherThreadGoesToTheHandlerInstalledBefore)
{
    struct sigaction mine {};
    mine.sa_sigaction = &OnOtherFault;
    mine.sa_flags = SA_SIGINFO;
    sigemptyset(&mine.sa_mask);
    struct sigaction saved {};
    sigaction(SIGSEGV, &mine, &saved);

    Failing failing;
    g_iOtherFaults = 0;
    bool b_other_came_back = false;
    const int i_result = RunBuildDriver(&failing.bed.Doc(), &failing.bed.TT(), [&](BuildEngine&, BOOL* p_started) {
        *p_started = TRUE;
        std::thread other([&] {
            if (sigsetjmp(g_OtherJump, 1) == 0) {
                volatile int* p_nowhere = nullptr;
                *p_nowhere = 2;
            }
            b_other_came_back = true;
        });
        other.join();
        return TRUE;
    });
    sigaction(SIGSEGV, &saved, nullptr);
    EXPECT_EQ(i_result, 1) << "the build itself did not fail";
    EXPECT_TRUE(b_other_came_back);
    EXPECT_EQ(g_iOtherFaults, 1);
    EXPECT_TRUE(failing.boxes.vShown.empty());
    EXPECT_TRUE(failing.bed.TT().IsValid());
}

TEST(BuildDriver, CodesOfTheSignals)
{
    EXPECT_EQ(EngineGuard::CodeForSignal(SIGSEGV), 0xC0000005U);
    EXPECT_EQ(EngineGuard::CodeForSignal(SIGBUS), 0xC0000005U);
    EXPECT_EQ(EngineGuard::CodeForSignal(SIGFPE), 0xC0000094U);
    EXPECT_EQ(EngineGuard::CodeForSignal(SIGILL), 0xC000001DU);
    EXPECT_EQ(EngineGuard::CodeForSignal(SIGINT), 0U);
}

TEST(BuildDriver, ABuildCancelledInTheOptionsLeavesTheViewsAlone)
{
    Failing failing;
    failing.bed.dialogs.AnswerOptions(IDCANCEL);
    EXPECT_EQ(failing.bed.Build(), 0);
    EXPECT_TRUE(failing.bed.views.Updates.empty());
    EXPECT_FALSE(failing.bed.Doc().IsModified());
    EXPECT_TRUE(failing.bed.TT().IsValid());
}

} // namespace
