// The print canvas of the printed timetable and the options dialog's
// sample: the program's wx print canvas with bold and underlined faces.
#pragma once

#include "output/TTPrint.h"
#include "output/ui/WxPrintCanvas.h"

class TTPrintCanvasWx : public WxPrintCanvas, public IStyledFontCanvas {
public:
    BOOL SelectStyledFont(const PrintFont& font, bool b_bold, bool b_underline) override
    {
        return SelectFace(font, b_bold, b_underline);
    }
};
