// What the library's controls need of a window system, as small ports.
//
// A control's logic (layout, hit tests, editing, painting order) lives in a
// class that never sees wx; it draws through IZelDrawPort, reads system
// sizes and colours through IZelMetricsPort, starts its timers and reads
// the tick count through IZelTimerPort, and sounds its refusals through
// IZelBeepPort. The control's window implements them over wx; tests
// implement them with fixed glyph metrics, fake timers and counters.
#pragma once

#include "framework/Geometry.h"
#include "framework/Types.h"
#include "zelkit/windows/ZelDrawText.h"

#include <cstdint>
#include <string>
#include <vector>

// --- Colours ------------------------------------------------------------

// A colour as 0x00BBGGRR.
using COLORREF = DWORD;

constexpr COLORREF ZelRGB(int i_red, int i_green, int i_blue)
{
    return static_cast<COLORREF>((i_red & 0xFF) | ((i_green & 0xFF) << 8) | ((i_blue & 0xFF) << 16));
}
constexpr int ZelGetRValue(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int ZelGetGValue(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int ZelGetBValue(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }

// The system colours and sizes the controls ask for, by the window
// system's indexes.
namespace ZelSys {
enum Color : int {
    COLOR_BACKGROUND = 1,
    COLOR_ACTIVECAPTION = 2,
    COLOR_MENU = 4,
    COLOR_WINDOW = 5,
    COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
};
enum Metric : int {
    SM_CXVSCROLL = 2,
    SM_CYHSCROLL = 3,
    SM_CYBORDER = 6,
    SM_CXCURSOR = 13,
    SM_CYCURSOR = 14,
    SM_CXEDGE = 45,
    SM_CYEDGE = 46,
    SM_CXSMICON = 49,
    SM_CYSMICON = 50,
};
} // namespace ZelSys

// What a system answers when it has nothing better: the classic desktop's
// colours and sizes.
COLORREF ZelDefaultSysColor(int i_index);
int ZelDefaultSystemMetrics(int i_index);

class IZelMetricsPort {
public:
    virtual ~IZelMetricsPort() = default;
    // A size in pixels (ZelSys::Metric).
    virtual int GetSystemMetrics(int i_index) = 0;
    // A system colour (ZelSys::Color).
    virtual COLORREF GetSysColor(int i_index) = 0;
};

// --- Drawing ------------------------------------------------------------

struct ZelPen {
    enum Style { psSolid, psDot };
    Style eStyle = psSolid;
    COLORREF cColor = 0;
    int iWidth = 1;
};

// A fill: a solid colour, the diagonal cross hatch (lines in cFore over
// what is there), or an 8 x 8 monochrome pattern whose 0 bits take cFore
// and 1 bits cBack (the text and background colours of the drawing
// state), laid from ptOrigin.
struct ZelBrush {
    enum Kind { bkSolid, bkDiagCross, bkPattern };
    Kind eKind = bkSolid;
    COLORREF cFore = 0;
    COLORREF cBack = 0;
    const BYTE* pPattern = nullptr; // 8 rows, the leftmost pixel in the top bit
    CPoint ptOrigin;

    static ZelBrush Solid(COLORREF c_color) { return {bkSolid, c_color, c_color, nullptr, {}}; }
};

// A bitmap of the window system that an owner keeps and a control draws
// (in the library's windows: a const wxBitmap*).
using ZelBitmapHandle = const void*;

// A font by its size in points; 0 points is the drawing surface's own font.
struct ZelPortFont {
    int iPoints = 0;
    bool bSwiss = true;
    bool bBold = false;
    bool operator==(const ZelPortFont&) const = default;
};

class IZelDrawPort {
public:
    virtual ~IZelDrawPort() = default;

    virtual void SetFont(const ZelPortFont& font) = 0;
    virtual ZelPortFont GetFont() const = 0;
    // The average character cell of the current font (average width by
    // height with leading).
    virtual CSize GetCharDim() = 0;
    virtual CSize GetTextExtent(const std::string& s_text) = 0;
    // Draws the text in the rectangle as the DT_ flags place it; with
    // DT_CALCRECT only measures, setting the rectangle's right and bottom.
    // With DT_WORDBREAK (and not DT_SINGLELINE) the text breaks into lines
    // as ZelBreakText breaks it in the rectangle's width, each line placed
    // across as the flags say; measured, the width is the widest line's.
    // Returns the text's height.
    virtual int DrawText(const std::string& s_text, CRect& rc, UINT u_flags, COLORREF c_text) = 0;
    // Draws the bitmap stretched into the rectangle, its pixels of the
    // transparent colour left out.
    virtual void StretchTransparentBitmap(ZelBitmapHandle h_bitmap, const CRect& rc, COLORREF c_transparent) = 0;

    virtual void FillRect(const CRect& rc, const ZelBrush& brush) = 0;
    // An ellipse inside the rectangle, filled with the colour, no outline.
    virtual void FillEllipse(const CRect& rc, COLORREF c_color) { FillRect(rc, ZelBrush::Solid(c_color)); }
    // A line from one point up to, not including, the other.
    virtual void Line(const CPoint& pt_from, const CPoint& pt_to, const ZelPen& pen) = 0;
    // The outline of a rectangle, inside it.
    virtual void FrameRect(const CRect& rc, const ZelPen& pen) = 0;
    // A raised two-tone edge around the rectangle, inside it.
    virtual void DrawEdge(const CRect& rc) = 0;
    virtual void DrawFocusRect(const CRect& rc) = 0;

    // Clipping: drawing is limited to the box given at the start, less
    // what was excluded since.
    virtual void ExcludeClip(const CRect& rc) = 0;
    virtual CRect GetClipBox() const = 0;
};

// --- Timers, beeps, cursors ---------------------------------------------

class IZelTimerPort {
public:
    virtual ~IZelTimerPort() = default;
    // (Re)starts the control's timer u_id with a period in milliseconds.
    virtual void StartTimer(UINT u_id, UINT u_period) = 0;
    virtual void KillTimer(UINT u_id) = 0;
    // Milliseconds since some start, wrapping at 32 bits.
    virtual DWORD GetTickCount() = 0;
};

class IZelBeepPort {
public:
    virtual ~IZelBeepPort() = default;
    // The refusal sound (the exclamation beep).
    virtual void Beep() = 0;
};

enum class ZelCursorKind { Arrow, SizeNS, Magnifier };

// --- Scroll bars and input ----------------------------------------------

enum : int { SB_HORZ = 0, SB_VERT = 1 };

// Scroll codes.
enum : UINT {
    SB_LINEUP = 0,
    SB_LINELEFT = 0,
    SB_LINEDOWN = 1,
    SB_LINERIGHT = 1,
    SB_PAGEUP = 2,
    SB_PAGELEFT = 2,
    SB_PAGEDOWN = 3,
    SB_PAGERIGHT = 3,
    SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5,
    SB_TOP = 6,
    SB_LEFT = 6,
    SB_BOTTOM = 7,
    SB_RIGHT = 7,
    SB_ENDSCROLL = 8,
};

// A scroll bar's state: positions run from nMin to nMax inclusive, nPage
// of them show at once; a page larger than the range hides the bar.
struct ZelScrollInfo {
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};

// Mouse-message modifier flags.
enum : UINT { MK_LBUTTON = 0x0001, MK_RBUTTON = 0x0002, MK_SHIFT = 0x0004, MK_CONTROL = 0x0008 };

// Virtual key codes.
enum : UINT {
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_DELETE = 0x2E,
    VK_APPS = 0x5D,
};

// Modifier keys of a key press.
enum : UINT { KM_CONTROL = 1, KM_SHIFT = 2, KM_ALT = 4 };

// What a drop does with the dragged data.
enum : DWORD { DROPEFFECT_NONE = 0, DROPEFFECT_COPY = 1, DROPEFFECT_MOVE = 2 };

// --- Menus ----------------------------------------------------------------

// One item of a pop-up menu: a command with its text (a tab before the
// key that also gives it) and its state, or a separator (command 0).
struct ZelMenuItem {
    UINT uId = 0;
    std::string sText;
    int bEnabled = 1;
    int bChecked = 0;
    bool operator==(const ZelMenuItem&) const = default;
};
using ZelMenu = std::vector<ZelMenuItem>;
