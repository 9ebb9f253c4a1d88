#include "generators/TimetableChecker.h"

#include "model/EventDoc.h"

#include <algorithm>
#include <map>
#include <set>

namespace testcheck {

namespace {

// A timeslot that holds a group.
struct Cell {
    int iDay;
    int iVenue;
    int iSlot;
    const Timeslot* pSlot;
    int iGroup; // -1 for a key the group list does not hold
};

std::vector<Cell> FilledCells(const EventDoc& doc)
{
    std::vector<Cell> v_cells;
    const Timetable* p_timetable = doc.GetTimetable();
    if (p_timetable == nullptr)
        return v_cells;
    for (int d = 0; d < p_timetable->GetNumDays(); ++d) {
        const Day& day = p_timetable->GetDay(d);
        for (int v = 0; v < day.GetNumVenues(); ++v) {
            const TimeslotArray& a_slots = day.GetVenueSlots(v);
            for (int s = 0; s < a_slots.GetSize(); ++s) {
                const Timeslot& slot = a_slots[s];
                if (slot.GetGroup() >= 0)
                    v_cells.push_back({d, v, s, &slot, doc.GetGroups().FindByKey(slot.GetGroup())});
            }
        }
    }
    return v_cells;
}

std::string VenueName(const EventDoc& doc, int i_venue)
{
    return i_venue < doc.GetNumVenues() ? doc.GetVenues()[i_venue].GetName() : "#" + std::to_string(i_venue);
}

std::string Where(const EventDoc& doc, const Cell& cell)
{
    return "day '" + doc.GetTimetable()->GetDay(cell.iDay).GetName() + "' venue '" + VenueName(doc, cell.iVenue)
        + "' " + cell.pSlot->GetTimeText(TRUE, FALSE) + "-" + cell.pSlot->GetTimeText(TRUE, TRUE);
}

std::string GroupName(const EventDoc& doc, const Cell& cell)
{
    return cell.iGroup >= 0 ? "'" + doc.GetGroups()[cell.iGroup].GetName() + "'"
                            : "key " + std::to_string(cell.pSlot->GetGroup());
}

std::string PartName(const EventDoc& doc, LONG l_key)
{
    const int i = doc.GetParticipants().FindByKey(l_key);
    return i >= 0 ? "'" + doc.GetParticipants()[i].GetFullName() + "'" : "key " + std::to_string(l_key);
}

// The participant keys of the cell's group.
std::set<LONG> Members(const EventDoc& doc, const Cell& cell)
{
    std::set<LONG> s_keys;
    if (cell.iGroup < 0)
        return s_keys;
    const GroupMembers& members = doc.GetGroups()[cell.iGroup].GetMembers();
    for (int m = 0; m < members.GetSize(); ++m)
        s_keys.insert(members[m].lParticipantKey);
    return s_keys;
}

bool KeyListHas(const KeyList& keys, LONG l_key)
{
    for (int i = 0; i < keys.GetMaxKeys(); ++i) {
        if (keys[i] >= 0 && keys[i] == l_key)
            return true;
    }
    return false;
}

bool Overlap(const Timeslot& a, const Timeslot& b)
{
    return a.GetStartOffset() < b.GetEndOffset() && b.GetStartOffset() < a.GetEndOffset();
}


// The maximum of an entity's limit kind, and its count, as one problem.
void CheckMax(std::vector<std::string>& v_problems, const std::string& s_who, const std::string& s_scope, UINT u_count,
              UINT u_max)
{
    if (u_count > u_max) {
        v_problems.push_back(s_who + " is placed " + std::to_string(u_count) + " times " + s_scope + ", at most "
                             + std::to_string(u_max));
    }
}

// Placement counts of one entity.
struct Counts {
    UINT uTotal = 0;
    std::map<int, UINT> Days;
    std::map<int, UINT> Venues;
};

void CheckEntityMaxima(const EventDoc& doc, std::vector<std::string>& v_problems, const std::string& s_who,
                       const SchedEntity& entity, const Counts& counts)
{
    for (const auto& [i_day, u_count] : counts.Days) {
        CheckMax(v_problems, s_who, "on day '" + doc.GetTimetable()->GetDay(i_day).GetName() + "'", u_count,
                 entity.GetDayLimits().GetMax());
    }
    if (!entity.GetUseVenueLimits()) {
        CheckMax(v_problems, s_who, "over the event", counts.uTotal, entity.GetStoredEventLimits().GetMax());
        return;
    }
    for (const auto& [i_venue, u_count] : counts.Venues) {
        if (i_venue >= doc.GetNumVenues())
            continue;
        if (const VenueLimit* p_limit = entity.GetVenueLimit(doc.GetVenues()[i_venue].GetKey()))
            CheckMax(v_problems, s_who, "in venue '" + VenueName(doc, i_venue) + "'", u_count, p_limit->Limit.GetMax());
    }
}

} // namespace

TimetableChecker::TimetableChecker(const EventDoc& doc) : Doc(doc) {}

std::vector<LockedCell> TimetableChecker::TakeLocks(const EventDoc& doc)
{
    std::vector<LockedCell> v_locks;
    for (const Cell& cell : FilledCells(doc)) {
        if (cell.pSlot->IsLocked())
            v_locks.push_back({cell.iDay, cell.iVenue, cell.iSlot, cell.pSlot->GetGroup()});
    }
    return v_locks;
}

std::vector<std::string> TimetableChecker::CheckAll(const std::vector<LockedCell>& v_locks) const
{
    std::vector<std::string> v_problems;
    for (const std::vector<std::string>& v : {CheckPlacements(), CheckClashes(), CheckTravel(), CheckMaxima(),
                                              CheckChunks(), CheckLocks(v_locks), CheckRules()})
        v_problems.insert(v_problems.end(), v.begin(), v.end());
    return v_problems;
}

std::vector<std::string> TimetableChecker::CheckPlacements() const
{
    std::vector<std::string> v_problems;
    for (const Cell& cell : FilledCells(Doc)) {
        if (cell.iGroup < 0) {
            v_problems.push_back(Where(Doc, cell) + ": holds unknown group key " + std::to_string(cell.pSlot->GetGroup()));
            continue;
        }
        const Group& group = Doc.GetGroups()[cell.iGroup];
        if (cell.iVenue >= Doc.GetNumVenues()) {
            v_problems.push_back(Where(Doc, cell) + ": a venue the event does not have");
            continue;
        }
        const Venue& venue = Doc.GetVenues()[cell.iVenue];
        if (venue.GetStyles().GetCount() > 0) {
            bool b_style = false;
            for (int i = 0; i < group.GetStyles().GetMaxKeys(); ++i)
                b_style = b_style || (group.GetStyles()[i] >= 0 && KeyListHas(venue.GetStyles(), group.GetStyles()[i]));
            if (!b_style)
                v_problems.push_back(Where(Doc, cell) + ": group " + GroupName(Doc, cell) + " has no style of the venue");
        }
        for (int i = 0; i < group.GetFacilities().GetMaxKeys(); ++i) {
            const LONG l_facility = group.GetFacilities()[i];
            if (l_facility >= 0 && !KeyListHas(venue.GetFacilities(), l_facility)) {
                v_problems.push_back(Where(Doc, cell) + ": group " + GroupName(Doc, cell) + " needs facility key "
                                     + std::to_string(l_facility));
            }
        }
        const LONG l_dayId = Doc.GetTimetable()->GetDay(cell.iDay).GetDayId();
        if (!group.IsAvailable(&Doc, l_dayId, *cell.pSlot))
            v_problems.push_back(Where(Doc, cell) + ": group " + GroupName(Doc, cell) + " is not available");
    }
    return v_problems;
}

std::vector<std::string> TimetableChecker::CheckClashes() const
{
    std::vector<std::string> v_problems;
    const std::vector<Cell> v_cells = FilledCells(Doc);
    for (std::size_t a = 0; a < v_cells.size(); ++a) {
        for (std::size_t b = a + 1; b < v_cells.size(); ++b) {
            const Cell& one = v_cells[a];
            const Cell& two = v_cells[b];
            if (one.iDay != two.iDay || one.iVenue == two.iVenue || !Overlap(*one.pSlot, *two.pSlot))
                continue;
            if (one.pSlot->GetGroup() == two.pSlot->GetGroup()) {
                v_problems.push_back("group " + GroupName(Doc, one) + " is in " + Where(Doc, one) + " and in "
                                     + Where(Doc, two));
                continue;
            }
            const std::set<LONG> s_one = Members(Doc, one);
            for (LONG l_part : Members(Doc, two)) {
                if (s_one.count(l_part)) {
                    v_problems.push_back("participant " + PartName(Doc, l_part) + " is in " + Where(Doc, one)
                                         + " and in " + Where(Doc, two));
                }
            }
        }
    }
    return v_problems;
}

std::vector<std::string> TimetableChecker::CheckTravel() const
{
    std::vector<std::string> v_problems;
    const Preferences& prefs = Doc.GetPreferences();
    if (!prefs.GetAllowTravel())
        return v_problems;
    const CHighTimeSpan travel(0, 0, static_cast<int>(prefs.GetTravelMinutes()));
    const std::vector<Cell> v_cells = FilledCells(Doc);
    for (const Cell& one : v_cells) {
        for (const Cell& two : v_cells) {
            if (one.iDay != two.iDay || one.iVenue == two.iVenue || Overlap(*one.pSlot, *two.pSlot))
                continue;
            if (two.pSlot->GetStartOffset() < one.pSlot->GetEndOffset())
                continue; // each pair once: one before two
            const CHighTimeSpan gap = two.pSlot->GetStartOffset() - one.pSlot->GetEndOffset();
            if (!(gap < travel))
                continue;
            const std::set<LONG> s_one = Members(Doc, one);
            for (LONG l_part : Members(Doc, two)) {
                if (s_one.count(l_part)) {
                    v_problems.push_back("participant " + PartName(Doc, l_part) + " has " + std::to_string(gap.GetTotalMinutes())
                                         + " minutes from " + Where(Doc, one) + " to " + Where(Doc, two));
                }
            }
        }
    }
    return v_problems;
}

std::vector<std::string> TimetableChecker::CheckMaxima() const
{
    std::vector<std::string> v_problems;
    std::map<int, Counts> groups;
    std::map<LONG, Counts> parts;
    for (const Cell& cell : FilledCells(Doc)) {
        if (cell.iGroup < 0)
            continue;
        Counts& g = groups[cell.iGroup];
        ++g.uTotal;
        ++g.Days[cell.iDay];
        ++g.Venues[cell.iVenue];
        for (LONG l_part : Members(Doc, cell)) {
            Counts& c = parts[l_part];
            ++c.uTotal;
            ++c.Days[cell.iDay];
            ++c.Venues[cell.iVenue];
        }
    }
    for (const auto& [i_group, counts] : groups) {
        const Group& group = Doc.GetGroups()[i_group];
        CheckEntityMaxima(Doc, v_problems, "group '" + group.GetName() + "'", group, counts);
    }
    for (const auto& [l_part, counts] : parts) {
        const int i = Doc.GetParticipants().FindByKey(l_part);
        if (i >= 0)
            CheckEntityMaxima(Doc, v_problems, "participant " + PartName(Doc, l_part), Doc.GetParticipants()[i], counts);
    }
    return v_problems;
}

std::vector<std::string> TimetableChecker::CheckChunks() const
{
    std::vector<std::string> v_problems;
    const Timetable* p_timetable = Doc.GetTimetable();
    if (p_timetable == nullptr)
        return v_problems;
    const DayDefBase& days = Doc.GetEventDef().GetDayDef();
    const int n_days = p_timetable->GetNumDays();
    for (int g = 0; g < Doc.GetGroups().GetNumGroups(); ++g) {
        const Group& group = Doc.GetGroups()[g];
        for (int v = 0; v < Doc.GetNumVenues(); ++v) {
            const VenueAlloc& alloc = group.GetVenueAlloc(Doc.GetVenues()[v].GetKey());
            const UINT u_min = std::max<UINT>(alloc.Alloc.GetMin(), 1);
            const UINT u_max = std::min<UINT>(alloc.Alloc.GetMax(), 999);
            // The cells of the venue in order, a run broken between days
            // unless it may go on into a day that follows.
            UINT n_run = 0;
            std::string s_start;
            auto end_run = [&]() {
                if (n_run > 0 && (n_run < u_min || n_run > u_max)) {
                    v_problems.push_back("group '" + group.GetName() + "' holds " + std::to_string(n_run)
                                         + " consecutive timeslots from " + s_start + ", allowed "
                                         + std::to_string(u_min) + " to " + std::to_string(u_max));
                }
                n_run = 0;
            };
            for (int d = 0; d < n_days; ++d) {
                const Day& day = p_timetable->GetDay(d);
                if (v >= day.GetNumVenues())
                    continue;
                if (d > 0) {
                    const int i_prev = p_timetable->GetDay(d - 1).GetDayIndex();
                    const bool b_follows = alloc.bConsecutive && i_prev >= 0 && day.GetDayIndex() >= 0
                        && days.IsConsecutive(i_prev, day.GetDayIndex());
                    const int i_prev_venues = p_timetable->GetDay(d - 1).GetNumVenues();
                    if (!b_follows || v >= i_prev_venues || p_timetable->GetDay(d - 1).GetVenueSlots(v).GetSize() == 0)
                        end_run();
                }
                const TimeslotArray& a_slots = day.GetVenueSlots(v);
                for (int s = 0; s < a_slots.GetSize(); ++s) {
                    if (a_slots[s].GetGroup() == group.GetKey()) {
                        if (n_run++ == 0)
                            s_start = Where(Doc, Cell{d, v, s, &a_slots[s], g});
                    } else {
                        end_run();
                    }
                }
            }
            end_run();
        }
    }
    return v_problems;
}

std::vector<std::string> TimetableChecker::CheckLocks(const std::vector<LockedCell>& v_locks) const
{
    std::vector<std::string> v_problems;
    const Timetable* p_timetable = Doc.GetTimetable();
    for (const LockedCell& lock : v_locks) {
        const std::string s_where = "day " + std::to_string(lock.iDay) + " venue " + std::to_string(lock.iVenue)
            + " slot " + std::to_string(lock.iSlot);
        if (p_timetable == nullptr || lock.iDay >= p_timetable->GetNumDays()
            || lock.iVenue >= p_timetable->GetDay(lock.iDay).GetNumVenues()
            || lock.iSlot >= p_timetable->GetDay(lock.iDay).GetVenueSlots(lock.iVenue).GetSize()) {
            v_problems.push_back("the locked cell " + s_where + " is gone");
            continue;
        }
        const Timeslot& slot = p_timetable->GetDay(lock.iDay).GetVenueSlots(lock.iVenue)[lock.iSlot];
        if (slot.GetGroup() != lock.lGroupKey || !slot.IsLocked()) {
            v_problems.push_back("the lock of group key " + std::to_string(lock.lGroupKey) + " in " + s_where
                                 + " is lost: it holds key " + std::to_string(slot.GetGroup())
                                 + (slot.IsLocked() ? ", locked" : ", unlocked"));
        }
    }
    return v_problems;
}

namespace {

// A placed timeslot a rule covers.
struct RuleCell {
    std::string sWhere;
    LONG lGroupKey;
    int iGroup; // -1 for a key the group list does not hold
};

bool SharesStyle(const KeyList& a, const KeyList& b)
{
    for (int i = 0; i < a.GetMaxKeys(); ++i) {
        if (a[i] >= 0 && KeyListHas(b, a[i]))
            return true;
    }
    return false;
}

// The placed timeslots of the rule, day by day in the timetable's order and
// within a day in the order of the rule's times. A time stands for the
// timeslot of its venue (a day rule's times each name theirs; a venue
// rule's is the rule's) with the same start and end on the time's day.
std::vector<RuleCell> RuleCells(const EventDoc& doc, const SchedRule& rule, LONG l_ruleVenueKey)
{
    std::vector<RuleCell> v_cells;
    const Timetable* p_timetable = doc.GetTimetable();
    const TimeList& scope = rule.GetScope();
    for (int d = 0; d < p_timetable->GetNumDays(); ++d) {
        const Day& day = p_timetable->GetDay(d);
        for (int t = 0; t < scope.GetNumDays(); ++t) {
            const TimeListDay& times = scope.GetDay(t);
            if (times.lDayId != day.GetDayId())
                continue;
            for (int i = 0; i < times.Times.GetSize(); ++i) {
                const ZelRelTimeslot& time = times.Times[i];
                const LONG l_venueKey = l_ruleVenueKey >= 0 ? l_ruleVenueKey : time.GetSetKey();
                int i_venue = -1;
                for (int v = 0; v < doc.GetNumVenues(); ++v) {
                    if (doc.GetVenues()[v].GetKey() == l_venueKey)
                        i_venue = v;
                }
                if (i_venue < 0 || i_venue >= day.GetNumVenues())
                    continue;
                const TimeslotArray& a_slots = day.GetVenueSlots(i_venue);
                for (int s = 0; s < a_slots.GetSize(); ++s) {
                    const Timeslot& slot = a_slots[s];
                    if (slot.GetStartOffset() != time.GetStart()
                        || slot.GetEndOffset() != time.GetEnd() || slot.GetGroup() < 0)
                        continue;
                    const Cell cell{d, i_venue, s, &slot, doc.GetGroups().FindByKey(slot.GetGroup())};
                    v_cells.push_back({Where(doc, cell), slot.GetGroup(), cell.iGroup});
                }
            }
        }
    }
    return v_cells;
}

std::string RuleGroupName(const EventDoc& doc, const RuleCell& cell)
{
    return cell.iGroup >= 0 ? "'" + doc.GetGroups()[cell.iGroup].GetName() + "'"
                            : "key " + std::to_string(cell.lGroupKey);
}

const KeyList& RuleGroupStyles(const EventDoc& doc, const RuleCell& cell)
{
    static const KeyList none;
    return cell.iGroup >= 0 ? doc.GetGroups()[cell.iGroup].GetStyles() : none;
}

// What the rule asks of the groups placed in its timeslots: the sum of
// their members at most the maximum; no group twice; every group sharing a
// style with the first; no two sharing one; every group with one of the
// selected styles.
void JudgeRule(const EventDoc& doc, const SchedRule& rule, const std::string& s_rule, LONG l_ruleVenueKey,
               std::vector<std::string>& v_problems)
{
    if (!rule.IsEnabled() || !rule.IsValid() || rule.GetStrength() != SchedRule::e_mandatory)
        return;
    const std::vector<RuleCell> v_cells = RuleCells(doc, rule, l_ruleVenueKey);
    const std::string s_head = s_rule + " (" + SchedRule::GetKindName(rule.GetKind()) + "): ";
    switch (rule.GetKind()) {
    case SchedRule::e_limit_participants: {
        UINT n_members = 0;
        for (const RuleCell& cell : v_cells)
            n_members += cell.iGroup >= 0 ? static_cast<UINT>(doc.GetGroups()[cell.iGroup].GetMembers().GetSize()) : 0;
        if (n_members > rule.GetLimit().GetMax()) {
            v_problems.push_back(s_head + std::to_string(n_members) + " participants, at most "
                                 + std::to_string(rule.GetLimit().GetMax()));
        }
        break;
    }
    case SchedRule::e_different_groups:
        for (std::size_t a = 0; a < v_cells.size(); ++a) {
            for (std::size_t b = a + 1; b < v_cells.size(); ++b) {
                if (v_cells[a].lGroupKey == v_cells[b].lGroupKey) {
                    v_problems.push_back(s_head + "group " + RuleGroupName(doc, v_cells[a]) + " in " + v_cells[a].sWhere
                                         + " and in " + v_cells[b].sWhere);
                }
            }
        }
        break;
    case SchedRule::e_same_styles:
        for (std::size_t b = 1; b < v_cells.size(); ++b) {
            if (!SharesStyle(RuleGroupStyles(doc, v_cells[b]), RuleGroupStyles(doc, v_cells[0]))) {
                v_problems.push_back(s_head + "group " + RuleGroupName(doc, v_cells[b]) + " in " + v_cells[b].sWhere
                                     + " has no style of group " + RuleGroupName(doc, v_cells[0]));
            }
        }
        break;
    case SchedRule::e_different_styles:
        for (std::size_t a = 0; a < v_cells.size(); ++a) {
            for (std::size_t b = a + 1; b < v_cells.size(); ++b) {
                if (SharesStyle(RuleGroupStyles(doc, v_cells[a]), RuleGroupStyles(doc, v_cells[b]))) {
                    v_problems.push_back(s_head + "groups " + RuleGroupName(doc, v_cells[a]) + " and "
                                         + RuleGroupName(doc, v_cells[b]) + " share a style, in " + v_cells[a].sWhere
                                         + " and " + v_cells[b].sWhere);
                }
            }
        }
        break;
    case SchedRule::e_selected_styles:
        for (const RuleCell& cell : v_cells) {
            if (!SharesStyle(RuleGroupStyles(doc, cell), rule.GetStyles())) {
                v_problems.push_back(s_head + "group " + RuleGroupName(doc, cell) + " in " + cell.sWhere
                                     + " has none of the selected styles");
            }
        }
        break;
    default:
        break;
    }
}

} // namespace

std::vector<std::string> TimetableChecker::CheckRules() const
{
    std::vector<std::string> v_problems;
    if (Doc.GetTimetable() == nullptr)
        return v_problems;
    const SchedulingRules& rules = Doc.GetSchedulingRules();
    for (int r = 0; r < rules.GetNumVenueRules(); ++r) {
        const VenueRule& rule = rules.GetVenueRules()[r];
        JudgeRule(Doc, rule, "venue rule " + std::to_string(r + 1), rule.GetVenueKey(), v_problems);
    }
    for (int r = 0; r < rules.GetNumDayRules(); ++r)
        JudgeRule(Doc, rules.GetDayRules()[r], "day rule " + std::to_string(r + 1), -1, v_problems);
    return v_problems;
}

} // namespace testcheck
