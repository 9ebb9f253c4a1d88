// The timeslot grid control ("ZLC_TIMESLOT"): the window of a
// ZelTimeslotGrid. Owners call it as they would the grid (SetNumDays,
// SetTimeslots, GetTimeslots, ...); the grid does the work, and the window
// paints the grid's picture, turns mouse, wheel, scroll-bar, focus and key
// events into the grid's calls, and gives the grid its ports: drawing,
// system sizes and colours, two timers, the beep, the cursor and the
// position tip.
//
// It tells its parent through ZelNotifyEvent (ui/ZelNotifyEvent.h):
// ZTSN_CHANGED after an edit, ZTSN_SELCHANGED after a change of selection,
// and the colour requests ZTSN_SLOTCOLOR and ZTSN_SLOTTEXTCOLOR, answered
// in a ZelTimeslotColorNotify.
#pragma once

#include "zelkit/controls/ZelTimeslotGrid.h"
#include "zelkit/controls/ui/ZelCustomCtrl.h"

#include <functional>
#include <memory>
#include <string>
#include <wx/dnd.h>
#include <wx/timer.h>

class ZelTimeslotTip;
class ZelTimeslotCtrlTarget;
class wxEventLoopBase;

class ZelTimeslotCtrl : public ZelCustomCtrl,
                        protected IZelTimeslotHost,
                        protected IZelMetricsPort,
                        protected IZelTimerPort,
                        protected IZelBeepPort {
public:
    using DayArray = ZelTimeslotGrid::DayArray;

    // The grid of a plain control starts from the spacing chosen last.
    ZelTimeslotCtrl(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos = wxDefaultPosition,
                    const wxSize& size = wxDefaultSize);
    ~ZelTimeslotCtrl() override;

    static BOOL RegisterWndClass();
    static BOOL UnregisterWndClass();

    ZelTimeslotGrid& GetGrid() { return *pGrid; }
    const ZelTimeslotGrid& GetGrid() const { return *pGrid; }

    // --- The owner's calls (see ZelTimeslotGrid) ------------------------
    void SetNumDays(UINT n_days) { pGrid->SetNumDays(n_days); }
    UINT GetNumDays() const { return pGrid->GetNumDays(); }
    void SetNumSets(int i_day, UINT n_sets) { pGrid->SetNumSets(i_day, n_sets); }
    void SetDayName(int i_day, const std::string& s_name) { pGrid->SetDayName(i_day, s_name); }
    void SetSetName(int i_day, int i_set, const std::string& s_name) { pGrid->SetSetName(i_day, i_set, s_name); }
    const std::string& GetDayName(int i_day) const { return pGrid->GetDayName(i_day); }
    const std::string& GetSetName(int i_day, int i_set) const { return pGrid->GetSetName(i_day, i_set); }
    int GetNumSets(int i_day) const { return pGrid->GetNumSets(i_day); }
    int GetMaxSets() const { return pGrid->GetMaxSets(); }
    int GetTotalSets() const { return pGrid->GetTotalSets(); }
    void SetConsec(int i_day, int b_consec) { pGrid->SetConsec(i_day, b_consec); }
    int IsConsec(UINT u_day) const { return pGrid->IsConsec(u_day); }
    void SetStartLimit(int i_day, const ZelRelTimeslotArray& a_before) { pGrid->SetStartLimit(i_day, a_before); }
    void SetEndLimit(int i_day, const ZelRelTimeslotArray& a_after) { pGrid->SetEndLimit(i_day, a_after); }
    int SetTimeslots(int i_day, const ZelRelTimeslotArray& a_slots, int b_recompute,
                     const ZelArrayWithFind<long>* p_set_keys)
    {
        return pGrid->SetTimeslots(i_day, a_slots, b_recompute, p_set_keys);
    }
    void GetTimeslots(int i_day, ZelRelTimeslotArray& a_out, const ZelArrayWithFind<long>& a_set_keys) const
    {
        pGrid->GetTimeslots(i_day, a_out, a_set_keys);
    }
    void UpdateItemData(int i_day, const ZelRelTimeslotArray& a_slots, const ZelArrayWithFind<long>& a_set_keys)
    {
        pGrid->UpdateItemData(i_day, a_slots, a_set_keys);
    }
    void SetCombinations(const ZelTimeslotCombinationList& combinations) { pGrid->SetCombinations(combinations); }
    const ZelTimeslotCombinationList& GetCombinations() const { return pGrid->GetCombinations(); }
    int SetReadOnly(int b_read_only) { return pGrid->SetReadOnly(b_read_only); }
    int IsReadOnly() const { return pGrid->IsReadOnly(); }
    void Set24Hour(int b_24_hour) { pGrid->Set24Hour(b_24_hour); }
    int Get24Hour() const { return pGrid->Get24Hour(); }
    void Save24Hour() { pGrid->Save24Hour(); }
    void SetSlotLength(UINT u_seconds) { pGrid->SetSlotLength(u_seconds); }
    void UsePrevSpacing(int b_use) { pGrid->UsePrevSpacing(b_use); }
    int SetPositionTips(int b_tips) { return pGrid->SetPositionTips(b_tips); }
    static int HasBeenDisplayed() { return ZelTimeslotGrid::HasBeenDisplayed(); }
    void Recompute() { pGrid->Recompute(); }
    void SetDisplayStart(int b_recompute, int i_hour, int i_minute)
    {
        pGrid->SetDisplayStart(b_recompute, i_hour, i_minute);
    }
    void SetDisplayEnd(int b_recompute, int i_hour, int i_minute) { pGrid->SetDisplayEnd(b_recompute, i_hour, i_minute); }
    void SetIdealSpacing(int b_any) { pGrid->SetIdealSpacing(b_any); }
    int AddSlot(int i_day, int i_set, UINT u_hour, UINT u_minute, UINT u_length, int b_test_only, int b_show)
    {
        return pGrid->AddSlot(i_day, i_set, u_hour, u_minute, u_length, b_test_only, b_show);
    }
    int FindDay(const ZelOleDateTime& dt_time) const { return pGrid->FindDay(dt_time); }
    int CountSelected() const { return pGrid->CountSelected(); }
    int CountSlots() const { return pGrid->CountSlots(); }
    int ShowTimeslotText(int b_show) { return pGrid->ShowTimeslotText(b_show); }
    int ShowTipsAlways(int b_always) { return pGrid->ShowTipsAlways(b_always); }
    int MakeSelectionVisible(int b_partial, int b_zoom) { return pGrid->MakeSelectionVisible(b_partial, b_zoom); }
    int MakeFocusVisible(int b_partial) { return pGrid->MakeFocusVisible(b_partial); }

    // wx's enabling; the grid redraws in its disabled look.
    bool Enable(bool b_enable = true) override;

    // The scroll bar (wxHORIZONTAL, wxVERTICAL) as the grid last set it.
    ZelScrollInfo GetScrollInfoOf(int i_orient) const;

    // The drop target that takes slot text dragged over the window.
    ZelTimeslotCtrlTarget& GetTarget() { return *pTarget; }
    // In place of the window system's drag (which a test cannot steer): a
    // function that plays the drag of a control's text and returns the
    // effect the drop took; null puts the real drag back.
    using DragLoop = std::function<DWORD(ZelTimeslotCtrl& source, const std::string& s_text)>;
    static void SetDragLoop(DragLoop f_loop);
    // The text of the drag a control of this program is running; null
    // when none runs.
    static const std::string* GetActiveDragText() { return pActiveDragText; }

protected:
    // A derived control brings a grid of its own.
    ZelTimeslotCtrl(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos, const wxSize& size,
                    std::unique_ptr<ZelTimeslotGrid> p_grid, const wxString& s_name);

    // Tab past the last slot, or Shift+Tab before the first: the focus
    // moves on to the dialog's next (previous) control.
    virtual void TabOut(bool b_backward);

    // IZelTimeslotHost
    BOOL HasWindow() const override;
    CRect GetClientArea() const override;
    BOOL IsWindowEnabled() const override;
    BOOL HasKeyboardFocus() const override;
    void TakeKeyboardFocus() override;
    void Invalidate(const CRect* p_rect, BOOL b_erase) override;
    long Notify(int i_code, void* p_record) override;
    BOOL GetScrollInfo(int i_bar, ZelScrollInfo& info) override;
    void SetScrollInfo(int i_bar, const ZelScrollInfo& info) override;
    void ScrollArea(LONG i_dx, LONG i_dy, const CRect& rc_scroll) override;
    void SetRedraw(BOOL b_redraw) override;
    int GetParentFontPoints() override;
    std::unique_ptr<IZelDrawPort> CreateMeasurePort() override;
    void SetPointerCursor(ZelCursorKind e_cursor) override;
    CPoint GetCursorClientPoint() override;
    void ShowTip(const std::string& s_text, const CPoint& pt_client) override;
    void HideTip() override;
    BOOL GetClipboardText(std::string& s_text) override;
    BOOL SetClipboardText(const std::string& s_text) override;
    DWORD DoDragDrop(const std::string& s_text) override;
    void TrackPopupMenu(const ZelMenu& menu, const CPoint& pt_client) override;
    BOOL AskSlotLength(UINT& u_minutes) override;
    BOOL AskResolution(UINT& u_minutes, int& b_auto) override;
    BOOL AskCombinationName(const ZelTimeslotCombinationList& combinations, std::string& s_name) override;

    // IZelMetricsPort
    int GetSystemMetrics(int i_index) override;
    COLORREF GetSysColor(int i_index) override;

    // IZelTimerPort, IZelBeepPort
    void StartTimer(UINT u_id, UINT u_period) override;
    void KillTimer(UINT u_id) override;
    DWORD GetTickCount() override;
    void Beep() override;

private:
    friend class ZelTimeslotCtrlTarget;

    // The drag itself: waits for the pointer to move away with the button
    // held, then runs the window system's drag.
    DWORD RunDrag(const std::string& s_text);
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnMouse(wxMouseEvent& event);
    void OnWheel(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnScroll(wxScrollWinEvent& event);
    void OnFocus(wxFocusEvent& event);
    // The focus slot made visible after the focus came, unless a press
    // came first.
    void ShowFocusAfterFocusIn();
    void OnCharHook(wxKeyEvent& event);
    void OnTimer(wxTimerEvent& event);
    void OnActivate(wxActivateEvent& event);
    void OnContextMenu(wxContextMenuEvent& event);
    // A command of the pop-up menu (or any menu command sent to the
    // window, by the command's id).
    void OnMenu(wxCommandEvent& event);

    std::unique_ptr<ZelTimeslotGrid> pGrid;
    ZelScrollInfo aScroll[2];
    BOOL aScrollSet[2] = {FALSE, FALSE};
    wxTimer TipTimer;
    wxTimer ScrollTimer;
    // Scrolls the view while a drag rests near an edge.
    wxTimer DragScrollTimer;
    CPoint ptDragOver;
    ZelTimeslotCtrlTarget* pTarget = nullptr; // the window owns it
    // The pop-up menu last shown, to find a command by its window id.
    ZelMenu LastMenu;
    // Waiting for a press to turn into a drag: the loop that waits, the
    // press point, the text, and what the drag gave.
    wxEventLoopBase* pDragWait = nullptr;
    CPoint ptDragPress;
    std::string sDragText;
    DWORD dwDragResult = DROPEFFECT_NONE;
    static const std::string* pActiveDragText;
    ZelTimeslotTip* pTip = nullptr;
    // A focus that came without a press waits to show its focus slot; a
    // press being handled takes the focus for the slot it picks.
    bool bFocusShowPending = false;
    bool bPressing = false;
    ZelCursorKind eCursor = ZelCursorKind::Arrow;
    wxWindow* pTopLevel = nullptr;
};

// The drop target of a timeslot control: takes slot text dragged over the
// window and hands the grid the pointer, the Ctrl key and the text. The
// text of a drag one of this program's controls began is known from the
// start, so the grid shows the slots where they would land; text dragged
// from another program can be read only when it is dropped, and is then
// placed at the drop point.
class ZelTimeslotCtrlTarget : public wxDropTarget {
public:
    explicit ZelTimeslotCtrlTarget(ZelTimeslotCtrl& ctrl);

    wxDragResult OnEnter(wxCoord x, wxCoord y, wxDragResult e_def) override;
    wxDragResult OnDragOver(wxCoord x, wxCoord y, wxDragResult e_def) override;
    void OnLeave() override;
    bool OnDrop(wxCoord x, wxCoord y) override;
    wxDragResult OnData(wxCoord x, wxCoord y, wxDragResult e_def) override;
    // Forgets a drag that entered.
    void Reset() { bEntered = false; }

private:
    // The effect a drag of unknown text may take.
    wxDragResult ForeignEffect();

    ZelTimeslotCtrl& Ctrl;
    bool bEntered = false;
    bool bKnown = false;        // the text came with the drag
    bool bLeavePending = false; // a leave that a drop may yet follow
};
