// Keys from wx for the controls' cores, which speak in virtual keys and
// modifier bits (ZelControlPorts.h) so that they run without a window.
#pragma once

#include "framework/Types.h"

class wxKeyEvent;

// The virtual key of a key event: the keys the cores know (keypad forms
// included), letters as capitals and digits; 0 for any other key.
UINT ZelVirtualKey(const wxKeyEvent& event);

// The event's modifiers as KM_CONTROL, KM_SHIFT and KM_ALT bits.
UINT ZelKeyModifiers(const wxKeyEvent& event);
