#include "framework/Archive.h"
#include "model/EventDoc.h"
#include "model/ShellPorts.h"
#include "testsupport/ArchiveBytes.h"

#include <gtest/gtest.h>

namespace {

TEST(ShellPorts, WithoutTheShellQuestionsTakeTheDefaultButton)
{
    EXPECT_EQ(AskContinueOrQuit("Go on?"), IDCANCEL);
    EXPECT_EQ(AskRevisionChanged(), IDCANCEL);
    EXPECT_EQ(GetViewsPort().FindView("GroupView", TRUE), nullptr);
    EXPECT_EQ(GetViewsPort().GetActiveView(), nullptr);
    EXPECT_TRUE(GetViewsPort().GetItemListViews().empty());
}

TEST(ShellPorts, ScriptedQuestionsRecordAndAnswerInTurn)
{
    ScriptedContinueQuit cont_quit;
    cont_quit.Answer(IDOK);
    EXPECT_EQ(AskContinueOrQuit(10025), IDOK);
    EXPECT_EQ(AskContinueOrQuit("Again?"), IDCANCEL);
    EXPECT_EQ(cont_quit.Asked(), (std::vector<std::string>{"An undefined error has occurred.", "Again?"}));

    {
        ScriptedRevisionChanged outer;
        {
            ScriptedRevisionChanged inner;
            inner.Answer(IDC_REVISION_SAVE_AS);
            EXPECT_EQ(AskRevisionChanged(), IDC_REVISION_SAVE_AS);
        }
        outer.Answer(IDC_REVISION_OVERWRITE);
        EXPECT_EQ(AskRevisionChanged(), IDC_REVISION_OVERWRITE);
        EXPECT_EQ(outer.TimesAsked(), 1);
    }
    EXPECT_EQ(AskRevisionChanged(), IDCANCEL) << "the stand-in is back";
}

TEST(ShellPorts, ScriptedViews)
{
    ScriptedViews views;
    ScriptedViews::ListView& groups = views.AddListView("GroupView");
    ScriptedViews::View& timetable = views.AddView("CRotavexView");
    ScriptedViews::ListView& venues = views.AddListView("VenueView");

    EXPECT_EQ(GetViewsPort().FindView("CRotavexView", FALSE), &timetable);
    EXPECT_EQ(GetViewsPort().GetActiveView(), nullptr);
    EXPECT_EQ(GetViewsPort().FindView("VenueView", TRUE), &venues);
    EXPECT_EQ(GetViewsPort().GetActiveView(), &venues);
    EXPECT_EQ(GetViewsPort().FindView("ParticipantView", TRUE), nullptr);
    EXPECT_EQ(GetViewsPort().GetItemListViews(), (std::vector<IItemListView*>{&groups, &venues}));

    // A list view gives back the layout it last took.
    ViewLayout taken;
    taken.SetColumnCount(7);
    groups.ApplyLayout(taken);
    ViewLayout given;
    GetViewsPort().GetItemListViews()[0]->FillLayout(given);
    EXPECT_EQ(given.GetColumnCount(), 7);
    EXPECT_EQ(groups.nLayoutsTaken, 1);
    EXPECT_EQ(venues.nLayoutsTaken, 0);

    GetViewsPort().ResetTimetableViewState();
    EXPECT_EQ(views.iSelectedDay, -1);
    EXPECT_EQ(views.bResetRequest, TRUE);
}

TEST(ShellPorts, UpdateHintsOfTheChangeRoutineCarryNoObjectAndTheGroupViewsDo)
{
    const UpdateViewHint plain;
    EXPECT_EQ(plain.lCode, UpdateViewHint::e_general);
    EXPECT_EQ(plain.lIndex, -1);
    EXPECT_TRUE(plain.IsNoObject());
    // A group view's update of one group names the group by key and says
    // whether it is selected (1) or not (2).
    EXPECT_FALSE(UpdateViewHint(UpdateViewHint::e_groups, 17, 1).IsNoObject());
    EXPECT_FALSE(UpdateViewHint(UpdateViewHint::e_groups, 17, 2).IsNoObject());

    // The change routine: code 0 without a hint, the others as {code, -1, 0}.
    ScriptedViews views;
    EventDoc doc;
    doc.UpdateViews(UpdateViewHint::e_general);
    doc.UpdateViews(UpdateViewHint::e_groups);
    doc.UpdateViews(UpdateViewHint::e_scheduling_rules);
    ASSERT_EQ(views.Updates.size(), 3u);
    EXPECT_FALSE(views.Updates[0].bHint);
    for (std::size_t i : {1u, 2u}) {
        EXPECT_TRUE(views.Updates[i].bHint);
        EXPECT_EQ(views.Updates[i].lIndex, -1);
        EXPECT_EQ(views.Updates[i].lValue, 0);
    }
    EXPECT_EQ(views.Updates[1].lCode, UpdateViewHint::e_groups);
    EXPECT_EQ(views.Updates[2].lCode, UpdateViewHint::e_scheduling_rules);
}

} // namespace
