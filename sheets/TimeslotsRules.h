// The timeslots page of the define-event wizard without its window.
//
// The page edits the timeslot layouts of the days of the working
// definition's current kind. It keeps its own copy of the layouts, shows
// those of the selected days in a timeslot grid and writes them back when
// it is left or the wizard finishes. A layout is simple (generated from a
// start of day, an end of day and a slot length, the same for every venue)
// or advanced (drawn in the grid, maybe per venue); the simple fields show
// what all selected days share, and applying them regenerates every
// selected day.
//
// TimeslotsPageCore holds all of that; the window binds its controls and
// turns a TimeslotsGridPlan into the grid's calls.
#pragma once

#include "framework/Types.h"
#include "model/EventDefinition.h"
#include "zelkit/datetime/CHighTime.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/values/ZelTimeslot.h"

#include <string>
#include <vector>

class EventDoc;

// The three states of the page's check boxes.
enum : int { TSP_UNCHECKED = 0, TSP_CHECKED = 1, TSP_INDETERMINATE = 2 };

// Messages of the page's data exchange.
enum : UINT { IDS_DAY_START_NOT_BEFORE_END = 5020, IDS_SLOT_LENGTH_RANGE = 5021 };

// One column of the grid: a selected day.
struct TimeslotsGridColumn {
    int iDay = 0;  // the day's index in the definition
    std::string sName;
    // One set per venue (else one set for all).
    bool bPerVenue = false;
    ZelRelTimeslotArray Slots;
    // Follows the column before it (the last column's predecessor is the
    // first's) without a break.
    bool bConsec = false;
    // The layouts of the days before and after in the definition that
    // limit this column; null when none does.
    const DayDefSlots* pStartLimit = nullptr;
    const DayDefSlots* pEndLimit = nullptr;
};

// How the grid is to show the selection.
struct TimeslotsGridPlan {
    // No day selected: one empty column, disabled, 09:00 to 17:00.
    bool bEnabled = false;
    std::vector<TimeslotsGridColumn> vColumns;
    // The length of new slots in seconds; 0 leaves the grid's own.
    UINT uSlotSeconds = 0;
    bool bReadOnly = true;
    // Some shown day has a slot: the display runs from the earliest start
    // to the latest end, else from 09:00 to 17:00.
    bool bAnySlot = false;
};

class TimeslotsPageCore {
public:
    struct Venue {
        LONG lKey = -1;
        std::string sName;
    };

    // The event's venues in list order: the sets of a per-venue layout.
    void SetVenues(std::vector<Venue> v_venues) { vVenues = std::move(v_venues); }
    static std::vector<Venue> VenuesOf(const EventDoc& doc);
    const std::vector<Venue>& GetVenues() const { return vVenues; }
    // The venue keys, in list order, as the grid's set keys.
    ZelArrayWithFind<long> VenueKeys() const;

    // The first initialisation of the page only: 24-hour times as given
    // (the event's own, or as the grid starts), 09:00 to 17:00 in 30-minute
    // slots.
    void Initialise(BOOL b_24Hour);
    bool IsInitialised() const { return bInitialised; }

    // The lines of the days list for the definition of the current kind:
    // dates in the definition's own format, week-day names, custom names.
    static std::vector<std::string> DayLines(const EventDefinition& def);
    // Takes the definition of the current kind and a copy of its layouts,
    // one per day.
    void Load(const EventDefinition& def);
    int GetNumDays() const { return static_cast<int>(vLayouts.size()); }
    const DayDefSlots& GetLayout(int i_day) const { return vLayouts[static_cast<std::size_t>(i_day)]; }

    // The selected days (list lines, ascending).
    void SetSelection(std::vector<int> v_selected);
    const std::vector<int>& GetSelection() const { return vSelected; }

    // Merges the simple settings of the selected days into the page's
    // fields and says how the grid shows them.
    TimeslotsGridPlan Rebuild();

    // The texts of the three edits; empty when the edit is disabled (not
    // in simple mode) or the value is not set.
    std::string StartText() const { return TimeText(dtStart); }
    std::string EndText() const { return TimeText(dtEnd); }
    std::string LengthText() const;
    // Whether the simple fields are enabled (Advanced unchecked).
    bool IsSimpleMode() const { return iAdvanced == TSP_UNCHECKED; }
    // The per-venue box may be used: advanced mode with several venues.
    bool IsEachVenueEnabled() const { return !IsSimpleMode() && vVenues.size() > 1; }

    // Takes the edits' texts. A time that does not parse leaves that value
    // unset. Start not before end shows 5020, a length outside 1 to 1440
    // (or not a number) 5021; then nothing is taken and the result is
    // false. An empty length keeps the last one.
    bool Exchange(const std::string& s_start, const std::string& s_end, const std::string& s_length);

    // Regenerates the selected days from the fields (an unset field keeps
    // each day's own value). Nothing when the page was never initialised
    // or start, end and length are all unset. TRUE when days were touched.
    bool ApplySimple();
    // The Advanced box was clicked and is now checked or not: unchecked
    // regenerates the selected days (ApplySimple), checked makes their
    // layouts advanced.
    void SetAdvanced(bool b_checked);
    // The per-venue box was clicked: advanced layouts of the selected days
    // are split per venue or merged into one set (simple ones stay common).
    void SetEachVenue(bool b_checked);
    // The grid's column i now holds these slots (with venue keys as set
    // keys): they become the layout of its day, advanced from now on.
    void GridChanged(int i_column, const ZelRelTimeslotArray& a_slots);

    // Writes the layouts and the 24-hour flag into the working
    // definition's days of the current kind.
    void WriteLayouts(EventDefinition& def) const;

    BOOL Is24Hour() const { return b24Hour; }
    void Set24Hour(BOOL b_24Hour) { b24Hour = b_24Hour; }
    int GetAdvanced() const { return iAdvanced; }
    int GetEachVenue() const { return iEachVenue; }
    const CHighTime& GetStart() const { return dtStart; }
    const CHighTime& GetEnd() const { return dtEnd; }
    UINT GetLength() const { return uLength; }

    // The program-wide generation defaults: 09:00, 17:00 and 30 minutes.
    static CHighTime DefaultDayStart();
    static CHighTime DefaultDayEnd();
    static constexpr int nDefaultMinutes = 30;

private:
    std::string TimeText(const CHighTime& dt) const;
    const DayDefBase& DayDef() const { return Def.GetDayDef(); }
    bool SelectionFitsLayouts() const;

    std::vector<Venue> vVenues;
    EventDefinition Def;
    std::vector<DayDefSlots> vLayouts;
    std::vector<int> vSelected;
    BOOL b24Hour = FALSE;
    int iAdvanced = TSP_UNCHECKED;
    int iEachVenue = TSP_UNCHECKED;
    bool bInitialised = false;
    CHighTime dtStart;
    CHighTime dtEnd;
    UINT uLength = 0;
};
