// Hand-offs to the desktop: opening a document, a link or a mail address in
// the user's chosen application. Reached through a port so tests can record
// what would have been opened.
#pragma once

#include <memory>
#include <string>
#include <vector>

class IDesktopPort {
public:
    virtual ~IDesktopPort() = default;
    // Opens s_target (a UTF-8 path or URL) with the desktop's handler; true
    // when the handler could be started.
    virtual bool Open(const std::string& s_target) = 0;
};

IDesktopPort& GetDesktopPort();
IDesktopPort* SetDesktopPort(IDesktopPort* p_port);

// Starts a program found on PATH with the given arguments, without a shell
// and without waiting for it; true when it started. The program is no child
// of this process: it leaves no zombie when it ends, and nothing changes in
// how this process waits for children of its own.
bool SpawnDetached(const std::string& s_program, const std::vector<std::string>& a_args);

// How a program started by SpawnAndWatch did within the time it was given.
struct SpawnOutcome {
    enum Kind {
        e_exited,  // it ended within the time; iStatus is its exit status
        e_running, // still running when the time was up (it goes on, unwatched)
        e_failed,  // it could not be started at all
    };
    Kind eKind = e_failed;
    int iStatus = 0;
    // What it wrote to its error output, when it ended (at most its last
    // few kilobytes).
    std::string sErrors;

    bool Succeeded() const { return eKind == e_running || (eKind == e_exited && iStatus == 0); }
};

// A program started with its exit status and error output watched. A
// desktop tool that fails tells so by its exit status and on its error
// output, while one that hands over to a program the user works in may not
// return at all: a program still running when the watch ends is taken as
// started. The arguments reach the program as they are (no shell
// interprets them). As with SpawnDetached, the program is no child of this
// process, so one still running when the watch is given up is reaped by
// the system.
class WatchedProgram {
public:
    // Null when it could not be started at all.
    static std::unique_ptr<WatchedProgram> Start(const std::string& s_program, const std::vector<std::string>& a_args);
    ~WatchedProgram();
    WatchedProgram(const WatchedProgram&) = delete;
    WatchedProgram& operator=(const WatchedProgram&) = delete;

    // Waits at most n_waitMs milliseconds for the program to end; e_running
    // when it has not. May be called again to wait on.
    SpawnOutcome Wait(int n_waitMs);

private:
    WatchedProgram(int i_status, int i_errors) : iStatus(i_status), iErrors(i_errors) {}
    int iStatus;
    int iErrors;
    std::string sStatus;
};

// Starts the program and waits at most n_waitMs milliseconds for it.
SpawnOutcome SpawnAndWatch(const std::string& s_program, const std::vector<std::string>& a_args, int n_waitMs);

// Records targets instead of opening them; installs itself for its lifetime.
class RecordingDesktop : public IDesktopPort {
public:
    RecordingDesktop();
    ~RecordingDesktop() override;
    RecordingDesktop(const RecordingDesktop&) = delete;
    RecordingDesktop& operator=(const RecordingDesktop&) = delete;

    bool Open(const std::string& s_target) override;
    const std::vector<std::string>& Opened() const { return vOpened; }

private:
    std::vector<std::string> vOpened;
    IDesktopPort* pPrevious;
};
