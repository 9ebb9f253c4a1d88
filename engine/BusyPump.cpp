#include "engine/BusyPump.h"

#include "engine/BuildPorts.h"
#include "engine/BuildProgress.h"
#include "engine/ProgressClock.h"
#include "engine/ProgressPort.h"
#include "zelkit/windows/ZelWindowServices.h"

BuildProgress* BusyPump::pProgress = nullptr;
int BusyPump::nOpen = 0;
IProgressPort* BusyPump::pPort = nullptr;
IProgressClock* BusyPump::pClock = nullptr;
std::int64_t BusyPump::llLast = 0;
std::uint64_t BusyPump::uPumps = 0;

BusyPump::Scope::Scope()
{
    if (nOpen++ > 0)
        return;
    pPort = &GetProgressPort();
    pClock = &GetProgressClock();
    // The command's start is the last moment the window answered.
    llLast = pClock->GetMilliseconds();
}

BusyPump::Scope::~Scope()
{
    if (--nOpen > 0)
        return;
    pPort = nullptr;
    pClock = nullptr;
}

void BusyPump::ReadClockAndPump()
{
    const std::int64_t ll_now = pClock->GetMilliseconds();
    if (ll_now - llLast < llPumpMs)
        return;
    llLast = ll_now;
    ++uPumps;
    pPort->Pump();
}

void BusyPump::PumpProgress()
{
    pProgress->PumpMessages();
}

BusyWindow::BusyWindow()
{
    GetBuildWindowPort().DisableMainWindow();
    ZelGetCursorPort().BeginWaitCursor();
}

BusyWindow::~BusyWindow()
{
    ZelGetCursorPort().EndWaitCursor();
    // No other window took the activation meanwhile: the focus is where
    // the user left it, in whichever pane, and stays there.
    GetBuildWindowPort().EnableMainWindow(FALSE);
}
