// The window classes the library registers by name when it loads, so that
// dialogs described elsewhere can hold its controls by class name. Each
// class's static registration hands the window-class table a factory that
// creates the class's control object. The timeslot grid has its own
// header (ZelTimeslotCtrl.h); the two below still stand in for their
// controls.
#pragma once

#include "framework/Types.h"
#include "zelkit/ui/ZelCustomCtrl.h"

// The month calendar control ("ZLC_MONTH_CAL").
class ZelMonthCalCtrl : public ZelCustomCtrl {
public:
    ZelMonthCalCtrl(wxWindow* p_parent, wxWindowID i_id);
    static BOOL RegisterWndClass();
    static BOOL UnregisterWndClass();
};

// The read-only timeslot display ("ZLC_TIMESLOT_DISPLAY").
class ZelTimeslotDisplayCtrl : public ZelCustomCtrl {
public:
    ZelTimeslotDisplayCtrl(wxWindow* p_parent, wxWindowID i_id);
    static BOOL RegisterWndClass();
    static BOOL UnregisterWndClass();
};

inline constexpr const char* ZLC_MONTH_CAL = "ZLC_MONTH_CAL";
inline constexpr const char* ZLC_TIMESLOT = "ZLC_TIMESLOT";
inline constexpr const char* ZLC_TIMESLOT_DISPLAY = "ZLC_TIMESLOT_DISPLAY";
