#include "sheets/RosterPPage.h"

#include "framework/Resources.h"
#include "framework/ui/WxIds.h"
#include "framework/ui/WxText.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "model/Participant.h"
#include "sheets/GroupEditingPPage.h"
#include "sheets/SheetRules.h"
#include "zelkit/import/ui/ZelCheckListCtrl.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"

#include <algorithm>
#include <climits>

ParticipantRosterPPage::ParticipantRosterPPage(wxWindow* p_book, EventDoc* p_doc, BOOL b_prefs)
    : ParticipantEditingPPage(p_book, "Rostering", p_doc,
                              b_prefs ? IDS_PARTICIPANT_ROSTER_DEFAULTS_DESC : IDS_PARTICIPANT_ROSTER_DESC),
      State(b_prefs), bPrefs(b_prefs)
{
    // Dialog units: the mode and the role at the top, the styles at the
    // left, the roster limit at the right, saving into the role below.
    pByRole = new wxRadioButton(this, IDC_ROSTER_BY_ROLE, "Select rostering by &role", wxDefaultPosition,
                                wxDefaultSize, wxRB_GROUP);
    PlaceDlgUnits(*pByRole, 7, 7, 110, 10);
    pRoles = new wxChoice(this, IDC_ROSTER_ROLE);
    PlaceDlgUnits(*pRoles, 120, 5, 120, 14);
    pByStyle = new wxRadioButton(this, IDC_ROSTER_BY_STYLE, "Select rostering by &style");
    PlaceDlgUnits(*pByStyle, 7, 20, 110, 10);
    pStylesLabel = new wxStaticText(this, IDC_ROSTER_STYLES_LABEL, "St&yles:");
    PlaceDlgUnits(*pStylesLabel, 7, 33, 130, 17);
    pList = new ZelCheckListCtrl(this, IDC_ROSTER_STYLES);
    PlaceDlgUnits(*pList, 7, 52, 130, 78);

    pLimitBox = new wxStaticBox(this, IDC_ROSTER_LIMIT_BOX, "Roster &limits");
    PlaceDlgUnits(*pLimitBox, 141, 36, 158, 94);
    apLimit[SchedLim::e_no_limits] = new wxRadioButton(this, IDC_ROSTER_ALL, "Roster participant in all selected styles",
                                                       wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    PlaceDlgUnits(*apLimit[0], 148, 46, 148, 10);
    apLimit[SchedLim::e_exact] = new wxRadioButton(this, IDC_ROSTER_EXACT, "Roster exactly");
    PlaceDlgUnits(*apLimit[1], 148, 59, 62, 10);
    pExact = new wxTextCtrl(this, IDC_ROSTER_EXACT_VALUE);
    PlaceDlgUnits(*pExact, 219, 57, 30, 13);
    vLimitLabels.push_back(new wxStaticText(this, IDC_ROSTER_EXACT_STYLES, "styles"));
    PlaceDlgUnits(*vLimitLabels.back(), 252, 59, 28, 9);
    apLimit[SchedLim::e_range] = new wxRadioButton(this, IDC_ROSTER_RANGE, "Roster between");
    PlaceDlgUnits(*apLimit[2], 148, 71, 70, 10);
    vLimitLabels.push_back(new wxStaticText(this, IDC_ROSTER_MIN_TEXT, "a minimum of"));
    PlaceDlgUnits(*vLimitLabels.back(), 157, 84, 60, 9);
    pMin = new wxTextCtrl(this, IDC_ROSTER_MIN_VALUE);
    PlaceDlgUnits(*pMin, 219, 82, 30, 13);
    vLimitLabels.push_back(new wxStaticText(this, IDC_ROSTER_MIN_LABEL, "styles"));
    PlaceDlgUnits(*vLimitLabels.back(), 252, 84, 28, 9);
    vLimitLabels.push_back(new wxStaticText(this, IDC_ROSTER_MAX_TEXT, "and a maximum of"));
    PlaceDlgUnits(*vLimitLabels.back(), 157, 97, 62, 9);
    pMax = new wxTextCtrl(this, IDC_ROSTER_MAX_VALUE);
    PlaceDlgUnits(*pMax, 219, 95, 30, 13);
    vLimitLabels.push_back(new wxStaticText(this, IDC_ROSTER_MAX_LABEL, "styles"));
    PlaceDlgUnits(*vLimitLabels.back(), 252, 97, 28, 9);
    pDefault = new wxButton(this, IDC_ROSTER_DEFAULT, "&Default");
    PlaceDlgUnits(*pDefault, 223, 112, 56, 14);
    KeepClearOfTexts({apLimit[SchedLim::e_exact], vLimitLabels[1], vLimitLabels[3]},
                     {pExact, pMin, pMax, vLimitLabels[0], vLimitLabels[2], vLimitLabels[4]});

    pSaveRoleText = new wxStaticText(this, IDC_ROSTER_SAVE_ROLE_TEXT, wxString(), wxDefaultPosition, wxDefaultSize,
                                     wxST_NO_AUTORESIZE);
    PlaceDlgUnits(*pSaveRoleText, 7, 135, 230, 9);
    pSaveRole = new wxButton(this, IDC_ROSTER_SAVE_ROLE, "&Add");
    PlaceDlgUnits(*pSaveRole, 243, 133, 56, 14);
    pSaveRoleHelp = new wxStaticText(this, IDC_ROSTER_SAVE_ROLE_HELP, wxString(), wxDefaultPosition, wxDefaultSize,
                                     wxST_NO_AUTORESIZE);
    PlaceDlgUnits(*pSaveRoleHelp, 7, 147, 292, 26);
    pDescription = MakeDescription(this);
    PlaceDlgUnits(*pDescription, 7, 174, 292, 32);

    for (wxTextCtrl* p_box : {pExact, pMin, pMax})
        p_box->Bind(wxEVT_TEXT, &ParticipantRosterPPage::OnLimitValue, this);
    for (wxRadioButton* p_radio : apLimit)
        p_radio->Bind(wxEVT_RADIOBUTTON, &ParticipantRosterPPage::OnLimitType, this);
    pByRole->Bind(wxEVT_RADIOBUTTON, &ParticipantRosterPPage::OnRoleMode, this);
    pByStyle->Bind(wxEVT_RADIOBUTTON, &ParticipantRosterPPage::OnStyleMode, this);
    pRoles->Bind(wxEVT_CHOICE, &ParticipantRosterPPage::OnRoleChosen, this);
    pSaveRole->Bind(wxEVT_BUTTON, &ParticipantRosterPPage::OnSaveRole, this);
    pDefault->Bind(wxEVT_BUTTON, &ParticipantRosterPPage::OnDefault, this);
    Bind(wxEVT_ZEL_NOTIFY, &ParticipantRosterPPage::OnListNotify, this, IDC_ROSTER_STYLES);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnMove(true); }, WxId(ID_PAGE_MOVE_UP));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnMove(false); }, WxId(ID_PAGE_MOVE_DOWN));
    Bind(wxEVT_MENU, &ParticipantRosterPPage::OnOrder, this, WxId(ID_PAGE_ORDER));
}

void ParticipantRosterPPage::KeepClearOfTexts(std::initializer_list<wxWindow*> a_texts,
                                              std::initializer_list<wxWindow*> a_column)
{
    // Dialog units follow the font's average character, not the widest
    // words of a text: a text that runs into its box moves the column of
    // boxes (with their units) right, a few dialog units clear of it.
    int i_left = INT_MAX;
    for (wxWindow* p : a_column)
        i_left = std::min(i_left, p->GetPosition().x);
    const int i_gap = ConvertDialogToPixels(wxSize(3, 0)).x;
    int i_shift = 0;
    for (wxWindow* p_text : a_texts) {
        const int i_needed = p_text->GetBestSize().x;
        if (p_text->GetSize().x < i_needed)
            p_text->SetSize(wxSize(i_needed, p_text->GetSize().y));
        i_shift = std::max(i_shift, p_text->GetPosition().x + i_needed + i_gap - i_left);
    }
    if (i_shift > 0) {
        for (wxWindow* p : a_column)
            p->Move(p->GetPosition() + wxPoint(i_shift, 0));
    }
}

bool ParticipantRosterPPage::OnInitDialog()
{
    ParticipantEditingPPage::OnInitDialog();
    std::vector<wxWindow*> v_limit{pLimitBox, apLimit[0], apLimit[1], apLimit[2], pExact, pMin, pMax};
    v_limit.insert(v_limit.end(), vLimitLabels.begin(), vLimitLabels.end());
    if (bPrefs) {
        for (wxWindow* p : {static_cast<wxWindow*>(pDefault), static_cast<wxWindow*>(pStylesLabel),
                            static_cast<wxWindow*>(pList), static_cast<wxWindow*>(pRoles),
                            static_cast<wxWindow*>(pByRole), static_cast<wxWindow*>(pByStyle),
                            static_cast<wxWindow*>(pSaveRoleText), static_cast<wxWindow*>(pSaveRoleHelp),
                            static_cast<wxWindow*>(pSaveRole)})
            p->Hide();
        // The limit alone, its centre on the page's centre, a little above
        // the middle.
        const wxRect rc_box = pLimitBox->GetRect();
        const wxSize sz_page = GetClientSize();
        const int i_dx = sz_page.x / 2 - (rc_box.x + rc_box.width / 2);
        const int i_dy = sz_page.y / 2 - rc_box.height / 4 - (rc_box.y + rc_box.height / 2);
        for (wxWindow* p : v_limit)
            p->Move(p->GetPosition() + wxPoint(i_dx, i_dy));
    } else {
        pSaveRoleHelp->SetLabel(ToWx(LoadResString(IDS_PARTICIPANT_ROSTER_ROLE_HELP, "")));
        pSaveRoleHelp->Wrap(pSaveRoleHelp->GetSize().x);
        pToolBar = AddToolBar(IDC_ROSTER_STYLES, pStylesLabel, PTB_MOVE | PTB_ORDER, modeFixed, modeFixed);
        pList->InsertColumn(0, "Order", LVCFMT_RIGHT);
        pList->InsertColumn(1, std::string(), LVCFMT_CENTER);
        pList->InsertColumn(2, "Style", LVCFMT_LEFT);
        pList->SetCheckColumn(1);
        pList->SetCheckColumnStyle(1, ZelCheckListLayer::styleSecond);
        pList->SetExtendedListStyle(pList->GetExtendedListStyle() | LVS_EX_FULLROWSELECT);
        AddSzControl(*pList, modeFixed, modeStretch);
        AddSzControl(*pDefault, modeFixed, modeMove);
        for (wxWindow* p : {static_cast<wxWindow*>(pSaveRoleText), static_cast<wxWindow*>(pSaveRoleHelp),
                            static_cast<wxWindow*>(pSaveRole)})
            AddSzControl(*p, modeFixed, modeMove);
    }
    for (wxWindow* p : v_limit)
        AddSzControl(*p, modeFixed, modeMove);
    AddSzControl(*pDescription, modeStretch, modeMove);
    bReady = true;
    if (!bPrefs) {
        FillStyleList();
        RefreshRoleControls();
    }
    ShowLimit();
    if (pSheet != nullptr)
        pSheet->EnableUndo(false);
    SetChanged(FALSE);
    return true;
}

// ----------------------------------------------------------- load and save

void ParticipantRosterPPage::LoadPage(const Participant& participant)
{
    State.Load(participant, *pDoc);
    State.RefreshMode(participant, *pDoc);
    if (!bReady)
        return;
    if (!bPrefs)
        RefreshRoleControls();
    ShowLimit();
}

BOOL ParticipantRosterPPage::SavePage(Participant& participant, std::string&, BOOL* p_changed)
{
    State.Save(participant, State.iMode == 0 ? ChosenRole() : -1, p_changed);
    return TRUE;
}

void ParticipantRosterPPage::ReloadPage()
{
    LoadPage(GetParticipant());
    if (bReady) {
        TransferDataToWindow();
        if (!bPrefs)
            FillStyleList();
    }
}

bool ParticipantRosterPPage::OnSetActive()
{
    if (!ParticipantEditingPPage::OnSetActive())
        return false;
    ShowLimit();
    if (!bPrefs) {
        RefreshRoleControls();
        FillStyleList();
    }
    return true;
}

bool ParticipantRosterPPage::TransferDataToWindow()
{
    if (bReady)
        ShowLimit();
    return true;
}

bool ParticipantRosterPPage::TransferDataFromWindow() { return WriteLimit(TRUE) != FALSE; }

void ParticipantRosterPPage::MarkPageChanged() { MarkChanged(); }

// ------------------------------------------------------------- style list

std::vector<int> ParticipantRosterPPage::SelectedRows() const
{
    std::vector<int> v_rows;
    for (int i = pList->GetNextItem(-1, LVNI_SELECTED); i >= 0; i = pList->GetNextItem(i, LVNI_SELECTED))
        v_rows.push_back(i);
    return v_rows;
}

void ParticipantRosterPPage::FillStyleList()
{
    std::vector<LONG> v_selectedKeys;
    for (int i_row : SelectedRows())
        v_selectedKeys.push_back(static_cast<LONG>(pList->GetItemData(i_row)));
    const int i_focus = pList->GetFocusItemIndex();
    const LONG l_focusKey = i_focus >= 0 ? static_cast<LONG>(pList->GetItemData(i_focus)) : -1;

    SortedKeyArray a_keys;
    pDoc->GetGroupStyleKeys(a_keys);
    struct Row {
        LONG lKey;
        StyleRow Sort;
    };
    std::vector<Row> v_rows;
    v_rows.reserve(static_cast<std::size_t>(a_keys.GetSize()));
    const StyleList& styles = pDoc->GetStyles();
    for (int i = 0; i < a_keys.GetSize(); ++i) {
        const int i_style = styles.FindByKey(a_keys[i]);
        v_rows.push_back({a_keys[i], {State.Selection.GetRank(a_keys[i]),
                                      i_style >= 0 ? styles[i_style].GetName() : std::string()}});
    }
    std::stable_sort(v_rows.begin(), v_rows.end(), [this](const Row& a, const Row& b) {
        return CompareStyleRows(a.Sort, b.Sort, iSortColumn, bAscending) < 0;
    });

    pList->Freeze();
    pList->DeleteAllItems();
    for (std::size_t i = 0; i < v_rows.size(); ++i) {
        const int i_row = pList->InsertItem(static_cast<int>(i), "", v_rows[i].lKey);
        pList->SetItemText(i_row, 2, v_rows[i].Sort.sName);
    }
    RefreshRows();
    for (LONG l_key : v_selectedKeys) {
        const int i_row = pList->FindItemData(l_key);
        if (i_row >= 0)
            pList->SetItemState(i_row, LVIS_SELECTED, LVIS_SELECTED);
    }
    if (l_focusKey >= 0 && pList->FindItemData(l_focusKey) >= 0)
        pList->SetFocusItem(pList->FindItemData(l_focusKey));
    pList->SetHeaderSortType(iSortColumn == 2 ? 2 : 0, bAscending ? 1 : 2);
    pList->AutoSizeColumns();
    pList->Thaw();
    pList->Refresh();
    UpdateToolBar();
}

void ParticipantRosterPPage::RefreshRows()
{
    const BOOL b_updating = bUpdating;
    bUpdating = TRUE;
    for (int i = 0; i < pList->GetItemCount(); ++i) {
        const LONG l_rank = State.Selection.GetRank(static_cast<LONG>(pList->GetItemData(i)));
        pList->SetItemText(i, 0, l_rank != 0 ? std::to_string(l_rank) : std::string());
        pList->SetCheckState(i, 1, l_rank != 0 ? ZelCheckListLayer::stateChecked : ZelCheckListLayer::stateUnchecked);
    }
    pList->Refresh();
    bUpdating = b_updating;
}

void ParticipantRosterPPage::UpdateToolBar()
{
    if (pToolBar == nullptr)
        return;
    std::vector<LONG> v_ranks;
    for (int i = 0; i < pList->GetItemCount(); ++i)
        v_ranks.push_back(State.Selection.GetRank(static_cast<LONG>(pList->GetItemData(i))));
    RosterTools tools = GetRosterTools(v_ranks, SelectedRows(), State.Selection.GetSize());
    const bool b_list = pList->IsEnabled();
    EnableToolBarButton(pToolBar, ID_PAGE_MOVE_UP, b_list && tools.bMove);
    EnableToolBarButton(pToolBar, ID_PAGE_MOVE_DOWN, b_list && tools.bMove);
    EnableToolBarButton(pToolBar, ID_PAGE_ORDER, b_list && tools.bOrder);
}

void ParticipantRosterPPage::OnListNotify(ZelNotifyEvent& event)
{
    switch (event.GetCode()) {
    case LVN_ITEMCHANGED: {
        const auto* p_nm = event.GetRecordAs<ZelNMListView>();
        if (bUpdating || p_nm == nullptr || p_nm->iSubItem != 1 ||
            (p_nm->uChanged & ZelCheckListLayer::uToggleChanged) == 0) {
            UpdateToolBar();
            return;
        }
        const LONG l_key = static_cast<LONG>(pList->GetItemData(p_nm->iItem));
        if (State.Selection.GetRank(l_key) == 0)
            State.Selection.Add(l_key);
        else
            State.Selection.Remove(l_key);
        RefreshRows();
        ApplyEnables();
        MarkPageChanged();
        UpdateToolBar();
        return;
    }
    case LVN_COLUMNCLICK: {
        const auto* p_nm = event.GetRecordAs<ZelNMListView>();
        const int i_column = p_nm != nullptr && p_nm->iSubItem == 2 ? 2 : 0;
        bAscending = i_column == iSortColumn ? !bAscending : true;
        iSortColumn = i_column;
        FillStyleList();
        return;
    }
    default:
        event.Skip();
    }
}

void ParticipantRosterPPage::OnMove(bool b_up)
{
    // The styles to move are named before the first move re-sorts them.
    std::vector<LONG> v_keys;
    for (int i_row : SelectedRows()) {
        const LONG l_key = static_cast<LONG>(pList->GetItemData(i_row));
        if (State.Selection.GetRank(l_key) != 0)
            v_keys.push_back(l_key);
    }
    if (v_keys.empty())
        return;
    State.Selection.MoveStyles(v_keys, b_up ? TRUE : FALSE);
    FillStyleList();
    MarkPageChanged();
}

void ParticipantRosterPPage::OnOrder(wxCommandEvent&)
{
    iSortColumn = 0;
    bAscending = true;
    FillStyleList();
}

// ------------------------------------------------------------- role controls

LONG ParticipantRosterPPage::ChosenRole() const
{
    const int i_choice = pRoles->GetSelection();
    return i_choice >= 0 && static_cast<std::size_t>(i_choice) < vRoleKeys.size()
               ? vRoleKeys[static_cast<std::size_t>(i_choice)]
               : -1;
}

void ParticipantRosterPPage::FillRoleCombo()
{
    const auto v_entries = RosterPageState::RoleEntries(*pDoc);
    pRoles->Clear();
    vRoleKeys.clear();
    for (const auto& [s_name, l_key] : v_entries) {
        pRoles->Append(ToWx(s_name));
        vRoleKeys.push_back(l_key);
    }
    const int i_select = RosterPageState::RoleEntryToSelect(v_entries, GetParticipant());
    if (i_select >= 0)
        pRoles->SetSelection(i_select);
}

void ParticipantRosterPPage::RefreshRoleControls()
{
    FillRoleCombo();
    const BOOL b_updating = bUpdating;
    bUpdating = TRUE;
    (State.iMode == 0 ? pByRole : pByStyle)->SetValue(true);
    bUpdating = b_updating;
    ApplyEnables();
}

void ParticipantRosterPPage::ApplyEnables()
{
    if (pSheet == nullptr)
        return;
    const RosterControls controls = State.GetControls(GetParticipant(), *pDoc);
    pByRole->Enable(controls.bRoleRadio != FALSE);
    pByStyle->Enable(controls.bStyleRadio != FALSE);
    pRoles->Enable(controls.bCombo != FALSE);
    pList->Enable(controls.bList != FALSE);
    for (wxRadioButton* p_radio : apLimit)
        p_radio->Enable(controls.bLimitControls != FALSE);
    for (wxWindow* p : vLimitLabels)
        p->Enable(controls.bLimitControls != FALSE);
    pExact->Enable(controls.bExactBox != FALSE);
    pMin->Enable(controls.bMinBox != FALSE);
    pMax->Enable(controls.bMaxBox != FALSE);
    pDefault->Enable(!bPrefs && controls.bLimitControls);
    if (!bPrefs) {
        const bool b_area = controls.bRoleAreaShown != FALSE;
        pSaveRole->Show(b_area);
        pSaveRoleText->Show(b_area);
        pSaveRoleHelp->Show(b_area);
        if (b_area) {
            pSaveRoleText->SetLabel(ToWx(controls.sRoleText));
            pSaveRole->SetLabel(ToWx(controls.sRoleButton));
            pSaveRole->Enable(controls.bRoleButtonEnabled != FALSE);
        }
    }
    UpdateToolBar();
}

void ParticipantRosterPPage::OnRoleMode(wxCommandEvent&)
{
    if (bUpdating)
        return;
    State.TakeRole(*pDoc, ChosenRole());
    FillStyleList();
    ShowLimit();
    MarkPageChanged();
}

void ParticipantRosterPPage::OnStyleMode(wxCommandEvent&)
{
    if (bUpdating)
        return;
    State.TakeParticipant(GetParticipant(), *pDoc);
    FillStyleList();
    ShowLimit();
    MarkPageChanged();
}

void ParticipantRosterPPage::OnRoleChosen(wxCommandEvent&)
{
    State.TakeRole(*pDoc, ChosenRole());
    FillStyleList();
    ShowLimit();
    MarkPageChanged();
}

void ParticipantRosterPPage::OnSaveRole(wxCommandEvent&)
{
    if (!WriteLimit(TRUE))
        return;
    if (!State.SaveIntoRole(*pDoc, GetParticipant()))
        return;
    FillRoleCombo();
    const BOOL b_updating = bUpdating;
    bUpdating = TRUE;
    pByRole->SetValue(true);
    bUpdating = b_updating;
    iSortColumn = 0;
    bAscending = true;
    FillStyleList();
    ApplyEnables();
}

// ------------------------------------------------------------- the limit

int ParticipantRosterPPage::CheckedLimitType() const
{
    for (int i = 0; i < 3; ++i) {
        if (apLimit[i]->GetValue())
            return i;
    }
    return -1;
}

void ParticipantRosterPPage::ShowLimit()
{
    UINT u_exact = 0, u_min = 0, u_max = 0;
    State.ShownValues(u_exact, u_min, u_max);
    const BOOL b_updating = bUpdating;
    bUpdating = TRUE;
    pExact->ChangeValue(std::to_string(u_exact));
    pMin->ChangeValue(std::to_string(u_min));
    pMax->ChangeValue(std::to_string(u_max));
    if (State.Limit.uType <= SchedLim::e_range)
        apLimit[State.Limit.uType]->SetValue(true);
    bUpdating = b_updating;
    ApplyEnables();
}

BOOL ParticipantRosterPPage::WriteLimit(BOOL b_loud, bool b_typeChosen)
{
    const int i_type = CheckedLimitType();
    if (i_type < 0)
        return TRUE;
    UINT a_values[3] = {State.Limit.uValue, State.Limit.uMin, State.Limit.uMax};
    UINT a_shown[3] = {0, 0, 0};
    State.ShownValues(a_shown[0], a_shown[1], a_shown[2]);
    wxTextCtrl* a_boxes[3] = {pExact, pMin, pMax};
    // Boxes that still show the page's limit give nothing to take: the
    // limit stays as it was loaded, a value above what a box takes and a
    // maximum below its minimum included.
    bool b_typed = b_typeChosen;
    for (int i = 0; i < 3; ++i) {
        if (a_boxes[i]->IsEnabled() && !BoxShows(a_boxes[i]->GetValue().ToStdString(), a_shown[i]))
            b_typed = true;
    }
    if (!b_typed)
        return TRUE;
    for (int i = 0; i < 3; ++i) {
        if (!a_boxes[i]->IsEnabled())
            continue;
        // A box the user left alone gives what it shows.
        const std::string s_text = a_boxes[i]->GetValue().ToStdString();
        if (BoxShows(s_text, a_shown[i])) {
            a_values[i] = a_shown[i];
            continue;
        }
        std::string s_error;
        if (ParseRosterCount(s_text, a_values[i], s_error))
            continue;
        if (!b_loud)
            return FALSE;
        ShowMessageBox(s_error, MB_OK | MB_ICONEXCLAMATION);
        a_boxes[i]->SetFocus();
        a_boxes[i]->SelectAll();
        return FALSE;
    }
    State.WriteLimit(static_cast<UINT>(i_type), a_values[0], a_values[1], a_values[2]);
    return TRUE;
}

void ParticipantRosterPPage::OnLimitType(wxCommandEvent&)
{
    if (bUpdating)
        return;
    const int i_type = CheckedLimitType();
    State.Limit.uType = static_cast<UINT>(std::max(i_type, 0));
    ApplyEnables();
    WriteLimit(FALSE, true);
    MarkPageChanged();
}

void ParticipantRosterPPage::OnLimitValue(wxCommandEvent&)
{
    if (bUpdating)
        return;
    // A number of 0 to 9999 is taken as it is typed; anything else waits
    // for the page to be left, which tells the user.
    WriteLimit(FALSE);
    MarkPageChanged();
}

void ParticipantRosterPPage::OnDefault(wxCommandEvent&)
{
    if (bPrefs)
        return;
    State.SetDefault(pDoc->GetPreferences());
    ShowLimit();
    MarkPageChanged();
}
