#include "framework/Archive.h"
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

} // namespace
