#include "sheets/PrefPSheet.h"

#include "framework/MessageBox.h"
#include "framework/ui/WxText.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "sheets/AllocPPage.h"
#include "sheets/GroupPages.h"
#include "sheets/LimitsPPageGroup.h"
#include "sheets/RosterPPage.h"
#include "shell/frame/EventDocument.h"

#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

namespace {

enum : UINT {
    IDS_GROUP_LIMITS_PREF_DESC = 6001,
    IDS_GROUP_ROTATION_PREF_DESC = 6003,
    IDS_PART_LIMITS_PREF_DESC = 6025,
};

UINT ToFlag(wxCheckBox* p_box) { return p_box->GetValue() ? 1u : 0u; }

} // namespace

// ---- PrefGenPPage ----

PrefGenPPage::PrefGenPPage(wxWindow* p_book) : EditingPPage(p_book, "General")
{
    auto* p_text = new wxStaticText(this, wxID_ANY,
                                    "You can allow your participants time to travel between venues.  To do this, "
                                    "check the box below and enter the number of minutes to allow for travel.");
    PlaceDlgUnits(*p_text, 7, 7, 300, 26);
    pTravel = new wxCheckBox(this, IDC_PREF_TRAVEL, "Allow &travel time between venues.");
    PlaceDlgUnits(*pTravel, 7, 38, 200, 10);
    auto* p_allow = new wxStaticText(this, wxID_ANY, "Allow");
    PlaceDlgUnits(*p_allow, 19, 55, 22, 9);
    pMinutes = new wxTextCtrl(this, IDC_PREF_TRAVEL_MINUTES, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                              wxTextValidator(wxFILTER_DIGITS));
    PlaceDlgUnits(*pMinutes, 43, 53, 30, 13);
    auto* p_minutes = new wxStaticText(this, wxID_ANY, "minutes.");
    PlaceDlgUnits(*p_minutes, 77, 55, 40, 9);
    pNoBuildOptions = new wxCheckBox(this, IDC_PREF_NO_BUILD_OPTIONS,
                                     "&Do not show the build options dialog before building the timetable.");
    PlaceDlgUnits(*pNoBuildOptions, 7, 78, 300, 10);
    pReenable = new wxCheckBox(this, IDC_PREF_REENABLE, "Re-enable all \"Do not show again\" &messages.");
    PlaceDlgUnits(*pReenable, 7, 94, 300, 10);
    auto* p_font = new wxStaticText(this, wxID_ANY, "Minimum &font size to use for listing reports (in points): ");
    PlaceDlgUnits(*p_font, 7, 112, 200, 9);
    pFontSize = new wxTextCtrl(this, IDC_PREF_FONT_SIZE, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                               wxTextValidator(wxFILTER_DIGITS));
    PlaceDlgUnits(*pFontSize, 210, 110, 30, 13);

    pTravel->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { EnableMinutes(); });
}

bool PrefGenPPage::OnInitDialog()
{
    EditingPPage::OnInitDialog();
    TransferDataToWindow();
    return true;
}

void PrefGenPPage::EnableMinutes() { pMinutes->Enable(pTravel->GetValue()); }

bool PrefGenPPage::TransferDataToWindow()
{
    Fields.Clamp();
    pTravel->SetValue(Fields.uAllowTravel != 0);
    pMinutes->ChangeValue(std::to_string(Fields.uTravelMinutes));
    pNoBuildOptions->SetValue(Fields.uNoBuildOptions != 0);
    pReenable->SetValue(Fields.uReenableMessages != 0);
    pFontSize->ChangeValue(std::to_string(Fields.uFontSize));
    EnableMinutes();
    return true;
}

bool PrefGenPPage::TransferDataFromWindow()
{
    struct {
        wxTextCtrl* pBox;
        UINT uMin;
        UINT uMax;
        UINT* pValue;
    } a_numbers[] = {
        {pMinutes, PrefGeneralFields::kMinTravel, PrefGeneralFields::kMaxTravel, &Fields.uTravelMinutes},
        {pFontSize, PrefGeneralFields::kMinFont, PrefGeneralFields::kMaxFont, &Fields.uFontSize},
    };
    for (const auto& number : a_numbers) {
        std::string s_error;
        UINT u_value = 0;
        if (!ParsePrefNumber(std::string(number.pBox->GetValue().utf8_str()), number.uMin, number.uMax, u_value,
                             s_error)) {
            FrameworkMessageBox(s_error, MB_OK | MB_ICONEXCLAMATION);
            number.pBox->SetFocus();
            number.pBox->SelectAll();
            return false;
        }
        *number.pValue = u_value;
    }
    Fields.uAllowTravel = ToFlag(pTravel);
    Fields.uNoBuildOptions = ToFlag(pNoBuildOptions);
    Fields.uReenableMessages = ToFlag(pReenable);
    Fields.Clamp();
    return true;
}

// ---- PrefPSheet ----

UINT PrefPSheet::uLastPage = 0;

PrefPSheet::PrefPSheet(EventDoc* p_doc, UINT u_startPage, const wxString& s_caption, wxWindow* p_parent)
    : EditingPSheet(p_parent, s_caption, u_startPage), pDoc(p_doc)
{
    wxBookCtrlBase* p_book = GetBookCtrl();
    pGeneral = new PrefGenPPage(p_book);
    pGroupLimits = new GroupLimitsPPage(p_book, p_doc, FALSE, IDS_GROUP_LIMITS_PREF_DESC, IDS_GROUP_ROTATION_PREF_DESC);
    pGroupAlloc = new GroupAllocPPage(p_book, p_doc, FALSE);
    pGroupRoster = new GroupRosterPPage(p_book, p_doc, FALSE);
    pPartLimits = new ParticipantLimitsPPage(p_book, p_doc, FALSE, IDS_PART_LIMITS_PREF_DESC);
    pPartRoster = new ParticipantRosterPPage(p_book, p_doc, TRUE);
    struct {
        EditingPPage* pPage;
        const char* pTitle;
    } a_pages[] = {{pGeneral, nullptr},
                   {pGroupLimits, "Group Limits"},
                   {pGroupAlloc, "Group Allocations"},
                   {pGroupRoster, "Group Rostering"},
                   {pPartLimits, "Participant Limits"},
                   {pPartRoster, "Participant Rostering"}};
    for (const auto& entry : a_pages) {
        AddPage(entry.pPage);
        if (entry.pTitle != nullptr)
            p_book->SetPageText(p_book->GetPageCount() - 1, entry.pTitle);
    }
    // Wide enough for the six tabs to show side by side.
    int i_tabs = 0;
    for (size_t i = 0; i < p_book->GetPageCount(); ++i)
        i_tabs += p_book->GetTextExtent(p_book->GetPageText(i)).x + FromDIP(48);
    p_book->SetMinSize(wxSize(i_tabs, -1));
}

void PrefPSheet::LoadPages()
{
    LoadPrefSheet(Working, pGeneral->Fields, DefaultGroup, DefaultParticipant);
    StoredGroup = DefaultGroup;
    StoredParticipant = DefaultParticipant;
}

int PrefPSheet::DoModal()
{
    LoadPages();
    const int i_result = ShowModal();
    TakeWorkingPrefs();
    return i_result == wxID_OK ? wxID_OK : wxID_CANCEL;
}

const Preferences& PrefPSheet::TakeWorkingPrefs()
{
    StorePrefSheet(Working, pGeneral->Fields, DefaultGroup, DefaultParticipant, pDoc);
    return Working;
}

void PrefPSheet::ShowApplied()
{
    LoadPages();
    if (pGeneral->HasInitialisedPage())
        pGeneral->TransferDataToWindow();
    EditingPSheet::ShowApplied();
}

bool PrefPSheet::ApplyPages()
{
    // The active page's controls give up their values first.
    ZelSizingPropPage* p_active = GetActivePage();
    if (p_active != nullptr && (!p_active->Validate() || !p_active->TransferDataFromWindow()))
        return false;
    EditingPPage* a_pages[] = {pGroupLimits, pGroupAlloc, pGroupRoster, pPartLimits, pPartRoster};
    for (EditingPPage* p_page : a_pages) {
        BOOL b_stay = FALSE;
        if (!p_page->CheckSettings(&b_stay)) {
            // The page has told the user; it is shown for the mending.
            ShowRefusedField(p_page, 0);
            return false;
        }
    }
    return EditingPSheet::ApplyPages();
}

// ---- the document's port ----

namespace {

class WxPreferencesSheets : public IDocumentSheetsPort {
public:
    IDocumentSheetsPort* pPrevious = nullptr;

    int DefineEvent(EventDoc& doc) override { return pPrevious != nullptr ? pPrevious->DefineEvent(doc) : IDCANCEL; }
    int EditPreferences(EventDoc& doc, Preferences& prefs) override
    {
        PrefPSheet sheet(&doc, PrefPSheet::GetLastPage(), "Define preferences",
                         wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr);
        sheet.GetWorkingPrefs() = prefs;
        // Apply stores the preferences as OK does; the sheet stays open.
        sheet.SetApplyStore([&sheet, &doc] {
            doc.SetPreferences(sheet.TakeWorkingPrefs(), TRUE);
            return true;
        });
        const int i_result = sheet.DoModal();
        PrefPSheet::SetLastPage(static_cast<UINT>(std::max(sheet.GetActivePageIndex(), 0)));
        if (i_result != wxID_OK)
            return IDCANCEL;
        prefs = sheet.GetWorkingPrefs();
        return IDOK;
    }
    int EditSchedulingRules(EventDoc& doc, SchedulingRules& rules) override
    {
        return pPrevious != nullptr ? pPrevious->EditSchedulingRules(doc, rules) : IDCANCEL;
    }
};

} // namespace

void InstallPreferencesSheet()
{
    static WxPreferencesSheets sheets;
    if (&GetDocumentSheetsPort() != &sheets)
        sheets.pPrevious = SetDocumentSheetsPort(&sheets);
    CEventDocument::SetSheetAvailable(EventDoc::ID_PREFERENCES, true);
}
