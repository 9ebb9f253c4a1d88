#include "engine/ProgressClock.h"

#include <chrono>

std::int64_t SteadyProgressClock::GetMilliseconds()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::int64_t FakeProgressClock::GetMilliseconds()
{
    const std::int64_t ll_now = llNow;
    llNow += llStep;
    return ll_now;
}

namespace {

SteadyProgressClock g_SteadyClock;
IProgressClock* g_pClock = &g_SteadyClock;

} // namespace

IProgressClock& GetProgressClock()
{
    return *g_pClock;
}

IProgressClock* SetProgressClock(IProgressClock* p_clock)
{
    IProgressClock* p_previous = g_pClock;
    g_pClock = p_clock != nullptr ? p_clock : &g_SteadyClock;
    return p_previous;
}
