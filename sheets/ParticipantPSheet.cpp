#include "sheets/ParticipantPSheet.h"

#include "framework/ui/WxText.h"
#include "model/EventDoc.h"
#include "sheets/AvailPages.h"
#include "sheets/GroupEditingPPage.h"
#include "sheets/RosterPPage.h"
#include "sheets/SheetRules.h"
#include "zelkit/base/ZelAssert.h"

#include <wx/stattext.h>

namespace {

// The text of a control, in the event's character set; nothing when it
// holds a character the event cannot keep (the user has been told).
std::optional<std::string> ControlText(wxWindow* p_page, int i_id)
{
    wxWindow* p_window = p_page->FindWindow(i_id);
    wxString s_value;
    if (auto* p_text = wxDynamicCast(p_window, wxTextCtrl))
        s_value = p_text->GetValue();
    else if (auto* p_combo = wxDynamicCast(p_window, wxComboBox))
        s_value = p_combo->GetValue();
    return AcceptTypedText(std::string(s_value.utf8_str()));
}

// The most characters a Details box takes from the keyboard.
unsigned long TypingMax(int i_id)
{
    using F = ParticipantDetailsFields;
    switch (i_id) {
    case IDC_PART_FIRST_NAME: return F::kFirstMax;
    case IDC_PART_OTHER_NAMES: return F::kOtherMax;
    case IDC_PART_LAST_NAME: return F::kLastMax;
    case IDC_PART_ADDRESS1:
    case IDC_PART_ADDRESS2:
    case IDC_PART_ADDRESS3: return F::kAddressMax;
    case IDC_PART_POSTCODE: return F::kPostCodeMax;
    case IDC_PART_PHONE:
    case IDC_PART_PHONE2:
    case IDC_PART_FAX: return F::kPhoneMax;
    case IDC_PART_EMAIL: return F::kEmailMax;
    case IDC_PART_ROLE: return F::kRoleMax;
    default: return 0;
    }
}

void SetControlText(wxWindow* p_page, int i_id, const std::string& s_text)
{
    wxWindow* p_window = p_page->FindWindow(i_id);
    if (auto* p_text = wxDynamicCast(p_window, wxTextCtrl))
        ShowStoredText(*p_text, ToWx(s_text), TypingMax(i_id));
    else if (auto* p_combo = wxDynamicCast(p_window, wxComboBox))
        ShowStoredText(*p_combo, ToWx(s_text), TypingMax(i_id));
}

} // namespace

// --------------------------------------------------- ParticipantEditingPPage

ParticipantEditingPPage::ParticipantEditingPPage(wxWindow* p_book, const wxString& s_caption, EventDoc* p_doc,
                                                 UINT u_descriptionId)
    : EditingPPage(p_book, s_caption, u_descriptionId), pDoc(p_doc)
{
    Bind(wxEVT_MENU, &ParticipantEditingPPage::OnUndo, this, IDC_SHEET_UNDO);
}

Participant& ParticipantEditingPPage::GetParticipant(EditingPSheet* p_sheet)
{
    if (p_sheet == nullptr) {
        ZEL_ASSERT(pSheet != NULL);
        p_sheet = pSheet;
    }
    auto* p_host = dynamic_cast<ParticipantPageHost*>(p_sheet);
    ZEL_ASSERT(p_host != NULL);
    return p_host->GetPageParticipant();
}

void ParticipantEditingPPage::ReloadPage()
{
    LoadPage(GetParticipant());
    if (HasInitialisedPage())
        TransferDataToWindow();
}

void ParticipantEditingPPage::MarkChanged() { MarkEdited(); }

BOOL ParticipantEditingPPage::CheckSettings(BOOL* p_stay)
{
    auto* p_host = dynamic_cast<ParticipantPageHost*>(pSheet);
    ZEL_ASSERT(p_host != NULL);
    ParticipantPageProtocol protocol(pDoc, p_host->GetPageParticipant(), p_host->IsInteractive(),
                                     p_host->GetStoredParticipant());
    BOOL b_discarded = FALSE;
    const BOOL b_result = protocol.CheckSettings(*this, &b_discarded);
    *p_stay = b_discarded;
    // The page shows the participant it was given back.
    if (b_discarded)
        EditsDiscarded();
    return b_result;
}

bool ParticipantEditingPPage::OnSetActive()
{
    if (!EditingPPage::OnSetActive())
        return false;
    // Other pages may have changed the participant since.
    ReloadUnchanged();
    return true;
}

void ParticipantEditingPPage::Undo()
{
    UndoEdits();
}

void ParticipantEditingPPage::OnUndo(wxCommandEvent&) { Undo(); }

// --------------------------------------------------- ParticipantDetailsPPage

ParticipantDetailsPPage::ParticipantDetailsPPage(wxWindow* p_book, EventDoc* p_doc)
    : ParticipantEditingPPage(p_book, "Details", p_doc, IDS_PARTICIPANT_DETAILS_DESC)
{
    using F = ParticipantDetailsFields;
    struct Field {
        const char* pLabel;
        int iId;
        int iMax;
        int iX;
        int iY;
        int iWidth;
    };
    // Dialog units: names on the first rows, the address at the left,
    // telephone numbers and e-mail at the right.
    const Field a_fields[] = {
        {"&First Name:", IDC_PART_FIRST_NAME, F::kFirstMax, 7, 7, 90},
        {"&Other Names:", IDC_PART_OTHER_NAMES, F::kOtherMax, 107, 7, 106},
        {"&Last Name:", IDC_PART_LAST_NAME, F::kLastMax, 223, 7, 90},
        {"&Address:", IDC_PART_ADDRESS1, F::kAddressMax, 7, 37, 160},
        {nullptr, IDC_PART_ADDRESS2, F::kAddressMax, 7, 53, 160},
        {nullptr, IDC_PART_ADDRESS3, F::kAddressMax, 7, 69, 160},
        {"Postal/Zip &code:", IDC_PART_POSTCODE, F::kPostCodeMax, 7, 96, 60},
        {"&Phone:", IDC_PART_PHONE, F::kPhoneMax, 182, 37, 100},
        {"Phone &2:", IDC_PART_PHONE2, F::kPhoneMax, 182, 62, 100},
        {"Fa&x:", IDC_PART_FAX, F::kPhoneMax, 182, 87, 100},
        {"E&mail:", IDC_PART_EMAIL, F::kEmailMax, 7, 125, 160},
    };
    for (const Field& field : a_fields) {
        if (field.pLabel != nullptr) {
            auto* p_label = new wxStaticText(this, wxID_ANY, field.pLabel);
            PlaceDlgUnits(*p_label, field.iX, field.iY, field.iWidth, 9);
        }
        auto* p_edit = new wxTextCtrl(this, field.iId);
        p_edit->SetMaxLength(static_cast<unsigned long>(field.iMax));
        PlaceDlgUnits(*p_edit, field.iX, field.iY + 10, field.iWidth, 13);
        if (field.iId == IDC_PART_FIRST_NAME || field.iId == IDC_PART_OTHER_NAMES || field.iId == IDC_PART_LAST_NAME)
            p_edit->Bind(wxEVT_TEXT, &ParticipantDetailsPPage::OnNameChanged, this);
        else
            p_edit->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { MarkChanged(); });
        if (field.iWidth >= 160)
            vAnchored.push_back(p_edit);
    }
    auto* p_roleLabel = new wxStaticText(this, wxID_ANY, "Usual &Role:");
    PlaceDlgUnits(*p_roleLabel, 182, 125, 100, 9);
    pRole = new wxComboBox(this, IDC_PART_ROLE, wxString(), wxDefaultPosition, wxDefaultSize, 0, nullptr,
                           wxCB_DROPDOWN);
    pRole->SetMaxLength(ParticipantDetailsFields::kRoleMax);
    PlaceDlgUnits(*pRole, 182, 135, 131, 14);
    pRole->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { MarkChanged(); });
    pRole->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { MarkChanged(); });

    auto* p_description = new wxStaticText(this, IDC_PAGE_DESCRIPTION, wxString(), wxDefaultPosition, wxDefaultSize,
                                           wxST_NO_AUTORESIZE);
    PlaceDlgUnits(*p_description, 7, 160, 306, 40);
}

bool ParticipantDetailsPPage::OnInitDialog()
{
    ParticipantEditingPPage::OnInitDialog();
    if (wxWindow* p_description = FindWindow(IDC_PAGE_DESCRIPTION)) {
        static_cast<wxStaticText*>(p_description)->Wrap(p_description->GetSize().x);
        AddSzControl(*p_description, modeStretch, modeMove);
    }
    return true;
}

void ParticipantDetailsPPage::FillRoles(LONG l_roleKey)
{
    const std::vector<std::string> v_names = ParticipantDetailsFields::RoleNames(*pDoc);
    wxArrayString a_names;
    for (const std::string& s_name : v_names)
        a_names.Add(ToWx(s_name));
    pRole->Set(a_names);
    const int i_selected = ParticipantDetailsFields::RoleIndex(v_names, *pDoc, l_roleKey);
    if (i_selected >= 0)
        pRole->SetSelection(i_selected);
}

void ParticipantDetailsPPage::LoadPage(const Participant& participant)
{
    Fields.Load(participant, pDoc);
    if (pRole != nullptr) {
        const BOOL b_changed = IsChanged();
        FillRoles(participant.GetUsualRoleKey());
        SetChanged(b_changed);
    }
}

BOOL ParticipantDetailsPPage::SavePage(Participant& participant, std::string&, BOOL* p_changed)
{
    // The page always counts as changing the participant.
    if (p_changed != nullptr)
        *p_changed = TRUE;
    Fields.Save(participant, pDoc);
    return TRUE;
}

bool ParticipantDetailsPPage::TransferDataToWindow()
{
    const std::pair<int, const std::string*> a_values[] = {
        {IDC_PART_FIRST_NAME, &Fields.sFirst}, {IDC_PART_OTHER_NAMES, &Fields.sOther},
        {IDC_PART_LAST_NAME, &Fields.sLast},   {IDC_PART_PHONE, &Fields.sPhone},
        {IDC_PART_PHONE2, &Fields.sPhone2},    {IDC_PART_FAX, &Fields.sFax},
        {IDC_PART_ROLE, &Fields.sRole},        {IDC_PART_ADDRESS1, &Fields.sAddress1},
        {IDC_PART_ADDRESS2, &Fields.sAddress2}, {IDC_PART_ADDRESS3, &Fields.sAddress3},
        {IDC_PART_POSTCODE, &Fields.sPostCode}, {IDC_PART_EMAIL, &Fields.sEmail},
    };
    for (const auto& [i_id, p_value] : a_values)
        SetControlText(this, i_id, *p_value);
    return true;
}

bool ParticipantDetailsPPage::TransferDataFromWindow()
{
    ParticipantDetailsFields fields;
    const std::pair<int, std::string*> a_values[] = {
        {IDC_PART_FIRST_NAME, &fields.sFirst}, {IDC_PART_OTHER_NAMES, &fields.sOther},
        {IDC_PART_LAST_NAME, &fields.sLast},   {IDC_PART_PHONE, &fields.sPhone},
        {IDC_PART_PHONE2, &fields.sPhone2},    {IDC_PART_FAX, &fields.sFax},
        {IDC_PART_ROLE, &fields.sRole},        {IDC_PART_ADDRESS1, &fields.sAddress1},
        {IDC_PART_ADDRESS2, &fields.sAddress2}, {IDC_PART_ADDRESS3, &fields.sAddress3},
        {IDC_PART_POSTCODE, &fields.sPostCode}, {IDC_PART_EMAIL, &fields.sEmail},
    };
    for (const auto& [i_id, p_value] : a_values) {
        const std::optional<std::string> s_text = ControlText(this, i_id);
        if (!s_text) {
            FindWindow(i_id)->SetFocus();
            return false;
        }
        *p_value = *s_text;
    }
    Fields = fields;
    return true;
}

void ParticipantDetailsPPage::OnNameChanged(wxCommandEvent&)
{
    ParticipantDetailsFields fields = Fields;
    for (const auto& [i_id, p_value] : {std::pair{IDC_PART_FIRST_NAME, &fields.sFirst},
                                        std::pair{IDC_PART_OTHER_NAMES, &fields.sOther},
                                        std::pair{IDC_PART_LAST_NAME, &fields.sLast}}) {
        wxTextCtrl* p_text = wxDynamicCast(FindWindow(i_id), wxTextCtrl);
        // A character the event cannot keep is refused when the page is
        // left; the caption shows what can be kept meanwhile.
        *p_value = p_text != nullptr ? FromWx(p_text->GetValue()).value_or(*p_value) : *p_value;
    }
    if (pSheet != nullptr)
        pSheet->SetTitleSuffix(fields.FullName().c_str());
    MarkChanged();
}

bool ParticipantDetailsPPage::OnKillActive()
{
    ParticipantDetailsFields names;
    names.sFirst = FromWx(static_cast<wxTextCtrl*>(FindWindow(IDC_PART_FIRST_NAME))->GetValue()).value_or("?");
    names.sLast = FromWx(static_cast<wxTextCtrl*>(FindWindow(IDC_PART_LAST_NAME))->GetValue()).value_or("?");
    if (!names.CheckName()) {
        FindWindow(IDC_PART_FIRST_NAME)->SetFocus();
        return false;
    }
    return ParticipantEditingPPage::OnKillActive();
}

// ----------------------------------------------------- ParticipantNotesPPage

ParticipantNotesPPage::ParticipantNotesPPage(wxWindow* p_book, EventDoc* p_doc)
    : ParticipantEditingPPage(p_book, "Notes", p_doc, IDS_PARTICIPANT_NOTES_DESC)
{
    auto* p_description = new wxStaticText(this, IDC_PAGE_DESCRIPTION, wxString(), wxDefaultPosition, wxDefaultSize,
                                           wxST_NO_AUTORESIZE);
    PlaceDlgUnits(*p_description, 7, 7, 306, 18);
    pNotes = new wxTextCtrl(this, IDC_PART_NOTES, wxString(), wxDefaultPosition, wxDefaultSize,
                            wxTE_MULTILINE | wxTE_RICH2);
    PlaceDlgUnits(*pNotes, 7, 28, 306, 165);
    pNotes->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { MarkChanged(); });
}

bool ParticipantNotesPPage::OnInitDialog()
{
    ParticipantEditingPPage::OnInitDialog();
    if (wxWindow* p_description = FindWindow(IDC_PAGE_DESCRIPTION))
        AddSzControl(*p_description, modeStretch, modeFixed);
    AddSzControl(*pNotes, modeStretch, modeStretch);
    return true;
}

void ParticipantNotesPPage::LoadPage(const Participant& participant) { sNotes = participant.GetNotes(); }

BOOL ParticipantNotesPPage::SavePage(Participant& participant, std::string&, BOOL* p_changed)
{
    if (p_changed != nullptr)
        *p_changed = TRUE;
    participant.SetNotes(sNotes);
    return TRUE;
}

bool ParticipantNotesPPage::TransferDataToWindow()
{
    pNotes->ChangeValue(ToWx(sNotes));
    return true;
}

bool ParticipantNotesPPage::TransferDataFromWindow()
{
    const std::optional<std::string> s_text = AcceptTypedText(std::string(pNotes->GetValue().utf8_str()));
    if (!s_text) {
        pNotes->SetFocus();
        return false;
    }
    sNotes = *s_text;
    return true;
}

// ---------------------------------------------------- ParticipantLimitsPPage

LimitsPageConfig ParticipantLimitsPPage::Config(BOOL b_forParticipant, UINT u_descriptionId)
{
    LimitsPageConfig config;
    config.bShowDefaults = b_forParticipant;
    config.bShowRotation = FALSE;
    config.bMaxOnly = TRUE;
    config.bShowVenueCheck = TRUE;
    config.uLimitsDescId = u_descriptionId;
    config.uRotationDescId = 0;
    return config;
}

ParticipantLimitsPPage::ParticipantLimitsPPage(wxWindow* p_book, EventDoc* p_doc, BOOL b_forParticipant,
                                               UINT u_descriptionId)
    : LimitsPPage<ParticipantEditingPPage>(Config(b_forParticipant, u_descriptionId), p_book, "Limits", p_doc,
                                           u_descriptionId)
{
}

BOOL ParticipantLimitsPPage::SavePage(Participant& participant, std::string&, BOOL* p_changed)
{
    if (p_changed != nullptr)
        *p_changed = Panel.State.DiffersFrom(participant);
    Panel.State.Save(participant);
    return TRUE;
}

void ParticipantLimitsPPage::LoadPage(const Participant& participant)
{
    Panel.State.Load(participant);
    AfterLoad();
    SetChanged(FALSE);
    if (pSheet != nullptr)
        pSheet->EnableUndo(false);
}

SchedLim ParticipantLimitsPPage::GetDefaultEventLimits() { return pDoc->GetPreferences().GetPartEventLimits(); }
SchedLim ParticipantLimitsPPage::GetDefaultDayLimits() { return pDoc->GetPreferences().GetPartDayLimits(); }
BOOL ParticipantLimitsPPage::GetDefaultUseVenueLimits() { return pDoc->GetPreferences().GetPartUsesVenueLimits(); }
VenueLimitArray ParticipantLimitsPPage::GetDefaultVenueLimits() { return pDoc->GetPreferences().GetPartVenueLimits(); }

// --------------------------------------------------------- ParticipantPSheet

ParticipantPSheet::ParticipantPSheet(EventDoc* p_doc, wxWindow* p_parent, UINT u_selectPage,
                                     const wxString& s_caption)
    : EditingPSheet(p_parent, s_caption, u_selectPage), pDoc(p_doc)
{
    pDetails = new ParticipantDetailsPPage(GetBookCtrl(), pDoc);
    pLimits = new ParticipantLimitsPPage(GetBookCtrl(), pDoc, TRUE, IDS_PARTICIPANT_LIMITS_DESC);
    pAvail = new ParticipantAvailPPage(GetBookCtrl(), pDoc);
    pRoster = new ParticipantRosterPPage(GetBookCtrl(), pDoc, FALSE);
    pNotes = new ParticipantNotesPPage(GetBookCtrl(), pDoc);
    AddPage(pDetails);
    AddPage(pLimits);
    AddPage(pAvail);
    AddPage(pRoster);
    AddPage(pNotes);
}

std::vector<ParticipantEditingPPage*> ParticipantPSheet::GetParticipantPages() const
{
    return {pDetails, pLimits, pAvail, pRoster, pNotes};
}

void ParticipantPSheet::PreparePages()
{
    Stored = Working;
    for (ParticipantEditingPPage* p_page : GetParticipantPages())
        p_page->LoadPage(Working);
    ShowNameInTitle();
}

void ParticipantPSheet::ShowApplied()
{
    Stored = Working;
    ShowNameInTitle();
    EditingPSheet::ShowApplied();
}

void ParticipantPSheet::ShowNameInTitle()
{
    ZelFullName name(Participant::kMaxFirst, Participant::kMaxMiddle, Participant::kMaxLast);
    name.SetName(Working.GetNameObject().GetFirstName(), Working.GetNameObject().GetOtherNames(),
                 Working.GetNameObject().GetLastName());
    SetTitleSuffix(name.GetFullName().c_str());
}

int ParticipantPSheet::ShowModal()
{
    PreparePages();
    return EditingPSheet::ShowModal();
}

bool ParticipantPSheet::ApplyPages()
{
    // The active page's controls give up their values first.
    ZelSizingPropPage* p_active = GetActivePage();
    if (p_active != nullptr && (!p_active->Validate() || !p_active->TransferDataFromWindow()))
        return false;
    std::vector<ParticipantPageData*> v_pages;
    for (ParticipantEditingPPage* p_page : GetParticipantPages())
        v_pages.push_back(p_page);
    ParticipantPageProtocol protocol(pDoc, Working, TRUE);
    if (!protocol.ApplyAll(v_pages))
        return false;
    // Then the active page is left as the sheet closes (the Details page's
    // name rule).
    return EditingPSheet::ApplyPages();
}
