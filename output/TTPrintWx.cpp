#include "output/TTPrintWx.h"

#include "framework/ui/WxText.h"

#include <algorithm>
#include <wx/font.h>
#include <wx/pen.h>

namespace {

// Lines are separated by line feeds alone on the window system.
wxString Lines(const std::string& s_text)
{
    std::string s;
    s.reserve(s_text.size());
    for (char c : s_text) {
        if (c != '\r')
            s += c;
    }
    return ToWx(s);
}

} // namespace

void TTPrintCanvasWx::SetDC(wxDC* p_dc, const wxSize& sz_page, int i_dpi, double d_fontScale)
{
    pDc = p_dc;
    szPage = sz_page;
    iDpi = i_dpi > 0 ? i_dpi : 96;
    dFontScale = d_fontScale > 0 ? d_fontScale : 1.0;
    if (pDc != nullptr) {
        pDc->SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
        pDc->SetTextForeground(*wxBLACK);
        SelectFont(Font);
    }
}

void TTPrintCanvasWx::GetTextExtent(const std::string& s_text, LONG& i_cx, LONG& i_cy)
{
    i_cx = i_cy = 0;
    if (pDc == nullptr)
        return;
    wxCoord i_w = 0, i_h = 0;
    pDc->GetTextExtent(s_text.empty() ? wxString("Ay") : ToWx(s_text), &i_w, &i_h);
    i_cx = s_text.empty() ? 0 : i_w;
    i_cy = i_h;
}

void TTPrintCanvasWx::TextOut(LONG i_x, LONG i_y, const std::string& s_text)
{
    if (pDc != nullptr)
        pDc->DrawText(Lines(s_text), i_x, i_y);
}

void TTPrintCanvasWx::DrawText(const std::string& s_text, const ZelRect& rc, UINT u_flags)
{
    if (pDc == nullptr)
        return;
    const wxRect rc_wx(rc.left, rc.top, std::max<LONG>(rc.Width(), 1), std::max<LONG>(rc.Height(), 1));
    int i_align = (u_flags & DT_CENTER) ? wxALIGN_CENTER_HORIZONTAL : (u_flags & DT_RIGHT) ? wxALIGN_RIGHT : wxALIGN_LEFT;
    i_align |= (u_flags & DT_VCENTER) ? wxALIGN_CENTER_VERTICAL : (u_flags & DT_BOTTOM) ? wxALIGN_BOTTOM : wxALIGN_TOP;
    if (u_flags & DT_NOCLIP) {
        pDc->DrawLabel(Lines(s_text), rc_wx, i_align);
        return;
    }
    wxDCClipper clip(*pDc, rc_wx);
    pDc->DrawLabel(Lines(s_text), rc_wx, i_align);
}

BOOL TTPrintCanvasWx::SelectStyledFont(const PrintFont& font, bool b_bold, bool b_underline)
{
    if (pDc == nullptr) {
        Font = font;
        return TRUE;
    }
    const wxFont wx_font(wxFontInfo(font.iPoints * dFontScale)
                             .Family(font.eFamily == PrintFont::eRoman ? wxFONTFAMILY_ROMAN : wxFONTFAMILY_SWISS)
                             .Italic(font.bItalic)
                             .Bold(b_bold)
                             .Underlined(b_underline));
    if (!wx_font.IsOk())
        return FALSE;
    pDc->SetFont(wx_font);
    Font = font;
    return TRUE;
}

BOOL TTPrintCanvasWx::DrawLine(const CPoint& pt_from, const CPoint& pt_to, int i_width)
{
    if (pDc == nullptr)
        return FALSE;
    pDc->SetPen(wxPen(*wxBLACK, std::max(i_width, 1)));
    pDc->DrawLine(pt_from.x, pt_from.y, pt_to.x, pt_to.y);
    return TRUE;
}

int TTPrintCanvasWx::GetDeviceCaps(int i_index)
{
    switch (i_index) {
    case HORZRES: return szPage.x;
    case VERTRES: return szPage.y;
    case LOGPIXELSX:
    case LOGPIXELSY: return iDpi;
    default: return 0;
    }
}

CSize TTPrintCanvasWx::HiMetricToLogical(const CSize& size)
{
    const auto conv = [this](LONG l) { return static_cast<LONG>((static_cast<long long>(l) * iDpi + 1270) / 2540); };
    return CSize(conv(size.cx), conv(size.cy));
}
