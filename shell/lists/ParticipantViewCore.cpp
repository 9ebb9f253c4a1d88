#include "shell/lists/ParticipantViewCore.h"

#include "framework/MessageBox.h"
#include "framework/Resources.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "model/KeyList.h"
#include "model/Preferences.h"
#include "model/Timetable.h"
#include "output/RecipientMail.h"
#include "shell/editing/EditSheetRules.h"
#include "shell/lists/ItemListImport.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/controls/ZelControlPorts.h"
#include "zelkit/windows/ZelWindowServices.h"

#include <algorithm>
#include <iterator>
#include <map>

namespace {

const char* const aListTitles[ParticipantViewCore::nListColumns] = {
    "Participant Name", "Address", "Phone", "Fax", "Email", "Usual Role",
};

const char* const aFieldTitles[pfNumFields] = {
    "Name",      "Phone",      "Phone 1",     "Phone 2",        "Fax",       "Email",
    "Address",   "Address 1",  "Address 2",   "Address 3",      "Postal Code", "Usual Role",
    "Limits",    "Groups",     "Not Available", "Rostering",    "Venue Schedule", "Group Schedule",
    "Notes",
};

// The print candidates in the order offered.
const UINT aPrintCandidates[] = {pfName,      pfAddress,  pfAddress1, pfAddress2,     pfAddress3,      pfPostalCode,
                                 pfPhone,     pfPhone1,   pfPhone2,   pfFax,          pfEmail,         pfUsualRole,
                                 pfLimits,    pfGroups,   pfNotAvailable, pfRostering, pfVenueSchedule, pfGroupSchedule,
                                 pfNotes};
// The columns printed when none were chosen yet.
const UINT aDefaultPrintIds[] = {pfName, pfAddress, pfPhone, pfEmail, pfUsualRole};

// The import's fields.
const ItemListCore::ImportField aImportFields[] = {
    {"Name", pfName, ZelImportFieldDef::COLTYPE_SINGLE, 0},
    {"Address1", pfAddress1, ZelImportFieldDef::COLTYPE_SINGLE, 0},
    {"Address2", pfAddress2, ZelImportFieldDef::COLTYPE_SINGLE, 0},
    {"Address3", pfAddress3, ZelImportFieldDef::COLTYPE_SINGLE, 0},
    {"Postal/Zip Code", pfPostalCode, ZelImportFieldDef::COLTYPE_SINGLE, 0},
    {"Phone 1", pfPhone1, ZelImportFieldDef::COLTYPE_SINGLE, 0},
    {"Phone 2", pfPhone2, ZelImportFieldDef::COLTYPE_SINGLE, 0},
    {"Fax", pfFax, ZelImportFieldDef::COLTYPE_SINGLE, 0},
    {"Role", pfUsualRole, ZelImportFieldDef::COLTYPE_SINGLE, 0},
    {"Email", pfEmail, ZelImportFieldDef::COLTYPE_SINGLE, 0},
    {"Rostering", pfRostering, ZelImportFieldDef::COLTYPE_SINGLE, 0},
    {"Notes", pfNotes, ZelImportFieldDef::COLTYPE_MULTILINE, ZelImportFieldDef::COLTYPE_REPEATABLE},
};

class NoParticipantSheet : public IParticipantSheetPort {
public:
    int Run(Request&) override { return IDCANCEL; }
};
NoParticipantSheet g_noSheet;
IParticipantSheetPort* g_pSheet = &g_noSheet;

std::string CombinationName(const EventDoc& doc, LONG l_key)
{
    if (l_key < 0)
        return {};
    const ZelTimeslotCombinationList& combinations = doc.GetCombinations();
    const int i_index = combinations.FindByKey(l_key);
    return i_index >= 0 ? combinations.GetAt(i_index).GetName() : std::string();
}

} // namespace

IParticipantSheetPort& GetParticipantSheetPort() { return *g_pSheet; }

IParticipantSheetPort* SetParticipantSheetPort(IParticipantSheetPort* p_port)
{
    IParticipantSheetPort* p_old = g_pSheet == &g_noSheet ? nullptr : g_pSheet;
    g_pSheet = p_port != nullptr ? p_port : &g_noSheet;
    return p_old;
}

ParticipantViewCore::ParticipantViewCore(ItemListCore& list) : List(list) {}

// ------------------------------------------------------------------ texts

std::string ParticipantViewCore::GetListColumnTitle(int i_column)
{
    return i_column >= 0 && i_column < nListColumns ? aListTitles[i_column] : std::string();
}

std::string ParticipantViewCore::GetFieldTitle(int i_fieldId)
{
    return i_fieldId >= 0 && i_fieldId < pfNumFields ? aFieldTitles[i_fieldId] : std::string();
}

std::vector<ItemListCore::ColumnDef> ParticipantViewCore::ColumnDefs()
{
    std::vector<ItemListCore::ColumnDef> v_defs;
    for (int i = 0; i < pfNumFields; ++i)
        v_defs.push_back({static_cast<UINT>(i), aFieldTitles[i]});
    return v_defs;
}

std::string ParticipantViewCore::GetColumnText(const Participant* p_part, int i_column)
{
    switch (i_column) {
    case 0: return GetFieldText(p_part, pfName);
    case 1: return GetFieldText(p_part, pfAddress);
    case 2: return GetFieldText(p_part, pfPhone);
    case 3: return GetFieldText(p_part, pfFax);
    case 4: return GetFieldText(p_part, pfEmail);
    case 5: return GetFieldText(p_part, pfUsualRole);
    default: return {};
    }
}

std::string ParticipantViewCore::GetFieldText(const Participant* p_part, int i_fieldId)
{
    const EventDoc* p_doc = GetDoc();
    if (p_part == nullptr || p_doc == nullptr)
        return {};
    const Participant& part = *p_part;
    const ZelSimpleAddress& address = part.GetAddress();
    switch (i_fieldId) {
    case pfName:
        return bNameFirstLast ? part.GetNameObject().GetFullName() : part.GetNameObject().GetRevFullName();
    case pfPhone: {
        std::string s_text = part.GetPhone();
        if (!part.GetPhone2().empty())
            s_text += ", " + part.GetPhone2();
        return s_text;
    }
    case pfPhone1: return part.GetPhone();
    case pfPhone2: return part.GetPhone2();
    case pfFax: return part.GetFax();
    case pfEmail: return part.GetEmail();
    case pfAddress:
        return address.GetLine1() + " " + address.GetLine2() + " " + address.GetLine3() + " " + address.GetPCode();
    case pfAddress1: return address.GetLine1();
    case pfAddress2: return address.GetLine2();
    case pfAddress3: return address.GetLine3();
    case pfPostalCode: return address.GetPCode();
    case pfUsualRole: return part.GetUsualRoleName(p_doc);
    case pfLimits: {
        std::string s_text;
        if (part.GetEventLimits().uType != SchedLim::e_no_limits)
            s_text = "Event=" + part.GetEventLimits().GetText();
        if (part.GetDayLimits().uType != SchedLim::e_no_limits) {
            if (!s_text.empty())
                s_text += ",";
            s_text += "Day=" + part.GetDayLimits().GetText();
        }
        return s_text;
    }
    case pfGroups: {
        std::string s_text;
        const GroupList& groups = p_doc->GetGroups();
        for (int i = 0; i < groups.GetNumGroups(); ++i) {
            if (!groups.GetAt(i).GetMembers().HasMember(part.GetKey()))
                continue;
            if (!s_text.empty())
                s_text += ",";
            s_text += groups.GetAt(i).GetName();
        }
        return s_text;
    }
    case pfNotAvailable:
        if (part.GetUnavailable().GetNumTimes() == 0)
            return {};
        return part.GetUnavailable().GetText(&p_doc->GetEventDef().GetDayDefConst(), -1, FALSE);
    case pfRostering: {
        BOOL b_ordered = FALSE;
        const RosterStyleArray& styles = part.GetRosterStyles(p_doc, b_ordered);
        return styles.FormatText(p_doc, b_ordered, FALSE);
    }
    case pfVenueSchedule: return GetScheduleText(p_doc, part, TRUE, ",\n");
    case pfGroupSchedule: return GetScheduleText(p_doc, part, FALSE, ",\n");
    case pfNotes: return part.GetNotes();
    default: return {};
    }
}

std::string ParticipantViewCore::GetRecordText(const Participant* p_part, int i_column)
{
    if (p_part == nullptr || i_column < 0 || i_column >= List.GetPrintColumnCount())
        return {};
    return GetFieldText(p_part, List.GetPrintColumnField(i_column));
}

std::vector<std::string> ParticipantViewCore::GetScheduleLines(const EventDoc* p_doc, const Participant& part,
                                                               BOOL b_venues)
{
    std::vector<std::string> v_lines;
    if (p_doc == nullptr || p_doc->GetNumVenues() <= 0 || !p_doc->HasDaysAndTimeslots())
        return v_lines;
    const Timetable* p_timetable = p_doc->GetTimetable();
    if (p_timetable == nullptr)
        return v_lines;
    const BOOL b_24Hour = p_doc->GetEventDef().GetDayDefConst().Is24Hour();
    const GroupList& groups = p_doc->GetGroups();
    for (int d = 0; d < p_timetable->GetNumDays(); ++d) {
        const Day& day = p_timetable->GetDay(d);
        // A day may still hold the slots of a venue the event has dropped.
        const int n_venues = std::min(day.GetNumVenues(), p_doc->GetNumVenues());
        for (int v = 0; v < n_venues; ++v) {
            const TimeslotArray& a_slots = day.GetVenueSlots(v);
            for (int s = 0; s < a_slots.GetSize(); ++s) {
                const Timeslot& slot = a_slots[s];
                if (slot.GetGroup() < 0)
                    continue;
                const int i_group = groups.FindByKey(slot.GetGroup());
                if (i_group < 0 || !groups.GetAt(i_group).GetMembers().HasMember(part.GetKey()))
                    continue;
                std::string s_line = b_venues ? p_doc->GetVenues()[v].GetName() : groups.GetAt(i_group).GetName();
                s_line += " - " + day.GetName() + " " + slot.GetTimeText(b_24Hour, FALSE) + " to "
                          + slot.GetTimeText(b_24Hour, TRUE);
                const std::string s_combination = CombinationName(*p_doc, slot.GetCombinationKey());
                if (!s_combination.empty())
                    s_line += " (" + s_combination + ")";
                v_lines.push_back(std::move(s_line));
            }
        }
    }
    return v_lines;
}

std::string ParticipantViewCore::GetScheduleText(const EventDoc* p_doc, const Participant& part, BOOL b_venues,
                                                 const char* p_separator)
{
    std::string s_text;
    for (const std::string& s_line : GetScheduleLines(p_doc, part, b_venues)) {
        if (!s_text.empty())
            s_text += p_separator;
        s_text += s_line;
    }
    return s_text;
}

std::string ParticipantViewCore::GetLabelText(IZelDrawPort& port, const Participant& part, CRect& rc_box)
{
    const ZelSimpleAddress& address = part.GetAddress();
    return ItemListCore::AddressLabel(
        port, {part.GetNameObject().GetName(), address.GetLine1(), address.GetLine2(), address.GetLine3()},
        address.GetPCode(), rc_box);
}

int ParticipantViewCore::GetRecordValue(int i_row)
{
    const EventDoc* p_doc = GetDoc();
    if (p_doc == nullptr || i_row < 0 || i_row >= List.GetList().GetItemCount())
        return -1;
    const ParticipantList& parts = p_doc->GetParticipants();
    const int i_index = parts.FindByKey(static_cast<LONG>(List.GetList().GetItemData(i_row)));
    return i_index >= 0 && i_index < parts.GetNumParticipants() ? i_index : -1;
}

const Participant* ParticipantViewCore::GetRecord(int i_row)
{
    const int i_index = GetRecordValue(i_row);
    return i_index >= 0 ? &GetDoc()->GetParticipants().GetAt(i_index) : nullptr;
}

BOOL ParticipantViewCore::FilterUpdateHint(const UpdateViewHint& hint)
{
    return hint.lCode == UpdateViewHint::e_participants ? FALSE : TRUE;
}

// ------------------------------------------------------------------- rows

void ParticipantViewCore::InsertColumns()
{
    for (int i = 0; i < nListColumns; ++i)
        List.InsertColumn(i, aListTitles[i], LVCFMT_LEFT, 30);
}

void ParticipantViewCore::AddRows()
{
    EventDoc* p_doc = GetDoc();
    if (p_doc == nullptr)
        return;
    const ParticipantList& parts = p_doc->GetParticipants();
    for (int i = 0; i < parts.GetNumParticipants(); ++i)
        SetRow(parts.GetAt(i), FALSE);
}

void ParticipantViewCore::SetRow(const Participant& part, BOOL b_update)
{
    const std::string s_text = GetFieldText(&part, pfName);
    const int i_row = b_update ? List.ChgItem(part.GetKey(), 0, s_text) : List.AddItem(part.GetKey(), 0, s_text);
    if (i_row >= 0)
        List.GetList().RedrawItems(i_row, i_row);
}

// ---------------------------------------------------- add, change, delete

int ParticipantViewCore::AddParticipant(const Participant& part, std::string& s_message, BOOL b_shortTexts,
                                        BOOL b_noUpdate)
{
    s_message.clear();
    EventDoc* p_doc = GetDoc();
    if (p_doc == nullptr)
        return -1;
    ParticipantList& parts = p_doc->GetParticipants();
    const int i_result = parts.AddParticipant(part, s_message, b_shortTexts);
    if (i_result != 0)
        return i_result;
    SetRow(parts.GetAt(parts.GetNumParticipants() - 1), FALSE);
    if (!b_noUpdate) {
        p_doc->DocChanged(UpdateViewHint::e_participants);
        List.ReSort();
    }
    return 0;
}

BOOL ParticipantViewCore::AddRecordByName(const ZelFullName& name, std::string& s_error, BOOL b_shortTexts)
{
    EventDoc* p_doc = GetDoc();
    if (p_doc == nullptr)
        return FALSE;
    Participant part;
    part.ApplyDefaults(p_doc->GetPreferences());
    part.GetNameObject().SetName(name.GetFirstName(), name.GetOtherNames(), name.GetLastName());
    return AddParticipant(part, s_error, b_shortTexts, FALSE) == 0 ? TRUE : FALSE;
}

void ParticipantViewCore::DoAddDialog()
{
    EventDoc* p_doc = GetDoc();
    if (p_doc == nullptr)
        return;
    Participant working;
    working.ApplyDefaults(p_doc->GetPreferences());
    IParticipantSheetPort::Request request;
    request.pDoc = p_doc;
    request.sCaption = kSheetCaption;
    request.pWorking = &working;
    // Apply adds the participant and the sheet stays on it: a later Apply
    // or OK changes that participant, and Cancel keeps what Apply stored.
    LONG l_added = -1;
    // A name another participant has keeps the sheet open with what was
    // typed.
    request.fAccept = [this, &l_added](const Participant& edited) {
        return AcceptChangedName(edited.GetKey(), edited, l_added < 0 ? "add" : "change");
    };
    request.fApply = [this, &l_added](Participant& edited) { return StoreAddedParticipant(edited, l_added); };
    if (GetParticipantSheetPort().Run(request) != IDOK)
        return;
    StoreAddedParticipant(working, l_added);
}

BOOL ParticipantViewCore::StoreAddedParticipant(Participant& edited, LONG& l_added)
{
    EventDoc* p_doc = GetDoc();
    if (p_doc == nullptr)
        return FALSE;
    if (l_added < 0) {
        std::string s_message;
        if (AddParticipant(edited, s_message, FALSE, FALSE) != 0) {
            ShowMessageBox(s_message, MB_OK | MB_ICONSTOP);
            return FALSE;
        }
        // The list keeps the participant's own key.
        l_added = edited.GetKey();
    } else {
        ZelWaitCursor wait;
        WriteChangedParticipant(l_added, edited);
    }
    const int i_index = p_doc->GetParticipants().FindByKey(l_added);
    if (i_index >= 0)
        edited = p_doc->GetParticipants().GetAt(i_index);
    return TRUE;
}

int& ParticipantViewCore::LastChangePage()
{
    static int i_page = 0;
    return i_page;
}

BOOL ParticipantViewCore::AcceptChangedName(LONG l_key, const Participant& edited, const char* p_verb)
{
    EventDoc* p_doc = GetDoc();
    if (p_doc == nullptr)
        return FALSE;
    Participant copy(edited);
    copy.SetKey(l_key);
    if (p_doc->GetParticipants().IsDuplicateName(copy)) {
        ShowMessageId2(IDS_PARTICIPANT_EXISTS, p_verb, copy.GetFullName(), MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    return TRUE;
}

BOOL ParticipantViewCore::WriteChangedParticipant(LONG l_key, const Participant& edited)
{
    EventDoc* p_doc = GetDoc();
    ParticipantList& parts = p_doc->GetParticipants();
    const int i_index = parts.FindByKey(l_key);
    if (i_index < 0 || !AcceptChangedName(l_key, edited))
        return FALSE;
    Participant copy(edited);
    copy.SetKey(l_key);
    // OK with nothing edited stores nothing: the change routine would drop
    // every placement that is not locked.
    if (SameStoredForm(copy, parts.GetAt(i_index)))
        return FALSE;
    parts.InvalidateNameIndex();
    parts.GetAt(i_index) = copy;
    SetRow(parts.GetAt(i_index), TRUE);
    p_doc->DocChanged(UpdateViewHint::e_participants);
    return TRUE;
}

int ParticipantViewCore::DoChangeDialog(LPARAM l_key, LPARAM& l_changed, int i_position, int n_count)
{
    EventDoc* p_doc = GetDoc();
    l_changed = FALSE;
    if (p_doc == nullptr)
        return ItemListCore::e_change_stop;
    const LONG l_partKey = static_cast<LONG>(l_key);
    const int i_index = p_doc->GetParticipants().FindByKey(l_partKey);
    ZEL_ASSERT(0 <= i_index && i_index < p_doc->GetParticipants().GetNumParticipants());
    if (i_index < 0)
        return ItemListCore::e_change_stop;
    Participant working(p_doc->GetParticipants().GetAt(i_index));
    IParticipantSheetPort::Request request;
    request.pDoc = p_doc;
    request.iStartPage = LastChangePage();
    request.sCaption = kSheetCaption;
    request.iPosition = i_position;
    request.nCount = n_count;
    request.pWorking = &working;
    // A name another participant has keeps the sheet open with its edits.
    request.fAccept = [this, l_partKey](const Participant& edited) { return AcceptChangedName(l_partKey, edited); };
    // Apply stores and the sheet stays on the participant as stored.
    request.fApply = [this, p_doc, l_partKey, &l_changed](Participant& edited) {
        ZelWaitCursor wait;
        if (WriteChangedParticipant(l_partKey, edited))
            l_changed = TRUE;
        const int i_stored = p_doc->GetParticipants().FindByKey(l_partKey);
        if (i_stored >= 0)
            edited = p_doc->GetParticipants().GetAt(i_stored);
        return TRUE;
    };
    const int i_result = GetParticipantSheetPort().Run(request);
    if (ItemListCore::SheetKeepsEdits(i_result)) {
        ZelWaitCursor wait;
        if (WriteChangedParticipant(l_partKey, working))
            l_changed = TRUE;
    }
    LastChangePage() = request.iLastPage;
    return ItemListCore::ChangeWalkCode(i_result);
}

void ParticipantViewCore::DeleteRecord(LPARAM l_key, BOOL b_last)
{
    EventDoc* p_doc = GetDoc();
    const int i_index = p_doc->GetParticipants().FindByKey(static_cast<LONG>(l_key));
    if (i_index >= 0)
        p_doc->GetParticipants().RemoveParticipant(i_index);
    if (b_last)
        p_doc->DocChanged(UpdateViewHint::e_participants);
}

void ParticipantViewCore::DeleteRecords(const LPARAM* p_keys, int n_keys)
{
    if (n_keys <= 1) {
        for (int i = n_keys - 1; i >= 0; --i)
            DeleteRecord(p_keys[i], i == 0);
        return;
    }
    EventDoc* p_doc = GetDoc();
    p_doc->GetParticipants().RemoveParticipants(
        ItemListCore::RecordPositions(p_doc->GetParticipants(), p_keys, n_keys));
    p_doc->DocChanged(UpdateViewHint::e_participants);
}

// ---------------------------------------------------------------- sorting

void ParticipantViewCore::ResetSort()
{
    bNameFirstLast = TRUE;
    iSortColumn = -1;
    iNameSortState = 0;
}

void ParticipantViewCore::Sort(int i_column)
{
    ZelWaitCursor wait;
    if (i_column == 0 && iNameSortState == 0)
        iNameSortState = 1;
    if (i_column == 0 && iSortColumn == 0) {
        // Repeated clicks on the name: first-last ascending, descending,
        // then last-first ascending, descending.
        iNameSortState = iNameSortState % 4 + 1;
        const BOOL b_firstLast = iNameSortState <= 2 ? TRUE : FALSE;
        if (b_firstLast != bNameFirstLast) {
            bNameFirstLast = b_firstLast;
            if (EventDoc* p_doc = GetDoc()) {
                const ParticipantList& parts = p_doc->GetParticipants();
                for (int i = 0; i < parts.GetNumParticipants(); ++i)
                    SetRow(parts.GetAt(i), TRUE);
            }
        }
    }
    iSortColumn = i_column;
    const ZelColSortSpec a_specs[] = {{i_column, ZelColSortSpec::kAscending},
                                      {i_column == 0 ? 5 : 0, ZelColSortSpec::kAscending}};
    List.SortColumns(a_specs, 2);
}

// --------------------------------------------------------------- printing

std::vector<UINT> ParticipantViewCore::OfferedPrintIds()
{
    bool a_found[pfNumFields] = {};
    if (EventDoc* p_doc = GetDoc()) {
        const ParticipantList& parts = p_doc->GetParticipants();
        for (int i = parts.GetNumParticipants() - 1; i >= 0; --i)
            for (UINT u_id : aPrintCandidates)
                if (!a_found[u_id]
                    && !ItemListCore::TrimSpace(GetFieldText(&parts.GetAt(i), static_cast<int>(u_id))).empty())
                    a_found[u_id] = true;
    }
    std::vector<UINT> v_ids;
    for (UINT u_id : aPrintCandidates)
        if (a_found[u_id])
            v_ids.push_back(u_id);
    return v_ids;
}

BOOL ParticipantViewCore::SelectPrintColumns()
{
    BOOL b_portrait = TRUE;
    if (!List.ChooseStoredPrintSet(&PrintOptions::GetParticipantListSet, OfferedPrintIds(),
                                   std::vector<UINT>(std::begin(aDefaultPrintIds), std::end(aDefaultPrintIds)),
                                   b_portrait))
        return FALSE;
    SetPortrait(b_portrait);
    return TRUE;
}

// ------------------------------------------------ commands on the selection

BOOL ParticipantViewCore::IsDocumentBusy()
{
    const EventDoc* p_doc = GetDoc();
    return p_doc != nullptr && p_doc->IsBusy() ? TRUE : FALSE;
}

BOOL ParticipantViewCore::CanApplyPreferences()
{
    return !IsDocumentBusy() && List.HasSelection() ? TRUE : FALSE;
}

void ParticipantViewCore::ApplyPreferences(UINT u_mask)
{
    EventDoc* p_doc = GetDoc();
    if (p_doc == nullptr)
        return;
    const Preferences& prefs = p_doc->GetPreferences();
    ParticipantList& parts = p_doc->GetParticipants();
    for (LONG l_key : List.SelectedKeys()) {
        const int i_index = parts.FindByKey(l_key);
        if (i_index < 0)
            continue;
        Participant& part = parts.GetAt(i_index);
        if (u_mask & e_pref_limits)
            ItemListCore::ApplyLimitDefaults(part, prefs.GetPartEventLimits(), prefs.GetPartDayLimits(),
                                             prefs.GetPartVenueLimits(), prefs.GetPartUsesVenueLimits());
        if (u_mask & e_pref_rostering)
            part.SetOwnRosterLim(prefs.GetPartRosterLim());
    }
    p_doc->DocChanged(UpdateViewHint::e_participants);
}

BOOL ParticipantViewCore::CanUnroster()
{
    EventDoc* p_doc = GetDoc();
    return p_doc != nullptr && !p_doc->IsBusy() && List.GetList().GetItemCount() > 0 && p_doc->GetGroups().GetNumGroups() > 0
                   && p_doc->GetNumVenues() > 0 && p_doc->HasDaysAndTimeslots() && p_doc->GetTimetable() != nullptr
               ? TRUE
               : FALSE;
}

int ParticipantViewCore::Unroster()
{
    EventDoc* p_doc = GetDoc();
    if (p_doc == nullptr || p_doc->GetTimetable() == nullptr)
        return 0;
    std::vector<LONG> v_keys;
    for (LONG l_key : List.SelectedKeys())
        if (p_doc->GetParticipants().FindByKey(l_key) >= 0)
            v_keys.push_back(l_key);
    KeyList keys(std::max<int>(1, static_cast<int>(v_keys.size())));
    for (LONG l_key : v_keys)
        keys.Add(l_key);
    return p_doc->GetTimetable()->UnrosterParticipants(p_doc, keys);
}

int ParticipantViewCore::CollectEmails(std::vector<std::string>& a_addresses, std::vector<std::string>& a_names)
{
    EventDoc* p_doc = GetDoc();
    if (p_doc == nullptr)
        return 0;
    ItemListCore::RecipientList list;
    const ParticipantList& parts = p_doc->GetParticipants();
    for (LONG l_key : List.SelectedKeys()) {
        const int i_index = parts.FindByKey(l_key);
        if (i_index >= 0)
            list.Add(parts.GetAt(i_index).GetEmail(), parts.GetAt(i_index).GetFullName());
    }
    return list.Emit(a_addresses, a_names);
}

void ParticipantViewCore::SendMail()
{
    std::vector<std::string> a_addresses, a_names;
    if (CollectEmails(a_addresses, a_names) > 0)
        SendRecipientMail(a_addresses, a_names);
}

BOOL ParticipantViewCore::CanSendMail()
{
    EventDoc* p_doc = GetDoc();
    if (p_doc == nullptr || p_doc->IsBusy())
        return FALSE;
    const ParticipantList& parts = p_doc->GetParticipants();
    bool b_any = false;
    for (LONG l_key : List.SelectedKeys()) {
        const int i_index = parts.FindByKey(l_key);
        if (i_index >= 0 && !parts.GetAt(i_index).GetEmail().empty()) {
            b_any = true;
            break;
        }
    }
    return b_any && CanSendRecipientMail() ? TRUE : FALSE;
}

// ----------------------------------------------------------------- import

void ParticipantViewCore::FillImportFields(ZelImportFieldDef& defs) const
{
    ItemListCore::AddImportFields(defs, aImportFields, static_cast<int>(std::size(aImportFields)));
}

int ParticipantViewCore::ImportRecord(int i_record, int i_line, const ZelArray<ZelImport::ColValue>& a_values,
                                      ILVImportErrors* p_errors)
{
    EventDoc* p_doc = GetDoc();
    if (p_doc == nullptr)
        return 0;
    if (i_record < 0) {
        p_doc->DocChanged(UpdateViewHint::e_participants);
        List.ReSort();
        return 1;
    }
    const std::string s_label =
        FormatMessageText("Row %1", {std::to_string(i_record)}) + ", near line " + std::to_string(i_line);
    Participant part;
    part.ApplyDefaults(p_doc->GetPreferences());
    ZelSimpleAddress address(40, 9);
    std::string s_notes;
    for (int i = 0; i < a_values.GetSize(); ++i) {
        const ZelImport::ColValue& value = a_values[i];
        if ((value.uType & 0x00F) != ZelImportFieldDef::COLTYPE_STRING)
            continue;
        std::string s_text;
        for (int k = 0; k < value.Values.GetSize(); ++k)
            s_text += value.Values[k].sText;
        switch (value.uData) {
        case pfName: {
            ZelFullName name(Participant::kMaxFirst, Participant::kMaxMiddle, Participant::kMaxLast);
            name.SetName(s_text);
            part.GetNameObject() = name;
            break;
        }
        case pfPhone1: part.SetPhone(s_text); break;
        case pfPhone2: part.SetPhone2(s_text); break;
        case pfFax: part.SetFax(s_text); break;
        case pfEmail: part.SetEmail(s_text); break;
        case pfAddress1: address.SetAddrLine1(s_text.substr(0, 40)); break;
        case pfAddress2: address.SetAddrLine2(s_text.substr(0, 40)); break;
        case pfAddress3: address.SetAddrLine3(s_text.substr(0, 40)); break;
        case pfPostalCode: address.SetPostCode(s_text.substr(0, 9)); break;
        case pfUsualRole: part.SetUsualRoleKey(p_doc->AddParticipantRole(s_text)); break;
        case pfRostering: {
            RosterStyleArray styles;
            BOOL b_ordered = FALSE;
            std::string s_message;
            if (!styles.SetFromText(s_text, p_doc, b_ordered, s_message) && p_errors != nullptr)
                p_errors->AddRow(s_label, s_message);
            part.GetOwnRosterStyles() = styles;
            part.SetOrdered(b_ordered);
            break;
        }
        case pfNotes:
            if (!s_notes.empty() && s_notes.back() != '\n')
                s_notes += "\n";
            if (!value.sName.empty() && value.sName != aFieldTitles[pfNotes])
                s_notes += value.sName + ": ";
            s_notes += s_text;
            break;
        default: break;
        }
    }
    part.GetAddress() = address;
    part.SetNotes(s_notes);
    std::string s_message;
    if (AddParticipant(part, s_message, FALSE, TRUE) == 0) {
        if (p_errors != nullptr)
            ++p_errors->nAdded;
        return 1;
    }
    if (p_errors != nullptr)
        p_errors->AddRow(s_label, s_message);
    return 0;
}
