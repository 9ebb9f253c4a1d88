// The library's load and unload hooks: join the resource chain and register
// the three control classes on load; unregister them on unload.
#include "zelkit/base/ZelLibrary.h"
#include "zelkit/controls/ui/ZelControlWindow.h"
#include "zelkit/controls/ui/ZelTimeslotCtrl.h"
#include "zelkit/controls/ui/ZelTimeslotDisplayCtrl.h"
#include "framework/Resources.h"

namespace {
bool g_bAttached = false;
}

bool ZelLibraryAttach()
{
    if (g_bAttached)
        return true;
    ResourceChain::Add(&ZelResourceModule());
    // A class that fails to register is not reported here: a dialog that
    // uses it then fails to create that control.
    ZelMonthCalCtrl::RegisterWndClass();
    ZelTimeslotCtrl::RegisterWndClass();
    ZelTimeslotDisplayCtrl::RegisterWndClass();
    g_bAttached = true;
    return true;
}

void ZelLibraryDetach()
{
    if (!g_bAttached)
        return;
    ZelMonthCalCtrl::UnregisterWndClass();
    ZelTimeslotCtrl::UnregisterWndClass();
    ZelTimeslotDisplayCtrl::UnregisterWndClass();
    ResourceChain::Remove(&ZelResourceModule());
    g_bAttached = false;
}

bool ZelLibraryIsAttached() { return g_bAttached; }

namespace {
__attribute__((constructor)) void OnLibraryLoad() { ZelLibraryAttach(); }
__attribute__((destructor)) void OnLibraryUnload() { ZelLibraryDetach(); }
} // namespace
