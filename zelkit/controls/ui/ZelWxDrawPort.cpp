#include "zelkit/controls/ui/ZelWxDrawPort.h"

#include "framework/ui/WxText.h"

#include <algorithm>
#include <wx/bitmap.h>
#include <wx/brush.h>
#include <wx/image.h>
#include <wx/pen.h>
#include <wx/renderer.h>
#include <wx/settings.h>

namespace {

wxRect ToWx(const CRect& rc) { return wxRect(rc.left, rc.top, rc.Width(), rc.Height()); }

} // namespace

ZelWxDrawPort::ZelWxDrawPort(wxDC& dc, wxWindow* p_window, IZelMetricsPort& metrics, const CRect& rc_clip)
    : Dc(dc), pWindow(p_window), Metrics(metrics), rcClip(rc_clip)
{
    const wxFont font = p_window ? p_window->GetFont() : *wxNORMAL_FONT;
    Dc.SetFont(font);
    Font = ZelPortFont{font.GetPointSize(), false};
    Dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    if (!rcClip.IsRectEmpty()) {
        Region = wxRegion(ToWx(rcClip));
        Dc.SetDeviceClippingRegion(Region);
    }
}

void ZelWxDrawPort::SetFont(const ZelPortFont& font)
{
    if (font == Font)
        return;
    wxFont wx_font = pWindow ? pWindow->GetFont() : *wxNORMAL_FONT;
    if (font.iPoints > 0) {
        if (font.bSwiss)
            wx_font = wxFont(wxFontInfo(font.iPoints).Family(wxFONTFAMILY_SWISS));
        else
            wx_font.SetPointSize(font.iPoints);
    }
    if (font.bBold)
        wx_font.SetWeight(wxFONTWEIGHT_BOLD);
    Dc.SetFont(wx_font);
    Font = ZelPortFont{font.iPoints > 0 ? font.iPoints : wx_font.GetPointSize(), font.bSwiss, font.bBold};
}

CSize ZelWxDrawPort::GetCharDim()
{
    return CSize(Dc.GetCharWidth(), Dc.GetCharHeight());
}

CSize ZelWxDrawPort::GetTextExtent(const std::string& s_text)
{
    if (s_text.empty())
        return CSize(0, Dc.GetCharHeight());
    const wxSize size = Dc.GetTextExtent(::ToWx(s_text));
    return CSize(size.x, size.y);
}

int ZelWxDrawPort::DrawText(const std::string& s_text, CRect& rc, UINT u_flags, COLORREF c_text)
{
    if ((u_flags & DT_WORDBREAK) && !(u_flags & DT_SINGLELINE)) {
        const std::vector<std::string> v_lines =
            ZelBreakText(s_text, rc.Width(), [this](const std::string& s) { return GetTextExtent(s).cx; });
        const LONG i_line = Dc.GetCharHeight();
        LONG i_widest = 0;
        if (!(u_flags & DT_CALCRECT))
            Dc.SetTextForeground(ToColour(c_text));
        for (std::size_t u = 0; u < v_lines.size(); ++u) {
            const LONG i_width = v_lines[u].empty() ? 0 : GetTextExtent(v_lines[u]).cx;
            i_widest = std::max(i_widest, i_width);
            if ((u_flags & DT_CALCRECT) || v_lines[u].empty())
                continue;
            LONG x = rc.left;
            if (u_flags & DT_CENTER)
                x = rc.left + (rc.Width() - i_width) / 2;
            else if (u_flags & DT_RIGHT)
                x = rc.right - i_width;
            Dc.DrawText(::ToWx(v_lines[u]), x, rc.top + static_cast<LONG>(u) * i_line);
        }
        const LONG i_height = static_cast<LONG>(v_lines.size()) * i_line;
        if (u_flags & DT_CALCRECT) {
            rc.right = rc.left + i_widest;
            rc.bottom = rc.top + i_height;
        }
        return i_height;
    }
    const CSize size = GetTextExtent(s_text);
    if (u_flags & DT_CALCRECT) {
        rc.right = rc.left + size.cx;
        rc.bottom = rc.top + size.cy;
        return size.cy;
    }
    LONG x = rc.left;
    if (u_flags & DT_CENTER)
        x = rc.left + (rc.Width() - size.cx) / 2;
    else if (u_flags & DT_RIGHT)
        x = rc.right - size.cx;
    LONG y = rc.top;
    if ((u_flags & DT_VCENTER) && (u_flags & DT_SINGLELINE))
        y = rc.top + (rc.Height() - size.cy) / 2;
    Dc.SetTextForeground(ToColour(c_text));
    Dc.DrawText(::ToWx(s_text), x, y);
    return size.cy;
}

void ZelWxDrawPort::FillRect(const CRect& rc, const ZelBrush& brush)
{
    if (rc.IsRectEmpty())
        return;
    Dc.SetPen(*wxTRANSPARENT_PEN);
    switch (brush.eKind) {
    case ZelBrush::bkSolid: Dc.SetBrush(wxBrush(ToColour(brush.cFore))); break;
    case ZelBrush::bkDiagCross: Dc.SetBrush(wxBrush(ToColour(brush.cFore), wxBRUSHSTYLE_CROSSDIAG_HATCH)); break;
    case ZelBrush::bkPattern: {
        // The pattern laid from the brush's origin: 0 bits take the
        // foreground, 1 bits the background.
        wxImage image(8, 8);
        const int i_dx = ((brush.ptOrigin.x % 8) + 8) % 8;
        const int i_dy = ((brush.ptOrigin.y % 8) + 8) % 8;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const BYTE u_row = brush.pPattern ? brush.pPattern[(y - i_dy + 8) % 8] : 0xFF;
                const bool b_set = (u_row >> (7 - (x - i_dx + 8) % 8)) & 1;
                const COLORREF c = b_set ? brush.cBack : brush.cFore;
                image.SetRGB(x, y, ZelGetRValue(c), ZelGetGValue(c), ZelGetBValue(c));
            }
        Dc.SetBrush(wxBrush(wxBitmap(image)));
        break;
    }
    }
    Dc.DrawRectangle(ToWx(rc));
}

void ZelWxDrawPort::FillEllipse(const CRect& rc, COLORREF c_color)
{
    if (rc.IsRectEmpty())
        return;
    Dc.SetPen(*wxTRANSPARENT_PEN);
    Dc.SetBrush(wxBrush(ToColour(c_color)));
    Dc.DrawEllipse(ToWx(rc));
}

void ZelWxDrawPort::Line(const CPoint& pt_from, const CPoint& pt_to, const ZelPen& pen)
{
    Dc.SetPen(wxPen(ToColour(pen.cColor), pen.iWidth, pen.eStyle == ZelPen::psDot ? wxPENSTYLE_DOT : wxPENSTYLE_SOLID));
    Dc.DrawLine(pt_from.x, pt_from.y, pt_to.x, pt_to.y);
}

void ZelWxDrawPort::FrameRect(const CRect& rc, const ZelPen& pen)
{
    if (rc.IsRectEmpty())
        return;
    Dc.SetPen(wxPen(ToColour(pen.cColor), pen.iWidth));
    Dc.SetBrush(*wxTRANSPARENT_BRUSH);
    Dc.DrawRectangle(ToWx(rc));
}

void ZelWxDrawPort::DrawEdge(const CRect& rc)
{
    if (rc.Width() < 2 || rc.Height() < 2)
        return;
    // Two pixels: light over dark shadow outside, highlight over shadow
    // inside, the light sides top and left.
    auto frame = [&](const CRect& r, int i_light, int i_dark) {
        Dc.SetPen(wxPen(ToColour(Metrics.GetSysColor(i_light))));
        Dc.DrawLine(r.left, r.bottom - 1, r.left, r.top);
        Dc.DrawLine(r.left, r.top, r.right - 1, r.top);
        Dc.SetPen(wxPen(ToColour(Metrics.GetSysColor(i_dark))));
        Dc.DrawLine(r.right - 1, r.top, r.right - 1, r.bottom - 1);
        Dc.DrawLine(r.right - 1, r.bottom - 1, r.left - 1, r.bottom - 1);
    };
    frame(rc, ZelSys::COLOR_3DLIGHT, ZelSys::COLOR_3DDKSHADOW);
    CRect rc_inner = rc;
    rc_inner.DeflateRect(1, 1);
    if (rc_inner.Width() >= 2 && rc_inner.Height() >= 2)
        frame(rc_inner, ZelSys::COLOR_BTNHIGHLIGHT, ZelSys::COLOR_BTNSHADOW);
}

void ZelWxDrawPort::DrawFocusRect(const CRect& rc)
{
    if (rc.IsRectEmpty())
        return;
    if (pWindow)
        wxRendererNative::Get().DrawFocusRect(pWindow, Dc, ToWx(rc));
}

void ZelWxDrawPort::StretchTransparentBitmap(ZelBitmapHandle h_bitmap, const CRect& rc, COLORREF c_transparent)
{
    const auto* p_bitmap = static_cast<const wxBitmap*>(h_bitmap);
    if (!p_bitmap || !p_bitmap->IsOk() || rc.Width() <= 0 || rc.Height() <= 0)
        return;
    wxImage image = p_bitmap->ConvertToImage();
    if (!image.HasAlpha())
        image.SetMaskColour(static_cast<unsigned char>(ZelGetRValue(c_transparent)),
                            static_cast<unsigned char>(ZelGetGValue(c_transparent)),
                            static_cast<unsigned char>(ZelGetBValue(c_transparent)));
    image.Rescale(rc.Width(), rc.Height(), wxIMAGE_QUALITY_NEAREST);
    Dc.DrawBitmap(wxBitmap(image), rc.left, rc.top, true);
}

void ZelWxDrawPort::ExcludeClip(const CRect& rc)
{
    if (rc.IsRectEmpty())
        return;
    if (Region.IsEmpty()) {
        const wxSize size = Dc.GetSize();
        Region = wxRegion(0, 0, size.x, size.y);
    }
    Region.Subtract(ToWx(rc));
    Dc.DestroyClippingRegion();
    Dc.SetDeviceClippingRegion(Region);
}

// ------------------------------------------------- system sizes and colours

int ZelWxSystemMetrics(int i_index, const wxWindow* p_window)
{
    wxSystemMetric e_metric;
    switch (i_index) {
    case ZelSys::SM_CXVSCROLL: e_metric = wxSYS_VSCROLL_X; break;
    case ZelSys::SM_CYHSCROLL: e_metric = wxSYS_HSCROLL_Y; break;
    case ZelSys::SM_CXCURSOR: e_metric = wxSYS_CURSOR_X; break;
    case ZelSys::SM_CYCURSOR: e_metric = wxSYS_CURSOR_Y; break;
    case ZelSys::SM_CXEDGE: e_metric = wxSYS_EDGE_X; break;
    case ZelSys::SM_CYEDGE: e_metric = wxSYS_EDGE_Y; break;
    case ZelSys::SM_CYBORDER: e_metric = wxSYS_BORDER_Y; break;
    case ZelSys::SM_CXSMICON: e_metric = wxSYS_SMALLICON_X; break;
    case ZelSys::SM_CYSMICON: e_metric = wxSYS_SMALLICON_Y; break;
    default: return ZelDefaultSystemMetrics(i_index);
    }
    const int i_value = wxSystemSettings::GetMetric(e_metric, p_window);
    return i_value > 0 ? i_value : ZelDefaultSystemMetrics(i_index);
}

COLORREF ZelWxSysColor(int i_index)
{
    wxSystemColour e_colour;
    switch (i_index) {
    // The desktop colour, which read-only areas take, is the classic dark
    // blue where the desktop has none of its own, and grids drawn on it are
    // hard to read: the theme's window background stands in for it, the
    // colour the toolkit gives areas the user cannot edit.
    case ZelSys::COLOR_BACKGROUND: e_colour = wxSYS_COLOUR_BTNFACE; break;
    case ZelSys::COLOR_ACTIVECAPTION: e_colour = wxSYS_COLOUR_ACTIVECAPTION; break;
    case ZelSys::COLOR_MENU: e_colour = wxSYS_COLOUR_MENU; break;
    case ZelSys::COLOR_WINDOW: e_colour = wxSYS_COLOUR_WINDOW; break;
    case ZelSys::COLOR_WINDOWTEXT: e_colour = wxSYS_COLOUR_WINDOWTEXT; break;
    case ZelSys::COLOR_CAPTIONTEXT: e_colour = wxSYS_COLOUR_CAPTIONTEXT; break;
    case ZelSys::COLOR_HIGHLIGHT: e_colour = wxSYS_COLOUR_HIGHLIGHT; break;
    case ZelSys::COLOR_HIGHLIGHTTEXT: e_colour = wxSYS_COLOUR_HIGHLIGHTTEXT; break;
    case ZelSys::COLOR_BTNFACE: e_colour = wxSYS_COLOUR_BTNFACE; break;
    case ZelSys::COLOR_BTNSHADOW: e_colour = wxSYS_COLOUR_BTNSHADOW; break;
    case ZelSys::COLOR_GRAYTEXT: e_colour = wxSYS_COLOUR_GRAYTEXT; break;
    case ZelSys::COLOR_BTNTEXT: e_colour = wxSYS_COLOUR_BTNTEXT; break;
    case ZelSys::COLOR_BTNHIGHLIGHT: e_colour = wxSYS_COLOUR_BTNHIGHLIGHT; break;
    case ZelSys::COLOR_3DDKSHADOW: e_colour = wxSYS_COLOUR_3DDKSHADOW; break;
    case ZelSys::COLOR_3DLIGHT: e_colour = wxSYS_COLOUR_3DLIGHT; break;
    case ZelSys::COLOR_INFOTEXT: e_colour = wxSYS_COLOUR_INFOTEXT; break;
    case ZelSys::COLOR_INFOBK: e_colour = wxSYS_COLOUR_INFOBK; break;
    default: return ZelDefaultSysColor(i_index);
    }
    const wxColour colour = wxSystemSettings::GetColour(e_colour);
    if (!colour.IsOk())
        return ZelDefaultSysColor(i_index);
    return ZelRGB(colour.Red(), colour.Green(), colour.Blue());
}
