#include "zelkit/controls/ui/ZelMonthCalCtrl.h"

#include "framework/ui/WxIds.h"
#include "framework/ui/WxText.h"
#include "zelkit/controls/ui/ZelControlWindow.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"
#include "zelkit/windows/ui/ZelWindowServicesWx.h"
#include "zelkit/controls/ui/ZelWxDrawPort.h"
#include "zelkit/controls/ui/ZelWxKeys.h"
#include "zelkit/controls/ui/ZelWxMenu.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <wx/bmpbuttn.h>
#include <wx/caret.h>
#include <wx/dcbuffer.h>
#include <wx/dcmemory.h>
#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

namespace {

// Bitmaps 26007 and 26008: the previous and next month arrows, their
// background showing through.
const char* const a_prevMonthXpm[] = {
    "9 9 2 1", "  c None", "# c #000000",
    "         ",
    "     #   ",
    "    ##   ",
    "   ###   ",
    "  ####   ",
    "   ###   ",
    "    ##   ",
    "     #   ",
    "         ",
};
const char* const a_nextMonthXpm[] = {
    "9 9 2 1", "  c None", "# c #000000",
    "         ",
    "   #     ",
    "   ##    ",
    "   ###   ",
    "   ####  ",
    "   ###   ",
    "   ##    ",
    "   #     ",
    "         ",
};

wxBitmap ArrowBitmap(int i_id)
{
    return wxBitmap(i_id == ZelMonthCal::idLeft ? a_prevMonthXpm : a_nextMonthXpm);
}

// Measuring outside painting: the window's font on a small memory surface.
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

} // namespace

// ------------------------------------------------------------- year editor

ZelMonthCalEditCtrl::ZelMonthCalEditCtrl(wxWindow* p_parent, wxWindowID i_id, const wxRect& rc, int i_year,
                                         Closed f_closed)
    : wxSpinCtrl(p_parent, i_id, wxString::Format("%d", i_year), rc.GetPosition(), rc.GetSize(),
                 wxSP_ARROW_KEYS | wxTE_PROCESS_ENTER | wxBORDER_SIMPLE, ZelMonthCal::iMinYear, ZelMonthCal::iMaxYear,
                 i_year),
      fClosed(std::move(f_closed))
{
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
    SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT));
    Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) {
        TakeText();
        CallAfter([this] { Close(FALSE); });
    });
    Bind(wxEVT_CHAR_HOOK, &ZelMonthCalEditCtrl::OnCharHook, this);
    Bind(wxEVT_KILL_FOCUS, &ZelMonthCalEditCtrl::OnKillFocus, this);
}

void ZelMonthCalEditCtrl::OnCharHook(wxKeyEvent& event)
{
    // Esc ends the editing, not the dialog around it; Enter ends it
    // before the spin control reads (and corrects) the text.
    const int i_key = event.GetKeyCode();
    if (i_key == WXK_ESCAPE || i_key == WXK_RETURN || i_key == WXK_NUMPAD_ENTER) {
        TakeText();
        const BOOL b_cancelled = i_key == WXK_ESCAPE;
        CallAfter([this, b_cancelled] { Close(b_cancelled); });
        return;
    }
    event.Skip();
}

void ZelMonthCalEditCtrl::TakeText()
{
    if (bTextTaken)
        return;
    bTextTaken = true;
    bHadFocus = HasFocus();
    sText = FromWx(GetTextValue()).value_or(std::string());
}

void ZelMonthCalEditCtrl::OnKillFocus(wxFocusEvent& event)
{
    TakeText();
    // The focus went elsewhere: it stays there.
    bHadFocus = false;
    CallAfter([this] { Close(FALSE); });
    event.Skip();
}

void ZelMonthCalEditCtrl::Close(BOOL b_cancelled)
{
    if (bClosed)
        return;
    bClosed = true;
    bCancelled = b_cancelled;
    // The text as typed: a year the spin control would correct is read
    // as it stood.
    TakeText();
    Hide();
    if (fClosed)
        fClosed(sText, bCancelled);
    // Destroyed once the events in hand (this one among them) are done.
    wxWindow* p_parent = GetParent();
    p_parent->CallAfter([this] { Destroy(); });
}

// ----------------------------------------------------------------- control

ZelMonthCalCtrl::ZelMonthCalCtrl(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos, const wxSize& size)
    : ZelCustomCtrl(p_parent, i_id, pos, size, wxBORDER_SUNKEN | wxWANTS_CHARS, ZLC_MONTH_CAL),
      pCal(std::make_unique<ZelMonthCal>())
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetLabel("Month calendar");
    if (p_parent)
        SetFont(p_parent->GetFont());
    pCal->SetHost(this, this, this, this);
    for (int i_id = ZelMonthCal::idLeft; i_id <= ZelMonthCal::idRight; ++i_id) {
        aTimers[i_id - 1].SetOwner(this, i_id);
        const wxBitmap bitmap = ArrowBitmap(i_id);
        wxButton* p_button = nullptr;
        if (bitmap.IsOk())
            p_button = new wxBitmapButton(this, i_id, bitmap, wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
        else
            p_button = new ZelSmallButton(this, i_id, i_id == ZelMonthCal::idLeft ? "<" : ">", wxDefaultPosition,
                                          wxDefaultSize, wxBU_EXACTFIT);
        // The arrows act on the press and never take the focus.
        p_button->SetCanFocus(false);
        for (const wxEventTypeTag<wxMouseEvent>& type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_DCLICK, wxEVT_LEFT_UP})
            p_button->Bind(type, &ZelMonthCalCtrl::OnArrowMouse, this);
        aArrows[i_id - 1] = p_button;
    }

    Bind(wxEVT_PAINT, &ZelMonthCalCtrl::OnPaint, this);
    Bind(wxEVT_SIZE, &ZelMonthCalCtrl::OnSize, this);
    Bind(wxEVT_LEFT_DOWN, &ZelMonthCalCtrl::OnMouse, this);
    Bind(wxEVT_LEFT_DCLICK, &ZelMonthCalCtrl::OnMouse, this);
    Bind(wxEVT_LEFT_UP, &ZelMonthCalCtrl::OnMouse, this);
    Bind(wxEVT_KEY_DOWN, &ZelMonthCalCtrl::OnKeyDown, this);
    Bind(wxEVT_SET_FOCUS, &ZelMonthCalCtrl::OnFocus, this);
    Bind(wxEVT_KILL_FOCUS, &ZelMonthCalCtrl::OnFocus, this);
    Bind(wxEVT_TIMER, &ZelMonthCalCtrl::OnTimer, this);
    Bind(wxEVT_CONTEXT_MENU, &ZelMonthCalCtrl::OnContextMenu, this);
    Bind(wxEVT_MENU, &ZelMonthCalCtrl::OnMenu, this);

    if (size != wxDefaultSize)
        LayOut();
}

ZelMonthCalCtrl::~ZelMonthCalCtrl()
{
    for (wxTimer& timer : aTimers)
        timer.Stop();
    pCal->SetHost(nullptr);
}

BOOL ZelMonthCalCtrl::RegisterWndClass()
{
    return ZelCustomCtrl::RegisterWndClass(ZLC_MONTH_CAL, [](wxWindow* p, wxWindowID i) -> ZelCustomCtrl* {
        return new ZelMonthCalCtrl(p, i);
    });
}

BOOL ZelMonthCalCtrl::UnregisterWndClass() { return ZelCustomCtrl::UnregisterWndClass(ZLC_MONTH_CAL); }

wxButton* ZelMonthCalCtrl::GetArrowButton(int i_id) const
{
    return i_id == ZelMonthCal::idLeft || i_id == ZelMonthCal::idRight ? aArrows[i_id - 1] : nullptr;
}

wxSize ZelMonthCalCtrl::DoGetBestClientSize() const
{
    // Four characters a column, and the height the layout takes.
    wxClientDC dc(const_cast<ZelMonthCalCtrl*>(this));
    dc.SetFont(GetFont());
    const int h = dc.GetCharHeight();
    const int w = dc.GetCharWidth();
    return wxSize(ZelMonthCal::nDaysPerWeek * 4 * w + 2 * ZelMonthCal::iMargin, 10 * h + 23);
}

void ZelMonthCalCtrl::LayOut()
{
    const CRect rc_client = GetClientArea();
    if (pCal->IsLaidOut() || rc_client.IsRectEmpty())
        return;
    MeasurePort port(this, *this);
    const int i_height = pCal->ComputeAreas(port, rc_client);
    const CRect& rc_title = pCal->GetTitleRect();
    for (int i_id = ZelMonthCal::idLeft; i_id <= ZelMonthCal::idRight; ++i_id) {
        // A small icon's size, or what the desktop's buttons need at the
        // least, in the middle of the title bar.
        const CRect rc = pCal->GetArrowRect(i_id);
        const wxSize best = aArrows[i_id - 1]->GetBestSize();
        const int i_width = std::max<int>(rc.Width(), best.x);
        const int i_height = std::min<int>(std::max<int>(rc.Height(), best.y), rc_title.Height());
        const int x = i_id == ZelMonthCal::idLeft ? rc.left : rc.right - i_width;
        aArrows[i_id - 1]->SetSize(x, rc_title.top + (rc_title.Height() - i_height) / 2, i_width, i_height);
    }
    if (pCal->GetAutoSize())
        SetClientSize(rc_client.Width(), i_height);
    Refresh(false);
}

// ------------------------------------------------------------------ events

void ZelMonthCalCtrl::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    LayOut();
    dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW)));
    dc.Clear();
    ZelWxDrawPort port(dc, this, *this);
    pCal->Paint(port);
}

void ZelMonthCalCtrl::OnSize(wxSizeEvent& event)
{
    LayOut();
    event.Skip();
}

void ZelMonthCalCtrl::OnMouse(wxMouseEvent& event)
{
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_LEFT_UP) {
        pCal->OnReleaseElsewhere();
        event.Skip();
        return;
    }
    if (AcceptsFocus() && !HasFocus())
        SetFocus();
    UINT u_flags = MK_LBUTTON;
    if (event.ShiftDown())
        u_flags |= MK_SHIFT;
    if (event.ControlDown())
        u_flags |= MK_CONTROL;
    pCal->OnLButtonDown(u_flags, CPoint(event.GetX(), event.GetY()));
}

void ZelMonthCalCtrl::OnArrowMouse(wxMouseEvent& event)
{
    auto* p_button = dynamic_cast<wxWindow*>(event.GetEventObject());
    const int i_id = p_button ? p_button->GetId() : 0;
    if (event.GetEventType() == wxEVT_LEFT_UP) {
        if (p_button && wxRect(p_button->GetClientSize()).Contains(event.GetPosition()))
            pCal->OnArrowRelease(i_id);
        else
            pCal->OnReleaseElsewhere();
    } else {
        pCal->StopEdit();
        pCal->OnArrowPress(i_id);
    }
    // The button shows itself pressed and released.
    event.Skip();
}

void ZelMonthCalCtrl::OnKeyDown(wxKeyEvent& event)
{
    const UINT u_key = ZelVirtualKey(event);
    const UINT u_mods = ZelKeyModifiers(event);
    if (u_key != 0 && pCal->PreTranslateKey(u_key, u_mods))
        return;
    if (u_key == VK_SPACE || u_key == VK_PRIOR || u_key == VK_NEXT) {
        pCal->OnKeyDown(u_key, u_mods);
        return;
    }
    if (event.GetKeyCode() == WXK_TAB && !(u_mods & (KM_CONTROL | KM_ALT))) {
        Navigate((u_mods & KM_SHIFT) ? wxNavigationKeyEvent::IsBackward : wxNavigationKeyEvent::IsForward);
        return;
    }
    event.Skip();
}

void ZelMonthCalCtrl::OnFocus(wxFocusEvent& event)
{
    if (event.GetEventType() == wxEVT_SET_FOCUS) {
        // A solid caret half a column wide, as high as a window border.
        auto* p_caret = new wxCaret(this, std::max(pCal->GetCaretWidth(), 1),
                                    GetSystemMetrics(ZelSys::SM_CYBORDER));
        SetCaret(p_caret);
        p_caret->Move(ptCaret.x, ptCaret.y);
        p_caret->Show();
        Refresh(false);
    } else {
        SetCaret(nullptr);
    }
    event.Skip();
}

void ZelMonthCalCtrl::OnTimer(wxTimerEvent& event) { pCal->OnTimer(static_cast<UINT>(event.GetId())); }

void ZelMonthCalCtrl::OnContextMenu(wxContextMenuEvent& event) { pCal->OnContextMenu(ZelContextMenuPoint(*this, event)); }

void ZelMonthCalCtrl::OnMenu(wxCommandEvent& event)
{
    if (!ZelRouteMenuCommand(LastMenu, event.GetId(), [this](UINT u_id) { return BOOL(pCal->OnCommand(u_id)); }))
        event.Skip();
}

// ------------------------------------------------------------ the host port

CRect ZelMonthCalCtrl::GetClientArea() const
{
    const wxSize size = GetClientSize();
    return {0, 0, size.x, size.y};
}

void ZelMonthCalCtrl::Invalidate(const CRect* p_rect, BOOL)
{
    // Painting covers what it is asked to paint: nothing is erased first.
    if (p_rect == nullptr)
        Refresh(false);
    else if (!p_rect->IsRectEmpty())
        RefreshRect(wxRect(p_rect->left, p_rect->top, p_rect->Width(), p_rect->Height()), false);
}

long ZelMonthCalCtrl::Notify(int i_code, void* p_record) { return ZelSendNotify(this, i_code, p_record); }

void ZelMonthCalCtrl::SetCaretPos(const CPoint& pt)
{
    ptCaret = pt;
    if (wxCaret* p_caret = GetCaret())
        p_caret->Move(pt.x, pt.y);
}

void ZelMonthCalCtrl::TrackPopupMenu(const ZelMenu& menu, const CPoint& pt_client)
{
    LastMenu = menu;
    ZelPopupMenu(*this, menu, pt_client);
}

BOOL ZelMonthCalCtrl::OpenYearEditor(const CRect& rc, int i_year)
{
    if (pYearEdit)
        return FALSE;
    // Over the year text, wide and high enough for the desktop's spin
    // control, in the middle of the title bar.
    const CRect& rc_title = pCal->GetTitleRect();
    wxRect rc_edit(rc.left, rc.top, rc.Width(), rc.Height());
    auto* p_edit = new ZelMonthCalEditCtrl(this, ZelMonthCal::idYearEdit, rc_edit, i_year,
                                           [this](const std::string& s_text, BOOL b_cancelled) {
                                               const bool b_had_focus = pYearEdit && pYearEdit->HadFocus();
                                               pYearEdit = nullptr;
                                               pCal->OnYearEditorClosed(s_text, b_cancelled);
                                               if (b_had_focus)
                                                   SetFocus();
                                           });
    const wxSize best = p_edit->GetBestSize();
    rc_edit.width = std::max(rc_edit.width, best.x);
    rc_edit.height = std::max(rc_edit.height, std::min(best.y, rc_title.Height()));
    rc_edit.y = rc_title.top + (rc_title.Height() - rc_edit.height) / 2;
    rc_edit.x = std::min(rc_edit.x, std::max(0, GetClientSize().x - rc_edit.width));
    p_edit->SetSize(rc_edit);
    p_edit->SetFont(GetFont());
    pYearEdit = p_edit;
    p_edit->SetFocus();
    p_edit->SetSelection(-1, -1);
    return TRUE;
}

void ZelMonthCalCtrl::CloseYearEditor()
{
    if (pYearEdit)
        pYearEdit->Close(FALSE);
}

// ------------------------------------------------ metrics, timers, beeps

int ZelMonthCalCtrl::GetSystemMetrics(int i_index) { return ZelWxSystemMetrics(i_index, this); }

COLORREF ZelMonthCalCtrl::GetSysColor(int i_index)
{
    // The day names take the tip text's colour, which some desktops make
    // light for dark tips: on the window's own colour the names must
    // still show.
    if (i_index == ZelSys::COLOR_INFOTEXT) {
        const COLORREF c_info = ZelWxSysColor(ZelSys::COLOR_INFOTEXT);
        const COLORREF c_window = ZelWxSysColor(ZelSys::COLOR_WINDOW);
        const auto Lightness = [](COLORREF c) {
            return (ZelGetRValue(c) * 299 + ZelGetGValue(c) * 587 + ZelGetBValue(c) * 114) / 1000;
        };
        if (std::abs(Lightness(c_info) - Lightness(c_window)) < 96)
            return ZelWxSysColor(ZelSys::COLOR_WINDOWTEXT);
        return c_info;
    }
    return ZelWxSysColor(i_index);
}

void ZelMonthCalCtrl::StartTimer(UINT u_id, UINT u_period)
{
    if (u_id == static_cast<UINT>(ZelMonthCal::idLeft) || u_id == static_cast<UINT>(ZelMonthCal::idRight))
        aTimers[u_id - 1].Start(static_cast<int>(u_period), wxTIMER_CONTINUOUS);
}

void ZelMonthCalCtrl::KillTimer(UINT u_id)
{
    if (u_id == static_cast<UINT>(ZelMonthCal::idLeft) || u_id == static_cast<UINT>(ZelMonthCal::idRight))
        aTimers[u_id - 1].Stop();
}

DWORD ZelMonthCalCtrl::GetTickCount()
{
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    return static_cast<DWORD>(ms.count());
}

void ZelMonthCalCtrl::Beep() { wxBell(); }
