// A window for the timeslot grid without a display: a drawing port with
// fixed glyph metrics that records what is drawn, and a host that records
// notifications, invalidations, scroll bars, timers, beeps, cursors and
// tips, with a clock the test moves.
//
// Glyphs: at p points a line is p + 3 pixels high and every character
// p / 2 + 1 pixels wide, so the parent's 10-point font gives 13-pixel
// labels and 6-pixel characters.
#pragma once

#include "zelkit/ZelTimeslotGrid.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

struct FakeDrawOp {
    FakeDrawOp(std::string s_kind, const CRect& r, std::string s_text = {})
        : sKind(std::move(s_kind)), rc(r), sText(std::move(s_text))
    {
    }
    std::string sKind; // "fill", "line", "frame", "edge", "focus", "text", "exclude"
    CRect rc;
    std::string sText;
    ZelBrush::Kind eBrush = ZelBrush::bkSolid;
    COLORREF cColor = 0;
    ZelPen::Style ePen = ZelPen::psSolid;
    int iPoints = 0;
};

class FakeDrawPort : public IZelDrawPort {
public:
    static int LineHeight(int i_points) { return i_points + 3; }
    static int CharWidth(int i_points) { return i_points / 2 + 1; }

    void SetFont(const ZelPortFont& font) override { Font = font.iPoints > 0 ? font : ZelPortFont{10, false}; }
    ZelPortFont GetFont() const override { return Font; }
    CSize GetCharDim() override { return CSize(CharWidth(Font.iPoints), LineHeight(Font.iPoints)); }
    CSize GetTextExtent(const std::string& s_text) override
    {
        return CSize(static_cast<LONG>(s_text.size()) * CharWidth(Font.iPoints), LineHeight(Font.iPoints));
    }
    int DrawText(const std::string& s_text, CRect& rc, UINT u_flags, COLORREF c_text) override
    {
        const CSize size = GetTextExtent(s_text);
        if (u_flags & DT_CALCRECT) {
            rc.right = rc.left + size.cx;
            rc.bottom = rc.top + size.cy;
        } else {
            FakeDrawOp op{"text", rc, s_text};
            op.cColor = c_text;
            op.iPoints = Font.iPoints;
            Ops.push_back(op);
        }
        return size.cy;
    }
    void FillRect(const CRect& rc, const ZelBrush& brush) override
    {
        FakeDrawOp op{"fill", rc};
        op.eBrush = brush.eKind;
        op.cColor = brush.cFore;
        Ops.push_back(op);
    }
    void Line(const CPoint& pt_from, const CPoint& pt_to, const ZelPen& pen) override
    {
        FakeDrawOp op{"line", CRect(pt_from, pt_to)};
        op.cColor = pen.cColor;
        op.ePen = pen.eStyle;
        Ops.push_back(op);
    }
    void FrameRect(const CRect& rc, const ZelPen& pen) override
    {
        FakeDrawOp op{"frame", rc};
        op.cColor = pen.cColor;
        Ops.push_back(op);
    }
    void DrawEdge(const CRect& rc) override { Ops.push_back(FakeDrawOp{"edge", rc}); }
    void DrawFocusRect(const CRect& rc) override { Ops.push_back(FakeDrawOp{"focus", rc}); }
    void ExcludeClip(const CRect& rc) override { Ops.push_back(FakeDrawOp{"exclude", rc}); }
    CRect GetClipBox() const override { return rcClip; }

    std::vector<FakeDrawOp> Of(const std::string& s_kind) const
    {
        std::vector<FakeDrawOp> v;
        for (const FakeDrawOp& op : Ops)
            if (op.sKind == s_kind)
                v.push_back(op);
        return v;
    }

    ZelPortFont Font{10, false};
    CRect rcClip;
    std::vector<FakeDrawOp> Ops;
};

class FakeHost : public IZelTimeslotHost, public IZelMetricsPort, public IZelTimerPort, public IZelBeepPort {
public:
    explicit FakeHost(LONG i_width = 600, LONG i_height = 400) : rcClient(0, 0, i_width, i_height) {}

    // Installs the host and its ports in a grid.
    void Attach(ZelTimeslotGrid& grid) { grid.SetHost(this, this, this, this); }

    BOOL HasWindow() const override { return TRUE; }
    // A scroll bar that shows takes its room from the client area.
    CRect GetClientArea() const override
    {
        CRect rc = rcClient;
        if (Shows(SB_VERT))
            rc.right -= ZelDefaultSystemMetrics(ZelSys::SM_CXVSCROLL);
        if (Shows(SB_HORZ))
            rc.bottom -= ZelDefaultSystemMetrics(ZelSys::SM_CYHSCROLL);
        return rc;
    }
    bool Shows(int i_bar) const
    {
        const ZelScrollInfo& info = aScroll[i_bar];
        return aSet[i_bar] && info.nMax - info.nMin > 0 && static_cast<int>(info.nPage) <= info.nMax - info.nMin;
    }
    BOOL IsWindowEnabled() const override { return bEnabled; }
    BOOL HasKeyboardFocus() const override { return bFocus; }
    void TakeKeyboardFocus() override { bFocus = TRUE; }
    void Invalidate(const CRect* p_rect, BOOL) override
    {
        ++nInvalidated;
        if (p_rect)
            vInvalidated.push_back(*p_rect);
    }
    long Notify(int i_code, void* p_record) override
    {
        vCodes.push_back(i_code);
        if (p_record && lColorAnswer >= 0) {
            static_cast<ZelTimeslotColorNotify*>(p_record)->crColor = static_cast<COLORREF>(lColorAnswer);
            return 1;
        }
        return 0;
    }
    BOOL GetScrollInfo(int i_bar, ZelScrollInfo& info) override
    {
        if (!aSet[i_bar])
            return FALSE;
        info = aScroll[i_bar];
        return TRUE;
    }
    void SetScrollInfo(int i_bar, const ZelScrollInfo& info) override
    {
        aScroll[i_bar] = info;
        aSet[i_bar] = TRUE;
    }
    void ScrollArea(LONG i_dx, LONG i_dy, const CRect&) override { vScrolled.push_back(CPoint(i_dx, i_dy)); }
    void SetRedraw(BOOL b_redraw) override { iRedrawOff += b_redraw ? -1 : 1; }
    int GetParentFontPoints() override { return iParentPoints; }
    std::unique_ptr<IZelDrawPort> CreateMeasurePort() override { return std::make_unique<FakeDrawPort>(); }
    void SetPointerCursor(ZelCursorKind e_cursor) override { eCursor = e_cursor; }
    CPoint GetCursorClientPoint() override { return ptCursor; }
    void ShowTip(const std::string& s_text, const CPoint& pt) override
    {
        sTip = s_text;
        ptTip = pt;
        bTip = true;
    }
    void HideTip() override { bTip = false; }

    int GetSystemMetrics(int i_index) override { return ZelDefaultSystemMetrics(i_index); }
    COLORREF GetSysColor(int i_index) override { return ZelDefaultSysColor(i_index); }
    void StartTimer(UINT u_id, UINT u_period) override { Timers[u_id] = u_period; }
    void KillTimer(UINT u_id) override { Timers.erase(u_id); }
    DWORD GetTickCount() override { return uNow; }
    void Beep() override { ++nBeeps; }

    int Count(int i_code) const
    {
        int n = 0;
        for (int c : vCodes)
            n += c == i_code;
        return n;
    }
    bool TimerRuns(UINT u_id) const { return Timers.count(u_id) != 0; }
    UINT TimerPeriod(UINT u_id) const { return Timers.count(u_id) ? Timers.at(u_id) : 0; }

    CRect rcClient;
    BOOL bEnabled = TRUE;
    BOOL bFocus = FALSE;
    int iParentPoints = 10;
    long lColorAnswer = -1;
    std::vector<int> vCodes;
    int nInvalidated = 0;
    std::vector<CRect> vInvalidated;
    ZelScrollInfo aScroll[2];
    BOOL aSet[2] = {FALSE, FALSE};
    std::vector<CPoint> vScrolled;
    int iRedrawOff = 0;
    ZelCursorKind eCursor = ZelCursorKind::Arrow;
    CPoint ptCursor;
    std::string sTip;
    CPoint ptTip;
    bool bTip = false;
    std::map<UINT, UINT> Timers;
    DWORD uNow = 100000;
    int nBeeps = 0;
};
