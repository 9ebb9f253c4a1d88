// One rostering run on its own thread: the worker that runs the engine's
// passes, and the flags the user-interface thread shares with it.
//
// The receiver (the roster control dialog, or a headless caller) makes the
// run over an engine and a status block, starts it, and from then on only
// writes the cancel and skip flags and reads the status block's snapshots;
// the worker posts its codes to the port. The worker posts 6, runs the
// minimum pass and, when that brought every participant to its minimum
// and nobody pressed Stop, posts 7 and runs the maximum pass; it always
// ends by posting 4 (stopped) or 5. The receiver joins the thread after
// that code; only then may it read the engine, the document and the
// modified flag, and call RethrowFailure.
//
// Nothing thrown inside a pass leaves the worker: a failed check, the stack
// guard's overflow or anything else is kept (the open transactions have
// rolled back as it passed) and rethrown by RethrowFailure on the
// receiver's thread, where the roster driver's catches report it.
#pragma once

#include "framework/Types.h"

#include <atomic>
#include <exception>
#include <thread>

class IRosterPostPort;
class RosterEngine;
class RosterStatus;

class RosterRun {
public:
    // The engine, the status block (may be null) and the port (may be
    // null) must outlive the run.
    RosterRun(RosterEngine& engine, RosterStatus* p_status, IRosterPostPort* p_port);
    // Waits for a worker still running.
    ~RosterRun();
    RosterRun(const RosterRun&) = delete;
    RosterRun& operator=(const RosterRun&) = delete;

    // Starts the worker; once only.
    void Start();
    // Waits for the worker to end. Nothing when it is not running.
    void Join();
    // Start, Join, RethrowFailure: the whole run for a headless caller.
    void RunToEnd();

    // Written by the user-interface thread, polled by the engine.
    void Cancel() { bCancel.store(true); }
    void Skip() { bSkip.store(true); }
    BOOL IsCancelled() const { return bCancel.load() ? TRUE : FALSE; }

    // After Join: whether the run changed the document, whether the
    // minimum pass reached every minimum and whether the maximum pass ran.
    BOOL IsModified() const { return bModified.load() ? TRUE : FALSE; }
    BOOL ReachedMinimum() const { return bReachedMinimum; }
    BOOL RanMaximumPass() const { return bRanMaximum; }
    // After Join: what the worker caught, or null.
    std::exception_ptr GetFailure() const { return pFailure; }
    // After Join: throws what the worker caught, once; nothing when it
    // caught nothing.
    void RethrowFailure();

private:
    friend void RosterWorker(RosterRun* p_run);
    void Work();

    RosterEngine& Engine;
    RosterStatus* pStatus;
    IRosterPostPort* pPort;
    std::atomic<bool> bCancel{false};
    std::atomic<bool> bSkip{false};
    std::atomic<bool> bModified{false};
    BOOL bReachedMinimum = FALSE;
    BOOL bRanMaximum = FALSE;
    std::exception_ptr pFailure;
    std::thread Worker;
};

// The worker thread's function.
void RosterWorker(RosterRun* p_run);
