// The crash reporter: the names of faults, the report's file name and
// folder, the report's layout over a made-up processor state, and real
// crashes in child processes, each of which must leave one report and still
// die of its signal.
#include "framework/CrashReport.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Lines(const std::string& s_text)
{
    std::vector<std::string> v_lines;
    std::istringstream in(s_text);
    for (std::string s; std::getline(in, s);)
        v_lines.push_back(s);
    return v_lines;
}

int CountOf(const std::string& s_text, const std::string& s_what)
{
    int n = 0;
    for (std::size_t u = s_text.find(s_what); u != std::string::npos; u = s_text.find(s_what, u + 1))
        ++n;
    return n;
}

std::string Hex16(std::uintptr_t u)
{
    char a[32];
    std::snprintf(a, sizeof a, "%016llX", static_cast<unsigned long long>(u));
    return a;
}

class CrashReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fsFolder = fs::temp_directory_path()
            / ("rvx-crash-" + std::to_string(getpid()) + "-"
               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(fsFolder);
        fs::create_directories(fsFolder);
    }
    void TearDown() override { fs::remove_all(fsFolder); }

    fs::path fsFolder;
};

} // namespace

TEST(CrashReport, FaultsAreNamedByTheirClassicNamesOrTheSignalsDescription)
{
    struct Case {
        int iSignal;
        int iCode;
        bool bOverflow;
        const char* pName;
    };
    const Case a_cases[] = {
        {SIGSEGV, SEGV_MAPERR, false, "ACCESS_VIOLATION"},
        {SIGSEGV, SEGV_ACCERR, true, "STACK_OVERFLOW"},
        {SIGFPE, FPE_INTDIV, false, "INT_DIVIDE_BY_ZERO"},
        {SIGFPE, FPE_INTOVF, false, "INT_OVERFLOW"},
        {SIGFPE, FPE_FLTDIV, false, "FLT_DIVIDE_BY_ZERO"},
        {SIGFPE, FPE_FLTINV, false, "FLT_INVALID_OPERATION"},
        {SIGBUS, BUS_ADRALN, false, "DATATYPE_MISALIGNMENT"},
        {SIGBUS, BUS_ADRERR, false, "IN_PAGE_ERROR"},
        {SIGILL, ILL_ILLOPC, false, "ILLEGAL_INSTRUCTION"},
        {SIGILL, ILL_PRVOPC, false, "PRIV_INSTRUCTION"},
        // Nothing classic corresponds: the system's own words.
        {SIGABRT, SI_TKILL, false, "Aborted"},
        {SIGFPE, 0, false, "Floating point exception"},
        {SIGBUS, 0, false, "Bus error"},
        // A number that is no signal has no description.
        {77, 0, false, ""},
    };
    for (const Case& c : a_cases)
        EXPECT_STREQ(CrashCodeName(c.iSignal, c.iCode, c.bOverflow), c.pName) << c.iSignal << "/" << c.iCode;
}

TEST(CrashReport, TheReportIsNamedAfterTheProgramsFileNameNeverAFolder)
{
    const std::pair<const char*, const char*> a_cases[] = {
        {"/usr/bin/rotavex", "rotavex.RPT"},
        {"/home/me/build.dir/bin/rotavex", "rotavex.RPT"},
        {"/opt/x/Rotavex.exe", "Rotavex.RPT"},
        {"prog.long", "prog.RPT"},
        {"a.b.c.ext", "a.b.c.RPT"},
        // Too short a suffix: appended, so never the program itself.
        {"/bin/prog.ab", "prog.ab.RPT"},
        {"/bin/prog.", "prog..RPT"},
    };
    for (const auto& [p_program, p_report] : a_cases)
        EXPECT_EQ(CrashReportNameFor(p_program), p_report) << p_program;
}

TEST(CrashReport, ReportsGoToTheUsersStateFolder)
{
    const char* p_old = std::getenv("XDG_STATE_HOME");
    const std::string s_old = p_old != nullptr ? p_old : "";
    setenv("XDG_STATE_HOME", "/var/tmp/state", 1);
    EXPECT_EQ(DefaultCrashReportFolder(), "/var/tmp/state/rotavex");
    unsetenv("XDG_STATE_HOME");
    EXPECT_EQ(DefaultCrashReportFolder(), std::string(std::getenv("HOME")) + "/.local/state/rotavex");
    // Relative values are not to be used.
    setenv("XDG_STATE_HOME", "state", 1);
    EXPECT_EQ(DefaultCrashReportFolder(), std::string(std::getenv("HOME")) + "/.local/state/rotavex");
    if (p_old != nullptr)
        setenv("XDG_STATE_HOME", s_old.c_str(), 1);
    else
        unsetenv("XDG_STATE_HOME");
}

TEST_F(CrashReportTest, TheReportLaysOutCodeFaultAddressRegistersAndCallStack)
{
    ucontext_t context{};
    const auto u_here = reinterpret_cast<std::uintptr_t>(&CrashCodeName) + 4;
#if defined(__x86_64__)
    context.uc_mcontext.gregs[REG_RIP] = static_cast<greg_t>(u_here);
    context.uc_mcontext.gregs[REG_RAX] = 0x1234;
    context.uc_mcontext.gregs[REG_R15] = static_cast<greg_t>(0xFEDCBA9876543210ull);
    context.uc_mcontext.gregs[REG_RSP] = 0x7FFC0000;
    context.uc_mcontext.gregs[REG_RBP] = 0x7FFC0100;
    context.uc_mcontext.gregs[REG_EFL] = 0x246;
    context.uc_mcontext.gregs[REG_CSGSFS] = 0x002B000000000033;
#endif
    const void* a_frames[] = {reinterpret_cast<const void*>(u_here), reinterpret_cast<const void*>(0x10)};
    CrashContext crash;
    crash.iSignal = SIGSEGV;
    crash.iCode = SEGV_MAPERR;
    crash.pContext = &context;
    crash.apFrames = a_frames;
    crash.nFrames = 2;

    const fs::path report = fsFolder / "x.RPT";
    const int i_fd = open(report.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    ASSERT_GE(i_fd, 0);
    WriteCrashReport(i_fd, crash);
    crash.pContext = nullptr;
    crash.nFrames = 0;
    crash.iSignal = SIGABRT;
    WriteCrashReport(i_fd, crash);
    close(i_fd);

    const std::vector<std::string> v = Lines(ReadText(report));
    ASSERT_GE(v.size(), 10u);
    EXPECT_EQ(v[0], "//=====================================================");
    EXPECT_EQ(v[1], "Exception code: 0000000B ACCESS_VIOLATION");
    // The faulting instruction, where it lies: this library, at an offset.
    const std::string s_fault = "Fault address:  " + Hex16(u_here) + " ";
    EXPECT_EQ(v[2].substr(0, s_fault.size()), s_fault);
    EXPECT_NE(v[2].find("libframework.so"), std::string::npos) << v[2];
    EXPECT_NE(v[2].find("CrashCodeName"), std::string::npos) << v[2];
    EXPECT_EQ(v[3], "");
    EXPECT_EQ(v[4], "Registers:");
#if defined(__x86_64__)
    EXPECT_EQ(v[5], "RAX:0000000000001234");
    const std::string s_text = ReadText(report);
    for (const char* p : {"R15:FEDCBA9876543210\n", "CS:RIP:0033:" /* then the address */,
                          "SS:RSP:002B:000000007FFC0000  RBP:000000007FFC0100\n", "FS:0000  GS:0000\n",
                          "Flags:00000246\n"})
        EXPECT_NE(s_text.find(p), std::string::npos) << p;
#endif
    // The call stack, a line a frame; an address in no module still shows.
    std::size_t u_stack = 0;
    while (u_stack < v.size() && v[u_stack] != "Call stack:")
        ++u_stack;
    ASSERT_LT(u_stack + 3, v.size());
    EXPECT_EQ(v[u_stack + 1].substr(0, 7), "Address");
    EXPECT_EQ(v[u_stack + 2].substr(0, 18), Hex16(u_here) + "  ");
    EXPECT_EQ(v[u_stack + 3], "0000000000000010  00:0000000000000000 ");
    EXPECT_EQ(v[u_stack + 4], "");

    // The second report follows the first, without registers or frames.
    std::size_t u_second = u_stack + 5;
    ASSERT_LT(u_second + 5, v.size());
    EXPECT_EQ(v[u_second], "//=====================================================");
    EXPECT_EQ(v[u_second + 1], "Exception code: 00000006 Aborted");
    EXPECT_EQ(v[u_second + 2], "Fault address:  0000000000000000 00:0000000000000000 ");
    EXPECT_EQ(v[u_second + 4], "Registers:");
    EXPECT_EQ(v[u_second + 5], "(none)");
}

// ---- real crashes, each in a child process ----

namespace {

volatile bool g_bNever = false;

[[gnu::noinline]] void WriteThroughNull()
{
    volatile int* volatile p = nullptr;
    *p = 1;
}

volatile int g_iQuotient = 0;

[[gnu::noinline]] void DivideByZero()
{
    volatile int i_zero = 0;
    volatile int i_one = 1;
    g_iQuotient = i_one / i_zero;
}

[[gnu::noinline]] int Recurse(int i_depth)
{
    volatile char a_frame[256];
    a_frame[0] = static_cast<char>(i_depth);
    if (g_bNever)
        return a_frame[0];
    return Recurse(i_depth + 1) + a_frame[0];
}

enum class Crash { null_write, divide, abort, recurse_main, recurse_worker };

void CrashNow(const std::string& s_report, Crash e_crash)
{
    SetCrashReportFile(s_report);
    InstallCrashReporter();
    switch (e_crash) {
    case Crash::null_write: WriteThroughNull(); break;
    case Crash::divide: DivideByZero(); break;
    case Crash::abort: std::abort();
    case Crash::recurse_main: Recurse(0); break;
    case Crash::recurse_worker: {
        std::thread worker([] {
            const CrashAltStack alt_stack;
            Recurse(0);
        });
        worker.join();
        break;
    }
    }
    std::_Exit(0);
}

} // namespace

TEST_F(CrashReportTest, EachCrashAppendsOneReportAndTheChildStillDiesOfItsSignal)
{
    struct Case {
        const char* pWhat;
        Crash eCrash;
        int iSignal;
        const char* pCodeLine;
    };
    const Case a_cases[] = {
        {"null write", Crash::null_write, SIGSEGV, "Exception code: 0000000B ACCESS_VIOLATION"},
        {"divide by zero", Crash::divide, SIGFPE, "Exception code: 00000008 INT_DIVIDE_BY_ZERO"},
        {"abort", Crash::abort, SIGABRT, "Exception code: 00000006 Aborted"},
        {"overflow, first thread", Crash::recurse_main, SIGSEGV, "Exception code: 0000000B STACK_OVERFLOW"},
        {"overflow, worker thread", Crash::recurse_worker, SIGSEGV, "Exception code: 0000000B STACK_OVERFLOW"},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhat);
        const fs::path report = fsFolder / (std::string(c.pWhat) + ".RPT");
        // Two runs, two reports in the one file.
        for (int i_run = 1; i_run <= 2; ++i_run) {
            EXPECT_EXIT(CrashNow(report.string(), c.eCrash), ::testing::KilledBySignal(c.iSignal), "");
            const std::string s_text = ReadText(report);
            EXPECT_EQ(CountOf(s_text, "//=====================================================\n"), i_run);
            EXPECT_EQ(CountOf(s_text, std::string(c.pCodeLine) + "\n"), i_run) << s_text;
            EXPECT_EQ(s_text.rfind("//=====", 0), 0u);
            const std::vector<std::string> v = Lines(s_text);
            // The stack begins at the faulting instruction.
            ASSERT_GT(v.size(), 2u);
            const std::string s_fault = v[2].substr(16, 16);
            std::size_t u_stack = 0;
            while (u_stack < v.size() && v[u_stack] != "Call stack:")
                ++u_stack;
            ASSERT_LT(u_stack + 2, v.size()) << s_text;
            EXPECT_EQ(v[u_stack + 2].substr(0, 16), s_fault) << s_text;
        }
    }
}

TEST_F(CrashReportTest, AReportThatCannotBeWrittenLeavesTheSignalItsCourse)
{
    const fs::path report = fsFolder / "missing folder" / "x.RPT";
    EXPECT_EXIT(CrashNow(report.string(), Crash::null_write), ::testing::KilledBySignal(SIGSEGV), "");
    EXPECT_FALSE(fs::exists(report));
}
