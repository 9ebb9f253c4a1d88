#include "sheets/SchedRulesRules.h"

#include "framework/Resources.h"
#include "model/EventDoc.h"
#include "model/General.h"

#include <algorithm>
#include <cstdlib>

namespace SchedRuleText {

std::string EnableText(BOOL b_valid, BOOL b_enabled)
{
    if (!b_valid)
        return "3";
    return b_enabled ? "1" : "0";
}

std::string TimeslotsText(int n_times)
{
    if (n_times > 1)
        return FormatMessageText(LoadResString(IDS_RULE_TIMESLOTS, "%1!d! timeslots"), {std::to_string(n_times)});
    if (n_times == 1)
        return LoadResString(IDS_RULE_ONE_TIMESLOT, "1 timeslot");
    return std::string();
}

std::string TimeslotsInDaysText(int n_times, int n_days)
{
    if (n_times >= 2 && n_days >= 2)
        return FormatMessageText(LoadResString(IDS_RULE_TIMESLOTS_IN_DAYS, "%1!d! timeslots in %2!d! days"),
                                 {std::to_string(n_times), std::to_string(n_days)});
    if (n_times == 1 && n_days == 1)
        return LoadResString(IDS_RULE_ONE_TIMESLOT_IN_DAY, "1 timeslot in 1 day");
    return FormatMessageText(LoadResString(IDS_RULE_TIMESLOTS_IN_DAY, "%1!d! timeslots in %2!d! day"),
                             {std::to_string(n_times), std::to_string(n_days)});
}

std::vector<std::string> KindNames()
{
    std::vector<std::string> v_names;
    for (UINT u_kind : kKindOrder)
        v_names.push_back(SchedRule::GetKindName(u_kind));
    return v_names;
}

BOOL ParseAction(SchedRule& rule, const std::string& s_text)
{
    for (UINT u_kind : kKindOrder) {
        if (SchedRule::GetKindName(u_kind) == s_text) {
            rule.SetKind(u_kind);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL ParseValue(SchedRule& rule, const std::string& s_text, const EventDoc& doc)
{
    if (rule.GetKind() == SchedRule::e_limit_participants) {
        // The leading digits; a long run of them stays at the cap rather
        // than overflowing.
        LONG l_value = 0;
        for (char c : s_text) {
            if (c < '0' || c > '9')
                break;
            l_value = std::min<LONG>(kMaxValue, l_value * 10 + (c - '0'));
        }
        rule.GetLimit() = SchedLim(SchedLim::e_range, 0, 0, static_cast<UINT>(l_value));
        return TRUE;
    }
    if (rule.GetKind() == SchedRule::e_selected_styles) {
        const int i_style = doc.GetStyles().FindByName(s_text);
        if (i_style < 0)
            return FALSE;
        rule.GetStyles().RemoveAll();
        rule.GetStyles().Add(doc.GetStyles()[i_style].GetKey());
        return TRUE;
    }
    return FALSE;
}

std::string ActionText(const SchedRule& rule) { return SchedRule::GetKindName(rule.GetKind()); }

std::string ValueText(const SchedRule& rule, const EventDoc& doc)
{
    if (rule.GetKind() == SchedRule::e_limit_participants) {
        if (rule.GetLimit().uType == SchedLim::e_range)
            return std::to_string(rule.GetLimit().GetMax());
        return std::string();
    }
    if (rule.GetKind() == SchedRule::e_selected_styles)
        return doc.GetStyles().GetNamesText(rule.GetStyles());
    return std::string();
}

} // namespace SchedRuleText

using namespace SchedRuleText;

// ---- SchedRulesCore ----

std::vector<std::string> SchedRulesCore::Headings() const
{
    return {kNumber, kEnable, OwnHeading(), kAction, kValue, kTimeslots};
}

std::string SchedRulesCore::GetCellText(int i_row, const std::string& s_heading) const
{
    const SchedRule& rule = GetRule(i_row);
    if (s_heading == kAction)
        return ActionText(rule);
    if (s_heading == kValue)
        return ValueText(rule, *pDoc);
    return std::string();
}

std::string SchedRulesCore::DisplayText(int i_row, const std::string& s_heading) const
{
    if (i_row < 0 || i_row >= GetRuleCount())
        return std::string();
    std::string s_text = GetCellText(i_row, s_heading);
    if (!s_text.empty())
        return s_text;
    if (s_heading == kNumber)
        return std::to_string(i_row + 1);
    if (s_heading == kEnable)
        return EnableText(IsRuleValid(i_row), IsRuleEnabled(i_row));
    if (s_heading == kTimeslots)
        return TimeslotsText(CountRuleTimes(i_row));
    return s_text;
}

void SchedRulesCore::SetCellText(int i_row, const std::string& s_heading, const std::string& s_text)
{
    SchedRule& rule = GetRule(i_row);
    if (s_heading == kAction)
        ParseAction(rule, s_text);
    else if (s_heading == kValue)
        ParseValue(rule, s_text, *pDoc);
    rule.UpdateValid(pDoc);
}

std::vector<std::string> SchedRulesCore::ValueEntries(int i_row) const
{
    std::vector<std::string> v_names;
    if (GetRule(i_row).GetKind() != SchedRule::e_selected_styles)
        return v_names;
    const StyleList& styles = pDoc->GetStyles();
    for (int i = 0; i < styles.GetCount(); ++i)
        v_names.push_back(styles[i].GetName());
    return v_names;
}

void SchedRulesCore::SetRuleEnabled(int i_row, BOOL b_enable)
{
    SchedRule& rule = GetRule(i_row);
    rule.SetEnabled(rule.UpdateValid(pDoc) ? b_enable : FALSE);
}

void SchedRulesCore::ValidateRule(int i_row) { GetRule(i_row).UpdateValid(pDoc); }

int SchedRulesCore::RowAfterDelete(int i_row) const { return std::min(i_row, GetRuleCount() - 1); }

namespace {

// The slot of the array with the set key, start and length; -1 when none.
int FindSlot(const ZelRelTimeslotArray& a_slots, LONG l_setKey, const ZelRelTimeslot& time)
{
    for (int i = 0; i < a_slots.GetSize(); ++i) {
        const ZelRelTimeslot& slot = a_slots[i];
        if (slot.GetSetKey() == l_setKey && slot.GetStart() == time.GetStart() && slot.GetLength() == time.GetLength())
            return i;
    }
    return -1;
}

// The selected slots of a day as times, without their selected marks.
ZelRelTimeslotArray SelectedTimes(const ZelRelTimeslotArray& a_slots, LONG l_forceKey, bool b_forceKey)
{
    ZelRelTimeslotArray a_times;
    for (int i = 0; i < a_slots.GetSize(); ++i) {
        if (!a_slots[i].IsSelected())
            continue;
        ZelRelTimeslot time = a_slots[i];
        time.SetSelected(FALSE);
        if (b_forceKey)
            time.SetSetKey(l_forceKey);
        a_times.Add(time);
    }
    return a_times;
}

} // namespace

// ---- DayRulesCore ----

std::string DayRulesCore::GetCellText(int i_row, const std::string& s_heading) const
{
    if (s_heading == OwnHeading()) {
        const DayDefBase& def = pDoc->GetEventDef().GetDayDef();
        const int i_day = Rules[i_row].GetDayId() < 0 ? -1 : def.FindDayId(Rules[i_row].GetDayId());
        return i_day < 0 ? std::string() : def.GetDayName(i_day);
    }
    return SchedRulesCore::GetCellText(i_row, s_heading);
}

void DayRulesCore::SetCellText(int i_row, const std::string& s_heading, const std::string& s_text)
{
    if (s_heading != OwnHeading()) {
        SchedRulesCore::SetCellText(i_row, s_heading, s_text);
        return;
    }
    DayRule& rule = Rules[i_row];
    const DayDefBase& def = pDoc->GetEventDef().GetDayDef();
    for (int i = 0; i < def.GetNumDays(); ++i) {
        if (def.GetDayName(i) != s_text)
            continue;
        const LONG l_dayId = def.GetDayId(i);
        if (l_dayId != rule.GetDayId()) {
            // Times picked for one day do not carry over to another.
            if (rule.GetDayId() != -1)
                rule.GetScope() = TimeList(TRUE, -1);
            rule.SetDayId(l_dayId);
        }
        break;
    }
    rule.UpdateValid(pDoc);
}

std::vector<std::string> DayRulesCore::OwnEntries() const
{
    std::vector<std::string> v_names;
    const DayDefBase& def = pDoc->GetEventDef().GetDayDef();
    for (int i = 0; i < def.GetNumDays(); ++i)
        v_names.push_back(def.GetDayName(i));
    return v_names;
}

RulesGridPlan DayRulesCore::ShowRuleTimeslots(int i_row) const
{
    RulesGridPlan plan;
    const DayDefBase& def = pDoc->GetEventDef().GetDayDef();
    plan.b24Hour = def.Is24Hour();
    if (i_row < 0 || i_row >= Rules.GetSize())
        return plan;
    const DayRule& rule = Rules[i_row];
    const int i_day = rule.GetDayId() < 0 ? -1 : def.FindDayId(rule.GetDayId());
    if (i_day < 0)
        return plan;
    plan.vDayNames.push_back(def.GetDayName(i_day));
    const VenueList& venues = pDoc->GetVenues();
    std::vector<std::string> v_sets;
    for (int v = 0; v < venues.GetNumVenues(); ++v) {
        v_sets.push_back(venues[v].GetName());
        plan.SetKeys.Add(venues[v].GetKey());
    }
    plan.vSetNames.push_back(v_sets);

    ZelRelTimeslotArray a_slots;
    if (i_day < def.GetNumLayouts()) {
        const DayDefSlots& layout = def.GetDaySlots(i_day);
        if (layout.IsAllVenues()) {
            // One layout for every venue: each venue's column gets a copy.
            for (int v = 0; v < venues.GetNumVenues(); ++v) {
                for (int i = 0; i < layout.GetNumSlots(); ++i) {
                    ZelRelTimeslot slot = layout.GetSlots()[i];
                    slot.SetSetKey(venues[v].GetKey());
                    slot.SetSelected(FALSE);
                    a_slots.Add(slot);
                }
            }
        } else {
            for (int i = 0; i < layout.GetNumSlots(); ++i) {
                ZelRelTimeslot slot = layout.GetSlots()[i];
                slot.SetSelected(FALSE);
                a_slots.Add(slot);
            }
        }
    }
    if (const ZelRelTimeslotArray* p_times = rule.GetScope().FindDayTimes(rule.GetDayId())) {
        for (int i = 0; i < p_times->GetSize(); ++i) {
            const ZelRelTimeslot& time = (*p_times)[i];
            const int i_slot = FindSlot(a_slots, time.GetSetKey(), time);
            if (i_slot >= 0 && venues.ContainsKey(time.GetSetKey()))
                a_slots[i_slot].SetSelected(TRUE);
        }
    }
    plan.vSlots.push_back(a_slots);
    return plan;
}

void DayRulesCore::ApplyTimeslotSelection(int i_row, const std::vector<ZelRelTimeslotArray>& a_days)
{
    if (i_row < 0 || i_row >= Rules.GetSize() || a_days.empty())
        return;
    DayRule& rule = Rules[i_row];
    if (rule.GetDayId() < 0)
        return;
    rule.SetDayTimes(rule.GetDayId(), SelectedTimes(a_days[0], -1, false));
}

// ---- VenueRulesCore ----

std::string VenueRulesCore::GetCellText(int i_row, const std::string& s_heading) const
{
    if (s_heading == OwnHeading()) {
        const LONG l_key = Rules[i_row].GetVenueKey();
        const int i_venue = l_key < 0 ? -1 : pDoc->GetVenues().FindByKey(l_key);
        return i_venue < 0 ? std::string() : pDoc->GetVenues()[i_venue].GetName();
    }
    if (s_heading == kTimeslots) {
        int n_days = 0;
        const int n_times = CountRuleTimes(i_row, &n_days);
        return TimeslotsInDaysText(n_times, n_days);
    }
    return SchedRulesCore::GetCellText(i_row, s_heading);
}

void VenueRulesCore::SetCellText(int i_row, const std::string& s_heading, const std::string& s_text)
{
    if (s_heading != OwnHeading()) {
        SchedRulesCore::SetCellText(i_row, s_heading, s_text);
        return;
    }
    VenueRule& rule = Rules[i_row];
    const VenueList& venues = pDoc->GetVenues();
    for (int i = 0; i < venues.GetNumVenues(); ++i) {
        if (venues[i].GetName() != s_text)
            continue;
        const LONG l_key = venues[i].GetKey();
        if (l_key != rule.GetVenueKey()) {
            const bool b_hadVenue = rule.GetVenueKey() != -1;
            rule.SetVenueKey(l_key);
            // Timeslots picked in one venue do not carry over to another.
            if (b_hadVenue)
                rule.GetScope() = TimeList(FALSE, l_key);
        }
        break;
    }
    rule.UpdateValid(pDoc);
}

std::vector<std::string> VenueRulesCore::ValueEntries(int i_row) const
{
    std::vector<std::string> v_names;
    const VenueRule& rule = Rules[i_row];
    if (rule.GetKind() != SchedRule::e_selected_styles)
        return v_names;
    const int i_venue = rule.GetVenueKey() < 0 ? -1 : pDoc->GetVenues().FindByKey(rule.GetVenueKey());
    if (i_venue < 0)
        return v_names;
    const KeyList& own = pDoc->GetVenues()[i_venue].GetStyles();
    const StyleList& styles = pDoc->GetStyles();
    for (int i = 0; i < styles.GetCount(); ++i) {
        if (own.GetCount() == 0 || own.Find(styles[i].GetKey()) >= 0)
            v_names.push_back(styles[i].GetName());
    }
    return v_names;
}

std::vector<std::string> VenueRulesCore::OwnEntries() const
{
    std::vector<std::string> v_names;
    const VenueList& venues = pDoc->GetVenues();
    for (int i = 0; i < venues.GetNumVenues(); ++i)
        v_names.push_back(venues[i].GetName());
    return v_names;
}

RulesGridPlan VenueRulesCore::ShowRuleTimeslots(int i_row) const
{
    RulesGridPlan plan;
    const DayDefBase& def = pDoc->GetEventDef().GetDayDef();
    plan.b24Hour = def.Is24Hour();
    const bool b_rule = i_row >= 0 && i_row < Rules.GetSize();
    const LONG l_key = b_rule ? Rules[i_row].GetVenueKey() : -1;
    plan.SetKeys.Add(l_key);
    // A rule whose venue is gone shows the days without timeslots.
    const bool b_fill = b_rule && pDoc->GetNumVenues() > 0 && pDoc->HasDaysAndTimeslots() &&
                        l_key >= 0 && pDoc->GetVenues().ContainsKey(l_key);
    for (int i_day = 0; i_day < def.GetNumDays(); ++i_day) {
        plan.vDayNames.push_back(def.GetDayName(i_day));
        ZelRelTimeslotArray a_slots;
        if (b_fill && i_day < def.GetNumLayouts()) {
            const DayDefSlots& layout = def.GetDaySlots(i_day);
            const ZelRelTimeslotArray* p_times = Rules[i_row].GetScope().FindDayTimes(def.GetDayId(i_day));
            for (int i = 0; i < layout.GetNumSlots(); ++i) {
                ZelRelTimeslot slot = layout.GetSlots()[i];
                if (!layout.IsAllVenues() && slot.GetSetKey() != l_key)
                    continue;
                slot.SetSetKey(l_key);
                slot.SetSelected(p_times != nullptr && FindSlot(*p_times, l_key, slot) >= 0);
                a_slots.Add(slot);
            }
        }
        plan.vSlots.push_back(a_slots);
    }
    return plan;
}

void VenueRulesCore::ApplyTimeslotSelection(int i_row, const std::vector<ZelRelTimeslotArray>& a_days)
{
    if (i_row < 0 || i_row >= Rules.GetSize())
        return;
    if (pDoc->GetNumVenues() == 0 || !pDoc->HasDaysAndTimeslots())
        return;
    VenueRule& rule = Rules[i_row];
    const DayDefBase& def = pDoc->GetEventDef().GetDayDef();
    for (int i_day = 0; i_day < def.GetNumDays() && i_day < static_cast<int>(a_days.size()); ++i_day)
        rule.SetDayTimes(def.GetDayId(i_day), SelectedTimes(a_days[static_cast<std::size_t>(i_day)],
                                                            rule.GetVenueKey(), true));
}

// ---- RulesPendingState ----

void RulesPendingState::SelectionChanged(int i_row, const std::vector<ZelRelTimeslotArray>& a_days)
{
    if (!bPending) {
        Core.SaveRuleCopy(i_row);
        bPending = true;
        View.EnableRulesList(false);
        View.EnableApplyDiscard(true);
        View.EnableSheetOK(false);
    }
    Core.ApplyTimeslotSelection(i_row, a_days);
}

void RulesPendingState::Apply(int i_row)
{
    if (i_row >= 0 && i_row < Core.GetRuleCount())
        Core.ValidateRule(i_row);
    Leave();
}

void RulesPendingState::Discard(int i_row)
{
    if (i_row >= 0 && i_row < Core.GetRuleCount())
        Core.RestoreRuleCopy(i_row);
    Leave();
}

void RulesPendingState::Leave()
{
    Core.SaveRuleCopy(-1);
    bPending = false;
    View.EnableRulesList(true);
    View.EnableApplyDiscard(false);
    View.EnableSheetOK(true);
}

BOOL RulesPendingState::CheckSettings(BOOL* p_stay) const
{
    if (bPending) {
        if (p_stay != nullptr)
            *p_stay = TRUE;
        return FALSE;
    }
    return TRUE;
}
