#include "shell/lists/GroupViewCore.h"

#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "model/GroupList.h"
#include "model/Preferences.h"
#include "output/RecipientMail.h"
#include "shell/editing/EditSheetRules.h"
#include "shell/lists/GroupFieldTexts.h"
#include "shell/lists/ItemListImport.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/base/ZelStringArray.h"

#include <algorithm>
#include <iterator>
#include <cctype>
#include <cstring>
#include <map>

namespace {

enum : UINT {
    IDS_GROUP_EXISTS = 1037,
    IDS_GROUP_KEY_EXISTS = 1042,
    IDS_GROUP_EXISTS_SHORT = 2005,
    IDS_GROUP_KEY_EXISTS_SHORT = 2006,
    IDS_GROUP_INVALID = 2009,
    IDS_GROUP_INVALID_SHORT = 2010,
    IDS_GROUP_ADD_FAILED = 10006,
    IDS_ADD_FAILED_SHORT = 10025,
    IDS_IMPORT_MEMBER = 2011,
    IDS_IMPORT_STYLE = 2012,
    IDS_IMPORT_ROLE = 2015,
    IDS_IMPORT_FACILITY = 2018,
    IDS_ITEM_EXISTS = 56051,
    IDS_ITEM_KEY_EXISTS = 56052,
    IDS_TOO_MANY_ITEMS = 56053,
    IDS_ITEM_INVALID = 56054,
    IDS_ITEM_ADD_FAILED = 56058,
    IDS_IMPORT_ROW = 59181,
    IDS_IMPORT_ERRORS = 59182,
};

// The list columns: title and the group field shown.
struct ListColumn {
    const char* pTitle;
    int iField;
};
const ListColumn aListColumns[GroupViewCore::nListColumns] = {
    {"Group Name", gfName}, {"Contact", gfContact}, {"Phone", gfPhone},   {"Fax", gfFax},         {"Email", gfEmail},
    {"Address", gfAddress}, {"Styles", gfStyles},   {"Facilities", gfFacilities}, {"Members", gfMembers},
};

// The print candidates in the order offered.
const UINT aPrintCandidates[] = {0, 1, 7, 8, 9, 10, 11, 2, 3, 4, 5, 6, 12, 13, 16, 17, 14, 15, 18, 19, 20, 22, 23, 24, 25, 21};
// The columns printed when none were chosen yet: name, contact, address,
// phone, fax, e-mail.
const UINT aDefaultPrintIds[] = {0, 1, 7, 2, 5, 6};

class NoGroupSheet : public IGroupSheetPort {
public:
    int Run(Request&) override { return IDCANCEL; }
};
NoGroupSheet g_noSheet;
IGroupSheetPort* g_pSheet = &g_noSheet;

bool EndsInLineEnd(const std::string& s) { return !s.empty() && (s.back() == '\n' || s.back() == '\r'); }

// The text of an add refused by a keyed list.
std::string KeyedAddDetail(int i_result, int n_max)
{
    switch (i_result) {
    case 1: return FormatMessageId(IDS_TOO_MANY_ITEMS, std::to_string(n_max));
    case 2: return LoadResString(IDS_ITEM_EXISTS, "Item already exists.");
    case 3: return LoadResString(IDS_ITEM_KEY_EXISTS, "Item key already exists.");
    case 4: return LoadResString(IDS_ITEM_INVALID, "Invalid item.");
    default: return LoadResString(IDS_ITEM_ADD_FAILED, "An undefined error occurred during an object addition.");
    }
}

} // namespace

const ItemListCore::ImportField GroupViewCore::aImportFields[14] = {
    {"Group Name", gfName, ZelImportFieldDef::COLTYPE_SINGLE, 0},
    {"Contact Name", gfContact, ZelImportFieldDef::COLTYPE_SINGLE, 0},
    {"Contact Address1", gfAddress1, ZelImportFieldDef::COLTYPE_SINGLE, 0},
    {"Contact Address2", gfAddress2, ZelImportFieldDef::COLTYPE_SINGLE, ZelImportFieldDef::COLTYPE_REPEATABLE},
    {"Contact Address3", gfAddress3, ZelImportFieldDef::COLTYPE_SINGLE, ZelImportFieldDef::COLTYPE_REPEATABLE},
    {"Contact Postal/Zip Code", gfPostalCode, ZelImportFieldDef::COLTYPE_SINGLE, 0},
    {"Contact Phone 1", gfPhone1, ZelImportFieldDef::COLTYPE_SINGLE, 0},
    {"Contact Phone 2", gfPhone2, ZelImportFieldDef::COLTYPE_SINGLE, 0},
    {"Contact Fax", gfFax, ZelImportFieldDef::COLTYPE_SINGLE, 0},
    {"Contact Email", gfEmail, ZelImportFieldDef::COLTYPE_SINGLE, 0},
    {"Styles", gfStyles, ZelImportFieldDef::COLTYPE_SINGLE, 0},
    {"Facilities", gfFacilities, ZelImportFieldDef::COLTYPE_SINGLE, 0},
    {"Group Members", gfMembers, ZelImportFieldDef::COLTYPE_MULTILINE, ZelImportFieldDef::COLTYPE_REPEATABLE},
    {"Notes", gfNotes, ZelImportFieldDef::COLTYPE_MULTILINE, ZelImportFieldDef::COLTYPE_REPEATABLE},
};

IGroupSheetPort& GetGroupSheetPort() { return *g_pSheet; }

IGroupSheetPort* SetGroupSheetPort(IGroupSheetPort* p_port)
{
    IGroupSheetPort* p_old = g_pSheet == &g_noSheet ? nullptr : g_pSheet;
    g_pSheet = p_port != nullptr ? p_port : &g_noSheet;
    return p_old;
}

GroupViewCore::GroupViewCore(ItemListCore& list) : List(list) {}

// ------------------------------------------------------------------ texts

std::string GroupViewCore::GetListColumnTitle(int i_column)
{
    return i_column >= 0 && i_column < nListColumns ? aListColumns[i_column].pTitle : std::string();
}

std::vector<ItemListCore::ColumnDef> GroupViewCore::ColumnDefs()
{
    std::vector<ItemListCore::ColumnDef> v_defs;
    for (int i = 0; i < gfNumFields; ++i)
        v_defs.push_back({static_cast<UINT>(i), GroupFieldTexts::GetFieldTitle(i)});
    return v_defs;
}

std::string GroupViewCore::GetFieldText(const Group* p_group, int i_column)
{
    if (p_group == nullptr || i_column < 0 || i_column >= nListColumns)
        return {};
    const EventDoc* p_doc = GetDoc();
    if (aListColumns[i_column].iField == gfMembers)
        return p_group->GetMembersText(p_doc, nListMembersWidth, FALSE);
    return GroupFieldTexts::GetFieldText(p_doc, *p_group, aListColumns[i_column].iField);
}

std::string GroupViewCore::GetRecordText(const Group* p_group, int i_column)
{
    if (p_group == nullptr || i_column < 0 || i_column >= List.GetPrintColumnCount())
        return {};
    return GroupFieldTexts::GetFieldText(GetDoc(), *p_group, List.GetPrintColumnField(i_column));
}

int GroupViewCore::GetRecordValue(int i_row)
{
    const EventDoc* p_doc = GetDoc();
    if (p_doc == nullptr || i_row < 0 || i_row >= List.GetList().GetItemCount())
        return -1;
    const int i_index = p_doc->GetGroups().FindByKey(static_cast<LONG>(List.GetList().GetItemData(i_row)));
    return i_index >= 0 && i_index < p_doc->GetGroups().GetNumGroups() ? i_index : -1;
}

const Group* GroupViewCore::GetRecord(int i_row)
{
    const int i_index = GetRecordValue(i_row);
    return i_index >= 0 ? &GetDoc()->GetGroups().GetAt(i_index) : nullptr;
}

BOOL GroupViewCore::FilterUpdateHint(const UpdateViewHint& hint)
{
    return hint.lCode == UpdateViewHint::e_groups || hint.lCode == UpdateViewHint::e_participants ? FALSE : TRUE;
}

// ------------------------------------------------------------------- rows

void GroupViewCore::InsertColumns()
{
    for (int i = 0; i < nListColumns; ++i)
        List.InsertColumn(i, aListColumns[i].pTitle, LVCFMT_LEFT, 30);
}

void GroupViewCore::AddRows()
{
    EventDoc* p_doc = GetDoc();
    if (p_doc == nullptr)
        return;
    for (int i = 0; i < p_doc->GetGroups().GetNumGroups(); ++i)
        RefreshRow(p_doc->GetGroups().GetAt(i), FALSE);
}

void GroupViewCore::RefreshRow(const Group& group, BOOL b_existing)
{
    const int i_row = b_existing ? List.ChgItem(group.GetKey(), 0, group.GetName())
                                 : List.AddItem(group.GetKey(), 0, group.GetName());
    if (i_row >= 0)
        List.GetList().RedrawItems(i_row, i_row);
}

// ---------------------------------------------------- add, change, delete

int GroupViewCore::AddGroupToDoc(const Group& group, std::string& s_message, BOOL b_shortMessages,
                                 BOOL b_noUpdate)
{
    s_message.clear();
    EventDoc* p_doc = GetDoc();
    if (p_doc == nullptr)
        return -1;
    GroupList& groups = p_doc->GetGroups();
    const int i_result = groups.AddGroup(group);
    const std::string s_name = group.GetName();
    switch (i_result) {
    case GroupList::added:
        RefreshRow(groups.GetAt(groups.GetNumGroups() - 1), FALSE);
        if (!b_noUpdate) {
            p_doc->DocChanged(UpdateViewHint::e_groups);
            List.ReSort();
        }
        break;
    case GroupList::nameExists:
        s_message = b_shortMessages ? LoadResString(IDS_GROUP_EXISTS_SHORT, "Group already exists.")
                                    : FormatMessageId2(IDS_GROUP_EXISTS, "add", s_name);
        break;
    case GroupList::keyExists:
        s_message = b_shortMessages ? LoadResString(IDS_GROUP_KEY_EXISTS_SHORT, "Group key already exisits.")
                                    : FormatMessageId(IDS_GROUP_KEY_EXISTS, s_name);
        break;
    case GroupList::notValid:
        s_message = b_shortMessages ? LoadResString(IDS_GROUP_INVALID_SHORT, "Invalid group.")
                                    : FormatMessageId(IDS_GROUP_INVALID, s_name);
        break;
    default:
        s_message = b_shortMessages ? LoadResString(IDS_ADD_FAILED_SHORT, "An undefined error has occurred.")
                                    : FormatMessageId(IDS_GROUP_ADD_FAILED, s_name);
        break;
    }
    return i_result;
}

BOOL GroupViewCore::AddRecordByName(const ZelFullName& name, std::string& s_error, BOOL b_flag)
{
    EventDoc* p_doc = GetDoc();
    if (p_doc == nullptr)
        return FALSE;
    Group group;
    group.ApplyDefaults(p_doc->GetPreferences());
    group.SetName(name.GetName());
    return AddGroupToDoc(group, s_error, b_flag, FALSE) == 0 ? TRUE : FALSE;
}

void GroupViewCore::DoAddDialog()
{
    EventDoc* p_doc = GetDoc();
    if (p_doc == nullptr)
        return;
    Group working;
    working.ApplyDefaults(p_doc->GetPreferences());
    IGroupSheetPort::Request request;
    request.pDoc = p_doc;
    request.nMaxStyles = nSheetKeys;
    request.nMaxFacilities = nSheetKeys;
    request.iStartPage = 0;
    request.sCaption = kSheetCaption;
    request.pWorking = &working;
    // Apply adds the group and the sheet stays on it: a later Apply or OK
    // changes that group, and Cancel keeps what Apply stored.
    LONG l_added = -1;
    // A name another group has keeps the sheet open with what was typed.
    request.fAccept = [this, &l_added](const Group& edited) {
        return AcceptGroupName(edited, l_added < 0 ? "add" : "change");
    };
    request.fApply = [this, &l_added](Group& edited) { return StoreAddedGroup(edited, l_added); };
    if (GetGroupSheetPort().Run(request) != IDOK)
        return;
    StoreAddedGroup(working, l_added);
}

BOOL GroupViewCore::StoreAddedGroup(Group& edited, LONG& l_added)
{
    EventDoc* p_doc = GetDoc();
    if (p_doc == nullptr)
        return FALSE;
    if (l_added < 0) {
        std::string s_message;
        if (AddGroupToDoc(edited, s_message, FALSE, FALSE) != 0) {
            ShowMessageBox(s_message, MB_OK | MB_ICONSTOP);
            return FALSE;
        }
        // The list keeps the group's own key.
        l_added = edited.GetKey();
    } else {
        WriteChangedGroup(l_added, edited);
    }
    const int i_index = p_doc->GetGroups().FindByKey(l_added);
    if (i_index >= 0)
        edited = p_doc->GetGroups().GetAt(i_index);
    return TRUE;
}

int& GroupViewCore::LastChangePage()
{
    static int i_page = 0;
    return i_page;
}

BOOL GroupViewCore::WriteChangedGroup(LONG l_key, const Group& edited)
{
    EventDoc* p_doc = GetDoc();
    GroupList& groups = p_doc->GetGroups();
    const int i_index = groups.FindByKey(l_key);
    if (i_index < 0)
        return FALSE;
    Group copy(edited);
    copy.SetKey(l_key);
    // OK with nothing edited stores nothing: the change routine would drop
    // every placement that is not locked.
    if (SameStoredForm(copy, groups.GetAt(i_index)))
        return FALSE;
    if (groups.NameExists(copy)) {
        ShowMessageId2(IDS_GROUP_EXISTS, "change", copy.GetName(), MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    {
        GroupSmartPtr sp_group(&groups, i_index);
        *sp_group = copy;
    }
    RefreshRow(groups.GetAt(groups.FindByKey(l_key)), TRUE);
    p_doc->DocChanged(UpdateViewHint::e_groups);
    return TRUE;
}

BOOL GroupViewCore::AcceptGroupName(const Group& edited, const char* p_verb)
{
    EventDoc* p_doc = GetDoc();
    if (p_doc == nullptr || !p_doc->GetGroups().NameExists(edited))
        return TRUE;
    ShowMessageId2(IDS_GROUP_EXISTS, p_verb, edited.GetName(), MB_OK | MB_ICONSTOP);
    return FALSE;
}

int GroupViewCore::DoChangeDialog(LPARAM l_key, LPARAM& l_changed, int i_position, int n_count)
{
    EventDoc* p_doc = GetDoc();
    if (p_doc == nullptr)
        return 3;
    const int i_index = p_doc->GetGroups().FindByKey(static_cast<LONG>(l_key));
    ZEL_ASSERT(0 <= i_index && i_index < p_doc->GetGroups().GetNumGroups());
    l_changed = FALSE;
    if (i_index < 0)
        return 3;
    Group working(p_doc->GetGroups().GetAt(i_index));
    IGroupSheetPort::Request request;
    request.pDoc = p_doc;
    request.nMaxStyles = nSheetKeys;
    request.nMaxFacilities = nSheetKeys;
    request.iStartPage = LastChangePage();
    request.sCaption = kSheetCaption;
    request.iPosition = i_position;
    request.nCount = n_count;
    request.pWorking = &working;
    request.fAccept = [this, l_key](const Group& edited) {
        Group copy(edited);
        copy.SetKey(static_cast<LONG>(l_key));
        return AcceptGroupName(copy, "change");
    };
    // Apply stores and the sheet stays on the group as stored.
    request.fApply = [this, p_doc, l_key, &l_changed](Group& edited) {
        if (WriteChangedGroup(static_cast<LONG>(l_key), edited))
            l_changed = TRUE;
        const int i_stored = p_doc->GetGroups().FindByKey(static_cast<LONG>(l_key));
        if (i_stored >= 0)
            edited = p_doc->GetGroups().GetAt(i_stored);
        return TRUE;
    };
    const int i_result = GetGroupSheetPort().Run(request);
    if (ItemListCore::SheetKeepsEdits(i_result)) {
        if (WriteChangedGroup(static_cast<LONG>(l_key), working))
            l_changed = TRUE;
    }
    LastChangePage() = request.iLastPage;
    return ChangeCode(i_result);
}

void GroupViewCore::DeleteRecord(LPARAM l_key, BOOL b_last)
{
    EventDoc* p_doc = GetDoc();
    const int i_index = p_doc->GetGroups().FindByKey(static_cast<LONG>(l_key));
    ZEL_ASSERT(0 <= i_index && i_index < p_doc->GetGroups().GetNumGroups());
    if (i_index >= 0)
        p_doc->GetGroups().RemoveGroup(i_index);
    if (b_last)
        p_doc->DocChanged(UpdateViewHint::e_groups);
}

void GroupViewCore::DeleteRecords(const LPARAM* p_keys, int n_keys)
{
    if (n_keys <= 1) {
        for (int i = n_keys - 1; i >= 0; --i)
            DeleteRecord(p_keys[i], i == 0);
        return;
    }
    EventDoc* p_doc = GetDoc();
    p_doc->GetGroups().RemoveGroups(ItemListCore::RecordPositions(p_doc->GetGroups(), p_keys, n_keys));
    p_doc->DocChanged(UpdateViewHint::e_groups);
}

// -------------------------------------------------------------- selection

BOOL GroupViewCore::MarkSelected(int i_row, int i_how)
{
    EventDoc* p_doc = GetDoc();
    const int i_index = GetRecordValue(i_row);
    if (p_doc == nullptr || i_index < 0)
        return FALSE;
    Group& group = p_doc->GetGroups().GetAt(i_index);
    BOOL b_selected = i_how == e_mark_select ? TRUE : FALSE;
    if (i_how == e_mark_toggle)
        b_selected = group.IsSelected() ? FALSE : TRUE;
    group.SetSelected(b_selected);
    SendSelectionHint(UpdateViewHint(UpdateViewHint::e_groups, group.GetKey(), b_selected ? 1 : 2));
    return TRUE;
}

void GroupViewCore::SendSelectionHint(const UpdateViewHint& hint) { GetViewsPort().UpdateAllViews(&hint); }

// ---------------------------------------------------------------- sorting

void GroupViewCore::Sort(int i_column)
{
    if (i_column != 0) {
        const ZelColSortSpec a_specs[] = {{i_column, 1}, {0, 1}};
        List.SortColumns(a_specs, 2);
    } else {
        // Name, then contact, then fax.
        const ZelColSortSpec a_specs[] = {{0, 1}, {1, 1}, {3, 1}};
        List.SortColumns(a_specs, 3);
    }
}

// --------------------------------------------------------------- printing

std::vector<UINT> GroupViewCore::OfferedPrintIds(const EventDoc* p_doc)
{
    bool a_found[gfNumFields] = {};
    if (p_doc != nullptr) {
        const GroupList& groups = p_doc->GetGroups();
        for (int i = groups.GetNumGroups() - 1; i >= 0; --i) {
            for (UINT u_id : aPrintCandidates) {
                if (a_found[u_id] || (GroupFieldTexts::IsScheduleField(static_cast<int>(u_id)) && u_id != gfScheduleOld))
                    continue;
                const std::string s_text =
                    GroupFieldTexts::GetFieldText(p_doc, groups.GetAt(i), static_cast<int>(u_id));
                if (!ItemListCore::TrimSpace(s_text).empty())
                    a_found[u_id] = true;
            }
        }
    }
    std::vector<UINT> v_ids;
    for (UINT u_id : aPrintCandidates) {
        const bool b_new_schedule = u_id >= gfScheduleDayVenueSlot && u_id <= gfScheduleSlotDayVenue;
        if (b_new_schedule ? a_found[gfScheduleOld] : a_found[u_id])
            v_ids.push_back(u_id);
    }
    return v_ids;
}

BOOL GroupViewCore::SelectPrintColumns()
{
    BOOL b_portrait = TRUE;
    if (!List.ChooseStoredPrintSet(&PrintOptions::GetGroupListSet, OfferedPrintIds(GetDoc()),
                                   std::vector<UINT>(std::begin(aDefaultPrintIds), std::end(aDefaultPrintIds)),
                                   b_portrait))
        return FALSE;
    SetPortrait(b_portrait);
    return TRUE;
}

// ------------------------------------------------------ preferences, mail

void GroupViewCore::ApplyPreferences(UINT u_mask)
{
    EventDoc* p_doc = GetDoc();
    if (p_doc == nullptr)
        return;
    const Preferences& prefs = p_doc->GetPreferences();
    GroupList& groups = p_doc->GetGroups();
    for (LONG l_key : List.SelectedKeys()) {
        const int i_index = groups.FindByKey(l_key);
        if (i_index < 0)
            continue;
        GroupSmartPtr sp_group(&groups, i_index);
        if (u_mask & e_pref_limits)
            ItemListCore::ApplyLimitDefaults(*sp_group, prefs.GetGroupEventLimits(), prefs.GetGroupDayLimits(),
                                             prefs.GetGroupVenueLimits(), prefs.GetGroupUsesVenueLimits());
        if (u_mask & e_pref_rostering)
            sp_group->SetMaxGroupSize(prefs.GetMaxGroupSize());
        if (u_mask & e_pref_rotation)
            sp_group->SetRotation(prefs.GetGroupRotation());
        if (u_mask & e_pref_allocations)
            sp_group->GetVenueAllocs() = prefs.GetGroupVenueAllocs();
    }
    p_doc->DocChanged(UpdateViewHint::e_groups);
}

int GroupViewCore::CollectGroupEmails(std::vector<std::string>& a_addresses, std::vector<std::string>& a_names)
{
    EventDoc* p_doc = GetDoc();
    if (p_doc == nullptr)
        return 0;
    ItemListCore::RecipientList list;
    for (LONG l_key : List.SelectedKeys()) {
        const int i_index = p_doc->GetGroups().FindByKey(l_key);
        if (i_index < 0)
            continue;
        const Group& group = p_doc->GetGroups().GetAt(i_index);
        list.Add(group.GetEmail(), group.GetContact().GetName());
    }
    return list.Emit(a_addresses, a_names);
}

int GroupViewCore::CollectMemberEmails(std::vector<std::string>& a_addresses, std::vector<std::string>& a_names)
{
    EventDoc* p_doc = GetDoc();
    if (p_doc == nullptr)
        return 0;
    ItemListCore::RecipientList list;
    const ParticipantList& participants = p_doc->GetParticipants();
    for (LONG l_key : List.SelectedKeys()) {
        const int i_index = p_doc->GetGroups().FindByKey(l_key);
        if (i_index < 0)
            continue;
        const GroupMembers& members = p_doc->GetGroups().GetAt(i_index).GetMembers();
        for (int m = 0; m < members.GetSize(); ++m) {
            const int i_part = participants.FindByKey(members[m].lParticipantKey);
            if (i_part < 0)
                continue;
            list.Add(participants[i_part].GetEmail(), participants[i_part].GetFullName());
        }
    }
    return list.Emit(a_addresses, a_names);
}

void GroupViewCore::SendMail()
{
    std::vector<std::string> a_addresses, a_names;
    if (CollectGroupEmails(a_addresses, a_names) > 0)
        SendRecipientMail(a_addresses, a_names);
}

void GroupViewCore::SendMemberMail()
{
    std::vector<std::string> a_addresses, a_names;
    if (CollectMemberEmails(a_addresses, a_names) > 0)
        SendRecipientMail(a_addresses, a_names);
}

BOOL GroupViewCore::CanSendMail()
{
    std::vector<std::string> a_addresses, a_names;
    return CollectGroupEmails(a_addresses, a_names) > 0 && CanSendRecipientMail() ? TRUE : FALSE;
}

BOOL GroupViewCore::CanSendMemberMail()
{
    std::vector<std::string> a_addresses, a_names;
    return CollectMemberEmails(a_addresses, a_names) > 0 && CanSendRecipientMail() ? TRUE : FALSE;
}

// ----------------------------------------------------------------- import

void GroupViewCore::FillImportFields(ZelImportFieldDef& defs) const
{
    ItemListCore::AddImportFields(defs, aImportFields, static_cast<int>(std::size(aImportFields)));
}

void GroupViewCore::ImportKeys(const std::string& s_text, BOOL b_styles, Group& group, const std::string& s_label,
                               ILVImportErrors* p_errors, std::string& s_log)
{
    if (s_text.empty())
        return;
    EventDoc* p_doc = GetDoc();
    ZelStringArray a_items;
    a_items.SplitEx(s_text, ',', '"', '\\', 0, 1);
    for (int i = 0; i < a_items.GetSize(); ++i) {
        const std::string& s_item = a_items[i];
        std::string s_detail;
        int i_index = -1;
        LONG l_key = -1;
        if (b_styles) {
            StyleList& list = p_doc->GetStyles();
            i_index = list.FindByName(s_item);
            if (i_index < 0) {
                Style style;
                style.SetName(s_item);
                const int i_result = list.Add(style);
                if (i_result == 0) {
                    i_index = list.FindByKey(style.GetKey());
                    p_doc->SetModifiedFlag();
                } else {
                    s_detail = KeyedAddDetail(i_result, list.GetMaxObjects());
                }
            }
            if (i_index >= 0)
                l_key = list[i_index].GetKey();
        } else {
            FacilityList& list = p_doc->GetFacilities();
            i_index = list.FindByName(s_item);
            if (i_index < 0) {
                Facility facility;
                facility.SetName(s_item);
                const int i_result = list.Add(facility);
                if (i_result == 0) {
                    i_index = list.FindByKey(facility.GetKey());
                    p_doc->SetModifiedFlag();
                } else {
                    s_detail = KeyedAddDetail(i_result, list.GetMaxObjects());
                }
            }
            if (i_index >= 0)
                l_key = list[i_index].GetKey();
        }
        if (i_index >= 0) {
            (b_styles ? group.GetStyles() : group.GetFacilities()).Add(l_key);
        } else {
            const std::string s_problem =
                b_styles ? LoadResString(IDS_IMPORT_STYLE, "Cannot import style for group.")
                         : LoadResString(IDS_IMPORT_FACILITY, "Cannot import facility for group.");
            if (p_errors != nullptr)
                p_errors->AddRow(s_label, s_problem + " " + s_detail);
            s_log += s_problem + " " + s_detail + " Import data: '" + s_item + "'\n";
        }
    }
}

void GroupViewCore::ImportMembers(const std::string& s_text, Group& group, const std::string& s_label,
                                  ILVImportErrors* p_errors, std::string& s_log)
{
    EventDoc* p_doc = GetDoc();
    ZelStringArray a_lines;
    a_lines.Split(s_text, &ZelStringArray::iseol, 0, 1);
    GroupMembers members;
    members.Reserve(a_lines.GetSize());
    for (int i = 0; i < a_lines.GetSize(); ++i) {
        const std::string s_entry = ItemListCore::TrimSpace(a_lines[i]);
        if (s_entry.empty())
            continue;
        ZelFullName name(Participant::kMaxFirst, Participant::kMaxMiddle, Participant::kMaxLast);
        std::string s_role;
        std::string s_detail;
        LONG l_roleKey = -1;
        std::size_t i_pos = s_entry.find_first_of(",-:;/~");
        bool b_bracket = false;
        if (i_pos == std::string::npos) {
            i_pos = s_entry.find_first_of("([{<");
            b_bracket = i_pos != std::string::npos;
        }
        if (i_pos == std::string::npos) {
            name.SetName(s_entry);
        } else {
            s_role = s_entry.substr(i_pos + 1);
            if (b_bracket) {
                const std::size_t i_close = s_role.find_first_of(")]}>");
                if (i_close != std::string::npos)
                    s_role.erase(i_close, 1);
            }
            // A separator with nothing after it leaves the part before it
            // as the member, without a role.
            name.SetName(s_entry.substr(0, i_pos));
            if (!s_role.empty()) {
                ZelObjectName role_name(s_role, ParticipantRole::kMaxNameLength);
                if (!role_name.GetName().empty()) {
                    s_role = role_name.GetName();
                    for (std::size_t c = 0; c < s_role.size(); ++c) {
                        const auto u_char = static_cast<unsigned char>(s_role[c]);
                        s_role[c] = static_cast<char>(c == 0 ? std::toupper(u_char) : std::tolower(u_char));
                    }
                    role_name.SetName(s_role);
                }
                ParticipantRoleList& roles = p_doc->GetParticipantRoles();
                const int i_role = roles.FindByName(role_name.GetName());
                if (i_role >= 0) {
                    l_roleKey = roles[i_role].GetKey();
                } else {
                    ParticipantRole role(role_name.GetName());
                    const int i_result = roles.Add(role);
                    if (i_result == 0) {
                        l_roleKey = role.GetKey();
                        p_doc->SetModifiedFlag();
                    } else {
                        s_detail = KeyedAddDetail(i_result, roles.GetMaxObjects());
                    }
                }
                if (l_roleKey < 0) {
                    const std::string s_problem =
                        LoadResString(IDS_IMPORT_ROLE, "Cannot import role for group member.");
                    if (p_errors != nullptr)
                        p_errors->AddRow(s_label, s_problem + " " + s_detail);
                    s_log += s_problem + " " + s_detail + " Import data: '" + s_entry + "'\n";
                }
            }
        }
        ParticipantList& participants = p_doc->GetParticipants();
        int i_index = participants.FindByName(name.GetFullName());
        if (i_index < 0) {
            Participant participant;
            participant.ApplyDefaults(p_doc->GetPreferences());
            participant.GetNameObject() = name;
            if (l_roleKey >= 0)
                participant.SetUsualRoleKey(l_roleKey);
            s_detail.clear();
            if (participants.AddParticipant(participant, s_detail, TRUE) == 0) {
                i_index = participants.FindByKey(participant.GetKey());
                p_doc->SetModifiedFlag();
            } else {
                const std::string s_problem = LoadResString(IDS_IMPORT_MEMBER, "Cannot import group member. ");
                if (p_errors != nullptr)
                    p_errors->AddRow(s_label, s_problem + " " + s_detail);
                s_log += s_problem + " " + s_detail + ": Import data: '" + s_entry + "'\n";
            }
        }
        if (i_index >= 0)
            members.SetMember(participants[i_index].GetKey(), s_role, 0);
    }
    group.GetMembers() = members;
}

void GroupViewCore::ImportStopped()
{
    pImportNames.reset();
    pImportNamesOf = nullptr;
}

int GroupViewCore::ImportRecord(int i_record, int i_line, const ZelArray<ZelImport::ColValue>& a_values,
                                ILVImportErrors* p_errors)
{
    EventDoc* p_doc = GetDoc();
    if (p_doc == nullptr)
        return 0;
    if (i_record < 0) {
        pImportNames.reset();
        p_doc->DocChanged(UpdateViewHint::e_general);
        return 1;
    }
    // The names are found by an index while the records come in: each
    // record asks whether its name is taken.
    if (pImportNames == nullptr || pImportNamesOf != &p_doc->GetGroups()) {
        pImportNames.reset();
        pImportNames = std::make_unique<GroupList::NameLookup>(p_doc->GetGroups());
        pImportNamesOf = &p_doc->GetGroups();
    }
    Group group;
    group.ApplyDefaults(p_doc->GetPreferences());
    ZelSimpleAddress address(40, 9);
    std::string s_members, s_notes, s_log;
    std::string s_line2, s_line3;
    // The row's label names the group as far as it is known.
    const auto label = [&] {
        return FormatMessageId2(IDS_IMPORT_ROW, std::to_string(i_record), group.GetName()) + ", near line "
               + std::to_string(i_line);
    };
    const auto append_line = [](std::string& s_to, const std::string& s_text) {
        if (!s_to.empty() && !EndsInLineEnd(s_to))
            s_to += "\r\n";
        s_to += s_text;
    };
    const auto join = [](const std::string& s_sofar, const std::string& s_text) {
        std::string s = s_sofar;
        if (!s.empty() && !s_text.empty())
            s += ", ";
        return (s + s_text).substr(0, 40);
    };
    for (int i = 0; i < a_values.GetSize(); ++i) {
        const ZelImport::ColValue& value = a_values[i];
        if ((value.uType & 0x00F) != ZelImportFieldDef::COLTYPE_STRING)
            continue;
        std::string s_text;
        if (value.Values.GetSize() == 1) {
            const DWORD u_option = value.Values[0].uType & 0x0F0;
            if (u_option == ZelImportFieldDef::COLTYPE_SINGLE || u_option == ZelImportFieldDef::COLTYPE_MULTILINE)
                s_text = value.Values[0].sText;
        }
        switch (value.uData) {
        case gfName: group.SetName(s_text); break;
        case gfContact: group.GetContact().SetName(s_text); break;
        case gfPhone1: group.SetPhone(s_text); break;
        case gfPhone2: group.SetPhone2(s_text); break;
        case gfFax: group.SetFax(s_text); break;
        case gfEmail: group.SetEmail(s_text); break;
        case gfAddress1: address.SetAddrLine1(s_text.substr(0, 40)); break;
        case gfAddress2:
            s_line2 = join(s_line2, s_text);
            address.SetAddrLine2(s_line2);
            break;
        case gfAddress3:
            s_line3 = join(s_line3, s_text);
            address.SetAddrLine3(s_line3);
            break;
        case gfPostalCode: address.SetPostCode(s_text.substr(0, 9)); break;
        case gfStyles: ImportKeys(s_text, TRUE, group, label(), p_errors, s_log); break;
        case gfFacilities: ImportKeys(s_text, FALSE, group, label(), p_errors, s_log); break;
        case gfMembers: append_line(s_members, s_text); break;
        case gfNotes: append_line(s_notes, value.sName.empty() ? s_text : value.sName + ": " + s_text); break;
        default: break;
        }
    }
    if (!s_members.empty())
        ImportMembers(s_members, group, label(), p_errors, s_log);
    group.GetAddress() = address;
    if (!s_log.empty()) {
        if (!s_notes.empty())
            s_notes += "\r\n";
        s_notes += LoadResString(IDS_IMPORT_ERRORS, "*********************\nImport errors:") + "\r\n" + s_log;
    }
    group.SetNotes(s_notes);

    std::string s_detail;
    int i_result = AddGroupToDoc(group, s_detail, FALSE, TRUE);
    if (i_result == 0) {
        if (p_errors != nullptr)
            ++p_errors->nAdded;
        return 1;
    }
    if (i_result == GroupList::nameExists) {
        const int i_same = p_doc->GetGroups().FindByName(group.GetName());
        if (i_same >= 0) {
            if (p_doc->GetGroups().GetAt(i_same) == group)
                return 0;
            BOOL b_identical = FALSE;
            p_doc->GetGroups().MakeUniqueName(group, b_identical);
            if (b_identical)
                return 0;
            i_result = AddGroupToDoc(group, s_detail, FALSE, FALSE);
            if (i_result == 0) {
                // A group that came in under a numbered name came in all
                // the same: the report counts it.
                if (p_errors != nullptr)
                    ++p_errors->nAdded;
                return 1;
            }
        }
    }
    if (p_errors != nullptr)
        p_errors->AddRow(label(), s_detail);
    return 0;
}
