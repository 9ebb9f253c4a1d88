#include "zelkit/windows/ui/ZelWindowServicesWx.h"

#include "framework/ui/WxText.h"

#include <map>
#include <wx/app.h>
#include <wx/cursor.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/image.h>
#include <wx/settings.h>
#include <wx/thread.h>
#include <wx/utils.h>

namespace {

void SendRedraw(void* p_wnd, BOOL b_redraw)
{
    auto* p_window = static_cast<wxWindow*>(p_wnd);
    if (!b_redraw)
        p_window->Freeze();
    else if (p_window->IsFrozen())
        p_window->Thaw();
    else
        p_window->Refresh();
}

// Cursors need the application object and belong to the user-interface
// thread; elsewhere (a worker, a process without a desktop) they show
// nothing.
bool CanShowCursors() { return wxTheApp != nullptr && wxIsMainThread(); }

class WxCursorPort : public IZelCursorPort {
public:
    void BeginWaitCursor() override
    {
        if (!CanShowCursors())
            return;
        wxBeginBusyCursor();
        ++iBusy;
    }
    void EndWaitCursor() override
    {
        // Only ends what it began.
        if (iBusy == 0 || !CanShowCursors())
            return;
        --iBusy;
        wxEndBusyCursor();
    }
    // The library carries no cursor files of its own: each of its cursor
    // ids shows the desktop's stock wait cursor, set until restored rather
    // than through the busy state.
    bool SetCursor(UINT u_id, ZelCursorHandle& h_previous) override
    {
        if (!CanShowCursors())
            return false;
        auto it = mCursors.find(u_id);
        if (it == mCursors.end())
            it = mCursors.emplace(u_id, wxCursor(wxCURSOR_WAIT)).first;
        if (!it->second.IsOk())
            return false;
        h_previous = pCurrent;
        pCurrent = &it->second;
        wxSetCursor(it->second);
        return true;
    }
    void RestoreCursor(ZelCursorHandle h_previous) override
    {
        if (!CanShowCursors())
            return;
        pCurrent = static_cast<const wxCursor*>(h_previous);
        wxSetCursor(pCurrent ? *pCurrent : wxNullCursor);
    }

private:
    int iBusy = 0;
    // Cursors once loaded stay for the process, so a handle handed out as
    // "previous" never dangles.
    std::map<UINT, wxCursor> mCursors;
    const wxCursor* pCurrent = nullptr;
};

WxCursorPort& TheCursorPort()
{
    static WxCursorPort port;
    return port;
}

__attribute__((constructor)) void OnLoad() { ZelInstallWindowServices(); }

} // namespace

BOOL ZelSetRedraw(wxWindow* p_wnd, BOOL b_redraw)
{
    if (p_wnd == nullptr)
        return 0;
    return ZelSetRedraw(static_cast<void*>(p_wnd), b_redraw, SendRedraw);
}

void ZelSetRedrawRemove(wxWindow* p_wnd) { ZelSetRedrawRemove(static_cast<const void*>(p_wnd)); }

void ZelInstallWindowServices()
{
    ZelSetCursorPort(&TheCursorPort());
    ZelDlgUnits::SetBaseSource(ZelMeasureDlgBaseUnits);
}

bool ZelMeasureDlgBaseUnits(std::int32_t& i_x_base, std::int32_t& i_y_base)
{
    if (wxTheApp == nullptr)
        return false;
    wxScreenDC dc;
    dc.SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    // The average width of the letters, rounded, as the desktop takes it.
    const wxSize size = dc.GetTextExtent("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    i_x_base = (size.x / 26 + 1) / 2;
    i_y_base = dc.GetCharHeight();
    return i_x_base > 0 && i_y_base > 0;
}

BOOL IsLButtonDown() { return wxGetMouseState().LeftIsDown() ? TRUE : FALSE; }

BOOL IsRButtonDown() { return wxGetMouseState().RightIsDown() ? TRUE : FALSE; }

void ZelDrawTransparentBitmap(wxDC& dc, const wxBitmap& bitmap, int i_x, int i_y, const wxColour& transparent)
{
    ZelStretchTransparentBitmap(dc, bitmap, i_x, i_y, 0, 0, transparent);
}

void ZelStretchTransparentBitmap(wxDC& dc, const wxBitmap& bitmap, int i_x, int i_y, int i_width, int i_height,
                                 const wxColour& transparent)
{
    if (!bitmap.IsOk())
        return;
    const int i_bmp_width = bitmap.GetWidth();
    const int i_bmp_height = bitmap.GetHeight();
    if (i_width == 0)
        i_width = i_bmp_width;
    if (i_height == 0)
        i_height = i_bmp_height;
    // A copy carries the mask, so the caller's bitmap is left as it was.
    wxImage image = bitmap.ConvertToImage();
    image.SetMaskColour(transparent.Red(), transparent.Green(), transparent.Blue());
    wxBitmap masked(image);
    wxMemoryDC mem(masked);
    dc.StretchBlit(i_x, i_y, i_width, i_height, &mem, 0, 0, i_bmp_width, i_bmp_height, wxCOPY, true);
}

wxSize ZelComputeCharDim(wxDC& dc, const std::string& s_text)
{
    if (s_text.empty()) {
        const wxFontMetrics fm = dc.GetFontMetrics();
        return wxSize(fm.averageWidth, fm.height + fm.externalLeading);
    }
    return dc.GetTextExtent(ToWx(s_text));
}
