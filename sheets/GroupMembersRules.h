// The members page's work without a window, over its two report lists: on
// the left the event's participants that are not members (texts supplied
// on demand, so that the list stays quick with many thousands), on the
// right the members in their printed order with the role each fills.
//
// The page works on its own copy of the group's members. Moves between the
// lists, the order and the roles typed in place reach that copy when the
// page is left (RebuildFromList), and the copy reaches the working group
// when the page is saved.
#pragma once

#include "framework/Types.h"
#include "model/Group.h"
#include "zelkit/import/ZelCheckList.h"
#include "zelkit/lists/ZelListModel.h"
#include "zelkit/lists/ZelListSort.h"

#include <string>
#include <vector>

class EventDoc;

// The members list: a list model with the check-box layer over it (as the
// in-place editing list is), whose item data the layer keeps. Rows move,
// select and size through the model, and are made and read through the
// layer.
struct MembersListRef {
    template <class List>
    MembersListRef(List& list) : Model(list), Rows(list) {}
    MembersListRef(ZelListModel& model, ZelCheckListLayer& rows) : Model(model), Rows(rows) {}
    ZelListModel& Model;
    ZelCheckListLayer& Rows;
};

class GroupMembersRules {
public:
    // The participants list's columns, and the members list's.
    enum : int { e_col_name = 0, e_col_role = 1 };
    // The members list's images: an ordinary member, a rostered one.
    enum : int { e_image_member = 0, e_image_rostered = 1 };

    explicit GroupMembersRules(const EventDoc* p_doc);
    GroupMembersRules(const GroupMembersRules&) = delete;
    GroupMembersRules& operator=(const GroupMembersRules&) = delete;

    const GroupMembers& GetMembers() const { return Members; }
    void Load(const Group& group);
    // The group takes the copy, and works out its availability from its new
    // members again.
    void Save(Group& group) const;

    // Some member of the copy was put into the group by rostering: the
    // members list shows the two member icons. Worked out when the page's
    // window is made.
    BOOL HasRosteredMembers() const { return bRosteredMembers; }
    void UpdateRosteredMembers();

    // Columns and rows of the participants that are not members, in the
    // event's order, texts on demand.
    void FillParticipants(ZelListModel& participants) const;
    // Columns and rows of the members whose participant exists, in member
    // order, with their roles (and images).
    void FillMembers(MembersListRef members) const;
    // A participants-list text: the name (column 0), the usual role's name
    // (1); empty for other columns and for a key the event does not have.
    std::string ParticipantText(LPARAM l_key, int i_col) const;

    // Sorts the participants list by the column (then by the other of name
    // and role); b_toggle lets a second sort by the same column reverse it.
    // Selection and focus stay on their participants.
    void SortParticipants(ZelListModel& participants, int i_col, BOOL b_toggle);
    // Sorts it again as it was sorted last.
    void ReSortParticipants(ZelListModel& participants);
    ZelListSort& GetSort() { return Sort; }

    // The selected participants become members at the end, each with its
    // usual role. FALSE when nothing moved.
    BOOL Add(ZelListModel& participants, MembersListRef members);
    // The selected members go back to the participants, which are sorted
    // again. FALSE when nothing moved.
    BOOL Remove(ZelListModel& participants, MembersListRef members);
    // The selected members move one place; the page's changed flag is left
    // alone.
    void Move(MembersListRef members, BOOL b_up) const;

    // The page is left: the copy becomes the members list, row by row.
    void RebuildFromList(MembersListRef members);

private:
    static int CompareParticipants(LPARAM l_data1, LPARAM l_data2, LPARAM l_sort);
    // The same comparison over texts read once per sort, row by row: many
    // thousand participants sort without looking each up again and again.
    static int CompareRows(int i_row1, int i_row2, ZelListSort* p_sort);
    void ReadSortTexts(const ZelListModel& participants);

    struct SortRow {
        bool bPresent = false;
        std::string asText[2];
    };
    std::vector<SortRow> vSortRows;

    const EventDoc* pDoc;
    GroupMembers Members;
    BOOL bRosteredMembers = FALSE;
    ZelListSort Sort;
};
