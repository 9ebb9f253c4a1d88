#include "generators/EventGenerator.h"

#include "generators/Draw.h"
#include "model/EventDoc.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

namespace benchevent {

namespace {

const char* const kStyles[] = {"Jazz", "Folk", "Classical", "Rock", "Choral", "Dance", "Brass", "Strings"};
const char* const kFacilities[] = {"Piano", "Stage", "Organ", "Sound desk", "Dance floor", "Harp"};
const char* const kVenues[] = {"Hall", "Barn", "Loft", "Studio", "Court", "Pavilion", "Chapel", "Annex"};
const char* const kGroups[] = {"Choir", "Band", "Trio", "Quartet", "Ensemble", "Troupe", "Chorus", "Orchestra"};
const char* const kFirst[] = {"Ann", "Bob", "Cy", "Di", "Ed", "Fay", "Gus", "Hal", "Ida", "Jon", "Kim",
                              "Lou", "Max", "Ned", "Ola", "Pat", "Quin", "Rae", "Sam", "Tess", "Uma", "Vic",
                              "Wes", "Xena", "Yves", "Zoe", "Abe", "Bea", "Cal", "Dot", "Eli", "Flo"};
const char* const kLast[] = {"Lee", "Ray", "Fox", "Moe", "Poe", "Orr", "Day", "Roe", "Lund", "Hart", "Ives",
                             "Jain", "Kerr", "Lowe", "Marsh", "Nash", "Oakes", "Pryce", "Quill", "Rook",
                             "Shaw", "Tate", "Vance", "Wren", "York", "Zell", "Ames", "Birch", "Cole",
                             "Drake", "Eames", "Frost"};

template <std::size_t N>
std::string NameFrom(const char* const (&a_names)[N], int i)
{
    const std::string s_name = a_names[static_cast<std::size_t>(i) % N];
    return i < static_cast<int>(N) ? s_name : s_name + " " + std::to_string(i / static_cast<int>(N) + 1);
}

SchedLim Range(UINT u_min, UINT u_max) { return SchedLim(SchedLim::e_range, 0, u_min, u_max); }

ZelRelTimeslot HourSlot(int i_slot, LONG l_setKey)
{
    return ZelRelTimeslot(ZelOleDateTimeSpan(0, 9 + i_slot, 0, 0), ZelOleDateTimeSpan(0, 1, 0, 0), l_setKey);
}

// The morning from 09:00 to 11:00 of one day, for not-available times.
ZelRelTimeslot Morning() { return ZelRelTimeslot(ZelOleDateTimeSpan(0, 9, 0, 0), ZelOleDateTimeSpan(0, 2, 0, 0), -1); }

EventOptions Clamped(const EventOptions& options)
{
    EventOptions o = options;
    o.nGroups = std::clamp(o.nGroups, 0, 1000000);
    o.nParticipants = std::clamp(o.nParticipants, 0, 1000000);
    o.nDays = std::clamp(o.nDays, 1, 3650);
    o.nVenues = std::clamp(o.nVenues, 1, 1000);
    o.nSlotsPerDay = std::clamp(o.nSlotsPerDay, 1, 15);
    o.nStyles = std::clamp(o.nStyles, 1, 1000);
    o.nFacilities = std::clamp(o.nFacilities, 0, 1000);
    o.nMinMembers = std::clamp(o.nMinMembers, 0, 100);
    o.nMaxMembers = std::clamp(o.nMaxMembers, o.nMinMembers, 100);
    for (int* p : {&o.nFillPercent, &o.nLockPercent, &o.nVenueLimitPercent, &o.nChunkPercent, &o.nRotationPercent,
                   &o.nUnavailablePercent})
        *p = std::clamp(*p, 0, 100);
    o.nDayRules = std::clamp(o.nDayRules, 0, 100000);
    o.nVenueRules = std::clamp(o.nVenueRules, 0, 100000);
    return o;
}

// What the filling keeps count of, so that every placement keeps the
// maximums, clashes and travel gaps.
class Filler {
public:
    Filler(EventDoc& doc, const EventOptions& o, Draw& draw)
        : Doc(doc), O(o), Dice(draw), nCellsPerDay(o.nVenues * o.nSlotsPerDay)
    {
        const GroupList& groups = doc.GetGroups();
        const ParticipantList& participants = doc.GetParticipants();
        const int n_groups = groups.GetNumGroups();
        Members.resize(static_cast<std::size_t>(n_groups));
        Suits.resize(static_cast<std::size_t>(n_groups));
        for (int g = 0; g < n_groups; ++g) {
            const GroupMembers& members = groups[g].GetMembers();
            for (int m = 0; m < members.GetSize(); ++m)
                Members[g].push_back(participants.FindByKey(members[m].lParticipantKey));
            for (int v = 0; v < o.nVenues; ++v)
                Suits[g].push_back(IsVenueSuitable(groups[g], doc.GetVenues()[v]) ? 1 : 0);
        }
        const std::size_t n_times = static_cast<std::size_t>(o.nDays * o.nSlotsPerDay);
        GroupAt.assign(static_cast<std::size_t>(n_groups), std::vector<short>(n_times, -1));
        PartAt.assign(static_cast<std::size_t>(participants.GetNumParticipants()), std::vector<short>(n_times, -1));
        GroupDay.assign(static_cast<std::size_t>(n_groups), std::vector<UINT>(static_cast<std::size_t>(o.nDays), 0));
        PartDay.assign(static_cast<std::size_t>(participants.GetNumParticipants()),
                       std::vector<UINT>(static_cast<std::size_t>(o.nDays), 0));
        GroupVenue.assign(static_cast<std::size_t>(n_groups), std::vector<UINT>(static_cast<std::size_t>(o.nVenues), 0));
        GroupTotal.assign(static_cast<std::size_t>(n_groups), 0);
        PartTotal.assign(static_cast<std::size_t>(participants.GetNumParticipants()), 0);
    }

    // A run placed: its first cell and length.
    struct Run {
        int iDay, iVenue, iSlot, nLength;
    };

    void Fill()
    {
        Timetable& timetable = *Doc.GetTimetable();
        const int n_cells = O.nDays * nCellsPerDay;
        std::vector<int> v_order(static_cast<std::size_t>(n_cells));
        for (int i = 0; i < n_cells; ++i)
            v_order[static_cast<std::size_t>(i)] = i;
        for (int i = n_cells - 1; i > 0; --i)
            std::swap(v_order[static_cast<std::size_t>(i)], v_order[static_cast<std::size_t>(Dice.Below(i + 1))]);
        const int n_target = static_cast<int>(static_cast<long long>(n_cells) * O.nFillPercent / 100);
        const int n_groups = Doc.GetGroups().GetNumGroups();
        int n_filled = 0;
        for (int i = 0; i < n_cells && n_filled < n_target && n_groups > 0; ++i) {
            const int i_cell = v_order[static_cast<std::size_t>(i)];
            const int d = i_cell / nCellsPerDay;
            const int v = i_cell / O.nSlotsPerDay % O.nVenues;
            const int s = i_cell % O.nSlotsPerDay;
            if (Slot(timetable, d, v, s).GetGroup() >= 0)
                continue;
            for (int n_try = 0; n_try < 30; ++n_try) {
                const int g = Dice.Below(n_groups);
                const int n_length = RunLength(g, v);
                if (CanPlace(timetable, g, d, v, s, n_length)) {
                    Place(timetable, g, d, v, s, n_length);
                    n_filled += n_length;
                    break;
                }
            }
        }
    }

    void Lock()
    {
        Timetable& timetable = *Doc.GetTimetable();
        for (const Run& run : Runs) {
            if (!Dice.Percent(O.nLockPercent))
                continue;
            for (int k = 0; k < run.nLength; ++k)
                Slot(timetable, run.iDay, run.iVenue, run.iSlot + k).SetLocked(TRUE);
        }
    }

private:
    static Timeslot& Slot(Timetable& timetable, int d, int v, int s)
    {
        return timetable.GetDay(d).GetVenueSlots(v).ElementAt(s);
    }
    std::size_t Time(int d, int s) const { return static_cast<std::size_t>(d * O.nSlotsPerDay + s); }

    int RunLength(int g, int v) const
    {
        const VenueAlloc& alloc = Doc.GetGroups()[g].GetVenueAlloc(Doc.GetVenues()[v].GetKey());
        return alloc.GetVenueKey() >= 0 ? static_cast<int>(alloc.Alloc.GetMin()) : 1;
    }

    LONG KeyAt(Timetable& timetable, int d, int v, int s) const
    {
        if (s < 0 || s >= O.nSlotsPerDay)
            return -1;
        return Slot(timetable, d, v, s).GetGroup();
    }

    bool CanPlace(Timetable& timetable, int g, int d, int v, int s, int n_length) const
    {
        const Group& group = Doc.GetGroups()[g];
        if (!Suits[g][v] || n_length < 1 || s + n_length > O.nSlotsPerDay)
            return false;
        // A run of the group beside this one would make a longer run.
        if (KeyAt(timetable, d, v, s - 1) == group.GetKey() || KeyAt(timetable, d, v, s + n_length) == group.GetKey())
            return false;
        const UINT u_length = static_cast<UINT>(n_length);
        if (GroupDay[g][d] + u_length > group.GetDayLimits().GetMax())
            return false;
        if (group.GetUseVenueLimits()) {
            const VenueLimit* p_limit = group.GetVenueLimit(Doc.GetVenues()[v].GetKey());
            if (p_limit == nullptr || GroupVenue[g][v] + u_length > p_limit->Limit.GetMax())
                return false;
        } else if (GroupTotal[g] + u_length > group.GetEventLimits().GetMax()) {
            return false;
        }
        const LONG l_dayId = timetable.GetDay(d).GetDayId();
        for (int k = 0; k < n_length; ++k) {
            if (KeyAt(timetable, d, v, s + k) >= 0 || GroupAt[g][Time(d, s + k)] >= 0)
                return false;
            if (!group.IsAvailable(&Doc, l_dayId, Slot(timetable, d, v, s + k)))
                return false;
        }
        const ParticipantList& participants = Doc.GetParticipants();
        for (const int p : Members[g]) {
            const Participant& part = participants[p];
            if (PartDay[p][d] + u_length > part.GetDayLimits().GetMax()
                || PartTotal[p] + u_length > part.GetEventLimits().GetMax())
                return false;
            for (int k = 0; k < n_length; ++k) {
                if (PartAt[p][Time(d, s + k)] >= 0)
                    return false;
            }
            // Back-to-back slots leave no travel time between two venues.
            if (s > 0 && PartAt[p][Time(d, s - 1)] >= 0 && PartAt[p][Time(d, s - 1)] != v)
                return false;
            if (s + n_length < O.nSlotsPerDay && PartAt[p][Time(d, s + n_length)] >= 0
                && PartAt[p][Time(d, s + n_length)] != v)
                return false;
        }
        return true;
    }

    void Place(Timetable& timetable, int g, int d, int v, int s, int n_length)
    {
        const LONG l_key = Doc.GetGroups()[g].GetKey();
        for (int k = 0; k < n_length; ++k) {
            Slot(timetable, d, v, s + k).SetGroup(l_key);
            GroupAt[g][Time(d, s + k)] = static_cast<short>(v);
            for (const int p : Members[g])
                PartAt[p][Time(d, s + k)] = static_cast<short>(v);
        }
        const UINT u_length = static_cast<UINT>(n_length);
        GroupDay[g][d] += u_length;
        GroupVenue[g][v] += u_length;
        GroupTotal[g] += u_length;
        for (const int p : Members[g]) {
            PartDay[p][d] += u_length;
            PartTotal[p] += u_length;
        }
        Runs.push_back({d, v, s, n_length});
    }

    EventDoc& Doc;
    const EventOptions& O;
    Draw& Dice;
    const int nCellsPerDay;
    std::vector<std::vector<int>> Members;
    std::vector<std::vector<char>> Suits;
    // The venue a group or participant is placed in at each slot time of
    // each day, or -1.
    std::vector<std::vector<short>> GroupAt;
    std::vector<std::vector<short>> PartAt;
    std::vector<std::vector<UINT>> GroupDay;
    std::vector<std::vector<UINT>> PartDay;
    std::vector<std::vector<UINT>> GroupVenue;
    std::vector<UINT> GroupTotal;
    std::vector<UINT> PartTotal;
    std::vector<Run> Runs;
};

void MakeDays(EventDoc& doc, const EventOptions& o)
{
    CalendarDays days;
    ZelArray<ZelOleDateTime> a_dates;
    const ZelOleDateTime dt_first(2025, 3, 3);
    for (int d = 0; d < o.nDays; ++d)
        a_dates.Add(ZelOleDateTime(dt_first + CHighTimeSpan(d, 0)));
    days.SetDates(a_dates);
    days.Set24Hour(TRUE);
    ZelRelTimeslotArray a_slots;
    for (int s = 0; s < o.nSlotsPerDay; ++s)
        a_slots.Add(HourSlot(s, -1));
    for (int d = 0; d < days.GetNumLayouts(); ++d)
        days.GetDaySlots(d).SetSlots(a_slots, TRUE);
    doc.GetEventDef().SetDayDef(days);
}

void MakeVenues(EventDoc& doc, const EventOptions& o, Draw& dice)
{
    for (int i = 0; i < o.nStyles; ++i) {
        Style style;
        style.SetName(NameFrom(kStyles, i));
        doc.GetStyles().Add(style);
    }
    for (int i = 0; i < o.nFacilities; ++i) {
        Facility facility;
        facility.SetName(NameFrom(kFacilities, i));
        doc.GetFacilities().Add(facility);
    }
    for (int v = 0; v < o.nVenues; ++v) {
        Venue venue;
        venue.SetKey(v + 1);
        venue.SetName(kVenues[v % 8] + std::string(" ") + std::to_string(v / 8 + 1));
        // Three venues in four have a style; each facility is in a third
        // of the venues.
        if (v % 4 != 3)
            venue.GetStyles().Add(doc.GetStyles()[dice.Below(o.nStyles)].GetKey());
        for (int f = 0; f < o.nFacilities; ++f) {
            if ((v + f) % 3 == 0)
                venue.GetFacilities().Add(doc.GetFacilities()[f].GetKey());
        }
        doc.GetVenues().AddVenue(venue);
    }
}

void MakeParticipants(EventDoc& doc, const EventOptions& o, Draw& dice)
{
    const DayDefBase& days = doc.GetEventDef().GetDayDef();
    for (int p = 0; p < o.nParticipants; ++p) {
        Participant part;
        part.SetKey(p + 1);
        const std::string s_middle(1, static_cast<char>('A' + p / 1024 % 26));
        std::string s_last = kLast[p / 32 % 32];
        if (p >= 1024 * 26)
            s_last += std::to_string(p / (1024 * 26));
        part.SetName(kFirst[p % 32], s_middle, s_last);
        part.SetDayLimits(Range(0, 3));
        part.SetEventLimits(Range(0, 20));
        if (dice.Percent(o.nUnavailablePercent / 2))
            part.GetUnavailable().AddTime(days.GetDayId(dice.Below(o.nDays)), Morning());
        doc.GetParticipants().Add(part);
    }
}

void MakeGroups(EventDoc& doc, const EventOptions& o, Draw& dice)
{
    const DayDefBase& days = doc.GetEventDef().GetDayDef();
    const ParticipantList& participants = doc.GetParticipants();
    for (int g = 0; g < o.nGroups; ++g) {
        Group group;
        group.SetKey(g + 1);
        group.SetName(kGroups[g % 8] + std::string(" ") + std::to_string(g / 8 + 1));
        const int n_styles = 1 + dice.Below(2);
        for (int i = 0; i < n_styles; ++i)
            group.GetStyles().Add(doc.GetStyles()[dice.Below(o.nStyles)].GetKey());
        if (o.nFacilities > 0 && dice.Percent(10))
            group.GetFacilities().Add(doc.GetFacilities()[dice.Below(o.nFacilities)].GetKey());
        const int n_members = participants.GetNumParticipants() > 0 ? dice.Between(o.nMinMembers, o.nMaxMembers) : 0;
        for (int m = 0; m < n_members; ++m)
            group.GetMembers().SetMember(participants[dice.Below(participants.GetNumParticipants())].GetKey(), "", FALSE);

        group.SetDayLimits(Range(0, 2));
        const UINT u_min = static_cast<UINT>(dice.Below(3));
        group.SetEventLimits(Range(u_min, u_min + 6 + static_cast<UINT>(dice.Below(6))));
        if (dice.Percent(o.nVenueLimitPercent)) {
            group.SetEventLimits(SchedLim());
            group.SetUseVenueLimits(TRUE);
            for (int i = 0; i < 2; ++i) {
                VenueLimit limit(doc.GetVenues()[dice.Below(o.nVenues)].GetKey());
                limit.Limit = Range(0, 3);
                if (group.GetVenueLimits().FindKey(limit.GetVenueKey()) < 0)
                    group.GetVenueLimits().InsertSorted(limit);
            }
        }
        if (dice.Percent(o.nChunkPercent)) {
            for (int v = 0; v < o.nVenues; ++v) {
                VenueAlloc alloc(doc.GetVenues()[v].GetKey());
                alloc.Alloc = SchedAlloc(SchedLim::e_range, 0, 2, 2);
                group.GetVenueAllocs().InsertSorted(alloc);
            }
        }
        if (dice.Percent(o.nRotationPercent))
            group.SetRotation(static_cast<UINT>(1 + dice.Below(2)));
        if (dice.Percent(o.nUnavailablePercent))
            group.GetUnavailable().AddTime(days.GetDayId(dice.Below(o.nDays)), Morning());
        doc.GetGroups().AddGroup(group);
    }
}

// A rule over the cells, of a kind the placements keep: different groups
// when no group is there twice, else a participant limit they fill. Every
// fifth rule is a preference.
template <class Rule>
void FinishRule(EventDoc& doc, Rule& rule, const std::vector<LONG>& v_groups, int i_rule)
{
    std::vector<LONG> v_sorted = v_groups;
    std::sort(v_sorted.begin(), v_sorted.end());
    if (std::adjacent_find(v_sorted.begin(), v_sorted.end()) == v_sorted.end()) {
        rule.SetKind(SchedRule::e_different_groups);
    } else {
        UINT n_members = 0;
        for (const LONG l_key : v_groups)
            n_members += static_cast<UINT>(doc.GetGroups()[doc.GetGroups().FindByKey(l_key)].GetMembers().GetSize());
        rule.SetKind(SchedRule::e_limit_participants);
        rule.GetLimit() = Range(0, n_members + 2);
    }
    if (i_rule % 5 == 4)
        rule.SetStrength(SchedRule::e_preference);
    rule.UpdateValid(&doc);
}

// n distinct values below n_range, in the order drawn.
std::vector<int> Distinct(Draw& dice, int n, int n_range)
{
    std::vector<int> v_out;
    n = std::min(n, n_range);
    while (static_cast<int>(v_out.size()) < n) {
        const int i = dice.Below(n_range);
        if (std::find(v_out.begin(), v_out.end(), i) == v_out.end())
            v_out.push_back(i);
    }
    return v_out;
}

void MakeRules(EventDoc& doc, const EventOptions& o, Draw& dice)
{
    Timetable& timetable = *doc.GetTimetable();
    const DayDefBase& days = doc.GetEventDef().GetDayDef();
    for (int r = 0; r < o.nDayRules; ++r) {
        const int d = dice.Below(o.nDays);
        const int s = dice.Below(o.nSlotsPerDay);
        DayRule rule;
        rule.SetDayId(days.GetDayId(d));
        std::vector<LONG> v_groups;
        for (const int v : Distinct(dice, 2 + dice.Below(3), o.nVenues)) {
            rule.GetScope().AddTime(rule.GetDayId(), HourSlot(s, doc.GetVenues()[v].GetKey()));
            const LONG l_key = timetable.GetDay(d).GetVenueSlots(v)[s].GetGroup();
            if (l_key >= 0)
                v_groups.push_back(l_key);
        }
        FinishRule(doc, rule, v_groups, r);
        doc.GetSchedulingRules().GetDayRules().Add(rule);
    }
    for (int r = 0; r < o.nVenueRules; ++r) {
        const int v = dice.Below(o.nVenues);
        const int s = dice.Below(o.nSlotsPerDay);
        VenueRule rule(doc.GetVenues()[v].GetKey());
        std::vector<LONG> v_groups;
        for (const int d : Distinct(dice, 2 + dice.Below(2), o.nDays)) {
            rule.GetScope().AddTime(days.GetDayId(d), HourSlot(s, -1));
            const LONG l_key = timetable.GetDay(d).GetVenueSlots(v)[s].GetGroup();
            if (l_key >= 0)
                v_groups.push_back(l_key);
        }
        rule.SetVenueKey(rule.GetVenueKey());
        FinishRule(doc, rule, v_groups, r);
        doc.GetSchedulingRules().GetVenueRules().Add(rule);
    }
}

} // namespace

void ResetKeyCounters()
{
    Group::SetKeyCounter(1);
    Participant::SetKeyCounter(1);
    Venue::SetKeyCounter(1);
    Property::SetKeyCounter(1);
}

std::unique_ptr<EventDoc> GenerateEvent(const EventOptions& options)
{
    const EventOptions o = Clamped(options);
    Draw dice(o.uSeed);
    ResetKeyCounters();

    auto p_doc = std::make_unique<EventDoc>();
    EventDoc& doc = *p_doc;
    MakeDays(doc, o);
    MakeVenues(doc, o, dice);
    MakeParticipants(doc, o, dice);
    MakeGroups(doc, o, dice);
    // The keys were given: the counters go on after them.
    Group::SetKeyCounter(o.nGroups + 1);
    Participant::SetKeyCounter(o.nParticipants + 1);
    Venue::SetKeyCounter(o.nVenues + 1);
    if (!o.bTimetable)
        return p_doc;

    doc.NewTimetable();
    Filler filler(doc, o, dice);
    filler.Fill();
    filler.Lock();
    MakeRules(doc, o, dice);
    return p_doc;
}

EventSummary SummarizeEvent(const EventDoc& doc)
{
    EventSummary summary;
    summary.nGroups = doc.GetGroups().GetNumGroups();
    summary.nParticipants = doc.GetParticipants().GetNumParticipants();
    for (int g = 0; g < summary.nGroups; ++g)
        summary.nMembers += doc.GetGroups()[g].GetMembers().GetSize();
    summary.nDays = doc.GetEventDef().GetDayDef().GetNumDays();
    summary.nVenues = doc.GetNumVenues();
    summary.nDayRules = doc.GetSchedulingRules().GetNumDayRules();
    summary.nVenueRules = doc.GetSchedulingRules().GetNumVenueRules();
    const Timetable* p_timetable = doc.GetTimetable();
    if (p_timetable == nullptr)
        return summary;
    for (int d = 0; d < p_timetable->GetNumDays(); ++d) {
        const Day& day = p_timetable->GetDay(d);
        for (int v = 0; v < day.GetNumVenues(); ++v) {
            const TimeslotArray& a_slots = day.GetVenueSlots(v);
            summary.nCells += a_slots.GetSize();
            for (int s = 0; s < a_slots.GetSize(); ++s) {
                summary.nPlacements += a_slots[s].GetGroup() >= 0 ? 1 : 0;
                summary.nLocked += a_slots[s].IsLocked() ? 1 : 0;
            }
        }
    }
    return summary;
}

// ---- options ----

namespace {

struct IntOption {
    const char* pName;
    int EventOptions::*pValue;
    int nLow;
    int nHigh;
};

const IntOption kIntOptions[] = {
    {"groups", &EventOptions::nGroups, 0, 1000000},
    {"participants", &EventOptions::nParticipants, 0, 1000000},
    {"days", &EventOptions::nDays, 1, 3650},
    {"venues", &EventOptions::nVenues, 1, 1000},
    {"slots", &EventOptions::nSlotsPerDay, 1, 15},
    {"styles", &EventOptions::nStyles, 1, 1000},
    {"facilities", &EventOptions::nFacilities, 0, 1000},
    {"min-members", &EventOptions::nMinMembers, 0, 100},
    {"max-members", &EventOptions::nMaxMembers, 0, 100},
    {"fill", &EventOptions::nFillPercent, 0, 100},
    {"locks", &EventOptions::nLockPercent, 0, 100},
    {"venue-limits", &EventOptions::nVenueLimitPercent, 0, 100},
    {"chunks", &EventOptions::nChunkPercent, 0, 100},
    {"rotation", &EventOptions::nRotationPercent, 0, 100},
    {"unavailable", &EventOptions::nUnavailablePercent, 0, 100},
    {"day-rules", &EventOptions::nDayRules, 0, 100000},
    {"venue-rules", &EventOptions::nVenueRules, 0, 100000},
};

bool ReadNumber(const std::string& s_text, long long& ll_value)
{
    if (s_text.empty())
        return false;
    char* p_end = nullptr;
    ll_value = std::strtoll(s_text.c_str(), &p_end, 10);
    return p_end != nullptr && *p_end == '\0';
}

} // namespace

bool ParseEventOptions(int argc, char** argv, EventOptions& options, std::string& s_error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string s_arg = argv[i];
        if (s_arg.rfind("--", 0) != 0)
            continue;
        if (s_arg == "--no-timetable") {
            options.bTimetable = false;
            continue;
        }
        const std::size_t n_equals = s_arg.find('=');
        const std::string s_name = s_arg.substr(2, n_equals == std::string::npos ? std::string::npos : n_equals - 2);
        const std::string s_value = n_equals == std::string::npos ? std::string() : s_arg.substr(n_equals + 1);
        long long ll_value = 0;
        if (s_name == "seed") {
            if (!ReadNumber(s_value, ll_value) || ll_value < 0 || ll_value > 0xFFFFFFFFLL) {
                s_error = "the seed must be a number from 0 to 4294967295: " + s_arg;
                return false;
            }
            options.uSeed = static_cast<std::uint32_t>(ll_value);
            continue;
        }
        const IntOption* p_option = nullptr;
        for (const IntOption& option : kIntOptions) {
            if (s_name == option.pName)
                p_option = &option;
        }
        if (p_option == nullptr) {
            s_error = "unknown option: " + s_arg;
            return false;
        }
        if (!ReadNumber(s_value, ll_value) || ll_value < p_option->nLow || ll_value > p_option->nHigh) {
            s_error = "--" + s_name + " takes a number from " + std::to_string(p_option->nLow) + " to "
                + std::to_string(p_option->nHigh) + ": " + s_arg;
            return false;
        }
        options.*(p_option->pValue) = static_cast<int>(ll_value);
    }
    return true;
}

std::string DescribeEventOptions(const EventOptions& options)
{
    std::string s_text = "--seed=" + std::to_string(options.uSeed);
    for (const IntOption& option : kIntOptions)
        s_text += " --" + std::string(option.pName) + "=" + std::to_string(options.*(option.pValue));
    if (!options.bTimetable)
        s_text += " --no-timetable";
    return s_text;
}

} // namespace benchevent
