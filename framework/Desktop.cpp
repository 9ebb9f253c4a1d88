#include "framework/Desktop.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <system_error>
#include <pthread.h>
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

// A descriptor of ours that the started program gets as descriptor iTo.
struct FdGiven {
    int iFrom;
    int iTo;
};

// Where execvp would look for s_program: the folders of PATH in order, or
// the name itself when it holds a slash.
std::vector<std::string> ProgramPaths(const std::string& s_program)
{
    if (s_program.empty())
        return {};
    if (s_program.find('/') != std::string::npos)
        return {s_program};
    const char* p_path = std::getenv("PATH");
    const std::string s_path = p_path ? p_path : "/bin:/usr/bin";
    std::vector<std::string> v_paths;
    std::size_t i_from = 0;
    while (true) {
        const std::size_t i_colon = s_path.find(':', i_from);
        std::string s_folder = s_path.substr(i_from, i_colon == std::string::npos ? std::string::npos : i_colon - i_from);
        // An empty entry is the current folder.
        v_paths.push_back(s_folder.empty() ? s_program : s_folder + "/" + s_program);
        if (i_colon == std::string::npos)
            break;
        i_from = i_colon + 1;
    }
    return v_paths;
}

// Starts a program that is no child of ours: a short-lived child starts it
// and ends at once, we wait for that child by its pid, and the program,
// left without a parent, is taken over by the system, which reaps it when
// it ends. Desktop programs may run for as long as the user works in them
// and nobody asks how they ended, yet they must leave no zombie behind;
// and how this process's children are reaped (its SIGCHLD disposition) is
// left alone, since other code waits for children of its own and needs
// their exit status. Returns 0 once the program runs, else the errno that
// kept it from starting.
int StartOrphan(const std::vector<std::string>& a_paths, char* const* a_argv, const std::vector<FdGiven>& a_given)
{
    if (a_paths.empty())
        return ENOENT;
    // Everything the children use is made here: between fork and exec
    // they may only call what is safe in a signal handler (no allocation).
    std::vector<const char*> v_paths;
    for (const std::string& s : a_paths)
        v_paths.push_back(s.c_str());
    std::vector<int> v_moved(a_given.size(), -1);
    int i_above = 3;
    for (const FdGiven& given : a_given)
        i_above = std::max(i_above, given.iTo + 1);

    // The started program's exec closes the report pipe; before that it
    // tells through it why the exec failed.
    int a_report[2];
    if (pipe2(a_report, O_CLOEXEC) != 0)
        return errno;
    // No handler of ours may run in the children before the exec.
    sigset_t all, previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    const pid_t i_child = fork();
    if (i_child == 0) {
        close(a_report[0]);
        const pid_t i_grandchild = fork();
        if (i_grandchild != 0) {
            if (i_grandchild < 0) {
                const int i_error = errno;
                (void)!write(a_report[1], &i_error, sizeof i_error);
            }
            _exit(0);
        }
        // Out of the way of the descriptors the program is given: a
        // descriptor to give may itself lie where another one goes.
        const int i_report = fcntl(a_report[1], F_DUPFD_CLOEXEC, i_above);
        int i_error = i_report < 0 ? errno : 0;
        for (std::size_t i = 0; i < a_given.size() && i_error == 0; ++i) {
            v_moved[i] = fcntl(a_given[i].iFrom, F_DUPFD_CLOEXEC, i_above);
            if (v_moved[i] < 0)
                i_error = errno;
        }
        for (std::size_t i = 0; i < a_given.size() && i_error == 0; ++i)
            if (dup2(v_moved[i], a_given[i].iTo) < 0)
                i_error = errno;
        if (i_error != 0) {
            (void)!write(i_report < 0 ? a_report[1] : i_report, &i_error, sizeof i_error);
            _exit(127);
        }
        // Handlers of ours go back to the default before the signals are
        // let through again (the exec would reset them, but only later).
        for (int i_signal = 1; i_signal < NSIG; ++i_signal) {
            struct sigaction action {};
            if (sigaction(i_signal, nullptr, &action) == 0 && action.sa_handler != SIG_IGN
                && action.sa_handler != SIG_DFL) {
                action.sa_handler = SIG_DFL;
                action.sa_flags = 0;
                sigaction(i_signal, &action, nullptr);
            }
        }
        sigprocmask(SIG_SETMASK, &previous, nullptr);
        // As execvp: a folder that refuses entry is remembered, the
        // search goes on.
        bool b_denied = false;
        for (const char* p_path : v_paths) {
            execve(p_path, a_argv, environ);
            i_error = errno;
            b_denied = b_denied || i_error == EACCES;
        }
        if (b_denied && (i_error == ENOENT || i_error == ENOTDIR))
            i_error = EACCES;
        (void)!write(i_report, &i_error, sizeof i_error);
        _exit(127);
    }
    int i_error = i_child < 0 ? errno : 0;
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    close(a_report[1]);
    if (i_child > 0) {
        int i_status = 0;
        while (waitpid(i_child, &i_status, 0) < 0 && errno == EINTR) {
        }
        ssize_t n_read;
        while ((n_read = read(a_report[0], &i_error, sizeof i_error)) < 0 && errno == EINTR) {
        }
        if (n_read != static_cast<ssize_t>(sizeof i_error))
            i_error = 0; // the report pipe closed unwritten: the exec went through
    }
    close(a_report[0]);
    return i_error;
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
    return StartOrphan(ProgramPaths(s_program), v_argv.data(), {}) == 0;
}

std::unique_ptr<WatchedProgram> WatchedProgram::Start(const std::string& s_program,
                                                      const std::vector<std::string>& a_args)
{
    // A small shell runs the program and writes its exit status to a pipe
    // of ours (descriptor 3, which the program itself does not get): the
    // shell is no child of ours (see StartOrphan), so a watch that ends
    // before the program does leaves nothing behind to reap, and a program
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

    if (StartOrphan({"/bin/sh"}, v_argv.data(), {{errors.iFd, 2}, {status_write.iFd, 3}}) != 0)
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
