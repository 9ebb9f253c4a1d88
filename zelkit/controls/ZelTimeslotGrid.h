// The timeslot grid: days side by side, each cut into one or more sets
// (sub-columns), each set holding its timeslots on a vertical time-of-day
// axis. This class is the grid without a window: its days, sets and slots,
// the day windows and limits, names, combinations, flags, the undo store,
// and what the owner calls to fill it and read it back. The window
// (ui/ZelTimeslotCtrl.h) holds one, paints it and forwards its events.
//
// Every slot lives as an absolute ZelTimeslot on a private time line:
// day i has its midnight at 1 January 2000 + 3 i days, and a window from
// 12 hours before that midnight to 36 hours after it, so that a day's slots
// may start before its midnight and end on the next morning, and no time
// belongs to two days. The owner only sees times relative to a day's
// midnight (ZelRelTimeslot).
#pragma once

#include "framework/Geometry.h"
#include "framework/Types.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/controls/ZelControlPorts.h"
#include "zelkit/datetime/ZelOleDateTime.h"
#include "zelkit/base/ZelStringArray.h"
#include "zelkit/values/ZelTimeslot.h"
#include "zelkit/values/ZelTimeslotCombination.h"

#include <list>
#include <memory>
#include <string>

// The choices the user made last in any grid, carried from one grid to the
// next for the life of the process (the user-interface thread's only).
struct ZelTimeslotSettings {
    ZelOleDateTimeSpan dtsPrevSpacing{0, 0, 15, 0};    // spacing last chosen by a zoom
    ZelOleDateTimeSpan dtsUserResolution{0, 0, 5, 0};  // mouse resolution of every grid
    int bUserAutoResolution = 1;                       // finer resolution on a finer scale
    UINT uPrevSlotLength = 1800;                       // new-slot length last chosen, seconds
    int bPrev24Hour = 0;                               // 24-hour times last saved
    int bDisplayed = 0;                                // some grid has painted

    bool operator==(const ZelTimeslotSettings&) const = default;
};

// What the grid needs of its window. Without a window (the default) the
// grid lays nothing out and tells nobody.
class IZelTimeslotHost {
public:
    virtual ~IZelTimeslotHost() = default;

    virtual BOOL HasWindow() const = 0;
    virtual CRect GetClientArea() const = 0;
    virtual BOOL IsWindowEnabled() const = 0;
    virtual BOOL HasKeyboardFocus() const = 0;
    virtual void TakeKeyboardFocus() = 0;
    // The whole window for a null rectangle.
    virtual void Invalidate(const CRect* p_rect, BOOL b_erase) = 0;
    // Sends a notification code with its record to the parent window and
    // returns its answer (0: not answered).
    virtual long Notify(int i_code, void* p_record) = 0;

    // A scroll bar (SB_HORZ, SB_VERT) as last set; FALSE when there is
    // none to read.
    virtual BOOL GetScrollInfo(int i_bar, ZelScrollInfo& info) = 0;
    virtual void SetScrollInfo(int i_bar, const ZelScrollInfo& info) = 0;
    // Moves what the rectangle shows by (dx, dy) and has the uncovered
    // part painted.
    virtual void ScrollArea(LONG i_dx, LONG i_dy, const CRect& rc_scroll) = 0;
    // Nested: drawing stops at the first FALSE and resumes, repainting,
    // with the matching TRUE.
    virtual void SetRedraw(BOOL b_redraw) = 0;

    // The parent's font size in points; 0 when it has none.
    virtual int GetParentFontPoints() = 0;
    // A drawing port to measure with outside painting.
    virtual std::unique_ptr<IZelDrawPort> CreateMeasurePort() = 0;

    virtual void SetPointerCursor(ZelCursorKind e_cursor) = 0;
    // The mouse pointer in client coordinates; (0, 0) when unknown.
    virtual CPoint GetCursorClientPoint() = 0;
    // Shows the position tip with its text with the tip's corner at a
    // client point (moving it when it shows), and hides it.
    virtual void ShowTip(const std::string& s_text, const CPoint& pt_client) = 0;
    virtual void HideTip() = 0;

    // The clipboard's text (code page 1252); FALSE when it holds none that
    // this text can hold.
    virtual BOOL GetClipboardText(std::string& s_text) = 0;
    // Puts the text on the clipboard; FALSE when it could not.
    virtual BOOL SetClipboardText(const std::string& s_text) = 0;
    // Drags the text out of the window, copy or move, and returns once it
    // was dropped or given up: the effect the drop took. A press that ends
    // without the pointer moving away drags nothing (DROPEFFECT_NONE).
    virtual DWORD DoDragDrop(const std::string& s_text) = 0;

    // Shows the pop-up menu with its top left corner at a client point;
    // a chosen command comes back through the grid's OnCommand.
    virtual void TrackPopupMenu(const ZelMenu& menu, const CPoint& pt_client) = 0;
    // The small dialogs; each FALSE when cancelled. The length of new
    // slots (1 to 1440 minutes); the mouse resolution (1 to 10 minutes)
    // and whether a finer scale gives a finer one; the name of a
    // combination, new or one of those offered.
    virtual BOOL AskSlotLength(UINT& u_minutes) = 0;
    virtual BOOL AskResolution(UINT& u_minutes, int& b_auto) = 0;
    virtual BOOL AskCombinationName(const ZelTimeslotCombinationList& combinations, std::string& s_name) = 0;
};

// The colour request of ZTSN_SLOTCOLOR and ZTSN_SLOTTEXTCOLOR: the parent
// puts a colour in crColor and answers to have it used.
struct ZelTimeslotColorNotify {
    UINT uSize = 28;
    DWORD dwItemData = 0;
    COLORREF crColor = 0;
    const ZelTimeslot* pTimeslot = nullptr;
};

class ZelTimeslotGrid {
public:
    // --- Types ----------------------------------------------------------

    // One day's window, limits and set names.
    struct DayDef {
        ZelOleDateTime dtDayStart;   // the day's midnight - 12 h
        ZelOleDateTime dtDayEnd;     // the day's midnight + 36 h
        int bConsec = 0;             // follows the previous day without a break
        ZelOleDateTime dtStartLimit; // earliest slot start; null when none
        ZelOleDateTime dtEndLimit;   // latest slot end; null when none
        ZelStringArray SetNames;
    };

    // One day's slot lists, one per set.
    class DaySet {
    public:
        // The set count.
        int GetSize() const { return nSets; }
        // n empty lists.
        void SetSize(int n_sets);
        ZelTimeslotList& operator[](int i_set);
        const ZelTimeslotList& operator[](int i_set) const;
        // The latest end and the earliest start over the lists; null when
        // every list is empty.
        ZelOleDateTime GetLatestEnd() const;
        ZelOleDateTime GetEarliestStart() const;
        int CountSlots() const;

    private:
        int nSets = 0;
        ZelArray<ZelTimeslotList> Lists;
    };

    // The whole slot content of a grid: the current slots, every undo and
    // redo snapshot, and what is pasted or dropped.
    class DayArray {
    public:
        DayArray() = default;
        DayArray(const DayArray&) = default;
        DayArray& operator=(const DayArray&) = default;
        virtual ~DayArray() = default;

        int GetSize() const { return nDays; }
        // n days of one set each, all empty.
        void SetSize(int n_days);
        void RemoveAll() { SetSize(0); }
        DaySet& operator[](int i_day);
        const DaySet& operator[](int i_day) const;
        int CountSlots() const;

    private:
        int nDays = 0;
        ZelArray<DaySet> Days;
    };

    // The drawing state of one paint or one measurement: the system
    // colours, pens and fills the painters use, and the fonts. Building it
    // selects the control's font (else the parent's) into the port; it
    // puts the port's font back when it goes.
    class SetStdContext {
    public:
        SetStdContext(const ZelTimeslotGrid& grid, IZelDrawPort& port);
        ~SetStdContext();
        SetStdContext(const SetStdContext&) = delete;
        SetStdContext& operator=(const SetStdContext&) = delete;

        IZelDrawPort& Dc;
        COLORREF crText;
        COLORREF crText2;
        COLORREF crMidnight;
        COLORREF crHeader;
        COLORREF crWorkArea;
        COLORREF crReadOnlyWorkArea;
        COLORREF crBorder;
        COLORREF crTimeLine;
        COLORREF crSlot;
        COLORREF crBack2;
        COLORREF crCombinationBack;
        ZelPen BorderPen;
        ZelBrush HeaderBrush;
        ZelBrush UnavailBrush;
        ZelBrush OtherDayBrush;
        ZelBrush CombinationBrush;
        ZelPen LightPen;
        ZelPen ShadowPen;
        ZelPortFont TimeslotFont;
        // The text colour and the background colour currently set.
        COLORREF crTextColor;
        COLORREF crBkColor;
        CRect rClient;

    private:
        ZelPortFont SavedFont;
    };

    // What a key or a menu asks the grid to do.
    enum Command : UINT {
        ID_TSLOT_ZOOMOUT = 55008,
        ID_TSLOT_ZOOMIN = 55009,
        ID_TSLOT_SHOWMENU = 55011,
        ID_TSLOT_NEW = 55012,
        ID_TSLOT_UNSELECTALL = 55013,
        ID_TSLOT_24HOUR = 55015,
        ID_TSLOT_LENGTH = 55016,
        ID_TSLOT_COMBINE = 55024,
        ID_TSLOT_UNCOMBINE = 55025,
        ID_TSLOT_RESOLUTION = 55026,
        ID_EDIT_CLEAR = 57632,
        ID_EDIT_COPY = 57634,
        ID_EDIT_CUT = 57635,
        ID_EDIT_PASTE = 57637,
        ID_EDIT_SELECT_ALL = 57642,
        ID_EDIT_UNDO = 57643,
        ID_EDIT_REDO = 57644,
    };
    // One accelerator: a key with its modifiers (KM_) and its command.
    struct KeyCommand {
        UINT uKey;
        UINT uModifiers;
        UINT uCommand;
    };
    static const KeyCommand aKeyTable[12];

    // --- Constants ------------------------------------------------------

    static constexpr const char* szClassName = "ZLC_TIMESLOT";
    static constexpr int iMargin = 4;
    static constexpr int iPenSize = 1;
    static constexpr UINT uTipTimer = 1;
    static constexpr UINT uScrollTimer = 2;
    static constexpr UINT uTipTimeout = 3000;
    static constexpr UINT uTipTimeStart = 600;
    static constexpr UINT uMinRes = 5;
    static constexpr int iScrollMargin = 10;
    static constexpr DWORD dwAutoScrollBaseRate = 500;
    static constexpr int nMinShapeHeight = 20;
    static constexpr int nMinFontSize = 7;
    static constexpr UINT uMinResizeFactor = 2;
    static constexpr UINT uMaxMagFactor = 4;
    static constexpr UINT uCombinationBorder = 4;
    static constexpr LONG lWheelZoomRate = 300;
    static constexpr int iPositionTipMaxWidth = 300;

    // Midnight of day 0: 1 January 2000.
    static const ZelOleDateTime& dtNomDate();
    static ZelOleDateTimeSpan dtsDayLength() { return ZelOleDateTimeSpan(1, 0, 0, 0); }
    static ZelOleDateTimeSpan dtsHalfDayLength() { return ZelOleDateTimeSpan(0, 12, 0, 0); }
    static ZelOleDateTimeSpan dtsDefSpacing() { return ZelOleDateTimeSpan(0, 0, 15, 0); }
    static ZelOleDateTimeSpan dtsMinZoom() { return ZelOleDateTimeSpan(0, 0, 5, 0); }
    static ZelOleDateTimeSpan dtsDefUserResolution() { return ZelOleDateTimeSpan(0, 0, 5, 0); }

    // The process-wide choices.
    static ZelTimeslotSettings& Settings();

    // --- Construction ---------------------------------------------------

    // One day of one empty set; the new-slot length and the 24-hour flag
    // the user chose last.
    explicit ZelTimeslotGrid(int b_use_prev_spacing = TRUE);
    ZelTimeslotGrid(const ZelTimeslotGrid&) = delete;
    ZelTimeslotGrid& operator=(const ZelTimeslotGrid&) = delete;
    virtual ~ZelTimeslotGrid();

    // The window the grid lives in and its ports (null: none).
    void SetHost(IZelTimeslotHost* p_host, IZelMetricsPort* p_metrics = nullptr, IZelTimerPort* p_timers = nullptr,
                 IZelBeepPort* p_beep = nullptr);
    IZelTimeslotHost& Host() const { return *pHost; }

    // --- Days, sets and names -------------------------------------------

    // Rebuilds everything for max(n, 1) days.
    void SetNumDays(UINT n_days);
    UINT GetNumDays() const { return nDays; }
    // Gives the day max(n, 1) sets named "Set 1", "Set 2", ...; drops the
    // day's slots.
    void SetNumSets(int i_day, UINT n_sets);
    // Ignored for a day the grid does not have.
    void SetDayName(int i_day, const std::string& s_name);
    void SetSetName(int i_day, int i_set, const std::string& s_name);
    const std::string& GetDayName(int i_day) const;
    const std::string& GetSetName(int i_day, int i_set) const;
    int GetNumSets(int i_day, const DayArray* p_days = nullptr) const;
    // The largest set count of any day, and the sum of all.
    int GetMaxSets() const;
    int GetTotalSets() const;
    // The column of a day's set, counting every set of the days before.
    int GetSetIndex(int i_day, int i_set) const;
    // The inverse: the set within its day (the day out) and the day (the
    // set within out). Past the last column: the day count and the excess.
    int GetSetIndexWithinDay(int i_index, int* p_day) const;
    int GetDayIndex(int i_index, int* p_within) const;
    ZelTimeslotList& GetTimeslotList(int i_day, int i_set);
    const ZelTimeslotList& GetTimeslotList(int i_day, int i_set) const;
    const ZelOleDateTime& GetDayStart(UINT u_day) const;
    const ZelOleDateTime& GetDayEnd(UINT u_day) const;
    // t moved to the same offset from u_day's window start as it has from
    // i_from_day's (a negative i_from_day: the day whose window holds t).
    ZelOleDateTime ChangeDay(UINT u_day, const ZelOleDateTime& dt_time, int i_from_day) const;
    // The first day whose window holds the time (both ends counted); -1.
    int FindDay(const ZelOleDateTime& dt_time) const;
    // A time on the common axis of all days (day 0's window): its offset
    // from its own day's window start added to the axis start; a time in
    // no window is clamped to the axis. And back onto a day.
    ZelOleDateTime GetDisplayTime(const ZelOleDateTime& dt_time) const;
    ZelOleDateTime GetDayTime(UINT u_day, const ZelOleDateTime& dt_axis) const;

    // --- Consecutive days and limits ------------------------------------

    void SetConsec(int i_day_index, int b_consec);
    int IsConsec(UINT u_day) const;
    // The calendar day before this day: its latest end, placed on this
    // day's time line, becomes the earliest start (ends before the
    // previous day's noon set none).
    void SetStartLimit(int i_day, const ZelRelTimeslotArray& a_before);
    // The calendar day after: its earliest start, placed on this day's
    // time line, becomes the latest end (starts at or after noon set none).
    void SetEndLimit(int i_day, const ZelRelTimeslotArray& a_after);
    // The earliest start and latest end a slot of the day may have now.
    ZelOleDateTime GetDayStartLimit(UINT u_day) const;
    ZelOleDateTime GetDayEndLimit(UINT u_day) const;

    // --- The owner's slots ----------------------------------------------

    // Replaces the day's slots. A slot whose set key is not among the keys
    // (or names a set the day lacks), or that cannot be added, is left out
    // and the result is 0; otherwise 1. A null key array or a negative
    // set key puts the slot into set 0.
    int SetTimeslots(int i_day, const ZelRelTimeslotArray& a_slots, int b_recompute,
                     const ZelArrayWithFind<long>* p_set_keys);
    // The day's slots relative to its midnight, each set given the key at
    // its index (-1 past the keys).
    void GetTimeslots(int i_day, ZelRelTimeslotArray& a_out, const ZelArrayWithFind<long>& a_set_keys) const;
    // Copies item data from matching relative slots into the day's slots.
    void UpdateItemData(int i_day, const ZelRelTimeslotArray& a_slots, const ZelArrayWithFind<long>& a_set_keys);
    void SetCombinations(const ZelTimeslotCombinationList& combinations);
    const ZelTimeslotCombinationList& GetCombinations() const { return Combinations; }
    int HasCombinations() const { return bCombinationsSet; }
    const DayArray& GetDays() const { return Days; }
    int CountSelected() const;
    int CountSlots() const { return Days.CountSlots(); }
    int GetUndoCount() const { return static_cast<int>(UndoList.size()); }
    int GetRedoCount() const { return static_cast<int>(RedoList.size()); }

    // --- Flags and settings ---------------------------------------------

    // Returns the previous value.
    int SetReadOnly(int b_read_only);
    int IsReadOnly() const { return bReadOnly; }
    void Set24Hour(int b_24_hour);
    int Get24Hour() const { return b24Hour; }
    // Grids built later start with this grid's 24-hour flag.
    void Save24Hour();
    void SetSlotLength(UINT u_seconds) { uSlotLength = u_seconds; }
    UINT GetSlotLength() const { return uSlotLength; }
    // The spacing becomes the one chosen last (set) or 15 minutes (clear,
    // which also resets the mouse resolution to 5 minutes and automatic).
    void UsePrevSpacing(int b_use);
    const ZelOleDateTimeSpan& GetSpacing() const { return dtsSpacing; }
    // Returns the previous value.
    int SetPositionTips(int b_tips);
    // Re-measures every slot's text; returns the previous value.
    int ShowTimeslotText(int b_show);
    int ShowTipsAlways(int b_always);
    int SetMagnifyMode(int b_magnify);
    static int HasBeenDisplayed() { return Settings().bDisplayed; }
    // Lays the grid out again and redraws it.
    void Recompute();
    void OnEnable();
    void OnMouseActivate() { bMouseActivate = 1; }

    // --- Text forms -----------------------------------------------------

    // "08:05" with 24-hour times, else "8:05am".
    std::string FormatTime(const ZelOleDateTime& dt_time) const;
    // The slot's times, then " in " and its combination's name when asked
    // and the grid knows it.
    std::string FormatTimeslot(const ZelTimeslot& slot, int b_with_combination = TRUE) const;

    // --- Layout ---------------------------------------------------------

    // Lays out areas, measures slot texts, sets the scroll bars.
    void ComputeAreas();
    // Shows one spacing more above (b_up) or below; FALSE when the range
    // cannot grow that way (or the grid is read-only).
    int MoreTimeDisplay(int b_up);
    const CRect& GetTimeLabelRect() const { return rTimeLabels; }
    const CRect& GetDayRowRect() const { return rDayRow; }
    const CRect& GetSetRowRect() const { return rSetRow; }
    const CRect& GetSlotAreaRect() const { return rSlotArea; }
    const CRect& GetCornerRect() const { return rCorner; }
    int GetLinePitch() const { return iLinePitch; }
    int GetStepHeight() const { return iStepHeight; }
    const ZelOleDateTimeSpan& GetStepSpan() const { return dtsStep; }
    UINT GetTimeLineCount() const { return nTimeLines; }
    // The vertical centre of labelled line i.
    LONG GetLineY(int i_line) const;
    int GetSetWidth() const { return iSetWidth; }
    const ZelPortFont& GetCtrlFont() const { return CtrlFont; }
    const ZelOleDateTime& GetDisplayStart() const { return dtDisplayStart; }
    const ZelOleDateTime& GetDisplayEnd() const { return dtDisplayEnd; }
    const ZelOleDateTime& GetAxisStart() const { return dtAxisStart; }
    const ZelOleDateTime& GetAxisEnd() const { return dtAxisEnd; }

    // --- Painting -------------------------------------------------------

    // Paints what the update rectangle shows.
    void Paint(IZelDrawPort& port, const CRect& rc_update);
    void InvalidateSlot(int i_day, int i_set, int i_slot, int b_erase);
    // FALSE when nothing was selected.
    int InvalidateSelected(int b_erase);
    // Whether a slot's text fits (measured once per layout).
    int CheckSlotSize(int i_day, int i_set, int i_slot, const DayArray* p_days = nullptr);
    int CheckSlotSizes();

    // --- Coordinates ----------------------------------------------------

    int PointToDay(const CPoint& pt) const;
    int DayToRect(UINT u_day, CRect& rc) const;
    // The column under the point; with b_near the gap after a column
    // counts as that column.
    int PointToSet(const CPoint& pt, int b_near) const;
    int SetToRect(UINT u_column, CRect& rc) const;
    int SetToRect(UINT u_day, UINT u_set, CRect& rc) const;
    int IsPointInTimeslotArea(const CPoint& pt) const;
    // The time on the axis at the point, rounded to the mouse resolution
    // when asked; null outside the area unless b_outside.
    ZelOleDateTime PointToTimeOfDay(const CPoint& pt, int b_outside, int b_round) const;
    // The time at the point on the day under it, with the day and the set
    // within that day; null when there is none.
    ZelOleDateTime PointToDayTime(const CPoint& pt, int b_precise, int* p_day, int* p_set) const;
    ZelOleDateTime PrecisePointToDayTime(const CPoint& pt, int* p_day, int* p_set) const
    {
        return PointToDayTime(pt, TRUE, p_day, p_set);
    }
    // The height at which a time is drawn; FALSE when it has none.
    int TimeToPoint(const ZelOleDateTime& dt_time, CPoint& pt) const;
    void GetSlotRect(UINT u_day, UINT u_set, UINT u_slot, CRect& rc, int b_combined,
                     const DayArray* p_days = nullptr) const;
    void GetSlotRect(UINT u_day, UINT u_set, UINT u_slot, CRect& rc) const
    {
        GetSlotRect(u_day, u_set, u_slot, rc, bCombinationsSet);
    }
    void GetSlotTopBot(const ZelTimeslot& slot, CRect& rc) const;
    void GetDisplayRect(CRect& rc) const;
    void GetDisplayRect(const CRect& rc_client, CRect& rc) const;
    // The first and last time of day shown; a negative hour or minute
    // takes the earliest start or the latest end of the slots.
    void SetDisplayStart(int b_recompute, int i_hour, int i_minute);
    void SetDisplayEnd(int b_recompute, int i_hour, int i_minute);
    // The spacing from the shortest slot (only finer unless b_any).
    void SetIdealSpacing(int b_any);

    // --- Scrolling ------------------------------------------------------

    void SetScrollBars();
    void AdjustScrollPosition(int b_move_rects);
    // Positive amounts show earlier times and earlier days.
    void ScrollBy(LONG i_dx, LONG i_dy);
    int IsScrollBarVisible(int i_bar, const ZelScrollInfo* p_info = nullptr) const;
    static int IsScrollAtMax(const ZelScrollInfo& info);
    static int IsScrollAtMin(const ZelScrollInfo& info);
    // How far to scroll to see a day (set < 0) or a set column, a time, or
    // both (0: in view).
    LONG IsVisible(UINT u_day, int i_set, int b_partial, const CPoint& pt) const;
    LONG IsVisible(const ZelOleDateTime& dt_time, int b_partial) const;
    int IsVisible(const ZelOleDateTime& dt_time, int i_day, int i_set, int b_partial) const;
    int EnsureVisible(const ZelOleDateTime& dt_time, int i_day, int i_set, int b_partial);
    int EnsureVisible(int i_slot, int i_day, int i_set, int b_partial);
    int EnsureVisible(const CPoint& pt, int b_partial);
    int MakeSelectionVisible(int b_partial, int b_zoom);
    int MakeFocusVisible(int b_partial);

    void OnVScroll(UINT u_code, int i_track_pos);
    void OnHScroll(UINT u_code, int i_track_pos);
    void OnSize();
    // u_modifiers: MK_CONTROL, MK_SHIFT; pt: the pointer, in client
    // points; u_time: the message's time. The position tip follows the cell
    // the scroll or zoom brings under the pointer.
    int OnMouseWheel(UINT u_modifiers, int i_delta, const CPoint& pt, DWORD u_time);

    // --- Zoom -----------------------------------------------------------

    // Halves the spacing (to 5 minutes at the finest); FALSE when it is
    // there already.
    int ZoomIn();
    // Widens the spacing (by 5 minutes below 30, else doubling, to two
    // days); with b_fit_text only while every slot text still fits.
    int ZoomOut(int b_fit_text);
    int HasZoomed() const { return bZoomed; }
    // Zooms in until the slots are on average four edges high.
    void ZoomVisible();
    // The finest spacing.
    void ZoomInMax();

    // --- Pop-up menu and view settings ----------------------------------

    // The library's menu 26011: its editing pop-up (0) or the read-only
    // one (1), every item enabled.
    static ZelMenu LoadPopupMenu(int i_popup);
    // The extra menu's items after a separator, with their states.
    static void AppendMenu(ZelMenu& target, const ZelMenu& extra);
    // The editing pop-up as the grid stands now, the extra menu after it.
    ZelMenu GetGeneralMenu(const ZelMenu* p_extra);
    // Shows the pop-up at a client point, the extra menu's items after
    // the grid's own.
    virtual void GeneralPopup(const CPoint& pt, const ZelMenu* p_extra);
    // The context menu asked for at a client point; a negative point (from
    // the keyboard) opens it at the corner.
    void OnContextMenu(const CPoint& pt);
    // Asks the length of new slots; non-zero when one was chosen.
    int ChangeSlotLength();
    // Asks the mouse resolution of every grid; non-zero when chosen.
    int ChangeResolution();

    // --- Combinations ---------------------------------------------------

    // Whether the selection may be combined (it always may).
    int CheckSelectedCombine() const { return 1; }
    // Gives every selected slot the combination's key.
    void AddSelectedToCombination(const ZelTimeslotCombination& combination);

    // --- Editing --------------------------------------------------------

    // Adds a slot of the day and set at hour:minute; 2 for a day or set
    // the grid lacks, else the list's result (ZelTimeslotList::AddResult).
    int AddSlot(int i_day, int i_set, UINT u_hour, UINT u_minute, UINT u_length, int b_test_only, int b_show);
    int UnselectAll();
    int Select(int i_day, int i_set, int i_slot, int b_toggle, int b_range, int b_unused = 0);
    int DeleteSelected();
    int NewSlot();
    // The focus slot (-1s when none).
    int FindFocus(int& i_day, int& i_set, int& i_slot) const;
    int FindEarliest(int& i_day, int& i_set, int& i_slot, const DayArray* p_days = nullptr) const;
    int FindLatest(int& i_day, int& i_set, int& i_slot, const DayArray* p_days = nullptr) const;
    void GetSelectionAnchor(int& i_day, int& i_set, int& i_slot) const
    {
        i_day = iLastDay;
        i_set = iLastSet;
        i_slot = iLastSlot;
    }

    // --- Input ----------------------------------------------------------

    // u_flags: MK_ flags of the message.
    void OnLButtonDown(UINT u_flags, const CPoint& pt);
    void OnLButtonUp(UINT u_flags, const CPoint& pt);
    void OnMouseMove(UINT u_flags, const CPoint& pt);
    // The pointer left the window.
    void OnMouseLeave();
    // The window's top-level window became active (the tip shows at the
    // pointer) or inactive (it ends).
    void OnActivate(int b_active);
    void OnTimer(UINT u_id);
    void OnSetFocus();
    void OnKillFocus();
    // A key press (KM_ modifiers): accelerators first, then the keys the
    // grid handles. FALSE when the key is not the grid's (the dialog then
    // moves on with Tab and Shift+Tab past the last or first slot). A
    // derived grid may take keys before the accelerators do.
    virtual int PreTranslateKey(UINT u_key, UINT u_modifiers);
    int ProcessKeyMessage(UINT u_key, UINT u_modifiers);
    // A command from a key or a menu; FALSE when not the grid's.
    virtual int OnCommand(UINT u_id);
    // The cursor for a point (over a slot, or -1s).
    void SetCursor(const CPoint& pt, int i_day, int i_set, int i_slot);

    // --- Clipboard, drag and drop ---------------------------------------

    // One line per slot (ZelTimeslot::GetAsText from its day's window
    // start), each ended by CR LF, in day, set, slot order; all slots or
    // the selected ones.
    std::string GetSlotsAsText(int b_selected_only) const;
    // Reads slot text into days shaped like the grid's. A line that cannot
    // be read, that falls in no day of the grid, names a set its day lacks
    // or cannot join its list stops the reading: the days are emptied and
    // the result is 0. Text after the last CR LF is ignored.
    int GetDaysFromText(const std::string& s_text, DayArray& days) const;
    // Pastes the slots being dropped or pasted (GetDragDays): all or none
    // pass the test, then each is added; a move first deletes the
    // selected slots and keeps the pasted slots' item data, a copy asks
    // GetCopyItemData. Non-zero when every slot was added.
    int Paste(DWORD dw_effect);

    // The drop target's side of a drag over this grid, fed by the window:
    // the text dragged (when it is known at the entry), the point, whether
    // Ctrl is held. Each returns the effect the drop would take. A drag
    // that began in another grid or program is always a copy.
    DWORD DragEnter(const std::string& s_text, const CPoint& pt, int b_ctrl);
    DWORD DragOver(int b_has_text, const CPoint& pt, int b_ctrl);
    void DragLeave();
    // Scrolls the view when the pointer rests near an edge during a drag.
    void DragScroll(const CPoint& pt);
    // Drops at the point; the Paste result.
    int Drop(const CPoint& pt, DWORD dw_effect);
    // Whether the drag running now began in this grid.
    int IsDragSource() const { return bDragSource; }
    const DayArray& GetDragDays() const { return DragDays; }
    DWORD GetDropEffect() const { return dwDropEffect; }
    // The dragged slots show where they would land.
    int IsDragPreviewShown() const { return bDragRectsShown && DragDays.CountSlots() > 0; }

    // --- State the window shows -----------------------------------------

    int IsResizing() const { return bResizing; }
    int IsTipShowing() const { return bTipShowing; }
    const std::string& GetTipText() const { return sTipText; }
    DWORD GetAutoScrollPeriod() const { return dwAutoScrollPeriod; }
    int IsMagnifyMode() const { return bMagnify; }

protected:
    // --- Virtual operations ---------------------------------------------

    // Draws (or with b_measure only measures) a slot's texts; non-zero when
    // they fit.
    virtual int DrawSlotText(IZelDrawPort& dc, SetStdContext& ctx, UINT u_day, UINT u_set, UINT u_slot,
                             int b_measure, const DayArray* p_days = nullptr) const;
    virtual void ComputeSetLabelDim(IZelDrawPort& dc, int& i_height, int& i_width, int& i_total);
    // The slot's rectangle and, for a tall slot, its three parts; non-zero
    // when it has them.
    virtual int GetSlotShape(UINT u_day, UINT u_set, UINT u_slot, CRect& rc, CRect& rc_top, CRect& rc_middle,
                             CRect& rc_bottom, int b_combined, const DayArray* p_days) const;
    virtual COLORREF GetWorkAreaColor(IZelDrawPort& dc, SetStdContext& ctx) const;
    // The parent's answer to ZTSN_SLOTCOLOR, else the slot colour.
    virtual COLORREF GetSlotColor(IZelDrawPort& dc, SetStdContext& ctx, const ZelTimeslot& slot) const;
    // Non-zero with the parent's answer to ZTSN_SLOTTEXTCOLOR.
    virtual int GetSlotTextColor(IZelDrawPort& dc, SetStdContext& ctx, const ZelTimeslot& slot,
                                 COLORREF& cr_text) const;
    virtual int GetMinFontHeight(IZelDrawPort& dc, SetStdContext& ctx) const;
    // Item data of a slot made by copying another.
    virtual DWORD GetCopyItemData(const ZelTimeslot& slot_new, const ZelTimeslot& slot_pasted) const;
    virtual void OnZoomIn();
    virtual void OnZoomOut();
    // Drags the selected slots; non-zero when a drag took place (it
    // entered this grid, or ended as a move elsewhere).
    int DragDrop();

    // --- Model helpers --------------------------------------------------

    // Tell the parent: slots changed (ZTSN_CHANGED), the selection changed
    // (ZTSN_SELCHANGED).
    void Changed();
    void SelectionChanged();
    // Ends any redo chain and keeps a copy of the days for undo.
    void Save4Undo();
    // Drops the snapshot Save4Undo just took (the edit changed nothing).
    void DiscardUndo();
    void SaveLastSelection(int i_day, int i_set, int i_slot);
    void OnEditUndo();
    void OnEditRedo();
    void OnDelete();
    void OnSelectAll();
    void OnUnselectAll();
    void OnNewSlot();

    // The day's midnight.
    ZelOleDateTime GetMidnight(int i_day) const;
    void CheckDay(int i_day) const;
    void CheckSet(int i_day, int i_set) const;
    const DayArray& DaysOf(const DayArray* p_days) const { return p_days ? *p_days : Days; }
    void Beep() { pBeep->Beep(); }
    int Metric(int i_index) const { return pMetrics->GetSystemMetrics(i_index); }
    // The text whole when it is no wider than i_width in the port's font,
    // else its longest start that is, with "..." after it.
    static std::string FitToWidth(IZelDrawPort& dc, const std::string& s_text, LONG i_width);

    // --- Layout helpers -------------------------------------------------

    void DefineAreas();
    void DefineAreas(IZelDrawPort& dc, const CRect& rc_client, int& i_avail_width);
    void ComputeTimeLabelDim(IZelDrawPort& dc, int& i_height, int& i_width, int& i_total);
    void ComputeDayLabelDim(IZelDrawPort& dc, int i_set_width, int& i_height, int& i_total, int b_multi);
    int CheckSlotSize(int i_day, int i_set, int i_slot, IZelDrawPort& dc, SetStdContext& ctx,
                      const DayArray* p_days);
    void ClearLayout();

    // --- Painters -------------------------------------------------------

    void PaintWorkArea(IZelDrawPort& dc, SetStdContext& ctx, const CRect& rc_update);
    void PaintOtherDays(IZelDrawPort& dc, SetStdContext& ctx, const CRect& rc_update);
    void PaintTimeLines(IZelDrawPort& dc, SetStdContext& ctx, const CRect& rc_update);
    void PaintTimeslot(IZelDrawPort& dc, SetStdContext& ctx, UINT u_day, UINT u_set, UINT u_slot,
                       const DayArray* p_days);
    void PaintDayNames(IZelDrawPort& dc, SetStdContext& ctx, const CRect& rc_update);
    void PaintSetNames(IZelDrawPort& dc, SetStdContext& ctx, const CRect& rc_update);
    void PaintTimesOfDay(IZelDrawPort& dc, SetStdContext& ctx, const CRect& rc_update);
    void PaintBorders(IZelDrawPort& dc, SetStdContext& ctx, const CRect& rc_update);
    void PaintVertGrid(IZelDrawPort& dc, SetStdContext& ctx, const CRect& rc_update);
    void PaintSelection(IZelDrawPort& dc, SetStdContext& ctx, const CRect& rc_update);
    void PaintSelectRect(IZelDrawPort& dc, SetStdContext& ctx, const CRect& rc);
    void PaintUnavail(IZelDrawPort& dc, SetStdContext& ctx, const CRect& rc_update);
    void PaintSlotText(IZelDrawPort& dc, SetStdContext& ctx, const CRect& rc_update);
    void PaintCombinations(IZelDrawPort& dc, SetStdContext& ctx, const CRect& rc_update);
    void PaintFocus(IZelDrawPort& dc, SetStdContext& ctx, const CRect& rc_update);
    void PaintResizeRect(IZelDrawPort& dc, SetStdContext& ctx);

    // --- Coordinate helpers ---------------------------------------------

    void ComputeTimeFromWindow(ZelOleDateTime& dt_time, int i_y0, int i_y, int b_round,
                               const ZelOleDateTime& dt_limit) const;
    static void AdjTime(ZelOleDateTime& dt_time, UINT u_rest, UINT u_pixels, UINT u_seconds);
    // The mouse resolution now in use.
    ZelOleDateTimeSpan GetResolution() const;
    ZelOleDateTime GetDisplayStartTime(int i_line) const;

    // --- Editing helpers ------------------------------------------------

    int AddSlot(int i_day, int i_set, const ZelOleDateTime& dt_start, const ZelOleDateTimeSpan& dts_length,
                int b_test_only, int b_show);
    int AddSlot(int i_day, int i_set, const ZelTimeslot& slot, int b_test_only, int b_show);
    // Whether the slot may go into the set of the day (negative: the day
    // of its start) in the days (null: the grid's).
    int IsAddOK(const ZelTimeslot& slot, int i_set, int i_day, const DayArray* p_days = nullptr) const;
    int Overlaps(const ZelTimeslot& slot, UINT u_set, int i_day) const;
    int MoveHorz(int b_only_selected, int i_steps, int& b_scrolled, int& b_moved, DayArray* p_days = nullptr);
    int MoveVert(int b_only_selected, int i_steps, int& b_scrolled, int& b_moved);
    int MoveSelected(UINT u_key, UINT u_modifiers);
    int ResizeSelected(UINT u_key, UINT u_modifiers);
    int Resize(int i_steps, int i_edge, int b_widen);
    void Resize(const CPoint& pt);
    int Resize(const CPoint& pt, UINT u_day, UINT u_set, UINT u_slot);
    int ResizePoint(const CPoint& pt, const CRect& rc_top, const CRect& rc_bottom, ZelOleDateTime* p_time,
                    int* p_edge) const;
    void ToggleResizeRect();
    int AddSelection(int i_day, int i_set, int i_slot);
    int SelectInclusive(int i_day, int i_set, int i_slot);
    int SelectInclusive(int i_day, int i_set, const ZelOleDateTime& dt_from, const ZelOleDateTime& dt_to);
    void RecomputeDisplay(int i_day, const ZelTimeslot* p_slot);
    void SetFocus(int i_day, int i_set, int i_slot);
    void ShowFocus(int b_make_visible);
    void ToggleEmptyFocus();
    void RemoveEmptyFocus();
    int TabFocus(int b_backwards);
    // The first rectangle of the slot's shape.
    CRect FirstShapeRect(UINT u_day, UINT u_set, UINT u_slot) const;

    // --- Tips and auto-scroll -------------------------------------------

    int ActivatePositionTip(const CPoint& pt, int b_allow, int b_show);
    int DeactivatePositionTip(int b_allow);
    int CheckVertAutoScroll(int i_y, const CRect* p_rect);
    int CheckAutoScrollTime();
    void CheckAutoScroll(const CPoint& pt, int b_timer_mode);
    // Scrolls a drag's view towards the edge the pointer is near.
    void AutoScroll(const CPoint& pt);

    // --- Clipboard and drag helpers -------------------------------------

    void OnCopy();
    void OnCut();
    void OnPaste();
    void On24Hour();
    void OnSlotLength();
    void OnTslotResolution();
    void OnTslotCombine();
    void OnTslotUncombine();
    int DrawDragRect(const std::string& s_text, const CPoint& pt);
    void MoveDragRect(const CPoint& pt);
    void ShiftDragRect(int i_columns, int i_steps);
    // The view scrolled by the size (positive: earlier days and times)
    // while the dragged slots show.
    void ScrollDragRect(const CSize& size);
    void EraseDragRects();
    void PaintDragRects();
    void SetDropEffect(DWORD dw_effect);
    void ShowDragTips(const CPoint& pt, UINT u_day, UINT u_set, UINT u_slot);
    // The step a drag moves its slots by.
    ZelOleDateTimeSpan GetDragStep() const;
    void InvalidateDragDays();
    // A move is being previewed: the selected slots are not shown where
    // they are.
    int IsMovePreview() const { return IsDragPreviewShown() && dwDropEffect == DROPEFFECT_MOVE; }
    // The header tips: the summary of a day, and of a set.
    std::string GetDayTip(UINT u_day) const;
    std::string GetSetTip(UINT u_day, UINT u_set) const;

    // --- Members --------------------------------------------------------

    IZelTimeslotHost* pHost;
    IZelMetricsPort* pMetrics;
    IZelTimerPort* pTimers;
    IZelBeepPort* pBeep;

    int bMouseActivate = 0;
    int bUsePrevSpacing = 0;
    ZelPortFont CtrlFont; // no points: the parent's
    UINT nDays = 0;
    UINT nTimeLines = 0;
    UINT uSlotLength;
    ZelArray<UINT> DayWidths;
    int iSetWidth = 0;
    ZelStringArray DayNames;
    int b24Hour;
    int bShowSlotText = 1;
    int bTipsAlways = 0;
    int bReadOnly = 0;
    DayArray Days;
    DWORD dwLastZoomTime = 0;
    std::list<DayArray> UndoList; // newest first
    std::list<DayArray> RedoList; // newest first
    ZelOleDateTime dtAxisStart;
    ZelOleDateTime dtDisplayStart;
    ZelOleDateTime dtDisplayEnd;
    ZelOleDateTime dtAxisEnd;
    ZelOleDateTimeSpan dtsSpacing;
    ZelOleDateTimeSpan dtsStep{0, 0, 5, 0};
    int iStepHeight = 5;

    // Layout, in client coordinates, shifted as the view scrolls.
    CRect rTimeLabels;
    ZelArray<CRect> TimeLines;
    int iLinePitch = 0;
    CRect rDayRow;
    CRect rSetRow;
    CRect rSlotArea;
    ZelArray<CRect> DayRects;
    ZelArray<CRect> rSets;
    CRect rCorner;
    CRect rClipTimeLabels;
    CRect rClipDayRow;
    CRect rClipSetRow;
    int bInScrollBars = 0;

    // The position tip.
    int bPositionTips = 1;
    std::string sTipText;
    int bTipShowing = 0;
    int bTipExpired = 0;
    int bTipAllowed = 1;
    CPoint ptTip;
    CPoint ptLastMouse;

    DWORD dwAutoScrollTick = 0;
    DWORD dwAutoScrollPeriod = dwAutoScrollBaseRate;
    int bCombinationsSet = 0;
    ZelTimeslotCombinationList Combinations;
    ZelArray<DayDef> DayDefinitions;
    int bHasFocus = 0;
    int bFocusShown = 0;

    // A mouse resize: the edge (1 start, 0 end), the time of day where the
    // last step was applied, whether its frame shows and whether it
    // changed anything.
    int bResizing = 0;
    int iResizeEdge = 0;
    ZelOleDateTime dtResizeAnchor;
    int bResizeRectShown = 0;
    int bResizeChanged = 0;

    int iLastDay = -1;
    int iLastSet = -1;
    int iLastSlot = -1;
    int bMagnify = 0;
    int bZoomed = 0;

    // A drag: the slots dragged over this grid, the time of day and the
    // column under the pointer where they stand, whether they show,
    // whether a drag entered (since this grid began one, or at all), the
    // effect shown; whether this grid began the running drag and whether
    // it was dropped here.
    DayArray DragDays;
    ZelOleDateTime dtDragAnchor;
    int iDragColumn = -1;
    int bDragRectsShown = 0;
    int bDragEntered = 0;
    int bTargetEntered = 0;
    DWORD dwDropEffect = DROPEFFECT_NONE;
    int bDragSource = 0;
    int bDroppedHere = 0;
};
