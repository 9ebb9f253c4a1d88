// The print options dialog's rules without a window: the selection radios,
// the refresh after each click, and the sample page's words and labels.
#include "output/PrintTTOptions.h"
#include "testsupport/FakePrintCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using M = PrintTTOptionsModel;

bool Has(const std::vector<std::string>& v, const std::string& s) { return std::find(v.begin(), v.end(), s) != v.end(); }

TEST(PrintTTOptions, SelectionFollowsPrintByAndTheListsSelection)
{
    PrintOptions o;
    o.bPrintAll = 0;
    // Groups selected: 2, venues: 0, participants: 1.
    M model(o, 2, 0, 1);
    model.Refresh();
    EXPECT_FALSE(model.Controls.bSelectionEnabled) << "printing by day prints every day";
    EXPECT_EQ(model.Controls.iSelection, 0);
    EXPECT_EQ(model.Options.bPrintAll, 1);

    struct Case {
        UINT uBy;
        BOOL bEnabled;
    } a_cases[] = {{M::IDC_BY_GROUP, TRUE}, {M::IDC_BY_VENUE, FALSE}, {M::IDC_BY_PARTICIPANT, TRUE}, {M::IDC_BY_DAY, FALSE}};
    for (const Case& c : a_cases) {
        ASSERT_TRUE(model.Click(c.uBy));
        EXPECT_EQ(model.Controls.bSelectionEnabled, c.bEnabled) << c.uBy;
        EXPECT_EQ(model.Click(M::IDC_SELECTED), c.bEnabled) << c.uBy;
        EXPECT_EQ(model.Options.bPrintAll, c.bEnabled ? 0 : 1) << c.uBy;
        EXPECT_EQ(model.Controls.iSelection, c.bEnabled ? 1 : 0) << c.uBy;
        model.Click(M::IDC_ALL);
    }
}

TEST(PrintTTOptions, HeightRulesForGridLinesAndLabels)
{
    PrintOptions o;
    o.eSlotHeight = 1;
    o.bGridLines = 0;
    o.eTimeLabels = 0;
    M model(o, 0, 0, 0);
    model.Refresh();
    EXPECT_EQ(model.Controls.iLabels, 1) << "constant height: start and end become start only";
    EXPECT_FALSE(model.Controls.bStartEndEnabled);
    EXPECT_TRUE(model.Controls.bGridLinesEnabled);
    EXPECT_EQ(model.Controls.bGridLines, 0);

    model.Click(M::IDC_PROPORTIONAL);
    EXPECT_EQ(model.Controls.bGridLines, 1) << "proportional height forces grid lines";
    EXPECT_FALSE(model.Controls.bGridLinesEnabled);
    EXPECT_TRUE(model.Controls.bStartEndEnabled);
    EXPECT_FALSE(model.Click(M::IDC_GRID_LINES));

    model.Click(M::IDC_CONSTANT);
    EXPECT_EQ(model.Controls.bGridLines, 1) << "back to constant: grid lines stay on";
    EXPECT_TRUE(model.Click(M::IDC_GRID_LINES));
    EXPECT_EQ(model.Options.bGridLines, 0);

    model.Click(M::IDC_NO_LABELS);
    model.Click(M::IDC_PROPORTIONAL);
    model.Click(M::IDC_CONSTANT);
    EXPECT_EQ(model.Options.eTimeLabels, 2) << "no labels stays no labels";
}

TEST(PrintTTOptions, EveryButtonWritesItsOption)
{
    M model(PrintOptions(), 1, 1, 1);
    model.Refresh();
    model.Click(M::IDC_LANDSCAPE);
    model.Click(M::IDC_ALL_TIMESLOTS);
    model.Click(M::IDC_GROUP_MEMBERS);
    model.Click(M::IDC_COMBINATIONS);
    model.Click(M::IDC_BY_VENUE);
    model.Click(M::IDC_START_ONLY);
    EXPECT_EQ(model.Options.bLandscape, 1);
    EXPECT_EQ(model.Options.bAllTimeslots, 0);
    EXPECT_EQ(model.Options.bGroupMembers, 1);
    EXPECT_EQ(model.Options.bCombinations, 1);
    EXPECT_EQ(model.Options.ePrintBy, PrintOptions::eVenues);
    EXPECT_EQ(model.Options.eTimeLabels, 1);
    model.Click(M::IDC_PORTRAIT);
    EXPECT_EQ(model.Options.bLandscape, 0);
    EXPECT_FALSE(model.Click(M::IDC_SAMPLE));
}

TEST(PrintTTOptions, OutOfRangeChoicesShowTheFirstButton)
{
    PrintOptions o;
    o.ePrintBy = 9;
    o.eTimeLabels = -3;
    M model(o, 0, 0, 0);
    EXPECT_EQ(model.Controls.iPrintBy, 0);
    EXPECT_EQ(model.Controls.iLabels, 0);
    model.Refresh();
    EXPECT_EQ(model.Options.ePrintBy, 0);
    EXPECT_EQ(model.Options.eTimeLabels, 0);
}

TEST(PrintTTSample, WordsAndLabelsFollowTheOptions)
{
    struct Case {
        LONG eBy;
        const char* pTitle;
        const char* pColumn;
        const char* pCell;
    } a_cases[] = {{0, "Day3", "Venue1", "Group1"},
                   {1, "Group3", "Day2", "Venue3"},
                   {2, "Venue3", "Day1", "Group5"},
                   {3, "Participant", "Day2", "Grp(Ven)"}};
    for (const Case& c : a_cases) {
        PrintOptions o;
        o.ePrintBy = c.eBy;
        FakePrintCanvas dc;
        DrawTTSample(dc, o, ZelRect{0, 0, 224, 220});
        const auto v = dc.TextsOn(0);
        EXPECT_TRUE(Has(v, c.pTitle)) << c.eBy;
        EXPECT_TRUE(Has(v, c.pColumn)) << c.eBy;
        EXPECT_TRUE(Has(v, c.pCell)) << c.eBy;
    }

    PrintOptions o;
    o.eSlotHeight = 1;
    o.eTimeLabels = 0;
    FakePrintCanvas both;
    DrawTTSample(both, o, ZelRect{0, 0, 224, 220});
    EXPECT_TRUE(Has(both.TextsOn(0), "06:00")) << "the trailing slot's end";
    o.eTimeLabels = 1;
    FakePrintCanvas starts;
    DrawTTSample(starts, o, ZelRect{0, 0, 224, 220});
    EXPECT_TRUE(Has(starts.TextsOn(0), "05:00"));
    EXPECT_FALSE(Has(starts.TextsOn(0), "06:00"));
    o.bAllTimeslots = 0;
    FakePrintCanvas trimmed;
    DrawTTSample(trimmed, o, ZelRect{0, 0, 224, 220});
    EXPECT_FALSE(Has(trimmed.TextsOn(0), "05:00")) << "no empty trailing slot";
    o.eTimeLabels = 2;
    FakePrintCanvas none;
    DrawTTSample(none, o, ZelRect{0, 0, 224, 220});
    EXPECT_FALSE(Has(none.TextsOn(0), "01:00"));
    // Grid lines off: only the boxes' lines.
    o.bGridLines = 0;
    FakePrintCanvas bare;
    DrawTTSample(bare, o, ZelRect{0, 0, 224, 220});
    EXPECT_EQ(bare.vRules.size(), 12u);
}

} // namespace
