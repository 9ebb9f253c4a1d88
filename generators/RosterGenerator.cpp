#include "generators/RosterGenerator.h"

#include "generators/Draw.h"
#include "model/EventDoc.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace benchevent {

namespace {

// A locked placement of a group: its day and the times of its slot.
struct Place {
    int iDay;
    LONG lDayId;
    const Timeslot* pSlot;
};

// Whether two placements overlap in time (the same day).
bool Overlap(const Place& a, const Place& b)
{
    return a.iDay == b.iDay && a.pSlot->GetStartOffset() < b.pSlot->GetEndOffset()
        && b.pSlot->GetStartOffset() < a.pSlot->GetEndOffset();
}

// a ends no later than b starts (days follow each other).
bool EndsBy(const Place& a, const Place& b)
{
    return a.iDay < b.iDay || (a.iDay == b.iDay && !(b.pSlot->GetStartOffset() < a.pSlot->GetEndOffset()));
}

// One participant's plan: the groups chosen, the placements they bring,
// and its placements per day and in all.
struct Plan {
    std::vector<int> vGroups;
    std::vector<LONG> vStyles;
    // The styles of the groups chosen and of the fixed memberships: a new
    // roster style is one of none of them, so that no style is held twice.
    std::vector<LONG> vCovered;
    std::vector<Place> vPlaces;
    std::vector<UINT> vDayCounts;
    UINT uTotal = 0;
};

} // namespace

EventOptions RosterOptions::DefaultRosterEvent()
{
    EventOptions o;
    o.nLockPercent = 50;
    return o;
}

RosterOptions RosterPreset(int i_size, std::uint32_t u_seed)
{
    RosterOptions o;
    o.Event.uSeed = u_seed;
    switch (i_size) {
    case 0:
        o.Event.nGroups = 50;
        o.Event.nParticipants = 500;
        o.Event.nDays = 5;
        o.Event.nVenues = 6;
        o.Event.nDayRules = 3;
        o.Event.nVenueRules = 3;
        break;
    case 1:
        o.Event.nGroups = 500;
        o.Event.nParticipants = 5000;
        o.Event.nDays = 20;
        o.Event.nVenues = 20;
        o.Event.nDayRules = 10;
        o.Event.nVenueRules = 10;
        break;
    default:
        o.Event.nGroups = 2000;
        o.Event.nParticipants = 20000;
        o.Event.nDays = 60;
        o.Event.nVenues = 40;
        break;
    }
    return o;
}

std::unique_ptr<EventDoc> GenerateRosterEvent(const RosterOptions& options)
{
    std::unique_ptr<EventDoc> p_doc = GenerateEvent(options.Event);
    EventDoc& doc = *p_doc;
    // Drawn apart from the event's own choices, so that the event is the
    // one the same event options give.
    Draw dice(options.Event.uSeed ^ 0x5EED5u);
    const int n_min_room = std::clamp(options.nMinRoom, 0, 10000);
    const int n_max_room = std::clamp(options.nMaxRoom, n_min_room, 10000);
    const int n_max_styles = std::clamp(options.nMaxRosterStyles, 1, 50);

    GroupList& groups = doc.GetGroups();
    ParticipantList& participants = doc.GetParticipants();
    const int n_groups = groups.GetNumGroups();
    const Timetable* p_timetable = doc.GetTimetable();
    const int n_days = p_timetable ? p_timetable->GetNumDays() : 0;

    // Every placement of each group, and its locked ones.
    std::vector<std::vector<Place>> v_all(static_cast<std::size_t>(n_groups));
    std::vector<std::vector<Place>> v_locked(static_cast<std::size_t>(n_groups));
    for (int d = 0; d < n_days; ++d) {
        const Day& day = p_timetable->GetDay(d);
        for (int v = 0; v < day.GetNumVenues(); ++v) {
            const TimeslotArray& a_slots = day.GetVenueSlots(v);
            for (int s = 0; s < a_slots.GetSize(); ++s) {
                const int g = a_slots[s].GetGroup() >= 0 ? groups.FindByKey(a_slots[s].GetGroup()) : -1;
                if (g < 0)
                    continue;
                const Place place{d, day.GetDayId(), &a_slots[s]};
                v_all[static_cast<std::size_t>(g)].push_back(place);
                if (a_slots[s].IsLocked())
                    v_locked[static_cast<std::size_t>(g)].push_back(place);
            }
        }
    }
    std::vector<int> v_candidates;
    for (int g = 0; g < n_groups; ++g) {
        if (!v_locked[static_cast<std::size_t>(g)].empty())
            v_candidates.push_back(g);
    }
    std::vector<int> v_planned(static_cast<std::size_t>(n_groups), 0);

    for (int p = 0; p < participants.GetNumParticipants() && !v_candidates.empty(); ++p) {
        if (!dice.Percent(options.nRosterPercent))
            continue;
        Participant& part = participants[p];
        const LONG l_key = part.GetKey();
        Plan plan;
        plan.vDayCounts.assign(static_cast<std::size_t>(n_days), 0);
        // The fixed memberships: every placement counts, the locked ones
        // also clash.
        for (int g = 0; g < n_groups; ++g) {
            if (!groups[g].GetMembers().HasMember(l_key))
                continue;
            for (const Place& place : v_all[static_cast<std::size_t>(g)]) {
                ++plan.vDayCounts[static_cast<std::size_t>(place.iDay)];
                ++plan.uTotal;
            }
            for (const Place& place : v_locked[static_cast<std::size_t>(g)])
                plan.vPlaces.push_back(place);
            for (int k = 0; k < groups[g].GetStyles().GetMaxKeys(); ++k)
                plan.vCovered.push_back(groups[g].GetStyles()[k]);
        }
        const UINT u_day_max = part.GetDayLimits().GetMax();
        const UINT u_event_max = part.GetEventLimits().GetMax();
        const int n_wanted = dice.Between(1, n_max_styles);
        // An unplanned participant takes groups of new styles as they come.
        const bool b_planned = options.nPlannedPercent >= 100 || dice.Percent(options.nPlannedPercent);
        std::vector<std::pair<int, LONG>> v_chosen;
        for (int n_try = 0; n_try < 40 && static_cast<int>(v_chosen.size()) < n_wanted; ++n_try) {
            const int g = v_candidates[static_cast<std::size_t>(dice.Below(static_cast<int>(v_candidates.size())))];
            const Group& group = groups[g];
            const std::vector<Place>& v_places = v_locked[static_cast<std::size_t>(g)];
            if (group.GetMembers().HasMember(l_key)
                || std::find(plan.vGroups.begin(), plan.vGroups.end(), g) != plan.vGroups.end())
                continue;
            LONG l_style = -1;
            bool b_shares = false;
            for (int k = 0; k < group.GetStyles().GetMaxKeys(); ++k) {
                const LONG l_candidate = group.GetStyles()[k];
                if (l_candidate < 0)
                    continue;
                b_shares = b_shares
                    || std::find(plan.vStyles.begin(), plan.vStyles.end(), l_candidate) != plan.vStyles.end();
                const std::vector<LONG>& v_taken = b_planned ? plan.vCovered : plan.vStyles;
                if (l_style < 0 && std::find(v_taken.begin(), v_taken.end(), l_candidate) == v_taken.end())
                    l_style = l_candidate;
            }
            if (l_style < 0 || (b_shares && b_planned))
                continue;
            bool b_fits = plan.uTotal + v_places.size() <= u_event_max;
            std::vector<UINT> v_days = plan.vDayCounts;
            for (const Place& place : v_places) {
                b_fits = b_fits && part.IsAvailable(&doc, place.lDayId, *place.pSlot)
                    && ++v_days[static_cast<std::size_t>(place.iDay)] <= u_day_max;
                for (const Place& other : plan.vPlaces)
                    b_fits = b_fits && !Overlap(place, other);
            }
            if (!b_fits && b_planned)
                continue;
            plan.vGroups.push_back(g);
            plan.vStyles.push_back(l_style);
            for (int k = 0; k < group.GetStyles().GetMaxKeys(); ++k)
                plan.vCovered.push_back(group.GetStyles()[k]);
            plan.vDayCounts = v_days;
            plan.uTotal += static_cast<UINT>(v_places.size());
            plan.vPlaces.insert(plan.vPlaces.end(), v_places.begin(), v_places.end());
            v_chosen.emplace_back(g, l_style);
            if (b_planned)
                ++v_planned[static_cast<std::size_t>(g)];
        }
        if (v_chosen.empty())
            continue;

        // In the time order of the planned groups; a new order number
        // where a group starts after every earlier one has ended.
        auto first = [&](int g) { return v_locked[static_cast<std::size_t>(g)].front(); };
        auto last = [&](int g) {
            const std::vector<Place>& v_places = v_locked[static_cast<std::size_t>(g)];
            return *std::max_element(v_places.begin(), v_places.end(),
                                     [](const Place& a, const Place& b) { return EndsBy(a, b) && !EndsBy(b, a); });
        };
        std::sort(v_chosen.begin(), v_chosen.end(), [&](const auto& a, const auto& b) {
            const Place pa = first(a.first), pb = first(b.first);
            return pa.iDay != pb.iDay ? pa.iDay < pb.iDay : pa.pSlot->GetStartOffset() < pb.pSlot->GetStartOffset();
        });
        const BOOL b_ordered = dice.Percent(options.nOrderedPercent) ? TRUE : FALSE;
        LONG l_order = 1;
        Place latest = last(v_chosen.front().first);
        for (std::size_t i = 0; i < v_chosen.size(); ++i) {
            const int g = v_chosen[i].first;
            if (i > 0) {
                if (EndsBy(latest, first(g)))
                    ++l_order;
                const Place end = last(g);
                if (EndsBy(latest, end))
                    latest = end;
            }
            part.GetOwnRosterStyles().InsertSorted(RosterStyle(v_chosen[i].second, b_ordered ? l_order : 1));
        }
        part.SetOrdered(b_ordered);
        const int n_styles = static_cast<int>(v_chosen.size());
        if (dice.Percent(options.nLimitPercent)) {
            if (dice.Percent(50)) {
                part.SetOwnRosterLim(RosterLim(SchedLim::e_exact, static_cast<UINT>(dice.Between(1, n_styles)), 0, 0));
            } else {
                const UINT u_min = static_cast<UINT>(dice.Between(0, n_styles));
                part.SetOwnRosterLim(RosterLim(SchedLim::e_range, 0, u_min,
                                               u_min + static_cast<UINT>(dice.Below(n_styles - static_cast<int>(u_min) + 1))));
            }
        }
    }

    for (int g = 0; g < n_groups; ++g)
        groups[g].SetMaxGroupSize(groups[g].GetMembers().GetSize() + v_planned[static_cast<std::size_t>(g)]
                                  + dice.Between(n_min_room, n_max_room));
    // The rules keep their kinds and scopes; their participant limits
    // leave room for every roster.
    SchedulingRules& rules = doc.GetSchedulingRules();
    for (int i = 0; i < rules.GetNumDayRules(); ++i) {
        if (rules.GetDayRules()[i].GetKind() == SchedRule::e_limit_participants)
            rules.GetDayRules()[i].GetLimit() = SchedLim(SchedLim::e_range, 0, 0, 100000);
    }
    for (int i = 0; i < rules.GetNumVenueRules(); ++i) {
        if (rules.GetVenueRules()[i].GetKind() == SchedRule::e_limit_participants)
            rules.GetVenueRules()[i].GetLimit() = SchedLim(SchedLim::e_range, 0, 0, 100000);
    }
    return p_doc;
}

// ---- options ----

namespace {

struct IntOption {
    const char* pName;
    int RosterOptions::*pValue;
    int nLow;
    int nHigh;
};

const IntOption kRosterOptions[] = {
    {"room-min", &RosterOptions::nMinRoom, 0, 10000},
    {"room-max", &RosterOptions::nMaxRoom, 0, 10000},
    {"roster-styles", &RosterOptions::nMaxRosterStyles, 1, 50},
    {"rostered", &RosterOptions::nRosterPercent, 0, 100},
    {"ordered", &RosterOptions::nOrderedPercent, 0, 100},
    {"limited", &RosterOptions::nLimitPercent, 0, 100},
    {"planned", &RosterOptions::nPlannedPercent, 0, 100},
};

} // namespace

bool ParseRosterOptions(int argc, char** argv, RosterOptions& options, std::string& s_error)
{
    std::vector<char*> v_event_args{argc > 0 ? argv[0] : nullptr};
    for (int i = 1; i < argc; ++i) {
        const std::string s_arg = argv[i];
        const IntOption* p_option = nullptr;
        for (const IntOption& option : kRosterOptions) {
            if (s_arg.rfind(std::string("--") + option.pName + "=", 0) == 0)
                p_option = &option;
        }
        if (p_option == nullptr) {
            v_event_args.push_back(argv[i]);
            continue;
        }
        const std::string s_value = s_arg.substr(std::string(p_option->pName).size() + 3);
        char* p_end = nullptr;
        const long long ll_value = std::strtoll(s_value.c_str(), &p_end, 10);
        if (s_value.empty() || p_end == nullptr || *p_end != '\0' || ll_value < p_option->nLow
            || ll_value > p_option->nHigh) {
            s_error = std::string("--") + p_option->pName + " takes a number from " + std::to_string(p_option->nLow)
                + " to " + std::to_string(p_option->nHigh) + ": " + s_arg;
            return false;
        }
        options.*(p_option->pValue) = static_cast<int>(ll_value);
    }
    return ParseEventOptions(static_cast<int>(v_event_args.size()), v_event_args.data(), options.Event, s_error);
}

} // namespace benchevent
