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
#include "zelkit/ZelArray.h"
#include "zelkit/ZelControlPorts.h"
#include "zelkit/ZelOleDateTime.h"
#include "zelkit/ZelStringArray.h"
#include "zelkit/ZelTimeslot.h"
#include "zelkit/ZelTimeslotCombination.h"

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
    // The whole window for a null rectangle.
    virtual void Invalidate(const CRect* p_rect, BOOL b_erase) = 0;
    // Sends a notification code with its record to the parent window and
    // returns its answer (0: not answered).
    virtual long Notify(int i_code, void* p_record) = 0;
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

    // The window the grid lives in (null: none).
    void SetHost(IZelTimeslotHost* p_host);
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
    // Returns the previous value.
    int SetPositionTips(int b_tips);
    static int HasBeenDisplayed() { return Settings().bDisplayed; }
    // Lays the grid out again and redraws it.
    void Recompute();
    void OnEnable();
    void OnMouseActivate() { bMouseActivate = 1; }

    // --- The undo store -------------------------------------------------

    int GetUndoCount() const { return static_cast<int>(UndoList.size()); }
    int GetRedoCount() const { return static_cast<int>(RedoList.size()); }

protected:
    // Tell the parent: slots changed (ZTSN_CHANGED), the selection changed
    // (ZTSN_SELCHANGED).
    void Changed();
    void SelectionChanged();
    // Ends any redo chain and keeps a copy of the days for undo.
    void Save4Undo();
    // Drops the snapshot Save4Undo just took (the edit changed nothing).
    void DiscardUndo();
    void SaveLastSelection(int i_day, int i_set, int i_slot);

    // The day's midnight.
    ZelOleDateTime GetMidnight(int i_day) const;
    void CheckDay(int i_day) const;
    void CheckSet(int i_day, int i_set) const;

    // Layout and focus; the grid without a window has none to keep.
    virtual void ComputeAreas() {}
    virtual int MakeFocusVisible(int /*b_partial*/) { return 0; }

    IZelTimeslotHost* pHost;

    int bMouseActivate = 0;
    int bUsePrevSpacing = 0;
    UINT nDays = 0;
    UINT uSlotLength;
    ZelStringArray DayNames;
    int b24Hour;
    int bShowSlotText = 1;
    int bTipsAlways = 0;
    int bReadOnly = 0;
    DayArray Days;
    std::list<DayArray> UndoList; // newest first
    std::list<DayArray> RedoList; // newest first
    ZelOleDateTime dtAxisStart;
    ZelOleDateTime dtDisplayStart;
    ZelOleDateTime dtDisplayEnd;
    ZelOleDateTime dtAxisEnd;
    ZelOleDateTimeSpan dtsSpacing;
    ZelOleDateTimeSpan dtsStep{0, 0, 5, 0};
    int iStepHeight = 5;
    int bPositionTips = 1;
    int bCombinationsSet = 0;
    ZelTimeslotCombinationList Combinations;
    ZelArray<DayDef> DayDefinitions;
    int iLastDay = -1;
    int iLastSet = -1;
    int iLastSlot = -1;
};
