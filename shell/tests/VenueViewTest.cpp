// The venue pane on a display over an event of 20,000 venues: the fill, a
// sort by location twice (descending, ties by name), a scroll to the end
// and a change routine's refill keep their order (their speed is measured by
// bench/ListBench, not here); a venue deleted from the pane
// leaves the event with its references; dropped lines become venues with
// the whole line as their name.
#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "model/ShellPorts.h"
#include "res/RotavexStrings.h"
#include "shell/frame/EventDocument.h"
#include "shell/frame/ListPorts.h"
#include "shell/lists/VenueView.h"
#include "shell/lists/VenueViewRules.h"
#include "testsupport/ui/WxTestEnvironment.h"
#include "zelkit/lists/ui/ZelListCtrl.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"

#include <chrono>
#include <cstdio>
#include <gtest/gtest.h>
#include <wx/frame.h>

namespace {

class ViewEnvironment : public WxTestEnvironment {
public:
    void SetUp() override
    {
        WxTestEnvironment::SetUp();
        JoinRotavexResources();
    }
};

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new ViewEnvironment);

constexpr int nVenues = 20000;

void Settle()
{
    for (int i = 0; i < 5; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
    }
}

class VenueViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* a_towns[] = {"Avon", "Bath", "Crewe", "Derby", "Ely", "Frome", "Goole"};
        VenueList& venues = Document.GetEvent().GetVenues();
        for (int i = 0; i < nVenues; ++i) {
            Venue venue;
            char a_name[32];
            std::snprintf(a_name, sizeof a_name, "Venue %05d", (i * 7919) % nVenues);
            venue.SetName(a_name);
            venue.SetLocation(a_towns[i % 7]);
            ASSERT_EQ(venues.AddVenue(venue), 0);
        }
        pFrame = new wxFrame(nullptr, wxID_ANY, "Venues", wxDefaultPosition, wxSize(700, 500));
        wxTheApp->SetTopWindow(pFrame);
        pView = new VenueView;
        pView->SetDocument(&Document);
        ASSERT_TRUE(pView->Create(pFrame, wxID_HIGHEST + 1));
        pFrame->Show();
        Settle();
    }
    void TearDown() override
    {
        pView->SetDocument(nullptr);
        delete pView;
        pFrame->Destroy();
        Settle();
    }
    ZelListCtrl& List() { return *pView->GetListCtrl(); }
    void Update(LONG l_code)
    {
        CViewHint hint(UpdateViewHint{l_code, -1, 0});
        Document.UpdateAllViews(nullptr, &hint);
        Settle();
    }
    void ClickHeader(int i_column)
    {
        ZelNMListView nm;
        nm.iSubItem = i_column;
        ZelSendNotify(&List(), LVN_COLUMNCLICK, &nm);
    }

    ScriptedMessageBox Boxes;
    CEventDocument Document;
    wxFrame* pFrame = nullptr;
    VenueView* pView = nullptr;
};

TEST_F(VenueViewTest, TwentyThousandVenuesFillSortAndScroll)
{
    ASSERT_EQ(List().GetItemCount(), nVenues);

    ClickHeader(1);
    ClickHeader(1);
    // Descending by location, equal locations by name ascending.
    EXPECT_EQ(List().GetItemText(0, 1), "Goole");
    EXPECT_LT(List().GetItemText(0, 0), List().GetItemText(1, 0));
    EXPECT_EQ(List().GetItemText(nVenues - 1, 1), "Avon");

    List().EnsureVisible(nVenues - 1, FALSE);
    List().Update();
    Settle();

    // The venues' hint refills, keeping the order; another is left alone.
    Update(UpdateViewHint::e_venues);
    EXPECT_EQ(List().GetItemText(0, 1), "Goole");
    Document.GetEvent().GetVenues()[0].SetName("Renamed");
    Update(UpdateViewHint::e_groups);
    EXPECT_EQ(List().GetItemText(List().FindItemData(Document.GetEvent().GetVenues()[0].GetKey()), 0), "Venue 00000");
}

TEST_F(VenueViewTest, DeletedVenuesLeaveTheEvent)
{
    const LONG l_first = Document.GetEvent().GetVenues()[0].GetKey();
    const LONG l_second = Document.GetEvent().GetVenues()[1].GetKey();
    pView->UnselectAll();
    pView->SelectItem(List().FindItemData(l_first));
    pView->SelectItem(List().FindItemData(l_second));
    pView->DeleteSelected();
    // What the change routine sends the program's views.
    Update(UpdateViewHint::e_venues);
    EXPECT_EQ(Document.GetEvent().GetNumVenues(), nVenues - 2);
    EXPECT_FALSE(Document.GetEvent().GetVenues().ContainsKey(l_first));
    EXPECT_EQ(List().GetItemCount(), nVenues - 2);
    EXPECT_LT(List().FindItemData(l_second), 0);
    EXPECT_TRUE(Boxes.Boxes().empty());
}

TEST_F(VenueViewTest, DroppedLinesBecomeVenuesWhole)
{
    RecordingMessageLists shown;
    const std::string s_long = "The Grand Old Concert Hall of the North Wing";
    EXPECT_EQ(pView->AddFromText(s_long + "\n" + "Venue 00001\n"), 0);
    const VenueList& venues = Document.GetEvent().GetVenues();
    ASSERT_EQ(venues.GetNumVenues(), nVenues + 1);
    EXPECT_EQ(venues[nVenues].GetName(), s_long);
    // A name in use is listed with the short text.
    ASSERT_EQ(shown.vShown.size(), 1u);
    ASSERT_EQ(shown.vShown[0].vRows.size(), 1u);
    EXPECT_EQ(shown.vShown[0].vRows[0].first, "Venue 00001");
    EXPECT_EQ(shown.vShown[0].vRows[0].second, "Venue already exists.");
}

} // namespace
