#include "sheets/SchedRulesPPage.h"

#include "framework/ui/WxIds.h"
#include "framework/ui/WxText.h"
#include "shell/editing/PageToolBarRules.h"
#include "shell/editing/EditingPSheet.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/windows/ZelNotifyCodes.h"
#include "zelkit/controls/ui/ZelCustomCtrl.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"
#include "zelkit/controls/ui/ZelTimeslotCtrl.h"

#include <algorithm>
#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/settings.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/wupdlock.h>

using namespace SchedRuleText;

SchedRulesPPage::SchedRulesPPage(wxWindow* p_book, const wxString& s_caption, std::unique_ptr<SchedRulesCore> p_core)
    : EditingPPage(p_book, s_caption), pCore(std::move(p_core)), Pending(*pCore, *this)
{
    pLabel = new wxStaticText(this, wxID_ANY, "&Rules:");
    PlaceDlgUnits(*pLabel, 7, 7, 60, 9);
    // The toolbar goes into the right end of this placeholder.
    pToolPlace = new wxStaticText(this, IDC_RULES_TOOLBAR_PLACE, wxString());
    PlaceDlgUnits(*pToolPlace, 200, 2, 123, 14);
    pList = new EditListCtrl(this, IDC_RULES_LIST);
    PlaceDlgUnits(*pList, 7, 17, 316, 90);
    pGridLabel = new wxStaticText(this, wxID_ANY, "Select &timeslots:");
    PlaceDlgUnits(*pGridLabel, 7, 113, 120, 9);
    pApply = new wxButton(this, IDC_RULES_APPLY, "&Apply");
    PlaceDlgUnits(*pApply, 219, 110, 50, 14);
    pDiscard = new wxButton(this, IDC_RULES_DISCARD, "&Discard");
    PlaceDlgUnits(*pDiscard, 273, 110, 50, 14);
    pGrid = dynamic_cast<ZelTimeslotCtrl*>(ZelCustomCtrl::CreateByClassName("ZLC_TIMESLOT", this, IDC_RULES_GRID));
    ZEL_ASSERT(pGrid != nullptr);
    PlaceDlgUnits(*pGrid, 7, 127, 316, 100);

    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnNew(); }, WxId(ID_PAGE_NEW));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnDelete(); }, WxId(ID_PAGE_DELETE));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnMove(true); }, WxId(ID_PAGE_MOVE_UP));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnMove(false); }, WxId(ID_PAGE_MOVE_DOWN));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnUndo(); }, IDC_SHEET_UNDO);
    pApply->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        Pending.Apply(GetSelectedRule());
        OnChanged();
    });
    pDiscard->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        Pending.Discard(GetSelectedRule());
        OnChanged();
    });
    Bind(wxEVT_ZEL_NOTIFY, &SchedRulesPPage::OnListNotify, this, IDC_RULES_LIST);
    Bind(wxEVT_ZEL_NOTIFY, &SchedRulesPPage::OnGridNotify, this, IDC_RULES_GRID);
    // While a cell is edited every key belongs to its editor: the toolbar's
    // accelerators must not see it.
    pList->Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        if (pList->IsEditing())
            event.StopPropagation();
        event.Skip();
    });
}

SchedRulesPPage::~SchedRulesPPage() = default;

bool SchedRulesPPage::OnInitDialog()
{
    bInitialising = true;
    EditingPPage::OnInitDialog();
    pGrid->UsePrevSpacing(FALSE);
    pToolBar = AddToolBar(IDC_RULES_LIST, pToolPlace, PTB_DEFAULT, modeMove, modeFixed);
    SetUpColumns();
    FillList(pCore->GetRuleCount());
    pGrid->SetReadOnly(TRUE);
    AddSzXControl(*pList, modeStretch);
    AddSzControl(*pGrid, modeStretch, modeStretch);
    AddSzXControl(*pApply, modeMove);
    AddSzXControl(*pDiscard, modeMove);
    if (pSheet != nullptr)
        pSheet->EnableUndo(false);
    SetChanged(FALSE);
    Pending.Leave();
    bInitialising = false;
    OnChanged();
    return true;
}

void SchedRulesPPage::SetUpColumns()
{
    vHeadings = pCore->Headings();
    for (int i = 0; i < static_cast<int>(vHeadings.size()); ++i) {
        const std::string& s_heading = vHeadings[static_cast<std::size_t>(i)];
        int i_format = LVCFMT_LEFT;
        if (s_heading == kNumber)
            i_format = LVCFMT_RIGHT;
        else if (s_heading == kEnable)
            i_format = LVCFMT_CENTER;
        const int i_index = pList->InsertColumn(i, s_heading, i_format);
        ZEL_ASSERT(i_index == i);
        if (s_heading == kValue) {
            pList->AddEditColumn(i, ZelEditListRules::editAsk, 0, 1);
        } else if (s_heading == kAction || s_heading == pCore->OwnHeading()) {
            pList->AddEditColumn(i, ZelEditListRules::editListBox, 0, 0);
        } else if (s_heading == kEnable) {
            pList->SetCheckColumn(static_cast<UINT>(i));
            pList->SetCheckColumnStyle(static_cast<UINT>(i), ZelCheckListLayer::styleSecond);
            const int i_width = pList->GetHeaderCtrl() != nullptr
                                    ? pList->GetHeaderCtrl()->GetTextExtent(s_heading).x
                                    : pList->GetTextExtent(s_heading).x;
            pList->SetColumnWidth(i, i_width + 2 * ZelCheckListLayer::uColBorder);
        }
    }
    pList->SetExtendedListStyle(LVS_EX_FULLROWSELECT);
    pList->AutoSizeColumns();
}

void SchedRulesPPage::InsertRow(int i_row)
{
    const int i_index = pList->InsertItem(i_row, LPSTR_TEXTCALLBACK);
    ZEL_ASSERT(i_index == i_row);
    for (int i = 1; i < static_cast<int>(vHeadings.size()); ++i) {
        if (pList->IsCheckColumn(i))
            pList->SetCheckState(i_row, static_cast<UINT>(i), ZelCheckListLayer::stateCallback);
        else
            pList->SetItemText(i_row, i, LPSTR_TEXTCALLBACK);
    }
}

void SchedRulesPPage::FillList(int n_rows)
{
    const bool b_wasEmpty = pList->GetItemCount() == 0;
    if (!b_wasEmpty)
        pList->DeleteAllItems();
    for (int i = 0; i < n_rows; ++i)
        InsertRow(i);
    SelectRule(0);
    if (b_wasEmpty)
        pList->AutoSizeColumns();
}

void SchedRulesPPage::SelectRule(int i_row)
{
    const int n_rows = pList->GetItemCount();
    i_row = std::min(std::max(i_row, 0), n_rows - 1);
    if (i_row < 0)
        return;
    pList->UnselectAll();
    pList->SetFocusItem(i_row);
    pList->SelectItem(i_row);
}

int SchedRulesPPage::GetSelectedRule() const
{
    const int i_row = pList->GetNextItem(-1, LVNI_SELECTED);
    return i_row >= 0 && i_row < pCore->GetRuleCount() ? i_row : -1;
}

std::string SchedRulesPPage::Heading(int i_col) const
{
    return i_col >= 0 && i_col < static_cast<int>(vHeadings.size()) ? vHeadings[static_cast<std::size_t>(i_col)]
                                                                      : std::string();
}

int SchedRulesPPage::ColumnOf(const std::string& s_heading) const
{
    for (std::size_t i = 0; i < vHeadings.size(); ++i)
        if (vHeadings[i] == s_heading)
            return static_cast<int>(i);
    return -1;
}

BOOL SchedRulesPPage::StoreRules(SchedulingRules& rules)
{
    pCore->StoreRules(rules);
    return TRUE;
}

BOOL SchedRulesPPage::CheckSettings(BOOL* p_stay)
{
    if (!Pending.CheckSettings(p_stay))
        return FALSE;
    if (auto* p_host = dynamic_cast<ISchedRulesHost*>(pSheet))
        StoreRules(p_host->GetWorkingRules());
    return TRUE;
}

void SchedRulesPPage::MarkChanged() { MarkEdited(); }

void SchedRulesPPage::OnChanged()
{
    if (bInitialising)
        return;
    ShowTimeslots(pCore->ShowRuleTimeslots(GetSelectedRule()));
}

void SchedRulesPPage::ShowTimeslots(const RulesGridPlan& plan)
{
    const int b_tips = pGrid->SetPositionTips(FALSE);
    const UINT n_days = static_cast<UINT>(plan.vDayNames.size());
    {
        wxWindowUpdateLocker lock(pGrid);
        pGrid->SetNumDays(n_days);
        bool b_anySlot = false;
        bool b_anySelected = false;
        for (UINT u = 0; u < n_days; ++u) {
            const int i_day = static_cast<int>(u);
            pGrid->SetDayName(i_day, plan.vDayNames[u]);
            const bool b_sets = u < plan.vSetNames.size();
            if (b_sets) {
                pGrid->SetNumSets(i_day, static_cast<UINT>(plan.vSetNames[u].size()));
                for (std::size_t s = 0; s < plan.vSetNames[u].size(); ++s)
                    pGrid->SetSetName(i_day, static_cast<int>(s), plan.vSetNames[u][s]);
            }
            pGrid->SetTimeslots(i_day, plan.vSlots[u], FALSE, &plan.SetKeys);
            b_anySlot = b_anySlot || plan.vSlots[u].GetSize() > 0;
            for (int i = 0; i < plan.vSlots[u].GetSize(); ++i)
                b_anySelected = b_anySelected || plan.vSlots[u][i].IsSelected();
        }
        if (b_anySlot) {
            pGrid->SetDisplayStart(FALSE, -1, -1);
            pGrid->SetDisplayEnd(FALSE, -1, -1);
        } else {
            pGrid->SetDisplayStart(FALSE, 9, 0);
            pGrid->SetDisplayEnd(FALSE, 17, 0);
        }
        pGrid->Set24Hour(plan.b24Hour);
        pGrid->Recompute();
        // From the widest spacing in, as far as the whole display still
        // fits without scrolling; then the selection is brought into view.
        ZelTimeslotGrid& grid = pGrid->GetGrid();
        while (grid.ZoomOut(FALSE)) {
        }
        auto b_fits = [this] {
            const ZelScrollInfo info = pGrid->GetScrollInfoOf(wxVERTICAL);
            return info.nMax - info.nMin + 1 <= static_cast<int>(info.nPage) || info.nPage == 0;
        };
        while (b_fits() && grid.ZoomIn()) {
            if (!b_fits()) {
                grid.ZoomOut(FALSE);
                break;
            }
        }
        if (b_anySelected)
            pGrid->MakeSelectionVisible(TRUE, FALSE);
    }
    pGrid->Refresh();
    pGrid->Enable(n_days > 0);
    pGrid->SetPositionTips(b_tips);
}

void SchedRulesPPage::EnableRulesList(bool b_enable)
{
    pList->Enable(b_enable);
    if (pToolBar != nullptr)
        EnableToolBarButton(pToolBar, -1, b_enable);
}

void SchedRulesPPage::EnableApplyDiscard(bool b_enable)
{
    pApply->Enable(b_enable);
    pDiscard->Enable(b_enable);
}

void SchedRulesPPage::EnableSheetOK(bool b_enable)
{
    if (pSheet == nullptr)
        return;
    if (wxWindow* p_ok = pSheet->FindWindow(wxID_OK))
        p_ok->Enable(b_enable);
}

void SchedRulesPPage::OnNew()
{
    if (Pending.IsPending())
        return;
    pList->AbortEdit();
    const int i_row = pCore->AddRule();
    InsertRow(i_row);
    if (i_row == 0)
        pList->AutoSizeColumns();
    MarkChanged();
    SelectRule(i_row);
    pList->EnsureVisible(i_row, FALSE);
    OnChanged();
    pList->SetFocus();
    pList->BeginEdit(i_row, ColumnOf(pCore->OwnHeading()));
}

void SchedRulesPPage::OnDelete()
{
    if (Pending.IsPending())
        return;
    pList->AbortEdit();
    const int i_row = GetSelectedRule();
    if (i_row < 0)
        return;
    pCore->DeleteRule(i_row);
    pList->DeleteItem(i_row);
    SelectRule(pCore->RowAfterDelete(i_row));
    pList->UpdateAll();
    MarkChanged();
    OnChanged();
}

void SchedRulesPPage::OnMove(bool b_up)
{
    if (Pending.IsPending())
        return;
    pList->AbortEdit();
    const int i_row = GetSelectedRule();
    if (i_row < 0 || !pCore->MoveRule(i_row, b_up ? TRUE : FALSE))
        return;
    pList->UpdateAll();
    SelectRule(b_up ? i_row - 1 : i_row + 1);
    MarkChanged();
    OnChanged();
}

void SchedRulesPPage::OnUndo() { ReloadUnchanged(); }

void SchedRulesPPage::ReloadPage()
{
    auto* p_host = dynamic_cast<ISchedRulesHost*>(pSheet);
    if (p_host == nullptr)
        return;
    if (!HasInitialisedPage()) {
        // The list is filled when the page is first shown.
        pCore->LoadRules(p_host->GetWorkingRules());
        return;
    }
    const int i_row = GetSelectedRule();
    bInitialising = true;
    pList->AbortEdit();
    Pending.Leave();
    pCore->LoadRules(p_host->GetWorkingRules());
    FillList(pCore->GetRuleCount());
    SelectRule(i_row);
    bInitialising = false;
    OnChanged();
}

void SchedRulesPPage::OnListNotify(ZelNotifyEvent& event)
{
    switch (event.GetCode()) {
    case LVN_GETDISPINFO: {
        auto* p_info = event.GetRecordAs<ZelLVDispInfo>();
        const int i_row = p_info->item.iItem;
        if (i_row < 0 || i_row >= pCore->GetRuleCount() || p_info->iTextMax < 1)
            return;
        std::string s_text = pCore->DisplayText(i_row, Heading(p_info->item.iSubItem));
        if (static_cast<int>(s_text.size()) > p_info->iTextMax - 1)
            s_text.resize(static_cast<std::size_t>(p_info->iTextMax - 1));
        p_info->item.sText = s_text;
        event.Answer();
        return;
    }
    case LVN_SETDISPINFO: {
        auto* p_info = event.GetRecordAs<ZelLVDispInfo>();
        const int i_row = p_info->item.iItem;
        const int i_col = p_info->item.iSubItem;
        if (i_row < 0 || i_row >= pCore->GetRuleCount())
            return;
        const std::string s_text = p_info->item.sText;
        pCore->SetCellText(i_row, Heading(i_col), s_text);
        // The cell goes back to asking for its text; done once the list
        // has finished setting it.
        CallAfter([this, i_row, i_col] {
            if (i_row < pList->GetItemCount()) {
                pList->SetItemText(i_row, i_col, LPSTR_TEXTCALLBACK);
                pList->RedrawItems(i_row, i_row);
            }
        });
        OnChanged();
        return;
    }
    case ZLN_EDITTYPE: {
        auto* p_info = event.GetRecordAs<ZelEditTypeInfo>();
        if (Heading(p_info->iCol) == kValue && p_info->iRow >= 0 && p_info->iRow < pCore->GetRuleCount()) {
            if (pCore->ValueIsNumber(p_info->iRow)) {
                p_info->eType = ZelEditListRules::editBox;
                p_info->uStyle = wxTE_CENTRE;
            } else {
                p_info->eType = ZelEditListRules::editListBox;
                p_info->uStyle = wxLB_SORT;
            }
            event.Answer();
        }
        return;
    }
    case LVN_BEGINLABELEDIT: {
        auto* p_info = event.GetRecordAs<ZelEditBeginInfo>();
        auto* p_editor = static_cast<wxWindow*>(p_info->pEditor);
        const std::string s_heading = Heading(p_info->iCol);
        if (auto* p_box = wxDynamicCast(p_editor, wxListBox)) {
            std::vector<std::string> v_entries;
            if (s_heading == kAction)
                v_entries = KindNames();
            else if (s_heading == kValue)
                v_entries = pCore->ValueEntries(p_info->iRow);
            else if (s_heading == pCore->OwnHeading())
                v_entries = pCore->OwnEntries();
            for (const std::string& s_entry : v_entries)
                p_box->Append(ToWx(s_entry));
            const int i_found = p_box->FindString(ToWx(pCore->DisplayText(p_info->iRow, s_heading)), true);
            if (p_box->GetCount() > 0)
                p_box->SetSelection(i_found != wxNOT_FOUND ? i_found : 0);
        } else if (auto* p_edit = wxDynamicCast(p_editor, wxTextCtrl); p_edit != nullptr && s_heading == kValue) {
            // Digits only.
            p_edit->Bind(wxEVT_CHAR, [](wxKeyEvent& key) {
                const int i_code = key.GetUnicodeKey();
                if (i_code != WXK_NONE && i_code >= 32 && (i_code < '0' || i_code > '9'))
                    return;
                key.Skip();
            });
        }
        return;
    }
    case LVN_ENDLABELEDIT: {
        auto* p_info = event.GetRecordAs<ZelEditEndInfo>();
        if (p_info->iCol >= 0)
            pList->AutoSizeColumns(p_info->iCol, p_info->iCol);
        MarkChanged();
        return;
    }
    case LVN_ITEMCHANGED: {
        auto* p_nm = event.GetRecordAs<ZelNMListView>();
        const int i_row = p_nm->iItem;
        if (i_row < 0 || i_row >= pCore->GetRuleCount()) {
            event.Skip();
            return;
        }
        pList->EnsureFocusVisible(FALSE);
        if ((p_nm->uChanged & ZelCheckListLayer::uToggleChanged) != 0 && Heading(p_nm->iSubItem) == kEnable) {
            if (pCore->IsRuleValid(i_row)) {
                pCore->SetRuleEnabled(i_row, !pCore->IsRuleEnabled(i_row));
                MarkChanged();
            }
        }
        pList->RedrawItems(i_row, i_row);
        if ((p_nm->uOldState & LVIS_SELECTED) == 0 && (p_nm->uNewState & LVIS_SELECTED) != 0)
            OnChanged();
        return;
    }
    default:
        event.Skip();
    }
}

void SchedRulesPPage::OnGridNotify(ZelNotifyEvent& event)
{
    switch (event.GetCode()) {
    case ZTSN_SELCHANGED: {
        if (bInitialising)
            return;
        const int i_row = GetSelectedRule();
        if (i_row < 0)
            return;
        const RulesGridPlan plan = pCore->ShowRuleTimeslots(i_row);
        std::vector<ZelRelTimeslotArray> a_days;
        for (UINT u = 0; u < pGrid->GetNumDays(); ++u) {
            ZelRelTimeslotArray a_slots;
            pGrid->GetTimeslots(static_cast<int>(u), a_slots, plan.SetKeys);
            a_days.push_back(a_slots);
        }
        Pending.SelectionChanged(i_row, a_days);
        MarkChanged();
        pList->RedrawItems(i_row, i_row);
        return;
    }
    case ZTSN_SLOTCOLOR:
    case ZTSN_SLOTTEXTCOLOR: {
        auto* p_info = event.GetRecordAs<ZelTimeslotColorNotify>();
        if (p_info == nullptr || p_info->pTimeslot == nullptr || !p_info->pTimeslot->IsSelected())
            return;
        const wxColour colour = wxSystemSettings::GetColour(
            event.GetCode() == ZTSN_SLOTCOLOR ? wxSYS_COLOUR_HIGHLIGHT : wxSYS_COLOUR_HIGHLIGHTTEXT);
        p_info->crColor = static_cast<COLORREF>(colour.GetRGB());
        event.Answer();
        return;
    }
    default:
        event.Skip();
    }
}

// ---- the two pages ----

DayRulesPPage::DayRulesPPage(wxWindow* p_book, const EventDoc* p_doc)
    : SchedRulesPPage(p_book, "Day rules", std::make_unique<DayRulesCore>(p_doc))
{
}

VenueRulesPPage::VenueRulesPPage(wxWindow* p_book, const EventDoc* p_doc)
    : SchedRulesPPage(p_book, "Venue rules", std::make_unique<VenueRulesCore>(p_doc))
{
}
