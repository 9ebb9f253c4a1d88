// A list printed as a report on a canvas of fixed glyphs (every character
// as wide as the font's points, a line 12/10 of them high, a page of
// 4800 x 6600 units at 600 units per inch): the fitting stages, the pages
// and their end line, a page printed out of order, and the rows printed.
#include "shell/lists/ItemListReport.h"

#include "framework/MessageBox.h"
#include "shell/lists/ItemListCore.h"
#include "testsupport/FakePrintCanvas.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace {

struct ListParts {
    ZelListModel Model;
    ZelListSort SortState;
};

// Rows whose texts live in the list's cells: the view's records are its
// rows, as the common part hands them out by default.
class TextListView : private ListParts, public ItemListCore {
public:
    TextListView(const std::vector<std::string>& v_titles, const std::vector<std::vector<std::string>>& v_rows)
        : ItemListCore(&static_cast<ListParts&>(*this).Model, static_cast<ListParts&>(*this).SortState)
    {
        for (std::size_t c = 0; c < v_titles.size(); ++c)
            InsertColumn(static_cast<int>(c), v_titles[c]);
        LPARAM l_key = 1;
        for (const auto& v_row : v_rows) {
            for (std::size_t c = 0; c < v_row.size(); ++c)
                AddItem(l_key, static_cast<int>(c), v_row[c]);
            ++l_key;
        }
    }
    void FillList() override {}
    BOOL AddRecordByName(const ZelFullName&, std::string&, BOOL) override { return FALSE; }
    void DoAddDialog() override {}
    void DeleteRecord(LPARAM, BOOL) override {}
    int DoChangeDialog(LPARAM, LPARAM&, int, int) override { return 3; }
    int GetRecordCount() override { return GetList().GetItemCount(); }
    std::string GetPluralTitle() override { return "Venues"; }
    std::string GetSingularTitle() override { return "Venue"; }
    std::string GetSingularNoun() override { return "venue"; }
    std::string GetPluralNoun() override { return "venues"; }
    std::string GetCountNoun() override { return "venue(s)"; }
    BOOL SelectPrintColumns() override { return TRUE; }
};

std::vector<std::vector<std::string>> NumberedRows(int n_rows)
{
    std::vector<std::vector<std::string>> v;
    for (int i = 0; i < n_rows; ++i)
        v.push_back({"Row " + std::to_string(i), "Hall"});
    return v;
}

// A progress window that records the stages and answers Stop when asked;
// every reading of the clock is 600 ms on.
class FakeProgress : public IReportProgress {
public:
    void Open(ProgressModel& model) override
    {
        pModel = &model;
        ++nOpened;
    }
    void Refresh() override
    {
        if (pModel != nullptr && (vStages.empty() || vStages.back() != pModel->GetDescription()))
            vStages.push_back(pModel->GetDescription());
    }
    void Pump() override
    {
        ++nPumps;
        if (bStop && pModel != nullptr)
            pModel->OnStop();
    }
    void Yield() override {}
    void Close() override { ++nClosed; }
    DWORD GetTickCount() override { return uTicks += 600; }

    ProgressModel* pModel = nullptr;
    bool bStop = false;
    int nOpened = 0, nClosed = 0, nPumps = 0;
    DWORD uTicks = 0;
    std::vector<std::string> vStages;
};

class ItemListReportTest : public ::testing::Test {
protected:
    ScriptedMessageBox Boxes;
    FakePrintCanvas Dc;
    FakeProgress Progress;

    // The body texts of a page (TextOut and cells), without the headings
    // and footer.
    static std::vector<std::string> BodyTexts(const FakePrintCanvas& dc, int i_page, const ItemListReport& report)
    {
        std::vector<std::string> v;
        for (const FakePrintCanvas::Text& t : dc.vTexts) {
            if (t.iPage == i_page && t.iY >= report.rcBody.top && t.iY < report.rcBody.bottom)
                v.push_back(t.sText);
        }
        return v;
    }
    void Print(ItemListReport& report, int i_page)
    {
        Dc.StartPage();
        report.PrintPage(i_page);
    }
};

TEST_F(ItemListReportTest, BandsFollowThePageAndTheHeaderFonts)
{
    TextListView view({"Name", "Place"}, NumberedRows(1));
    ItemListReport report(view, Dc, &Progress);
    ASSERT_TRUE(report.PreparePrint());
    EXPECT_EQ(report.rcHeader.bottom, 660);                 // a tenth of the page
    EXPECT_EQ(report.rcFooter.top, 6600 - 330);             // a twentieth
    EXPECT_EQ(report.rcBody.top, 660 + 47);                 // 2 mm below the header
    EXPECT_EQ(report.rcBody.bottom, 6270 - 47);
    EXPECT_EQ(report.BodyFont, PrintFont::Swiss(11));       // smallest 6, started at 11
    EXPECT_EQ(report.Columns.GetMargin(), 47);

    // On a short page the band is as high as its three lines and the room
    // above the rule: the column headings keep clear of the list's title.
    FakePrintCanvas dc;
    dc.iVertRes = 700;
    ItemListReport low(view, dc, nullptr);
    ASSERT_TRUE(low.PreparePrint());
    EXPECT_EQ(low.rcHeader.bottom, 10 + 29 + 20 + 17 + 2 * ItemListReport::iThickPen);
    low.PrintHeadings();
    LONG i_titleBottom = 0, i_headingTop = 0;
    for (const FakePrintCanvas::Text& t : dc.vTexts) {
        if (t.sText == "Venues")
            i_titleBottom = t.rc.top + FakePrintCanvas::LineHeightOf(t.Font);
        if (t.sText == "Place")
            i_headingTop = t.rc.top;
    }
    EXPECT_GT(i_headingTop, 0);
    EXPECT_LE(i_titleBottom, i_headingTop);
}

TEST_F(ItemListReportTest, EndLineIsSingularOrPluralAndTakesAPageOfItsOwnWhenTheLastIsFull)
{
    // 394 lines of 14 units fit the body of 5516.
    struct Case {
        int nRows;
        int nPages;
        std::string sEnd;
        int iEndPage;
    } a_cases[] = {
        {1, 1, "*** End of report: 1 item printed.", 1},
        {2, 1, "*** End of report: 2 items printed.", 1},
        {393, 1, "*** End of report: 393 items printed.", 1},
        {394, 2, "*** End of report: 394 items printed.", 2},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.nRows);
        FakePrintCanvas dc;
        TextListView view({"Name", "Place"}, NumberedRows(c.nRows));
        ItemListReport report(view, dc, nullptr);
        ASSERT_TRUE(report.PreparePrint());
        ASSERT_EQ(report.CountPrintLines(), c.nPages);
        EXPECT_EQ(report.iLinesPPage, 394);
        for (int i_page = 1; i_page <= c.nPages; ++i_page) {
            dc.StartPage();
            report.PrintPage(i_page);
        }
        const std::vector<std::string> v_body = BodyTexts(dc, c.iEndPage, report);
        ASSERT_FALSE(v_body.empty());
        EXPECT_EQ(v_body.back(), c.sEnd);
        if (c.nRows == 394) {
            EXPECT_EQ(v_body.size(), 1u); // the end line alone
        }
    }
}

TEST_F(ItemListReportTest, APageAskedForFirstStartsWhereThePagesBeforeItEnd)
{
    const auto rows = NumberedRows(1000);
    std::vector<std::string> v_inOrder;
    {
        FakePrintCanvas dc;
        TextListView view({"Name", "Place"}, rows);
        ItemListReport report(view, dc, nullptr);
        ASSERT_TRUE(report.PreparePrint());
        ASSERT_EQ(report.CountPrintLines(), 3);
        for (int i = 1; i <= 3; ++i) {
            dc.StartPage();
            report.PrintPage(i);
        }
        v_inOrder = BodyTexts(dc, 3, report);
    }
    TextListView view({"Name", "Place"}, rows);
    ItemListReport report(view, Dc, nullptr);
    ASSERT_TRUE(report.PreparePrint());
    ASSERT_EQ(report.CountPrintLines(), 3);
    Print(report, 3);
    const std::vector<std::string> v_jump = BodyTexts(Dc, 1, report);
    EXPECT_EQ(v_jump, v_inOrder);
    ASSERT_FALSE(v_jump.empty());
    EXPECT_EQ(v_jump.front(), "Row 788");
    // And back to page 1, as a preview may go.
    Print(report, 1);
    EXPECT_EQ(BodyTexts(Dc, 2, report).front(), "Row 0");
    // The footer numbers the page.
    const auto v_all = Dc.TextsOn(1);
    EXPECT_NE(std::find(v_all.begin(), v_all.end(), " Page 3 of 3"), v_all.end());
}

TEST_F(ItemListReportTest, WithoutPrintAllOnlyTheSelectedRowsPrintInListOrder)
{
    TextListView view({"Name", "Place"}, NumberedRows(5));
    view.SelectItem(3);
    view.SelectItem(1);
    view.SetPrintAll(FALSE);
    ItemListReport report(view, Dc, nullptr);
    ASSERT_TRUE(report.PreparePrint());
    ASSERT_EQ(report.CountPrintLines(), 1);
    Print(report, 1);
    EXPECT_EQ(BodyTexts(Dc, 1, report),
              (std::vector<std::string>{"Row 1", "Hall", "Row 3", "Hall", "*** End of report: 2 items printed."}));
}

TEST_F(ItemListReportTest, FittingLowersTheFontThenAllowsMoreLinesPerCell)
{
    // 500 characters of words: 5500 units at 11 points.
    std::string s_long;
    for (int i = 0; i < 100; ++i)
        s_long += "word ";
    struct Case {
        int iSmallest;
        int iPoints;
        std::vector<int> vAllowed;
        std::vector<std::string> vStages;
    } a_cases[] = {
        {6, 9, {1, 1}, {"Formatting report (font sizing)", "Formatting report (maximising width)"}},
        {10,
         11,
         {1, 2},
         {"Formatting report (font sizing)", "Formatting report (re-sizing some columns)",
          "Formatting report (maximising width)"}},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.iSmallest);
        FakePrintCanvas dc;
        FakeProgress progress;
        TextListView view({"Name", "Notes"}, {{"Hall", s_long}});
        view.iSmallestPoints = c.iSmallest;
        ItemListReport report(view, dc, &progress);
        ASSERT_TRUE(report.PreparePrint());
        EXPECT_EQ(report.BodyFont.iPoints, c.iPoints);
        EXPECT_EQ(report.vAllowedLines, c.vAllowed);
        // The progress window shows each stage's text whole.
        EXPECT_EQ(progress.vStages, c.vStages);
        EXPECT_EQ(progress.nClosed, 1);
        EXPECT_LE(report.Columns.GetRight(), 4800);
        EXPECT_EQ(report.iSeparator, c.vAllowed[1] > 1 ? 3 : 0);
    }
    EXPECT_TRUE(Boxes.Boxes().empty());
}

TEST_F(ItemListReportTest, SpareWidthGoesToAColumnWhoseCellsThenTakeFewerLines)
{
    const auto words = [](int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += "abcd ";
        return s;
    };
    // 90 words do not fit one line at 11 points (the smallest here), so the
    // notes column wraps onto 2 lines of 45 words; the spare width then
    // lets the 80 words of the second row onto one line.
    TextListView view({"Name", "Notes"}, {{"Hall", words(90)}, {"Barn", words(80)}});
    view.iSmallestPoints = 11;
    ItemListReport report(view, Dc, &Progress);
    ASSERT_TRUE(report.PreparePrint());
    EXPECT_EQ(report.BodyFont.iPoints, 11);
    EXPECT_EQ(report.vAllowedLines, (std::vector<int>{1, 2}));
    EXPECT_EQ(report.PrintRecordLines(1, 1), 1);
    EXPECT_EQ(report.PrintRecordLines(0, 1), 2);
    EXPECT_LE(report.Columns.GetRight(), 4800);
    EXPECT_GE(report.Columns.GetWidth(1), 80 * 5 * 11 - 11);
}

TEST_F(ItemListReportTest, TooWideAReportIsRefusedWithItsMessage)
{
    std::vector<std::string> v_titles;
    for (int i = 0; i < 30; ++i)
        v_titles.push_back("Heading number " + std::to_string(i + 10));
    TextListView view(v_titles, {std::vector<std::string>(30, "x")});
    ItemListReport report(view, Dc, &Progress);
    EXPECT_FALSE(report.PreparePrint());
    ASSERT_EQ(Boxes.Boxes().size(), 1u);
    EXPECT_NE(Boxes.Boxes()[0].sText.find("Your print request is too wide."), std::string::npos);
    EXPECT_EQ(Progress.vStages.back(), "Formatting report (re-sizing all columns)");
    EXPECT_EQ(Progress.nClosed, 1);
}

TEST_F(ItemListReportTest, StoppingTheFitEndsThePrintWithoutAMessage)
{
    std::string s_long(2000, 'y');
    TextListView view({"Name", "Notes"}, {{"Hall", s_long + " " + s_long}});
    Progress.bStop = true;
    ItemListReport report(view, Dc, &Progress);
    EXPECT_FALSE(report.PreparePrint());
    EXPECT_TRUE(Boxes.Boxes().empty());
    EXPECT_EQ(Progress.nClosed, 1);
}

TEST_F(ItemListReportTest, NoColumnsOrNoFontsStopThePrintWithTheirErrors)
{
    TextListView no_columns({}, {});
    ItemListReport report1(no_columns, Dc, nullptr);
    EXPECT_FALSE(report1.PreparePrint());

    TextListView view({"Name"}, NumberedRows(2));
    Dc.sRefusedPoints.insert(16);
    ItemListReport report2(view, Dc, nullptr);
    EXPECT_FALSE(report2.PreparePrint());

    ASSERT_EQ(Boxes.Boxes().size(), 2u);
    EXPECT_NE(Boxes.Boxes()[0].sText.find("Your print request is not yet supported."), std::string::npos);
    EXPECT_NE(Boxes.Boxes()[1].sText.find("cannot provide a font"), std::string::npos);
}

TEST_F(ItemListReportTest, HeadingsAndFooterCarryTheEventTitleTimeAndFile)
{
    TextListView view({"Name", "Place"}, NumberedRows(3));
    ItemListReport report(view, Dc, nullptr);
    report.sEventName = "Summer Fair";
    report.sPathName = "/home/ann/events/fair.eve";
    report.dtStart = CHighTime(2026, 3, 7, 14, 5, 9);
    ASSERT_TRUE(report.PreparePrint());
    ASSERT_EQ(report.CountPrintLines(), 1);
    Print(report, 1);
    const auto v = Dc.TextsOn(1);
    for (const char* p : {"Summer Fair", "Venues", "Name", "Place", "Printed: 07-Mar-2026 14:05:09 ",
                          "File: /home/ann/events/fair.eve", " Page 1 of 1"})
        EXPECT_NE(std::find(v.begin(), v.end(), p), v.end()) << p;
    // Thick rules under the header and over the footer.
    ASSERT_GE(Dc.vRules.size(), 2u);
    EXPECT_EQ(Dc.vRules[0].iWidth, ItemListReport::iThickPen);
}

} // namespace

namespace {

// Schedules of one to six entries of a line each, as the participant list
// prints them; the widest entry in a schedule of two.
std::vector<std::vector<std::string>> ScheduleRows(int n_rows)
{
    std::vector<std::vector<std::string>> v;
    for (int i = 0; i < n_rows; ++i) {
        std::string s_schedule;
        for (int k = 0; k <= i % 6; ++k)
            s_schedule += (k > 0 ? ",\n" : "") + std::string("Choir ") + std::to_string(k) + " - Saturday 12:00pm to 1:00pm";
        v.push_back({"Member " + std::to_string(i), s_schedule, s_schedule});
    }
    v[1][1] = "The chamber orchestra of the region - Saturday 12:00pm to 1:00pm,\nChoir 1 - Sunday 9:00am to 10:00am";
    return v;
}

// The words of a text, without its separators, line ends and spaces.
std::string Letters(const std::string& s_text)
{
    std::string s;
    for (char c : s_text) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            s += c;
    }
    return s;
}

} // namespace

// However the fitting sized the columns, every word of every cell prints,
// and the rule between two rows never runs through a line of text.
TEST_F(ItemListReportTest, EveryWordPrintsAndRulesKeepOffTheText)
{
    const auto rows = ScheduleRows(60);
    FakePrintCanvas dc;
    dc.iHorzRes = 900; // about 80 characters across, and some 70 lines down
    dc.iVertRes = 1300;
    TextListView view({"Name", "Groups", "Venues"}, rows);
    ItemListReport report(view, dc, nullptr);
    ASSERT_TRUE(report.PreparePrint());
    const int n_pages = report.CountPrintLines();
    ASSERT_GT(n_pages, 1);
    for (int i = 1; i <= n_pages; ++i) {
        dc.StartPage();
        report.PrintPage(i);
    }
    // The cells' texts come out in order column by column: the letters of
    // each column's cells, page after page, are those of its rows.
    for (int c = 0; c < 3; ++c) {
        std::string s_expected, s_printed;
        for (const auto& v_row : rows)
            s_expected += Letters(v_row[static_cast<std::size_t>(c)]);
        const LONG i_left = report.rcBody.left + report.Columns.GetPosition(c);
        for (const FakePrintCanvas::Text& t : dc.vTexts) {
            if (t.uFlags == ~0u || t.rc.left != i_left || t.iY < report.rcBody.top || t.iY >= report.rcBody.bottom)
                continue;
            s_printed += Letters(t.sText);
            LONG i_width = 0, i_height = 0;
            FakePrintCanvas measure;
            measure.Font = t.Font;
            measure.GetTextExtent(t.sText, i_width, i_height);
            EXPECT_LE(i_width, t.rc.Width()) << "cut at the column's edge: " << t.sText;
        }
        EXPECT_EQ(s_printed, s_expected) << "column " << c;
    }
    for (const FakePrintCanvas::Rule& rule : dc.vRules) {
        if (rule.iWidth != ItemListReport::iThinPen)
            continue;
        for (const FakePrintCanvas::Text& t : dc.vTexts) {
            if (t.iPage == rule.iPage && t.uFlags != ~0u && t.rc.top < rule.ptFrom.y && rule.ptFrom.y < t.rc.bottom)
                ADD_FAILURE() << "page " << rule.iPage << ": a rule through " << t.sText;
        }
    }
}
