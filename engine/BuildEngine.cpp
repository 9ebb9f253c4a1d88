#include "engine/BuildEngine.h"

#include "engine/BuildCheck.h"
#include "engine/BuildPorts.h"
#include "engine/SelCounters.h"
#include "engine/Shuffler.h"
#include "engine/TTMap.h"
#include "engine/TTMove.h"
#include "model/EventDoc.h"
#include "model/Participant.h"
#include "model/Timetable.h"
#include "zelkit/datetime/ZelOleDateTime.h"
#include "zelkit/windows/ZelWindowServices.h"

#include <algorithm>

namespace {

// The participant carries a limit that the build has to count.
BOOL HasLimit(const Participant& part)
{
    if (!part.GetUseVenueLimits() && part.GetStoredEventLimits().uType != SchedLim::e_no_limits)
        return TRUE;
    if (part.GetDayLimits().uType != SchedLim::e_no_limits)
        return TRUE;
    if (part.GetUseVenueLimits()) {
        const VenueLimitArray& a_limits = part.GetVenueLimits();
        for (int i = 0; i < a_limits.GetSize(); ++i) {
            if (a_limits[i].Limit.uType != SchedLim::e_no_limits)
                return TRUE;
        }
    }
    return FALSE;
}

} // namespace

BuildEngine::SaveGroupCount::SaveGroupCount(SelCounters& counters) : Counters(counters)
{
    Counters.SetSaveMode(TRUE);
}

BuildEngine::SaveGroupCount::~SaveGroupCount()
{
    Counters.RestoreSaved();
}

BuildEngine::BuildEngine(EventDoc* p_doc, Timetable* p_timetable, TTMap* p_map)
    : pDoc(p_doc), pTimetable(p_timetable), pMap(p_map)
{
    // Day and month names appear in the texts a build shows.
    ZelOleDateTime::Init();
    const ParticipantList& parts = pDoc->GetParticipants();
    for (int i = 0; i < parts.GetNumParticipants(); ++i) {
        if (HasLimit(parts[i])) {
            bCountParticipants = TRUE;
            break;
        }
    }
    pMover = std::make_unique<TTMove>(this, pDoc, pTimetable, pMap);
}

BuildEngine::~BuildEngine()
{
    RestoreWindow();
}

void BuildEngine::KeepForBuild(SelCounters& counters) const
{
    if (bKeepCountersMemory)
        counters.KeepMemoryWhenFreed();
}

std::string BuildEngine::GetModeName(int i_mode)
{
    switch (i_mode) {
    case e_thorough: return "Thorough";
    case e_complete_1: return "Complete 1";
    case e_complete_2: return "Complete 2";
    default: return std::string();
    }
}

std::string BuildEngine::IntToStr(int i_value)
{
    return std::to_string(i_value);
}

std::string BuildEngine::GetGroupName(int i_group) const
{
    return GetGroup(i_group).GetName();
}

std::string BuildEngine::GetVenueName(int i_venue) const
{
    return pDoc->GetVenues().GetVenue(i_venue).GetName();
}

const Group& BuildEngine::GetGroup(int i_group) const
{
    return pDoc->GetGroups()[i_group];
}

TimeslotPtr BuildEngine::GetSlotPtr(int i_day, int i_venue, int i_slot) const
{
    ZEL_ASSERT(0 <= i_day && i_day < pTimetable->GetNumDays());
    Day& day = pTimetable->GetDay(i_day);
    ZEL_ASSERT(0 <= i_venue && i_venue < day.GetNumVenues());
    TimeslotArray& a_slots = day.GetVenueSlots(i_venue);
    ZEL_ASSERT(0 <= i_slot && i_slot < a_slots.GetSize());
    return a_slots.GetSlotPtr(i_slot);
}

UINT BuildEngine::CountCells() const
{
    UINT n_cells = 0;
    const int n_venues = pDoc->GetNumVenues();
    for (int d = 0; d < pTimetable->GetNumDays(); ++d) {
        const Day& day = pTimetable->GetDay(d);
        for (int v = 0; v < std::min(n_venues, day.GetNumVenues()); ++v)
            n_cells += static_cast<UINT>(day.GetVenueSlots(v).GetSize());
    }
    return n_cells;
}

void BuildEngine::NoteSearch(const Shuffler& shuffler)
{
    Stats.uSteps += shuffler.GetSteps();
    Stats.uDeepest = std::max(Stats.uDeepest, shuffler.GetDeepest());
}

// ---- the window around a build ----

void BuildEngine::DisableWindow()
{
    if (bWindowDisabled)
        return;
    bWasActive = GetBuildWindowPort().DisableMainWindow();
    ZelGetCursorPort().BeginWaitCursor();
    bWindowDisabled = TRUE;
}

void BuildEngine::RestoreWindow()
{
    if (!bWindowDisabled)
        return;
    bWindowDisabled = FALSE;
    ZelGetCursorPort().EndWaitCursor();
    GetBuildWindowPort().EnableMainWindow(bWasActive);
}

BOOL BuildEngine::EndBuild(EndRoad e_end, EndTimetable e_timetable)
{
    if (Progress.IsCancelRequested()) {
        e_end = e_cancelled;
        e_timetable = e_put_back;
    }
    if (e_timetable == e_put_back && pBefore && pBefore->Restore(*pTimetable))
        Stats.bPutBack = TRUE;
    else if (e_timetable != e_keep)
        ClearTimetable();
    EndProgress();
    RestoreWindow();
    Stats.eEnd = e_end;
    return FALSE;
}

// ---- clearing ----

void BuildEngine::ClearTimetable(SelCounters* p_counters, Generator::GroupIndexList* p_locked)
{
    pTimetable->Invalidate();
    const GroupList& groups = pDoc->GetGroups();
    const int n_venues = pDoc->GetNumVenues();
    const Generator generator;
    for (int d = 0; d < pTimetable->GetNumDays(); ++d) {
        Day& day = pTimetable->GetDay(d);
        for (int v = 0; v < day.GetNumVenues(); ++v) {
            KeepAnswering();
            TimeslotArray& a_slots = day.GetVenueSlots(v);
            for (int s = 0; s < a_slots.GetSize(); ++s) {
                const Timeslot& slot = a_slots[s];
                if (!slot.IsLocked()) {
                    // Only a slot that holds something is touched: the
                    // pointer re-sorts the array when it lets go.
                    if (!slot.IsEmpty() || slot.GetSpare() != 0) {
                        TimeslotPtr sp_slot = a_slots.GetSlotPtr(s);
                        sp_slot->SetGroup(-1);
                        sp_slot->SetLocked(FALSE);
                        sp_slot->SetSpare(0);
                    }
                    continue;
                }
                if (p_counters == nullptr || v >= n_venues)
                    continue;
                const int i_group = slot.IsEmpty() ? -1 : groups.FindByKey(slot.GetGroup());
                if (i_group < 0)
                    continue;
                if (p_locked != nullptr)
                    generator.CountAndPromote(i_group, d, v, *p_counters, *p_locked);
                else
                    p_counters->IncGroupCount(i_group, d, v);
            }
        }
    }
    if (p_counters != nullptr)
        p_counters->CountRuns(*pMap);
}

void BuildEngine::GatherGroupLocks()
{
    if (bLocksGathered)
        return;
    GroupLocks.RemoveAll();
    const GroupList& groups = pDoc->GetGroups();
    const int n_venues = pDoc->GetNumVenues();
    for (int d = 0; d < pTimetable->GetNumDays(); ++d) {
        const Day& day = pTimetable->GetDay(d);
        const int n_columns = std::min(n_venues, day.GetNumVenues());
        for (int v = 0; v < n_columns; ++v) {
            const TimeslotArray& a_slots = day.GetVenueSlots(v);
            for (int s = 0; s < a_slots.GetSize(); ++s) {
                if (!a_slots[s].IsLocked())
                    continue;
                const int i_group = groups.FindByKey(a_slots[s].GetGroup());
                if (i_group < 0)
                    continue;
                int i_at = 0;
                while (i_at < GroupLocks.GetSize() && GroupLocks[i_at].iGroup < i_group)
                    ++i_at;
                if (i_at == GroupLocks.GetSize() || GroupLocks[i_at].iGroup != i_group)
                    GroupLocks.InsertAt(i_at, TTGroupLocks(i_group));
                GroupLocks[i_at].Locs.Add(TTLoc(d, v, s));
            }
        }
    }
    bLocksGathered = TRUE;
}

void BuildEngine::ResetGroupLocks()
{
    GroupLocks.RemoveAll();
    bLocksGathered = FALSE;
}

const TTLocArray* BuildEngine::FindGroupLocks(int i_group) const
{
    for (int i = 0; i < GroupLocks.GetSize(); ++i) {
        if (GroupLocks[i].iGroup == i_group)
            return &GroupLocks[i].Locs;
        if (GroupLocks[i].iGroup > i_group)
            break;
    }
    return nullptr;
}
