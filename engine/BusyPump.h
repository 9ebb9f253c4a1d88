// What keeps the main window answering while a build or the check command
// works with no progress window up: the build map, the check's passes over
// the timetable, and the making of the reports that a build shows at its
// end. A progress window pumps the thread's events as the build polls it;
// here nothing is on screen to press, but the windows must still repaint
// and their timers run, so the long loops poll this pump, which dispatches
// the events through the installed progress port about every 50 ms. The
// main window takes no input meanwhile (BusyWindow), as during a build.
//
// The pump and the window are process-wide and belong to the
// user-interface thread, as the ports they use.
#pragma once

#include "framework/Types.h"
#include "model/FreedMemory.h"

#include <cstddef>
#include <cstdint>
#include <exception>

class BuildProgress;
class IProgressClock;
class IProgressPort;

class BusyPump {
public:
    // Events are dispatched when at least this many ms passed since the
    // scope opened or they were last dispatched.
    static constexpr std::int64_t llPumpMs = 50;

    // Polls pump while a scope is open. Scopes nest: the outermost one
    // takes the port and clock installed when it opens and sets the pace.
    // A caller opens one only where no progress window is up (that window
    // pumps on its own).
    class Scope {
    public:
        Scope();
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
    };

    // One turn of a long loop: a test when no scope is open, a clock
    // reading when one is, and the events dispatched when their time has
    // come.
    static void Poll()
    {
        if (pProgress != nullptr)
            PumpProgress();
        else if (nOpen > 0)
            ReadClockAndPump();
    }

    // Frees a large structure part by part: free_part(i) frees part i and
    // returns about how many bytes it held. The memory goes back to the
    // system a slice at a time, each handed back as soon as it is free,
    // with the window's events dispatched between the parts: handed back
    // at once, a large build's map and counters would hold the window for
    // most of a second at the end of a build or check. A structure smaller
    // than a slice is only freed, as any other, and so is one freed while
    // an exception passes (its pumps could not let another through). With
    // b_hand_back FALSE the memory stays with the allocator for what comes
    // next; freeing millions of blocks still takes its time, and polls.
    template <class FreePart>
    static void ReleaseInSlices(int n_parts, FreePart free_part, bool b_hand_back = true)
    {
        const bool b_pump = std::uncaught_exceptions() == 0;
        std::size_t u_freed = 0;
        bool b_sliced = false;
        for (int i = 0; i < n_parts; ++i) {
            u_freed += free_part(i);
            if (!b_pump)
                continue;
            if (b_hand_back && u_freed >= kSliceBytes) {
                ReturnFreedMemory();
                u_freed = 0;
                b_sliced = true;
            }
            Poll();
        }
        if (b_sliced && u_freed > 0)
            ReturnFreedMemory();
    }
    // About a fiftieth of a second's handing back, on a machine at ease.
    static constexpr std::size_t kSliceBytes = std::size_t{32} << 20;

    // While a build's progress window is up, polls go to its own pump, at
    // its pace (the window's buttons answer; the requests wait for the
    // build's next look at them). The window's side calls this as it
    // shows and ends.
    static void SetProgress(BuildProgress* p_progress) { pProgress = p_progress; }
    static BuildProgress* GetProgress() { return pProgress; }

    // The events dispatched since the process started (for tests).
    static std::uint64_t GetPumps() { return uPumps; }

private:
    static void ReadClockAndPump();
    static void PumpProgress();

    static BuildProgress* pProgress;
    static int nOpen;
    static IProgressPort* pPort;
    static IProgressClock* pClock;
    static std::int64_t llLast;
    static std::uint64_t uPumps;
};

// The main window as a build keeps it while it works: disabled, under the
// wait cursor, for the life of the object; then enabled again, its focus
// left where it was.
class BusyWindow {
public:
    BusyWindow();
    ~BusyWindow();
    BusyWindow(const BusyWindow&) = delete;
    BusyWindow& operator=(const BusyWindow&) = delete;
};
