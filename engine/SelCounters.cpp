#include "engine/SelCounters.h"

#include "engine/BusyPump.h"
#include "engine/TTMap.h"
#include "model/EventDoc.h"
#include "model/Timetable.h"
#include "zelkit/base/ZelAssert.h"

#include <algorithm>
#include <vector>

namespace {

void ZeroAll(ZelArray<UINT>& a_counts)
{
    for (int i = 0; i < a_counts.GetSize(); ++i)
        a_counts[i] = 0;
}

void SizeZeroed(ZelArray<UINT>& a_counts, int n_count)
{
    a_counts.SetSize(std::max(n_count, 0));
    ZeroAll(a_counts);
}

// The bytes an array's storage takes, with the allocator's own few.
template <class T>
std::size_t StorageBytes(const ZelArray<T>& a_items)
{
    return a_items.GetAllocSize() > 0 ? static_cast<std::size_t>(a_items.GetAllocSize()) * sizeof(T) + 16 : 0;
}

} // namespace

// ---- CountBase ----

CountBase& CountBase::operator=(const CountBase& src)
{
    if (this == &src)
        return *this;
    uTotal = src.uTotal;
    DayCounts = src.DayCounts;
    bNoVenueCounts = src.bNoVenueCounts;
    if (!bNoVenueCounts)
        VenueCounts = src.VenueCounts;
    return *this;
}

void CountBase::Reset()
{
    uTotal = 0;
    ZeroAll(DayCounts);
    if (!bNoVenueCounts)
        ZeroAll(VenueCounts);
}

void CountBase::SetSizes(int n_days, int n_venues)
{
    SizeZeroed(DayCounts, n_days);
    if (!bNoVenueCounts)
        SizeZeroed(VenueCounts, n_venues);
}

UINT CountBase::GetVenueCount(int i_venue) const
{
    if (bNoVenueCounts || VenueCounts.IsEmpty())
        return 0;
    return VenueCounts[i_venue];
}

void CountBase::SetNoVenueCounts()
{
    bNoVenueCounts = TRUE;
    VenueCounts.RemoveAll();
}

std::size_t CountBase::ReleaseStorage()
{
    const std::size_t u_bytes = StorageBytes(VenueCounts) + StorageBytes(DayCounts);
    VenueCounts.RemoveAll();
    DayCounts.RemoveAll();
    return u_bytes;
}

// ---- GroupCount ----

GroupCount& GroupCount::operator=(const GroupCount& src)
{
    if (this == &src)
        return *this;
    CountBase::operator=(src);
    VenueCounts = src.VenueCounts;
    VenueRuns = src.VenueRuns;
    ExcludedVenues = src.ExcludedVenues;
    DayVenueCounts = src.DayVenueCounts;
    DayVenueRuns = src.DayVenueRuns;
    return *this;
}

void GroupCount::Reset()
{
    CountBase::Reset();
    for (int d = 0; d < DayVenueCounts.GetSize(); ++d)
        ZeroAll(DayVenueCounts[d]);
}

void GroupCount::SetSizes(int n_days, int n_venues)
{
    CountBase::SetSizes(n_days, n_venues);
    SizeZeroed(VenueRuns, n_venues);
    ExcludedVenues.SetSize(std::max(n_venues, 0));
    for (int v = 0; v < ExcludedVenues.GetSize(); ++v)
        ExcludedVenues[v] = 0;
    DayVenueCounts.SetSize(std::max(n_days, 0));
    DayVenueRuns.SetSize(std::max(n_days, 0));
    for (int d = 0; d < DayVenueCounts.GetSize(); ++d) {
        SizeZeroed(DayVenueCounts[d], n_venues);
        SizeZeroed(DayVenueRuns[d], n_venues);
    }
}

std::size_t GroupCount::ReleaseStorage()
{
    std::size_t u_bytes = CountBase::ReleaseStorage() + StorageBytes(VenueRuns) + StorageBytes(ExcludedVenues)
        + StorageBytes(DayVenueCounts) + StorageBytes(DayVenueRuns);
    for (int d = 0; d < DayVenueCounts.GetSize(); ++d)
        u_bytes += StorageBytes(DayVenueCounts[d]);
    for (int d = 0; d < DayVenueRuns.GetSize(); ++d)
        u_bytes += StorageBytes(DayVenueRuns[d]);
    VenueRuns.RemoveAll();
    ExcludedVenues.RemoveAll();
    DayVenueCounts.RemoveAll();
    DayVenueRuns.RemoveAll();
    return u_bytes;
}

// ---- SelCounters ----

SelCounters::SelCounters(EventDoc* p_doc, Timetable* p_timetable, BOOL b_count_participants)
    : pDoc(p_doc), pTimetable(p_timetable), nDays(p_timetable ? p_timetable->GetNumDays() : 0),
      nVenues(p_doc->GetNumVenues()), nGroups(p_doc->GetGroups().GetNumGroups()),
      nParticipants(p_doc->GetParticipants().GetNumParticipants()), bCountParticipants(b_count_participants)
{
    // A large event's counters take most of a second to make: the window
    // keeps answering meanwhile.
    GroupCounts.SetSize(nGroups);
    for (int g = 0; g < nGroups; ++g) {
        BusyPump::Poll();
        GroupCounts[g].SetSizes(nDays, nVenues);
    }
    if (bCountParticipants) {
        PartCounts.SetSize(nParticipants);
        for (int p = 0; p < nParticipants; ++p) {
            BusyPump::Poll();
            PartCounts[p].SetSizes(nDays, nVenues);
        }
        IndexMembers();
    }
}

void SelCounters::IndexMembers()
{
    const GroupList& groups = pDoc->GetGroups();
    const ParticipantList& participants = pDoc->GetParticipants();
    MemberStarts.assign(1, 0);
    MemberStarts.reserve(static_cast<std::size_t>(nGroups) + 1);
    std::vector<std::size_t> a_part_groups(static_cast<std::size_t>(nParticipants) + 1, 0);
    for (int g = 0; g < nGroups; ++g) {
        const GroupMembers& members = groups[g].GetMembers();
        for (int m = 0; m < members.GetSize(); ++m) {
            const int i_part = participants.FindByKey(members[m].lParticipantKey);
            MemberParts.push_back(i_part);
            if (i_part >= 0)
                ++a_part_groups[static_cast<std::size_t>(i_part) + 1];
        }
        MemberStarts.push_back(MemberParts.size());
    }
    // Each participant's row, filled group by group so that it comes in
    // group order.
    for (std::size_t p = 1; p < a_part_groups.size(); ++p)
        a_part_groups[p] += a_part_groups[p - 1];
    PartGroupStarts = a_part_groups;
    PartGroups.assign(a_part_groups.back(), -1);
    for (int g = 0; g < nGroups; ++g) {
        for (const int i_part : GetMemberParts(g)) {
            if (i_part >= 0)
                PartGroups[a_part_groups[static_cast<std::size_t>(i_part)]++] = g;
        }
    }
}

SelCounters::~SelCounters()
{
    const int n_groups = GroupCounts.GetSize();
    BusyPump::ReleaseInSlices(
        n_groups + PartCounts.GetSize(),
        [this, n_groups](int i) {
            return i < n_groups ? GroupCounts[i].ReleaseStorage() : PartCounts[i - n_groups].ReleaseStorage();
        },
        bHandBack);
}

UINT SelCounters::GetRuns(int i_group, int i_day, int i_venue) const
{
    const GroupCount& counts = GroupCounts[i_group];
    return i_day < 0 ? counts.VenueRuns[i_venue] : counts.DayVenueRuns[i_day][i_venue];
}

void SelCounters::SetRuns(int i_group, int i_day, int i_venue, UINT n_runs)
{
    GroupCount& counts = GroupCounts[i_group];
    if (i_day < 0)
        counts.VenueRuns[i_venue] = n_runs;
    else
        counts.DayVenueRuns[i_day][i_venue] = n_runs;
}

void SelCounters::CountRuns(const TTMap& map)
{
    // The map's walks find no run of a group in a venue where it holds no
    // cell: those pairs are known to be 0 without a walk.
    const int n_groups = std::min(nGroups, map.GetNumGroups());
    std::vector<char> v_present(static_cast<std::size_t>(n_groups) * static_cast<std::size_t>(nVenues), 0);
    if (pTimetable != nullptr) {
        const GroupList& groups = pDoc->GetGroups();
        for (int d = 0; d < nDays; ++d) {
            const Day& day = pTimetable->GetDay(d);
            for (int v = 0; v < std::min(day.GetNumVenues(), nVenues); ++v) {
                const TimeslotArray& a_slots = day.GetVenueSlots(v);
                for (int s = 0; s < a_slots.GetSize(); ++s) {
                    const int g = a_slots[s].GetGroup() < 0 ? -1 : groups.FindByKey(a_slots[s].GetGroup());
                    if (g >= 0 && g < n_groups)
                        v_present[static_cast<std::size_t>(g) * static_cast<std::size_t>(nVenues) + static_cast<std::size_t>(v)] = 1;
                }
            }
        }
    }
    for (int g = 0; g < n_groups; ++g) {
        // Every group, venue and day: a large event's take a moment.
        BusyPump::Poll();
        for (int v = 0; v < nVenues && v < map.GetGroupMap(g).GetNumVenues(); ++v) {
            const bool b_present =
                v_present[static_cast<std::size_t>(g) * static_cast<std::size_t>(nVenues) + static_cast<std::size_t>(v)] != 0;
            SetRuns(g, -1, v, b_present ? static_cast<UINT>(map.CountEventBlocks(v, g, nullptr)) : 0);
            for (int d = 0; d < nDays; ++d)
                SetRuns(g, d, v, b_present ? static_cast<UINT>(map.CountDayBlocks(v, g, d, nullptr)) : 0);
        }
    }
}

void SelCounters::AddRuns(int i_group, int i_day, int i_venue, int i_event_change, int i_day_change)
{
    if (i_event_change == 0 && i_day_change == 0)
        return;
    GroupCount& counts = GroupCounts[i_group];
    // Each count found once, kept, then changed.
    UINT& u_venue_runs = counts.VenueRuns[i_venue];
    UINT& u_day_venue_runs = counts.DayVenueRuns[i_day][i_venue];
    Keep(u_venue_runs);
    u_venue_runs += static_cast<UINT>(i_event_change);
    Keep(u_day_venue_runs);
    u_day_venue_runs += static_cast<UINT>(i_day_change);
}

void SelCounters::SetVenueExcluded(int i_group, int i_venue, BOOL b_excluded)
{
    GroupCounts[i_group].ExcludedVenues[i_venue] = b_excluded ? 1 : 0;
}

void SelCounters::IncGroupCount(int i_group, int i_day, int i_venue)
{
    GroupCount& counts = GroupCounts[i_group];
    // Each count found once; in save mode the four are kept together, in
    // the order they change.
    UINT& u_day = counts.DayCounts[i_day];
    UINT& u_venue = counts.VenueCounts[i_venue];
    UINT& u_day_venue = counts.DayVenueCounts[i_day][i_venue];
    if (bSaveMode)
        KeepFour(counts.uTotal, u_day, u_venue, u_day_venue);
    ++counts.uTotal;
    ++u_day;
    ++u_venue;
    ++u_day_venue;
    if (bCountParticipants)
        ChangeMembers(i_group, i_day, i_venue, true);
}

void SelCounters::DecGroupCount(int i_group, int i_day, int i_venue)
{
    GroupCount& counts = GroupCounts[i_group];
    // Each count found once; in save mode the four are kept together, in
    // the order they change.
    UINT& u_day = counts.DayCounts[i_day];
    UINT& u_venue = counts.VenueCounts[i_venue];
    UINT& u_day_venue = counts.DayVenueCounts[i_day][i_venue];
    if (bSaveMode)
        KeepFour(counts.uTotal, u_day, u_venue, u_day_venue);
    --counts.uTotal;
    --u_day;
    --u_venue;
    --u_day_venue;
    if (bCountParticipants)
        ChangeMembers(i_group, i_day, i_venue, false);
}

void SelCounters::ChangeMembers(int i_group, int i_day, int i_venue, bool b_inc)
{
    for (const int i_index : GetMemberParts(i_group)) {
        ZEL_ASSERT(i_index >= 0);
        if (b_inc)
            IncPartCount(i_index, i_day, i_venue);
        else
            DecPartCount(i_index, i_day, i_venue);
    }
}

void SelCounters::IncPartCount(int i_part, int i_day, int i_venue)
{
    if (!bCountParticipants)
        return;
    PartCount& counts = PartCounts[i_part];
    Keep(counts.uTotal);
    ++counts.uTotal;
    Keep(counts.DayCounts[i_day]);
    ++counts.DayCounts[i_day];
    if (!counts.bNoVenueCounts) {
        Keep(counts.VenueCounts[i_venue]);
        ++counts.VenueCounts[i_venue];
    }
}

void SelCounters::DecPartCount(int i_part, int i_day, int i_venue)
{
    if (!bCountParticipants)
        return;
    PartCount& counts = PartCounts[i_part];
    Keep(counts.uTotal);
    --counts.uTotal;
    Keep(counts.DayCounts[i_day]);
    --counts.DayCounts[i_day];
    if (!counts.bNoVenueCounts) {
        Keep(counts.VenueCounts[i_venue]);
        --counts.VenueCounts[i_venue];
    }
}

BOOL SelCounters::CanAddPartsDay(int i_group, int i_day) const
{
    if (!bCountParticipants)
        return TRUE;
    const ParticipantList& participants = pDoc->GetParticipants();
    for (const int i_part_index : GetMemberParts(i_group)) {
        if (i_part_index < 0)
            continue;
        if (PartCounts[i_part_index].DayCounts[i_day] >= participants[i_part_index].GetDayLimits().GetMax())
            return FALSE;
    }
    return TRUE;
}

BOOL SelCounters::CanAddPartsVenue(int i_group, int i_venue) const
{
    if (!bCountParticipants)
        return TRUE;
    const ParticipantList& participants = pDoc->GetParticipants();
    const LONG l_venueKey = pDoc->GetVenues()[i_venue].GetKey();
    for (const int i_part_index : GetMemberParts(i_group)) {
        if (i_part_index < 0)
            continue;
        const VenueLimit* p_limit = participants[i_part_index].GetVenueLimit(l_venueKey);
        if (p_limit && PartCounts[i_part_index].GetVenueCount(i_venue) >= p_limit->Limit.GetMax())
            return FALSE;
    }
    return TRUE;
}

BOOL SelCounters::CanAddParts(int i_group, int i_day, int i_venue) const
{
    if (!bCountParticipants)
        return TRUE;
    const ParticipantList& participants = pDoc->GetParticipants();
    const LONG l_venueKey = pDoc->GetVenues()[i_venue].GetKey();
    for (const int i_index : GetMemberParts(i_group)) {
        ZEL_ASSERT(i_index >= 0);
        const Participant& part = participants[i_index];
        const PartCount& counts = PartCounts[i_index];
        if (!part.GetUseVenueLimits()) {
            if (counts.uTotal >= part.GetEventLimits().GetMax())
                return FALSE;
        } else if (const VenueLimit* p_limit = part.GetVenueLimit(l_venueKey)) {
            if (counts.GetVenueCount(i_venue) >= p_limit->Limit.GetMax())
                return FALSE;
        }
        if (counts.DayCounts[i_day] >= part.GetDayLimits().GetMax())
            return FALSE;
    }
    return TRUE;
}

int SelCounters::FindVenueWithoutRuns(int i_group, int i_day) const
{
    for (int v = 0; v < nVenues; ++v) {
        if (!IsVenueExcluded(i_group, v) && GetRuns(i_group, i_day, v) == 0)
            return v;
    }
    return -1;
}

int SelCounters::FindVenueWithMostRuns(int i_group, int i_day) const
{
    int i_best = -1;
    UINT n_best = 0;
    for (int v = 0; v < nVenues; ++v) {
        if (IsVenueExcluded(i_group, v))
            continue;
        const UINT n_runs = GetRuns(i_group, i_day, v);
        if (i_best < 0 || n_runs > n_best) {
            i_best = v;
            n_best = n_runs;
        }
    }
    return i_best < 0 ? 0 : i_best;
}

int SelCounters::CountVenuesWithRuns(int i_group, int i_day) const
{
    int n_venues = 0;
    for (int v = 0; v < nVenues; ++v) {
        if (!IsVenueExcluded(i_group, v) && GetRuns(i_group, i_day, v) > 0)
            ++n_venues;
    }
    return n_venues;
}

void SelCounters::ResetCounts()
{
    for (int g = 0; g < GroupCounts.GetSize(); ++g)
        GroupCounts[g].Reset();
    if (bCountParticipants) {
        for (int p = 0; p < PartCounts.GetSize(); ++p)
            PartCounts[p].Reset();
    }
}

BOOL SelCounters::CountTimetable(CountCallback p_callback, void* p_arg)
{
    if (pTimetable == nullptr)
        return TRUE;
    const GroupList& groups = pDoc->GetGroups();
    for (int d = 0; d < nDays; ++d) {
        const Day& day = pTimetable->GetDay(d);
        const int n_venues = std::min(day.GetNumVenues(), nVenues);
        for (int v = 0; v < n_venues; ++v) {
            const TimeslotArray& a_slots = day.GetVenueSlots(v);
            for (int s = 0; s < a_slots.GetSize(); ++s) {
                const LONG l_key = a_slots[s].GetGroup();
                if (l_key < 0)
                    continue;
                const int i_group = groups.FindByKey(l_key);
                if (i_group < 0 || i_group >= nGroups)
                    continue;
                IncGroupCount(i_group, d, v);
                if (p_callback && !p_callback(p_arg))
                    return FALSE;
            }
        }
    }
    return TRUE;
}
