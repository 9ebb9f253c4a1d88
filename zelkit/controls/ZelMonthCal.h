// The month calendar without a window: one month as six weeks of seven
// days, weeks starting on Monday, with several dates selected up to a
// maximum the owner sets (click, Ctrl+click, Shift+click ranges, the
// keyboard), months changed by arrows that repeat faster the longer they
// are held, by a month menu, a year editor and Page Up and Page Down, and
// jumps to today and to the first or last date selected.
//
// The calendar lays itself out, hit-tests, keeps its selection and paints
// through the control ports; its window (ui/ZelMonthCalCtrl.h) paints it,
// forwards the mouse, keys, timers and menu commands, owns the arrow
// buttons, the caret and the year editor, and implements IZelMonthCalHost.
//
// It tells the window's parent ZMCN_SELCHANGED (a ZelMonthCalSelNotify) on
// every change of the selection and ZMCN_FOCUSCHANGED (a
// ZelMonthCalFocusNotify) on every move of the focus date.
#pragma once

#include "framework/Geometry.h"
#include "framework/Types.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/controls/ZelControlPorts.h"
#include "zelkit/datetime/ZelOleDateTime.h"

#include <array>
#include <string>

// The record of ZMCN_SELCHANGED: copies of the selected dates in the order
// of their selection; it lives only while the parent handles it.
struct ZelMonthCalSelNotify {
    ZelArrayWithFind<ZelOleDateTime> Dates;
};

// The record of ZMCN_FOCUSCHANGED.
struct ZelMonthCalFocusNotify {
    ZelOleDateTime dtFocus;
};

class IZelMonthCalHost {
public:
    virtual ~IZelMonthCalHost() = default;
    virtual CRect GetClientArea() const = 0;
    // Repaints a part (null: all), erasing it first or not.
    virtual void Invalidate(const CRect* p_rect, BOOL b_erase) = 0;
    // Sends the code and its record to the parent.
    virtual long Notify(int i_code, void* p_record) = 0;
    // Where the caret stands (client coordinates), from the painting.
    virtual void SetCaretPos(const CPoint& pt) = 0;
    // Shows the menu at the point; its command comes back to OnCommand.
    virtual void TrackPopupMenu(const ZelMenu& menu, const CPoint& pt_client) = 0;
    // Opens the year editor over the rectangle with the year; FALSE when
    // it could not be made. Closing it (CloseYearEditor, or the user)
    // calls OnYearEditorClosed.
    virtual BOOL OpenYearEditor(const CRect& rc, int i_year) = 0;
    virtual void CloseYearEditor() = 0;
};

class ZelMonthCal {
public:
    static constexpr int iMinYear = 1800;
    static constexpr int iMaxYear = 9999;
    static constexpr int iDayAbbrev = 3;
    static constexpr int iMargin = 4;
    static constexpr int iButtonMargin = 6;
    static constexpr int nDayRows = 6;
    static constexpr int nDaysPerWeek = 7;
    static constexpr UINT uTimer = 300;
    // The arrow buttons and the year editor's controls.
    enum : int { idLeft = 1, idRight = 2, idYearEdit = 3, idYearSpin = 4 };
    // Commands of the pop-up menus.
    enum : UINT {
        IDM_GOTO_TODAY = 55003,
        IDM_GOTO_FIRST = 55004,
        IDM_GOTO_LAST = 55005,
        IDM_CLEAR_ALL = 55006,
        IDM_FIRST_MONTH = 1025,
        IDM_LAST_MONTH = 1036,
    };
    static constexpr UINT uMenuId = 26042;

    // How fast a held arrow repeats: from the seconds held on, the period.
    struct MonthAccel {
        UINT nSeconds;
        UINT uPeriod;
    };
    static constexpr int nDefMonthAccel = 4;
    static const MonthAccel DefMonthAccel[nDefMonthAccel];

    // Today and the focus date are the present date and time, unless the
    // caller gives them.
    explicit ZelMonthCal(const ZelOleDateTime& dt_now = ZelOleDateTime(CHighTime::GetPresentTime()));
    virtual ~ZelMonthCal() = default;

    void SetHost(IZelMonthCalHost* p_host, IZelMetricsPort* p_metrics = nullptr, IZelTimerPort* p_timers = nullptr,
                 IZelBeepPort* p_beep = nullptr);

    void SetAutoSize(int b_auto) { bAutoSize = b_auto; }
    int GetAutoSize() const { return bAutoSize; }
    // 0 becomes 1.
    void SetNumSelections(UINT n_max) { nMaxSelections = n_max == 0 ? 1 : n_max; }
    UINT GetNumSelections() const { return nMaxSelections; }
    const ZelArrayWithFind<ZelOleDateTime>& GetSelectedDates() const { return Selected; }
    const ZelOleDateTime& GetFocusDate() const { return dtFocus; }
    const ZelOleDateTime& GetToday() const { return dtToday; }
    // The first day of the month shown.
    const ZelOleDateTime& GetDisplayedMonth() const { return dtMonth; }
    const ZelOleDateTime& GetAnchor() const { return dtAnchor; }
    int IsYearEditing() const { return bYearEditing; }

    // Replaces the selection (no maximum applied, nothing repainted), then
    // notifies.
    void SetSelectedDates(const ZelArrayWithFind<ZelOleDateTime>& a_dates);
    BOOL IsSelected(const ZelOleDateTime& dt_date) const;
    int FindSelected(const ZelOleDateTime& dt_date) const;
    // 1 when the date was added; does not notify.
    int SelectDate(const ZelOleDateTime& dt_date);
    // 1 when the date was added, 0 when it was removed or refused.
    int ToggleSelectDate(const ZelOleDateTime& dt_date);
    void SelectRange(const ZelOleDateTime& dt_date);
    void UnselectAll();

    void GotoToday();
    void GotoMonth(int i_month);
    void GotoYear(int i_year);
    void GotoADate(const ZelOleDateTime& dt_date);
    void GotoFirstDate();
    void GotoLastDate();

    // --- Layout -----------------------------------------------------------
    // Lays the calendar out in the client area with the control's font;
    // returns the client height that holds it all.
    int ComputeAreas(IZelDrawPort& dc, const CRect& rc_client);
    BOOL IsLaidOut() const { return bLaidOut; }
    // Where an arrow button goes.
    CRect GetArrowRect(int i_id) const;
    const CRect& GetTitleRect() const { return rcTitle; }
    const CRect& GetTodayRect() const { return rcToday; }
    const CRect& GetDaysRect() const { return rcDays; }
    // Placed by the painting.
    const CRect& GetMonthTextRect() const { return rcMonthText; }
    const CRect& GetYearTextRect() const { return rcYearText; }
    // The width of the caret: half a column.
    int GetCaretWidth() const { return aColumns[0].Width() / 2; }
    // The first of the 42 days shown.
    ZelOleDateTime GetFirstShown() const;
    // The cell of a date; empty when it is not shown.
    CRect FindDate(const ZelOleDateTime& dt_date) const;
    // The date of the cell under the point (and the cell); an invalid date
    // and an empty cell when no cell is there.
    ZelOleDateTime FindDate(const CPoint& pt, CRect* p_cell = nullptr) const;

    void Paint(IZelDrawPort& dc);

    // --- Events from the window -------------------------------------------
    void OnLButtonDown(UINT u_flags, const CPoint& pt);
    // The arrows, Shift+arrows: TRUE when the key was taken.
    BOOL PreTranslateKey(UINT u_key, UINT u_modifiers);
    // Space, Page Up, Page Down.
    void OnKeyDown(UINT u_key, UINT u_modifiers);
    // An arrow button pressed, released over itself, or the button
    // released anywhere else.
    void OnArrowPress(int i_id);
    void OnArrowRelease(int i_id);
    void OnReleaseElsewhere();
    void OnTimer(UINT u_id);
    BOOL OnCommand(UINT u_id);
    // A point below 0 (the keyboard's menu key) shows the menu at 0,0.
    void OnContextMenu(const CPoint& pt);
    void OnYearEditorClosed(const std::string& s_text, BOOL b_cancelled);
    void OnLeft();
    void OnRight();
    void StopEdit();
    void ChangeYear();

protected:
    void SelectionChanged();
    void FocusChanged();
    // Moves the focus; notifies when its date changed.
    void SetFocusDate(const ZelOleDateTime& dt_date);
    // The day of the focus date in a month, held within the month.
    ZelOleDateTime FocusIn(int i_year, int i_month) const;
    void GeneralPopup(const CPoint& pt);
    void MonthPopup(const CPoint& pt);
    void PaintTop(IZelDrawPort& dc);
    void PaintDayNames(IZelDrawPort& dc);
    void PaintDays(IZelDrawPort& dc);
    void PaintBottom(IZelDrawPort& dc);
    CRect Cell(int i_row, int i_column) const;
    COLORREF SysColor(int i_index) const;
    int Metric(int i_index) const;
    void Beep();
    void Invalidate(const CRect* p_rect, BOOL b_erase);
    void StartArrowTimer(int i_id, UINT u_period);
    void KillArrowTimer(int i_id);
    DWORD GetTickCount() const;

    int bAutoSize = 1;
    UINT nMaxSelections = 1;
    int iFirstDayOfWeek = 1;
    DWORD dwRepeatStart = 0;
    UINT uRepeatPeriod = uTimer;
    ZelOleDateTime dtToday;
    ZelOleDateTime dtMonth;
    CRect rcTitle;
    CRect rcTitleText;
    CRect rcDayNames;
    CRect rcDays;
    CRect rcToday;
    CRect rcMonthText;
    CRect rcYearText;
    std::array<CRect, nDaysPerWeek> aColumns;
    std::array<CRect, nDayRows> aRows;
    ZelArrayWithFind<ZelOleDateTime> Selected;
    ZelOleDateTime dtAnchor;
    ZelOleDateTime dtFocus;
    int bYearEditing = 0;
    BOOL bLaidOut = FALSE;
    // Which arrow timers run (idLeft, idRight).
    BOOL aTimerRunning[3] = {FALSE, FALSE, FALSE};

    IZelMonthCalHost* pHost = nullptr;
    IZelMetricsPort* pMetrics = nullptr;
    IZelTimerPort* pTimers = nullptr;
    IZelBeepPort* pBeep = nullptr;
};
