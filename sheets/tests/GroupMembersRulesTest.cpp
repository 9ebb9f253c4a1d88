#include "model/EventDoc.h"
#include "sheets/GroupMembersRules.h"
#include "testsupport/EventBuilder.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A list whose callback cells are answered by the members rules, as the
// page answers its participants list.
class TestList : public ZelListModel {
public:
    const GroupMembersRules* pRules = nullptr;

protected:
    std::string GetCallbackText(int, int i_col, LPARAM l_data) const override
    {
        return pRules != nullptr ? pRules->ParticipantText(l_data, i_col) : std::string();
    }
};

// The members list: a model with the check-box layer over it, as the
// in-place editing list is.
class TestMembers : public TestList, public ZelCheckListLayer {
public:
    TestMembers() : ZelCheckListLayer(static_cast<ZelListModel&>(*this)) {}
    using ZelCheckListLayer::GetItemText;
    using ZelCheckListLayer::SetItemText;
};

template <class List>
std::vector<std::string> Column(const List& list, int i_col)
{
    std::vector<std::string> v;
    for (int i = 0; i < list.GetItemCount(); ++i)
        v.push_back(list.GetItemText(i, i_col));
    return v;
}

template <class List>
void Select(List& list, std::initializer_list<std::string> a_names)
{
    list.UnselectAll();
    for (const std::string& s_name : a_names) {
        for (int i = 0; i < list.GetItemCount(); ++i) {
            if (list.GetItemText(i, 0) == s_name)
                list.SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
        }
    }
}

struct GroupMembersRulesTest : ::testing::Test {
    testevent::EventBuilder event;
    GroupMembersRules Rules{&event.Doc()};
    TestList Participants;
    TestMembers Members;

    GroupMembersRulesTest()
    {
        EventDoc& doc = event.Doc();
        const LONG l_alto = doc.AddParticipantRole("Alto");
        const LONG l_bass = doc.AddParticipantRole("Bass");
        event.Participant("Dan Fox", [l_bass](Participant& p) { p.SetUsualRoleKey(l_bass); })
            .Participant("Ann Lee", [l_alto](Participant& p) { p.SetUsualRoleKey(l_alto); })
            .Participant("Bob Ray")
            .Participant("Cat Day", [l_alto](Participant& p) { p.SetUsualRoleKey(l_alto); })
            .Group("Choir")
            .Member("Choir", "Cat Day", "Soprano")
            .Member("Choir", "Bob Ray", "Tenor");
        Participants.pRules = &Rules;
        Members.pRules = &Rules;
    }
    Group& Choir() { return event.Doc().GetGroups().GetAt(0); }
    void Open()
    {
        Rules.Load(Choir());
        Rules.UpdateRosteredMembers();
        Rules.FillParticipants(Participants);
        Rules.FillMembers(Members);
        Rules.SortParticipants(Participants, GroupMembersRules::e_col_name, FALSE);
    }
};

TEST_F(GroupMembersRulesTest, ListsShowNonMembersByNameAndMembersInOrder)
{
    Open();
    EXPECT_EQ(Column(Participants, 0), (std::vector<std::string>{"Ann Lee", "Dan Fox"}));
    EXPECT_EQ(Column(Participants, 1), (std::vector<std::string>{"Alto", "Bass"}));
    EXPECT_EQ(Column(Members, 0), (std::vector<std::string>{"Cat Day", "Bob Ray"}));
    EXPECT_EQ(Column(Members, 1), (std::vector<std::string>{"Soprano", "Tenor"}));
    EXPECT_FALSE(Rules.HasRosteredMembers());

    // A group without members shows every participant, sorted by name.
    Choir().GetMembers().RemoveAll();
    Open();
    EXPECT_EQ(Column(Participants, 0), (std::vector<std::string>{"Ann Lee", "Bob Ray", "Cat Day", "Dan Fox"}));
    EXPECT_EQ(Members.TestList::GetItemCount(), 0);
}

TEST_F(GroupMembersRulesTest, AddGivesTheUsualRoleAndRemoveSortsAgain)
{
    Open();
    Participants.pRules = &Rules;
    Select(Participants, {"Ann Lee"});
    ASSERT_TRUE(Rules.Add(Participants, Members));
    EXPECT_EQ(Column(Members, 0), (std::vector<std::string>{"Cat Day", "Bob Ray", "Ann Lee"}));
    EXPECT_EQ(Members.GetItemText(2, 1), "Alto");
    EXPECT_EQ(Column(Participants, 0), (std::vector<std::string>{"Dan Fox"}));

    // Bob has no usual role: back and forth he comes with an empty one.
    Select(Members, {"Bob Ray"});
    ASSERT_TRUE(Rules.Remove(Participants, Members));
    EXPECT_EQ(Column(Participants, 0), (std::vector<std::string>{"Bob Ray", "Dan Fox"}));
    EXPECT_EQ(Column(Participants, 1), (std::vector<std::string>{"", "Bass"}));
    Select(Participants, {"Bob Ray"});
    ASSERT_TRUE(Rules.Add(Participants, Members));
    EXPECT_EQ(Members.GetItemText(Members.TestList::GetItemCount() - 1, 1), "");

    // Nothing selected moves nothing.
    Participants.UnselectAll();
    EXPECT_FALSE(Rules.Add(Participants, Members));

    // Sorted by role, the removed member lands in its place by role.
    Rules.SortParticipants(Participants, GroupMembersRules::e_col_role, TRUE);
    Select(Members, {"Cat Day", "Ann Lee"});
    ASSERT_TRUE(Rules.Remove(Participants, Members));
    EXPECT_EQ(Column(Participants, 0), (std::vector<std::string>{"Ann Lee", "Cat Day", "Dan Fox"}));
    // A second click on the role heading reverses the roles; names stay
    // ascending within a role.
    Rules.SortParticipants(Participants, GroupMembersRules::e_col_role, TRUE);
    EXPECT_EQ(Column(Participants, 0), (std::vector<std::string>{"Dan Fox", "Ann Lee", "Cat Day"}));
}

TEST_F(GroupMembersRulesTest, LeavingRebuildsTheMembersInListOrder)
{
    // Cat was rostered into the group; Eve's participant has gone from the
    // event since.
    event.Participant("Eve Ng");
    const LONG l_eve = event.Doc().GetParticipants().GetAt(4).GetKey();
    const LONG l_cat = event.Doc().GetParticipants().GetAt(3).GetKey();
    Choir().GetMembers().SetMember(l_cat, "Soprano", TRUE);
    Choir().GetMembers().SetMember(l_eve, "Bass", FALSE);
    event.Doc().GetParticipants().RemoveParticipant(4);
    Open();
    ASSERT_TRUE(Rules.HasRosteredMembers());
    EXPECT_EQ(Column(Members, 0), (std::vector<std::string>{"Cat Day", "Bob Ray"}));

    // Bob moves up and gets another role typed in place.
    Select(Members, {"Bob Ray"});
    Rules.Move(Members, TRUE);
    Members.SetItemText(0, 1, "Bass");
    Rules.RebuildFromList(Members);
    const GroupMembers& members = Rules.GetMembers();
    ASSERT_EQ(members.GetSize(), 2);
    EXPECT_EQ(members[0].sRole, "Bass");
    EXPECT_FALSE(members[0].bRostered);
    EXPECT_EQ(members[1].lParticipantKey, l_cat);
    EXPECT_TRUE(members[1].bRostered);
    EXPECT_FALSE(members.HasMember(l_eve));

    Group& group = Choir();
    Rules.Save(group);
    EXPECT_EQ(group.GetMembers(), members);
    EXPECT_FALSE(group.IsAvailabilityCacheValid());
}

} // namespace

namespace {

TEST(GroupMembersRulesBig, TwentyThousandParticipantsSortByNameThenByRole)
{
    testevent::EventBuilder event;
    const LONG l_alto = event.Doc().AddParticipantRole("Alto");
    for (int i = 0; i < 20000; ++i) {
        char sz_name[32];
        std::snprintf(sz_name, sizeof sz_name, "P%05d Q%05d", (i * 7919) % 20000, i);
        event.Participant(sz_name, [i, l_alto](Participant& p) {
            if (i % 2 == 0)
                p.SetUsualRoleKey(l_alto);
        });
    }
    event.Group("Choir");
    GroupMembersRules rules(&event.Doc());
    TestList participants;
    participants.pRules = &rules;
    rules.Load(event.Doc().GetGroups().GetAt(0));
    rules.FillParticipants(participants);
    rules.SortParticipants(participants, GroupMembersRules::e_col_name, FALSE);
    ASSERT_EQ(participants.GetItemCount(), 20000);
    for (int i = 1; i < participants.GetItemCount(); ++i)
        ASSERT_LT(participants.GetItemText(i - 1, 0), participants.GetItemText(i, 0)) << i;
    rules.SortParticipants(participants, GroupMembersRules::e_col_role, TRUE);
    // Those without a role first, each part by name.
    EXPECT_EQ(participants.GetItemText(9999, 1), "");
    EXPECT_EQ(participants.GetItemText(10000, 1), "Alto");
    EXPECT_LT(participants.GetItemText(10000, 0), participants.GetItemText(10001, 0));
}

} // namespace
