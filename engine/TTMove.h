// The build engine's mover: every change the build and its searches make to
// the timetable is a group taken out of a cell or put into an empty one,
// done here so that the selection counters and the group's run counts
// follow the timetable, and recorded in the innermost open transaction so
// that a failed attempt can be undone exactly.
//
// The run counts change by the group's neighbours in the cell's venue, the
// previous and next allowed cells of its build map: whether each holds the
// group, and whether it lies on the cell's day.
#pragma once

#include "engine/TTLoc.h"
#include "engine/Transaction.h"
#include "framework/Types.h"

class BuildEngine;
class EventDoc;
class SelCounters;
class TTMap;
class Timetable;
class Timeslot;
class TimeslotPtr;

class TTMove : public TransMove<BuildEngine, TTLoc, TTLocArray> {
public:
    // The engine hands over its document, timetable and build map.
    TTMove(BuildEngine* p_engine, EventDoc* p_doc, Timetable* p_timetable, TTMap* p_map);
    ~TTMove() override;

    TTMap* GetMap() const { return pMap; }

    // Empties the cell, which holds the group (group key -1, no lock, no
    // roster data), and counts one placement less and the group's runs as
    // they now stand.
    void TakeOut(int i_group, const TTLoc& loc, SelCounters* p_counters) override;
    // Puts the group into the empty cell and counts one placement more and
    // the group's runs as they now stand.
    void PutIn(int i_group, const TTLoc& loc, SelCounters* p_counters) override;

    // A checked pointer to the cell's timeslot; the cell must be one of the
    // timetable's.
    TimeslotPtr GetSlotPtr(const TTLoc& loc) const;

private:
    // The group's neighbours of the cell: whether each holds the group and
    // whether it lies on the cell's day.
    struct Neighbours {
        BOOL bPrev = FALSE;
        BOOL bPrevSameDay = FALSE;
        BOOL bNext = FALSE;
        BOOL bNextSameDay = FALSE;
    };
    Neighbours FindNeighbours(int i_group, const TTLoc& loc, LONG l_groupKey) const;
    LONG GetGroupKey(int i_group) const;
    // The cell's timeslot, changed in place: a move changes only its group,
    // lock and roster data, never its times or key, so the venue's order
    // stays as it is and no checked pointer is needed to settle it.
    Timeslot& CellAt(const TTLoc& loc) const;

    TTMap* pMap;
};
