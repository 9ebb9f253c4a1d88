#include "zelkit/ui/ZelInternetFilePoster.h"

#include "framework/ui/WxIds.h"

wxDEFINE_EVENT(ZEL_EVT_INTERNET_FILE, wxThreadEvent);

void ZelInternetFilePoster::Post(UINT u_message, LONG l_progress, CInternetFileAccess* p_access)
{
    // Runs on the worker: queueing is the one thing wx allows from there.
    auto* p_event = new wxThreadEvent(ZEL_EVT_INTERNET_FILE, WxId(u_message));
    p_event->SetInt(l_progress);
    p_event->SetPayload(p_access);
    pWindow->QueueEvent(p_event);
}

CInternetFileAccess* ZelInternetFilePoster::GetAccess(const wxThreadEvent& event)
{
    return event.GetPayload<CInternetFileAccess*>();
}
