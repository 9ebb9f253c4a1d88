#include "shell/lists/VenueView.h"

#include "framework/ui/WindowClass.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "model/ShellPorts.h"
#include "shell/frame/CommandIds.h"
#include "shell/frame/EventDocument.h"
#include "shell/frame/RotavexApp.h"
#include "shell/lists/VenueSheetPort.h"
#include "shell/lists/VenueViewRules.h"
#include "shell/frame/WxCommands.h"
#include "zelkit/windows/ZelWindowServices.h"

VenueView::VenueView()
{
    std::vector<ColumnDef> v_defs;
    for (int i_id = 0; i_id < vfNumFields; ++i_id)
        v_defs.push_back({static_cast<UINT>(i_id), VenueViewRules::GetFieldTitle(i_id)});
    SetColumnDefs(v_defs);
    BuildColumnTitles();
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnAdd(); }, CommandWxId(ID_ADD_VENUE));
    Bind(wxEVT_UPDATE_UI, [](wxUpdateUIEvent& event) { event.Enable(true); }, CommandWxId(ID_ADD_VENUE));
}

int& VenueView::LastChangePage()
{
    static int i_page = 0;
    return i_page;
}

// ------------------------------------------------------------------- rows

void VenueView::FillList()
{
    const std::vector<std::string> v_headings = VenueViewRules::GetColumnHeadings();
    for (std::size_t i = 0; i < v_headings.size(); ++i)
        InsertColumn(static_cast<int>(i), v_headings[i], LVCFMT_LEFT, 30);
    EventDoc* p_doc = GetEventDoc();
    if (p_doc == nullptr)
        return;
    const VenueList& venues = p_doc->GetVenues();
    for (int i = 0; i < venues.GetNumVenues(); ++i)
        SetRow(venues[i], FALSE);
}

void VenueView::SetRow(const Venue& venue, BOOL b_update)
{
    // Every column's text goes into the list too, so that fitting a column
    // measures what the rows show.
    const EventDoc* p_doc = GetEventDoc();
    const LPARAM l_key = venue.GetKey();
    const std::string s_name = VenueViewRules::GetFieldText(p_doc, venue, vfName);
    const int i_row = b_update ? ChgItem(l_key, 0, s_name) : AddItem(l_key, 0, s_name);
    if (i_row < 0)
        return;
    for (int c = 1; c < GetColumnCount(); ++c)
        GetList().SetItemText(i_row, c, VenueViewRules::GetFieldText(p_doc, venue, c));
    if (b_update) {
        if (ZelListCtrl* p_list = GetListCtrl())
            p_list->Refresh();
    }
}

int VenueView::FindVenue(LONG l_key)
{
    EventDoc* p_doc = GetEventDoc();
    if (p_doc == nullptr)
        return -1;
    const VenueList& venues = p_doc->GetVenues();
    const auto is_at = [&](int i) { return i >= 0 && i < venues.GetNumVenues() && venues[i].GetKey() == l_key; };
    auto it = mVenueIndex.find(l_key);
    if (it != mVenueIndex.end() && is_at(it->second))
        return it->second;
    mVenueIndex.clear();
    mVenueIndex.reserve(static_cast<std::size_t>(venues.GetNumVenues()));
    for (int i = 0; i < venues.GetNumVenues(); ++i)
        mVenueIndex.emplace(venues[i].GetKey(), i);
    it = mVenueIndex.find(l_key);
    return it != mVenueIndex.end() ? it->second : -1;
}

ILVRecord VenueView::GetRecord(int i_row)
{
    const int i_index = GetRecordValue(i_row);
    return i_index < 0 ? nullptr : &GetEventDoc()->GetVenues()[i_index];
}

int VenueView::GetRecordValue(int i_row)
{
    if (i_row < 0 || i_row >= GetList().GetItemCount())
        return -1;
    return FindVenue(static_cast<LONG>(GetList().GetItemData(i_row)));
}

std::string VenueView::GetFieldText(ILVRecord p_record, int i_column)
{
    if (p_record == nullptr)
        return {};
    return VenueViewRules::GetFieldText(GetEventDoc(), *static_cast<const Venue*>(p_record), i_column);
}

std::string VenueView::GetListText(int i_row, int i_column) { return GetFieldText(GetRecord(i_row), i_column); }

int VenueView::GetRecordCount()
{
    EventDoc* p_doc = GetEventDoc();
    return p_doc != nullptr ? p_doc->GetNumVenues() : 0;
}

BOOL VenueView::FilterUpdateHint(const UpdateViewHint& hint) { return hint.lCode != UpdateViewHint::e_venues; }

void VenueView::Sort(int i_column)
{
    ZelWaitCursor wait;
    ZelColSortSpec a_keys[2];
    VenueViewRules::GetSortKeys(i_column, a_keys);
    SortColumns(a_keys, 2);
}

// -------------------------------------------------------- add, change, delete

int VenueView::AddVenue(const Venue& venue, std::string& s_msg, BOOL b_shortTexts)
{
    EventDoc* p_doc = GetEventDoc();
    if (p_doc == nullptr)
        return -1;
    const int i_result = VenueViewRules::AddVenue(*p_doc, venue, s_msg, b_shortTexts);
    if (i_result != VenueViewRules::e_added)
        return i_result;
    const VenueList& venues = p_doc->GetVenues();
    SetRow(venues[venues.GetNumVenues() - 1], FALSE);
    p_doc->DocChanged(UpdateViewHint::e_venues);
    ItemListCore::ReSort();
    return i_result;
}

BOOL VenueView::AddRecordByName(const ZelFullName& name, std::string& s_error, BOOL b_shortTexts)
{
    Venue venue;
    venue.SetName(name.GetFullName());
    return AddVenue(venue, s_error, b_shortTexts) == VenueViewRules::e_added;
}

ZelFullName VenueView::MakeDroppedName(const std::string& s_line)
{
    // Parts as long as the line, so that the full name is the line with its
    // blanks tidied; the venue's name then cuts it to its own length.
    const int n_max = static_cast<int>(s_line.size()) + 1;
    ZelFullName name(n_max, n_max, n_max);
    name.SetName(s_line);
    return name;
}

namespace {

// The venue sheet's check before it ends: a name another venue has is told
// and keeps the sheet open.
BOOL AcceptVenueName(const EventDoc& doc, const Venue& venue, const char* p_verb)
{
    std::string s_msg;
    if (VenueViewRules::CheckChange(doc, venue, s_msg, p_verb))
        return TRUE;
    ShowMessageText(s_msg, MB_OK | MB_ICONSTOP);
    return FALSE;
}

} // namespace

void VenueView::DoAddDialog()
{
    EventDoc* p_doc = GetEventDoc();
    if (p_doc == nullptr)
        return;
    VenueSheetRequest request;
    request.pDoc = p_doc;
    // Apply adds the venue and the sheet stays on it: a later Apply or OK
    // changes that venue, and Cancel keeps what Apply stored.
    LONG l_added = -1;
    // A name another venue has keeps the sheet open with what was typed.
    request.fAccept = [p_doc, &l_added](const Venue& sheet_venue) {
        return AcceptVenueName(*p_doc, sheet_venue, l_added < 0 ? "add" : "change");
    };
    request.fApply = [this, &l_added](Venue& edited) { return StoreAddedVenue(edited, l_added); };
    if (GetVenueSheetPort().Run(request) != VSR_OK)
        return;
    StoreAddedVenue(request.Working, l_added);
}

BOOL VenueView::StoreAddedVenue(Venue& edited, LONG& l_added)
{
    EventDoc* p_doc = GetEventDoc();
    if (p_doc == nullptr)
        return FALSE;
    if (l_added < 0) {
        std::string s_msg;
        if (AddVenue(edited, s_msg, FALSE) != VenueViewRules::e_added) {
            ShowMessageText(s_msg, MB_OK | MB_ICONSTOP);
            return FALSE;
        }
        // The list keeps the venue's own key.
        l_added = edited.GetKey();
    } else {
        StoreEditedVenue(l_added, edited);
    }
    const int i_index = FindVenue(l_added);
    if (i_index >= 0)
        edited = p_doc->GetVenues()[i_index];
    return TRUE;
}

BOOL VenueView::StoreEditedVenue(LONG l_key, const Venue& edited)
{
    EventDoc* p_doc = GetEventDoc();
    if (p_doc == nullptr)
        return FALSE;
    ZelWaitCursor wait;
    Venue working(edited);
    working.SetKey(l_key);
    std::string s_msg;
    if (!VenueViewRules::StoreChange(*p_doc, working, s_msg)) {
        if (!s_msg.empty())
            ShowMessageText(s_msg, MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    SetRow(p_doc->GetVenues()[FindVenue(l_key)], TRUE);
    p_doc->DocChanged(UpdateViewHint::e_venues);
    return TRUE;
}

int VenueView::DoChangeDialog(LPARAM l_key, LPARAM& l_changed, int i_position, int n_count)
{
    l_changed = 0;
    EventDoc* p_doc = GetEventDoc();
    if (p_doc == nullptr)
        return e_change_stop;
    const int i_index = FindVenue(static_cast<LONG>(l_key));
    if (i_index < 0)
        return e_change_stop;

    // The request is built around a copy of the stored venue: a blank venue
    // would take a key from the event, and the file keeps the key counter.
    VenueSheetRequest request{.pDoc = p_doc, .Working = p_doc->GetVenues()[i_index]};
    request.iPage = LastChangePage();
    request.iItem = i_position;
    request.nItems = n_count;
    // A name another venue has is refused while the sheet is still open, so
    // that no edit is lost; the stored venue stays as it was.
    request.fAccept = [p_doc, l_key](const Venue& sheet_venue) {
        Venue working(sheet_venue);
        working.SetKey(static_cast<LONG>(l_key));
        return AcceptVenueName(*p_doc, working, "change");
    };
    // Apply stores and the sheet stays on the venue as stored.
    request.fApply = [this, p_doc, l_key, &l_changed](Venue& edited) {
        if (StoreEditedVenue(static_cast<LONG>(l_key), edited))
            l_changed = 1;
        const int i_stored = FindVenue(static_cast<LONG>(l_key));
        if (i_stored >= 0)
            edited = p_doc->GetVenues()[i_stored];
        return TRUE;
    };
    const int i_code = GetVenueSheetPort().Run(request);
    LastChangePage() = request.iPage;

    if (i_code == VSR_OK || i_code == VSR_APPLY || i_code == VSR_NEXT || i_code == VSR_PREVIOUS) {
        if (StoreEditedVenue(static_cast<LONG>(l_key), request.Working))
            l_changed = 1;
    }
    switch (i_code) {
    case VSR_NEXT: return 1;
    case VSR_PREVIOUS: return e_change_previous;
    case VSR_APPLY: return e_change_same;
    default: return e_change_stop;
    }
}

void VenueView::DeleteRecord(LPARAM l_key, BOOL b_update)
{
    EventDoc* p_doc = GetEventDoc();
    if (p_doc == nullptr)
        return;
    VenueViewRules::DeleteVenue(*p_doc, static_cast<LONG>(l_key));
    if (b_update)
        p_doc->DocChanged(UpdateViewHint::e_venues);
}

// --------------------------------------------------------------- printing

BOOL VenueView::SelectPrintColumns()
{
    EventDoc* p_doc = GetEventDoc();
    if (p_doc == nullptr)
        return FALSE;
    ZelArray<UINT>& a_printable = GetPrintColumnIds();
    a_printable.Copy(VenueViewRules::GetPrintCandidates(p_doc));

    const PrintIdSet& stored = p_doc->GetPrintOptions().GetVenueListSet();
    ZelArray<UINT> a_chosen;
    a_chosen.Copy(stored.GetIds());
    if (a_chosen.GetSize() == 0)
        a_chosen.Copy(VenueViewRules::GetDefaultPrintIds());
    int b_landscape = stored.IsLandscape() ? 1 : 0;
    const BOOL b_selected = HasSelection();
    int b_printAll = b_selected ? 0 : 1;
    if (!SelectColumnsForPrint(a_chosen, b_landscape, b_printAll))
        return FALSE;

    PrintIdSet chosen = stored;
    chosen.SetIds(a_chosen);
    chosen.SetLandscape(b_landscape != 0);
    if (chosen != stored) {
        p_doc->GetPrintOptions().GetVenueListSet() = chosen;
        SetModified();
    }
    return TRUE;
}

// ----------------------------------------------------------- registration

bool RegisterVenueView()
{
    return WindowClasses::Register(kVenueView, [](wxWindow* p_parent, int i_id) -> wxWindow* {
        CRotavexApp* p_app = TheApp();
        CEventDocument* p_doc = p_app != nullptr ? p_app->GetDocument() : nullptr;
        if (p_doc == nullptr)
            return nullptr;
        auto* p_view = new VenueView;
        p_view->SetDocument(p_doc);
        if (!p_view->Create(p_parent, i_id)) {
            delete p_view;
            return nullptr;
        }
        wxWindow* p_window = p_view->GetListCtrl();
        p_view->SetFrame(p_window);
        return p_window;
    });
}
