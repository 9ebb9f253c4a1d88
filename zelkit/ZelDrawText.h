// How a text is placed in a rectangle when a drawing port draws it: the
// flags keep the window system's values, so that code written against
// them reads the same here.
#pragma once

#include "framework/Types.h"

enum : UINT {
    DT_TOP = 0x0000,
    DT_LEFT = 0x0000,
    DT_CENTER = 0x0001,
    DT_RIGHT = 0x0002,
    DT_VCENTER = 0x0004,
    DT_WORDBREAK = 0x0010,
    DT_SINGLELINE = 0x0020,
    DT_EXTERNALLEADING = 0x0200,
    DT_CALCRECT = 0x0400,
    DT_NOPREFIX = 0x0800,
};
