// The drawing port of the library's controls over a wx device context:
// fonts by point size (the window's own face, or the swiss family), text
// placed as the DT_ flags say, fills (solid, cross hatch, 8 x 8 patterns in
// two colours), lines, raised edges, focus frames, and clipping to what was
// to be painted less what was excluded since.
#pragma once

#include "zelkit/controls/ZelControlPorts.h"

#include <wx/dc.h>
#include <wx/region.h>
#include <wx/window.h>

class ZelWxDrawPort : public IZelDrawPort {
public:
    // rc_clip: the box drawing is limited to (the update box of a paint);
    // an empty one limits nothing.
    ZelWxDrawPort(wxDC& dc, wxWindow* p_window, IZelMetricsPort& metrics, const CRect& rc_clip = CRect());

    void SetFont(const ZelPortFont& font) override;
    ZelPortFont GetFont() const override { return Font; }
    CSize GetCharDim() override;
    CSize GetTextExtent(const std::string& s_text) override;
    int DrawText(const std::string& s_text, CRect& rc, UINT u_flags, COLORREF c_text) override;
    void FillRect(const CRect& rc, const ZelBrush& brush) override;
    void FillEllipse(const CRect& rc, COLORREF c_color) override;
    void Line(const CPoint& pt_from, const CPoint& pt_to, const ZelPen& pen) override;
    void FrameRect(const CRect& rc, const ZelPen& pen) override;
    void DrawEdge(const CRect& rc) override;
    void DrawFocusRect(const CRect& rc) override;
    void StretchTransparentBitmap(ZelBitmapHandle h_bitmap, const CRect& rc, COLORREF c_transparent) override;
    void ExcludeClip(const CRect& rc) override;
    CRect GetClipBox() const override { return rcClip; }

    static wxColour ToColour(COLORREF c) { return wxColour(ZelGetRValue(c), ZelGetGValue(c), ZelGetBValue(c)); }

private:
    wxDC& Dc;
    wxWindow* pWindow;
    IZelMetricsPort& Metrics;
    ZelPortFont Font;
    CRect rcClip;
    wxRegion Region;
};

// The desktop's sizes and colours by the window system's indexes
// (ZelSys), with the classic values where the desktop has none.
int ZelWxSystemMetrics(int i_index, const wxWindow* p_window);
COLORREF ZelWxSysColor(int i_index);
