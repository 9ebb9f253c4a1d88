// The printed report over a canvas of fixed glyphs: 10 pixels a character,
// 12 pixels a line.
#include "framework/MessageBox.h"
#include "zelkit/dialogs/ZelReportLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class PaperCanvas : public IZelReportCanvas {
public:
    struct Out {
        int iPage;
        LONG iX, iY;
        std::string sText;
    };
    struct Box {
        int iPage;
        std::string sText;
        ZelRect rc;
        UINT uFlags;
    };
    std::vector<Out> vOut;
    std::vector<Box> vBoxes;
    int nPages = 0;
    int iFailPage = 0;
    bool bAborted = false;

    void GetTextExtent(const std::string& s_text, LONG& i_cx, LONG& i_cy) override
    {
        i_cx = 10 * static_cast<LONG>(s_text.size());
        i_cy = 12;
    }
    void TextOut(LONG i_x, LONG i_y, const std::string& s_text) override { vOut.push_back({nPages, i_x, i_y, s_text}); }
    void DrawText(const std::string& s_text, const ZelRect& rc, UINT u_flags) override
    {
        vBoxes.push_back({nPages, s_text, rc, u_flags});
    }
    bool StartPage() override
    {
        if (nPages + 1 == iFailPage)
            return false;
        ++nPages;
        return true;
    }
    void EndPage() override {}
    void AbortDoc() override { bAborted = true; }

    Lines TextsOn(int i_page) const
    {
        Lines v;
        for (const Out& o : vOut) {
            if (o.iPage == i_page)
                v.push_back(o.sText);
        }
        return v;
    }
};

ZelStringArray Strings(std::initializer_list<std::string> a)
{
    ZelStringArray arr;
    for (const std::string& s : a)
        arr.Add(s);
    return arr;
}

TEST(ReportLayout, WrapBreaksAfterTheLastBreakCharacterThatFitsElseHalves)
{
    struct Case {
        LONG i_x, i_right;
        std::string s_text;
        Lines expected;
        const char* what;
    };
    const Case a_cases[] = {
        {0, 200, "alpha, beta gamma", {"alpha, beta gamma"}, "a text that fits stays whole"},
        {0, 120, "alpha, beta gamma", {"alpha, beta ", "gamma"}, "the blank after the second word"},
        {0, 100, "alpha, beta gamma", {"alpha, ", "beta gamma"}, "an earlier blank when the later part is too wide"},
        {0, 60, "alpha, beta gamma", {"alpha,", " beta ", "gamma"}, "the rest keeps its blanks"},
        {20, 80, "alpha, beta gamma", {"alpha,", " beta ", "gamma"}, "wrapping starts at the column's x"},
        {0, 50, "abcdefghijklmnop", {"abcd", "efg", "hijk", "lmnop"}, "no break character: halves"},
        {0, 50, "-abcdefghij", {"-abcd", "efg", "hij"}, "a break only at the start does not count"},
        {100, 50, "abc", {"a", "b", "c"}, "when nothing fits, one character a line"},
        {0, 30, "a:bcdefgh", {"a:", "bcd", "ef", "gh"}, "after a break, the rest is halved"},
    };
    for (const Case& c : a_cases) {
        PaperCanvas dc;
        ZelReportLayout layout;
        EXPECT_EQ(layout.SplitLines(dc, c.i_x, c.i_right, c.s_text), c.expected) << c.what;
        EXPECT_EQ(layout.WrapLines(dc, c.i_x, 7, 12, c.i_right, c.s_text, true), static_cast<int>(c.expected.size()));
        EXPECT_TRUE(dc.vOut.empty()) << "measuring draws nothing";
        layout.WrapLines(dc, c.i_x, 7, 12, c.i_right, c.s_text, false);
        ASSERT_EQ(dc.vOut.size(), c.expected.size());
        EXPECT_EQ(dc.vOut.back().iY, 7 + 12 * static_cast<LONG>(c.expected.size() - 1));
    }
}

TEST(ReportLayout, EveryBreakCharacterCounts)
{
    for (char c : std::string(":;<>,.\"'?/]}-)! ")) {
        const std::string s_text = std::string("abcd") + c + "efghij";
        EXPECT_EQ(ZelReportLayout::FindLastPunct(s_text, 100), 4) << c;
    }
    EXPECT_EQ(ZelReportLayout::FindLastPunct("ab(cd[e{f", 100), -1) << "opening brackets do not break";
    EXPECT_EQ(ZelReportLayout::FindLastPunct("a b c", 3), 1) << "only before the limit";
}

// A report of n_rows rows of three columns on pages of 300 x 200: title
// and footer take 24 pixels each, the body 152, the column titles one line
// and each row one more: 11 rows a page.
struct Report {
    ZelReportLayout layout;
    PaperCanvas dc;
    ZelRect rcPage{0, 0, 300, 200};

    explicit Report(int n_rows)
    {
        layout.sTitle = "Errors";
        layout.ColumnTitles = Strings({"Name", "Code", "Message"});
        for (int i = 0; i < n_rows; ++i)
            layout.Rows.Add(Strings({"row" + std::to_string(i), std::to_string(i), "ok"}));
        layout.fnNow = [] { return CHighTime(2024, 3, 9, 14, 5, 7, 0, 0, 0); };
    }
};

TEST(ReportLayout, PagesCarryTitleDateAndNumberedFooters)
{
    Report report(25);
    report.layout.PrintList(report.dc, report.rcPage);
    ASSERT_EQ(report.dc.nPages, 3);
    std::vector<std::string> v_pages, v_dates;
    for (const PaperCanvas::Box& box : report.dc.vBoxes) {
        if (box.uFlags & DT_RIGHT)
            v_pages.push_back(box.sText);
        else if (box.uFlags & DT_VCENTER)
            v_dates.push_back(box.sText);
        else
            EXPECT_EQ(box.sText, "Errors");
    }
    EXPECT_EQ(v_pages, (std::vector<std::string>{"Page 1", "Page 2", "Page 3"}));
    EXPECT_EQ(v_dates, std::vector<std::string>(3, "09-Mar-2024 14:05:07"));
    EXPECT_EQ(report.dc.vBoxes[0].rc, (ZelRect{0, 0, 300, 24})) << "the title in the top two lines";
    EXPECT_EQ(report.dc.vBoxes[1].rc, (ZelRect{0, 176, 300, 200}));

    const Lines v_first = report.dc.TextsOn(1);
    EXPECT_EQ(Lines(v_first.begin(), v_first.begin() + 3), (Lines{"Name", "Code", "Message"}));
    EXPECT_EQ(v_first.size(), 3u + 11 * 3) << "eleven rows fit on a page";
    EXPECT_EQ(report.dc.TextsOn(3).size(), 3u + 3 * 3);
    // Column x positions: "row10" is 50 wide, the gap "AB" 20.
    const Lines v_second = report.dc.TextsOn(2);
    EXPECT_EQ(v_second[3], "row11");
    EXPECT_EQ(report.dc.vOut[3 + 33 + 4].iX, 70) << "page 2's first column is as wide as its widest text";
}

TEST(ReportLayout, ColumnsAreFittedAfreshOnEveryPage)
{
    Report report(14);
    report.layout.Rows[12][0] = std::string(12, 'W');
    report.layout.PrintList(report.dc, report.rcPage);
    ASSERT_EQ(report.dc.nPages, 2);
    auto x_of = [&](int i_page, const std::string& s) {
        for (const PaperCanvas::Out& o : report.dc.vOut) {
            if (o.iPage == i_page && o.sText == s)
                return o.iX;
        }
        return LONG(-1);
    };
    EXPECT_EQ(x_of(1, "Code"), 50 + 20) << "rows 0 to 11 would fit on page 1";
    EXPECT_EQ(x_of(2, "Code"), 120 + 20);
}

TEST(ReportLayout, ShortRowsLeaveTheirMissingColumnsEmpty)
{
    Report report(0);
    report.layout.Rows.Add(Strings({"only"}));
    report.layout.Rows.Add(Strings({"two", "cols"}));
    report.layout.PrintList(report.dc, report.rcPage);
    EXPECT_EQ(report.dc.TextsOn(1), (Lines{"Name", "Code", "Message", "only", "two", "cols"}));
}

TEST(ReportLayout, WrappedLastColumnTakesMoreLinesAndPushesRowsToTheNextPage)
{
    Report report(11);
    // 28 characters from x 130 (columns of 50 and 40, gaps of 20) on a
    // page 300 wide: 17 characters a line, two lines.
    report.layout.Rows[3][2] = "one two three four five six.";
    report.layout.PrintList(report.dc, report.rcPage);
    ASSERT_EQ(report.dc.nPages, 2);
    const Lines v_first = report.dc.TextsOn(1);
    EXPECT_NE(std::find(v_first.begin(), v_first.end(), "one two three "), v_first.end());
    EXPECT_NE(std::find(v_first.begin(), v_first.end(), "four five six."), v_first.end());
    EXPECT_EQ(report.dc.TextsOn(2), (Lines{"Name", "Code", "Message", "row10", "10", "ok"}));
}

TEST(ReportLayout, RowTallerThanAPageGoesOnOverPagesAndPrintingEnds)
{
    Report report(2);
    report.layout.ColumnTitles = Strings({"Message"});
    std::string s_words;
    for (int i = 0; i < 120; ++i)
        s_words += "xxxxxxxxx "; // three words a line: 40 lines
    report.layout.Rows[0] = Strings({s_words});
    report.layout.PrintList(report.dc, report.rcPage);
    // 11 lines a page: 40 lines take 4 pages, the last with room for the
    // second row.
    ASSERT_EQ(report.dc.nPages, 4);
    EXPECT_EQ(report.dc.TextsOn(1).size(), 1u + 11);
    EXPECT_EQ(report.dc.TextsOn(4).size(), 1u + 7 + 1);

    Report tiny(1);
    tiny.rcPage = {0, 0, 300, 50}; // no room for a single row line
    tiny.layout.PrintList(tiny.dc, tiny.rcPage);
    EXPECT_EQ(tiny.dc.nPages, 1) << "a row goes on a page even when it does not fit";
}

// A printer that asks for its pages by number gets, page for page, what a
// print of the whole list draws: plain pages, a wrapped row pushed over,
// and a row taller than a page going on over several.
TEST(ReportLayout, PagesPrintedByNumberMatchTheWholePrint)
{
    std::string s_tall;
    for (int i = 0; i < 120; ++i)
        s_tall += "xxxxxxxxx ";
    const struct {
        const char* pCase;
        int nRows;
        int iLongRow;
        std::string sLong;
        int nPages;
    } a_cases[] = {
        {"plain", 25, -1, "", 3},
        {"wrapped", 11, 3, "one two three four five six.", 2},
        {"taller than a page", 2, 0, s_tall, 11},
        {"no rows", 0, -1, "", 0},
    };
    for (const auto& c : a_cases) {
        SCOPED_TRACE(c.pCase);
        Report whole(c.nRows);
        if (c.iLongRow >= 0)
            whole.layout.Rows[c.iLongRow][2] = c.sLong;
        whole.layout.PrintList(whole.dc, whole.rcPage);
        ASSERT_EQ(whole.dc.nPages, c.nPages);

        Report paged(c.nRows);
        if (c.iLongRow >= 0)
            paged.layout.Rows[c.iLongRow][2] = c.sLong;
        const std::vector<ZelReportLayout::PageStart> v_starts = paged.layout.Paginate(paged.dc, paged.rcPage);
        ASSERT_EQ(static_cast<int>(v_starts.size()), c.nPages);
        EXPECT_TRUE(paged.dc.vOut.empty() && paged.dc.vBoxes.empty()) << "paginating draws nothing";
        // Backwards: each page stands on its own.
        for (int i_page = c.nPages; i_page >= 1; --i_page) {
            paged.dc.nPages = i_page;
            paged.layout.PrintPageAt(paged.dc, v_starts[static_cast<std::size_t>(i_page - 1)], i_page, paged.rcPage);
        }
        for (int i_page = 1; i_page <= c.nPages; ++i_page) {
            EXPECT_EQ(paged.dc.TextsOn(i_page), whole.dc.TextsOn(i_page)) << "page " << i_page;
            std::vector<std::string> v_whole, v_paged;
            for (const auto& box : whole.dc.vBoxes)
                if (box.iPage == i_page)
                    v_whole.push_back(box.sText);
            for (const auto& box : paged.dc.vBoxes)
                if (box.iPage == i_page)
                    v_paged.push_back(box.sText);
            EXPECT_EQ(v_paged, v_whole) << "page " << i_page;
        }
    }
}

TEST(ReportLayout, PageThatCannotStartStopsTheJobWithAMessage)
{
    ScriptedMessageBox boxes;
    Report report(30);
    report.dc.iFailPage = 2;
    report.layout.PrintList(report.dc, report.rcPage);
    EXPECT_EQ(report.dc.nPages, 1);
    EXPECT_TRUE(report.dc.bAborted);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].sText, "Could not start page");

    Report empty(0);
    empty.layout.PrintList(empty.dc, empty.rcPage);
    EXPECT_EQ(empty.dc.nPages, 0) << "no rows, nothing printed";
}

} // namespace
