#include "model/EventDoc.h"
#include "model/GroupList.h"
#include "model/ShellPorts.h"
#include "testsupport/EventBuilder.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

using testevent::EventBuilder;

namespace {

Group Named(const std::string& s_name)
{
    Group group;
    group.SetName(s_name);
    return group;
}

TEST(GroupList, AddAnswers)
{
    GroupList groups;
    const Group choir = Named("Choir");
    ASSERT_EQ(groups.AddGroup(choir), GroupList::added);

    Group same_key = Named("Band");
    same_key.SetKey(choir.GetKey());
    struct Case {
        const char* pName;
        Group Candidate;
        int iResult;
    };
    const Case a_cases[] = {
        {"no name", Named(""), GroupList::notValid},
        {"the name of another group", Named("Choir"), GroupList::nameExists},
        {"the same group again: its key, not its name", choir, GroupList::keyExists},
        {"another name with a key in use", same_key, GroupList::keyExists},
        {"a name differing in case only", Named("choir"), GroupList::added},
    };
    for (const Case& c : a_cases)
        EXPECT_EQ(groups.AddGroup(c.Candidate), c.iResult) << c.pName;
    EXPECT_EQ(groups.GetNumGroups(), 2);
    EXPECT_EQ(groups.FindByName("choir"), 1);
    EXPECT_EQ(groups.FindByName("CHOIR"), -1);
    EXPECT_TRUE(groups.NameExists(Named("Choir")));
    EXPECT_FALSE(groups.NameExists(choir)) << "its own name under its own key";
}

TEST(GroupList, GrowsAndShrinksKeepingTheIndex)
{
    GroupList groups;
    const LONG l_counter = GroupList::GetKeyCounter();
    for (int i = 0; i < GroupList::kInitialRoom + 1; ++i)
        groups.AddGroup(Group());
    EXPECT_EQ(groups.GetNumGroups(), 0) << "groups without names are refused";
    EXPECT_EQ(GroupList::GetKeyCounter(), l_counter + GroupList::kInitialRoom + 1);

    // The list's own records take no keys: only the groups made here do.
    for (int i = 0; i < GroupList::kInitialRoom + 1; ++i)
        groups.AddGroup(Named("G" + std::to_string(i)));
    EXPECT_EQ(groups.GetNumGroups(), GroupList::kInitialRoom + 1);
    EXPECT_EQ(GroupList::GetKeyCounter(), l_counter + 2 * (GroupList::kInitialRoom + 1));

    const LONG l_third = groups[2].GetKey();
    ASSERT_EQ(groups.FindByKey(l_third), 2);
    EXPECT_TRUE(groups.IsIndexValid());
    EXPECT_EQ(groups.RemoveGroup(0), GroupList::kInitialRoom);
    EXPECT_TRUE(groups.IsIndexValid()) << "kept current, not rebuilt";
    EXPECT_EQ(groups.FindByKey(l_third), 1);

    ZelArray<int> a_remove;
    a_remove.Add(0);
    a_remove.Add(5);
    const LONG l_seventh = groups[6].GetKey();
    groups.RemoveGroups(a_remove);
    EXPECT_EQ(groups.GetNumGroups(), GroupList::kInitialRoom - 2);
    EXPECT_TRUE(groups.IsIndexValid());
    EXPECT_EQ(groups.FindByKey(l_seventh), 4);

    groups.RemoveAll();
    EXPECT_EQ(groups.GetNumGroups(), 0);
    EXPECT_EQ(groups.FindByKey(l_third), -1);
}

// A list read in one go looks names up in an index made for the read: its
// answers, and the list it leaves, must be those of the walk over the list,
// also for names two groups already share and for a key index that grows
// far past the room it was made with.
TEST(GroupList, ReadingAnswersAsTheWalkDoes)
{
    const Group choir = Named("Choir");
    const Group band = Named("Band");
    auto start = [&](GroupList& groups) {
        groups.AddGroup(choir);
        groups.AddGroup(band);
        // A rename through the list itself may leave two groups one name.
        groups.GetAt(1).SetName("Choir");
    };
    GroupList walked;
    GroupList read;
    GroupList read_in_place;
    start(walked);
    start(read);
    start(read_in_place);
    const LONG l_first = walked[0].GetKey();
    const LONG l_second = walked[1].GetKey();

    std::vector<Group> v_candidates;
    for (const char* p_name : {"Trio", "Choir", "Band", "", "Trio", "Quartet"})
        v_candidates.push_back(Named(p_name));
    Group first_again = Named("Choir");
    first_again.SetKey(l_first);
    v_candidates.push_back(first_again); // the name is another key's too
    Group second_renamed = Named("Brass");
    second_renamed.SetKey(l_second);
    v_candidates.push_back(second_renamed);
    v_candidates.push_back(v_candidates[0]); // its own name under its own key
    for (int i = 0; i < 500; ++i)
        v_candidates.push_back(Named("G" + std::to_string(i % 400)));
    // A name cut at its length just after a blank: the list's record drops
    // the blank, and the name without it is then taken.
    const std::string s_long(Group::kMaxNameLength - 1, 'x');
    v_candidates.push_back(Named(s_long + " tail"));
    v_candidates.push_back(Named(s_long));

    std::vector<int> v_walked;
    std::vector<int> v_read;
    for (const Group& candidate : v_candidates)
        v_walked.push_back(walked.AddGroup(candidate));
    {
        const GroupList::Reading reading(read, 2);
        for (const Group& candidate : v_candidates)
            v_read.push_back(read.AddGroup(candidate));
    }
    // Records read straight into the list's end are kept or taken out
    // again as the add answers; one whose read fails is taken out when the
    // reading ends.
    std::vector<int> v_inPlace;
    {
        GroupList::Reading reading(read_in_place, 2);
        for (const Group& candidate : v_candidates) {
            reading.Next() = candidate;
            v_inPlace.push_back(reading.Keep());
        }
        reading.Next().SetName("Half read");
    }
    EXPECT_EQ(v_inPlace, v_walked);
    ASSERT_EQ(read_in_place.GetNumGroups(), walked.GetNumGroups());
    for (int i = 0; i < read_in_place.GetNumGroups(); ++i) {
        EXPECT_EQ(read_in_place[i], walked[i]) << i;
        EXPECT_EQ(read_in_place.FindByKey(read_in_place[i].GetKey()), i);
    }

    EXPECT_EQ(v_read, v_walked);
    EXPECT_EQ(v_read[1], GroupList::nameExists);
    EXPECT_EQ(v_read[6], GroupList::nameExists) << "its own key, but the other group's name";
    EXPECT_EQ(v_read[7], GroupList::keyExists);
    EXPECT_EQ(v_read[8], GroupList::keyExists);
    EXPECT_EQ(v_read.back(), GroupList::nameExists);
    ASSERT_EQ(read.GetNumGroups(), walked.GetNumGroups());
    for (int i = 0; i < read.GetNumGroups(); ++i) {
        EXPECT_EQ(read[i], walked[i]) << i;
        EXPECT_EQ(read.FindByKey(read[i].GetKey()), i);
    }
    EXPECT_TRUE(read.IsIndexValid());
    EXPECT_EQ(read.AddGroup(Named("Trio")), GroupList::nameExists) << "after the read, the walk answers again";
}

TEST(GroupList, AHandleTellsTheListOfANewKey)
{
    GroupList groups;
    groups.AddGroup(Named("Choir"));
    groups.AddGroup(Named("Band"));
    ASSERT_EQ(groups.FindByKey(groups[1].GetKey()), 1);
    {
        GroupSmartPtr p_band(&groups, 1);
        p_band->SetKey(5000);
    }
    EXPECT_EQ(groups.FindByKey(5000), 1);

    // Other codes of the callback change nothing.
    groups.GetAt(0).SetKey(6000);
    groups.OnGroupChanged(7);
    EXPECT_EQ(groups.FindByKey(6000), -1);
    groups.OnGroupChanged(GroupList::e_key_changed);
    EXPECT_EQ(groups.FindByKey(6000), 0);
}

TEST(GroupList, UniqueNamesForCopies)
{
    GroupList groups;
    groups.AddGroup(Named("Choir"));
    groups.AddGroup(Named("#2 Choir"));
    groups.AddGroup(Named("#1 Choir"));
    struct Case {
        const char* pName;
        const char* pNotes;
        const char* pUnique;
        bool bIdentical; // a group met on the way equals the copy
    };
    const Case a_cases[] = {
        {"Band", "", "Band", false},
        {"Choir", "", "#3 Choir", true},
        {"Choir", "changed", "#3 Choir", false},
        {"#2 Choir", "", "#3 Choir", true},
        {"#1 Choir", "", "#2 #1 Choir", true},
    };
    for (const Case& c : a_cases) {
        Group copy = Named(c.pName);
        copy.SetNotes(c.pNotes);
        BOOL b_identical = !c.bIdentical;
        groups.MakeUniqueName(copy, b_identical);
        EXPECT_EQ(copy.GetName(), c.pUnique) << c.pName;
        EXPECT_EQ(b_identical != FALSE, c.bIdentical) << c.pName << " " << c.pNotes;
    }
}

TEST(GroupList, HtmlSectionGolden)
{
    EventBuilder event;
    event.Participant("Ann Lee").Participant("Bo \"B\" Day");
    event.Group("Zebra").Group("Choir & <Band>").Member("Choir & <Band>", "Ann Lee", "alto & tenor");
    event.Member("Choir & <Band>", "Bo \"B\" Day");
    ScriptedFieldTexts texts;
    texts.SetGroupText([](const Group& g, int i_column) -> std::string {
        if (i_column == 3)
            return g.GetName() == "Zebra" ? "" : "Mon 09:00 <Hall>";
        return "Room\n2";
    });
    ZelArray<UINT> a_items;
    a_items.Add(3);
    a_items.Add(8);

    std::ostringstream os;
    event.Doc().GetGroups().WriteHtml(os, &event.Doc(), a_items);
    EXPECT_EQ(os.str(),
              "<table><tr><td><h4><a name=\"GRTAGChoirBand\"><u>Group: Choir &amp; &lt;Band&gt;</u></a></h4></td>"
              "<td><h4>(Mon 09:00 &lt;Hall&gt;)</h4></td><td><h4>(Room<br />2)</h4></td></tr></table>\n"
              "<table>\n"
              "<tr><td>Ann Lee</td><td>alto &amp; tenor</td></tr>\n"
              "<tr><td>Bo &quot;B&quot; Day</td><td></td></tr>\n"
              "</table>\n<hr />\n"
              "<table><tr><td><h4><a name=\"GRTAGZebra\"><u>Group: Zebra</u></a></h4></td>"
              "<td><h4>&nbsp;</h4></td><td><h4>(Room<br />2)</h4></td></tr></table>\n"
              "<table>\n</table>\n<hr />\n");
    ASSERT_EQ(texts.GroupRequests().size(), 4u);
    EXPECT_EQ(texts.GroupRequests()[1].iColumn, 8);
}

TEST(GroupList, RevalidationReachesEveryGroup)
{
    EventBuilder event;
    event.Style("Jazz").Participant("Ann Lee").Group("Choir").Group("Band");
    event.GroupStyles("Choir", {"Jazz"}).GroupStyles("Band", {"Jazz"}).Member("Band", "Ann Lee");
    EventDoc& doc = event.Doc();
    doc.GetStyles().RemoveAll();
    doc.GetParticipants().RemoveAll();
    doc.GetGroups().RevalidateAll(&doc);
    EXPECT_FALSE(doc.GetGroups().IsIndexValid());
    EXPECT_EQ(doc.GetGroups()[0].GetStyles().GetCount(), 0);
    EXPECT_EQ(doc.GetGroups()[1].GetStyles().GetCount(), 0);
    EXPECT_EQ(doc.GetGroups()[1].GetMembers().GetSize(), 0);
}

} // namespace

namespace {

// What the name look-ups of a list answer for a set of names.
struct NameAnswers {
    std::vector<int> vFound;
    std::vector<bool> vExists;
    std::vector<std::string> vUnique;
    bool operator==(const NameAnswers&) const = default;
};

NameAnswers AskNames(const GroupList& groups)
{
    NameAnswers answers;
    for (const char* p_name : {"Choir", "Band", "Brass", "#2 Choir", "Strings", "Renamed", "choir"}) {
        answers.vFound.push_back(groups.FindByName(p_name));
        answers.vExists.push_back(groups.NameExists(Named(p_name)) != FALSE);
        Group copy = Named(p_name);
        BOOL b_identical = FALSE;
        groups.MakeUniqueName(copy, b_identical);
        answers.vUnique.push_back(copy.GetName());
    }
    if (groups.GetNumGroups() > 0)
        answers.vExists.push_back(groups.NameExists(groups[0]) != FALSE);
    return answers;
}

} // namespace

TEST(GroupList, ANameLookupAnswersAsTheWalkDoesThroughEveryChange)
{
    // The same steps on two lists, one with a name look-up alive: after
    // each, both answer alike.
    GroupList walked;
    GroupList looked;
    std::vector<std::function<void(GroupList&)>> v_steps = {
        [](GroupList& g) {
            for (const char* p : {"Choir", "Band", "#2 Choir", "Brass"})
                g.AddGroup(Named(p));
        },
        [](GroupList& g) { EXPECT_EQ(g.AddGroup(Named("Band")), GroupList::nameExists); },
        [](GroupList& g) { g.RemoveGroup(1); },
        [](GroupList& g) {
            GroupSmartPtr p_group(&g, 0);
            p_group->SetName("Renamed");
        },
        [](GroupList& g) { g.AddGroup(Named("Choir")); },
        [](GroupList& g) {
            ZelArray<int> a_positions;
            a_positions.Add(0);
            g.RemoveGroups(a_positions);
        },
        [](GroupList& g) { g.RemoveAll(); },
        [](GroupList& g) { g.AddGroup(Named("Strings")); },
    };
    GroupList::NameLookup lookup(looked);
    for (std::size_t i = 0; i < v_steps.size(); ++i) {
        v_steps[i](walked);
        v_steps[i](looked);
        EXPECT_TRUE(AskNames(looked) == AskNames(walked)) << "after step " << i;
    }
}
