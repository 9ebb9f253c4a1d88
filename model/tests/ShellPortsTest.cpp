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
    // Without a list view nothing knows where a stored layout ends: the
    // load stops instead of misreading what follows.
    CArchive ar(testbytes::Builder().Dwords({1, 2, 3}).Get());
    EXPECT_THROW(GetViewsPort().SkipSettings(ar), CArchiveException);
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

    groups.uLayout = 7;
    CArchive store(CArchive::store);
    for (IItemListView* p_view : GetViewsPort().GetItemListViews())
        p_view->SaveSettings(store);
    EXPECT_EQ(store.GetBuffer(), testbytes::Builder().Dwords({7, 0}).Get());
    CArchive load(testbytes::Builder().Dwords({3, 4, 5}).Get());
    groups.LoadSettings(load);
    GetViewsPort().SkipSettings(load);
    venues.LoadSettings(load);
    EXPECT_EQ(groups.uLayout, 3u);
    EXPECT_EQ(venues.uLayout, 5u);
    EXPECT_EQ(views.nSkipped, 1);

    GetViewsPort().ResetTimetableViewState();
    EXPECT_EQ(views.iSelectedDay, -1);
    EXPECT_EQ(views.bResetRequest, TRUE);
}

} // namespace
