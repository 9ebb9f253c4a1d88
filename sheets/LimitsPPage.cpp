#include "sheets/LimitsPPage.h"

#include "framework/Resources.h"
#include "framework/ui/WxText.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "sheets/SheetRules.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"
#include "zelkit/controls/ui/ZelTreeCtrl.h"

#include <string>

namespace {

enum : int { kModeFixed = 0, kModeGrow = 1, kModeMove = 2 };

// Checked to stand for "none of the three".
constexpr int IDC_LIMITS_NONE_CHECKED = 1423;

std::string LoadText(UINT u_id)
{
    std::string s_text;
    if (u_id != 0)
        LoadResourceString(u_id, s_text);
    return s_text;
}

} // namespace

LimitsPanel::LimitsPanel(wxWindow& page, const LimitsPageConfig& config, Hooks hooks)
    : AnchoredPanel(page), State(config.bMaxOnly), Config(config), Hooks_(std::move(hooks))
{
    sLimitsDesc = LoadText(Config.uLimitsDescId);
    sRotationDesc = LoadText(Config.uRotationDescId);
    Create();
}

void LimitsPanel::Create()
{
    // Dialog units: the tree at the left grows down; the limits at the
    // right; the venue check box, the rotation and the description follow
    // the bottom edge.
    Place(new wxStaticText(&Page, IDC_LIMITS_TREE_LABEL, "&Select:"), 7, 7, 120, 9);
    pTree = new ZelTreeCtrl(&Page, IDC_LIMITS_TREE, wxDefaultPosition, wxDefaultSize,
                            wxTR_DEFAULT_STYLE | wxBORDER_SUNKEN);
    pTree->EnableMultiSelection(TRUE);
    const int i_treeBottom = Config.bShowRotation ? 150 : 120;
    Place(pTree, 7, 18, 120, i_treeBottom - 18, kModeFixed, kModeGrow);
    pVenueCheck = new wxCheckBox(&Page, IDC_LIMITS_VENUE_CHECK, "Enable limits for each &venue");
    Place(pVenueCheck, 7, i_treeBottom + 4, 140, 10, kModeFixed, kModeMove);

    const int i_boxHeight = Config.bMaxOnly ? 45 : 98;
    Place(new wxStaticBox(&Page, IDC_LIMITS_GROUP_BOX, "&Limits"), 135, 7, 172, i_boxHeight);
    pNoLimits = new wxRadioButton(&Page, IDC_LIMITS_NONE, "No limits", wxDefaultPosition, wxDefaultSize,
                                  wxRB_GROUP);
    Place(pNoLimits, 143, 20, 120, 10);
    if (Config.bMaxOnly) {
        pRange = new wxRadioButton(&Page, IDC_LIMITS_RANGE, "Schedule a maximum of");
        Place(pRange, 143, 35, 100, 10);
        pMaxBox = new wxTextCtrl(&Page, IDC_LIMITS_MAX_VALUE);
        Place(pMaxBox, 246, 33, 36, 13);
        vLimitLabels.push_back(Place(new wxStaticText(&Page, IDC_LIMITS_MAX_TIMES, "times"), 286, 35, 30, 9));
    } else {
        pExact = new wxRadioButton(&Page, IDC_LIMITS_EXACT, "Schedule exactly");
        Place(pExact, 143, 35, 76, 10);
        pExactBox = new wxTextCtrl(&Page, IDC_LIMITS_EXACT_VALUE);
        Place(pExactBox, 222, 33, 36, 13);
        vLimitLabels.push_back(Place(new wxStaticText(&Page, IDC_LIMITS_EXACT_TIMES, "times"), 262, 35, 30, 9));
        pRange = new wxRadioButton(&Page, IDC_LIMITS_RANGE, "Schedule between");
        Place(pRange, 143, 50, 90, 10);
        vLimitLabels.push_back(Place(new wxStaticText(&Page, wxID_ANY, "a minimum of"), 155, 66, 64, 9));
        pMinBox = new wxTextCtrl(&Page, IDC_LIMITS_MIN_VALUE);
        Place(pMinBox, 222, 64, 36, 13);
        vLimitLabels.push_back(Place(new wxStaticText(&Page, IDC_LIMITS_MIN_TIMES, "times"), 262, 66, 30, 9));
        vLimitLabels.push_back(
            Place(new wxStaticText(&Page, IDC_LIMITS_AND_MAX, "and a maximum of"), 155, 82, 64, 9));
        pMaxBox = new wxTextCtrl(&Page, IDC_LIMITS_MAX_VALUE);
        Place(pMaxBox, 222, 80, 36, 13);
        vLimitLabels.push_back(Place(new wxStaticText(&Page, IDC_LIMITS_MAX_TIMES, "times"), 262, 82, 30, 9));
    }
    pNoneChecked = new wxRadioButton(&Page, IDC_LIMITS_NONE_CHECKED, "");
    pNoneChecked->SetSize(pNoneChecked->GetBestSize());
    pNoneChecked->Hide();

    const int i_buttonsY = 7 + i_boxHeight + 5;
    pDefaultSel = new wxButton(&Page, IDC_LIMITS_DEFAULT_SEL, "&Default selection");
    Place(pDefaultSel, 135, i_buttonsY, 80, 14);
    pDefaultAll = new wxButton(&Page, IDC_LIMITS_DEFAULT_ALL, "Default &all");
    Place(pDefaultAll, 220, i_buttonsY, 80, 14);

    int i_helpY = i_treeBottom + 20;
    if (Config.bShowRotation) {
        const int i_top = i_buttonsY + 20;
        Place(new wxStaticBox(&Page, IDC_ROTATION_GROUP_BOX, "&Rotation"), 135, i_top, 172, 46, kModeFixed,
              kModeMove);
        const char* const a_texts[3] = {"Not required", "Event rotation", "Day rotation"};
        for (int i = 0; i < 3; ++i) {
            apRotation[i] = new wxRadioButton(&Page, IDC_ROTATION_NONE + i, a_texts[i], wxDefaultPosition,
                                              wxDefaultSize, i == 0 ? wxRB_GROUP : 0);
            Place(apRotation[i], 143, i_top + 11 + 10 * i, 80, 10, kModeFixed, kModeMove);
        }
        pRotationDefault = new wxButton(&Page, IDC_ROTATION_DEFAULT, "Defa&ult");
        Place(pRotationDefault, 236, i_top + 20, 60, 14, kModeFixed, kModeMove);
        i_helpY = std::max(i_helpY, i_top + 52);
    } else {
        i_helpY = std::max(i_helpY, i_buttonsY + 22);
    }
    pHelp = new wxStaticText(&Page, IDC_LIMITS_HELP, "Help", wxDefaultPosition, wxDefaultSize, wxST_NO_AUTORESIZE);
    Place(pHelp, 7, i_helpY, 306, 34, kModeGrow, kModeMove);

    pTree->Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) {
        event.Skip();
        ShowDescription();
    });
    Page.Bind(wxEVT_ZEL_NOTIFY, &LimitsPanel::OnTreeNotify, this, IDC_LIMITS_TREE);
    for (wxRadioButton* p_button : {pNoLimits, pExact, pRange}) {
        if (p_button != nullptr)
            p_button->Bind(wxEVT_RADIOBUTTON, &LimitsPanel::OnLimitButton, this);
    }
    for (wxTextCtrl* p_box : {pExactBox, pMinBox, pMaxBox}) {
        if (p_box != nullptr)
            p_box->Bind(wxEVT_TEXT, &LimitsPanel::OnBoxChanged, this);
    }
    pVenueCheck->Bind(wxEVT_CHECKBOX, &LimitsPanel::OnVenueCheck, this);
    pDefaultAll->Bind(wxEVT_BUTTON, &LimitsPanel::OnDefaultAll, this);
    pDefaultSel->Bind(wxEVT_BUTTON, &LimitsPanel::OnDefaultSelection, this);
    for (wxRadioButton* p_button : apRotation) {
        if (p_button != nullptr)
            p_button->Bind(wxEVT_RADIOBUTTON, &LimitsPanel::OnRotationButton, this);
    }
    if (pRotationDefault != nullptr)
        pRotationDefault->Bind(wxEVT_BUTTON, &LimitsPanel::OnRotationDefault, this);
    // The description follows the focus among the page's controls.
    Page.Bind(wxEVT_CHILD_FOCUS, [this](wxChildFocusEvent& event) {
        event.Skip();
        ShowDescription();
    });
}

void LimitsPanel::OnInitDialog()
{
    ZEL_ASSERT(Hooks_.fDocument() != NULL);
    if (!Config.bShowVenueCheck) {
        pVenueCheck->Disable();
        pVenueCheck->Hide();
        State.bEnableVenueLimits = FALSE;
    }
    if (!Config.bShowDefaults) {
        for (wxButton* p_button : {pDefaultSel, pDefaultAll, pRotationDefault}) {
            if (p_button != nullptr) {
                p_button->Disable();
                p_button->Hide();
            }
        }
    }
    hEvent = pTree->InsertItem("Event", nullptr, 0, kEventItemData);
    hDay = pTree->InsertItem("Day", nullptr, 0, kDayItemData);
    bReady = TRUE;
    UpdateTreeAndControls();
    ShowDescription();
}

std::vector<DWORD> LimitsPanel::SelectedData() const
{
    ZelArray<HTREEITEM> a_items;
    pTree->GetAllSelections(a_items);
    std::vector<DWORD> v_data;
    v_data.reserve(static_cast<std::size_t>(a_items.GetSize()));
    for (int i = 0; i < a_items.GetSize(); ++i)
        v_data.push_back(pTree->GetItemData(a_items[i]));
    return v_data;
}

void LimitsPanel::ShowDescription()
{
    const wxWindow* p_focus = wxWindow::FindFocus();
    bool b_rotation = false;
    if (Config.bShowRotation && p_focus != nullptr) {
        for (const wxWindow* p : {static_cast<wxWindow*>(apRotation[0]), static_cast<wxWindow*>(apRotation[1]),
                                  static_cast<wxWindow*>(apRotation[2]), static_cast<wxWindow*>(pRotationDefault)})
            b_rotation = b_rotation || p_focus == p;
    }
    const wxString s_text = ToWx(b_rotation ? sRotationDesc : sLimitsDesc);
    if (pHelp->GetLabel() != s_text) {
        pHelp->SetLabel(s_text);
        pHelp->Wrap(pHelp->GetSize().x);
    }
    pHelp->Show();
}

int LimitsPanel::CheckedButton() const
{
    if (pNoLimits->GetValue())
        return e_limits_no_limits;
    if (pExact != nullptr && pExact->GetValue())
        return e_limits_exact;
    if (pRange->GetValue())
        return e_limits_range;
    return e_limits_button_none;
}

void LimitsPanel::WriteControls()
{
    const BOOL b_updating = bUpdating;
    bUpdating = TRUE;
    // Values that differ between the selected items are not shown.
    const auto f_text = [this](UINT u_value) { return State.bMixed ? std::string() : std::to_string(u_value); };
    if (pExactBox != nullptr)
        pExactBox->ChangeValue(f_text(State.uExact));
    if (pMinBox != nullptr)
        pMinBox->ChangeValue(f_text(State.uMin));
    pMaxBox->ChangeValue(f_text(State.uMax));
    if (Config.bShowVenueCheck)
        pVenueCheck->SetValue(State.bEnableVenueLimits != FALSE);
    if (Config.bShowRotation && uRotation < 3)
        apRotation[uRotation]->SetValue(true);
    bUpdating = b_updating;
}

BOOL LimitsPanel::ReadControls(BOOL b_quiet)
{
    // A box left empty while the selection's values differ keeps them.
    struct Box {
        wxTextCtrl* pBox;
        UINT* pValue;
    };
    const Box a_boxes[] = {{pMaxBox, &State.uMax}, {pMinBox, &State.uMin}, {pExactBox, &State.uExact}};
    BOOL b_ok = TRUE;
    for (const Box& box : a_boxes) {
        if (box.pBox == nullptr)
            continue;
        const std::string s_text = box.pBox->GetValue().ToStdString();
        if (State.bMixed && s_text.empty())
            continue;
        // A box the user left alone keeps the value it shows.
        if (BoxShows(s_text, *box.pValue))
            continue;
        UINT u_value = 0;
        std::string s_error;
        if (ParseLimitValue(s_text, u_value, s_error)) {
            *box.pValue = u_value;
            continue;
        }
        if (b_quiet) {
            b_ok = FALSE;
            continue;
        }
        ShowMessageBox(s_error, MB_OK | MB_ICONEXCLAMATION);
        box.pBox->SetFocus();
        box.pBox->SelectAll();
        return FALSE;
    }
    if (Config.bShowVenueCheck)
        State.bEnableVenueLimits = pVenueCheck->GetValue() ? TRUE : FALSE;
    if (Config.bShowRotation) {
        for (UINT i = 0; i < 3; ++i) {
            if (apRotation[i]->GetValue())
                uRotation = i;
        }
    }
    return b_ok;
}

void LimitsPanel::ApplyControls(BOOL b_read)
{
    const int i_button = CheckedButton();
    if (i_button == e_limits_button_none || !pNoLimits->IsEnabled())
        return;
    if (b_read)
        ReadControls(TRUE);
    State.Apply(vShown, i_button);
}

void LimitsPanel::SetLimitControlsEnabled(bool b_enable)
{
    for (wxWindow* p : {static_cast<wxWindow*>(pNoLimits), static_cast<wxWindow*>(pExact),
                        static_cast<wxWindow*>(pRange), static_cast<wxWindow*>(pDefaultSel),
                        static_cast<wxWindow*>(pExactBox), static_cast<wxWindow*>(pMinBox),
                        static_cast<wxWindow*>(pMaxBox)}) {
        if (p != nullptr)
            p->Enable(b_enable);
    }
    for (wxWindow* p : vLimitLabels)
        p->Enable(b_enable);
}

void LimitsPanel::ShowLimits(const LimitsShown& shown)
{
    if (!shown.bEnabled) {
        SetLimitControlsEnabled(false);
        return;
    }
    SetLimitControlsEnabled(true);
    wxRadioButton* a_buttons[3] = {pNoLimits, pExact, pRange};
    wxRadioButton* p_checked = shown.iChecked >= 0 ? a_buttons[shown.iChecked] : nullptr;
    (p_checked != nullptr ? p_checked : pNoneChecked)->SetValue(true);
    if (pExactBox != nullptr)
        pExactBox->Enable(shown.bExactEnabled != FALSE);
    if (pMinBox != nullptr)
        pMinBox->Enable(shown.bMinEnabled != FALSE);
    pMaxBox->Enable(Config.bMaxOnly ? shown.bMaxEnabled || shown.bMinEnabled : shown.bMaxEnabled != FALSE);
    if (shown.bMixed) {
        for (wxTextCtrl* p_box : {pExactBox, pMinBox, pMaxBox}) {
            if (p_box != nullptr)
                p_box->ChangeValue(wxString());
        }
    }
}

void LimitsPanel::UpdateTreeAndControls()
{
    EditingPSheet* p_sheet = Hooks_.fSheet();
    wxButton* p_undo = p_sheet != nullptr ? p_sheet->GetUndoButton() : nullptr;
    const bool b_undo = p_undo != nullptr && p_undo->IsEnabled();

    if (State.bEnableVenueLimits && !bVenueItems) {
        const auto v_venues = LimitVenueItems(*Hooks_.fDocument());
        pTree->Freeze();
        for (const auto& [s_name, l_key] : v_venues)
            pTree->InsertItem(s_name, hEvent, 0, LimitItemData(e_limit_item_venue, static_cast<DWORD>(l_key)));
        bVenueItems = TRUE;
        pTree->Expand(ZelTreeCtrl::Id(hEvent));
        pTree->Thaw();
        pTree->Refresh();
    } else if (!State.bEnableVenueLimits && bVenueItems && !bRemovingVenues) {
        bRemovingVenues = TRUE;
        pTree->Freeze();
        // Every venue item sits under "Event".
        std::vector<wxTreeItemId> v_venueItems;
        wxTreeItemIdValue cookie;
        for (wxTreeItemId id = pTree->GetFirstChild(ZelTreeCtrl::Id(hEvent), cookie); id.IsOk();
             id = pTree->GetNextChild(ZelTreeCtrl::Id(hEvent), cookie)) {
            if (LimitItemKind(pTree->GetItemData(ZelTreeCtrl::Handle(id))) == e_limit_item_venue)
                v_venueItems.push_back(id);
        }
        for (const wxTreeItemId& id : v_venueItems)
            pTree->Delete(id);
        pTree->ClearSelection();
        bVenueItems = FALSE;
        pTree->Thaw();
        pTree->Refresh();
        bRemovingVenues = FALSE;
    }

    vShown = SelectedData();
    bControlsEdited = false;
    bUpdating = TRUE;
    const LimitsShown shown = State.Update(vShown);
    if (!vShown.empty())
        WriteControls();
    ShowLimits(shown);
    bUpdating = FALSE;
    if (p_sheet != nullptr)
        p_sheet->EnableUndo(b_undo);
}

void LimitsPanel::OnTreeNotify(ZelNotifyEvent& event)
{
    // The controls belong to the selection they show: they go into it
    // before the tree shows another, whether or not the tree said that the
    // selection was about to change.
    if (event.GetCode() == TVN_SELCHANGING) {
        if (bControlsEdited)
            ApplyControls(TRUE);
    } else if (event.GetCode() == TVN_SELCHANGED) {
        if (bControlsEdited)
            ApplyControls(TRUE);
        UpdateTreeAndControls();
    }
    if (event.GetCode() == TVN_SELCHANGING || event.GetCode() == TVN_SELCHANGED)
        ShowDescription();
}

void LimitsPanel::OnLimitButton(wxCommandEvent& event)
{
    ShowDescription();
    const int i_id = event.GetId();
    if (pExactBox != nullptr)
        pExactBox->Enable(i_id == IDC_LIMITS_EXACT);
    if (pMinBox != nullptr)
        pMinBox->Enable(i_id == IDC_LIMITS_RANGE);
    pMaxBox->Enable(i_id == IDC_LIMITS_RANGE);
    if (bUpdating)
        return;
    bControlsEdited = true;
    if (!ReadControls())
        return;
    ApplyControls(FALSE);
    Hooks_.fMarkChanged();
}

void LimitsPanel::OnBoxChanged(wxCommandEvent&)
{
    if (bUpdating)
        return;
    // Only numbers of 0 to 99999 are taken; the range message comes when
    // the page is left.
    bControlsEdited = true;
    ReadControls(TRUE);
    ApplyControls(FALSE);
    Hooks_.fMarkChanged();
}

void LimitsPanel::OnVenueCheck(wxCommandEvent&)
{
    ShowDescription();
    if (!ReadControls())
        return;
    ApplyControls(FALSE);
    UpdateTreeAndControls();
    Hooks_.fMarkChanged();
}

void LimitsPanel::OnDefaultAll(wxCommandEvent&)
{
    ShowDescription();
    State.DefaultAll(Hooks_.fDefaults(), Config.bShowVenueCheck);
    WriteControls();
    UpdateTreeAndControls();
    Hooks_.fMarkChanged();
}

void LimitsPanel::OnDefaultSelection(wxCommandEvent&)
{
    ShowDescription();
    State.DefaultSelection(SelectedData(), Hooks_.fDefaults(), Config.bShowVenueCheck);
    WriteControls();
    UpdateTreeAndControls();
    Hooks_.fMarkChanged();
}

void LimitsPanel::OnRotationButton(wxCommandEvent&)
{
    ShowDescription();
    if (!ReadControls())
        return;
    Hooks_.fMarkChanged();
}

void LimitsPanel::OnRotationDefault(wxCommandEvent&)
{
    ShowDescription();
    uRotation = Hooks_.fDefaultRotation();
    WriteControls();
    Hooks_.fMarkChanged();
}
