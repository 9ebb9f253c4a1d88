#include "zelkit/dialogs/ZelReportLayout.h"

#include "framework/MessageBox.h"
#include "zelkit/services/ZelMessages.h"

#include <algorithm>
#include <cstring>

const char ZelReportLayout::aBreakChars[17] = ":;<>,.\"'?/]}-)! ";

LONG ZelReportLayout::TextWidth(IZelReportCanvas& dc, const std::string& s_text)
{
    LONG i_cx = 0, i_cy = 0;
    dc.GetTextExtent(s_text, i_cx, i_cy);
    return i_cx;
}

void ZelReportLayout::PrintList(IZelReportCanvas& dc, const ZelRect& rc_page)
{
    if (Rows.IsEmpty())
        return;
    int i_row = 0;
    iRowLinesDone = 0;
    BOOL b_more = TRUE;
    for (int i_page = 1; b_more; ++i_page) {
        if (!dc.StartPage()) {
            ZelMessageBox("Could not start page", MB_OK);
            dc.AbortDoc();
            return;
        }
        b_more = PrintPage(dc, i_row, i_page, rc_page);
        dc.EndPage();
    }
}

namespace {

// Measures as the canvas it stands over, and draws nothing.
class MeasuringCanvas : public IZelReportCanvas {
public:
    explicit MeasuringCanvas(IZelReportCanvas& dc) : Dc(dc) {}
    void GetTextExtent(const std::string& s_text, LONG& i_cx, LONG& i_cy) override
    {
        Dc.GetTextExtent(s_text, i_cx, i_cy);
    }
    void TextOut(LONG, LONG, const std::string&) override {}
    void DrawText(const std::string&, const ZelRect&, UINT) override {}
    bool StartPage() override { return true; }
    void EndPage() override {}
    void AbortDoc() override {}

private:
    IZelReportCanvas& Dc;
};

} // namespace

std::vector<ZelReportLayout::PageStart> ZelReportLayout::Paginate(IZelReportCanvas& dc, const ZelRect& rc_page)
{
    std::vector<PageStart> v_pages;
    if (Rows.IsEmpty())
        return v_pages;
    MeasuringCanvas measure(dc);
    int i_row = 0;
    iRowLinesDone = 0;
    BOOL b_more = TRUE;
    for (int i_page = 1; b_more; ++i_page) {
        v_pages.push_back({i_row, iRowLinesDone});
        b_more = PrintPage(measure, i_row, i_page, rc_page);
    }
    iRowLinesDone = 0;
    return v_pages;
}

void ZelReportLayout::PrintPageAt(IZelReportCanvas& dc, const PageStart& start, int i_page, const ZelRect& rc_page)
{
    int i_row = start.iRow;
    iRowLinesDone = start.iRowLinesDone;
    PrintPage(dc, i_row, i_page, rc_page);
    iRowLinesDone = 0;
}

BOOL ZelReportLayout::PrintPage(IZelReportCanvas& dc, int& i_row, int i_page, const ZelRect& rc_page)
{
    LONG i_cx = 0, i_h = 0;
    dc.GetTextExtent("ABCDEFG", i_cx, i_h);
    const ZelRect rc_header{rc_page.left, rc_page.top, rc_page.right, rc_page.top + 2 * i_h};
    const ZelRect rc_footer{rc_page.left, rc_page.bottom - 2 * i_h, rc_page.right, rc_page.bottom};
    const ZelRect rc_body{rc_page.left, rc_header.bottom, rc_page.right, rc_footer.top};

    dc.DrawText(sTitle, rc_header, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    const std::string s_now = fnNow ? fnNow().Format("%d-%b-%Y %H:%M:%S") : std::string();
    dc.DrawText(s_now, rc_footer, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    dc.DrawText("Page " + std::to_string(i_page), rc_footer, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    return PrintBody(dc, i_row, rc_body);
}

BOOL ZelReportLayout::PrintBody(IZelReportCanvas& dc, int& i_row, const ZelRect& rc_body)
{
    const int n_rows = Rows.GetSize();
    if (i_row >= n_rows)
        return FALSE;
    LONG i_gap = 0, i_lineHeight = 0;
    dc.GetTextExtent("AB", i_gap, i_lineHeight);
    i_lineHeight = std::max<LONG>(1, i_lineHeight);

    // This page's column widths: the titles, widened by the rows that would
    // fit at one line each.
    const int n_cols = GetColumnCount();
    std::vector<LONG> v_widths(static_cast<std::size_t>(n_cols), 0);
    for (int c = 0; c < ColumnTitles.GetSize(); ++c)
        v_widths[c] = TextWidth(dc, ColumnTitles[c]);
    LONG i_y = rc_body.top + i_lineHeight;
    for (int r = i_row; r < n_rows && i_y < rc_body.bottom; ++r, i_y += i_lineHeight) {
        const ZelStringArray& row = Rows[r];
        for (int c = 0; c < std::min(n_cols, row.GetSize()); ++c)
            v_widths[c] = std::max(v_widths[c], TextWidth(dc, row[c]));
    }

    LONG i_x = rc_body.left;
    for (int c = 0; c < ColumnTitles.GetSize(); ++c) {
        dc.TextOut(i_x, rc_body.top, ColumnTitles[c]);
        i_x += v_widths[c] + i_gap;
    }

    i_y = rc_body.top + i_lineHeight;
    bool b_printedRow = false;
    while (i_row < n_rows) {
        const int n_total = OutputItem(dc, i_row, i_y, i_lineHeight, i_gap, v_widths, rc_body, true);
        const int n_lines = n_total - iRowLinesDone;
        const int n_room = static_cast<int>((rc_body.bottom - i_y) / i_lineHeight);
        if (n_lines <= n_room) {
            OutputItem(dc, i_row, i_y, i_lineHeight, i_gap, v_widths, rc_body, false, iRowLinesDone);
            i_y += i_lineHeight * n_lines;
            ++i_row;
            iRowLinesDone = 0;
            b_printedRow = true;
            continue;
        }
        if (b_printedRow)
            break;
        // A row taller than the whole body goes on over the next pages; at
        // least one line goes on every page, so printing always ends.
        const int n_part = std::max(1, n_room);
        OutputItem(dc, i_row, i_y, i_lineHeight, i_gap, v_widths, rc_body, false, iRowLinesDone, n_part);
        iRowLinesDone += n_part;
        if (iRowLinesDone >= n_total) {
            ++i_row;
            iRowLinesDone = 0;
        }
        break;
    }
    return i_row < n_rows ? TRUE : FALSE;
}

int ZelReportLayout::OutputItem(IZelReportCanvas& dc, int i_row, LONG i_y, LONG i_lineHeight, LONG i_gap,
                                const std::vector<LONG>& v_widths, const ZelRect& rc_body, bool b_measureOnly,
                                int i_firstLine, int n_maxLines)
{
    const ZelStringArray& row = Rows[i_row];
    const int n_cols = std::min<int>(static_cast<int>(v_widths.size()), row.GetSize());
    const int i_lastCol = static_cast<int>(v_widths.size()) - 1;
    int n_lines = 1;
    LONG i_x = rc_body.left;
    for (int c = 0; c < n_cols; ++c) {
        const std::string& s_text = row[c];
        if (c == i_lastCol && i_x + TextWidth(dc, s_text) > rc_body.right) {
            const std::vector<std::string> v_lines = SplitLines(dc, i_x, rc_body.right, s_text);
            n_lines = static_cast<int>(v_lines.size());
            if (!b_measureOnly) {
                const int i_end = static_cast<int>(std::min<std::int64_t>(n_lines, std::int64_t(i_firstLine) + n_maxLines));
                for (int i = i_firstLine; i < i_end; ++i)
                    dc.TextOut(i_x, i_y + (i - i_firstLine) * i_lineHeight, v_lines[i]);
            }
        } else if (!b_measureOnly && i_firstLine == 0) {
            dc.TextOut(i_x, i_y, s_text);
        }
        i_x += v_widths[c] + i_gap;
    }
    return n_lines;
}

int ZelReportLayout::FindLastPunct(const std::string& s_text, int i_limit)
{
    for (int i = std::min<int>(i_limit, static_cast<int>(s_text.size())) - 1; i >= 0; --i) {
        if (s_text[i] != '\0' && std::strchr(aBreakChars, s_text[i]) != nullptr)
            return i;
    }
    return -1;
}

std::vector<std::string> ZelReportLayout::SplitLines(IZelReportCanvas& dc, LONG i_x, LONG i_right,
                                                     const std::string& s_text)
{
    std::vector<std::string> v_lines;
    std::string s_rest = s_text;
    auto fits = [&](const std::string& s) { return i_x + TextWidth(dc, s) <= i_right; };
    int i_limit = static_cast<int>(s_rest.size());
    while (!s_rest.empty() && !fits(s_rest)) {
        const int i_break = FindLastPunct(s_rest, i_limit);
        if (i_break >= 1) {
            const std::string s_part = s_rest.substr(0, static_cast<std::size_t>(i_break) + 1);
            if (fits(s_part)) {
                v_lines.push_back(s_part);
                s_rest.erase(0, static_cast<std::size_t>(i_break) + 1);
                i_limit = static_cast<int>(s_rest.size());
            } else {
                i_limit = i_break;
            }
            continue;
        }
        // No break character to use: halve until the front part fits (one
        // character at least), and go on halving the rest the same way.
        while (!s_rest.empty() && !fits(s_rest)) {
            std::size_t u_len = s_rest.size();
            while (u_len > 1 && !fits(s_rest.substr(0, u_len)))
                u_len /= 2;
            v_lines.push_back(s_rest.substr(0, u_len));
            s_rest.erase(0, u_len);
        }
        break;
    }
    if (!s_rest.empty() || v_lines.empty())
        v_lines.push_back(s_rest);
    return v_lines;
}

int ZelReportLayout::WrapLines(IZelReportCanvas& dc, LONG i_x, LONG i_y, LONG i_lineHeight, LONG i_right,
                               const std::string& s_text, bool b_measureOnly)
{
    const std::vector<std::string> v_lines = SplitLines(dc, i_x, i_right, s_text);
    if (!b_measureOnly) {
        for (std::size_t i = 0; i < v_lines.size(); ++i)
            dc.TextOut(i_x, i_y + static_cast<LONG>(i) * i_lineHeight, v_lines[i]);
    }
    return static_cast<int>(v_lines.size());
}
