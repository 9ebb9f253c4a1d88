#include "engine/TTMove.h"

#include "engine/SelCounters.h"
#include "engine/TTMap.h"
#include "model/EventDoc.h"
#include "model/Timetable.h"
#include "zelkit/base/ZelAssert.h"

TTMove::TTMove(BuildEngine* p_engine, EventDoc* p_doc, Timetable* p_timetable, TTMap* p_map)
    : TransMove<BuildEngine, TTLoc, TTLocArray>(p_engine, p_doc, p_timetable), pMap(p_map)
{
}

TTMove::~TTMove() = default;

TimeslotPtr TTMove::GetSlotPtr(const TTLoc& loc) const
{
    ZEL_ASSERT(loc.IsValid());
    ZEL_ASSERT(loc.GetDay() < pTimetable->GetNumDays());
    Day& day = pTimetable->GetDay(loc.GetDay());
    ZEL_ASSERT(loc.GetVenue() < day.GetNumVenues());
    TimeslotArray& a_slots = day.GetVenueSlots(loc.GetVenue());
    ZEL_ASSERT(loc.GetSlot() < a_slots.GetSize());
    return a_slots.GetSlotPtr(loc.GetSlot());
}

Timeslot& TTMove::CellAt(const TTLoc& loc) const
{
    if (pMap->GetTimetable() == pTimetable) {
        if (Timeslot* p_slot = pMap->FindCell(loc))
            return *p_slot;
    }
    ZEL_ASSERT(loc.IsValid());
    ZEL_ASSERT(loc.GetDay() < pTimetable->GetNumDays());
    Day& day = pTimetable->GetDay(loc.GetDay());
    ZEL_ASSERT(loc.GetVenue() < day.GetNumVenues());
    TimeslotArray& a_slots = day.GetVenueSlots(loc.GetVenue());
    return a_slots.ElementAt(loc.GetSlot());
}

LONG TTMove::GetGroupKey(int i_group) const
{
    const GroupList& groups = pDoc->GetGroups();
    ZEL_ASSERT(0 <= i_group && i_group < groups.GetNumGroups());
    return groups[i_group].GetKey();
}

TTMove::Neighbours TTMove::FindNeighbours(int i_group, const TTLoc& loc, LONG l_groupKey) const
{
    Neighbours near;
    // Both neighbours lie in the cell's venue map: found once for the two
    // steps (none, and no neighbours, for a cell outside the map).
    const TTMap::GroupMap::VenueMap* p_venue_map = pMap->GetGroupMap(i_group).FindVenueMap(loc);
    if (p_venue_map == nullptr)
        return near;
    int i_day = loc.GetDay();
    int i_slot = loc.GetSlot();
    if (p_venue_map->StepPrev(i_day, i_slot)) {
        const TTLoc prev_loc(i_day, loc.GetVenue(), i_slot);
        if (prev_loc != loc && pMap->GetCellGroup(prev_loc) == l_groupKey) {
            near.bPrev = TRUE;
            near.bPrevSameDay = i_day == loc.GetDay();
        }
    }
    i_day = loc.GetDay();
    i_slot = loc.GetSlot();
    if (p_venue_map->StepNext(i_day, i_slot)) {
        const TTLoc next_loc(i_day, loc.GetVenue(), i_slot);
        if (next_loc != loc && pMap->GetCellGroup(next_loc) == l_groupKey) {
            near.bNext = TRUE;
            near.bNextSameDay = i_day == loc.GetDay();
        }
    }
    return near;
}

void TTMove::TakeOut(int i_group, const TTLoc& loc, SelCounters* p_counters)
{
    const LONG l_group_key = GetGroupKey(i_group);
    const Neighbours near = FindNeighbours(i_group, loc, l_group_key);
    ZEL_ASSERT(l_group_key >= 0);
    {
        Timeslot* sp_slot = &CellAt(loc);
        ZEL_ASSERT(sp_slot->GetGroup() == l_group_key);
        sp_slot->SetGroup(-1);
        sp_slot->SetSpare(0);
        sp_slot->SetLocked(FALSE);
    }
    if (p_counters == nullptr)
        return;
    p_counters->DecGroupCount(i_group, loc.GetDay(), loc.GetVenue());

    int i_event_change = 0;
    int i_day_change = 0;
    if (near.bPrev && near.bNext) {
        // The run splits in two.
        i_event_change = 1;
        if (near.bPrevSameDay && near.bNextSameDay)
            i_day_change = 1;
        else if (!near.bPrevSameDay && !near.bNextSameDay)
            i_day_change = -1;
    } else if (near.bPrev) {
        if (!near.bPrevSameDay)
            i_day_change = -1;
    } else if (near.bNext) {
        if (!near.bNextSameDay)
            i_day_change = -1;
    } else {
        i_event_change = -1;
        i_day_change = -1;
    }
    p_counters->AddRuns(i_group, loc.GetDay(), loc.GetVenue(), i_event_change, i_day_change);
}

void TTMove::PutIn(int i_group, const TTLoc& loc, SelCounters* p_counters)
{
    const LONG l_group_key = GetGroupKey(i_group);
    const Neighbours near = FindNeighbours(i_group, loc, l_group_key);
    ZEL_ASSERT(l_group_key >= 0);
    {
        Timeslot* sp_slot = &CellAt(loc);
        ZEL_ASSERT(sp_slot->IsEmpty());
        sp_slot->SetGroup(l_group_key);
    }
    if (p_counters == nullptr)
        return;
    p_counters->IncGroupCount(i_group, loc.GetDay(), loc.GetVenue());

    int i_event_change = 0;
    int i_day_change = 0;
    if (near.bPrev && near.bNext) {
        // Two runs join.
        i_event_change = -1;
        if (near.bPrevSameDay && near.bNextSameDay)
            i_day_change = -1;
        else if (!near.bPrevSameDay && !near.bNextSameDay)
            i_day_change = 1;
    } else if (near.bPrev) {
        if (!near.bPrevSameDay)
            i_day_change = 1;
    } else if (near.bNext) {
        if (!near.bNextSameDay)
            i_day_change = 1;
    } else {
        i_event_change = 1;
        i_day_change = 1;
    }
    p_counters->AddRuns(i_group, loc.GetDay(), loc.GetVenue(), i_event_change, i_day_change);
}
