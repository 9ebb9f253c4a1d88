// The column model of printed lists: one heading text per column, each
// column's width and left position in the printer's logical units, and the
// gap between columns. It measures texts on a print canvas, decides how
// many columns fit a page, and breaks a cell's text into words and lines
// that fit a column. A colon, solidus or full stop between two digits does
// not break a line, so that times, dates and numbers stay whole.
//
// Besides, every column carries a flag, a pair and a value whose meaning
// belongs to whoever lays the columns out; they are only allocated,
// initialised and copied here.
#pragma once

#include "framework/Types.h"
#include "output/PrintCanvas.h"
#include "zelkit/base/ZelStringArray.h"

#include <string>
#include <utility>
#include <vector>

class PrintColumns {
public:
    // One width per column.
    class PCWidths {
    public:
        explicit PCWidths(int n_count = 0) : vWidths(n_count > 0 ? static_cast<std::size_t>(n_count) : 0, 0) {}
        int GetCount() const { return static_cast<int>(vWidths.size()); }
        void SetCount(int n_count) { vWidths.assign(n_count > 0 ? static_cast<std::size_t>(n_count) : 0, 0); }
        int& operator[](int i) { return vWidths[static_cast<std::size_t>(i)]; }
        int operator[](int i) const { return vWidths[static_cast<std::size_t>(i)]; }

    private:
        std::vector<int> vWidths;
    };

    // The break characters: before a word, ending a line, after a word.
    static const char* const kOpening;
    static const char* const kLineBreak;
    static const char* const kSeparators;
    // All three, in that order.
    static const std::string& AllBreakChars();

    // No columns, the margin not set (-1).
    PrintColumns() = default;
    explicit PrintColumns(int i_margin);
    PrintColumns(const PrintColumns&) = default;
    PrintColumns& operator=(const PrintColumns&) = default;

    // Drops every column and makes n new ones: empty texts, widths and
    // positions 0, flags 1, pairs (-1, -1), values -1. Below 1: none.
    void SetNumColumns(int n_cols);
    int GetNumColumns() const { return nCols; }
    // The heading texts; a different count makes the columns anew first.
    int SetTexts(int n_texts, const char* const* p_texts);
    int SetTexts(int n_texts, const std::string* p_texts);
    const std::string& GetText(int i_col) const { return vTexts[Index(i_col)]; }

    // The gap between columns: i_mm millimetres in the canvas's units.
    void SetMargin(IPrintCanvas& dc, int i_mm);
    int GetMargin() const { return iMargin; }

    int GetPosition(int i_col) const { return vPositions[Index(i_col)]; }
    int GetWidth(int i_col) const { return vWidths[Index(i_col)]; }
    // The right edge of the last column; 0 without columns.
    int GetRight() const { return nCols > 0 ? GetPosition(nCols - 1) + GetWidth(nCols - 1) : 0; }

    int& Flag(int i_col) { return vFlags[Index(i_col)]; }
    std::pair<int, int>& Pair(int i_col) { return vPairs[Index(i_col)]; }
    int& Value(int i_col) { return vValues[Index(i_col)]; }
    int Flag(int i_col) const { return vFlags[Index(i_col)]; }
    const std::pair<int, int>& Pair(int i_col) const { return vPairs[Index(i_col)]; }
    int Value(int i_col) const { return vValues[Index(i_col)]; }

    // The width of each heading in the font, for as many columns as both
    // hold; the canvas's font is put back after.
    void MeasureTexts(IPrintCanvas& dc, const PrintFont& font, PCWidths& a_widths) const;
    // Widens a column and moves every later one along.
    void AddWidth(int i_col, int i_extra);
    // Each column as wide as the wider of its two widths, placed left to
    // right with the margin between; the number of leading columns that
    // fit the page width. 0 when there are no columns or a width set has
    // another count.
    int LayoutColumns(int i_pageWidth, const PCWidths& a_widths1, const PCWidths& a_widths2);

    // The width of the text without its carriage returns and line feeds.
    static int GetTextWidth(IPrintCanvas& dc, const std::string& s_text);
    // Takes the next word off the front of the text: a word keeps the
    // separators or line feeds that follow it, and an opening bracket
    // joins the word after it.
    static std::string NextWord(std::string& s_text);
    // Every word of the text, in order; their number.
    static int SplitWords(const std::string& s_text, ZelStringArray& a_words);
    // Breaks the words into lines of the column width: below 0 lines
    // without limit, 0 or 1 everything on one line. Each line holds its
    // words as they were split. The line array may hold more (empty)
    // entries than lines used; the result is the number of lines used (0
    // without words).
    static int LayoutWords(IPrintCanvas& dc, int i_maxLines, int i_width, const ZelStringArray& a_words,
                           ZelStringArray& a_lines);
    static int WrapText(IPrintCanvas& dc, int i_maxLines, int i_width, const std::string& s_text,
                        ZelStringArray& a_lines);

private:
    std::size_t Index(int i_col) const;

    int nCols = 0;
    std::vector<std::string> vTexts;
    std::vector<int> vPositions;
    std::vector<int> vWidths;
    int iMargin = -1;
    std::vector<int> vFlags;
    std::vector<std::pair<int, int>> vPairs;
    std::vector<int> vValues;
};
