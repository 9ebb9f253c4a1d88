// A window for the timeslot grid without a display: a drawing port with
// fixed glyph metrics that records what is drawn, and a host that records
// notifications, invalidations, scroll bars, timers, beeps, cursors and
// tips, with a clock the test moves.
//
// Glyphs: at p points a line is p + 3 pixels high and every character
// p / 2 + 1 pixels wide, so the parent's 10-point font gives 13-pixel
// labels and 6-pixel characters.
#pragma once

#include "zelkit/windows/ZelNotifyCodes.h"
#include "zelkit/controls/ZelTimeslotGrid.h"

#include <algorithm>
#include <functional>
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
    std::string sKind; // "fill", "line", "frame", "edge", "focus", "text", "bitmap", "exclude"
    CRect rc;
    std::string sText;
    ZelBrush::Kind eBrush = ZelBrush::bkSolid;
    COLORREF cColor = 0;
    ZelPen::Style ePen = ZelPen::psSolid;
    int iPoints = 0;
    ZelBitmapHandle pBitmap = nullptr;
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
    // A text that breaks at words is recorded as one "text" op per line,
    // each with the line's own box.
    int DrawText(const std::string& s_text, CRect& rc, UINT u_flags, COLORREF c_text) override
    {
        if ((u_flags & DT_WORDBREAK) && !(u_flags & DT_SINGLELINE)) {
            const std::vector<std::string> v_lines =
                ZelBreakText(s_text, rc.Width(), [this](const std::string& s) { return GetTextExtent(s).cx; });
            const LONG i_line = LineHeight(Font.iPoints);
            LONG i_widest = 0;
            for (std::size_t u = 0; u < v_lines.size(); ++u) {
                const LONG i_width = GetTextExtent(v_lines[u]).cx;
                i_widest = std::max(i_widest, i_width);
                if (u_flags & DT_CALCRECT)
                    continue;
                const LONG x = (u_flags & DT_CENTER) ? rc.left + (rc.Width() - i_width) / 2 : rc.left;
                const LONG y = rc.top + static_cast<LONG>(u) * i_line;
                FakeDrawOp op{"text", CRect(x, y, x + i_width, y + i_line), v_lines[u]};
                op.cColor = c_text;
                op.iPoints = Font.iPoints;
                Ops.push_back(op);
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
        } else {
            FakeDrawOp op{"text", rc, s_text};
            op.cColor = c_text;
            op.iPoints = Font.iPoints;
            Ops.push_back(op);
        }
        return size.cy;
    }
    void StretchTransparentBitmap(ZelBitmapHandle h_bitmap, const CRect& rc, COLORREF c_transparent) override
    {
        FakeDrawOp op{"bitmap", rc};
        op.cColor = c_transparent;
        op.pBitmap = h_bitmap;
        Ops.push_back(op);
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
        if (fNotify) {
            const long l_answer = fNotify(i_code, p_record);
            if (l_answer)
                return l_answer;
        }
        if (p_record && lColorAnswer >= 0 && (i_code == ZTSN_SLOTCOLOR || i_code == ZTSN_SLOTTEXTCOLOR)) {
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
    BOOL GetClipboardText(std::string& s_text) override
    {
        if (!bClipboard)
            return FALSE;
        s_text = sClipboard;
        return TRUE;
    }
    BOOL SetClipboardText(const std::string& s_text) override
    {
        sClipboard = s_text;
        bClipboard = true;
        return TRUE;
    }
    // A drag runs fDrag (which plays the drop targets) or drags nothing.
    DWORD DoDragDrop(const std::string& s_text) override
    {
        ++nDrags;
        sDragged = s_text;
        return fDrag ? fDrag(s_text) : DROPEFFECT_NONE;
    }
    void TrackPopupMenu(const ZelMenu& menu, const CPoint& pt) override
    {
        vMenu = menu;
        ptMenu = pt;
        ++nMenus;
    }
    // The dialogs answer with the values set here; a value of 0 (an empty
    // name) cancels.
    BOOL AskSlotLength(UINT& u_minutes) override
    {
        uAskedMinutes = u_minutes;
        if (uLengthAnswer == 0)
            return FALSE;
        u_minutes = uLengthAnswer;
        return TRUE;
    }
    BOOL AskResolution(UINT& u_minutes, int& b_auto) override
    {
        uAskedMinutes = u_minutes;
        if (uResolutionAnswer == 0)
            return FALSE;
        u_minutes = uResolutionAnswer;
        b_auto = bAutoAnswer;
        return TRUE;
    }
    BOOL AskCombinationName(const ZelTimeslotCombinationList& combinations, std::string& s_name) override
    {
        vOffered.clear();
        for (int i = 0; i < combinations.GetCount(); ++i)
            vOffered.push_back(combinations[i].GetName());
        if (!bNameAnswer)
            return FALSE;
        s_name = sNameAnswer;
        return TRUE;
    }

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
    // Answers notifications before the colour answer does.
    std::function<long(int i_code, void* p_record)> fNotify;
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
    bool bClipboard = false;
    std::string sClipboard;
    int nDrags = 0;
    std::string sDragged;
    std::function<DWORD(const std::string&)> fDrag;
    ZelMenu vMenu;
    CPoint ptMenu;
    int nMenus = 0;
    UINT uAskedMinutes = 0;
    UINT uLengthAnswer = 0;
    UINT uResolutionAnswer = 0;
    int bAutoAnswer = 1;
    bool bNameAnswer = false;
    std::string sNameAnswer;
    std::vector<std::string> vOffered;
};
