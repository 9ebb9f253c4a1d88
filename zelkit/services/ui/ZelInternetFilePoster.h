// Delivers a download's progress to a wx window: each code the worker
// posts is queued to the window as a thread event and handled there on the
// user-interface thread, in the order posted.
//
// The event is ZEL_EVT_INTERNET_FILE with the download's message id as its
// window id (folded by WxId), the progress code as GetInt() and the
// download object as payload (GetAccess). A window handles it with
//   Bind(ZEL_EVT_INTERNET_FILE, &Dlg::OnProgress, this, WxId(u_message));
//
// The window must not be destroyed while the worker runs: close the
// download and wait for its worker first. Codes still queued when the
// window goes are dropped with it.
#pragma once

#include "zelkit/services/ZelInternetFile.h"

#include <wx/event.h>

wxDECLARE_EVENT(ZEL_EVT_INTERNET_FILE, wxThreadEvent);

class ZelInternetFilePoster : public IInternetFilePoster {
public:
    explicit ZelInternetFilePoster(wxEvtHandler* p_window) : pWindow(p_window) {}

    void Post(UINT u_message, LONG l_progress, CInternetFileAccess* p_access) override;

    // The download that posted the event; null when it carries none.
    static CInternetFileAccess* GetAccess(const wxThreadEvent& event);

private:
    wxEvtHandler* pWindow;
};
