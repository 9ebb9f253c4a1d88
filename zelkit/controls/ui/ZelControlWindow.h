// The window classes the library registers by name when it loads, so that
// dialogs described elsewhere can hold its controls by class name. Each
// class's static registration hands the window-class table a factory that
// creates the class's control object: the month calendar
// (ZelMonthCalCtrl.h), the timeslot grid and its display form
// (ZelTimeslotCtrl.h, ZelTimeslotDisplayCtrl.h).
#pragma once

#include "zelkit/controls/ui/ZelMonthCalCtrl.h"

inline constexpr const char* ZLC_MONTH_CAL = "ZLC_MONTH_CAL";
inline constexpr const char* ZLC_TIMESLOT = "ZLC_TIMESLOT";
inline constexpr const char* ZLC_TIMESLOT_DISPLAY = "ZLC_TIMESLOT_DISPLAY";
