#include "zelkit/controls/ui/ZelTimeslotCtrl.h"

#include "framework/ui/WxText.h"
#include "zelkit/controls/ui/ZelControlWindow.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"
#include "zelkit/controls/ui/ZelTimeslotDialogs.h"
#include "zelkit/windows/ui/ZelWindowServicesWx.h"
#include "zelkit/controls/ui/ZelWxDrawPort.h"
#include "zelkit/controls/ui/ZelWxKeys.h"
#include "zelkit/controls/ui/ZelWxMenu.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <optional>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/evtloop.h>
#include <wx/menu.h>
#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/popupwin.h>
#include <wx/settings.h>
#include <wx/stattext.h>
#include <wx/utils.h>

// The position tip: a small window beside the pointer with the tip's
// lines, at most iPositionTipMaxWidth wide.
class ZelTimeslotTip : public wxPopupWindow {
public:
    explicit ZelTimeslotTip(wxWindow* p_parent) : wxPopupWindow(p_parent, wxBORDER_SIMPLE)
    {
        SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_INFOBK));
        pText = new wxStaticText(this, wxID_ANY, wxString(), wxPoint(3, 2));
        pText->SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_INFOTEXT));
    }

    void SetText(const std::string& s_text)
    {
        // The tip's lines are separated by CR LF.
        std::string s_lines;
        for (std::size_t u = 0; u < s_text.size(); ++u)
            if (s_text[u] != '\r')
                s_lines += s_text[u];
        pText->SetLabel(ToWx(s_lines));
        pText->Wrap(ZelTimeslotGrid::iPositionTipMaxWidth);
        const wxSize size = pText->GetBestSize();
        pText->SetSize(size);
        SetClientSize(size.x + 6, size.y + 4);
    }

    wxString GetText() const { return pText->GetLabel(); }

private:
    wxStaticText* pText;
};

namespace {

// A port to measure with outside painting: the window's font on a small
// memory surface, which works before the window is shown.
class MeasureSurface {
protected:
    MeasureSurface() : Bitmap(1, 1), Dc(Bitmap) {}
    wxBitmap Bitmap;
    wxMemoryDC Dc;
};

class MeasurePort : private MeasureSurface, public ZelWxDrawPort {
public:
    MeasurePort(wxWindow* p_window, IZelMetricsPort& metrics) : ZelWxDrawPort(MeasureSurface::Dc, p_window, metrics) {}
};

int OrientOf(int i_bar) { return i_bar == SB_HORZ ? wxHORIZONTAL : wxVERTICAL; }

} // namespace

namespace {

constexpr int iDragScrollTimer = 3;
constexpr int iDragScrollPeriod = 50;

ZelTimeslotCtrl::DragLoop& TestDragLoop()
{
    static ZelTimeslotCtrl::DragLoop f_loop;
    return f_loop;
}

DWORD EffectOf(wxDragResult e_result)
{
    switch (e_result) {
    case wxDragCopy: return DROPEFFECT_COPY;
    case wxDragMove: return DROPEFFECT_MOVE;
    default: return DROPEFFECT_NONE;
    }
}

wxDragResult ResultOf(DWORD dw_effect)
{
    switch (dw_effect) {
    case DROPEFFECT_COPY: return wxDragCopy;
    case DROPEFFECT_MOVE: return wxDragMove;
    default: return wxDragNone;
    }
}

bool CtrlHeld() { return wxGetKeyState(WXK_CONTROL); }

} // namespace

const std::string* ZelTimeslotCtrl::pActiveDragText = nullptr;

void ZelTimeslotCtrl::SetDragLoop(DragLoop f_loop) { TestDragLoop() = std::move(f_loop); }

ZelTimeslotCtrl::ZelTimeslotCtrl(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos, const wxSize& size)
    : ZelTimeslotCtrl(p_parent, i_id, pos, size, std::make_unique<ZelTimeslotGrid>(TRUE), ZLC_TIMESLOT)
{
}

ZelTimeslotCtrl::ZelTimeslotCtrl(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos, const wxSize& size,
                                 std::unique_ptr<ZelTimeslotGrid> p_grid, const wxString& s_name)
    : ZelCustomCtrl(p_parent, i_id, pos, size, wxBORDER_SUNKEN | wxWANTS_CHARS | wxHSCROLL | wxVSCROLL, s_name),
      pGrid(std::move(p_grid)), TipTimer(this, static_cast<int>(ZelTimeslotGrid::uTipTimer)),
      ScrollTimer(this, static_cast<int>(ZelTimeslotGrid::uScrollTimer)), DragScrollTimer(this, iDragScrollTimer)
{
    // Painting covers the whole window: nothing is erased first.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(*wxWHITE);
    SetLabel("Timeslots");
    SetScrollbar(wxHORIZONTAL, 0, 1, 0);
    SetScrollbar(wxVERTICAL, 0, 1, 0);

    Bind(wxEVT_PAINT, &ZelTimeslotCtrl::OnPaint, this);
    Bind(wxEVT_SIZE, &ZelTimeslotCtrl::OnSize, this);
    for (const wxEventTypeTag<wxMouseEvent>& type :
         {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_MOTION, wxEVT_LEAVE_WINDOW, wxEVT_RIGHT_DOWN})
        Bind(type, &ZelTimeslotCtrl::OnMouse, this);
    Bind(wxEVT_MOUSEWHEEL, &ZelTimeslotCtrl::OnWheel, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &ZelTimeslotCtrl::OnCaptureLost, this);
    for (const wxEventTypeTag<wxScrollWinEvent>& type : {wxEVT_SCROLLWIN_TOP, wxEVT_SCROLLWIN_BOTTOM, wxEVT_SCROLLWIN_LINEUP,
                             wxEVT_SCROLLWIN_LINEDOWN, wxEVT_SCROLLWIN_PAGEUP, wxEVT_SCROLLWIN_PAGEDOWN,
                             wxEVT_SCROLLWIN_THUMBTRACK, wxEVT_SCROLLWIN_THUMBRELEASE})
        Bind(type, &ZelTimeslotCtrl::OnScroll, this);
    Bind(wxEVT_SET_FOCUS, &ZelTimeslotCtrl::OnFocus, this);
    Bind(wxEVT_KILL_FOCUS, &ZelTimeslotCtrl::OnFocus, this);
    Bind(wxEVT_CHAR_HOOK, &ZelTimeslotCtrl::OnCharHook, this);
    Bind(wxEVT_TIMER, &ZelTimeslotCtrl::OnTimer, this);
    Bind(wxEVT_CONTEXT_MENU, &ZelTimeslotCtrl::OnContextMenu, this);
    Bind(wxEVT_MENU, &ZelTimeslotCtrl::OnMenu, this);
    pTopLevel = wxGetTopLevelParent(this);
    if (pTopLevel)
        pTopLevel->Bind(wxEVT_ACTIVATE, &ZelTimeslotCtrl::OnActivate, this);

    pGrid->SetHost(this, this, this, this);
    pTarget = new ZelTimeslotCtrlTarget(*this);
    SetDropTarget(pTarget);
}

ZelTimeslotCtrl::~ZelTimeslotCtrl()
{
    TipTimer.Stop();
    ScrollTimer.Stop();
    DragScrollTimer.Stop();
    if (pTopLevel)
        pTopLevel->Unbind(wxEVT_ACTIVATE, &ZelTimeslotCtrl::OnActivate, this);
    pGrid->SetHost(nullptr);
    ZelSetRedrawRemove(this);
}

BOOL ZelTimeslotCtrl::RegisterWndClass()
{
    return ZelCustomCtrl::RegisterWndClass(ZLC_TIMESLOT, [](wxWindow* p, wxWindowID i) -> ZelCustomCtrl* {
        return new ZelTimeslotCtrl(p, i);
    });
}

BOOL ZelTimeslotCtrl::UnregisterWndClass() { return ZelCustomCtrl::UnregisterWndClass(ZLC_TIMESLOT); }

bool ZelTimeslotCtrl::Enable(bool b_enable)
{
    const bool b_changed = ZelCustomCtrl::Enable(b_enable);
    if (b_changed)
        pGrid->OnEnable();
    return b_changed;
}

ZelScrollInfo ZelTimeslotCtrl::GetScrollInfoOf(int i_orient) const
{
    return aScroll[i_orient == wxHORIZONTAL ? SB_HORZ : SB_VERT];
}

// ------------------------------------------------------------------ events

void ZelTimeslotCtrl::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    const wxRect box = GetUpdateRegion().GetBox();
    CRect rc_update(box.x, box.y, box.GetRight() + 1, box.GetBottom() + 1);
    if (rc_update.IsRectEmpty())
        rc_update = GetClientArea();
    ZelWxDrawPort port(dc, this, static_cast<IZelMetricsPort&>(*this), rc_update);
    pGrid->Paint(port, rc_update);
}

void ZelTimeslotCtrl::OnSize(wxSizeEvent& event)
{
    pGrid->OnSize();
    Refresh(false);
    event.Skip();
}

void ZelTimeslotCtrl::OnMouse(wxMouseEvent& event)
{
    const CPoint pt(event.GetX(), event.GetY());
    UINT u_flags = 0;
    if (event.ControlDown())
        u_flags |= MK_CONTROL;
    if (event.ShiftDown())
        u_flags |= MK_SHIFT;
    if (event.LeftIsDown())
        u_flags |= MK_LBUTTON;
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_RIGHT_DOWN) {
        // The pop-up menu acts where it was asked for.
        bFocusShowPending = false;
        event.Skip();
        return;
    }
    if (pDragWait) {
        // A press on a slot waits to see whether it becomes a drag: the
        // button released first makes it a click.
        if (type == wxEVT_LEFT_UP || !event.LeftIsDown()) {
            pDragWait->Exit();
        } else if (type == wxEVT_MOTION) {
            const int i_cx = std::max(wxSystemSettings::GetMetric(wxSYS_DRAG_X, this), 4);
            const int i_cy = std::max(wxSystemSettings::GetMetric(wxSYS_DRAG_Y, this), 4);
            if (std::abs(pt.x - ptDragPress.x) > i_cx / 2 || std::abs(pt.y - ptDragPress.y) > i_cy / 2) {
                // The window system begins a drag only inside a mouse
                // event, so it runs from here.
                wxEventLoopBase* p_wait = pDragWait;
                pDragWait = nullptr;
                wxTextDataObject data(ToWx(sDragText));
                wxDropSource source(data, this);
                pActiveDragText = &sDragText;
                dwDragResult = EffectOf(source.DoDragDrop(wxDrag_AllowMove));
                pActiveDragText = nullptr;
                p_wait->Exit();
            }
        }
        return;
    }
    if (type == wxEVT_LEFT_DOWN) {
        // The press picks its slot from the slots on screen: a focus slot
        // still to be shown from the focus that came just before it is not.
        bFocusShowPending = false;
        bPressing = true;
        if (!wxWindow::HasFocus())
            pGrid->OnMouseActivate();
        pGrid->OnLButtonDown(u_flags, pt);
        bPressing = false;
        if (pGrid->IsResizing() && !HasCapture())
            CaptureMouse();
    } else if (type == wxEVT_LEFT_UP) {
        pGrid->OnLButtonUp(u_flags, pt);
        if (HasCapture())
            ReleaseMouse();
    } else if (type == wxEVT_MOTION) {
        pGrid->OnMouseMove(u_flags, pt);
    } else if (type == wxEVT_LEAVE_WINDOW) {
        pGrid->OnMouseLeave();
    }
    event.Skip();
}

void ZelTimeslotCtrl::OnWheel(wxMouseEvent& event)
{
    UINT u_flags = 0;
    if (event.ControlDown())
        u_flags |= MK_CONTROL;
    if (event.ShiftDown())
        u_flags |= MK_SHIFT;
    const int i_unit = event.GetWheelDelta() > 0 ? event.GetWheelDelta() : 120;
    int i_delta = event.GetWheelRotation() * 120 / i_unit;
    // A sideways wheel scrolls sideways, to the right for a positive turn.
    if (event.GetWheelAxis() == wxMOUSE_WHEEL_HORIZONTAL) {
        u_flags |= MK_SHIFT;
        i_delta = -i_delta;
    }
    const long l_time = event.GetTimestamp();
    const DWORD u_time = l_time != 0 ? static_cast<DWORD>(l_time) : GetTickCount();
    pGrid->OnMouseWheel(u_flags, i_delta, CPoint(event.GetX(), event.GetY()), u_time);
}

void ZelTimeslotCtrl::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    pGrid->OnLButtonUp(0, GetCursorClientPoint());
}

void ZelTimeslotCtrl::OnScroll(wxScrollWinEvent& event)
{
    const wxEventType type = event.GetEventType();
    UINT u_code = SB_ENDSCROLL;
    if (type == wxEVT_SCROLLWIN_TOP)
        u_code = SB_TOP;
    else if (type == wxEVT_SCROLLWIN_BOTTOM)
        u_code = SB_BOTTOM;
    else if (type == wxEVT_SCROLLWIN_LINEUP)
        u_code = SB_LINEUP;
    else if (type == wxEVT_SCROLLWIN_LINEDOWN)
        u_code = SB_LINEDOWN;
    else if (type == wxEVT_SCROLLWIN_PAGEUP)
        u_code = SB_PAGEUP;
    else if (type == wxEVT_SCROLLWIN_PAGEDOWN)
        u_code = SB_PAGEDOWN;
    else if (type == wxEVT_SCROLLWIN_THUMBTRACK)
        u_code = SB_THUMBTRACK;
    else if (type == wxEVT_SCROLLWIN_THUMBRELEASE)
        u_code = SB_THUMBPOSITION;
    const int i_bar = event.GetOrientation() == wxHORIZONTAL ? SB_HORZ : SB_VERT;
    const int i_pos = event.GetPosition() + aScroll[i_bar].nMin;
    if (i_bar == SB_HORZ)
        pGrid->OnHScroll(u_code, i_pos);
    else
        pGrid->OnVScroll(u_code, i_pos);
}

void ZelTimeslotCtrl::OnFocus(wxFocusEvent& event)
{
    if (event.GetEventType() == wxEVT_SET_FOCUS) {
        // A click that activates the control's window brings the focus
        // before the press reaches the control. Scrolling to the focus
        // slot now would move other slots under the pointer, so the focus
        // slot is shown once the event that brought the focus is over, and
        // only when no press came in it (a click shows the slot it picked
        // itself).
        if (!bPressing) {
            pGrid->OnMouseActivate();
            bFocusShowPending = true;
            CallAfter(&ZelTimeslotCtrl::ShowFocusAfterFocusIn);
        }
        pGrid->OnSetFocus();
    } else {
        bFocusShowPending = false;
        pGrid->OnKillFocus();
    }
    event.Skip();
}

void ZelTimeslotCtrl::ShowFocusAfterFocusIn()
{
    if (!bFocusShowPending)
        return;
    bFocusShowPending = false;
    if (!wxWindow::HasFocus())
        return;
    pGrid->OnSetFocus();
}

void ZelTimeslotCtrl::OnCharHook(wxKeyEvent& event)
{
    const UINT u_key = ZelVirtualKey(event);
    const UINT u_modifiers = ZelKeyModifiers(event);
    // Ctrl+Tab and Alt+Tab belong to the windows around: they switch pages
    // and panes, never slots.
    if (u_key == VK_TAB && (u_modifiers & (KM_CONTROL | KM_ALT))) {
        event.Skip();
        return;
    }
    if (u_key != 0 && pGrid->PreTranslateKey(u_key, u_modifiers))
        return;
    // Tab past the last slot (or Shift+Tab before the first) moves on.
    if (u_key == VK_TAB) {
        TabOut((u_modifiers & KM_SHIFT) != 0);
        return;
    }
    event.Skip();
}

void ZelTimeslotCtrl::TabOut(bool b_backward)
{
    Navigate(b_backward ? wxNavigationKeyEvent::IsBackward : wxNavigationKeyEvent::IsForward);
}

void ZelTimeslotCtrl::OnActivate(wxActivateEvent& event)
{
    pGrid->OnActivate(event.GetActive());
    event.Skip();
}

void ZelTimeslotCtrl::OnTimer(wxTimerEvent& event)
{
    if (event.GetId() == iDragScrollTimer)
        pGrid->DragScroll(ptDragOver);
    else
        pGrid->OnTimer(static_cast<UINT>(event.GetId()));
}

// ------------------------------------------------------------ the host port

BOOL ZelTimeslotCtrl::HasWindow() const { return GetHandle() != nullptr ? TRUE : FALSE; }

CRect ZelTimeslotCtrl::GetClientArea() const
{
    const wxSize size = GetClientSize();
    return {0, 0, size.x, size.y};
}

// The control's own state only: a window whose top-level window is disabled
// (the main window during a build, or under a modal dialog) still paints its
// slots; only the control itself disabled shows none.
BOOL ZelTimeslotCtrl::IsWindowEnabled() const { return ZelCustomCtrl::IsThisEnabled() ? TRUE : FALSE; }

BOOL ZelTimeslotCtrl::HasKeyboardFocus() const { return ZelCustomCtrl::HasFocus() ? TRUE : FALSE; }

void ZelTimeslotCtrl::TakeKeyboardFocus()
{
    if (!ZelCustomCtrl::HasFocus())
        ZelCustomCtrl::SetFocus();
}

void ZelTimeslotCtrl::Invalidate(const CRect* p_rect, BOOL /*b_erase*/)
{
    // Painting covers everything it is asked to paint, so nothing is
    // erased first whatever the caller asked.
    if (p_rect == nullptr)
        Refresh(false);
    else if (!p_rect->IsRectEmpty())
        RefreshRect(wxRect(p_rect->left, p_rect->top, p_rect->Width(), p_rect->Height()), false);
}

long ZelTimeslotCtrl::Notify(int i_code, void* p_record) { return ZelSendNotify(this, i_code, p_record); }

BOOL ZelTimeslotCtrl::GetScrollInfo(int i_bar, ZelScrollInfo& info)
{
    if (i_bar != SB_HORZ && i_bar != SB_VERT)
        return FALSE;
    info = aScroll[i_bar];
    return aScrollSet[i_bar];
}

void ZelTimeslotCtrl::SetScrollInfo(int i_bar, const ZelScrollInfo& info)
{
    if (i_bar != SB_HORZ && i_bar != SB_VERT)
        return;
    aScroll[i_bar] = info;
    aScrollSet[i_bar] = TRUE;
    // The bar's positions run from nMin to nMax inclusive; wx counts the
    // range from 0, and a thumb as large as the range hides the bar.
    const int i_range = info.nMax - info.nMin + 1;
    const int i_thumb = static_cast<int>(info.nPage);
    if (i_thumb > info.nMax - info.nMin)
        SetScrollbar(OrientOf(i_bar), 0, i_range, i_range);
    else
        SetScrollbar(OrientOf(i_bar), info.nPos - info.nMin, i_thumb, i_range);
}

void ZelTimeslotCtrl::ScrollArea(LONG, LONG, const CRect& rc_scroll)
{
    // GTK moves the whole window's contents, headers included, so the
    // scrolled part is painted again instead.
    Invalidate(&rc_scroll, FALSE);
}

void ZelTimeslotCtrl::SetRedraw(BOOL b_redraw) { ZelSetRedraw(this, b_redraw); }

int ZelTimeslotCtrl::GetParentFontPoints()
{
    return GetParent() ? GetParent()->GetFont().GetPointSize() : 0;
}

std::unique_ptr<IZelDrawPort> ZelTimeslotCtrl::CreateMeasurePort()
{
    return std::make_unique<MeasurePort>(this, static_cast<IZelMetricsPort&>(*this));
}

void ZelTimeslotCtrl::SetPointerCursor(ZelCursorKind e_cursor)
{
    if (e_cursor == eCursor)
        return;
    eCursor = e_cursor;
    const wxStockCursor e_stock = e_cursor == ZelCursorKind::SizeNS      ? wxCURSOR_SIZENS
                                  : e_cursor == ZelCursorKind::Magnifier ? wxCURSOR_MAGNIFIER
                                                                          : wxCURSOR_ARROW;
    wxWindow::SetCursor(wxCursor(e_stock));
}

CPoint ZelTimeslotCtrl::GetCursorClientPoint()
{
    const wxPoint pt = ScreenToClient(wxGetMousePosition());
    return CPoint(pt.x, pt.y);
}

void ZelTimeslotCtrl::ShowTip(const std::string& s_text, const CPoint& pt_client)
{
    if (!pTip)
        pTip = new ZelTimeslotTip(this);
    pTip->SetText(s_text);
    pTip->Move(ClientToScreen(wxPoint(pt_client.x, pt_client.y)));
    if (!pTip->IsShown())
        pTip->Show();
}

void ZelTimeslotCtrl::HideTip()
{
    if (pTip && pTip->IsShown())
        pTip->Hide();
}

// ------------------------------------------------------ menu and dialogs

void ZelTimeslotCtrl::OnContextMenu(wxContextMenuEvent& event) { pGrid->OnContextMenu(ZelContextMenuPoint(*this, event)); }

void ZelTimeslotCtrl::OnMenu(wxCommandEvent& event)
{
    if (!ZelRouteMenuCommand(LastMenu, event.GetId(), [this](UINT u_id) { return BOOL(pGrid->OnCommand(u_id)); }))
        event.Skip();
}

void ZelTimeslotCtrl::TrackPopupMenu(const ZelMenu& menu, const CPoint& pt_client)
{
    LastMenu = menu;
    ZelPopupMenu(*this, menu, pt_client);
}

BOOL ZelTimeslotCtrl::AskSlotLength(UINT& u_minutes)
{
    ZelTimeslotCtrlChangeLengthDlg dlg(this, u_minutes);
    if (dlg.ShowModal() != wxID_OK)
        return FALSE;
    u_minutes = dlg.GetMinutes();
    return TRUE;
}

BOOL ZelTimeslotCtrl::AskResolution(UINT& u_minutes, int& b_auto)
{
    ZelTimeslotResDlg dlg(this, u_minutes, b_auto);
    if (dlg.ShowModal() != wxID_OK)
        return FALSE;
    u_minutes = dlg.GetMinutes();
    b_auto = dlg.GetAuto();
    return TRUE;
}

BOOL ZelTimeslotCtrl::AskCombinationName(const ZelTimeslotCombinationList& combinations, std::string& s_name)
{
    // Opened with no parent, as it always has been.
    ZelTimeslotCombineDlg dlg(nullptr);
    dlg.GetCombinations() = combinations;
    if (dlg.ShowModal() != wxID_OK)
        return FALSE;
    s_name = dlg.GetChosenName();
    return TRUE;
}

// ------------------------------------------------ clipboard and dragging

BOOL ZelTimeslotCtrl::GetClipboardText(std::string& s_text)
{
    wxClipboardLocker lock;
    if (!lock || !wxTheClipboard->IsSupported(wxDF_UNICODETEXT))
        return FALSE;
    wxTextDataObject data;
    if (!wxTheClipboard->GetData(data))
        return FALSE;
    // Text another program put there comes as Unicode; what code page
    // 1252 cannot hold is no slot text.
    const std::optional<std::string> s_cp1252 = FromWx(data.GetText());
    if (!s_cp1252)
        return FALSE;
    s_text = *s_cp1252;
    return TRUE;
}

BOOL ZelTimeslotCtrl::SetClipboardText(const std::string& s_text)
{
    wxClipboardLocker lock;
    if (!lock)
        return FALSE;
    return wxTheClipboard->SetData(new wxTextDataObject(ToWx(s_text))) ? TRUE : FALSE;
}

DWORD ZelTimeslotCtrl::DoDragDrop(const std::string& s_text)
{
    if (TestDragLoop()) {
        sDragText = s_text;
        pActiveDragText = &sDragText;
        const DWORD dw_result = TestDragLoop()(*this, s_text);
        pActiveDragText = nullptr;
        return dw_result;
    }
    return RunDrag(s_text);
}

DWORD ZelTimeslotCtrl::RunDrag(const std::string& s_text)
{
    if (pDragWait || !wxGetMouseState().LeftIsDown())
        return DROPEFFECT_NONE;
    sDragText = s_text;
    dwDragResult = DROPEFFECT_NONE;
    ptDragPress = GetCursorClientPoint();
    wxGUIEventLoop loop;
    pDragWait = &loop;
    loop.Run();
    pDragWait = nullptr;
    return dwDragResult;
}

ZelTimeslotCtrlTarget::ZelTimeslotCtrlTarget(ZelTimeslotCtrl& ctrl) : wxDropTarget(new wxTextDataObject), Ctrl(ctrl) {}

wxDragResult ZelTimeslotCtrlTarget::ForeignEffect()
{
    if (Ctrl.pGrid->IsReadOnly() || GetMatchingPair() == wxDF_INVALID)
        return wxDragNone;
    return wxDragCopy;
}

wxDragResult ZelTimeslotCtrlTarget::OnEnter(wxCoord x, wxCoord y, wxDragResult)
{
    // Back before the leave took effect: the drag goes on where it was.
    if (bLeavePending) {
        bLeavePending = false;
        Ctrl.DragScrollTimer.Start(iDragScrollPeriod);
        return OnDragOver(x, y, wxDragNone);
    }
    Ctrl.ptDragOver = CPoint(x, y);
    Ctrl.DragScrollTimer.Start(iDragScrollPeriod);
    bKnown = ZelTimeslotCtrl::pActiveDragText != nullptr;
    bEntered = true;
    if (!bKnown)
        return ForeignEffect();
    return ResultOf(Ctrl.pGrid->DragEnter(*ZelTimeslotCtrl::pActiveDragText, CPoint(x, y), CtrlHeld()));
}

wxDragResult ZelTimeslotCtrlTarget::OnDragOver(wxCoord x, wxCoord y, wxDragResult)
{
    Ctrl.ptDragOver = CPoint(x, y);
    if (!bKnown)
        return ForeignEffect();
    return ResultOf(Ctrl.pGrid->DragOver(TRUE, CPoint(x, y), CtrlHeld()));
}

void ZelTimeslotCtrlTarget::OnLeave()
{
    Ctrl.DragScrollTimer.Stop();
    // The window system also says "leave" just before a drop: the drag is
    // let go only when no drop follows.
    if (!bEntered)
        return;
    bLeavePending = true;
    Ctrl.CallAfter([this] {
        if (!bLeavePending)
            return;
        bLeavePending = false;
        if (bKnown)
            Ctrl.pGrid->DragLeave();
        bEntered = false;
    });
}

bool ZelTimeslotCtrlTarget::OnDrop(wxCoord, wxCoord)
{
    bLeavePending = false;
    return bEntered;
}

wxDragResult ZelTimeslotCtrlTarget::OnData(wxCoord x, wxCoord y, wxDragResult)
{
    Ctrl.DragScrollTimer.Stop();
    bEntered = false;
    ZelTimeslotGrid& grid = *Ctrl.pGrid;
    const CPoint pt(x, y);
    if (!bKnown) {
        // Text from elsewhere is read now and dropped where it lands.
        if (!GetData())
            return wxDragNone;
        const std::optional<std::string> s_text =
            FromWx(static_cast<wxTextDataObject*>(GetDataObject())->GetText());
        if (!s_text || grid.DragEnter(*s_text, pt, CtrlHeld()) == DROPEFFECT_NONE) {
            grid.DragLeave();
            return wxDragNone;
        }
    }
    const DWORD dw_effect = CtrlHeld() ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    const DWORD dw_taken = grid.IsDragSource() && dw_effect == DROPEFFECT_MOVE ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
    return grid.Drop(pt, dw_effect) ? ResultOf(dw_taken) : wxDragNone;
}

// -------------------------------------------------------- metrics, timers

int ZelTimeslotCtrl::GetSystemMetrics(int i_index) { return ZelWxSystemMetrics(i_index, this); }

COLORREF ZelTimeslotCtrl::GetSysColor(int i_index) { return ZelWxSysColor(i_index); }

void ZelTimeslotCtrl::StartTimer(UINT u_id, UINT u_period)
{
    wxTimer& timer = u_id == ZelTimeslotGrid::uTipTimer ? TipTimer : ScrollTimer;
    timer.Start(static_cast<int>(u_period), wxTIMER_CONTINUOUS);
}

void ZelTimeslotCtrl::KillTimer(UINT u_id)
{
    wxTimer& timer = u_id == ZelTimeslotGrid::uTipTimer ? TipTimer : ScrollTimer;
    timer.Stop();
}

DWORD ZelTimeslotCtrl::GetTickCount()
{
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    return static_cast<DWORD>(ms.count());
}

void ZelTimeslotCtrl::Beep() { wxBell(); }
