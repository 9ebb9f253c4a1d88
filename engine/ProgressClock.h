// The clock of the progress display: the throttles of the progress window,
// the message pump's pace, the time limit of a build and the end that keeps
// the window up for a second all read it, and nothing else in a build does.
// The program runs on the steady clock; tests and bench tools install a fake
// one that only moves when they move it, so a build never waits in real time
// and gives the same moves every run.
#pragma once

#include <cstdint>

class IProgressClock {
public:
    virtual ~IProgressClock() = default;
    // Milliseconds since a fixed point of this clock; never goes back.
    virtual std::int64_t GetMilliseconds() = 0;
};

// The process's steady clock.
class SteadyProgressClock : public IProgressClock {
public:
    std::int64_t GetMilliseconds() override;
};

// A clock that stands still until moved: by Advance, or by a step after each
// reading when one is set.
class FakeProgressClock : public IProgressClock {
public:
    explicit FakeProgressClock(std::int64_t ll_start = 0) : llNow(ll_start) {}

    void Advance(std::int64_t ll_ms) { llNow += ll_ms; }
    void Set(std::int64_t ll_ms) { llNow = ll_ms; }
    // Each reading moves the clock on by ll_ms after it is read (0: never).
    void SetStepPerReading(std::int64_t ll_ms) { llStep = ll_ms; }
    std::int64_t Peek() const { return llNow; }

    std::int64_t GetMilliseconds() override;

private:
    std::int64_t llNow;
    std::int64_t llStep = 0;
};

// The clock installed for the process (the steady clock until another is).
IProgressClock& GetProgressClock();
// Installs a clock (null puts the steady clock back); returns the previous.
IProgressClock* SetProgressClock(IProgressClock* p_clock);
