// The venue sheet alone on a display, over a small event: the title follows
// the typed name, a name of blanks only keeps the page, Undo brings the
// venue's location back, the marks of the styles list become the venue's
// style keys; and the column chooser as the venue list fills it.
//
// With ROTAVEX_SHOW_SECONDS set, the sheet and the chooser stay on screen
// that long, for screenshots.
#include "framework/MessageBox.h"
#include "model/EventDoc.h"
#include "res/RotavexStrings.h"
#include "sheets/VenuePSheet.h"
#include "sheets/tests/TabStripCheck.h"
#include "shell/lists/SelectColumnsDlg.h"
#include "testsupport/EventBuilder.h"
#include "testsupport/ui/SheetTestEnvironment.h"
#include "testsupport/ui/WxLoopDriving.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/display.h>
#include <wx/textctrl.h>

namespace {

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new SheetTestEnvironment);

wxTextCtrl& Box(wxWindow& window, int i_id) { return *static_cast<wxTextCtrl*>(window.FindWindow(i_id)); }

std::string Title(wxTopLevelWindow& window) { return std::string(window.GetTitle().utf8_str()); }

class VenuePSheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        event.Style("Jazz").Facility("Piano").Venue("Hall", {"Jazz"}, {"Piano"}).Venue("Annex");
        event.Doc().GetVenues()[0].SetLocation("North wing");
        pSheet = new VenuePSheet(&event.Doc(), 10, 10, nullptr);
        pSheet->GetVenue() = event.Doc().GetVenues()[0];
        pSheet->PreparePage();
        pSheet->Show();
        Pump();
    }
    void TearDown() override
    {
        pSheet->Destroy();
        Pump();
    }

    testevent::EventBuilder event;
    VenuePSheet* pSheet = nullptr;
    ScriptedMessageBox Boxes;
};

TEST_F(VenuePSheetTest, TheTitleFollowsTheName)
{
    EXPECT_EQ(Title(*pSheet), "Define venue - Hall");
    EXPECT_EQ(Box(*pSheet, IDC_VENUE_LOCATION).GetValue(), "North wing");
    ShowAWhile();
    Box(*pSheet, IDC_VENUE_NAME).SetValue("Great Hall");
    EXPECT_EQ(Title(*pSheet), "Define venue - Great Hall");
    Box(*pSheet, IDC_VENUE_NAME).SetValue("");
    EXPECT_EQ(Title(*pSheet), "Define venue");

    // Typed a character at a time, the boxes take no more than 30 and 50.
    for (int i = 0; i < 40; ++i)
        Box(*pSheet, IDC_VENUE_NAME).WriteText("n");
    EXPECT_EQ(Box(*pSheet, IDC_VENUE_NAME).GetValue().length(), 30u);
    Box(*pSheet, IDC_VENUE_LOCATION).SetValue("");
    for (int i = 0; i < 60; ++i)
        Box(*pSheet, IDC_VENUE_LOCATION).WriteText("l");
    EXPECT_EQ(Box(*pSheet, IDC_VENUE_LOCATION).GetValue().length(), 50u);
}

// The sheet (of one tab) shows its tab whole, within the screen's work
// area.
TEST_F(VenuePSheetTest, OpensWithEveryTabShown)
{
    EXPECT_EQ(pSheet->GetBookCtrl()->GetPageCount(), 1u);
    EXPECT_EQ(TabsNotShownWhole(*pSheet->GetBookCtrl()), std::vector<int>{});
    EXPECT_LE(pSheet->GetSize().x, wxDisplay(0u).GetClientArea().GetWidth());
}

TEST_F(VenuePSheetTest, UndoBringsTheLocationBack)
{
    Box(*pSheet, IDC_VENUE_LOCATION).SetValue("Car park");
    ASSERT_NE(pSheet->GetUndoButton(), nullptr);
    EXPECT_TRUE(pSheet->GetUndoButton()->IsEnabled());
    PressInLoop(*pSheet, IDC_SHEET_UNDO);
    EXPECT_EQ(Box(*pSheet, IDC_VENUE_LOCATION).GetValue(), "North wing");
    EXPECT_FALSE(pSheet->GetUndoButton()->IsEnabled());
}

TEST_F(VenuePSheetTest, LeavingThePageNeedsANameAndTheCheck)
{
    Box(*pSheet, IDC_VENUE_NAME).SetValue("    ");
    EXPECT_FALSE(pSheet->GetDetailsPage().OnKillActive());
    ASSERT_EQ(Boxes.Boxes().size(), 1u);
    EXPECT_EQ(Boxes.Boxes()[0].sText, "You must provide a name for the venue.");

    // The page's values reach the working venue, the key list unchanged.
    Box(*pSheet, IDC_VENUE_NAME).SetValue("  Great   Hall ");
    Box(*pSheet, IDC_VENUE_LOCATION).SetValue("West");
    EXPECT_TRUE(pSheet->GetDetailsPage().OnKillActive());
    EXPECT_EQ(pSheet->GetVenue().GetName(), "Great Hall");
    EXPECT_EQ(pSheet->GetVenue().GetLocation(), "West");
    EXPECT_EQ(pSheet->GetVenue().GetStyles(), event.Doc().GetVenues()[0].GetStyles());

    // A mark taken off leaves the venue without the style; the facility
    // stays.
    ZelEditListCtrl& styles = pSheet->GetDetailsPage().GetList(StyleFacilityRules::e_styles);
    ASSERT_EQ(styles.GetItemCount(), 1);
    styles.SetCheckState(0, 0, ZelCheckListLayer::stateUnchecked);
    EXPECT_TRUE(pSheet->GetDetailsPage().OnKillActive());
    EXPECT_EQ(pSheet->GetVenue().GetStyles().GetCount(), 0);
    EXPECT_EQ(pSheet->GetVenue().GetFacilities().Find(event.FacilityKey("Piano")) >= 0, true);
}

TEST(VenueChooser, ShowsTheVenueColumns)
{
    SelectColumnsData data;
    data.Available.Add("Group Schedule");
    data.Available.Add("Participant Schedule");
    data.Selected.Add("Name");
    data.Selected.Add("Location");
    data.Selected.Add("Styles");
    data.Selected.Add("Facilities");
    data.bRowsSelected = 1;
    data.sItems = "venues";
    auto* p_dlg = new SelectColumnsDlg(nullptr, data);
    p_dlg->Show();
    Pump();
    ShowAWhile();
    p_dlg->Destroy();
    Pump();
}

} // namespace
