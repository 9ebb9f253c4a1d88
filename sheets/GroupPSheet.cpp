#include "sheets/GroupPSheet.h"

#include "model/EventDoc.h"
#include "sheets/AllocPPage.h"
#include "sheets/AvailPages.h"
#include "sheets/GroupMembPPage.h"
#include "sheets/GroupPages.h"
#include "sheets/GroupSheetIds.h"
#include "sheets/GroupStyleFacilityPPage.h"
#include "sheets/LimitsPPageGroup.h"

#include <wx/utils.h>

namespace {

// Where the last group sheet was left during this run; nothing is saved.
ZelSizingPosition g_lastPosition;
bool g_bPositionHeld = false;

} // namespace

GroupPSheet::GroupPSheet(EventDoc* p_doc, int n_styleKeys, int n_facilityKeys, wxWindow* p_parent, UINT u_firstPage,
                         const wxString& s_caption)
    : EditingPSheet(p_parent, s_caption, u_firstPage), pDoc(p_doc)
{
    wxBookCtrlBase* p_book = GetBookCtrl();
    pContact = new GroupContactPPage(p_book, p_doc);
    pStyles = new GroupStyleFacilityPPage(p_book, p_doc, n_styleKeys, n_facilityKeys);
    pLimits = new GroupLimitsPPage(p_book, p_doc, TRUE, IDS_GROUP_LIMITS_DESC, IDS_GROUP_ROTATION_DESC);
    pAvail = new GroupAvailPPage(p_book, p_doc);
    pAlloc = new GroupAllocPPage(p_book, p_doc, TRUE);
    pRoster = new GroupRosterPPage(p_book, p_doc, TRUE);
    pNotes = new GroupNotesPPage(p_book, p_doc);
    // Tab order: Details, Styles && Facilities, Limits, Availability,
    // Allocation, Rostering, Notes, then Members, added by DoModal.
    AddPage(pContact);
    AddPage(pStyles);
    AddPage(pLimits);
    AddPage(pAvail);
    AddPage(pAlloc);
    AddPage(pRoster);
    AddPage(pNotes);

    Bind(wxEVT_MOVE, [this](wxMoveEvent& event) {
        event.Skip();
        OnMoveOrSize();
    });
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        OnMoveOrSize();
    });
}

GroupPSheet::~GroupPSheet() = default;

void GroupPSheet::ForgetPosition() { g_bPositionHeld = false; }

std::vector<GroupEditingPPage*> GroupPSheet::PagesInLoadOrder() const
{
    // Details, Styles && Facilities, Members, Limits, Availability, Notes,
    // Allocation, Rostering.
    std::vector<GroupEditingPPage*> v_pages{pContact, pStyles};
    if (pMembers != nullptr)
        v_pages.push_back(pMembers);
    v_pages.push_back(pLimits);
    v_pages.push_back(pAvail);
    v_pages.push_back(pNotes);
    v_pages.push_back(pAlloc);
    v_pages.push_back(pRoster);
    return v_pages;
}

int GroupPSheet::DoModal()
{
    if (pMembers != nullptr) {
        RemovePage(pMembers);
        pMembers->Destroy();
        pMembers = nullptr;
    }
    pMembers = new GroupMembPPage(GetBookCtrl(), pDoc);
    AddPage(pMembers);
    Stored = Working;
    for (GroupEditingPPage* p_page : PagesInLoadOrder())
        p_page->LoadPage(Working);
    SetTitleSuffix(Working.GetName().c_str());
    return ShowModal();
}

void GroupPSheet::ShowApplied()
{
    Stored = Working;
    SetTitleSuffix(Working.GetName().c_str());
    EditingPSheet::ShowApplied();
}

bool GroupPSheet::OnInitDialog()
{
    EditingPSheet::OnInitDialog();
    if (g_bPositionHeld)
        RestoreWindowPosition(g_lastPosition, true);
    bInitialised = true;
    return true;
}

void GroupPSheet::OnMoveOrSize()
{
    if (bInitialised)
        g_bPositionHeld = StoreWindowPosition(g_lastPosition);
}

bool GroupPSheet::ApplyPages()
{
    // The active page is left first, as any change of page leaves it.
    if (!EditingPSheet::ApplyPages())
        return false;
    wxBusyCursor wait;
    std::vector<GroupPageData*> v_pages;
    for (GroupEditingPPage* p_page : PagesInLoadOrder())
        v_pages.push_back(p_page);
    GroupPageProtocol protocol(pDoc, Working, TRUE);
    if (!protocol.ApplyAll(v_pages))
        return false;
    if (fAccept && !fAccept(Working)) {
        // Refused by the caller (a name another group has): the user mends
        // the name in place, with everything else kept.
        ShowRefusedField(pContact, IDC_GROUP_NAME);
        return false;
    }
    return true;
}
