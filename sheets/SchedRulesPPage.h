// The two pages of the scheduling rules sheet, on a common base.
//
// SchedRulesPPage shows its rules as rows of an in-place editing list,
// every cell a text callback answered from the page's SchedRulesCore (the
// "Enable" cells are check cells whose state is read from that text), with
// a read-only timeslot grid under the list in which the selected rule's
// timeslots are picked. A pick puts the page into its pending state
// (RulesPendingState): the list, its toolbar and the sheet's OK button are
// locked until Apply or Discard. DayRulesPPage and VenueRulesPPage are the
// base over a DayRulesCore and a VenueRulesCore.
#pragma once

#include "framework/Types.h"
#include "shell/editing/EditingPPage.h"
#include "sheets/SchedRulesRules.h"

#include <memory>
#include <string>
#include <vector>

class EventDoc;
class SchedulingRules;
class ZelNotifyEvent;
class ZelTimeslotCtrl;
class wxButton;
class wxStaticText;

enum : int {
    IDC_RULES_GRID = 1292,
    IDC_RULES_LIST = 1293,
    IDC_RULES_TOOLBAR_PLACE = 1301,
    IDC_RULES_APPLY = 1304,
    IDC_RULES_DISCARD = 1305,
};

// The sheet whose working rules the pages edit.
class ISchedRulesHost {
public:
    virtual ~ISchedRulesHost() = default;
    virtual SchedulingRules& GetWorkingRules() = 0;
};

class SchedRulesPPage : public EditingPPage, protected IRulesPendingView {
public:
    SchedRulesPPage(wxWindow* p_book, const wxString& s_caption, std::unique_ptr<SchedRulesCore> p_core);
    ~SchedRulesPPage() override;

    SchedRulesCore& GetCore() { return *pCore; }
    int GetRuleCount() const { return pCore->GetRuleCount(); }
    // From and into the sheet's working rules.
    void LoadRules(const SchedulingRules& rules) { pCore->LoadRules(rules); }
    BOOL StoreRules(SchedulingRules& rules);
    bool IsPending() const { return Pending.IsPending(); }

    // No leaving while a timeslot change is pending; otherwise the rules go
    // into the sheet's working copy.
    BOOL CheckSettings(BOOL* p_stay) override;
    bool OnInitDialog() override;

    // The selected row; -1 when none.
    int GetSelectedRule() const;
    void SelectRule(int i_row);
    EditListCtrl& GetList() { return *pList; }
    ZelTimeslotCtrl& GetGrid() { return *pGrid; }

protected:
    // The rules afresh from the sheet's working copy (Undo, Apply).
    void ReloadPage() override;
    void EnableRulesList(bool b_enable) override;
    void EnableApplyDiscard(bool b_enable) override;
    void EnableSheetOK(bool b_enable) override;

private:
    void SetUpColumns();
    void FillList(int n_rows);
    void InsertRow(int i_row);
    // The grid for the selected rule.
    void OnChanged();
    void ShowTimeslots(const RulesGridPlan& plan);
    void MarkChanged();
    std::string Heading(int i_col) const;
    int ColumnOf(const std::string& s_heading) const;

    void OnNew();
    void OnDelete();
    void OnMove(bool b_up);
    void OnUndo();
    void OnListNotify(ZelNotifyEvent& event);
    void OnGridNotify(ZelNotifyEvent& event);

    std::unique_ptr<SchedRulesCore> pCore;
    RulesPendingState Pending;
    std::vector<std::string> vHeadings;
    wxStaticText* pLabel = nullptr;
    wxStaticText* pToolPlace = nullptr;
    EditListCtrl* pList = nullptr;
    wxStaticText* pGridLabel = nullptr;
    ZelTimeslotCtrl* pGrid = nullptr;
    wxButton* pApply = nullptr;
    wxButton* pDiscard = nullptr;
    wxToolBar* pToolBar = nullptr;
    bool bInitialising = false;
};

class DayRulesPPage : public SchedRulesPPage {
public:
    DayRulesPPage(wxWindow* p_book, const EventDoc* p_doc);
};

class VenueRulesPPage : public SchedRulesPPage {
public:
    VenueRulesPPage(wxWindow* p_book, const EventDoc* p_doc);
};
