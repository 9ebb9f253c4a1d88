#include "bench/RosterGenerator.h"

#include "model/EventDoc.h"

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

namespace benchevent {

namespace {

// The engine's raw output only, as the event generator draws.
class Draw {
public:
    explicit Draw(std::uint32_t u_seed) : Gen(u_seed) {}
    int Below(int n) { return n < 1 ? 0 : static_cast<int>(Gen() % static_cast<std::uint32_t>(n)); }
    int Between(int n_low, int n_high) { return n_low + Below(n_high - n_low + 1); }
    bool Percent(int n_percent) { return Below(100) < n_percent; }

private:
    std::mt19937 Gen;
};

// The style keys that some group in a locked placement carries,
// ascending.
std::vector<LONG> LockedStyles(const EventDoc& doc)
{
    std::vector<LONG> v_keys;
    const Timetable* p_timetable = doc.GetTimetable();
    if (p_timetable == nullptr)
        return v_keys;
    const GroupList& groups = doc.GetGroups();
    for (int d = 0; d < p_timetable->GetNumDays(); ++d) {
        const Day& day = p_timetable->GetDay(d);
        for (int v = 0; v < day.GetNumVenues(); ++v) {
            const TimeslotArray& a_slots = day.GetVenueSlots(v);
            for (int s = 0; s < a_slots.GetSize(); ++s) {
                if (!a_slots[s].IsLocked() || a_slots[s].GetGroup() < 0)
                    continue;
                const KeyList& styles = groups[groups.FindByKey(a_slots[s].GetGroup())].GetStyles();
                for (int k = 0; k < styles.GetMaxKeys(); ++k) {
                    if (styles[k] >= 0)
                        v_keys.push_back(styles[k]);
                }
            }
        }
    }
    std::sort(v_keys.begin(), v_keys.end());
    v_keys.erase(std::unique(v_keys.begin(), v_keys.end()), v_keys.end());
    return v_keys;
}

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
    for (int g = 0; g < groups.GetNumGroups(); ++g)
        groups[g].SetMaxGroupSize(groups[g].GetMembers().GetSize() + dice.Between(n_min_room, n_max_room));

    const std::vector<LONG> v_styles = LockedStyles(doc);
    ParticipantList& participants = doc.GetParticipants();
    for (int p = 0; p < participants.GetNumParticipants() && !v_styles.empty(); ++p) {
        if (!dice.Percent(options.nRosterPercent))
            continue;
        Participant& part = participants[p];
        const int n_wanted = std::min<int>(dice.Between(1, n_max_styles), static_cast<int>(v_styles.size()));
        const BOOL b_ordered = dice.Percent(options.nOrderedPercent) ? TRUE : FALSE;
        std::vector<LONG> v_chosen;
        int i_order = 1;
        while (static_cast<int>(v_chosen.size()) < n_wanted) {
            const LONG l_style = v_styles[static_cast<std::size_t>(dice.Below(static_cast<int>(v_styles.size())))];
            if (std::find(v_chosen.begin(), v_chosen.end(), l_style) != v_chosen.end())
                continue;
            // Ordered styles share an order number now and then.
            if (b_ordered && !v_chosen.empty() && dice.Percent(70))
                ++i_order;
            v_chosen.push_back(l_style);
            part.GetOwnRosterStyles().InsertSorted(RosterStyle(l_style, b_ordered ? i_order : 1));
        }
        part.SetOrdered(b_ordered);
        if (dice.Percent(options.nLimitPercent)) {
            const UINT n = static_cast<UINT>(n_wanted);
            if (dice.Percent(50)) {
                part.SetOwnRosterLim(RosterLim(SchedLim::e_exact, static_cast<UINT>(dice.Between(1, n_wanted)), 0, 0));
            } else {
                const UINT u_min = static_cast<UINT>(dice.Between(0, n_wanted));
                part.SetOwnRosterLim(
                    RosterLim(SchedLim::e_range, 0, u_min, u_min + static_cast<UINT>(dice.Below(n - u_min + 1))));
            }
        }
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
