#include "model/SchedRule.h"

#include "framework/Archive.h"
#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "zelkit/base/ZelStringArray.h"
#include "zelkit/values/ZelTimeslot.h"

#include <algorithm>
#include <vector>

namespace {

// TRUE when one of the keys of a (free slots aside) is among those of b.
BOOL SharesStyle(const KeyList& a, const KeyList& b)
{
    for (int i = 0; i < a.GetMaxKeys(); ++i) {
        const LONG l_key = a[i];
        if (l_key != -1 && b.Find(l_key) >= 0)
            return TRUE;
    }
    return FALSE;
}

// The same slot of the timetable: the slot itself, or one at the same day
// and venue with its key.
bool IsSameSlot(const Timeslot& a, const Timeslot& b)
{
    return &a == &b || (a.GetDay() == b.GetDay() && a.GetVenue() == b.GetVenue() && a.GetSlotKey() == b.GetSlotKey());
}

const Group* FindGroup(const EventDoc* p_doc, LONG l_groupKey)
{
    const GroupList& groups = p_doc->GetGroups();
    const int i_group = groups.FindByKey(l_groupKey);
    return i_group < 0 ? nullptr : &groups[i_group];
}

UINT NumParticipants(const Group& group)
{
    return static_cast<UINT>(group.GetMembers().GetSize());
}

// The texts that place a violation: day, venue and timeslot.
void AddPlace(ZelStringArray& a_args, const EventDoc* p_doc, const Day& day, const Timeslot& slot)
{
    const VenueList& venues = p_doc->GetVenues();
    const int i_venue = slot.GetVenue();
    a_args.Add(day.GetName());
    a_args.Add(i_venue >= 0 && i_venue < venues.GetNumVenues() ? venues[i_venue].GetName() : std::string());
    a_args.Add(slot.GetTimeText(p_doc->GetEventDef().GetDayDef().Is24Hour(), FALSE));
}

} // namespace

// ---- SchedRule ----

SchedRule::SchedRule(BOOL b_perTimeKeys, LONG l_venueKey) : Scope(b_perTimeKeys, l_venueKey) {}

std::string SchedRule::GetKindName(UINT u_kind)
{
    switch (u_kind) {
    case e_limit_participants:
        return "Limit participants";
    case e_same_styles:
        return "Same styles";
    case e_different_styles:
        return "Different styles";
    case e_selected_styles:
        return "Selected styles";
    case e_different_groups:
        return "Different groups";
    default:
        return {};
    }
}

std::string SchedRule::GetStrengthName(UINT u_strength)
{
    switch (u_strength) {
    case e_mandatory:
        return "Mandatory";
    case e_preference:
        return "Preference";
    default:
        return {};
    }
}

BOOL SchedRule::UpdateValid(const EventDoc* p_doc, std::string& s_message)
{
    bValid = Validate(p_doc, s_message);
    return bValid;
}

BOOL SchedRule::UpdateValid(const EventDoc* p_doc)
{
    std::string s_message;
    return UpdateValid(p_doc, s_message);
}

BOOL SchedRule::Validate(const EventDoc* /*p_doc*/, std::string& s_message) const
{
    s_message.clear();
    const int n_times = GetNumTimes();
    UINT u_problem = 0;
    switch (uKind) {
    case e_limit_participants:
        if (n_times < 1)
            u_problem = IDS_RULE_SELECT_TIMESLOT;
        else if (Limit.uType != SchedLim::e_range)
            u_problem = IDS_RULE_SELECT_MAXIMUM;
        break;
    case e_same_styles:
    case e_different_styles:
        if (n_times < 2)
            u_problem = IDS_RULE_SELECT_TWO_TIMESLOTS;
        break;
    case e_selected_styles:
        if (n_times < 1)
            u_problem = IDS_RULE_SELECT_TIMESLOT;
        else if (Styles.GetCount() == 0)
            u_problem = IDS_RULE_SELECT_STYLES;
        break;
    case e_different_groups:
        if (n_times < 1)
            u_problem = IDS_RULE_SELECT_TIMESLOT;
        break;
    default:
        break;
    }
    if (u_problem == 0)
        return 1;
    s_message = LoadResString(u_problem, "");
    return 0;
}

BOOL SchedRule::Revalidate(EventDoc* p_doc)
{
    const BOOL b_changed = Scope.Revalidate(p_doc, TRUE);
    if (uKind >= e_same_styles && uKind <= e_selected_styles) {
        const StyleList& styles = p_doc->GetStyles();
        for (int i = 0; i < Styles.GetMaxKeys(); ++i) {
            if (Styles[i] != -1 && styles.FindByKey(Styles[i]) < 0)
                Styles.SetAt(i, -1);
        }
    }
    UpdateValid(p_doc);
    return b_changed;
}

std::string SchedRule::GetRuleText() const
{
    std::string s_phrase;
    switch (uKind) {
    case e_limit_participants:
        s_phrase = "participants limited to a maximum of " + std::to_string(Limit.GetMax());
        break;
    case e_same_styles:
        s_phrase = "the same style";
        break;
    case e_different_styles:
        s_phrase = "different styles";
        break;
    case e_selected_styles:
        s_phrase = "a selection of " + std::to_string(Styles.GetCount()) + " styles";
        break;
    case e_different_groups:
        s_phrase = "different groups";
        break;
    default:
        break;
    }
    ZelStringArray a_args;
    a_args.Add(std::to_string(GetNumTimes()));
    a_args.Add(uStrength == e_preference ? "prefer to" : "must");
    a_args.Add(std::string());
    a_args.Add(std::string());
    a_args.Add(s_phrase);
    return FormatMessageIdArray(IDS_RULE_TEXT, a_args);
}

int SchedRule::Check(const std::string& s_name, const EventDoc* p_doc, std::string& s_message,
                     BOOL b_lockedOnly) const
{
    s_message.clear();
    if (!bEnabled || !bValid || uStrength == e_preference)
        return 1;
    const Timetable* p_timetable = p_doc->GetTimetable();
    if (p_timetable == nullptr)
        return 1;

    UINT u_participants = 0;
    // Kind 1: the first group's styles; kind 2: every style seen so far;
    // kind 3: the rule's own.
    KeyList styles(kNumStyleSlots);
    if (uKind == e_selected_styles)
        styles = Styles;
    const Group* p_first = nullptr;
    std::vector<LONG> v_groupsSeen;

    for (int i_day = 0; i_day < p_timetable->GetNumDays(); ++i_day) {
        const Day& day = p_timetable->GetDay(i_day);
        int i_ruleSlot = -1;
        while (const Timeslot* p_slot = NextSlot(p_doc, day, i_ruleSlot)) {
            if (p_slot->GetGroup() < 0 || (b_lockedOnly && !p_slot->IsLocked()))
                continue;
            const Group* p_group = FindGroup(p_doc, p_slot->GetGroup());
            if (p_group == nullptr)
                continue;

            UINT u_failed = 0;
            switch (uKind) {
            case e_limit_participants:
                u_participants += NumParticipants(*p_group);
                break;
            case e_different_groups:
                if (std::find(v_groupsSeen.begin(), v_groupsSeen.end(), p_group->GetKey()) != v_groupsSeen.end())
                    u_failed = IDS_RULE_DIFFERENT_GROUPS_NOT_MET;
                else
                    v_groupsSeen.push_back(p_group->GetKey());
                break;
            case e_same_styles:
                if (p_first == nullptr) {
                    p_first = p_group;
                    styles = p_group->GetStyles();
                } else if (!SharesStyle(p_group->GetStyles(), styles)) {
                    u_failed = IDS_RULE_SAME_STYLES_NOT_MET;
                }
                break;
            case e_different_styles:
                if (SharesStyle(p_group->GetStyles(), styles))
                    u_failed = IDS_RULE_DIFFERENT_STYLES_NOT_MET;
                else
                    styles.AddList(p_group->GetStyles());
                break;
            case e_selected_styles:
                if (!SharesStyle(p_group->GetStyles(), styles))
                    u_failed = IDS_RULE_SELECTED_STYLES_NOT_MET;
                break;
            default:
                break;
            }
            if (u_failed != 0) {
                ZelStringArray a_args;
                a_args.Add(s_name);
                AddPlace(a_args, p_doc, day, *p_slot);
                a_args.Add(p_group->GetName());
                if (u_failed == IDS_RULE_SAME_STYLES_NOT_MET)
                    a_args.Add(p_first->GetName());
                s_message = FormatMessageIdArray(u_failed, a_args);
                return 0;
            }
        }
    }

    if (uKind == e_limit_participants && u_participants > Limit.GetMax()) {
        ZelStringArray a_args;
        a_args.Add(s_name);
        a_args.Add(std::to_string(u_participants));
        a_args.Add(std::to_string(Limit.GetMax()));
        s_message = FormatMessageIdArray(IDS_RULE_PARTICIPANTS_NOT_MET, a_args);
        return 0;
    }
    return 1;
}

BOOL SchedRule::AllowsGroup(const EventDoc* p_doc, const Timeslot& slot, const Group& group,
                            BOOL b_lockedOnly) const
{
    if (!bEnabled || uStrength == e_preference)
        return TRUE;
    switch (uKind) {
    case e_selected_styles:
        return SharesStyle(group.GetStyles(), Styles);
    case e_limit_participants:
    case e_same_styles:
    case e_different_styles:
    case e_different_groups:
        break;
    default:
        return FALSE;
    }

    BOOL b_inScope = FALSE;
    BOOL b_othersPlaced = FALSE;
    UINT u_participants = NumParticipants(group);
    const Timetable* p_timetable = p_doc->GetTimetable();
    const int n_days = p_timetable ? p_timetable->GetNumDays() : 0;
    for (int i_day = 0; i_day < n_days; ++i_day) {
        const Day& day = p_timetable->GetDay(i_day);
        int i_ruleSlot = -1;
        while (const Timeslot* p_other = NextSlot(p_doc, day, i_ruleSlot)) {
            if (IsSameSlot(*p_other, slot)) {
                b_inScope = TRUE;
                continue;
            }
            if (p_other->GetGroup() < 0 || (b_lockedOnly && !p_other->IsLocked()))
                continue;
            if (uKind == e_different_groups) {
                if (p_other->GetGroup() == group.GetKey())
                    return FALSE;
                continue;
            }
            const Group* p_group = FindGroup(p_doc, p_other->GetGroup());
            if (p_group == nullptr)
                continue;
            if (uKind == e_limit_participants) {
                u_participants += NumParticipants(*p_group);
                continue;
            }
            b_othersPlaced = TRUE;
            if (SharesStyle(group.GetStyles(), p_group->GetStyles()))
                return uKind == e_same_styles;
        }
    }

    switch (uKind) {
    case e_limit_participants:
        return !(b_inScope && u_participants > Limit.GetMax());
    case e_same_styles:
        // Other groups are placed and none shares a style.
        return !b_othersPlaced;
    default:
        return TRUE;
    }
}

std::vector<int> SchedRule::GetPlacedGroups(const EventDoc* p_doc, BOOL b_lockedOnly) const
{
    std::vector<int> v_groups;
    const Timetable* p_timetable = p_doc->GetTimetable();
    const int n_days = p_timetable ? p_timetable->GetNumDays() : 0;
    for (int i_day = 0; i_day < n_days; ++i_day) {
        const Day& day = p_timetable->GetDay(i_day);
        int i_ruleSlot = -1;
        while (const Timeslot* p_slot = NextSlot(p_doc, day, i_ruleSlot)) {
            if (p_slot->GetGroup() < 0 || (b_lockedOnly && !p_slot->IsLocked()))
                continue;
            const int i_group = p_doc->GetGroups().FindByKey(p_slot->GetGroup());
            if (i_group >= 0)
                v_groups.push_back(i_group);
        }
    }
    return v_groups;
}

const Timeslot* SchedRule::NextSlot(const EventDoc* p_doc, const Day& day, int& i_ruleSlot) const
{
    int i_venue = -1;
    int i_daySlot = -1;
    const int i_next = FitSlot(p_doc, day, i_ruleSlot + 1, i_venue, i_daySlot);
    if (i_next < 0)
        return nullptr;
    i_ruleSlot = i_next;
    return &day.GetVenueSlots(i_venue)[i_daySlot];
}

Timeslot* SchedRule::NextSlot(const EventDoc* p_doc, Day& day, int& i_ruleSlot) const
{
    return const_cast<Timeslot*>(NextSlot(p_doc, static_cast<const Day&>(day), i_ruleSlot));
}

TimeslotPtr SchedRule::NextSlotPtr(const EventDoc* p_doc, Day& day, int& i_ruleSlot) const
{
    int i_venue = -1;
    int i_daySlot = -1;
    const int i_next = FitSlot(p_doc, day, i_ruleSlot + 1, i_venue, i_daySlot);
    if (i_next < 0)
        return TimeslotPtr();
    i_ruleSlot = i_next;
    return TimeslotPtr(&day.GetVenueSlots(i_venue), i_daySlot);
}

int SchedRule::FindDaySlot(const Day& day, int i_venue, const ZelRelTimeslot& time)
{
    if (i_venue < 0 || i_venue >= day.GetNumVenues())
        return -1;
    const TimeslotArray& a_slots = day.GetVenueSlots(i_venue);
    // A time whose start meets a slot but whose end does not stands for no
    // slot: a file can hold such a time until the rules are revalidated.
    for (int i = a_slots.FindFirst(time.GetStart(), TRUE);
         i >= 0 && i < a_slots.GetSize() && a_slots[i].GetStartOffset() == time.GetStart(); ++i) {
        if (a_slots[i].GetEndOffset() == time.GetEnd())
            return i;
    }
    return -1;
}

void SchedRule::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(bEnabled) << static_cast<DWORD>(bValid) << static_cast<DWORD>(uStrength);
        Scope.Serialize(ar);
        ar << static_cast<DWORD>(uKind);
        if (uKind == e_limit_participants)
            Limit.Serialize(ar);
        else if (uKind == e_selected_styles)
            Styles.Serialize(ar);
        return;
    }
    const UINT u_version = GetArchiveVersion(ar);
    DWORD u_enabled = 0;
    DWORD u_valid = 0;
    DWORD u_strength = 0;
    ar >> u_enabled >> u_valid >> u_strength;
    Scope.Serialize(ar);
    bEnabled = static_cast<BOOL>(u_enabled);
    bValid = static_cast<BOOL>(u_valid);
    uStrength = u_strength;
    Limit = SchedLim();
    Styles = KeyList(kNumStyleSlots);
    uKind = e_same_styles;
    if (u_version < 34)
        return;

    DWORD u_kind = 0;
    ar >> u_kind;
    uKind = u_kind;
    if (uKind == e_limit_participants) {
        ar.CheckAvailable(1, 4 * sizeof(DWORD));
        Limit.Serialize(ar);
    } else if (uKind == e_selected_styles) {
        ar.CheckAvailable(1, sizeof(DWORD));
        Styles.Serialize(ar);
    } else if (uKind > e_last_kind) {
        // A kind this program does not know never takes part in a build.
        // Its valid flag stays as stored: the validation passes such a
        // kind, so clearing the flag here would make every load and save
        // of a revalidated event write it differently.
        bEnabled = 0;
    }
}

// ---- DayRule ----

DayRule::DayRule() : SchedRule(TRUE, -1) {}

int DayRule::GetDayIndex(const EventDoc* p_doc) const
{
    return p_doc->GetEventDef().GetDayDef().FindDayId(lDayId);
}

BOOL DayRule::Validate(const EventDoc* p_doc, std::string& s_message) const
{
    if (!SchedRule::Validate(p_doc, s_message))
        return 0;
    if (GetDayIndex(p_doc) < 0) {
        s_message = LoadResString(IDS_RULE_SELECT_DAY, "");
        return 0;
    }
    return 1;
}

std::string DayRule::GetDescription(const EventDoc* p_doc) const
{
    if (!bValid) {
        std::string s_message;
        Validate(p_doc, s_message);
        return FormatMessageId(IDS_RULE_NOT_VALID, s_message);
    }
    const Timetable* p_timetable = p_doc->GetTimetable();
    if (p_timetable == nullptr)
        return {};
    const Day* p_day = p_timetable->FindDay(lDayId);
    return FormatMessageId2(IDS_DAY_RULE_DESCRIPTION, p_day ? p_day->GetName() : std::string(), GetRuleText());
}

BOOL DayRule::Revalidate(EventDoc* p_doc)
{
    if (SchedRule::Revalidate(p_doc) && bEnabled) {
        bEnabled = 0;
        return 1;
    }
    return 0;
}

int DayRule::CheckRule(int i_index, const EventDoc* p_doc, std::string& s_message, BOOL b_lockedOnly) const
{
    return Check(FormatMessageId(IDS_DAY_RULE_NAME, std::to_string(i_index)), p_doc, s_message, b_lockedOnly);
}

BOOL DayRule::AllowsGroup(const EventDoc* p_doc, const Timeslot& slot, const Group& group, BOOL b_lockedOnly) const
{
    return SchedRule::AllowsGroup(p_doc, slot, group, b_lockedOnly);
}

int DayRule::FitSlot(const EventDoc* p_doc, const Day& day, int i_from, int& i_venue, int& i_daySlot) const
{
    i_venue = -1;
    i_daySlot = -1;
    if (!bValid || lDayId < 0 || day.GetDayId() != lDayId)
        return -1;
    const ZelRelTimeslotArray* p_times = Scope.FindDayTimes(lDayId);
    if (p_times == nullptr)
        return -1;
    const VenueList& venues = p_doc->GetVenues();
    for (int i = std::max(i_from, 0); i < p_times->GetSize(); ++i) {
        const ZelRelTimeslot& time = (*p_times)[i];
        // Each time names its venue; one whose venue is gone has no slot.
        const int i_venue_index = venues.FindByKey(time.GetSetKey());
        const int i_day_slot = FindDaySlot(day, i_venue_index, time);
        if (i_day_slot >= 0) {
            i_venue = i_venue_index;
            i_daySlot = i_day_slot;
            return i;
        }
    }
    return -1;
}

void DayRule::Serialize(CArchive& ar)
{
    SchedRule::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(lDayId);
        return;
    }
    DWORD u_dayId = 0;
    ar >> u_dayId;
    lDayId = static_cast<LONG>(u_dayId);
}

// ---- VenueRule ----

VenueRule::VenueRule(LONG l_venueKey) : SchedRule(FALSE, l_venueKey), lVenueKey(l_venueKey) {}

VenueRule::VenueRule(const VenueRule& src) : SchedRule(src), lVenueKey(src.lVenueKey)
{
    StampScope();
}

VenueRule& VenueRule::operator=(const VenueRule& src)
{
    if (this != &src) {
        SchedRule::operator=(src);
        lVenueKey = src.lVenueKey;
    }
    StampScope();
    return *this;
}

void VenueRule::SetVenueKey(LONG l_venueKey)
{
    lVenueKey = l_venueKey;
    StampScope();
}

void VenueRule::StampScope()
{
    if (!Scope.HasPerTimeKeys() && Scope.GetVenueKey() == lVenueKey) {
        Scope.StampVenueKey();
        return;
    }
    TimeList stamped(FALSE, lVenueKey);
    for (int i = 0; i < Scope.GetNumDays(); ++i)
        stamped.SetDayTimes(Scope.GetDay(i).lDayId, Scope.GetDay(i).Times);
    Scope = stamped;
}

int VenueRule::GetVenueIndex(const EventDoc* p_doc) const
{
    return p_doc->GetVenues().FindByKey(lVenueKey);
}

BOOL VenueRule::Validate(const EventDoc* p_doc, std::string& s_message) const
{
    if (!SchedRule::Validate(p_doc, s_message))
        return 0;
    if (GetVenueIndex(p_doc) < 0) {
        s_message = LoadResString(IDS_RULE_SELECT_VENUE, "");
        return 0;
    }
    return 1;
}

std::string VenueRule::GetDescription(const EventDoc* p_doc) const
{
    if (!bValid) {
        std::string s_message;
        Validate(p_doc, s_message);
        return FormatMessageId(IDS_RULE_NOT_VALID, s_message);
    }
    int n_days = 0;
    GetNumTimes(&n_days);
    ZelStringArray a_args;
    a_args.Add(p_doc->GetVenues().GetNameOf(lVenueKey));
    a_args.Add(std::to_string(n_days));
    a_args.Add(GetRuleText());
    return FormatMessageIdArray(IDS_VENUE_RULE_DESCRIPTION, a_args);
}

BOOL VenueRule::Revalidate(EventDoc* p_doc)
{
    if (SchedRule::Revalidate(p_doc) && bEnabled) {
        bEnabled = 0;
        return 1;
    }
    return 0;
}

int VenueRule::CheckRule(int i_index, const EventDoc* p_doc, std::string& s_message, BOOL b_lockedOnly) const
{
    return Check(FormatMessageId(IDS_VENUE_RULE_NAME, std::to_string(i_index)), p_doc, s_message, b_lockedOnly);
}

BOOL VenueRule::AllowsGroup(const EventDoc* p_doc, const Timeslot& slot, const Group& group,
                            BOOL b_lockedOnly) const
{
    return SchedRule::AllowsGroup(p_doc, slot, group, b_lockedOnly);
}

int VenueRule::FitSlot(const EventDoc* p_doc, const Day& day, int i_from, int& i_venue, int& i_daySlot) const
{
    i_venue = -1;
    i_daySlot = -1;
    if (!bValid)
        return -1;
    const int i_venue_index = GetVenueIndex(p_doc);
    if (i_venue_index < 0)
        return -1;
    const ZelRelTimeslotArray* p_times = Scope.FindDayTimes(day.GetDayId());
    if (p_times == nullptr)
        return -1;
    for (int i = std::max(i_from, 0); i < p_times->GetSize(); ++i) {
        const int i_day_slot = FindDaySlot(day, i_venue_index, (*p_times)[i]);
        if (i_day_slot >= 0) {
            i_venue = i_venue_index;
            i_daySlot = i_day_slot;
            return i;
        }
    }
    return -1;
}

void VenueRule::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        SchedRule::Serialize(ar);
        ar << static_cast<DWORD>(lVenueKey);
        return;
    }
    const UINT u_version = GetArchiveVersion(ar);
    DWORD u_venueKey = 0;
    DWORD u_oldKind = 0;
    if (u_version < 23) {
        DWORD u_enabled = 0;
        DWORD u_valid = 0;
        DWORD u_strength = 0;
        ar >> u_enabled >> u_valid >> u_venueKey >> u_oldKind >> u_strength;
        KeyList styles(kNumStyleSlots);
        styles.Serialize(ar);
        Scope.Serialize(ar);
        bEnabled = static_cast<BOOL>(u_enabled);
        bValid = static_cast<BOOL>(u_valid);
        uStrength = u_strength;
        Limit = SchedLim();
        Styles = styles;
    } else if (u_version < 34) {
        SchedRule::Serialize(ar);
        ar >> u_venueKey >> u_oldKind;
        Styles.Serialize(ar);
    } else {
        SchedRule::Serialize(ar);
        ar >> u_venueKey;
    }
    if (u_version < 34) {
        switch (u_oldKind) {
        case 0:
            uKind = e_same_styles;
            break;
        case 1:
            uKind = e_different_styles;
            break;
        case 2:
            uKind = e_selected_styles;
            break;
        default:
            uKind = e_same_styles;
            break;
        }
    }
    lVenueKey = static_cast<LONG>(u_venueKey);
    StampScope();
}

// ---- SchedulingRules ----

int SchedulingRules::GetNumActiveRules() const
{
    int n_active = 0;
    for (int i = 0; i < VenueRules.GetSize(); ++i) {
        if (VenueRules[i].IsValid() && VenueRules[i].IsEnabled())
            ++n_active;
    }
    for (int i = 0; i < DayRules.GetSize(); ++i) {
        if (DayRules[i].IsValid() && DayRules[i].IsEnabled())
            ++n_active;
    }
    return n_active;
}

void SchedulingRules::DisableInvalidRules()
{
    for (int i = 0; i < VenueRules.GetSize(); ++i) {
        if (!VenueRules[i].IsValid())
            VenueRules[i].SetEnabled(0);
    }
    for (int i = 0; i < DayRules.GetSize(); ++i) {
        if (!DayRules[i].IsValid())
            DayRules[i].SetEnabled(0);
    }
}

void SchedulingRules::Revalidate(EventDoc* p_doc)
{
    for (int i = VenueRules.GetSize() - 1; i >= 0; --i) {
        if (VenueRules[i].GetVenueIndex(p_doc) < 0)
            VenueRules.RemoveAt(i);
    }
    int n_venueRules = 0;
    for (int i = 0; i < VenueRules.GetSize(); ++i) {
        if (VenueRules[i].Revalidate(p_doc))
            ++n_venueRules;
    }
    for (int i = DayRules.GetSize() - 1; i >= 0; --i) {
        if (DayRules[i].GetDayIndex(p_doc) < 0)
            DayRules.RemoveAt(i);
    }
    int n_dayRules = 0;
    for (int i = 0; i < DayRules.GetSize(); ++i) {
        if (DayRules[i].Revalidate(p_doc))
            ++n_dayRules;
    }
    if (n_venueRules != 0 || n_dayRules != 0)
        ShowMessageId2(IDS_RULES_DISABLED, std::to_string(n_venueRules), std::to_string(n_dayRules),
                       MB_OK | MB_ICONEXCLAMATION);
}

void SchedulingRules::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        VenueRules.Serialize(ar);
        DayRules.Serialize(ar);
        return;
    }
    const UINT u_version = GetArchiveVersion(ar);
    ZelArray<VenueRule> a_venueRules;
    a_venueRules.Serialize(ar);
    ZelArray<DayRule> a_dayRules;
    if (u_version >= 24)
        a_dayRules.Serialize(ar);
    VenueRules = a_venueRules;
    DayRules = a_dayRules;
}
