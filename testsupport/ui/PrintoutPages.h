// A printout drawn as the preview draws it, for display tests: on a memory
// context of a Letter page at 96 pixels per inch, the paper without an
// unprintable edge.
#pragma once

#include <wx/dc.h>
#include <wx/print.h>

// Points the printout at the context (a bitmap of 816 x 1056 selected into
// it) and prepares it for printing.
inline void PrepareLetterPrintout(wxPrintout& printout, wxDC& dc)
{
    printout.SetDC(&dc);
    printout.SetPPIScreen(96, 96);
    printout.SetPPIPrinter(96, 96);
    printout.SetPageSizePixels(816, 1056);
    printout.SetPaperRectPixels(wxRect(0, 0, 816, 1056));
    printout.SetPageSizeMM(216, 279);
    printout.OnPreparePrinting();
}
