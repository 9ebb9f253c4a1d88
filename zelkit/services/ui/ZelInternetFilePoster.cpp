#include "zelkit/services/ui/ZelInternetFilePoster.h"

#include "framework/ui/WxIds.h"

wxDEFINE_EVENT(ZEL_EVT_INTERNET_FILE, wxThreadEvent);

namespace {

// Marks the events this poster made. Reading the payload of any other event
// would be a type mismatch that wx only asserts on, handing back garbage;
// the mark lets GetAccess answer null instead.
constexpr long kCarriesAccess = 0x5A454C31;

} // namespace

void ZelInternetFilePoster::Post(UINT u_message, LONG l_progress, CInternetFileAccess* p_access)
{
    // Runs on the worker: queueing is the one thing wx allows from there.
    auto* p_event = new wxThreadEvent(ZEL_EVT_INTERNET_FILE, WxId(u_message));
    p_event->SetInt(l_progress);
    p_event->SetPayload(p_access);
    p_event->SetExtraLong(kCarriesAccess);
    pWindow->QueueEvent(p_event);
}

CInternetFileAccess* ZelInternetFilePoster::GetAccess(const wxThreadEvent& event)
{
    if (event.GetExtraLong() != kCarriesAccess)
        return nullptr;
    return event.GetPayload<CInternetFileAccess*>();
}
