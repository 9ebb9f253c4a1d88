#include "framework/Desktop.h"

#include <csignal>
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

bool SpawnDetached(const std::string& s_program, const std::vector<std::string>& a_args)
{
    std::vector<char*> v_argv;
    v_argv.push_back(const_cast<char*>(s_program.c_str()));
    for (const std::string& s : a_args)
        v_argv.push_back(const_cast<char*>(s.c_str()));
    v_argv.push_back(nullptr);

    // Nobody waits for the handler: let the system reap it.
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

    pid_t i_pid = 0;
    return posix_spawnp(&i_pid, s_program.c_str(), nullptr, nullptr, v_argv.data(), environ) == 0;
}

RecordingDesktop::RecordingDesktop() : pPrevious(SetDesktopPort(this)) {}
RecordingDesktop::~RecordingDesktop() { SetDesktopPort(pPrevious); }

bool RecordingDesktop::Open(const std::string& s_target)
{
    vOpened.push_back(s_target);
    return true;
}
