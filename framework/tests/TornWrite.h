// A write in place torn for real, for the tests of what a torn write
// leaves: a child process saves over a file that is written in place (it
// has a second hard link, or its folder takes no new file), and is killed
// with SIGKILL as soon as the file's first bytes are the new ones, that is
// part way through the write into the file itself. And children a test can
// wait for.
#pragma once

#include "framework/FileIO.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace tornwrite {

// The file's first n bytes, empty when it cannot be read.
inline std::string Head(const std::string& s_path, std::size_t n)
{
    const int i_fd = open(s_path.c_str(), O_RDONLY | O_CLOEXEC);
    if (i_fd < 0)
        return {};
    std::string s(n, '\0');
    const ssize_t i_got = pread(i_fd, s.data(), n, 0);
    close(i_fd);
    return i_got == static_cast<ssize_t>(n) ? s : std::string();
}

// Runs f_save (which saves s_new over s_path) in a child and kills the
// child once the file begins with s_new's first bytes, which must differ
// from what it begins with now. True when the child was killed before it
// finished, whatever the file then holds.
inline bool KillPartWay(const std::string& s_path, const std::string& s_new, const std::function<void()>& f_save)
{
    const std::string s_newHead = s_new.substr(0, 64);
    std::fflush(nullptr);
    const pid_t i_child = fork();
    if (i_child < 0)
        return false;
    if (i_child == 0) {
        f_save();
        _exit(0);
    }
    int i_status = 0;
    for (;;) {
        if (Head(s_path, s_newHead.size()) == s_newHead) {
            kill(i_child, SIGKILL);
            break;
        }
        if (waitpid(i_child, &i_status, WNOHANG) == i_child)
            return false; // finished before it could be caught
    }
    waitpid(i_child, &i_status, 0);
    return WIFSIGNALED(i_status) && WTERMSIG(i_status) == SIGKILL;
}

} // namespace tornwrite
