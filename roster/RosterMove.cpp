#include "roster/RosterMove.h"

#include "engine/SelCounters.h"
#include "engine/TTLoc.h"
#include "model/EventDoc.h"
#include "roster/RosterEngine.h"
#include "zelkit/base/ZelAssert.h"

RosterMove::RosterMove(RosterEngine* p_engine)
    : TransMove<RosterEngine, int, ZelArray<int>>(p_engine, p_engine->GetDoc(), p_engine->GetTimetable())
{
}

void RosterMove::PutIn(int i_part, const int& i_group, SelCounters* p_counters)
{
    ParticipantList& participants = pDoc->GetParticipants();
    // A move changes the group's members, never its key or name, so the
    // list's index needs no word of it.
    Group* p_group = &pDoc->GetGroups()[i_group];
    // The participants' key index is marked stale after every move, as the
    // moves always have done; the engine looks participants up in its own
    // index during a run, so only the next caller outside pays for it.
    participants.InvalidateKeyIndex();
    const Participant& part = participants[i_part];
    const int i_index = p_group->GetMembers().Find(part.GetKey());
    ZEL_ASSERT(i_index < 0);
    p_group->GetMembers().SetMember(part.GetKey(), part.GetUsualRoleName(pDoc), TRUE);
    pEngine->NoteMembership(i_part, i_group, TRUE);
    const TTLocArray& a_locs = pEngine->GetGroupPlacements(i_group);
    for (int i = a_locs.GetSize() - 1; i >= 0; --i)
        p_counters->IncPartCount(i_part, a_locs[i].GetDay(), a_locs[i].GetVenue());
}

void RosterMove::TakeOut(int i_part, const int& i_group, SelCounters* p_counters)
{
    ParticipantList& participants = pDoc->GetParticipants();
    Group* p_group = &pDoc->GetGroups()[i_group];
    participants.InvalidateKeyIndex();
    const int i_index = p_group->GetMembers().Find(participants[i_part].GetKey());
    ZEL_ASSERT(i_index >= 0);
    p_group->GetMembers().RemoveAt(i_index);
    pEngine->NoteMembership(i_part, i_group, FALSE);
    const TTLocArray& a_locs = pEngine->GetGroupPlacements(i_group);
    for (int i = a_locs.GetSize() - 1; i >= 0; --i)
        p_counters->DecPartCount(i_part, a_locs[i].GetDay(), a_locs[i].GetVenue());
}
