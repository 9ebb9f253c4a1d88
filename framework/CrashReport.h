// Crash reports: when a thread of the program dies of a fault (an invalid
// memory access, a stack overflow, an integer division by zero, an illegal
// instruction, an abort), a plain-text report of the fault, its module, the
// registers and the call stack is appended to the report file before the
// process ends with its signal, so that a user can send us what happened.
//
// The handler runs on an alternate signal stack (a thread whose own stack
// has run out has nowhere else to run it), so every thread the program
// starts makes one for itself with CrashAltStack. The handler only uses
// calls that are safe inside a signal handler: the report is formatted into
// a fixed buffer and written with write(2); the unwinder and the dynamic
// linker's address lookup are readied at installation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <ucontext.h>

// What a report is made of: the signal and its cause (si_code), whether the
// fault hit the end of the thread's stack, the interrupted processor state
// (null: no registers) and the return addresses of the call stack, the
// faulting instruction first.
struct CrashContext {
    int iSignal = 0;
    int iCode = 0;
    bool bStackOverflow = false;
    const ucontext_t* pContext = nullptr;
    const void* const* apFrames = nullptr;
    int nFrames = 0;
};

// The name of a fault as the report's code line gives it: the classic name
// where the signal and its cause correspond to one ("ACCESS_VIOLATION",
// "STACK_OVERFLOW", "INT_DIVIDE_BY_ZERO", ...), else the signal's own
// description ("Aborted"), empty when the system has none.
const char* CrashCodeName(int i_signal, int i_code, bool b_stackOverflow);

// Appends the report of a crash to the open file i_fd, one write per line.
// Safe inside a signal handler.
void WriteCrashReport(int i_fd, const CrashContext& context);

// The report's file name for a program file name (its name only, never a
// folder): the text after the last "." becomes "RPT" when it has at least
// three characters; otherwise ".RPT" is appended, so that the report is
// never the program itself ("rotavex" gives "rotavex.RPT").
std::string CrashReportNameFor(const std::string& s_programFile);

// The folder reports go to: the user's state folder ($XDG_STATE_HOME, by
// default ~/.local/state) + "/rotavex", since an installed program's own
// folder is not writable.
std::string DefaultCrashReportFolder();

// Installs the handler for SIGSEGV, SIGBUS, SIGFPE, SIGILL and SIGABRT
// (keeping the dispositions it replaces), gives the calling thread its
// alternate stack, and names the report after the running program in the
// default folder (made when missing) unless a name was set. Called once, in
// main, before the application object exists.
void InstallCrashReporter();
// Puts the previous dispositions back.
void RemoveCrashReporter();
// Names the report file explicitly (overrides the default; a name longer
// than the handler's buffer is refused).
bool SetCrashReportFile(const std::string& s_path);
std::string GetCrashReportFile();

// The alternate signal stack of the calling thread, for a thread's
// lifetime: the first thing a thread the program starts makes.
class CrashAltStack {
public:
    CrashAltStack();
    ~CrashAltStack();
    CrashAltStack(const CrashAltStack&) = delete;
    CrashAltStack& operator=(const CrashAltStack&) = delete;

private:
    void* pStack = nullptr;
    std::size_t uSize = 0;
};
