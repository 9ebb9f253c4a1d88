// The month calendar control ("ZLC_MONTH_CAL"): the window of a
// ZelMonthCal. Owners call it as they would the calendar (SetNumSelections,
// GetSelectedDates, GotoADate, ...); the calendar does the work, and the
// window paints it, turns the mouse, keys and timers into its calls, and
// owns what only a window can have: the two arrow buttons (pressed and held
// through their mouse events, one timer each), the caret under the focus
// date, the pop-up menus and the year editor.
//
// The layout is made once, when the window first has a size; with the
// auto-size flag (the default) the window's height is then fitted to it.
//
// It tells its parent through ZelNotifyEvent: ZMCN_SELCHANGED with a
// ZelMonthCalSelNotify, ZMCN_FOCUSCHANGED with a ZelMonthCalFocusNotify.
#pragma once

#include "zelkit/controls/ZelMonthCal.h"
#include "zelkit/controls/ui/ZelCustomCtrl.h"

#include <functional>
#include <memory>
#include <string>
#include <wx/spinctrl.h>
#include <wx/timer.h>

class wxButton;

// The year editor: a spin control over the year text, 1800 to 9999. Enter
// or leaving it closes it, Esc closes it cancelled; the control hears of
// it through the callback, with the text as it stood.
class ZelMonthCalEditCtrl : public wxSpinCtrl {
public:
    using Closed = std::function<void(const std::string& s_text, BOOL b_cancelled)>;

    ZelMonthCalEditCtrl(wxWindow* p_parent, wxWindowID i_id, const wxRect& rc, int i_year, Closed f_closed);

    // Closes the editor now (once): the callback runs, the window goes
    // when the events in hand are done.
    void Close(BOOL b_cancelled);
    BOOL IsCancelled() const { return bCancelled; }
    // Whether it had the keyboard focus when it closed.
    bool HadFocus() const { return bHadFocus; }

private:
    // Keeps the text as it stands now (once).
    void TakeText();
    void OnCharHook(wxKeyEvent& event);
    void OnKillFocus(wxFocusEvent& event);

    Closed fClosed;
    std::string sText;
    BOOL bCancelled = FALSE;
    bool bClosed = false;
    bool bHadFocus = false;
    bool bTextTaken = false;
};

class ZelMonthCalCtrl : public ZelCustomCtrl,
                        protected IZelMonthCalHost,
                        protected IZelMetricsPort,
                        protected IZelTimerPort,
                        protected IZelBeepPort {
public:
    ZelMonthCalCtrl(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos = wxDefaultPosition,
                    const wxSize& size = wxDefaultSize);
    ~ZelMonthCalCtrl() override;

    static BOOL RegisterWndClass();
    static BOOL UnregisterWndClass();

    ZelMonthCal& GetCal() { return *pCal; }
    const ZelMonthCal& GetCal() const { return *pCal; }

    // --- The owner's calls (see ZelMonthCal) -----------------------------
    // Takes effect when the window is laid out.
    void SetAutoSize(int b_auto) { pCal->SetAutoSize(b_auto); }
    void SetNumSelections(UINT n_max) { pCal->SetNumSelections(n_max); }
    const ZelArrayWithFind<ZelOleDateTime>& GetSelectedDates() const { return pCal->GetSelectedDates(); }
    const ZelOleDateTime& GetFocusDate() const { return pCal->GetFocusDate(); }
    void SetSelectedDates(const ZelArrayWithFind<ZelOleDateTime>& a_dates) { pCal->SetSelectedDates(a_dates); }
    BOOL IsSelected(const ZelOleDateTime& dt_date) const { return pCal->IsSelected(dt_date); }
    int FindSelected(const ZelOleDateTime& dt_date) const { return pCal->FindSelected(dt_date); }
    int SelectDate(const ZelOleDateTime& dt_date) { return pCal->SelectDate(dt_date); }
    int ToggleSelectDate(const ZelOleDateTime& dt_date) { return pCal->ToggleSelectDate(dt_date); }
    void SelectRange(const ZelOleDateTime& dt_date) { pCal->SelectRange(dt_date); }
    void UnselectAll() { pCal->UnselectAll(); }
    void GotoToday() { pCal->GotoToday(); }
    void GotoMonth(int i_month) { pCal->GotoMonth(i_month); }
    void GotoYear(int i_year) { pCal->GotoYear(i_year); }
    void GotoADate(const ZelOleDateTime& dt_date) { pCal->GotoADate(dt_date); }
    void GotoFirstDate() { pCal->GotoFirstDate(); }
    void GotoLastDate() { pCal->GotoLastDate(); }

    // The arrow buttons (ZelMonthCal::idLeft, idRight) and the year
    // editor while it is open.
    wxButton* GetArrowButton(int i_id) const;
    ZelMonthCalEditCtrl* GetYearEditor() const { return pYearEdit; }

protected:
    wxSize DoGetBestClientSize() const override;

    // IZelMonthCalHost
    CRect GetClientArea() const override;
    void Invalidate(const CRect* p_rect, BOOL b_erase) override;
    long Notify(int i_code, void* p_record) override;
    void SetCaretPos(const CPoint& pt) override;
    void TrackPopupMenu(const ZelMenu& menu, const CPoint& pt_client) override;
    BOOL OpenYearEditor(const CRect& rc, int i_year) override;
    void CloseYearEditor() override;

    // IZelMetricsPort, IZelTimerPort, IZelBeepPort
    int GetSystemMetrics(int i_index) override;
    COLORREF GetSysColor(int i_index) override;
    void StartTimer(UINT u_id, UINT u_period) override;
    void KillTimer(UINT u_id) override;
    DWORD GetTickCount() override;
    void Beep() override;

private:
    // The layout, the arrow buttons' places and the fitted height.
    void LayOut();
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnMouse(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnFocus(wxFocusEvent& event);
    void OnTimer(wxTimerEvent& event);
    void OnContextMenu(wxContextMenuEvent& event);
    void OnMenu(wxCommandEvent& event);
    void OnArrowMouse(wxMouseEvent& event);

    std::unique_ptr<ZelMonthCal> pCal;
    wxButton* aArrows[2] = {nullptr, nullptr};
    wxTimer aTimers[2];
    ZelMonthCalEditCtrl* pYearEdit = nullptr;
    ZelMenu LastMenu;
    CPoint ptCaret;
};
