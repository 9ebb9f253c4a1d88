// The scheduling rules pages without a window.
//
// SchedRulesCore is what a rules page knows of its rules: its own copy of
// the day or venue rules, the texts of the list's cells, what an in-place
// edit of a cell does, and what the timeslot grid under the list shows for
// the selected rule and how the grid's selection is written back. The
// day rules (DayRulesCore) cover chosen timeslots of one day in any venues,
// so the grid shows that one day with a column per venue; the venue rules
// (VenueRulesCore) cover one venue on any days, so the grid shows every day
// for the rule's venue.
//
// RulesPendingState is the page's idle and pending states: the first
// change of the grid's selection keeps a copy of the rule and locks the
// list, its toolbar and the sheet's OK button until Apply keeps the change
// or Discard puts the copy back; a pending page cannot be left.
#pragma once

#include "framework/Types.h"
#include "model/SchedRule.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/values/ZelTimeslot.h"

#include <string>
#include <vector>

class EventDoc;

// Texts of the rules pages.
enum : UINT {
    IDS_RULE_TIMESLOTS = 144,
    IDS_RULE_TIMESLOTS_IN_DAYS = 145,
    IDS_RULE_ONE_TIMESLOT = 147,
    IDS_RULE_TIMESLOTS_IN_DAY = 148,
    IDS_RULE_ONE_TIMESLOT_IN_DAY = 149,
};

namespace SchedRuleText {
// The headings of the columns every rules list has.
inline constexpr const char* kNumber = "No.";
inline constexpr const char* kEnable = "Enable";
inline constexpr const char* kAction = "Action";
inline constexpr const char* kValue = "Value";
inline constexpr const char* kTimeslots = "Timeslots";

// The order in which the "Action" drop list offers the kinds and an edited
// text is matched against them.
inline constexpr UINT kKindOrder[] = {SchedRule::e_limit_participants, SchedRule::e_same_styles,
                                      SchedRule::e_different_styles, SchedRule::e_different_groups,
                                      SchedRule::e_selected_styles};
// The largest "Limit participants" value a rule takes.
inline constexpr LONG kMaxValue = 99999;

// The "Enable" cell's check state as text: "1" or "0" for a valid rule,
// "3" (unchecked and greyed) for one that is not valid.
std::string EnableText(BOOL b_valid, BOOL b_enabled);
// "n timeslots", "1 timeslot", empty for none.
std::string TimeslotsText(int n_times);
// A venue rule's times over days: "1 timeslot in 1 day", "n timeslots in
// d days", else "n timeslots in d day".
std::string TimeslotsInDaysText(int n_times, int n_days);
// The kind names in drop-list order.
std::vector<std::string> KindNames();
// The first kind (in drop-list order) named by the text becomes the rule's;
// FALSE and nothing changed when none is.
BOOL ParseAction(SchedRule& rule, const std::string& s_text);
// "Limit participants": the text's leading number, capped, as the range
// 0..number; "Selected styles": the style named by the text alone; other
// kinds, and a name no style has, change nothing. TRUE when it changed.
BOOL ParseValue(SchedRule& rule, const std::string& s_text, const EventDoc& doc);
std::string ActionText(const SchedRule& rule);
// The maximum of a ranged limit, or the rule's style names joined by
// commas; empty otherwise.
std::string ValueText(const SchedRule& rule, const EventDoc& doc);
} // namespace SchedRuleText

// What the timeslot grid is to show: its days (names, the slots of each,
// the names of each day's sets when it has them) and the keys the sets
// stand for.
struct RulesGridPlan {
    std::vector<std::string> vDayNames;
    std::vector<ZelRelTimeslotArray> vSlots;
    std::vector<std::vector<std::string>> vSetNames;
    ZelArrayWithFind<long> SetKeys;
    BOOL b24Hour = FALSE;
};

class SchedRulesCore {
public:
    explicit SchedRulesCore(const EventDoc* p_doc) : pDoc(p_doc) {}
    virtual ~SchedRulesCore() = default;
    SchedRulesCore(const SchedRulesCore&) = delete;
    SchedRulesCore& operator=(const SchedRulesCore&) = delete;

    const EventDoc& GetDoc() const { return *pDoc; }
    // The heading of the page's own column ("Day", "Venue").
    virtual std::string OwnHeading() const = 0;
    // Every heading in list order.
    std::vector<std::string> Headings() const;

    virtual int GetRuleCount() const = 0;
    virtual SchedRule& GetRule(int i_row) = 0;
    const SchedRule& GetRule(int i_row) const { return const_cast<SchedRulesCore*>(this)->GetRule(i_row); }
    BOOL IsRuleValid(int i_row) const { return GetRule(i_row).IsValid(); }
    BOOL IsRuleEnabled(int i_row) const { return GetRule(i_row).IsEnabled(); }

    // The page's own text of a cell; the shared columns' texts for the
    // columns it does not own; empty where the list supplies the text.
    virtual std::string GetCellText(int i_row, const std::string& s_heading) const;
    // What the list shows: the page's text, or for an empty one the row
    // number, the check state or the timeslot count.
    std::string DisplayText(int i_row, const std::string& s_heading) const;
    // An edited cell: the page's own column or the shared ones; then the
    // rule is revalidated.
    virtual void SetCellText(int i_row, const std::string& s_heading, const std::string& s_text);
    // The entries of the "Value" drop list: every style name for a
    // "Selected styles" rule.
    virtual std::vector<std::string> ValueEntries(int i_row) const;
    // The entries of the own column's drop list.
    virtual std::vector<std::string> OwnEntries() const = 0;
    // Whether the "Value" cell takes an edit box (digits) rather than a
    // drop list.
    BOOL ValueIsNumber(int i_row) const { return GetRule(i_row).GetKind() == SchedRule::e_limit_participants; }

    virtual int AddRule() = 0;
    virtual int AddRuleCopy() = 0;
    virtual void DeleteRule(int i_row) = 0;
    // FALSE for the first rule upwards and the last downwards.
    virtual BOOL MoveRule(int i_row, BOOL b_up) = 0;
    // Revalidates; a valid rule takes the flag, one that is not is
    // disabled.
    void SetRuleEnabled(int i_row, BOOL b_enable);
    // The edit copy: of the rule, or a new rule for -1.
    virtual void SaveRuleCopy(int i_row) = 0;
    virtual void RestoreRuleCopy(int i_row) = 0;
    void ValidateRule(int i_row);
    int CountRuleTimes(int i_row, int* p_days = nullptr) const { return GetRule(i_row).GetNumTimes(p_days); }

    virtual void LoadRules(const SchedulingRules& rules) = 0;
    virtual void StoreRules(SchedulingRules& rules) const = 0;

    // The grid for the rule (-1: none selected).
    virtual RulesGridPlan ShowRuleTimeslots(int i_row) const = 0;
    // The grid's slots of each of its days, read back relative to the
    // plan's set keys with their selected flags: the selected ones become
    // the rule's times.
    virtual void ApplyTimeslotSelection(int i_row, const std::vector<ZelRelTimeslotArray>& a_days) = 0;

    // The row to select after the rule at the row was deleted; -1 when no
    // rule is left.
    int RowAfterDelete(int i_row) const;

protected:
    const EventDoc* pDoc;
};

// The list of one kind of rule and its edit copy: what the day and venue
// cores keep alike.
template <class TRule>
class RuleListCore : public SchedRulesCore {
public:
    using SchedRulesCore::SchedRulesCore;
    using SchedRulesCore::GetRule;

    int GetRuleCount() const override { return Rules.GetSize(); }
    SchedRule& GetRule(int i_row) override { return Rules[i_row]; }
    int AddRule() override { return Rules.Add(TRule()); }
    int AddRuleCopy() override { return Rules.Add(Rules.IsEmpty() ? TRule() : TRule(Rules[Rules.GetUpperBound()])); }
    void DeleteRule(int i_row) override { Rules.RemoveAt(i_row); }
    BOOL MoveRule(int i_row, BOOL b_up) override
    {
        const int i_other = b_up ? i_row - 1 : i_row + 1;
        if (i_row < 0 || i_row >= Rules.GetSize() || i_other < 0 || i_other >= Rules.GetSize())
            return FALSE;
        TRule rule = Rules[i_row];
        Rules[i_row] = Rules[i_other];
        Rules[i_other] = rule;
        return TRUE;
    }
    void SaveRuleCopy(int i_row) override { EditCopy = i_row < 0 || i_row >= Rules.GetSize() ? TRule() : Rules[i_row]; }
    void RestoreRuleCopy(int i_row) override
    {
        if (i_row >= 0 && i_row < Rules.GetSize())
            Rules[i_row] = EditCopy;
    }

protected:
    ZelArray<TRule> Rules;

private:
    TRule EditCopy;
};

class DayRulesCore : public RuleListCore<DayRule> {
public:
    using RuleListCore::RuleListCore;

    std::string OwnHeading() const override { return "Day"; }
    DayRule& GetDayRule(int i_row) { return Rules[i_row]; }
    std::string GetCellText(int i_row, const std::string& s_heading) const override;
    void SetCellText(int i_row, const std::string& s_heading, const std::string& s_text) override;
    std::vector<std::string> OwnEntries() const override;
    void LoadRules(const SchedulingRules& rules) override { Rules = rules.GetDayRules(); }
    void StoreRules(SchedulingRules& rules) const override { rules.GetDayRules() = Rules; }
    RulesGridPlan ShowRuleTimeslots(int i_row) const override;
    void ApplyTimeslotSelection(int i_row, const std::vector<ZelRelTimeslotArray>& a_days) override;
};

class VenueRulesCore : public RuleListCore<VenueRule> {
public:
    using RuleListCore::RuleListCore;

    std::string OwnHeading() const override { return "Venue"; }
    VenueRule& GetVenueRule(int i_row) { return Rules[i_row]; }
    std::string GetCellText(int i_row, const std::string& s_heading) const override;
    void SetCellText(int i_row, const std::string& s_heading, const std::string& s_text) override;
    // Only the venue's own styles when it has any.
    std::vector<std::string> ValueEntries(int i_row) const override;
    std::vector<std::string> OwnEntries() const override;
    void LoadRules(const SchedulingRules& rules) override { Rules = rules.GetVenueRules(); }
    void StoreRules(SchedulingRules& rules) const override { rules.GetVenueRules() = Rules; }
    RulesGridPlan ShowRuleTimeslots(int i_row) const override;
    void ApplyTimeslotSelection(int i_row, const std::vector<ZelRelTimeslotArray>& a_days) override;
};

// What the pending state changes on the page.
class IRulesPendingView {
public:
    virtual ~IRulesPendingView() = default;
    // The rules list and its toolbar.
    virtual void EnableRulesList(bool b_enable) = 0;
    virtual void EnableApplyDiscard(bool b_enable) = 0;
    virtual void EnableSheetOK(bool b_enable) = 0;
};

class RulesPendingState {
public:
    RulesPendingState(SchedRulesCore& core, IRulesPendingView& view) : Core(core), View(view) {}

    bool IsPending() const { return bPending; }
    // A change of the grid's selection: the first keeps a copy of the
    // rule and locks the page; every one writes the selection into the
    // rule at once.
    void SelectionChanged(int i_row, const std::vector<ZelRelTimeslotArray>& a_days);
    // The rule keeps its new times and is revalidated.
    void Apply(int i_row);
    // The kept copy replaces the rule.
    void Discard(int i_row);
    // Back to idle (also on Undo and at the start).
    void Leave();
    // FALSE with *p_stay set while pending.
    BOOL CheckSettings(BOOL* p_stay) const;

private:
    SchedRulesCore& Core;
    IRulesPendingView& View;
    bool bPending = false;
};
