// The print canvas over a wx device context for the printed timetable and
// the options dialog's sample: logical units as the context gives them,
// fonts by family, size, slant, weight and underline, their point sizes
// scaled by a factor (a printer's pixels per inch over the context's own
// when the logical units are the printer's pixels), lines of a given width
// and clipped text in rectangles.
#pragma once

#include "output/PrintCanvas.h"
#include "output/TTPrint.h"

#include <wx/dc.h>

class TTPrintCanvasWx : public IPrintCanvas, public IStyledFontCanvas {
public:
    // The context, the page in its logical units, the logical units per
    // inch and the factor on font sizes.
    void SetDC(wxDC* p_dc, const wxSize& sz_page, int i_dpi, double d_fontScale);

    void GetTextExtent(const std::string& s_text, LONG& i_cx, LONG& i_cy) override;
    void TextOut(LONG i_x, LONG i_y, const std::string& s_text) override;
    void DrawText(const std::string& s_text, const ZelRect& rc, UINT u_flags) override;
    bool StartPage() override { return pDc != nullptr; }
    void EndPage() override {}
    void AbortDoc() override {}
    BOOL SelectFont(const PrintFont& font) override { return SelectStyledFont(font, false, false); }
    BOOL SelectStyledFont(const PrintFont& font, bool b_bold, bool b_underline) override;
    PrintFont GetFont() const override { return Font; }
    BOOL DrawLine(const CPoint& pt_from, const CPoint& pt_to, int i_width) override;
    int GetDeviceCaps(int i_index) override;
    CSize HiMetricToLogical(const CSize& size) override;

private:
    wxDC* pDc = nullptr;
    wxSize szPage;
    int iDpi = 96;
    double dFontScale = 1.0;
    PrintFont Font;
};
