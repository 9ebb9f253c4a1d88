#include "engine/BuildEngine.h"

#include "engine/SelCounters.h"
#include "engine/TTMove.h"
#include "model/EventDoc.h"
#include "model/Participant.h"
#include "model/Timetable.h"

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
    const ParticipantList& parts = pDoc->GetParticipants();
    for (int i = 0; i < parts.GetNumParticipants(); ++i) {
        if (HasLimit(parts[i])) {
            bCountParticipants = TRUE;
            break;
        }
    }
    pMover = std::make_unique<TTMove>(this, pDoc, pTimetable, pMap);
}

BuildEngine::~BuildEngine() = default;

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
