// What printing code needs of a printer's device context, as a port: the
// report canvas of the class library (text extents, text out, text in a
// rectangle, pages) plus fonts by family and size, lines, the device's
// sizes and its metric conversion.
//
// The printing code (the printed list columns, the list views' reports)
// never sees a window system; the program draws through the wx canvas of
// WxPrintCanvas.h, tests through a canvas of fixed glyph metrics.
#pragma once

#include "framework/Geometry.h"
#include "framework/Types.h"
#include "zelkit/dialogs/ZelReportLayout.h"

#include <string>

// Placement flags of DrawText beyond those of the class library's drawing
// (zelkit/windows/ZelDrawText.h), with the window system's values.
inline constexpr UINT DT_BOTTOM = 0x0008;
inline constexpr UINT DT_EXPANDTABS = 0x0040;
inline constexpr UINT DT_NOCLIP = 0x0100;
inline constexpr UINT DT_PATH_ELLIPSIS = 0x4000;
inline constexpr UINT DT_END_ELLIPSIS = 0x8000;

// A printer font: a family (roman, with serifs, or swiss, without), a size
// in points and a slant.
struct PrintFont {
    enum Family { eRoman, eSwiss };

    Family eFamily = eSwiss;
    int iPoints = 10;
    bool bItalic = false;

    bool operator==(const PrintFont&) const = default;
    static PrintFont Roman(int i_points, bool b_italic = false) { return {eRoman, i_points, b_italic}; }
    static PrintFont Swiss(int i_points, bool b_italic = false) { return {eSwiss, i_points, b_italic}; }
};

// Device sizes GetDeviceCaps answers.
enum : int {
    HORZRES = 8,
    VERTRES = 10,
    LOGPIXELSX = 88,
    LOGPIXELSY = 90,
};

class IPrintCanvas : public IZelReportCanvas {
public:
    // Makes the font current; FALSE (and the current font unchanged) when
    // the device cannot provide it.
    virtual BOOL SelectFont(const PrintFont& font) = 0;
    virtual PrintFont GetFont() const = 0;
    // A solid black line of the width in logical units, from one point up
    // to the other.
    virtual BOOL DrawLine(const CPoint& pt_from, const CPoint& pt_to, int i_width) = 0;
    // HORZRES and VERTRES in logical units, LOGPIXELSX and LOGPIXELSY in
    // logical units per inch.
    virtual int GetDeviceCaps(int i_index) = 0;
    // A size in hundredths of a millimetre in logical units.
    virtual CSize HiMetricToLogical(const CSize& size) = 0;

    // The width of a text in the current font.
    LONG TextWidth(const std::string& s_text)
    {
        LONG i_cx = 0, i_cy = 0;
        GetTextExtent(s_text, i_cx, i_cy);
        return i_cx;
    }
    // The height of a line of the current font.
    LONG LineHeight(const std::string& s_text = "Ay")
    {
        LONG i_cx = 0, i_cy = 0;
        GetTextExtent(s_text, i_cx, i_cy);
        return i_cy;
    }
};

// Selects a font for a scope and puts the one before back at its end.
class PrintFontScope {
public:
    PrintFontScope(IPrintCanvas& dc, const PrintFont& font) : Dc(dc), Previous(dc.GetFont())
    {
        bSelected = dc.SelectFont(font);
    }
    ~PrintFontScope() { Dc.SelectFont(Previous); }
    PrintFontScope(const PrintFontScope&) = delete;
    PrintFontScope& operator=(const PrintFontScope&) = delete;
    BOOL IsSelected() const { return bSelected; }

private:
    IPrintCanvas& Dc;
    PrintFont Previous;
    BOOL bSelected;
};
