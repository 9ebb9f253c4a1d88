#include "model/GroupList.h"

#include "model/EventDoc.h"
#include "model/HtmlText.h"
#include "model/ListRoom.h"
#include "model/Participant.h"
#include "model/ShellPorts.h"
#include "zelkit/base/ZelAssert.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <numeric>
#include <utility>
#include <ostream>
#include <vector>

namespace {

// The number after a leading "#" (held at the 32-bit limit), or -1 when
// the text does not start with "#" and a digit; n_length receives the
// length of "#" and the digits.
std::int64_t LeadingCopyNumber(const std::string& s_name, std::size_t& n_length)
{
    n_length = 0;
    if (s_name.size() < 2 || s_name[0] != '#' || s_name[1] < '0' || s_name[1] > '9')
        return -1;
    std::int64_t ll_number = 0;
    std::size_t n = 1;
    for (; n < s_name.size() && s_name[n] >= '0' && s_name[n] <= '9'; ++n)
        ll_number = std::min<std::int64_t>(ll_number * 10 + (s_name[n] - '0'), INT32_MAX);
    n_length = n;
    return ll_number;
}

} // namespace

// ---- GroupList ----

GroupList::GroupList()
{
    Groups.Reserve(kInitialRoom);
}

int GroupList::FindByKey(LONG l_key) const
{
    RebuildIndex();
    int i_index = -1;
    return KeyIndex.Lookup(l_key, i_index) ? i_index : -1;
}

int GroupList::FindByName(const std::string& s_name) const
{
    if (const auto* p_names = LookupNames()) {
        const auto it = p_names->find(s_name);
        return it == p_names->end() ? -1 : it->second.iFirst;
    }
    for (int i = 0; i < Groups.GetSize(); ++i) {
        if (Groups[i].GetName() == s_name)
            return i;
    }
    return -1;
}

BOOL GroupList::NameExists(const Group& group) const
{
    const std::string& s_name = group.GetNameText();
    if (bReading) {
        return ReadNames.FindLast(NameHashes::Hash(s_name), [&](int i_at) {
                   return Groups[i_at].GetKey() != group.GetKey() && Groups[i_at].GetNameText() == s_name;
               }) >= 0;
    }
    if (const auto* p_names = LookupNames()) {
        // Keys are unique: a second group with the name is another one.
        const auto it = p_names->find(s_name);
        return it != p_names->end()
                   && (it->second.nGroups > 1 || Groups[it->second.iFirst].GetKey() != group.GetKey());
    }
    for (int i = 0; i < Groups.GetSize(); ++i) {
        if (Groups[i].GetKey() != group.GetKey() && Groups[i].GetNameText() == s_name)
            return TRUE;
    }
    return FALSE;
}

BOOL GroupList::KeyExists(const Group& group) const
{
    return FindByKey(group.GetKey()) >= 0;
}

int GroupList::AddGroup(const Group& group)
{
    // A copy moved in is the group a blank record assigned from it would be.
    return AddGroup(Group(group));
}

int GroupList::AddGroup(Group&& group)
{
    const int i_refused = Refusal(group);
    if (i_refused != added)
        return i_refused;
    // Moved in, the group is not assigned to a blank record; its names are
    // set again as that assignment would.
    MakeRoomToAppend(Groups, kInitialRoom);
    Joined(Groups.AddMoved(std::move(group)));
    return added;
}

int GroupList::Refusal(const Group& group) const
{
    if (!group.IsValid() || group.GetKey() < 0)
        return notValid;
    if (NameExists(group))
        return nameExists;
    if (KeyExists(group))
        return keyExists;
    return added;
}

void GroupList::Joined(int i_new)
{
    if (IndexAppended(KeyIndex, bIndexValid, Groups[i_new].GetKey(), i_new))
        RebuildIndex(2 * GetNumGroups());
    // The name the list holds, which the walk compares: every road in,
    // the read included, leaves it cut and without a blank at its end.
    if (bReading)
        ReadNames.Add(NameHashes::Hash(Groups[i_new].GetNameText()), i_new);
    if (bLookupValid) {
        const auto [it, b_new] = LookupIndex.try_emplace(Groups[i_new].GetNameText(), NameEntry{i_new, 0});
        ++it->second.nGroups;
    }
}

const std::unordered_map<std::string, GroupList::NameEntry>* GroupList::LookupNames() const
{
    if (nNameLookups == 0)
        return nullptr;
    if (!bLookupValid) {
        LookupIndex.clear();
        LookupIndex.reserve(static_cast<std::size_t>(Groups.GetSize()) * 2);
        for (int i = 0; i < Groups.GetSize(); ++i) {
            const auto [it, b_new] = LookupIndex.try_emplace(Groups[i].GetNameText(), NameEntry{i, 0});
            ++it->second.nGroups;
        }
        bLookupValid = TRUE;
    }
    return &LookupIndex;
}

GroupList::NameLookup::NameLookup(GroupList& list) : List(list) { ++List.nNameLookups; }

GroupList::NameLookup::~NameLookup()
{
    if (--List.nNameLookups == 0) {
        List.bLookupValid = FALSE;
        std::unordered_map<std::string, NameEntry>().swap(List.LookupIndex);
    }
}

int GroupList::RemoveGroup(int i_index)
{
    ZEL_ASSERT(0 <= i_index && i_index < GetNumGroups());
    DropLookupNames();
    if (bIndexValid)
        KeyIndex.RemoveKey(Groups[i_index].GetKey());
    Groups.RemoveAt(i_index);
    if (bIndexValid) {
        for (int i = i_index; i < Groups.GetSize(); ++i)
            KeyIndex.SetAt(Groups[i].GetKey(), i);
    }
    return GetNumGroups();
}

void GroupList::RemoveGroups(const ZelArray<int>& a_positions)
{
    const BOOL b_wasValid = bIndexValid;
    bIndexValid = FALSE;
    for (int k = a_positions.GetSize() - 1; k >= 0; --k)
        RemoveGroup(a_positions[k]);
    if (b_wasValid)
        RebuildIndex();
}

void GroupList::RemoveAll()
{
    DropLookupNames();
    Groups.RemoveAll();
    KeyIndex.RemoveAll();
    bIndexValid = FALSE;
}

void GroupList::RebuildIndex() const
{
    RebuildIndex(Groups.GetSize());
}

void GroupList::RebuildIndex(int n_room) const
{
    if (bIndexValid)
        return;
    KeyIndex.InitIndex(static_cast<UINT>(std::max(n_room, Groups.GetSize())));
    for (int i = 0; i < Groups.GetSize(); ++i)
        KeyIndex.SetAt(Groups[i].GetKey(), i);
    bIndexValid = TRUE;
}

void GroupList::Swap(GroupList& other)
{
    std::swap(Groups, other.Groups);
    DropLookupNames();
    other.DropLookupNames();
    InvalidateIndex();
    other.InvalidateIndex();
}

void GroupList::RevalidateAll(EventDoc* p_doc)
{
    for (int i = 0; i < Groups.GetSize(); ++i)
        Groups[i].Revalidate(p_doc);
    bIndexValid = FALSE;
    DropLookupNames();
}

void GroupList::OnGroupChanged(int i_code)
{
    if (i_code != e_key_changed)
        return;
    DropLookupNames();
    bIndexValid = FALSE;
    RebuildIndex();
}

void GroupList::MakeUniqueName(Group& group, BOOL& b_identical) const
{
    b_identical = FALSE;
    int n_copy = 1;
    int i_found = FindByName(group.GetName());
    while (i_found >= 0) {
        if (Groups[i_found] == group)
            b_identical = TRUE;
        std::string s_name = group.GetName();
        ++n_copy;
        std::size_t n_length = 0;
        if (LeadingCopyNumber(s_name, n_length) >= 2)
            s_name.erase(0, n_length);
        const std::size_t n_first = s_name.find_first_not_of(' ');
        s_name.erase(0, n_first == std::string::npos ? s_name.size() : n_first);
        group.SetName("#" + std::to_string(n_copy) + " " + s_name);
        i_found = FindByName(group.GetName());
    }
}

void GroupList::WriteHtml(std::ostream& os, const EventDoc* p_doc, const ZelArray<UINT>& a_items) const
{
    std::vector<int> v_order(static_cast<std::size_t>(Groups.GetSize()));
    std::iota(v_order.begin(), v_order.end(), 0);
    std::stable_sort(v_order.begin(), v_order.end(),
                     [this](int a, int b) { return Groups[a].GetName() < Groups[b].GetName(); });

    IFieldTextPort& texts = GetFieldTextPort();
    for (int i_group : v_order) {
        const Group& group = Groups[i_group];
        os << "<table><tr><td>";
        os << "<h4><a name=\"" << group.GetHtmlAnchor() << "\"><u>Group: " << HtmlText(group.GetName())
           << "</u></a></h4>";
        os << "</td>";
        for (int k = 0; k < a_items.GetSize(); ++k) {
            const std::string s_item = texts.GetGroupFieldText(group, static_cast<int>(a_items[k]));
            if (s_item.empty())
                os << "<td><h4>&nbsp;</h4></td>";
            else
                os << "<td><h4>(" << HtmlLines(s_item) << ")</h4></td>";
        }
        os << "</tr></table>\n";
        os << "<table>\n";
        const ParticipantList& participants = p_doc->GetParticipants();
        const GroupMembers& members = group.GetMembers();
        for (int m = 0; m < members.GetSize(); ++m) {
            const int i_part = participants.FindByKey(members[m].lParticipantKey);
            if (i_part < 0)
                continue;
            os << "<tr><td>" << HtmlText(participants[i_part].GetFullName()) << "</td><td>"
               << HtmlText(members[m].sRole) << "</td></tr>\n";
        }
        os << "</table>\n<hr />\n";
    }
}

// ---- GroupList::Reading ----

GroupList::Reading::Reading(GroupList& list, int n_expected)
    : List(list), Record(list.Groups), Blank{LoadResString(IDS_GROUP_NOUN, "group")}
{
    const int n_room = ReserveRoom(List.Groups, n_expected);
    List.bIndexValid = FALSE;
    List.RebuildIndex(n_room);
    List.ReadNames.Init(n_room);
    for (int i = 0; i < List.GetNumGroups(); ++i)
        List.ReadNames.Add(NameHashes::Hash(List.Groups[i].GetName()), i);
    List.bReading = TRUE;
}

GroupList::Reading::~Reading()
{
    List.bReading = FALSE;
    List.ReadNames.Clear();
}

Group& GroupList::Reading::Next()
{
    // The key index stays the list's own: it is never made again over the
    // blank record.
    List.RebuildIndex();
    return Record.Next(kInitialRoom, Blank);
}

int GroupList::Reading::Keep()
{
    return Record.Settle(added, [&](int i_new) {
        const int i_result = List.Refusal(List.Groups[i_new]);
        if (i_result == added)
            List.Joined(i_new);
        return i_result;
    });
}

// ---- GroupSmartPtr ----

GroupSmartPtr::GroupSmartPtr(GroupList* p_list, int i_index) : pList(p_list), iIndex(i_index)
{
    ZEL_ASSERT(pList != nullptr && 0 <= iIndex && iIndex < pList->GetNumGroups());
    lKey = pList->GetAt(iIndex).GetKey();
    sName = pList->GetAt(iIndex).GetName();
}

GroupSmartPtr::~GroupSmartPtr()
{
    if (iIndex >= pList->GetNumGroups())
        return;
    const Group& group = pList->GetAt(iIndex);
    if (group.GetKey() != lKey || group.GetName() != sName)
        pList->OnGroupChanged(GroupList::e_key_changed);
}
