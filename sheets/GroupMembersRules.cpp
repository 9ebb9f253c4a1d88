#include "sheets/GroupMembersRules.h"

#include "model/EventDoc.h"

#include <memory>
#include <vector>

namespace {

// The selected rows' item data and the focused row's, to select and focus
// them again after a sort.
struct Selection {
    std::vector<LPARAM> vSelected;
    LPARAM lFocus = 0;
    bool bFocus = false;
};

Selection TakeSelection(const ZelListModel& list)
{
    Selection sel;
    for (int i = list.GetNextItem(-1, LVNI_SELECTED); i >= 0; i = list.GetNextItem(i, LVNI_SELECTED))
        sel.vSelected.push_back(list.GetItemData(i));
    const int i_focus = list.GetFocusItemIndex();
    if (i_focus >= 0) {
        sel.lFocus = list.GetItemData(i_focus);
        sel.bFocus = true;
    }
    return sel;
}

void RestoreSelection(ZelListModel& list, const Selection& sel)
{
    list.UnselectAll();
    for (LPARAM l_data : sel.vSelected) {
        const int i = list.FindItemData(l_data);
        if (i >= 0)
            list.SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
    }
    if (sel.bFocus) {
        const int i = list.FindItemData(sel.lFocus);
        if (i >= 0)
            list.SetFocusItem(i);
    }
    list.UpdateAll();
    list.EnsureFocusVisible(FALSE);
}

} // namespace

GroupMembersRules::GroupMembersRules(const EventDoc* p_doc) : pDoc(p_doc)
{
    Members.Reserve(10);
    Sort.SetData(this);
}

void GroupMembersRules::Load(const Group& group) { Members = group.GetMembers(); }

void GroupMembersRules::Save(Group& group) const
{
    group.GetMembers() = Members;
    group.InvalidateAvailabilityCache();
}

void GroupMembersRules::UpdateRosteredMembers()
{
    bRosteredMembers = FALSE;
    for (int i = 0; i < Members.GetSize(); ++i) {
        if (Members[i].bRostered)
            bRosteredMembers = TRUE;
    }
}

void GroupMembersRules::FillParticipants(ZelListModel& participants) const
{
    participants.DeleteAllItems();
    while (participants.GetColumnCount() > 0)
        participants.DeleteColumn(0);
    participants.InsertColumn(e_col_name, "Name");
    participants.InsertColumn(e_col_role, "Usual Role");
    const ParticipantList& list = pDoc->GetParticipants();
    for (int i = 0; i < list.GetCount(); ++i) {
        const LONG l_key = list.GetAt(i).GetKey();
        if (Members.HasMember(l_key))
            continue;
        const int i_row = participants.InsertItem(participants.GetItemCount(), LPSTR_TEXTCALLBACK, l_key);
        participants.SetItemText(i_row, e_col_role, LPSTR_TEXTCALLBACK);
    }
    if (participants.GetItemCount() > 0)
        participants.SetFocusItem(0);
    participants.AutoSizeColumns();
}

void GroupMembersRules::FillMembers(MembersListRef members) const
{
    members.Rows.DeleteAllItems();
    while (members.Model.GetColumnCount() > 0)
        members.Rows.DeleteColumn(0);
    members.Rows.InsertColumn(e_col_name, "Name");
    members.Rows.InsertColumn(e_col_role, "Role(s)");
    const ParticipantList& list = pDoc->GetParticipants();
    for (int i = 0; i < Members.GetSize(); ++i) {
        const AGroupMember& member = Members[i];
        const int i_participant = list.FindByKey(member.lParticipantKey);
        if (i_participant < 0)
            continue;
        ZelLVItem item;
        item.uMask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
        item.iItem = members.Model.GetItemCount();
        item.sText = list.GetAt(i_participant).GetFullName();
        item.lParam = member.lParticipantKey;
        item.iImage = bRosteredMembers && member.bRostered ? e_image_rostered : e_image_member;
        const int i_row = members.Rows.InsertItem(item);
        members.Rows.SetItemText(i_row, e_col_role, member.sRole);
    }
    members.Model.AutoSizeColumns();
}

std::string GroupMembersRules::ParticipantText(LPARAM l_key, int i_col) const
{
    const ParticipantList& list = pDoc->GetParticipants();
    const int i = list.FindByKey(static_cast<LONG>(l_key));
    if (i < 0)
        return {};
    switch (i_col) {
    case e_col_name: return list.GetAt(i).GetFullName();
    case e_col_role: return list.GetAt(i).GetUsualRoleName(pDoc);
    default: return {};
    }
}

int GroupMembersRules::CompareParticipants(LPARAM l_data1, LPARAM l_data2, LPARAM l_sort)
{
    auto* p_sort = reinterpret_cast<ZelListSort*>(l_sort);
    const auto* p_rules = static_cast<const GroupMembersRules*>(p_sort->GetData());
    const ParticipantList& list = p_rules->pDoc->GetParticipants();
    const bool b_have1 = list.FindByKey(static_cast<LONG>(l_data1)) >= 0;
    const bool b_have2 = list.FindByKey(static_cast<LONG>(l_data2)) >= 0;
    if (!b_have1 || !b_have2)
        return b_have1 == b_have2 ? 0 : (b_have1 ? 1 : -1);
    int n_specs = 0;
    const ZelColSortSpec* p_specs = p_sort->GetCols(n_specs);
    for (int i = 0; i < n_specs; ++i) {
        int i_direction = 0;
        const int i_col = p_specs[i].GetCol(i_direction);
        // Byte strings: code page 1252 compared unsigned.
        const int i_cmp =
            p_rules->ParticipantText(l_data1, i_col).compare(p_rules->ParticipantText(l_data2, i_col));
        if (i_cmp != 0)
            return i_direction == ZelColSortSpec::kDescending ? -i_cmp : i_cmp;
    }
    return 0;
}

int GroupMembersRules::CompareRows(int i_row1, int i_row2, ZelListSort* p_sort)
{
    const auto* p_rules = static_cast<const GroupMembersRules*>(p_sort->GetData());
    const SortRow& a = p_rules->vSortRows[static_cast<std::size_t>(i_row1)];
    const SortRow& b = p_rules->vSortRows[static_cast<std::size_t>(i_row2)];
    if (!a.bPresent || !b.bPresent)
        return a.bPresent == b.bPresent ? 0 : (a.bPresent ? 1 : -1);
    int n_specs = 0;
    const ZelColSortSpec* p_specs = p_sort->GetCols(n_specs);
    for (int i = 0; i < n_specs; ++i) {
        int i_direction = 0;
        const int i_col = p_specs[i].GetCol(i_direction);
        static const std::string s_none;
        const std::string& s1 = i_col == e_col_name || i_col == e_col_role ? a.asText[i_col] : s_none;
        const std::string& s2 = i_col == e_col_name || i_col == e_col_role ? b.asText[i_col] : s_none;
        const int i_cmp = s1.compare(s2);
        if (i_cmp != 0)
            return i_direction == ZelColSortSpec::kDescending ? -i_cmp : i_cmp;
    }
    return 0;
}

void GroupMembersRules::ReadSortTexts(const ZelListModel& participants)
{
    const ParticipantList& list = pDoc->GetParticipants();
    vSortRows.assign(static_cast<std::size_t>(participants.GetItemCount()), SortRow());
    for (int i = 0; i < participants.GetItemCount(); ++i) {
        const int i_participant = list.FindByKey(static_cast<LONG>(participants.GetItemData(i)));
        SortRow& row = vSortRows[static_cast<std::size_t>(i)];
        row.bPresent = i_participant >= 0;
        if (row.bPresent) {
            row.asText[e_col_name] = list.GetAt(i_participant).GetFullName();
            row.asText[e_col_role] = list.GetAt(i_participant).GetUsualRoleName(pDoc);
        }
    }
    Sort.SetSortIndexFunc(&GroupMembersRules::CompareRows);
}

void GroupMembersRules::SortParticipants(ZelListModel& participants, int i_col, BOOL b_toggle)
{
    std::vector<ZelColSortSpec> v_specs{ZelColSortSpec(i_col, ZelColSortSpec::kAscending)};
    if (i_col == e_col_name || i_col == e_col_role)
        v_specs.emplace_back(i_col == e_col_name ? e_col_role : e_col_name, ZelColSortSpec::kAscending);
    const Selection sel = TakeSelection(participants);
    Sort.SetData(this);
    ReadSortTexts(participants);
    participants.Sort(v_specs.data(), static_cast<int>(v_specs.size()), Sort, b_toggle, &CompareParticipants);
    RestoreSelection(participants, sel);
}

void GroupMembersRules::ReSortParticipants(ZelListModel& participants)
{
    const Selection sel = TakeSelection(participants);
    Sort.SetData(this);
    ReadSortTexts(participants);
    participants.ReSort(Sort, &CompareParticipants);
    RestoreSelection(participants, sel);
}

BOOL GroupMembersRules::Add(ZelListModel& participants, MembersListRef members)
{
    // The selected participants go to the end of the members, selected,
    // each with the role it usually has.
    std::vector<int> v_rows;
    for (int i = participants.GetNextItem(-1, LVNI_SELECTED); i >= 0; i = participants.GetNextItem(i, LVNI_SELECTED))
        v_rows.push_back(i);
    if (v_rows.empty())
        return FALSE;
    const ParticipantList& list = pDoc->GetParticipants();
    for (int i_row : v_rows) {
        const LPARAM l_key = participants.GetItemData(i_row);
        const int i_new = members.Rows.InsertItem(members.Model.GetItemCount(),
                                                  participants.GetItemText(i_row, e_col_name).c_str(), l_key);
        if (i_new < 0)
            break;
        const int i_participant = list.FindByKey(static_cast<LONG>(l_key));
        members.Rows.SetItemText(i_new, e_col_role,
                                 i_participant >= 0 ? list.GetAt(i_participant).GetUsualRoleName(pDoc) : std::string());
        members.Model.SetItemState(i_new, LVIS_SELECTED, LVIS_SELECTED);
    }
    for (auto it = v_rows.rbegin(); it != v_rows.rend(); ++it)
        participants.DeleteItem(*it);
    participants.AutoSizeColumns();
    members.Model.AutoSizeColumns();
    return TRUE;
}

BOOL GroupMembersRules::Remove(ZelListModel& participants, MembersListRef members)
{
    // The selected members go to the end of the participants, texts on
    // demand, selected; then the participants are sorted again.
    std::vector<int> v_rows;
    for (int i = members.Model.GetNextItem(-1, LVNI_SELECTED); i >= 0;
         i = members.Model.GetNextItem(i, LVNI_SELECTED))
        v_rows.push_back(i);
    if (v_rows.empty())
        return FALSE;
    for (int i_row : v_rows) {
        const int i_new =
            participants.InsertItem(participants.GetItemCount(), LPSTR_TEXTCALLBACK, members.Rows.GetItemData(i_row));
        if (i_new < 0)
            break;
        participants.SetItemText(i_new, e_col_role, LPSTR_TEXTCALLBACK);
        participants.SetItemState(i_new, LVIS_SELECTED, LVIS_SELECTED);
    }
    for (auto it = v_rows.rbegin(); it != v_rows.rend(); ++it)
        members.Rows.DeleteItem(*it);
    participants.AutoSizeColumns();
    members.Model.AutoSizeColumns();
    ReSortParticipants(participants);
    return TRUE;
}

void GroupMembersRules::Move(MembersListRef members, BOOL b_up) const
{
    // Whole rows move, the layer's keys with them.
    members.Model.MoveOnePosition(b_up);
}

void GroupMembersRules::RebuildFromList(MembersListRef members)
{
    Members.RemoveAll();
    for (int i = 0; i < members.Model.GetItemCount(); ++i) {
        ZelLVItem item;
        item.uMask = LVIF_IMAGE;
        item.iItem = i;
        members.Model.GetItem(item);
        const BOOL b_rostered = bRosteredMembers && item.iImage == e_image_rostered;
        Members.SetMember(static_cast<LONG>(members.Rows.GetItemData(i)), members.Rows.GetItemText(i, e_col_role),
                          b_rostered);
    }
    Members.RebuildIndex();
}
