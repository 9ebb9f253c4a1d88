#include "sheets/AllocPPage.h"

#include "framework/ui/WxText.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "model/Group.h"
#include "sheets/LimitsRules.h"
#include "sheets/SheetRules.h"
#include "shell/editing/EditingPSheet.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"
#include "zelkit/controls/ui/ZelTreeCtrl.h"

#include <wx/valtext.h>
#include <wx/stattext.h>

namespace {

constexpr int IDC_ALLOC_NONE_CHECKED = 1262;

} // namespace

GroupAllocPPage::GroupAllocPPage(wxWindow* p_book, EventDoc* p_doc, BOOL b_group)
    : GroupEditingPPage(p_book, "Allocation", p_doc, b_group ? IDS_GROUP_ALLOC_DESC : IDS_GROUP_ALLOC_DEFAULTS_DESC),
      bGroup(b_group)
{
    // Dialog units: the tree at the left, the requirement at the right.
    pLabel = new wxStaticText(this, IDC_ALLOC_TREE_LABEL, "&Select venue:");
    PlaceDlgUnits(*pLabel, 7, 7, 120, 9);
    pTree = new ZelTreeCtrl(this, IDC_ALLOC_TREE, wxDefaultPosition, wxDefaultSize,
                            wxTR_DEFAULT_STYLE | wxBORDER_SUNKEN);
    pTree->EnableMultiSelection(TRUE);
    PlaceDlgUnits(*pTree, 7, 18, 120, 127);

    const auto f_right = [this](wxWindow* p_window, int i_x, int i_y, int i_cx, int i_cy) {
        PlaceDlgUnits(*p_window, i_x, i_y, i_cx, i_cy);
        vRightSide.push_back(p_window);
        return p_window;
    };
    apRadios[e_alloc_none] = new wxRadioButton(this, IDC_ALLOC_NONE, "No requirements", wxDefaultPosition,
                                               wxDefaultSize, wxRB_GROUP);
    f_right(apRadios[e_alloc_none], 136, 20, 120, 10);
    apRadios[e_alloc_exact] = new wxRadioButton(this, IDC_ALLOC_EXACT, "Requires exactly");
    f_right(apRadios[e_alloc_exact], 136, 35, 76, 10);
    pExact = new wxTextCtrl(this, IDC_ALLOC_EXACT_VALUE);
    f_right(pExact, 222, 33, 32, 13);
    vLabels.push_back(f_right(new wxStaticText(this, IDC_ALLOC_EXACT_SLOTS, "timeslots"), 258, 35, 40, 9));
    apRadios[e_alloc_range] = new wxRadioButton(this, IDC_ALLOC_RANGE, "Requires between");
    f_right(apRadios[e_alloc_range], 136, 50, 90, 10);
    vLabels.push_back(f_right(new wxStaticText(this, IDC_ALLOC_MIN_LABEL, "a minimum of"), 148, 66, 72, 9));
    pMin = new wxTextCtrl(this, IDC_ALLOC_MIN_VALUE);
    f_right(pMin, 222, 64, 32, 13);
    vLabels.push_back(f_right(new wxStaticText(this, IDC_ALLOC_MIN_SLOTS, "timeslots"), 258, 66, 40, 9));
    vLabels.push_back(f_right(new wxStaticText(this, IDC_ALLOC_MAX_LABEL, "and a maximum of"), 148, 82, 72, 9));
    pMax = new wxTextCtrl(this, IDC_ALLOC_MAX_VALUE);
    f_right(pMax, 222, 80, 32, 13);
    vLabels.push_back(f_right(new wxStaticText(this, IDC_ALLOC_MAX_SLOTS, "timeslots"), 258, 82, 40, 9));
    pConsecutive = new wxCheckBox(this, IDC_ALLOC_CONSECUTIVE,
                                  "Allocations across &consecutive days\nare one allocation.", wxDefaultPosition,
                                  wxDefaultSize, wxCHK_2STATE);
    f_right(pConsecutive, 136, 98, 160, 20);
    pNoneChecked = new wxRadioButton(this, IDC_ALLOC_NONE_CHECKED, "");
    pNoneChecked->Hide();

    pDefaultSel = new wxButton(this, IDC_ALLOC_DEFAULT_SEL, "De&fault selection");
    f_right(pDefaultSel, 136, 126, 78, 14);
    pDefaultAll = new wxButton(this, IDC_ALLOC_DEFAULT_ALL, "&Default all");
    f_right(pDefaultAll, 219, 126, 78, 14);

    pDescription = MakeDescription(this);
    PlaceDlgUnits(*pDescription, 7, 150, 292, 50);

    // The boxes take digits only.
    for (wxTextCtrl* p_box : {pExact, pMin, pMax}) {
        wxTextValidator digits(wxFILTER_DIGITS);
        p_box->SetValidator(digits);
        p_box->Disable();
        p_box->Bind(wxEVT_TEXT, &GroupAllocPPage::OnValueChanged, this);
    }
    for (wxRadioButton* p_radio : apRadios)
        p_radio->Bind(wxEVT_RADIOBUTTON, &GroupAllocPPage::OnRadio, this);
    pConsecutive->Bind(wxEVT_CHECKBOX, &GroupAllocPPage::OnValueChanged, this);
    pDefaultAll->Bind(wxEVT_BUTTON, &GroupAllocPPage::OnDefaultAll, this);
    pDefaultSel->Bind(wxEVT_BUTTON, &GroupAllocPPage::OnDefaultSelection, this);
    Bind(wxEVT_ZEL_NOTIFY, &GroupAllocPPage::OnTreeNotify, this, IDC_ALLOC_TREE);
}

bool GroupAllocPPage::OnInitDialog()
{
    GroupEditingPPage::OnInitDialog();
    AddSzControl(*pTree, modeStretch, modeStretch);
    for (wxWindow* p_window : vRightSide)
        AddSzControl(*p_window, modeMove, modeFixed);
    AddSzControl(*pDescription, modeStretch, modeMove);
    if (!bGroup) {
        for (wxButton* p_button : {pDefaultAll, pDefaultSel})
            p_button->Hide();
    }
    // The root, then the venues by name.
    hRoot = pTree->InsertItem("Venues", nullptr, 0, static_cast<DWORD>(kAllocRootData));
    pTree->Freeze();
    for (const auto& [s_name, l_key] : LimitVenueItems(*pDoc))
        pTree->InsertItem(s_name, hRoot, 0, static_cast<DWORD>(l_key));
    pTree->Thaw();
    bReady = true;
    TransferDataToWindow();
    pTree->Expand(ZelTreeCtrl::Id(hRoot));
    ShowSelection();
    return true;
}

BOOL GroupAllocPPage::SavePage(Group& group, std::string&)
{
    State.Save(group.GetVenueAllocs());
    return TRUE;
}

void GroupAllocPPage::LoadPage(const Group& group) { State.Load(group.GetVenueAllocs()); }

void GroupAllocPPage::ReloadPage()
{
    LoadPage(GetGroup());
    if (bReady) {
        TransferDataToWindow();
        ShowSelection();
    }
}

bool GroupAllocPPage::OnSetActive()
{
    if (!GroupEditingPPage::OnSetActive())
        return false;
    if (bReady)
        ShowSelection();
    if (pSheet != nullptr)
        pSheet->EnableUndo(false);
    return true;
}

bool GroupAllocPPage::OnKillActive()
{
    ApplyControls();
    return GroupEditingPPage::OnKillActive();
}

std::vector<LONG> GroupAllocPPage::SelectedData() const
{
    ZelArray<HTREEITEM> a_items;
    pTree->GetAllSelections(a_items);
    std::vector<LONG> v_data;
    v_data.reserve(static_cast<std::size_t>(a_items.GetSize()));
    for (int i = 0; i < a_items.GetSize(); ++i)
        v_data.push_back(static_cast<LONG>(pTree->GetItemData(a_items[i])));
    return v_data;
}

int GroupAllocPPage::CheckedRadio() const
{
    for (int i = 0; i < 3; ++i) {
        if (apRadios[i]->GetValue())
            return i;
    }
    return e_alloc_mixed;
}

bool GroupAllocPPage::TransferDataToWindow()
{
    const BOOL b_updating = bUpdating;
    bUpdating = TRUE;
    if (AllocState::IsValidSelection(vShown)) {
        pExact->ChangeValue(std::to_string(State.uExact));
        pMin->ChangeValue(std::to_string(State.uMin));
        pMax->ChangeValue(std::to_string(State.uMax));
    }
    pConsecutive->SetValue(State.bConsecutive != FALSE);
    bUpdating = b_updating;
    return true;
}

BOOL GroupAllocPPage::ReadBoxes(int e_read)
{
    if (!AllocState::IsValidSelection(vShown))
        return TRUE;
    struct Box {
        wxTextCtrl* pBox;
        UINT* pValue;
    };
    const Box a_boxes[] = {{pMax, &State.uMax}, {pMin, &State.uMin}, {pExact, &State.uExact}};
    for (const Box& box : a_boxes) {
        const std::string s_text = box.pBox->GetValue().ToStdString();
        // A box left empty while the venues' values differ keeps them; a
        // box emptied on the way to a new number waits for it.
        if (s_text.empty() && (State.bMixed || e_read != e_read_leaving))
            continue;
        // A box the user left alone keeps the value it shows.
        if (BoxShows(s_text, *box.pValue))
            continue;
        UINT u_value = 0;
        std::string s_error;
        if (ParseAllocCount(s_text, u_value, s_error)) {
            *box.pValue = u_value;
            continue;
        }
        if (e_read == e_read_silent)
            return FALSE;
        ShowMessageBox(s_error, MB_OK | MB_ICONEXCLAMATION);
        if (e_read == e_read_leaving) {
            box.pBox->SetFocus();
            box.pBox->SelectAll();
        }
        return FALSE;
    }
    State.bConsecutive = pConsecutive->GetValue() ? TRUE : FALSE;
    return TRUE;
}

bool GroupAllocPPage::TransferDataFromWindow() { return ReadBoxes(e_read_leaving) != FALSE; }

void GroupAllocPPage::SetAllocControlsEnabled(bool b_enable)
{
    for (wxWindow* p : {static_cast<wxWindow*>(apRadios[0]), static_cast<wxWindow*>(apRadios[1]),
                        static_cast<wxWindow*>(apRadios[2]), static_cast<wxWindow*>(pExact),
                        static_cast<wxWindow*>(pMin), static_cast<wxWindow*>(pMax),
                        static_cast<wxWindow*>(pConsecutive), static_cast<wxWindow*>(pDefaultSel)})
        p->Enable(b_enable);
    for (wxWindow* p : vLabels)
        p->Enable(b_enable);
}

void GroupAllocPPage::ShowSelection()
{
    wxButton* p_undo = pSheet != nullptr ? pSheet->GetUndoButton() : nullptr;
    const bool b_undo = p_undo != nullptr && p_undo->IsEnabled();
    vShown = SelectedData();
    bControlsEdited = false;
    const AllocShown shown = State.Show(vShown);
    if (!shown.bValid) {
        SetAllocControlsEnabled(false);
    } else {
        SetAllocControlsEnabled(true);
        bUpdating = TRUE;
        TransferDataToWindow();
        if (shown.iChecked == e_alloc_mixed)
            pNoneChecked->SetValue(true);
        else
            apRadios[shown.iChecked]->SetValue(true);
        pExact->Enable(shown.iChecked == e_alloc_exact);
        pMin->Enable(shown.iChecked == e_alloc_range);
        pMax->Enable(shown.iChecked == e_alloc_range);
        pConsecutive->Enable(shown.iChecked == e_alloc_exact || shown.iChecked == e_alloc_range);
        if (shown.bMixed) {
            pConsecutive->SetValue(false);
            for (wxTextCtrl* p_box : {pExact, pMin, pMax}) {
                p_box->ChangeValue(wxString());
                p_box->Disable();
            }
        }
        bUpdating = FALSE;
    }
    if (pSheet != nullptr)
        pSheet->EnableUndo(b_undo);
}

void GroupAllocPPage::ApplyControls()
{
    const int i_radio = CheckedRadio();
    if (!bControlsEdited || i_radio == e_alloc_mixed || !AllocState::IsValidSelection(vShown))
        return;
    ReadBoxes(e_read_silent);
    State.bConsecutive = pConsecutive->GetValue() ? TRUE : FALSE;
    State.Apply(*pDoc, vShown, i_radio);
}

void GroupAllocPPage::MarkChanged() { MarkEdited(); }

void GroupAllocPPage::RadioState(int i_radio)
{
    pExact->Enable(i_radio == e_alloc_exact);
    pMin->Enable(i_radio == e_alloc_range);
    pMax->Enable(i_radio == e_alloc_range);
    pConsecutive->Enable(i_radio != e_alloc_none);
    bControlsEdited = true;
    bUpdating = TRUE;
    TransferDataToWindow();
    bUpdating = FALSE;
    MarkChanged();
}

void GroupAllocPPage::OnTreeNotify(ZelNotifyEvent& event)
{
    // The controls belong to the selection they show: they go into it
    // before the tree shows another, whether or not the tree said that the
    // selection was about to change.
    if (event.GetCode() == TVN_SELCHANGING) {
        ApplyControls();
    } else if (event.GetCode() == TVN_SELCHANGED) {
        ApplyControls();
        ShowSelection();
    } else {
        event.Skip();
    }
}

void GroupAllocPPage::OnRadio(wxCommandEvent& event)
{
    for (int i = 0; i < 3; ++i) {
        if (event.GetId() == apRadios[i]->GetId())
            RadioState(i);
    }
}

void GroupAllocPPage::OnValueChanged(wxCommandEvent&)
{
    if (bUpdating || !AllocState::IsValidSelection(vShown))
        return;
    bControlsEdited = true;
    if (!ReadBoxes(e_read_typing))
        return;
    ApplyControls();
    MarkChanged();
}

void GroupAllocPPage::OnDefaultAll(wxCommandEvent&)
{
    State.DefaultAll(pDoc->GetPreferences().GetGroupVenueAllocs());
    ShowSelection();
    MarkChanged();
}

void GroupAllocPPage::OnDefaultSelection(wxCommandEvent&)
{
    State.DefaultSelection(SelectedData(), pDoc->GetPreferences().GetGroupVenueAllocs());
    ShowSelection();
    MarkChanged();
}
