// How the build and rostering drivers keep a failure inside an engine from
// ending the program. The driver runs the engine's call through the guard;
// whatever goes wrong inside ends in one of four outcomes, each told to the
// user (and all but the assertion, which has reported itself, sent as an
// error report), after which the driver puts the timetable right:
//
// - a failed check (ZelAssertException): message 140, after the check's
//   own report when it failed on another thread and brought it along;
// - the stack guard's overflow (the one SE_StackOverflow object, thrown by
//   pointer): the guard is re-armed at once, and message 151 and a report
//   follow once the stack has unwound;
// - a hardware fault (a segmentation or bus fault, an arithmetic fault, an
//   illegal instruction) or an SE_Exception: message 146 with the fault's
//   code in hexadecimal, and a report;
// - anything else, an allocation that failed included: message 152 and a
//   report.
//
// Hardware faults are caught only for the length of the guarded call and
// only on the thread that makes it: the guard installs its handlers for
// SIGSEGV, SIGBUS, SIGFPE and SIGILL on an alternate signal stack, keeping
// the handlers installed before and putting them back afterwards. A fault
// on that thread jumps back into the guard; the frames in between are
// abandoned, not unwound (their objects are not destroyed), which the
// message's advice to save and restart covers. A fault on any other thread
// goes on to the handler installed before (the crash reporter). Calls on
// one thread may nest; the handlers go when the outermost ends.
#pragma once

#include "framework/Types.h"

#include <functional>

class EngineGuard {
public:
    enum Failure : int { e_none = 0, e_assertion, e_stack_overflow, e_fault, e_other };

    struct Outcome {
        Failure eFailure = e_none;
        // The code of a fault (e_fault) or of the overflow.
        DWORD uCode = 0;
    };

    // Runs the body. On a failure f_close runs before anything is shown
    // (it ends the engine's progress window and gives the main window
    // back), then the failure's message and report. The handlers are back
    // as they were before any message shows.
    static Outcome Run(const std::function<void()>& f_body, const std::function<void()>& f_close);

    // The fault code shown for a signal: 0xc0000005 for SIGSEGV and
    // SIGBUS, 0xc0000094 for SIGFPE, 0xc000001d for SIGILL; 0 for others.
    static DWORD CodeForSignal(int i_signal);

    // Whether the guard's handlers are installed now.
    static BOOL IsInstalled();
};
