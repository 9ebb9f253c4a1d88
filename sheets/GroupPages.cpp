#include "sheets/GroupPages.h"

#include "framework/ui/WxText.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "model/Group.h"
#include "sheets/GroupSheetIds.h"
#include "sheets/SheetRules.h"
#include "shell/editing/EditingPSheet.h"

#include <wx/button.h>
#include <wx/stattext.h>

// ---------------------------------------------------------------- Details

namespace {

struct ContactBox {
    const char* pLabel;  // null: a further line of the one before
    int iId;
    int nMax;
    int iY;
    int iWidth;
    std::string GroupContactFields::*pField;
};

const ContactBox aContactBoxes[] = {
    {"Group &Name:", IDC_GROUP_NAME, GroupContactFields::kNameMax, 7, 180, &GroupContactFields::sName},
    {"&Contact Name:", IDC_GROUP_CONTACT, GroupContactFields::kContactMax, 25, 120, &GroupContactFields::sContact},
    {"Contact &Phone:", IDC_GROUP_PHONE, GroupContactFields::kPhoneMax, 41, 100, &GroupContactFields::sPhone},
    {"Contact Phone &2:", IDC_GROUP_PHONE2, GroupContactFields::kPhoneMax, 57, 100, &GroupContactFields::sPhone2},
    {"Contact &Fax:", IDC_GROUP_FAX, GroupContactFields::kPhoneMax, 73, 100, &GroupContactFields::sFax},
    {"Contact &Address:", IDC_GROUP_ADDRESS1, GroupContactFields::kAddressMax, 91, 180, &GroupContactFields::sAddress1},
    {nullptr, IDC_GROUP_ADDRESS2, GroupContactFields::kAddressMax, 105, 180, &GroupContactFields::sAddress2},
    {nullptr, IDC_GROUP_ADDRESS3, GroupContactFields::kAddressMax, 119, 180, &GroupContactFields::sAddress3},
    {"Postal/Zip &code:", IDC_GROUP_POSTCODE, GroupContactFields::kPostCodeMax, 135, 50, &GroupContactFields::sPostCode},
    {"Contact E&mail:", IDC_GROUP_EMAIL, GroupContactFields::kEmailMax, 151, 180, &GroupContactFields::sEmail},
};

} // namespace

GroupContactPPage::GroupContactPPage(wxWindow* p_book, EventDoc* p_doc)
    : GroupEditingPPage(p_book, "Details", p_doc, IDS_GROUP_DETAILS_DESC)
{
    std::size_t i_label = 0;
    for (std::size_t i = 0; i < apEdits.size(); ++i) {
        const ContactBox& box = aContactBoxes[i];
        if (box.pLabel != nullptr) {
            apLabels[i_label] = new wxStaticText(this, wxID_ANY, box.pLabel);
            PlaceDlgUnits(*apLabels[i_label], 7, box.iY + 2, 64, 8);
            ++i_label;
        }
        apEdits[i] = MakeLimitedEdit(this, box.iId, box.nMax);
        PlaceDlgUnits(*apEdits[i], 74, box.iY, box.iWidth, 12);
        if (box.iId == IDC_GROUP_NAME)
            apEdits[i]->Bind(wxEVT_TEXT, &GroupContactPPage::OnNameChange, this);
        else
            apEdits[i]->Bind(wxEVT_TEXT, &GroupContactPPage::OnEditChangeEvent, this);
    }
    pDescription = MakeDescription(this);
    PlaceDlgUnits(*pDescription, 7, 172, 250, 28);
}

bool GroupContactPPage::OnInitDialog()
{
    GroupEditingPPage::OnInitDialog();
    for (std::size_t i = 0; i < apEdits.size(); ++i) {
        // The long boxes grow with the page; the short ones keep their size.
        const bool b_long = aContactBoxes[i].iWidth >= 180;
        AddSzControl(*apEdits[i], b_long ? modeStretch : modeFixed, modeFixed);
    }
    AddSzControl(*pDescription, modeStretch, modeMove);
    return true;
}

BOOL GroupContactPPage::SavePage(Group& group, std::string&)
{
    Fields.Save(group);
    return TRUE;
}

void GroupContactPPage::LoadPage(const Group& group) { Fields.Load(group); }

bool GroupContactPPage::TransferDataToWindow()
{
    for (std::size_t i = 0; i < apEdits.size(); ++i)
        ShowStoredText(*apEdits[i], ToWx(Fields.*aContactBoxes[i].pField),
                       static_cast<unsigned long>(aContactBoxes[i].nMax));
    return true;
}

bool GroupContactPPage::TransferDataFromWindow()
{
    GroupContactFields fields = Fields;
    for (std::size_t i = 0; i < apEdits.size(); ++i) {
        if (!TakeBoxText(apEdits[i], fields.*aContactBoxes[i].pField))
            return false;
    }
    Fields = fields;
    return true;
}

void GroupContactPPage::OnNameChange(wxCommandEvent&)
{
    // The caption follows the name as it is typed.
    if (std::optional<std::string> s_name = FromWx(apEdits[0]->GetValue()))
        Fields.sName = *s_name;
    if (pSheet != nullptr)
        pSheet->SetTitleSuffix(Fields.sName.c_str());
    OnEditChange();
}

bool GroupContactPPage::OnKillActive()
{
    // The name is checked as a name is kept: cleaned; blanks alone are no
    // name. What the page saves is the box's text, which the group cleans
    // as it keeps it.
    if (!TransferDataFromWindow())
        return false;
    if (!Fields.CheckName()) {
        apEdits[0]->SetFocus();
        return false;
    }
    return GroupEditingPPage::OnKillActive();
}

// ------------------------------------------------------------------ Notes

GroupNotesPPage::GroupNotesPPage(wxWindow* p_book, EventDoc* p_doc)
    : GroupEditingPPage(p_book, "Notes", p_doc, IDS_GROUP_NOTES_DESC)
{
    pNotes = new wxTextCtrl(this, IDC_GROUP_NOTES, wxString(), wxDefaultPosition, wxDefaultSize,
                            wxTE_MULTILINE | wxTE_RICH2 | wxHSCROLL);
    PlaceDlgUnits(*pNotes, 7, 7, 250, 160);
    pNotes->Bind(wxEVT_TEXT, &GroupNotesPPage::OnEditChangeEvent, this);
    pDescription = MakeDescription(this);
    PlaceDlgUnits(*pDescription, 7, 172, 250, 28);
}

bool GroupNotesPPage::OnInitDialog()
{
    GroupEditingPPage::OnInitDialog();
    AddSzControl(*pNotes, modeStretch, modeStretch);
    AddSzControl(*pDescription, modeStretch, modeMove);
    return true;
}

BOOL GroupNotesPPage::SavePage(Group& group, std::string&)
{
    group.SetNotes(sNotes);
    return TRUE;
}

void GroupNotesPPage::LoadPage(const Group& group) { sNotes = group.GetNotes(); }

bool GroupNotesPPage::TransferDataToWindow()
{
    pNotes->ChangeValue(ToWx(sNotes));
    return true;
}

bool GroupNotesPPage::TransferDataFromWindow() { return TakeBoxText(pNotes, sNotes); }

// -------------------------------------------------------------- Rostering

GroupRosterPPage::GroupRosterPPage(wxWindow* p_book, EventDoc* p_doc, BOOL b_forGroup)
    : GroupEditingPPage(p_book, "Rostering", p_doc, b_forGroup ? IDS_GROUP_ROSTER_DESC : IDS_GROUP_ROSTER_DEFAULTS_DESC),
      bForGroup(b_forGroup)
{
    pLabel = new wxStaticText(this, wxID_ANY, "&Maximum group size:");
    PlaceDlgUnits(*pLabel, 7, 11, 80, 8);
    pSize = MakeLimitedEdit(this, IDC_GROUP_MAX_SIZE, 0);
    PlaceDlgUnits(*pSize, 90, 9, 40, 12);
    pSize->Bind(wxEVT_TEXT, &GroupRosterPPage::OnEditChangeEvent, this);
    pDefault = new wxButton(this, IDC_GROUP_MAX_SIZE_DEFAULT, "&Default");
    PlaceDlgUnits(*pDefault, 136, 8, 50, 14);
    pDefault->Bind(wxEVT_BUTTON, &GroupRosterPPage::OnDefault, this);
    pDescription = MakeDescription(this);
    PlaceDlgUnits(*pDescription, 7, 172, 250, 28);
}

bool GroupRosterPPage::OnInitDialog()
{
    GroupEditingPPage::OnInitDialog();
    if (!bForGroup)
        pDefault->Hide();
    AddSzControl(*pDescription, modeStretch, modeMove);
    return true;
}

BOOL GroupRosterPPage::SavePage(Group& group, std::string&)
{
    Fields.Save(group);
    return TRUE;
}

void GroupRosterPPage::LoadPage(const Group& group) { Fields.Load(group); }

bool GroupRosterPPage::TransferDataToWindow()
{
    pSize->ChangeValue(wxString::Format("%u", Fields.uMaxGroupSize));
    return true;
}

bool GroupRosterPPage::TransferDataFromWindow()
{
    const std::string s_text = FromWx(pSize->GetValue()).value_or(std::string("?"));
    // A size the user left alone stays as stored, above 99999 too.
    if (BoxShows(s_text, Fields.uMaxGroupSize))
        return true;
    UINT u_size = 0;
    std::string s_error;
    if (!GroupRosterFields::ParseMaxGroupSize(s_text, u_size, s_error)) {
        ShowMessageBox(s_error, MB_OK | MB_ICONEXCLAMATION);
        pSize->SetFocus();
        pSize->SelectAll();
        return false;
    }
    Fields.uMaxGroupSize = u_size;
    return true;
}

void GroupRosterPPage::OnDefault(wxCommandEvent&)
{
    Fields.SetDefault(pDoc->GetPreferences());
    TransferDataToWindow();
    OnEditChange();
}
