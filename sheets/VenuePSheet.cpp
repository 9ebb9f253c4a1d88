#include "sheets/VenuePSheet.h"

#include "framework/Encoding.h"
#include "framework/ui/WxText.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "sheets/SheetRules.h"
#include "shell/lists/VenueViewRules.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/values/ZelName.h"

#include <algorithm>
#include <wx/app.h>
#include <wx/stattext.h>

namespace {

// The last place of a venue sheet, for the program's run.
ZelSizingPosition g_lastPosition;
bool g_bHasLastPosition = false;

} // namespace

// --------------------------------------------------------- VenueEditingPPage

VenueEditingPPage::VenueEditingPPage(wxWindow* p_book, const wxString& s_caption, EventDoc* p_doc,
                                     UINT u_descriptionId)
    : EditingPPage(p_book, s_caption, u_descriptionId), pDoc(p_doc)
{
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { Undo(); }, IDC_SHEET_UNDO);
}

Venue& VenueEditingPPage::GetVenue(VenuePSheet* p_sheet)
{
    EditingPSheet* p_any = p_sheet;
    if (p_any == nullptr) {
        ZEL_ASSERT(pSheet != NULL);
        p_any = pSheet;
    }
    auto* p_venueSheet = dynamic_cast<VenuePSheet*>(p_any);
    ZEL_ASSERT(FALSE || p_venueSheet != nullptr);
    return p_venueSheet->GetVenue();
}

void VenueEditingPPage::ReloadPage()
{
    LoadPage();
    if (HasInitialisedPage())
        TransferDataToWindow();
}

void VenueEditingPPage::MarkChanged() { MarkEdited(); }

BOOL VenueEditingPPage::CheckSettings(BOOL* p_discarded)
{
    *p_discarded = FALSE;
    Venue& venue = GetVenue();
    const Venue kept(venue);
    std::string s_message;
    const BOOL b_saved = SavePage(s_message);
    if (!b_saved) {
        venue = kept;
        ShowMessageId(IDS_VENUE_SETTINGS_INVALID, s_message, MB_OK | MB_ICONEXCLAMATION);
    }
    return b_saved;
}

bool VenueEditingPPage::OnSetActive()
{
    if (!EditingPPage::OnSetActive())
        return false;
    ReloadUnchanged();
    return true;
}

bool VenueEditingPPage::OnKillActive()
{
    if (IsEditingInPlace())
        return false;
    return EditingPPage::OnKillActive();
}

void VenueEditingPPage::Undo()
{
    UndoEdits();
}

// --------------------------------------------------------- VenueDetailsPPage

VenueDetailsPPage::VenueDetailsPPage(wxWindow* p_book, EventDoc* p_doc, int n_styleKeys, int n_facilityKeys)
    : StyleFacilityPPage<VenueEditingPPage>(p_doc, n_styleKeys, n_facilityKeys, p_book, "Details", p_doc,
                                            IDS_VENUE_DETAILS_DESC)
{
    auto* p_nameLabel = new wxStaticText(this, wxID_ANY, "&Name:");
    PlaceDlgUnits(*p_nameLabel, 7, 7, 122, 9);
    pName = new wxTextCtrl(this, IDC_VENUE_NAME);
    pName->SetMaxLength(kNameMax);
    PlaceDlgUnits(*pName, 7, 17, 122, 13);
    pName->Bind(wxEVT_TEXT, &VenueDetailsPPage::OnNameChanged, this);

    auto* p_locationLabel = new wxStaticText(this, wxID_ANY, "&Location:");
    PlaceDlgUnits(*p_locationLabel, 135, 7, 122, 9);
    pLocation = new wxTextCtrl(this, IDC_VENUE_LOCATION);
    pLocation->SetMaxLength(kLocationMax);
    PlaceDlgUnits(*pLocation, 135, 17, 122, 13);
    pLocation->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { MarkChanged(); });

    // The two lists go below the name and location, under their own
    // captions.
    struct Moved {
        int iId;
        const char* pLabel;
        int iX;
        int iY;
        int iHeight;
    };
    const Moved a_moved[] = {
        {IDC_STYLE_CAPTION, "&Styles allowed:", 7, 38, 14},
        {IDC_STYLE_LIST, nullptr, 7, 53, 105},
        {IDC_FACILITY_CAPTION, "&Facilities provided:", 135, 38, 14},
        {IDC_FACILITY_LIST, nullptr, 135, 53, 105},
    };
    for (const Moved& moved : a_moved) {
        wxWindow* p_window = FindWindow(moved.iId);
        if (p_window == nullptr)
            continue;
        if (moved.pLabel != nullptr)
            p_window->SetLabel(moved.pLabel);
        PlaceDlgUnits(*p_window, moved.iX, moved.iY, 122, moved.iHeight);
    }
    // The name and the location come first in the tab order.
    if (wxWindow* p_first = FindWindow(IDC_STYLE_CAPTION)) {
        p_nameLabel->MoveBeforeInTabOrder(p_first);
        pName->MoveAfterInTabOrder(p_nameLabel);
        p_locationLabel->MoveAfterInTabOrder(pName);
        pLocation->MoveAfterInTabOrder(p_locationLabel);
    }
}

bool VenueDetailsPPage::OnInitDialog()
{
    StyleFacilityPPage<VenueEditingPPage>::OnInitDialog();
    AddSzControlEx(*pName, 0, 50, 0, 0);
    AddSzControlEx(*pLocation, 50, 100, 0, 0);
    return true;
}

void VenueDetailsPPage::LoadPage(VenuePSheet* p_sheet)
{
    const Venue& venue = GetVenue(p_sheet);
    sName = venue.GetName();
    sLocation = venue.GetLocation();
    GetRules().GetKeys(StyleFacilityRules::e_styles) = venue.GetStyles();
    GetRules().GetKeys(StyleFacilityRules::e_facilities) = venue.GetFacilities();
}

BOOL VenueDetailsPPage::SavePage(std::string&)
{
    Venue& venue = GetVenue();
    // The venue's name cleans the text as it takes it.
    venue.SetName(sName);
    venue.SetLocation(sLocation);
    venue.GetStyles() = GetRules().GetKeys(StyleFacilityRules::e_styles);
    venue.GetFacilities() = GetRules().GetKeys(StyleFacilityRules::e_facilities);
    return TRUE;
}

bool VenueDetailsPPage::TransferDataToWindow()
{
    StyleFacilityPPage<VenueEditingPPage>::TransferDataToWindow();
    // The boxes limit what is typed; a longer text an event already holds
    // (a venue name may be up to 50 characters) is shown whole and kept,
    // which a box of the typing limit would refuse.
    const wxString s_name = ToWx(sName);
    const wxString s_location = ToWx(sLocation);
    pName->SetMaxLength(std::max<unsigned long>(kNameMax, s_name.length()));
    pLocation->SetMaxLength(std::max<unsigned long>(kLocationMax, s_location.length()));
    pName->ChangeValue(s_name);
    pLocation->ChangeValue(s_location);
    return true;
}

bool VenueDetailsPPage::TransferDataFromWindow()
{
    const std::optional<std::string> s_location = AcceptTypedText(std::string(pLocation->GetValue().utf8_str()));
    if (!s_location) {
        pLocation->SetFocus();
        return false;
    }
    const std::optional<std::string> s_name = AcceptTypedText(std::string(pName->GetValue().utf8_str()));
    if (!s_name) {
        pName->SetFocus();
        return false;
    }
    sLocation = *s_location;
    sName = *s_name;
    return StyleFacilityPPage<VenueEditingPPage>::TransferDataFromWindow();
}

bool VenueDetailsPPage::OnKillActive()
{
    if (!StyleFacilityPPage<VenueEditingPPage>::OnKillActive())
        return false;
    // A name of blanks only cleans down to nothing.
    ZelObjectName name(Venue::kMaxNameLength);
    name.SetName(Utf8ToCp1252(std::string(pName->GetValue().utf8_str())).value_or(std::string()));
    if (name.GetName().empty()) {
        ShowMessageId(IDS_VENUE_NAME_MISSING, std::string(), MB_OK | MB_ICONEXCLAMATION);
        pName->SetFocus();
        return false;
    }
    return true;
}

void VenueDetailsPPage::OnNameChanged(wxCommandEvent&)
{
    // The title follows the typing; a character the event cannot keep is
    // refused when the page is left.
    sName = Utf8ToCp1252(std::string(pName->GetValue().utf8_str())).value_or(sName);
    if (pSheet != nullptr)
        pSheet->SetTitleSuffix(sName.c_str());
    MarkChanged();
}

// --------------------------------------------------------------- VenuePSheet

VenuePSheet::VenuePSheet(EventDoc* p_doc, int n_styleKeys, int n_facilityKeys, wxWindow* p_parent, UINT u_firstPage,
                         const wxString& s_caption)
    : EditingPSheet(p_parent, s_caption, u_firstPage), pDoc(p_doc)
{
    pDetails = new VenueDetailsPPage(GetBookCtrl(), p_doc, n_styleKeys, n_facilityKeys);
    AddPage(pDetails);
    Bind(wxEVT_SIZE, &VenuePSheet::OnSizeOrMove, this);
    Bind(wxEVT_MOVE, &VenuePSheet::OnSizeOrMove, this);
}

bool VenuePSheet::HasLastPosition() { return g_bHasLastPosition; }

void VenuePSheet::ForgetLastPosition() { g_bHasLastPosition = false; }

void VenuePSheet::PreparePage()
{
    pDetails->LoadPage(this);
    SetTitleSuffix(Working.GetName().c_str());
}

int VenuePSheet::ShowModal()
{
    PreparePage();
    return EditingPSheet::ShowModal();
}

bool VenuePSheet::OnInitDialog()
{
    EditingPSheet::OnInitDialog();
    if (g_bHasLastPosition)
        RestoreWindowPosition(g_lastPosition, false);
    bInitialised = true;
    return true;
}

void VenuePSheet::OnSizeOrMove(wxEvent& event)
{
    event.Skip();
    if (!bInitialised)
        return;
    if (StoreWindowPosition(g_lastPosition))
        g_bHasLastPosition = true;
}

void VenuePSheet::ShowApplied()
{
    SetTitleSuffix(Working.GetName().c_str());
    EditingPSheet::ShowApplied();
}

bool VenuePSheet::ApplyPages()
{
    if (!EditingPSheet::ApplyPages())
        return false;
    if (fAccept && !fAccept(Working)) {
        // Refused by the caller (a name another venue has): the user mends
        // the name in place, with everything else kept.
        ShowRefusedField(pDetails, IDC_VENUE_NAME);
        return false;
    }
    return true;
}

// ------------------------------------------------------------------ the port

int WxVenueSheetPort::Run(VenueSheetRequest& request)
{
    wxWindow* p_parent = wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr;
    VenuePSheet sheet(request.pDoc, request.nStyleKeys, request.nFacilityKeys, p_parent,
                      static_cast<UINT>(std::max(request.iPage, 0)), ToWx(request.sCaption));
    sheet.GetVenue() = request.Working;
    sheet.SetItemPosition(request.iItem, request.nItems);
    sheet.SetAcceptCheck(request.fAccept);
    if (request.fApply)
        sheet.SetApplyStore([&request, &sheet] { return request.fApply(sheet.GetVenue()) != FALSE; });
    const int i_result = sheet.ShowModal();
    request.Working = sheet.GetVenue();
    request.iPage = sheet.GetActivePageIndex();
    if (i_result == wxID_OK)
        return VSR_OK;
    if (i_result == VSR_NEXT || i_result == VSR_PREVIOUS || i_result == VSR_APPLY)
        return i_result;
    return VSR_CANCEL;
}

void InstallVenueSheet()
{
    static WxVenueSheetPort port;
    SetVenueSheetPort(&port);
}
