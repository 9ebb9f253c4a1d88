// The printed timetable on a canvas of fixed glyphs: columns left out,
// label groups, the time axis trimmed, page breaks at slot starts, bands
// stacked, pages across and down, the heading and footer; and the print
// job's page numbering and the options' modified rule.
#include "output/TTPrint.h"

#include "model/PrintOptions.h"
#include "model/Timetable.h"
#include "testsupport/EventBuilder.h"
#include "testsupport/FakePrintCanvas.h"
#include "zelkit/values/ZelTimeslotCombination.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

using testevent::EventBuilder;

namespace {

bool Contains(const std::vector<std::string>& v, const std::string& s)
{
    return std::find(v.begin(), v.end(), s) != v.end();
}

int CountOf(const std::vector<std::string>& v, const std::string& s)
{
    return static_cast<int>(std::count(v.begin(), v.end(), s));
}

// One day, three venues; Yard holds nothing.
class OneDay : public ::testing::Test {
protected:
    void SetUp() override
    {
        event.Name("Summer School")
            .Days({"Monday"})
            .Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00", "12:00-13:00"})
            .TwentyFourHour()
            .Venue("Hall")
            .Venue("Room")
            .Venue("Yard")
            .Group("Choir")
            .Group("Band")
            .Timetable()
            .Place(0, "Hall", "10:00", "Choir")
            .Place(0, "Room", "11:00", "Band");
        Doc().SetPathName("/tmp/summer.eve");
    }
    EventDoc& Doc() { return event.Doc(); }
    PrintOptions& Opts() { return Doc().GetPrintOptions(); }

    EventBuilder event;
    FakePrintCanvas dc;
};

TEST_F(OneDay, VenueWithoutGroupsIsLeftOutAndColumnsShareLabels)
{
    TTPrint print(&Doc(), "Monday", 0);
    EXPECT_EQ(print.GetPageTotal(dc), 1);
    const TTPrint::Layout& lay = *print.GetLayout();
    ASSERT_EQ(lay.Columns.size(), 3u);
    EXPECT_FALSE(lay.Columns[0].bExcluded);
    EXPECT_FALSE(lay.Columns[1].bExcluded);
    EXPECT_TRUE(lay.Columns[2].bExcluded);
    // Hall and Room run the same slots: one label group.
    EXPECT_EQ(lay.Columns[1].iLabelOwner, 0);
    EXPECT_GE(lay.Columns[0].iLabelX, 0);
    EXPECT_EQ(lay.Columns[1].iLabelX, -1);

    ASSERT_TRUE(print.PrintPage(dc, 0, 1, 1, CHighTime(2026, 3, 1, 8, 0, 0), CHighTime()));
    const auto v_texts = dc.TextsOn(0);
    EXPECT_TRUE(Contains(v_texts, "Summer School"));
    EXPECT_TRUE(Contains(v_texts, "Monday"));
    EXPECT_TRUE(Contains(v_texts, "Hall"));
    EXPECT_TRUE(Contains(v_texts, "Room"));
    EXPECT_FALSE(Contains(v_texts, "Yard"));
    EXPECT_TRUE(Contains(v_texts, "Choir"));
    EXPECT_TRUE(Contains(v_texts, "Band"));
    EXPECT_TRUE(Contains(v_texts, "The timetable is invalid or incomplete"));
    EXPECT_TRUE(Contains(v_texts, "Printed: 01-Mar-2026 08:00:00"));
    EXPECT_TRUE(Contains(v_texts, "Page 1 of 1"));
    EXPECT_TRUE(Contains(v_texts, "File: /tmp/summer.eve"));
    // Every slot time of the day is labelled once, starts and ends.
    EXPECT_EQ(CountOf(v_texts, "09:00"), 1);
    EXPECT_EQ(CountOf(v_texts, "13:00"), 1);
    // A past index frees the layout and prints nothing.
    EXPECT_FALSE(print.PrintPage(dc, 1, 2, 1, CHighTime(), CHighTime()));
    EXPECT_EQ(print.GetLayout(), nullptr);
}

TEST_F(OneDay, FooterNamesTheBuildDate)
{
    TTPrint print(&Doc(), "Monday", 0);
    ASSERT_TRUE(print.PrintPage(dc, 0, 3, 7, CHighTime(), CHighTime(2026, 2, 3, 4, 5, 6)));
    const auto v_texts = dc.TextsOn(0);
    EXPECT_TRUE(Contains(v_texts, "Generated: 03-Feb-2026 04:05:06"));
    EXPECT_TRUE(Contains(v_texts, "Page 3 of 7"));
    EXPECT_FALSE(Contains(v_texts, "The timetable is invalid or incomplete"));
}

// Where a text drawn on the fake canvas lies across the page.
struct Span {
    LONG iLeft, iRight;
};
Span SpanOf(const FakePrintCanvas::Text& t)
{
    LONG i_width = 0, i_height = 0;
    FakePrintCanvas measure;
    measure.Font = t.Font;
    measure.GetTextExtent(t.sText, i_width, i_height);
    if (t.uFlags & DT_CENTER) {
        const LONG i_left = (t.rc.left + t.rc.right - i_width) / 2;
        return {i_left, i_left + i_width};
    }
    if (t.uFlags & DT_RIGHT)
        return {t.rc.right - i_width, t.rc.right};
    return {t.rc.left, t.rc.left + i_width};
}

TEST_F(OneDay, FooterTextsKeepApartOnNarrowPages)
{
    // The centre text: in the middle of the page, in the middle of the room
    // between the texts at the sides, cut short to that room, or left out.
    enum Place { eMiddle, eBetween, eCut, eNone };
    struct Case {
        int iWidth;
        bool bBuilt;
        Place ePlace;
    } a_cases[] = {{4800, true, eMiddle}, {4800, false, eMiddle}, {800, true, eBetween},
                   {800, false, eCut},    {600, true, eCut},      {430, true, eNone}};
    const std::string s_generated = "Generated: 03-Feb-2026 04:05:06";
    const std::string s_invalid = "The timetable is invalid or incomplete";
    for (const Case& c : a_cases) {
        FakePrintCanvas canvas;
        canvas.iHorzRes = c.iWidth;
        TTPrint print(&Doc(), "Monday", 0);
        ASSERT_TRUE(print.PrintPage(canvas, 0, 1, 1, CHighTime(2026, 3, 1, 8, 0, 0),
                                    c.bBuilt ? CHighTime(2026, 2, 3, 4, 5, 6) : CHighTime()));
        // The footer's line is all that is drawn in 10 point roman.
        std::vector<FakePrintCanvas::Text> v_line;
        for (const auto& t : canvas.vTexts)
            if (t.Font.eFamily == PrintFont::eRoman && t.Font.iPoints == 10)
                v_line.push_back(t);
        ASSERT_GE(v_line.size(), 2u) << c.iWidth;
        ASSERT_EQ(v_line[0].sText, "Printed: 01-Mar-2026 08:00:00");
        ASSERT_EQ(v_line[1].sText, "Page 1 of 1");
        const Span printed = SpanOf(v_line[0]), page = SpanOf(v_line[1]);
        EXPECT_EQ(printed.iLeft, 0);
        EXPECT_EQ(page.iRight, c.iWidth);
        if (c.ePlace == eNone) {
            EXPECT_EQ(v_line.size(), 2u) << c.iWidth;
            continue;
        }
        ASSERT_EQ(v_line.size(), 3u) << c.iWidth;
        const std::string& s_full = c.bBuilt ? s_generated : s_invalid;
        const std::string& s_centre = v_line[2].sText;
        const Span centre = SpanOf(v_line[2]);
        EXPECT_GT(centre.iLeft, printed.iRight) << c.iWidth << ": " << s_centre;
        EXPECT_LT(centre.iRight, page.iLeft) << c.iWidth << ": " << s_centre;
        if (c.ePlace == eCut) {
            ASSERT_GT(s_centre.size(), 3u);
            EXPECT_LT(s_centre.size(), s_full.size());
            EXPECT_EQ(s_centre.substr(s_centre.size() - 3), "...");
            EXPECT_EQ(s_full.rfind(s_centre.substr(0, s_centre.size() - 3), 0), 0u) << s_centre;
            continue;
        }
        EXPECT_EQ(s_centre, s_full);
        const LONG i_middle = c.ePlace == eMiddle ? c.iWidth / 2 : (printed.iRight + page.iLeft) / 2;
        EXPECT_NEAR((centre.iLeft + centre.iRight) / 2, i_middle, 1) << c.iWidth;
    }
}

TEST_F(OneDay, TimeLabelChoices)
{
    struct Case {
        LONG eLabels;
        LONG eHeight;
        bool bStart; // 10:00 labelled
        bool bEnd;   // 13:00 (an end only) labelled
    } a_cases[] = {{0, 0, true, true}, {1, 0, true, false}, {2, 0, false, false}, {1, 1, true, false}};
    for (const Case& c : a_cases) {
        Opts().eTimeLabels = c.eLabels;
        Opts().eSlotHeight = c.eHeight;
        FakePrintCanvas canvas;
        TTPrint print(&Doc(), "Monday", 0);
        ASSERT_TRUE(print.PrintPage(canvas, 0, 1, 1, CHighTime(), CHighTime()));
        const auto v_texts = canvas.TextsOn(0);
        EXPECT_EQ(Contains(v_texts, "10:00"), c.bStart) << c.eLabels << "/" << c.eHeight;
        EXPECT_EQ(Contains(v_texts, "13:00"), c.bEnd) << c.eLabels << "/" << c.eHeight;
        if (c.eLabels == 2) {
            EXPECT_EQ(print.GetLayout()->iLabelColumnWidth, 0);
        }
    }
}

TEST_F(OneDay, TwelveHourLabelsReadAsTheScreenShowsTimes)
{
    event.TwentyFourHour(false);
    TTPrint print(&Doc(), "Monday", 0);
    ASSERT_TRUE(print.PrintPage(dc, 0, 1, 1, CHighTime(), CHighTime()));
    const auto v_texts = dc.TextsOn(0);
    for (const char* p_label : {"9:00am", "10:00am", "12:00pm", "1:00pm"})
        EXPECT_TRUE(Contains(v_texts, p_label)) << p_label;
    for (const char* p_padded : {"09:00am", "01:00pm"})
        EXPECT_FALSE(Contains(v_texts, p_padded)) << p_padded;
}

TEST_F(OneDay, ConstantHeightWithoutGridGivesEveryColumnItsLabels)
{
    Opts().eSlotHeight = 1;
    Opts().bGridLines = 0;
    TTPrint print(&Doc(), "Monday", 0);
    print.GetPageTotal(dc);
    const TTPrint::Layout& lay = *print.GetLayout();
    EXPECT_EQ(lay.Columns[0].iLabelOwner, 0);
    EXPECT_EQ(lay.Columns[1].iLabelOwner, 1);
    EXPECT_EQ(lay.iGrid, 0);
    ASSERT_TRUE(print.PrintPage(dc, 0, 1, 1, CHighTime(), CHighTime()));
    EXPECT_EQ(CountOf(dc.TextsOn(0), "09:00"), 2);
}

TEST_F(OneDay, AxisIsTrimmedToTheItemsSlotsUnlessAllTimeslotsPrint)
{
    TTPrint all(&Doc(), "Monday", 0);
    all.GetPageTotal(dc);
    ASSERT_FALSE(all.GetLayout()->Times.empty());
    EXPECT_EQ(all.GetLayout()->Times.front().llTicks, static_cast<std::int64_t>(EventBuilder::At("09:00")));
    EXPECT_EQ(all.GetLayout()->Times.back().llTicks, static_cast<std::int64_t>(EventBuilder::At("13:00")));

    Opts().bAllTimeslots = 0;
    TTPrint trimmed(&Doc(), "Monday", 0);
    trimmed.GetPageTotal(dc);
    EXPECT_EQ(trimmed.GetLayout()->Times.front().llTicks, static_cast<std::int64_t>(EventBuilder::At("10:00")));
    EXPECT_EQ(trimmed.GetLayout()->Times.back().llTicks, static_cast<std::int64_t>(EventBuilder::At("12:00")));
}

TEST_F(OneDay, NarrowPagesStackBandsBeforeOpeningAnotherPage)
{
    // Room for about one column across; the table is short, so bands stack.
    dc.iHorzRes = 140;
    TTPrint print(&Doc(), "Monday", 0);
    int n_across = 0, n_down = 0;
    print.GetPageCounts(dc, n_across, n_down);
    const TTPrint::Layout& lay = *print.GetLayout();
    ASSERT_GT(lay.iBandsPerPage, 1);
    EXPECT_EQ(n_down, 1);
    EXPECT_EQ(n_across, 1);
    EXPECT_EQ(lay.Columns[0].iBand, 0);
    EXPECT_EQ(lay.Columns[1].iBand, 1);
    // The second band carries its own labels.
    EXPECT_EQ(lay.Columns[1].iLabelOwner, 1);
    ASSERT_TRUE(print.PrintPage(dc, 0, 1, 1, CHighTime(), CHighTime()));
    EXPECT_EQ(CountOf(dc.TextsOn(0), "10:00"), 2);
}

TEST_F(OneDay, TallTablesBreakAtSlotStarts)
{
    dc.iVertRes = 150;
    TTPrint print(&Doc(), "Monday", 0);
    int n_across = 0, n_down = 0;
    print.GetPageCounts(dc, n_across, n_down);
    const TTPrint::Layout& lay = *print.GetLayout();
    ASSERT_GT(n_down, 1);
    EXPECT_EQ(lay.iBandsPerPage, 1);
    for (const TTPrint::Time& t : lay.Times) {
        EXPECT_LE(t.iY, lay.rcBody.Height());
        if (t.bPageStart) {
            EXPECT_TRUE(t.bStart);
            EXPECT_EQ(t.iY, lay.iHeadingHeight);
        }
    }
    // Page i is across i mod across, down i div across: every page prints.
    for (int i = 0; i < n_across * n_down; ++i)
        EXPECT_TRUE(print.PrintPage(dc, i, i + 1, n_across * n_down, CHighTime(), CHighTime()));
}

// Ann sings in the choir on Monday and plays in the band on Tuesday; Bob is
// only in the band.
class ByParticipant : public ::testing::Test {
protected:
    void SetUp() override
    {
        event.Name("Camp")
            .Days({"Monday", "Tuesday", "Wednesday"})
            .Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"})
            .TwentyFourHour()
            .Venue("Hall")
            .Venue("Room")
            .Participant("Ann Lee")
            .Participant("Bob Ray")
            .Group("Choir")
            .Group("Band")
            .Member("Choir", "Ann Lee")
            .Member("Band", "Ann Lee")
            .Member("Band", "Bob Ray")
            .Timetable()
            .Place(0, "Hall", "09:00", "Choir")
            .Place(1, "Room", "11:00", "Band");
        event.Doc().GetPrintOptions().ePrintBy = PrintOptions::eParts;
    }
    EventBuilder event;
    FakePrintCanvas dc;
};

TEST_F(ByParticipant, DaysWithoutTheParticipantAreLeftOut)
{
    TTPrint ann(&event.Doc(), "Ann Lee", 0);
    ASSERT_EQ(ann.GetPageTotal(dc), 1);
    const TTPrint::Layout& lay = *ann.GetLayout();
    ASSERT_EQ(lay.Columns.size(), 3u);
    EXPECT_FALSE(lay.Columns[0].bExcluded);
    EXPECT_FALSE(lay.Columns[1].bExcluded);
    EXPECT_TRUE(lay.Columns[2].bExcluded);
    ASSERT_TRUE(ann.PrintPage(dc, 0, 1, 1, CHighTime(), CHighTime()));
    const auto v_texts = dc.TextsOn(0);
    EXPECT_TRUE(Contains(v_texts, "Choir(Hall)"));
    EXPECT_TRUE(Contains(v_texts, "Band(Room)"));
    EXPECT_TRUE(Contains(v_texts, "Ann Lee"));
    EXPECT_FALSE(Contains(v_texts, "Wednesday"));

    TTPrint bob(&event.Doc(), "Bob Ray", 1);
    bob.GetPageTotal(dc);
    EXPECT_TRUE(bob.GetLayout()->Columns[0].bExcluded);
    EXPECT_FALSE(bob.GetLayout()->Columns[1].bExcluded);
}

TEST_F(ByParticipant, GroupMembersFollowTheGroupsName)
{
    event.Doc().GetPrintOptions().ePrintBy = PrintOptions::eDays;
    event.Doc().GetPrintOptions().bGroupMembers = 1;
    TTPrint monday(&event.Doc(), "Monday", 0);
    ASSERT_TRUE(monday.PrintPage(dc, 0, 1, 1, CHighTime(), CHighTime()));
    bool b_found = false;
    for (const std::string& s_text : dc.TextsOn(0))
        b_found = b_found || (s_text.rfind("Choir\r\nA", 0) == 0);
    EXPECT_TRUE(b_found) << "the choir's cell names its member on a line of its own, cut to the column";
}

// The members shown under a group's name take lines of their own: the rows
// are made tall enough for every line of a cell, whatever it prints by.
TEST_F(ByParticipant, RowsAreTallEnoughForTheMembersLines)
{
    event.Doc().GetPrintOptions().bGroupMembers = 1;
    // Item 1 is Tuesday, the band, the room and Bob: the band's cell.
    for (const LONG e_by : {PrintOptions::eDays, PrintOptions::eGroups, PrintOptions::eVenues, PrintOptions::eParts}) {
        event.Doc().GetPrintOptions().ePrintBy = e_by;
        FakePrintCanvas canvas;
        TTPrint print(&event.Doc(), "Item", 1);
        ASSERT_TRUE(print.PrintPage(canvas, 0, 1, 1, CHighTime(), CHighTime())) << e_by;
        int n_cells = 0;
        for (const FakePrintCanvas::Text& t : canvas.vTexts) {
            if (t.sText.find("Ann Lee") == std::string::npos || t.sText.find("\r\n") == std::string::npos)
                continue;
            ++n_cells;
            const LONG n_lines = 1 + static_cast<LONG>(std::count(t.sText.begin(), t.sText.end(), '\n'));
            EXPECT_GE(t.rc.Height(), n_lines * FakePrintCanvas::LineHeightOf(t.Font)) << e_by << ": " << t.sText;
        }
        EXPECT_EQ(n_cells, 1) << e_by;
    }
}

TEST_F(ByParticipant, GroupsAndVenuesNameTheOtherSide)
{
    event.Doc().GetPrintOptions().ePrintBy = PrintOptions::eGroups;
    TTPrint band(&event.Doc(), "Band", 1);
    ASSERT_TRUE(band.PrintPage(dc, 0, 1, 1, CHighTime(), CHighTime()));
    EXPECT_TRUE(Contains(dc.TextsOn(0), "Room"));
    EXPECT_TRUE(band.GetLayout()->Columns[0].bExcluded);

    event.Doc().GetPrintOptions().ePrintBy = PrintOptions::eVenues;
    FakePrintCanvas canvas;
    TTPrint hall(&event.Doc(), "Hall", 0);
    ASSERT_TRUE(hall.PrintPage(canvas, 0, 1, 1, CHighTime(), CHighTime()));
    EXPECT_TRUE(Contains(canvas.TextsOn(0), "Choir"));
    EXPECT_FALSE(Contains(canvas.TextsOn(0), "Band"));
}

TEST(TTPrintCombinations, RunIsDrawnOnceWithItsName)
{
    EventBuilder event;
    event.Name("Fair")
        .Days({"Monday"})
        .Slots(-1, {"09:00-10:00", "10:00-11:00", "11:00-12:00"})
        .TwentyFourHour()
        .Venue("Hall")
        .Group("Choir")
        .Group("Band")
        .Timetable()
        .Place(0, "Hall", "09:00", "Choir")
        .Place(0, "Hall", "10:00", "Band")
        .Place(0, "Hall", "11:00", "Choir");
    EventDoc& doc = event.Doc();
    ASSERT_GE(doc.GetCombinations().Add(ZelTimeslotCombination("Workshop")), 0);
    const LONG l_comb = doc.GetCombinations()[0].GetKey();
    event.Slot(0, "Hall", "09:00").SetCombinationKey(l_comb);
    event.Slot(0, "Hall", "10:00").SetCombinationKey(l_comb);
    doc.GetPrintOptions().bCombinations = 1;

    FakePrintCanvas dc;
    TTPrint print(&doc, "Monday", 0);
    ASSERT_TRUE(print.PrintPage(dc, 0, 1, 1, CHighTime(), CHighTime()));
    const auto v_texts = dc.TextsOn(0);
    EXPECT_EQ(CountOf(v_texts, "Workshop"), 1);
    EXPECT_EQ(CountOf(v_texts, "Choir"), 2);
    EXPECT_EQ(CountOf(v_texts, "Band"), 1);
    // No label between the two slots of the run.
    EXPECT_FALSE(Contains(v_texts, "10:00"));
    EXPECT_TRUE(Contains(v_texts, "11:00"));
    // The rows make room for the name above the run's two groups.
    const TTPrint::Layout& lay = *print.GetLayout();
    EXPECT_EQ(lay.iMinRowHeight, 3 * lay.iLineHeight / 2 + 2 * lay.iPadding + lay.iGrid);
}

TEST(TTPrintEmpty, EventWithoutTimetablePrintsNothing)
{
    EventBuilder event;
    event.Name("Empty").Days({"Monday"}).Slots(-1, {"09:00-10:00"}).Group("Choir");
    FakePrintCanvas dc;
    TTPrint print(&event.Doc(), "Monday", 0);
    int n_across = -1, n_down = -1;
    print.GetPageCounts(dc, n_across, n_down);
    EXPECT_EQ(n_across, 0);
    EXPECT_EQ(n_down, 0);
    EXPECT_FALSE(print.PrintPage(dc, 0, 1, 1, CHighTime(), CHighTime()));
    EXPECT_TRUE(dc.vTexts.empty());
}

TEST(TTPrintWrap, WordsFillLinesGreedily)
{
    FakePrintCanvas dc;
    dc.SelectFont(PrintFont::Swiss(10)); // ten units a character
    int n_lines = 0;
    EXPECT_EQ(TTPrint::WrapText(dc, "short", 100, n_lines), "short");
    EXPECT_EQ(n_lines, 1);
    EXPECT_EQ(TTPrint::WrapText(dc, "one two three", 80, n_lines), "one two \r\nthree");
    EXPECT_EQ(n_lines, 2);
    // The default width is a fifth of the device's width.
    const std::string s_long(100, 'x');
    EXPECT_EQ(TTPrint::WrapText(dc, s_long + " " + s_long, 0, n_lines), s_long + " \r\n" + s_long);
}

// Printed by day with proportional rows and every timeslot, a day of hour
// slots with one of thirty minutes: each row is as tall as the time it
// covers asks (the shortest slot a row of the least height, the others in
// proportion), so the half-hour row is about half as tall as an hour's.
TEST(ProportionalRows, RowsFollowTheTimeTheyCover)
{
    struct Case {
        const char* pWhere;
        std::vector<std::string> vHall, vRoom;
        std::vector<std::pair<std::string, std::string>> vPlaced; // venue, start
    };
    const Case a_cases[] = {
        {"in the one venue, every slot placed",
         {"09:00-10:00", "10:00-11:00", "11:00-11:30", "11:30-12:30"},
         {},
         {{"Hall", "09:00"}, {"Hall", "10:00"}, {"Hall", "11:00"}, {"Hall", "11:30"}}},
        {"in the one venue, empty",
         {"09:00-10:00", "10:00-11:00", "11:00-11:30", "11:30-12:30"},
         {},
         {{"Hall", "09:00"}, {"Hall", "11:30"}}},
        {"in another venue",
         {"09:00-10:00", "10:00-11:00", "11:00-12:00"},
         {"10:00-10:30"},
         {{"Hall", "09:00"}, {"Hall", "10:00"}, {"Room", "10:00"}}},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhere);
        EventBuilder event;
        event.Name("Camp").Days({"Monday"}).TwentyFourHour().Venue("Hall").Venue("Room");
        for (const std::string& s_times : c.vHall)
            event.VenueSlots(0, "Hall", {s_times});
        for (const std::string& s_times : c.vRoom)
            event.VenueSlots(0, "Room", {s_times});
        event.Group("Choir").Timetable();
        for (const auto& [s_venue, s_start] : c.vPlaced)
            event.Place(0, s_venue, s_start, "Choir");
        PrintOptions& opts = event.Doc().GetPrintOptions();
        opts.ePrintBy = PrintOptions::eDays;
        opts.eSlotHeight = 0;
        opts.bGridLines = 1;
        opts.bAllTimeslots = 1;
        FakePrintCanvas dc;
        TTPrint print(&event.Doc(), "Monday", 0);
        ASSERT_EQ(print.GetPageTotal(dc), 1);
        const TTPrint::Layout& lay = *print.GetLayout();
        EXPECT_EQ(lay.llShortest, static_cast<std::int64_t>(EventBuilder::At("00:30")));
        std::map<std::int64_t, int> m_rows; // minutes covered -> row height
        const auto ll_minute = static_cast<std::int64_t>(EventBuilder::At("00:01"));
        for (std::size_t i = 1; i < lay.Times.size(); ++i) {
            const std::int64_t ll_minutes = (lay.Times[i].llTicks - lay.Times[i - 1].llTicks) / ll_minute;
            const int i_row = lay.Times[i].iY - lay.Times[i - 1].iY;
            const int i_expected =
                std::max<int>(lay.iMinRowHeight, static_cast<int>(ll_minutes * 60 / lay.llScaleSeconds) + 4);
            EXPECT_EQ(i_row, i_expected) << ll_minutes << " minutes";
            m_rows[ll_minutes] = i_row;
        }
        ASSERT_EQ(m_rows.count(30), 1u);
        ASSERT_EQ(m_rows.count(60), 1u);
        EXPECT_LT(m_rows[30] * 3, m_rows[60] * 2) << "a half hour as tall as " << m_rows[30] << ", an hour "
                                                  << m_rows[60];
    }
}

// A group's name in the heading breaks only where it does not fit across
// the page: a name wider than a fifth of the page stays on one line, and
// one wider than the page breaks between words into lines that fit.
TEST(TTPrintHeading, GroupNameBreaksOnlyWhereItDoesNotFitThePage)
{
    const std::string s_long = "Strings Sectional of the Upper Valley Youth Orchestra and Friends";
    EventBuilder event;
    event.Name("Camp").Days({"Monday"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).TwentyFourHour().Venue("Hall");
    event.Group("Strings Sectional").Group(s_long).Timetable();
    event.Place(0, "Hall", "09:00", "Strings Sectional").Place(0, "Hall", "10:00", s_long);
    event.Doc().GetPrintOptions().ePrintBy = PrintOptions::eGroups;
    struct Case {
        std::string sName;
        int iItem;
        std::vector<std::string> vLines;
    };
    const Case a_cases[] = {
        {"Strings Sectional", 0, {"Strings Sectional"}},
        {s_long, 1, {"Strings Sectional of the Upper Valley Youth ", "Orchestra and Friends"}},
    };
    for (const Case& c : a_cases) {
        FakePrintCanvas dc;
        dc.iHorzRes = 640; // 45 characters of the item's font; a fifth is 9
        TTPrint print(&event.Doc(), c.sName, c.iItem);
        ASSERT_TRUE(print.PrintPage(dc, 0, 1, 1, CHighTime(), CHighTime())) << c.sName;
        std::string s_joined;
        for (const std::string& s_line : c.vLines)
            s_joined += (s_joined.empty() ? "" : "\r\n") + s_line;
        const auto it = std::find_if(dc.vTexts.begin(), dc.vTexts.end(), [](const FakePrintCanvas::Text& t) {
            return t.Font.iPoints == 14;
        });
        ASSERT_NE(it, dc.vTexts.end()) << c.sName;
        EXPECT_EQ(it->sText, s_joined);
        // The lines stand above four fifths of the header, the lowest there.
        const ZelRect rc_header = print.GetLayout()->rcHeader;
        EXPECT_EQ(it->rc.bottom, rc_header.top + rc_header.Height() * 4 / 5);
        const LONG i_line = FakePrintCanvas::LineHeightOf(PrintFont::Swiss(14));
        EXPECT_EQ(it->rc.Height(), static_cast<LONG>(c.vLines.size()) * i_line);
        for (const std::string& s_line : c.vLines)
            EXPECT_LE(static_cast<int>(s_line.size()) * 14, rc_header.Width()) << s_line;
    }
}

// ---- the job

TEST_F(OneDay, JobNumbersPagesThroughItsItems)
{
    // Three days' worth of pages: items of 2x1, 1x1 and 1x2 pages give 5.
    TTPrintJob job(&Doc());
    job.AddItem(std::make_unique<TTPrint>(&Doc(), "a", 0));
    job.AddItem(std::make_unique<TTPrint>(&Doc(), "b", 0));
    job.AddItem(std::make_unique<TTPrint>(&Doc(), "c", 0));
    FakePrintCanvas wide;
    job.CountPages(wide);
    // Overwrite the measured sizes with the case under test.
    auto& v_sizes = const_cast<std::vector<TTPrintJob::PageDim>&>(job.GetPageSizes());
    v_sizes = {{2, 1}, {1, 1}, {1, 2}};
    struct Where {
        int iPage, iItem, iItemPage;
    } a_where[] = {{1, 0, 0}, {2, 0, 1}, {3, 1, 0}, {4, 2, 0}, {5, 2, 1}};
    for (const Where& w : a_where) {
        int i_item = -1, i_itemPage = -1;
        ASSERT_TRUE(job.FindPage(w.iPage, i_item, i_itemPage)) << w.iPage;
        EXPECT_EQ(i_item, w.iItem) << w.iPage;
        EXPECT_EQ(i_itemPage, w.iItemPage) << w.iPage;
    }
    int i_item = 0, i_itemPage = 0;
    EXPECT_FALSE(job.FindPage(6, i_item, i_itemPage));
    EXPECT_FALSE(job.FindPage(0, i_item, i_itemPage));
}

TEST_F(OneDay, JobFooterCountsPagesOverTheWholeJob)
{
    Opts().ePrintBy = PrintOptions::eDays;
    TTPrintJob job(&Doc());
    job.BuildItems(nullptr);
    job.AddItem(std::make_unique<TTPrint>(&Doc(), "Monday again", 0));
    ASSERT_EQ(job.CountPages(dc), 2);
    ASSERT_TRUE(job.PrintPage(dc, 2));
    EXPECT_TRUE(Contains(dc.TextsOn(0), "Page 2 of 2"));
    EXPECT_TRUE(Contains(dc.TextsOn(0), "Monday again"));
    EXPECT_FALSE(job.PrintPage(dc, 3));
}

class Rows : public ITTPrintRows {
public:
    std::vector<int> GetRowItems(int, BOOL b_all) override { return b_all ? std::vector<int>{1, 0} : std::vector<int>{1}; }
    int GetSelectedCount(int) override { return 1; }
};

TEST_F(OneDay, JobTakesTheListRowsInOrderOrOnlyTheSelected)
{
    Opts().ePrintBy = PrintOptions::eGroups;
    Rows rows;
    TTPrintJob job(&Doc());
    Opts().bPrintAll = 1;
    job.BuildItems(&rows);
    ASSERT_EQ(job.GetItemCount(), 2);
    EXPECT_EQ(job.GetItem(0).GetTitle(), "Band");
    EXPECT_EQ(job.GetItem(1).GetTitle(), "Choir");
    Opts().bPrintAll = 0;
    job.BuildItems(&rows);
    ASSERT_EQ(job.GetItemCount(), 1);
    EXPECT_EQ(job.GetItem(0).GetTitle(), "Band");
}

TEST_F(OneDay, OptionsMarkTheEventModifiedUnlessOnlyTheSelectionChanged)
{
    Doc().SetModifiedFlag(false);
    PrintOptions chosen = Opts();
    chosen.bPrintAll = !chosen.bPrintAll;
    TTPrintJob::ApplyOptions(Doc(), chosen);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(Opts().bPrintAll, chosen.bPrintAll);

    chosen.bLandscape = 1;
    TTPrintJob::ApplyOptions(Doc(), chosen);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Opts().bLandscape, 1);
}

TEST_F(OneDay, CanPrintNeedsVenuesGroupsTimeslotsAndAName)
{
    EXPECT_TRUE(TTPrintJob::CanPrint(&Doc()));
    Doc().SetEventName("");
    EXPECT_FALSE(TTPrintJob::CanPrint(&Doc()));
    EXPECT_FALSE(TTPrintJob::CanPrint(nullptr));
}

} // namespace

namespace {

// With every timeslot printed, a day whose first and last timeslots hold
// nothing keeps them: the axis runs from the first timeslot's start to the
// latest end, and every slot start on it has its label, also where the
// empty timeslots are those of a venue that holds nothing (its column is
// left out).
TEST(AllTimeslots, LeadingAndTrailingEmptyTimeslotsKeepTheirRowsAndLabels)
{
    for (const bool b_ownVenue : {false, true}) {
        SCOPED_TRACE(b_ownVenue ? "the empty timeslots are a venue's own" : "every venue's timeslots");
        EventBuilder event;
        event.Name("Summer School").Days({"Monday"}).TwentyFourHour().Venue("Hall").Venue("Room").Venue("Yard");
        if (b_ownVenue) {
            event.VenueSlots(0, "Hall", {"09:00-10:00", "10:00-11:00", "11:00-12:00", "12:00-13:00"})
                .VenueSlots(0, "Room", {"09:00-10:00", "10:00-11:00", "11:00-12:00", "12:00-13:00"})
                .VenueSlots(0, "Yard", {"08:00-09:00", "13:00-14:00"});
        } else {
            event.Slots(-1, {"08:00-09:00", "09:00-10:00", "10:00-11:00", "11:00-12:00", "12:00-13:00", "13:00-14:00"});
        }
        event.Group("Choir").Group("Band").Timetable().Place(0, "Hall", "10:00", "Choir").Place(0, "Room", "11:00", "Band");
        event.Doc().GetPrintOptions().bAllTimeslots = 1;
        for (const LONG e_labels : {0, 1}) {
            SCOPED_TRACE(e_labels);
            event.Doc().GetPrintOptions().eTimeLabels = e_labels;
            FakePrintCanvas dc;
            TTPrint print(&event.Doc(), "Monday", 0);
            ASSERT_EQ(print.GetPageTotal(dc), 1);
            ASSERT_TRUE(print.PrintPage(dc, 0, 1, 1, CHighTime(), CHighTime()));
            const auto v_texts = dc.TextsOn(0);
            for (const char* p_label : {"08:00", "09:00", "10:00", "11:00", "12:00", "13:00"})
                EXPECT_EQ(CountOf(v_texts, p_label), 1) << p_label;
            EXPECT_EQ(CountOf(v_texts, "14:00"), e_labels == 0 ? 1 : 0);
            const TTPrint::Layout& lay = *print.GetLayout();
            EXPECT_EQ(lay.Times.front().llTicks, static_cast<std::int64_t>(EventBuilder::At("08:00")));
            EXPECT_EQ(lay.Times.back().llTicks, static_cast<std::int64_t>(EventBuilder::At("14:00")));
        }
    }
}

} // namespace

namespace {

// A day on which nothing is placed keeps its time axis when every timeslot
// is asked for: a label at each slot start of any venue, from the first
// start to the latest end, and no venue columns (they all hold nothing).
// Without the option it prints no table at all.
TEST(AllTimeslots, EmptyDayPrintsItsTimeAxisAlone)
{
    struct Case {
        LONG eHeight, bGrid, eLabels, bAll;
    };
    const Case a_cases[] = {
        {0, 1, 0, 1}, {0, 1, 1, 1}, {0, 0, 0, 1}, {1, 1, 0, 1}, {1, 0, 1, 1},
        {0, 1, 2, 1}, {0, 1, 0, 0}, {1, 1, 0, 0},
    };
    EventBuilder event;
    event.Name("Summer School").Days({"Monday", "Tuesday"}).TwentyFourHour().Venue("Hall").Venue("Room");
    event.Slots(0, {"09:00-10:00", "10:00-11:00"})
        .VenueSlots(1, "Hall", {"09:00-10:00", "10:00-11:00"})
        .VenueSlots(1, "Room", {"11:00-12:00"});
    event.Group("Choir").Timetable().Place(0, "Hall", "09:00", "Choir");
    for (const Case& c : a_cases) {
        SCOPED_TRACE(testing::Message() << "height " << c.eHeight << " grid " << c.bGrid << " labels " << c.eLabels
                                        << " all " << c.bAll);
        PrintOptions& opts = event.Doc().GetPrintOptions();
        opts.ePrintBy = TTPrint::eDays;
        opts.eSlotHeight = c.eHeight;
        opts.bGridLines = c.bGrid;
        opts.eTimeLabels = c.eLabels;
        opts.bAllTimeslots = c.bAll;
        FakePrintCanvas dc;
        TTPrint print(&event.Doc(), "Tuesday", 1);
        ASSERT_EQ(print.GetPageTotal(dc), 1);
        ASSERT_TRUE(print.PrintPage(dc, 0, 1, 1, CHighTime(), CHighTime()));
        const auto v_texts = dc.TextsOn(0);
        EXPECT_EQ(CountOf(v_texts, "Tuesday"), 1);
        EXPECT_EQ(CountOf(v_texts, "Hall"), 0);
        EXPECT_EQ(CountOf(v_texts, "Room"), 0);
        const bool b_starts = c.bAll && c.eLabels != 2;
        for (const char* p_label : {"09:00", "10:00", "11:00"})
            EXPECT_EQ(CountOf(v_texts, p_label), b_starts ? 1 : 0) << p_label;
        EXPECT_EQ(CountOf(v_texts, "12:00"), b_starts && c.eLabels == 0 ? 1 : 0);
        if (c.bAll && c.eHeight == 0) {
            const TTPrint::Layout& lay = *print.GetLayout();
            ASSERT_FALSE(lay.Times.empty());
            EXPECT_EQ(lay.Times.front().llTicks, static_cast<std::int64_t>(EventBuilder::At("09:00")));
            EXPECT_EQ(lay.Times.back().llTicks, static_cast<std::int64_t>(EventBuilder::At("12:00")));
        }
    }
}

} // namespace
