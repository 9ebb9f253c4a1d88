#include "zelkit/controls/ui/ZelTimeslotDisplayCtrl.h"

#include "zelkit/controls/ui/ZelControlWindow.h"

ZelTimeslotDisplayCtrl::ZelTimeslotDisplayCtrl(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos,
                                               const wxSize& size)
    : ZelTimeslotDisplayCtrl(p_parent, i_id, pos, size, std::make_unique<ZelTimeslotDisplayGrid>())
{
}

ZelTimeslotDisplayCtrl::ZelTimeslotDisplayCtrl(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos,
                                               const wxSize& size, std::unique_ptr<ZelTimeslotDisplayGrid> p_grid)
    : ZelTimeslotCtrl(p_parent, i_id, pos, size, std::move(p_grid), ZLC_TIMESLOT_DISPLAY)
{
    // The window exists: fit what there is.
    Resize();
}

BOOL ZelTimeslotDisplayCtrl::RegisterWndClass()
{
    return ZelCustomCtrl::RegisterWndClass(ZLC_TIMESLOT_DISPLAY, [](wxWindow* p, wxWindowID i) -> ZelCustomCtrl* {
        return new ZelTimeslotDisplayCtrl(p, i);
    });
}

BOOL ZelTimeslotDisplayCtrl::UnregisterWndClass() { return ZelCustomCtrl::UnregisterWndClass(ZLC_TIMESLOT_DISPLAY); }
