#include "zelkit/base/ZelLibrary.h"
#include "framework/Resources.h"

#include <iterator>

namespace {
const StringEntry a_zelStrings[] = {
#include "zelkit/strings/core.inc"
#include "zelkit/strings/containers.inc"
#include "zelkit/strings/datetime.inc"
#include "zelkit/strings/values.inc"
#include "zelkit/strings/services.inc"
#include "zelkit/strings/windows.inc"
#include "zelkit/strings/dialogs.inc"
#include "zelkit/strings/timeslotctrl.inc"
#include "zelkit/strings/components.inc"
};
} // namespace

CResourceModule& ZelResourceModule()
{
    // Never destroyed: the unload hook may run after static destructors.
    static auto* p_module = new CResourceModule("zelkit", a_zelStrings);
    return *p_module;
}

ZelLocalResource::ZelLocalResource() : pSaved(ResourceChain::GetCurrent()), bSwitched(false)
{
    if (pSaved != &ZelResourceModule()) {
        ResourceChain::SetCurrent(&ZelResourceModule());
        bSwitched = true;
    }
}

ZelLocalResource::~ZelLocalResource()
{
    if (bSwitched)
        ResourceChain::SetCurrent(pSaved);
}
