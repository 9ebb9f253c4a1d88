// The printed list columns over a canvas of fixed glyphs: the word
// splitting, the line layout with its cuts and limits, the column layout
// and the margin.
#include "output/PrintColumns.h"
#include "testsupport/FakePrintCanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Words = std::vector<std::string>;

Words Split(const std::string& s_text)
{
    ZelStringArray a_words;
    PrintColumns::SplitWords(s_text, a_words);
    Words v;
    for (int i = 0; i < a_words.GetSize(); ++i)
        v.push_back(a_words[i]);
    return v;
}

// The lines used, each as its words joined.
Words Wrap(IPrintCanvas& dc, int i_maxLines, int i_width, const std::string& s_text)
{
    ZelStringArray a_lines;
    const int n_lines = PrintColumns::WrapText(dc, i_maxLines, i_width, s_text, a_lines);
    EXPECT_LE(n_lines, a_lines.GetSize());
    Words v;
    for (int i = 0; i < n_lines; ++i)
        v.push_back(a_lines[i]);
    return v;
}

TEST(PrintColumns, BreakCharacterSets)
{
    EXPECT_EQ(std::string(PrintColumns::kOpening), "({[<");
    EXPECT_EQ(std::string(PrintColumns::kLineBreak), "\n");
    EXPECT_EQ(std::string(PrintColumns::kSeparators).size(), 31u);
    EXPECT_EQ(PrintColumns::AllBreakChars(),
              std::string("({[<") + "\n" + " \r\t~`!@#$%^&*)_+|-=\\}]:;\"'>,.?/");
}

TEST(PrintColumns, WordsKeepWhatFollowsThemAndOpeningBracketsJoinTheNextWord)
{
    struct Case {
        const char* pText;
        Words vWords;
    } a_cases[] = {
        {"", {}},
        {"Hello, world", {"Hello, ", "world"}},
        {"a(b)c", {"a", "(b)", "c"}},
        {"\n\nfirst\nsecond", {"\n\n", "first\n", "second"}},
        {"  lead", {"  ", "lead"}},
        {"end\n\n", {"end\n\n"}},
        {"a.\nb", {"a.", "\n", "b"}},
        {"((x)) y", {"((x)) ", "y"}},
        {"([", {"(["}},
        {"x<y>", {"x", "<y>"}},
    };
    for (const Case& c : a_cases)
        EXPECT_EQ(Split(c.pText), c.vWords) << "text: " << c.pText;

    // NextWord takes the word off the front of the text.
    std::string s_text = "one two";
    EXPECT_EQ(PrintColumns::NextWord(s_text), "one ");
    EXPECT_EQ(s_text, "two");
}

// Times, dates and numbers stay whole: a separator between two digits
// does not end a word, and a line breaks before them rather than inside.
TEST(PrintColumns, TimesDatesAndNumbersAreNotSplit)
{
    struct Case {
        const char* pText;
        Words vWords;
    } a_cases[] = {
        {"Choir 12:00pm to 1:00pm,", {"Choir ", "12:00pm ", "to ", "1:00pm,"}},
        {"03/06/25 16:00", {"03/06/25 ", "16:00"}},
        {"1.5 hours", {"1.5 ", "hours"}},
        {"Time: 9", {"Time: ", "9"}},
        {"10:a", {"10:", "a"}},
        {"a:1", {"a:", "1"}},
        {"10-12", {"10-", "12"}},
    };
    for (const Case& c : a_cases)
        EXPECT_EQ(Split(c.pText), c.vWords) << "text: " << c.pText;
    FakePrintCanvas dc;
    dc.SelectFont(PrintFont::Swiss(10)); // 10 units a character
    // "Saturday 12:" would fit 12 characters; the time goes down whole.
    EXPECT_EQ(Wrap(dc, -1, 12 * 10, "Saturday 12:00pm"), (Words{"Saturday ", "12:00pm"}));
}

TEST(PrintColumns, ManyOpeningBracketsMakeOneWordWithoutDeepCalls)
{
    const std::string s_text = std::string(200000, '(') + "x";
    EXPECT_EQ(Split(s_text), Words{s_text});
}

TEST(PrintColumns, LinesFillUpToTheWidthAndLineFeedsEndThem)
{
    FakePrintCanvas dc;
    dc.SelectFont(PrintFont::Swiss(10)); // 10 units a character
    struct Case {
        int iMaxLines;
        int iWidth;
        const char* pText;
        Words vLines;
    } a_cases[] = {
        {-1, 100, "aaa bbb ccc ddd", {"aaa bbb ", "ccc ddd"}},
        {-1, 100, "one\ntwo three", {"one\n", "two three"}},
        // A leading run of line feeds is its own word, and a line of its own.
        {-1, 100, "\n\nxy", {"\n\n", "xy"}},
        // With one line (or 0) every word lands on it, however wide.
        {1, 30, "aaa bbb ccc", {"aaa bbb ccc"}},
        {0, 30, "aaa\nbbb", {"aaa\nbbb"}},
        // The last allowed line takes the rest.
        {2, 40, "aaa bbb ccc ddd", {"aaa ", "bbb ccc ddd"}},
        // A line feed at the end adds no line.
        {-1, 100, "done\n", {"done\n"}},
        {-1, 100, "", {}},
    };
    for (const Case& c : a_cases)
        EXPECT_EQ(Wrap(dc, c.iMaxLines, c.iWidth, c.pText), c.vLines) << "text: " << c.pText;
}

TEST(PrintColumns, AWordWiderThanTheColumnIsCutIntoPiecesThatFit)
{
    FakePrintCanvas dc;
    dc.SelectFont(PrintFont::Swiss(10));
    // 30 units hold three characters; the last piece keeps two at least.
    EXPECT_EQ(Wrap(dc, -1, 30, "abcdefgh"), (Words{"abc", "def", "gh"}));
    EXPECT_EQ(Wrap(dc, -1, 30, "abcdefg"), (Words{"abc", "de", "fg"}));
    // A two-character word is never cut; neither is one whose first
    // character alone is too wide.
    EXPECT_EQ(Wrap(dc, -1, 10, "ab"), (Words{"ab"}));
    EXPECT_EQ(Wrap(dc, -1, 5, "abcd"), (Words{"abcd"}));
    // Cut pieces share lines as any words do.
    EXPECT_EQ(Wrap(dc, -1, 60, "x abcdefghij"), (Words{"x ", "abcdef", "ghij"}));
}

TEST(PrintColumns, ColumnsLayOutWithTheMarginAndCountThoseThatFit)
{
    FakePrintCanvas dc;
    PrintColumns cols;
    cols.SetMargin(dc, 2);
    // 2 mm at 600 dots per inch: 200 hundredths of a millimetre x 600 / 2540.
    EXPECT_EQ(cols.GetMargin(), 47);

    cols.SetNumColumns(3);
    EXPECT_EQ(cols.Flag(2), 1);
    EXPECT_EQ(cols.Pair(1), (std::pair<int, int>(-1, -1)));
    EXPECT_EQ(cols.Value(0), -1);
    PrintColumns::PCWidths a_heads(3), a_cells(3);
    a_heads[0] = 100, a_heads[1] = 50, a_heads[2] = 80;
    a_cells[0] = 60, a_cells[1] = 200, a_cells[2] = 80;
    EXPECT_EQ(cols.LayoutColumns(1000, a_heads, a_cells), 3);
    EXPECT_EQ(cols.GetWidth(1), 200);
    EXPECT_EQ(cols.GetPosition(1), 147);
    EXPECT_EQ(cols.GetPosition(2), 147 + 200 + 47);
    EXPECT_EQ(cols.GetRight(), 394 + 80);
    // The first column that passes the page width says how many fit.
    EXPECT_EQ(cols.LayoutColumns(400, a_heads, a_cells), 2);
    EXPECT_EQ(cols.LayoutColumns(100, a_heads, a_cells), 1);
    EXPECT_EQ(cols.LayoutColumns(99, a_heads, a_cells), 0);

    // Width sets of another count lay out nothing.
    PrintColumns::PCWidths a_four(4);
    EXPECT_EQ(cols.LayoutColumns(1000, a_heads, a_four), 0);
    PrintColumns none(0);
    EXPECT_EQ(none.LayoutColumns(1000, PrintColumns::PCWidths(), PrintColumns::PCWidths()), 0);

    // Widening a column moves the later ones.
    cols.LayoutColumns(1000, a_heads, a_cells);
    cols.AddWidth(0, 10);
    EXPECT_EQ(cols.GetWidth(0), 110);
    EXPECT_EQ(cols.GetPosition(1), 157);
    EXPECT_EQ(cols.GetPosition(2), 404);
}

TEST(PrintColumns, HeadingsAreMeasuredInTheirFontAndTheFontIsPutBack)
{
    FakePrintCanvas dc;
    dc.SelectFont(PrintFont::Swiss(8));
    PrintColumns cols(5);
    const char* a_texts[] = {"Name", "E-mail\r\n"};
    EXPECT_EQ(cols.SetTexts(2, a_texts), 2);
    EXPECT_EQ(cols.GetText(1), "E-mail\r\n");
    PrintColumns::PCWidths a_widths(2);
    cols.MeasureTexts(dc, PrintFont::Roman(14), a_widths);
    EXPECT_EQ(a_widths[0], 4 * 14);
    EXPECT_EQ(a_widths[1], 6 * 14);
    EXPECT_EQ(dc.GetFont(), PrintFont::Swiss(8));
    EXPECT_EQ(PrintColumns::GetTextWidth(dc, "ab\r\ncd"), 4 * 8);

    // Copies take every array and the margin.
    PrintColumns copy = cols;
    copy.Value(1) = 7;
    EXPECT_EQ(copy.GetMargin(), 5);
    EXPECT_EQ(copy.GetText(0), "Name");
    EXPECT_EQ(cols.Value(1), -1);
}

} // namespace
