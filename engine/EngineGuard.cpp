#include "engine/EngineGuard.h"

#include "engine/StackGuard.h"
#include "model/General.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/services/ZelMessages.h"

#include <csetjmp>
#include <csignal>
#include <cstddef>

namespace {

enum : UINT {
    IDS_ENGINE_ASSERTION = 140,
    IDS_ENGINE_EXCEPTION = 146,
    IDS_ENGINE_STACK_OVERFLOW = 151,
    IDS_ENGINE_UNKNOWN = 152,
};

// The reports name the source the drivers have always reported under.
constexpr const char* kReportSource = "Timetable.cpp";

constexpr int aSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL};
constexpr int nSignals = static_cast<int>(sizeof aSignals / sizeof aSignals[0]);

// Where a fault on this thread jumps back to while a guarded call runs,
// and the signal it came with.
thread_local sigjmp_buf* tpJump = nullptr;
thread_local volatile sig_atomic_t tiSignal = 0;

// The handlers installed before the guard's, and the nesting of guarded
// calls (on the user-interface thread).
struct sigaction aPrevious[nSignals];
int iDepth = 0;
stack_t AltPrevious;
bool bOwnAltStack = false;
// The alternate stack the handlers run on when the thread had none: a
// fault from an exhausted stack still finds room to run the handler.
alignas(16) char aAltStack[128 * 1024];

void OnFault(int i_signal, siginfo_t* p_info, void* p_context)
{
    if (tpJump != nullptr) {
        sigjmp_buf* p_jump = tpJump;
        tpJump = nullptr;
        tiSignal = i_signal;
        siglongjmp(*p_jump, 1);
    }
    // Not the guarded thread: whoever handled the signal before does.
    for (int i = 0; i < nSignals; ++i) {
        if (aSignals[i] != i_signal)
            continue;
        const struct sigaction& previous = aPrevious[i];
        if ((previous.sa_flags & SA_SIGINFO) != 0 && previous.sa_sigaction != nullptr) {
            previous.sa_sigaction(i_signal, p_info, p_context);
        } else if (previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN && previous.sa_handler != nullptr) {
            previous.sa_handler(i_signal);
        } else {
            // The default action: the fault happens again when the
            // instruction is retried, and ends the process as it would
            // have without the guard.
            signal(i_signal, SIG_DFL);
        }
        return;
    }
}

void Install()
{
    if (iDepth++ > 0)
        return;
    stack_t current{};
    sigaltstack(nullptr, &current);
    AltPrevious = current;
    bOwnAltStack = (current.ss_flags & SS_DISABLE) != 0;
    if (bOwnAltStack) {
        stack_t own{};
        own.ss_sp = aAltStack;
        own.ss_size = sizeof aAltStack;
        own.ss_flags = 0;
        sigaltstack(&own, nullptr);
    }
    struct sigaction action {};
    action.sa_sigaction = &OnFault;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < nSignals; ++i)
        sigaction(aSignals[i], &action, &aPrevious[i]);
}

void Uninstall()
{
    if (--iDepth > 0)
        return;
    for (int i = 0; i < nSignals; ++i)
        sigaction(aSignals[i], &aPrevious[i], nullptr);
    if (bOwnAltStack) {
        stack_t off{};
        off.ss_flags = SS_DISABLE;
        sigaltstack(&off, nullptr);
        bOwnAltStack = false;
    }
}

class Handlers {
public:
    Handlers() { Install(); }
    ~Handlers() { Uninstall(); }
    Handlers(const Handlers&) = delete;
    Handlers& operator=(const Handlers&) = delete;
};

// Calls the body; a fault on this thread comes back here. The signal, or
// 0 when the body returned (or threw, which goes on up).
int CallCatchingFaults(const std::function<void()>& f_body)
{
    sigjmp_buf jump;
    sigjmp_buf* const p_outer = tpJump;
    if (sigsetjmp(jump, 1) != 0) {
        tpJump = p_outer;
        return tiSignal;
    }
    tpJump = &jump;
    try {
        f_body();
    } catch (...) {
        tpJump = p_outer;
        throw;
    }
    tpJump = p_outer;
    return 0;
}

void Report(const std::string& s_text, long l_line)
{
    ZelSendError(s_text.c_str(), kReportSource, l_line, nullptr);
}

} // namespace

DWORD EngineGuard::CodeForSignal(int i_signal)
{
    switch (i_signal) {
    case SIGSEGV:
    case SIGBUS: return 0xC0000005;
    case SIGFPE: return 0xC0000094;
    case SIGILL: return 0xC000001D;
    default: return 0;
    }
}

BOOL EngineGuard::IsInstalled()
{
    return iDepth > 0 ? TRUE : FALSE;
}

EngineGuard::Outcome EngineGuard::Run(const std::function<void()>& f_body, const std::function<void()>& f_close)
{
    Outcome outcome;
    // A check that failed on another thread (the rostering worker) has not
    // shown its report yet; it is shown here, once the handlers are back.
    std::string s_pending;
    {
        Handlers handlers;
        try {
            const int i_signal = CallCatchingFaults(f_body);
            if (i_signal != 0)
                outcome = {e_fault, CodeForSignal(i_signal)};
        } catch (const ZelAssertException& e) {
            outcome.eFailure = e_assertion;
            s_pending = e.GetPendingReport();
        } catch (SE_StackOverflow* p_overflow) {
            // Nothing more may run on the short stack here: the guard is
            // re-armed, and the rest waits until the stack is back.
            outcome = {e_stack_overflow, p_overflow->GetCode()};
            ResetStackGuard();
        } catch (const SE_Exception& e) {
            outcome = {e_fault, e.GetCode()};
        } catch (...) {
            outcome.eFailure = e_other;
        }
    }

    switch (outcome.eFailure) {
    case e_none:
        break;
    case e_assertion:
        // The failed check has shown its own report, unless it failed on
        // another thread.
        f_close();
        if (!s_pending.empty())
            ZelShowPendingReport(ZelAssertException(s_pending, true));
        ShowMessageId(IDS_ENGINE_ASSERTION, "", MB_OK | MB_ICONSTOP);
        break;
    case e_stack_overflow:
        f_close();
        ShowMessageId(IDS_ENGINE_STACK_OVERFLOW, "", MB_OK | MB_ICONSTOP);
        Report(LoadResString(IDS_ENGINE_STACK_OVERFLOW, "Stack overflow"), __LINE__);
        break;
    case e_fault: {
        f_close();
        const std::string s_text =
            FormatMessageId(IDS_ENGINE_EXCEPTION, ZelItoS(static_cast<LONG>(outcome.uCode), 16));
        ShowMessageText(s_text, MB_OK | MB_ICONSTOP);
        Report(s_text, __LINE__);
        break;
    }
    case e_other:
        f_close();
        ShowMessageId(IDS_ENGINE_UNKNOWN, "", MB_OK | MB_ICONSTOP);
        Report(LoadResString(IDS_ENGINE_UNKNOWN, "Unknown exception"), __LINE__);
        break;
    }
    return outcome;
}
