#include "zelkit/ui/ZelControlWindow.h"
#include "framework/ui/WindowClass.h"

// The controls' painting and editing live with the controls; what is here
// is their window and their registration.

ZelMonthCalCtrl::ZelMonthCalCtrl(wxWindow* p_parent, wxWindowID i_id)
    : wxWindow(p_parent, i_id, wxDefaultPosition, wxDefaultSize, wxBORDER_SUNKEN, ZLC_MONTH_CAL)
{
}

BOOL ZelMonthCalCtrl::RegisterWndClass()
{
    return WindowClasses::Register(ZLC_MONTH_CAL, [](wxWindow* p, int i) -> wxWindow* {
        return new ZelMonthCalCtrl(p, i);
    });
}

BOOL ZelMonthCalCtrl::UnregisterWndClass() { return WindowClasses::Unregister(ZLC_MONTH_CAL); }

ZelTimeslotCtrl::ZelTimeslotCtrl(wxWindow* p_parent, wxWindowID i_id)
    : wxWindow(p_parent, i_id, wxDefaultPosition, wxDefaultSize, wxBORDER_SUNKEN | wxWANTS_CHARS, ZLC_TIMESLOT)
{
    SetBackgroundColour(*wxWHITE);
}

BOOL ZelTimeslotCtrl::RegisterWndClass()
{
    return WindowClasses::Register(ZLC_TIMESLOT, [](wxWindow* p, int i) -> wxWindow* {
        return new ZelTimeslotCtrl(p, i);
    });
}

BOOL ZelTimeslotCtrl::UnregisterWndClass() { return WindowClasses::Unregister(ZLC_TIMESLOT); }

ZelTimeslotDisplayCtrl::ZelTimeslotDisplayCtrl(wxWindow* p_parent, wxWindowID i_id)
    : ZelTimeslotCtrl(p_parent, i_id)
{
    SetName(ZLC_TIMESLOT_DISPLAY);
}

BOOL ZelTimeslotDisplayCtrl::RegisterWndClass()
{
    return WindowClasses::Register(ZLC_TIMESLOT_DISPLAY, [](wxWindow* p, int i) -> wxWindow* {
        return new ZelTimeslotDisplayCtrl(p, i);
    });
}

BOOL ZelTimeslotDisplayCtrl::UnregisterWndClass() { return WindowClasses::Unregister(ZLC_TIMESLOT_DISPLAY); }
