// Programs started and watched as the mail hand-off starts the desktop's
// tool: the exit status and error output of one that ends, a program that
// stays (taken as started, and not held up by the watch ending), one that
// hands over to a program that stays, one that is not there, and arguments
// that must reach the program untouched. Programs handed to the desktop
// leave no zombie behind and leave this process able to wait for children
// of its own.
#include "framework/Desktop.h"
#include "framework/FileIO.h"
#include "testsupport/EnvScope.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;

// A process's state letter and parent, from /proc; state 0 when it is gone.
struct ProcState {
    char cState = 0;
    pid_t iParent = 0;
};

ProcState StateOf(pid_t i_pid)
{
    std::ifstream in("/proc/" + std::to_string(i_pid) + "/stat");
    std::string s_stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t i_name_end = s_stat.rfind(')');
    ProcState state;
    if (i_name_end == std::string::npos)
        return state;
    std::sscanf(s_stat.c_str() + i_name_end + 1, " %c %d", &state.cState, &state.iParent);
    return state;
}

// The children of this process that ended and were never reaped.
std::vector<pid_t> ZombieChildren()
{
    std::vector<pid_t> v_zombies;
    for (const fs::directory_entry& entry : fs::directory_iterator("/proc")) {
        const std::string s_name = entry.path().filename().string();
        if (s_name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const pid_t i_pid = std::stoi(s_name);
        const ProcState state = StateOf(i_pid);
        if (state.iParent == getpid() && state.cState == 'Z')
            v_zombies.push_back(i_pid);
    }
    return v_zombies;
}

// Runs /bin/sh -c s_script as a child of this process and waits for it;
// its exit status, or -1 with the errno of a wait that got none.
int RunAndWait(const std::string& s_script, int& i_errno)
{
    std::vector<std::string> a_args{"/bin/sh", "-c", s_script};
    std::vector<char*> v_argv;
    for (std::string& s : a_args)
        v_argv.push_back(s.data());
    v_argv.push_back(nullptr);
    pid_t i_pid = 0;
    i_errno = posix_spawn(&i_pid, "/bin/sh", nullptr, nullptr, v_argv.data(), environ);
    if (i_errno != 0)
        return -1;
    int i_status = 0;
    if (waitpid(i_pid, &i_status, 0) != i_pid) {
        i_errno = errno;
        return -1;
    }
    return WIFEXITED(i_status) ? WEXITSTATUS(i_status) : -1;
}

std::string ReadWhenWritten(const fs::path& fs_file)
{
    const auto t_end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::string s_text;
    while (std::chrono::steady_clock::now() < t_end) {
        std::ifstream in(fs_file);
        std::getline(in, s_text);
        if (!s_text.empty())
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return s_text;
}

// Waits until the process is gone or has ended (a zombie of its parent).
void AwaitEnd(pid_t i_pid)
{
    const auto t_end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < t_end) {
        const char c_state = StateOf(i_pid).cState;
        if (c_state == 0 || c_state == 'Z')
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

class DesktopChildren : public ::testing::Test {
protected:
    void SetUp() override
    {
        fsFolder = fs::temp_directory_path() / ("rvx-desktop-" + std::to_string(getpid()));
        fs::remove_all(fsFolder);
        fs::create_directories(fsFolder);
    }
    void TearDown() override { fs::remove_all(fsFolder); }

    fs::path fsFolder;
};

// The desktop's own "open" (xdg-open, here a script of that name first on
// PATH that tells its pid and stays a while), then a watched program given
// up while it still runs: afterwards this process still gets the exit
// status of children of its own, and once the desktop's programs end none
// is left a zombie of ours.
TEST_F(DesktopChildren, DesktopProgramsLeaveNoZombieAndChildrenStayWaitable)
{
    struct sigaction before {};
    sigaction(SIGCHLD, nullptr, &before);

    const fs::path fs_open = fsFolder / "xdg-open";
    std::ofstream(fs_open) << "#!/bin/sh\necho $$ > \"$1\"\nsleep 0.5\n";
    fs::permissions(fs_open, fs::perms::owner_all);
    const fs::path fs_pid = fsFolder / "opened";
    {
        EnvScope path("PATH", fsFolder.string() + ":" + std::getenv("PATH"));
        ASSERT_TRUE(GetDesktopPort().Open(fs_pid.string()));
    }
    const std::string s_opened = ReadWhenWritten(fs_pid);
    ASSERT_FALSE(s_opened.empty());
    const pid_t i_opened = std::stoi(s_opened);
    // It runs, and not as a child of ours.
    EXPECT_NE(StateOf(i_opened).iParent, getpid());

    std::unique_ptr<WatchedProgram> p_watched =
        WatchedProgram::Start("sh", {"-c", "echo $$ > \"$0\"; sleep 0.5", (fsFolder / "watched").string()});
    ASSERT_NE(p_watched, nullptr);
    EXPECT_EQ(p_watched->Wait(50).eKind, SpawnOutcome::e_running);
    p_watched.reset();
    const std::string s_watched = ReadWhenWritten(fsFolder / "watched");
    ASSERT_FALSE(s_watched.empty());

    struct sigaction after {};
    sigaction(SIGCHLD, nullptr, &after);
    EXPECT_EQ(after.sa_handler, before.sa_handler);
    EXPECT_EQ(after.sa_flags & SA_NOCLDWAIT, before.sa_flags & SA_NOCLDWAIT);

    int i_errno = 0;
    EXPECT_EQ(RunAndWait("exit 3", i_errno), 3) << std::strerror(i_errno);
    FILE* p_pipe = popen("exit 5", "r");
    ASSERT_NE(p_pipe, nullptr);
    const int i_closed = pclose(p_pipe);
    EXPECT_TRUE(WIFEXITED(i_closed) && WEXITSTATUS(i_closed) == 5) << i_closed;

    AwaitEnd(i_opened);
    AwaitEnd(std::stoi(s_watched));
    EXPECT_EQ(ZombieChildren(), std::vector<pid_t>{});
}

// The file-size signal this process catches (so that a write past the
// limit fails instead of ending it) is back at its default in the programs
// it starts: one of them that writes past the limit ends by the signal, as
// it would when started from anywhere else.
TEST_F(DesktopChildren, StartedProgramsGetTheFileSizeSignalsDefault)
{
    struct sigaction previous {};
    sigaction(SIGXFSZ, nullptr, &previous);
    IgnoreFileSizeSignal();
    struct sigaction caught {};
    sigaction(SIGXFSZ, nullptr, &caught);
    EXPECT_NE(caught.sa_handler, SIG_DFL);
    EXPECT_NE(caught.sa_handler, SIG_IGN);

    // The shell ends with 128 + the number of the signal that ended the
    // program it ran.
    const std::string s_script = "exec 2>/dev/null; ulimit -f 1; head -c 8192 /dev/zero > \"$0/big\"; echo $? > \"$0/status\"";
    const std::string s_killed = std::to_string(128 + SIGXFSZ);

    fs::create_directories(fsFolder / "detached");
    fs::create_directories(fsFolder / "watched");
    EXPECT_TRUE(SpawnDetached("sh", {"-c", s_script, (fsFolder / "detached").string()}));
    const SpawnOutcome watched = SpawnAndWatch("sh", {"-c", s_script, (fsFolder / "watched").string()}, 10000);
    EXPECT_EQ(watched.eKind, SpawnOutcome::e_exited);
    EXPECT_EQ(ReadWhenWritten(fsFolder / "watched" / "status"), s_killed) << watched.sErrors;
    EXPECT_EQ(ReadWhenWritten(fsFolder / "detached" / "status"), s_killed);

    sigaction(SIGXFSZ, &previous, nullptr);
}

TEST(WatchedProgram, TellsHowTheProgramEnded)
{
    struct Case {
        const char* pWhat;
        std::vector<std::string> vArgs;
        SpawnOutcome::Kind eKind;
        int iStatus;
        const char* pErrors;
        bool bSucceeded;
    } a_cases[] = {
        {"success", {"-c", "exit 0"}, SpawnOutcome::e_exited, 0, "", true},
        {"failure", {"-c", "echo tried >&2; echo 'no method available' >&2; exit 3"}, SpawnOutcome::e_exited, 3,
         "tried\nno method available\n", false},
        // The shell's "$(...)" and ";" in an argument are plain text.
        {"arguments", {"-c", "printf '%s|' \"$@\" >&2", "sh", "$(exit 9); exit 8", "two words"},
         SpawnOutcome::e_exited, 0, "$(exit 9); exit 8|two words|", true},
        // A tool that leaves a program running behind it ends all the same.
        {"hand-over", {"-c", "sleep 5 & exit 0"}, SpawnOutcome::e_exited, 0, "", true},
    };
    for (const Case& c : a_cases) {
        const auto t_start = std::chrono::steady_clock::now();
        const SpawnOutcome outcome = SpawnAndWatch("sh", c.vArgs, 10000);
        EXPECT_LT(std::chrono::steady_clock::now() - t_start, std::chrono::seconds(5)) << c.pWhat;
        EXPECT_EQ(outcome.eKind, c.eKind) << c.pWhat;
        EXPECT_EQ(outcome.iStatus, c.iStatus) << c.pWhat;
        EXPECT_EQ(outcome.sErrors, c.pErrors) << c.pWhat;
        EXPECT_EQ(outcome.Succeeded(), c.bSucceeded) << c.pWhat;
    }
}

TEST(WatchedProgram, AMissingProgramFailsAndOneThatStaysIsTakenAsStarted)
{
    const SpawnOutcome missing = SpawnAndWatch("rvx-no-such-program", {}, 10000);
    EXPECT_EQ(missing.eKind, SpawnOutcome::e_exited);
    EXPECT_EQ(missing.iStatus, 127);
    EXPECT_NE(missing.sErrors.find("rvx-no-such-program"), std::string::npos) << missing.sErrors;
    EXPECT_FALSE(missing.Succeeded());

    // It is watched on after a first wait, and ends in the second.
    std::unique_ptr<WatchedProgram> p_program = WatchedProgram::Start("sh", {"-c", "sleep 1; echo late >&2; exit 4"});
    ASSERT_NE(p_program, nullptr);
    const SpawnOutcome first = p_program->Wait(100);
    EXPECT_EQ(first.eKind, SpawnOutcome::e_running);
    EXPECT_TRUE(first.Succeeded());
    const SpawnOutcome second = p_program->Wait(10000);
    EXPECT_EQ(second.eKind, SpawnOutcome::e_exited);
    EXPECT_EQ(second.iStatus, 4);
    EXPECT_EQ(second.sErrors, "late\n");

    // One that stays past the wait: the watch ends on time and the program
    // goes on.
    const auto t_start = std::chrono::steady_clock::now();
    const SpawnOutcome staying = SpawnAndWatch("sleep", {"5"}, 300);
    EXPECT_LT(std::chrono::steady_clock::now() - t_start, std::chrono::seconds(3));
    EXPECT_EQ(staying.eKind, SpawnOutcome::e_running);
    EXPECT_TRUE(staying.Succeeded());
}

} // namespace
