// The process's one tick counter, used to time the splash window and the
// start-up. Its timer ticks on the user-interface thread: the count only
// moves while that thread handles events.
#pragma once

#include "framework/Types.h"

#include <cstdint>

class ZelClock {
public:
    // Ticks since the first live clock started.
    static std::uint32_t nTicks;
    // The default period in milliseconds.
    static const UINT uDefFreq = 100;

    // Ticks every u_frequency ms, at least 20. Only one clock may live at a
    // time: a second throws CUserException. Throws CResourceException when
    // the timer cannot be started.
    explicit ZelClock(UINT u_frequency = uDefFreq);
    ~ZelClock();
    ZelClock(const ZelClock&) = delete;
    ZelClock& operator=(const ZelClock&) = delete;

    UINT GetFrequency() const { return uFrequency; }
    // Ticks since this clock was made.
    DWORD GetTickCount() const { return nTicks - nStartTicks; }
    DWORD GetMilliSeconds() const { return GetTickCount() * uFrequency; }
    DWORD GetSeconds() const { return GetMilliSeconds() / 1000; }

private:
    UINT uFrequency;
    std::uint32_t nStartTicks;
    static std::int32_t iInstances;
};
