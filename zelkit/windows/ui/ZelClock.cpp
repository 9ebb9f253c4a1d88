#include "zelkit/windows/ui/ZelClock.h"

#include "framework/Exceptions.h"

#include <algorithm>
#include <memory>
#include <wx/app.h>
#include <wx/timer.h>

namespace {

class ClockTimer : public wxTimer {
public:
    void Notify() override { ++ZelClock::nTicks; }
};

std::unique_ptr<ClockTimer> g_pTimer;

} // namespace

std::uint32_t ZelClock::nTicks = 0;
const UINT ZelClock::uDefFreq;
std::int32_t ZelClock::iInstances = 0;

ZelClock::ZelClock(UINT u_frequency) : uFrequency(std::max<UINT>(u_frequency, 20)), nStartTicks(nTicks)
{
    if (iInstances > 0)
        throw CUserException();
    // A timer needs the application object.
    std::unique_ptr<ClockTimer> p_timer;
    if (wxTheApp != nullptr)
        p_timer = std::make_unique<ClockTimer>();
    if (!p_timer || !p_timer->Start(static_cast<int>(uFrequency)))
        throw CResourceException("the clock's timer could not be started");
    g_pTimer = std::move(p_timer);
    ++iInstances;
}

ZelClock::~ZelClock()
{
    if (--iInstances == 0) {
        g_pTimer.reset();
        nTicks = 0;
    }
}
