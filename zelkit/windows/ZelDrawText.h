// How a text is placed in a rectangle when a drawing port draws it: the
// flags keep the window system's values, so that code written against
// them reads the same here.
#pragma once

#include "framework/Types.h"

#include <functional>
#include <string>
#include <vector>

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

// The lines a text takes in a width when it breaks at words
// (DT_WORDBREAK): a line break (CR LF, or LF alone) ends a line, and a
// line breaks before the word that would pass the width. A word wider than
// the width stands on a line of its own, wider than the width. A break at
// the very end of the text adds no empty line. f_width measures a line.
std::vector<std::string> ZelBreakText(const std::string& s_text, LONG i_width,
                                      const std::function<LONG(const std::string&)>& f_width);
