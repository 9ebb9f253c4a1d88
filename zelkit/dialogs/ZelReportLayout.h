// The printed form of a report: a table of text rows under a title, with
// the date and time and the page number in the footer, each page's column
// widths fitted to its rows, and the last column word-wrapped to the right
// edge of the page.
//
// The layout draws through a small canvas port, so tests measure it with
// fixed glyph metrics and printing draws on a printer's device context.
#pragma once

#include "framework/Types.h"
#include "zelkit/datetime/CHighTime.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/windows/ZelDrawText.h"
#include "zelkit/dialogs/ZelSizingLayout.h"
#include "zelkit/base/ZelStringArray.h"

#include <functional>
#include <string>
#include <vector>

class IZelReportCanvas {
public:
    virtual ~IZelReportCanvas() = default;
    // The width and height of a line of text.
    virtual void GetTextExtent(const std::string& s_text, LONG& i_cx, LONG& i_cy) = 0;
    // Draws a text with its top-left corner at (x, y).
    virtual void TextOut(LONG i_x, LONG i_y, const std::string& s_text) = 0;
    // Draws a text in a rectangle as the DT_ flags place it.
    virtual void DrawText(const std::string& s_text, const ZelRect& rc, UINT u_flags) = 0;
    // False when the page cannot be started.
    virtual bool StartPage() = 0;
    virtual void EndPage() = 0;
    // Gives up the print job.
    virtual void AbortDoc() = 0;
};

class ZelReportLayout {
public:
    // The characters after which the last column may break a line.
    static const char aBreakChars[17];

    std::string sTitle;
    ZelStringArray ColumnTitles;
    ZelArray<ZelStringArray> Rows;
    // The date and time the footer shows; the present time unless a test
    // puts a clock of its own.
    std::function<CHighTime()> fnNow = &CHighTime::GetPresentTime;

    // Where a page begins: its first row, and the lines of that row that
    // earlier pages printed (a row taller than a page goes on over the
    // next).
    struct PageStart {
        int iRow = 0;
        int iRowLinesDone = 0;
        bool operator==(const PageStart&) const = default;
    };

    // Prints every row, page after page, from page 1. Nothing with no
    // rows; a page that cannot be started stops the job with a message.
    void PrintList(IZelReportCanvas& dc, const ZelRect& rc_page);
    // Where each page begins, measured on the canvas without drawing: a
    // printer that asks for its pages by number (and must know how many
    // there are before the first) prints each with PrintPageAt. Empty with
    // no rows.
    std::vector<PageStart> Paginate(IZelReportCanvas& dc, const ZelRect& rc_page);
    // Page i_page (from 1), beginning where Paginate said it does.
    void PrintPageAt(IZelReportCanvas& dc, const PageStart& start, int i_page, const ZelRect& rc_page);
    // One page: title, footer and body. True while rows are left; i_row
    // moves on to the first row not printed.
    BOOL PrintPage(IZelReportCanvas& dc, int& i_row, int i_page, const ZelRect& rc_page);
    BOOL PrintBody(IZelReportCanvas& dc, int& i_row, const ZelRect& rc_body);
    // One row at y; the number of lines it takes (more than 1 when the last
    // column wraps). Only the lines from i_firstLine, at most n_maxLines of
    // them, are drawn (the first drawn at y); nothing in measuring mode.
    int OutputItem(IZelReportCanvas& dc, int i_row, LONG i_y, LONG i_lineHeight, LONG i_gap,
                   const std::vector<LONG>& v_widths, const ZelRect& rc_body, bool b_measureOnly,
                   int i_firstLine = 0, int n_maxLines = INT32_MAX);
    // Wraps the text into lines between x and the right edge and draws
    // them from y down; the number of lines.
    int WrapLines(IZelReportCanvas& dc, LONG i_x, LONG i_y, LONG i_lineHeight, LONG i_right, const std::string& s_text,
                  bool b_measureOnly);
    // The lines WrapLines draws.
    std::vector<std::string> SplitLines(IZelReportCanvas& dc, LONG i_x, LONG i_right, const std::string& s_text);
    // The last break character before i_limit; -1 when none.
    static int FindLastPunct(const std::string& s_text, int i_limit);

    int GetColumnCount() const { return ColumnTitles.GetSize() > 0 ? ColumnTitles.GetSize() : 1; }

private:
    LONG TextWidth(IZelReportCanvas& dc, const std::string& s_text);

    // Lines of the current row already printed on earlier pages, when a
    // row is taller than a page.
    int iRowLinesDone = 0;
};
