#include "framework/Desktop.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <system_error>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// xdg-open chooses the handler from the desktop's settings.
class XdgDesktop : public IDesktopPort {
public:
    bool Open(const std::string& s_target) override { return SpawnDetached("xdg-open", {s_target}); }
};

XdgDesktop g_xdg;
IDesktopPort* g_pDesktop = &g_xdg;

} // namespace

IDesktopPort& GetDesktopPort() { return *g_pDesktop; }

IDesktopPort* SetDesktopPort(IDesktopPort* p_port)
{
    IDesktopPort* p_old = g_pDesktop;
    g_pDesktop = p_port ? p_port : &g_xdg;
    return p_old;
}

namespace {

// Nobody waits for a handler: the system reaps it.
void ReapChildrenUnasked()
{
    static const bool b_ignored = [] {
        struct sigaction sa {};
        sigaction(SIGCHLD, nullptr, &sa);
        if (sa.sa_handler == SIG_DFL) {
            sa.sa_handler = SIG_DFL;
            sa.sa_flags |= SA_NOCLDWAIT;
            sigaction(SIGCHLD, &sa, nullptr);
        }
        return true;
    }();
    (void)b_ignored;
}

std::vector<char*> ArgVector(const std::vector<std::string>& a_args)
{
    std::vector<char*> v_argv;
    for (const std::string& s : a_args)
        v_argv.push_back(const_cast<char*>(s.c_str()));
    v_argv.push_back(nullptr);
    return v_argv;
}

// Closes a descriptor once, however the caller leaves.
struct Fd {
    int iFd = -1;
    ~Fd() { Close(); }
    void Close()
    {
        if (iFd >= 0)
            close(iFd);
        iFd = -1;
    }
};

constexpr std::size_t nKeptErrors = 4096;

} // namespace

bool SpawnDetached(const std::string& s_program, const std::vector<std::string>& a_args)
{
    std::vector<std::string> a_all{s_program};
    a_all.insert(a_all.end(), a_args.begin(), a_args.end());
    std::vector<char*> v_argv = ArgVector(a_all);
    ReapChildrenUnasked();
    pid_t i_pid = 0;
    return posix_spawnp(&i_pid, s_program.c_str(), nullptr, nullptr, v_argv.data(), environ) == 0;
}

std::unique_ptr<WatchedProgram> WatchedProgram::Start(const std::string& s_program,
                                                      const std::vector<std::string>& a_args)
{
    // A small shell runs the program and writes its exit status to a pipe
    // of ours (descriptor 3, which the program itself does not get), so the
    // status comes even though the system reaps our children, and a program
    // that hands over to one that stays does not hold the pipe open. The
    // program and its arguments are the shell's positional parameters: no
    // text of theirs is read as a command.
    int a_status[2];
    if (pipe2(a_status, O_CLOEXEC) != 0)
        return nullptr;
    Fd status_read{a_status[0]};
    Fd status_write{a_status[1]};
    // The error output goes to a file without a name, not to a pipe: a
    // program that goes on after the watch may write there for as long as
    // it runs, and must never find its error output closed.
    std::error_code ec;
    std::string s_folder = std::filesystem::temp_directory_path(ec).string();
    if (ec)
        s_folder = "/tmp";
    Fd errors{open(s_folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600)};
    if (errors.iFd < 0)
        errors.iFd = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (errors.iFd < 0)
        return nullptr;

    std::vector<std::string> a_all{"/bin/sh", "-c", "\"$0\" \"$@\" 3>&-; echo $? >&3", s_program};
    a_all.insert(a_all.end(), a_args.begin(), a_args.end());
    std::vector<char*> v_argv = ArgVector(a_all);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // The error output first: the status pipe may itself be descriptor 3
    // or lie where the error file is.
    posix_spawn_file_actions_adddup2(&actions, errors.iFd, 2);
    posix_spawn_file_actions_adddup2(&actions, status_write.iFd, 3);
    ReapChildrenUnasked();
    pid_t i_pid = 0;
    const int i_spawned = posix_spawn(&i_pid, "/bin/sh", &actions, nullptr, v_argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (i_spawned != 0)
        return nullptr;
    std::unique_ptr<WatchedProgram> p_program(new WatchedProgram(status_read.iFd, errors.iFd));
    status_read.iFd = -1;
    errors.iFd = -1;
    return p_program;
}

WatchedProgram::~WatchedProgram()
{
    close(iStatus);
    close(iErrors);
}

SpawnOutcome WatchedProgram::Wait(int n_waitMs)
{
    SpawnOutcome outcome;
    const auto t_end = std::chrono::steady_clock::now() + std::chrono::milliseconds(n_waitMs);
    bool b_ended = false;
    while (!b_ended) {
        const auto n_left =
            std::chrono::duration_cast<std::chrono::milliseconds>(t_end - std::chrono::steady_clock::now()).count();
        if (n_left <= 0)
            break;
        pollfd fd_status{iStatus, POLLIN, 0};
        const int i_polled = poll(&fd_status, 1, static_cast<int>(n_left));
        if (i_polled < 0 && errno != EINTR)
            break;
        if (i_polled <= 0)
            continue;
        char a_buffer[64];
        const ssize_t n_read = read(iStatus, a_buffer, sizeof a_buffer);
        if (n_read > 0)
            sStatus.append(a_buffer, static_cast<std::size_t>(n_read));
        else if (n_read == 0 || errno != EINTR)
            b_ended = true;
    }
    if (!b_ended) {
        outcome.eKind = SpawnOutcome::e_running;
        return outcome;
    }
    if (sStatus.empty())
        return outcome; // the shell itself went wrong
    outcome.eKind = SpawnOutcome::e_exited;
    outcome.iStatus = std::atoi(sStatus.c_str());

    const off_t n_size = lseek(iErrors, 0, SEEK_END);
    const off_t n_from = n_size > static_cast<off_t>(nKeptErrors) ? n_size - static_cast<off_t>(nKeptErrors) : 0;
    outcome.sErrors.resize(static_cast<std::size_t>(n_size > 0 ? n_size - n_from : 0));
    const ssize_t n_read = pread(iErrors, outcome.sErrors.data(), outcome.sErrors.size(), n_from);
    outcome.sErrors.resize(n_read > 0 ? static_cast<std::size_t>(n_read) : 0);
    return outcome;
}

SpawnOutcome SpawnAndWatch(const std::string& s_program, const std::vector<std::string>& a_args, int n_waitMs)
{
    std::unique_ptr<WatchedProgram> p_program = WatchedProgram::Start(s_program, a_args);
    return p_program ? p_program->Wait(n_waitMs) : SpawnOutcome();
}

RecordingDesktop::RecordingDesktop() : pPrevious(SetDesktopPort(this)) {}
RecordingDesktop::~RecordingDesktop() { SetDesktopPort(pPrevious); }

bool RecordingDesktop::Open(const std::string& s_target)
{
    vOpened.push_back(s_target);
    return true;
}
