// Steps that need an ordinary user, for tests that also run as root (root
// may write what the permission bits forbid and give files away). The
// step runs in a forked child that drops to the user "nobody" when the
// test runs as root, and runs as the user it is otherwise.
#pragma once

#include <cstdio>
#include <functional>
#include <grp.h>
#include <pwd.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace ordinaryuser {

inline bool RunningAsRoot() { return geteuid() == 0; }

// The user a root test drops to; false when the system has none.
inline bool NobodyIds(uid_t& o_uid, gid_t& o_gid)
{
    const passwd* p_user = getpwnam("nobody");
    if (p_user == nullptr)
        return false;
    o_uid = p_user->pw_uid;
    o_gid = p_user->pw_gid;
    return true;
}

// Runs f_step as an ordinary user in a child process. Returns what the step
// returns (empty for success, else what went wrong), or how the child
// failed to run it.
inline std::string RunAsOrdinaryUser(const std::function<std::string()>& f_step)
{
    uid_t u_uid = getuid();
    gid_t u_gid = getgid();
    if (RunningAsRoot() && !NobodyIds(u_uid, u_gid))
        return "no user 'nobody' to run as";
    int a_pipe[2];
    if (pipe(a_pipe) != 0)
        return "no pipe";
    std::fflush(nullptr);
    const pid_t i_child = fork();
    if (i_child < 0)
        return "no fork";
    if (i_child == 0) {
        close(a_pipe[0]);
        std::string s_result;
        if (RunningAsRoot() && (setgroups(0, nullptr) != 0 || setgid(u_gid) != 0 || setuid(u_uid) != 0))
            s_result = "cannot become 'nobody'";
        else
            s_result = f_step();
        const ssize_t i_put = write(a_pipe[1], s_result.data(), s_result.size());
        _exit(i_put == static_cast<ssize_t>(s_result.size()) ? 0 : 1);
    }
    close(a_pipe[1]);
    std::string s_result;
    char a_buf[512];
    ssize_t n;
    while ((n = read(a_pipe[0], a_buf, sizeof a_buf)) > 0)
        s_result.append(a_buf, static_cast<std::size_t>(n));
    close(a_pipe[0]);
    int i_status = 0;
    waitpid(i_child, &i_status, 0);
    if (!WIFEXITED(i_status) || WEXITSTATUS(i_status) != 0)
        return "the child did not finish: " + s_result;
    return s_result;
}

} // namespace ordinaryuser
