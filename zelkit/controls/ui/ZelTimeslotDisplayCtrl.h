// The timeslot display control ("ZLC_TIMESLOT_DISPLAY"): the window of a
// ZelTimeslotDisplayGrid, read-only from the start. Besides the plain
// control's notifications it asks its parent, through ZelNotifyEvent, for
// each slot's text (ZTSN_SLOTTEXT, a ZelTimeslotTextNotify) and icon
// (ZTSN_SLOTICON, a ZelTimeslotIconNotify whose bitmap is a const wxBitmap*
// the parent keeps), answered at once.
#pragma once

#include "zelkit/controls/ZelTimeslotDisplayGrid.h"
#include "zelkit/controls/ui/ZelTimeslotCtrl.h"

#include <memory>

class ZelTimeslotDisplayCtrl : public ZelTimeslotCtrl {
public:
    ZelTimeslotDisplayCtrl(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos = wxDefaultPosition,
                           const wxSize& size = wxDefaultSize);

    static BOOL RegisterWndClass();
    static BOOL UnregisterWndClass();

    ZelTimeslotDisplayGrid& GetDisplayGrid() { return static_cast<ZelTimeslotDisplayGrid&>(GetGrid()); }

    // Lays the control out and looks for the spacing at which every slot
    // text fits; an owner calls it once the slots are in.
    void Resize() { GetDisplayGrid().Resize(); }
    int IsCommandEnabled(UINT u_id) { return GetDisplayGrid().IsCommandEnabled(u_id); }

protected:
    // A derived control (the timetable's day grid) brings its own grid.
    ZelTimeslotDisplayCtrl(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos, const wxSize& size,
                           std::unique_ptr<ZelTimeslotDisplayGrid> p_grid);
};
