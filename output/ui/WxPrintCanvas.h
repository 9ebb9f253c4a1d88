// The print canvas over a wx device context, which every printout of the
// program draws through: logical units as the context gives them, fonts by
// family, size and slant (their point sizes scaled by a factor where the
// context needs it), lines of a given width, text in rectangles (clipped
// unless asked not to, tabs expanded, a path shortened in its middle).
//
// MapPrintout sets a printout's context up for it: the canvas's origin at
// the corner of the part of the page inside the margins, its page that
// part (the context clipped to it), in logical units of a given number per
// inch, alike on the printer and in the preview.
//
// EndPrinterJob ends a printer's job from the printout's preparation, when
// it turns out to have nothing to print.
#pragma once

#include "output/PrintCanvas.h"
#include "output/PrintMargins.h"

#include <wx/dc.h>

class wxPrintData;
class wxPrintout;
class wxPrinter;
class wxWindow;

class WxPrintCanvas : public IPrintCanvas {
public:
    // The context, the page in its logical units, the logical units per
    // inch and the factor on font sizes.
    void SetDC(wxDC* p_dc, const wxSize& sz_page, int i_dpi, double d_fontScale = 1.0);
    // Maps the printout's context onto the part of its page inside the
    // margins, i_unitsPerInch logical units to the inch (0: the printer's
    // own pixels), and draws on it; false when the printout has no context.
    bool MapPrintout(wxPrintout& printout, const PrintMargins& margins, int i_unitsPerInch);
    void SetFontScale(double d_fontScale);
    // How far the canvas's origin lies right of and below the paper's
    // corner, in hundredths of a millimetre (after MapPrintout).
    CSize GetPaperOffset() const { return szPaperOffset; }
    wxDC* GetDC() const { return pDc; }

    void GetTextExtent(const std::string& s_text, LONG& i_cx, LONG& i_cy) override;
    void TextOut(LONG i_x, LONG i_y, const std::string& s_text) override;
    void DrawText(const std::string& s_text, const ZelRect& rc, UINT u_flags) override;
    bool StartPage() override { return pDc != nullptr; }
    void EndPage() override {}
    void AbortDoc() override {}
    BOOL SelectFont(const PrintFont& font) override { return SelectFace(font, false, false); }
    PrintFont GetFont() const override { return Font; }
    BOOL DrawLine(const CPoint& pt_from, const CPoint& pt_to, int i_width) override;
    int GetDeviceCaps(int i_index) override;
    CSize HiMetricToLogical(const CSize& size) override;

protected:
    // The font made current in the weight and underline asked for.
    BOOL SelectFace(const PrintFont& font, bool b_bold, bool b_underline);

private:
    wxDC* pDc = nullptr;
    wxSize szPage;
    int iDpi = 96;
    double dFontScale = 1.0;
    PrintFont Font;
    CSize szPaperOffset;
};

// The program's texts of a failed print.
enum : unsigned {
    IDS_PRINT_FILE_FAILED = 20005, // "Cannot print to the file '%1'."
    IDS_PRINT_FAILED = 20006,      // "The print could not be finished."
};

// Ends the job of a printout that the printer is preparing (from its
// OnPreparePrinting), before any page of it is drawn: the printer then
// prints nothing, reports the print as cancelled and says nothing itself.
// data is the print data the printer was given (or a copy of it). The
// toolkit's printer still asks the printout for a page to begin with: the
// printout must give it one, which is never drawn. False when the job
// cannot be ended so (a preview, or another printer than the toolkit's):
// the printout then gives no pages, which such a printer takes as the end
// of the print.
bool EndPrinterJob(wxPrintout& printout, const wxPrintData& data);

// Prints the printout on the printer (its dialog first when b_prompt), as
// wxPrinter::Print does, and tells the user once, in the program's own
// words, when the print fails: the toolkit's messages are kept out of
// sight (they come without the file or the reason), and the box names the
// file a print to file could not write, with the system's reason where it
// can be found. A cancelled print is not a failure and says nothing. True
// when the print was made.
bool PrintOrExplain(wxPrinter& printer, wxWindow* p_parent, wxPrintout& printout, bool b_prompt = true);
