#include "roster/RosterRun.h"

#include "roster/RosterEngine.h"
#include "roster/RosterPorts.h"

#include "framework/CrashReport.h"

RosterRun::RosterRun(RosterEngine& engine, RosterStatus* p_status, IRosterPostPort* p_port)
    : Engine(engine), pStatus(p_status), pPort(p_port)
{
}

RosterRun::~RosterRun()
{
    Join();
}

void RosterRun::Start()
{
    if (!Worker.joinable())
        Worker = std::thread(RosterWorker, this);
}

void RosterRun::Join()
{
    if (Worker.joinable())
        Worker.join();
}

void RosterRun::RunToEnd()
{
    Start();
    Join();
    RethrowFailure();
}

void RosterRun::RethrowFailure()
{
    if (!pFailure)
        return;
    std::exception_ptr p_failure = pFailure;
    pFailure = nullptr;
    std::rethrow_exception(p_failure);
}

void RosterRun::Work()
{
    auto post = [this](int i_code) {
        if (pPort)
            pPort->Post(RosterPost{i_code, -1, 0, {}});
    };
    try {
        post(ROSTER_POST_MINIMUM_PASS);
        bReachedMinimum = Engine.RosterToMinimum(&bModified, pPort, pStatus, &bCancel);
        if (bReachedMinimum && !bCancel.load()) {
            post(ROSTER_POST_MAXIMUM_PASS);
            bRanMaximum = TRUE;
            Engine.RosterToMaximum(&bModified, pPort, pStatus, &bCancel, &bSkip);
        }
    } catch (...) {
        pFailure = std::current_exception();
    }
    // The receiver waits for this code to join: it must come, whatever
    // happened above.
    try {
        post(bCancel.load() ? ROSTER_POST_CANCELLED : ROSTER_POST_FINISHED);
    } catch (...) {
        if (!pFailure)
            pFailure = std::current_exception();
    }
}

void RosterWorker(RosterRun* p_run)
{
    const CrashAltStack alt_stack;
    p_run->Work();
}
