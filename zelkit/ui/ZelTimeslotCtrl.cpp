#include "zelkit/ui/ZelTimeslotCtrl.h"

#include "zelkit/ui/ZelControlWindow.h"
#include "zelkit/ui/ZelNotifyEvent.h"

ZelTimeslotCtrl::ZelTimeslotCtrl(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos, const wxSize& size)
    : ZelTimeslotCtrl(p_parent, i_id, pos, size, std::make_unique<ZelTimeslotGrid>(TRUE), ZLC_TIMESLOT)
{
}

ZelTimeslotCtrl::ZelTimeslotCtrl(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos, const wxSize& size,
                                 std::unique_ptr<ZelTimeslotGrid> p_grid, const wxString& s_name)
    : ZelCustomCtrl(p_parent, i_id, pos, size, wxBORDER_SUNKEN | wxWANTS_CHARS, s_name), pGrid(std::move(p_grid))
{
    SetBackgroundColour(*wxWHITE);
    pGrid->SetHost(this);
}

ZelTimeslotCtrl::~ZelTimeslotCtrl()
{
    pGrid->SetHost(nullptr);
}

BOOL ZelTimeslotCtrl::RegisterWndClass()
{
    return ZelCustomCtrl::RegisterWndClass(ZLC_TIMESLOT, [](wxWindow* p, wxWindowID i) -> ZelCustomCtrl* {
        return new ZelTimeslotCtrl(p, i);
    });
}

BOOL ZelTimeslotCtrl::UnregisterWndClass() { return ZelCustomCtrl::UnregisterWndClass(ZLC_TIMESLOT); }

bool ZelTimeslotCtrl::Enable(bool b_enable)
{
    const bool b_changed = ZelCustomCtrl::Enable(b_enable);
    if (b_changed)
        pGrid->OnEnable();
    return b_changed;
}

// ------------------------------------------------------------ the host port

BOOL ZelTimeslotCtrl::HasWindow() const { return GetHandle() != nullptr ? TRUE : FALSE; }

CRect ZelTimeslotCtrl::GetClientArea() const
{
    const wxSize size = GetClientSize();
    return {0, 0, size.x, size.y};
}

BOOL ZelTimeslotCtrl::IsWindowEnabled() const { return ZelCustomCtrl::IsEnabled() ? TRUE : FALSE; }

BOOL ZelTimeslotCtrl::HasKeyboardFocus() const { return ZelCustomCtrl::HasFocus() ? TRUE : FALSE; }

void ZelTimeslotCtrl::Invalidate(const CRect* p_rect, BOOL /*b_erase*/)
{
    // Painting covers everything it is asked to paint, so nothing is
    // erased first whatever the caller asked.
    if (p_rect == nullptr)
        Refresh(false);
    else if (!p_rect->IsRectEmpty())
        RefreshRect(wxRect(p_rect->left, p_rect->top, p_rect->Width(), p_rect->Height()), false);
}

long ZelTimeslotCtrl::Notify(int i_code, void* p_record) { return ZelSendNotify(this, i_code, p_record); }
