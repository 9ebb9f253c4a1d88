#include "zelkit/ui/ZelControlWindow.h"

// The controls' painting and editing live with the controls; what is here
// is their window and their registration.

ZelMonthCalCtrl::ZelMonthCalCtrl(wxWindow* p_parent, wxWindowID i_id)
    : ZelCustomCtrl(p_parent, i_id, wxDefaultPosition, wxDefaultSize, wxBORDER_SUNKEN, ZLC_MONTH_CAL)
{
}

BOOL ZelMonthCalCtrl::RegisterWndClass()
{
    return ZelCustomCtrl::RegisterWndClass(ZLC_MONTH_CAL, [](wxWindow* p, wxWindowID i) -> ZelCustomCtrl* {
        return new ZelMonthCalCtrl(p, i);
    });
}

BOOL ZelMonthCalCtrl::UnregisterWndClass() { return ZelCustomCtrl::UnregisterWndClass(ZLC_MONTH_CAL); }

ZelTimeslotDisplayCtrl::ZelTimeslotDisplayCtrl(wxWindow* p_parent, wxWindowID i_id)
    : ZelCustomCtrl(p_parent, i_id, wxDefaultPosition, wxDefaultSize, wxBORDER_SUNKEN | wxWANTS_CHARS,
                    ZLC_TIMESLOT_DISPLAY)
{
    SetBackgroundColour(*wxWHITE);
}

BOOL ZelTimeslotDisplayCtrl::RegisterWndClass()
{
    return ZelCustomCtrl::RegisterWndClass(ZLC_TIMESLOT_DISPLAY, [](wxWindow* p, wxWindowID i) -> ZelCustomCtrl* {
        return new ZelTimeslotDisplayCtrl(p, i);
    });
}

BOOL ZelTimeslotDisplayCtrl::UnregisterWndClass()
{
    return ZelCustomCtrl::UnregisterWndClass(ZLC_TIMESLOT_DISPLAY);
}
