// The timetable view's work without a window: one tab per day of the
// built timetable, one day grid at a time for the selected tab, the
// update that refills both, and the write-back of the timeslots the user
// edits in the grid into the event's day layout and the timetable.
//
// The selected day, the request to start the next grid unscrolled and the
// scroll positions the last grid had are kept for the whole program
// (TheTimetableViewState), so that they outlive the grids, which come and
// go with every change of tab and every update, and so that the document
// can send the view back to its start (new event, Reset).
#pragma once

#include "framework/Types.h"

#include <string>

class Day;
class DayGridCore;
class EventDoc;
class ZelTimeslotCombinationList;
struct UpdateViewHint;

struct TimetableViewState {
    // The index of the selected tab; -1: none yet, the first is taken.
    int iSelectedDay = -1;
    // The next grid starts at the top left.
    BOOL bScrollReset = FALSE;
    // The scroll bar positions of the grid that went last, in pixels.
    LONG lScrollX = 0;
    LONG lScrollY = 0;
};

TimetableViewState& TheTimetableViewState();

// What the view's work needs of its window: the tabs and the grid.
class ITimetableViewWindow {
public:
    virtual ~ITimetableViewWindow() = default;
    virtual void RemoveAllTabs() = 0;
    virtual void AddTab(const std::string& s_title) = 0;
    // FALSE when there is no such tab.
    virtual BOOL SelectTab(int i_tab) = 0;
    // A new grid (the old one is gone) for the day, with the combinations,
    // in the selected tab; null when it could not be made.
    virtual DayGridCore* CreateGrid(EventDoc* p_doc, const Day& day,
                                    const ZelTimeslotCombinationList& combinations) = 0;
    // The grid goes, storing its scroll positions; nothing without one.
    virtual void DestroyGrid() = 0;
    virtual DayGridCore* GetGrid() = 0;
    // Stops and restarts drawing while the grid is remade.
    virtual void SetRedraw(BOOL b_redraw) = 0;
};

class TimetableViewCore {
public:
    // The most day tabs a timetable may have.
    static constexpr int nMaxDays = 10000;
    static constexpr UINT IDS_TOO_MANY_DAYS = 1033;

    explicit TimetableViewCore(ITimetableViewWindow& window) : Window(window) {}

    void SetDocument(EventDoc* p_doc) { pDoc = p_doc; }
    EventDoc* GetDocument() const { return pDoc; }

    // A venue, days with timeslots and a timetable.
    static BOOL IsSchedulable(const EventDoc* p_doc);

    // One tab per timetable day, the remembered day selected (the first
    // when it is gone). Nothing while the event is not schedulable. FALSE,
    // after message 1033, when the timetable has too many days.
    BOOL FillTabs();
    // Shows the day in a new grid, scrolled as the last grid was unless a
    // reset was asked for. Nothing for a day the timetable lacks.
    void SelectDay(int i_day);
    // A change of the document: everything is made again, except for a
    // list view's own update of one item (a hint with a third value).
    void OnUpdate(const UpdateViewHint* p_hint);
    // The grid's timeslots changed: they become the selected day's layout
    // and the day's timeslots in the timetable (which is then not built);
    // the document is marked modified.
    void OnTimeslotsChanged();
    // A group chosen in the grid's open list goes into its timeslot; else
    // the selected slots are redrawn.
    void RefreshSelectedSlot();
    // The next fill starts at the first day, unscrolled.
    static void ResetState();

private:
    ITimetableViewWindow& Window;
    EventDoc* pDoc = nullptr;
};
