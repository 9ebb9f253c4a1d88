#include "shell/lists/ItemListReport.h"

#include "model/General.h"
#include "shell/lists/ItemListCore.h"
#include "zelkit/base/ZelAssert.h"

#include <algorithm>

namespace {

enum : UINT {
    IDS_NO_GRAPHICS = 10001,
    IDS_NOT_SUPPORTED = 10002,
    IDS_TOO_WIDE = 1070,
};

std::string WithoutLineEnds(const std::string& s_text)
{
    std::string s;
    s.reserve(s_text.size());
    for (char c : s_text) {
        if (c != '\r' && c != '\n')
            s += c;
    }
    return s;
}

// The text's own lines (split at line feeds).
std::vector<std::string> OwnLines(const std::string& s_text)
{
    std::vector<std::string> v;
    std::size_t i_from = 0;
    while (true) {
        const std::size_t i = s_text.find('\n', i_from);
        v.push_back(s_text.substr(i_from, i == std::string::npos ? std::string::npos : i - i_from));
        if (i == std::string::npos)
            break;
        i_from = i + 1;
    }
    if (v.size() > 1 && v.back().empty())
        v.pop_back();
    return v;
}

} // namespace

const char* const ItemListReport::kSample
    = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!#~$%^&() +-|[]{}<>.,?/;:_=";

ItemListReport::ItemListReport(ItemListCore& view, IPrintCanvas& dc, IReportProgress* p_progress)
    : View(view), Dc(dc), pProgress(p_progress)
{
}

BOOL ItemListReport::Message(UINT u_id)
{
    ShowMessageId(u_id, "", MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

// ---------------------------------------------------------------- prepare

BOOL ItemListReport::PreparePrint()
{
    vRows.clear();
    if (View.GetPrintAll()) {
        for (int i = 0; i < View.GetRowCount(); ++i)
            vRows.push_back(i);
    } else {
        ZelArray<UINT> a_rows;
        View.GetList().GetSelItems(a_rows);
        for (int i = 0; i < a_rows.GetSize(); ++i)
            vRows.push_back(static_cast<int>(a_rows[i]));
        std::sort(vRows.begin(), vRows.end());
    }

    BodyFont = PrintFont::Swiss(std::max(View.iSmallestPoints, iBodyStartPoints));
    const PrintFont a_fonts[] = {aHeaderFonts[0], aHeaderFonts[1], aHeaderFonts[2], FooterFont, BodyFont, ExtraFont};
    for (const PrintFont& font : a_fonts) {
        PrintFontScope scope(Dc, font);
        if (!scope.IsSelected())
            return Message(IDS_NO_GRAPHICS);
    }

    rcPage = {0, 0, Dc.GetDeviceCaps(HORZRES), Dc.GetDeviceCaps(VERTRES)};
    LONG i_heights = 10;
    for (const PrintFont& font : aHeaderFonts) {
        PrintFontScope scope(Dc, font);
        i_heights += Dc.LineHeight(kSample);
    }
    // The column headings stand two thick pens above the band's rule: the
    // band keeps that room too, so that they stay clear of the list's title.
    i_heights += 2 * iThickPen;
    rcHeader = {rcPage.left, rcPage.top, rcPage.right, rcPage.top + std::max(rcPage.Height() / 10, i_heights)};
    rcFooter = {rcPage.left, rcPage.bottom - rcPage.Height() / 20, rcPage.right, rcPage.bottom};
    const LONG i_gap = Dc.HiMetricToLogical(CSize(200, 200)).cy;
    rcBody = {rcPage.left, rcHeader.bottom + i_gap, rcPage.right, rcFooter.top - i_gap};

    iCurRow = iCurLine = 0;
    iLastPrintedPage = 0;
    iSeparator = 0;
    vRowLines.assign(vRows.size(), 1);

    if (!FitReport())
        return FALSE;
    bool b_multi = std::any_of(vAllowedLines.begin(), vAllowedLines.end(), [](int n) { return n > 1; })
                   || std::any_of(vRowLines.begin(), vRowLines.end(), [](int n) { return n > 1; });
    if (b_multi)
        iSeparator = 3;
    return TRUE;
}

// -------------------------------------------------------------- progress

void ItemListReport::Stage(int i_stage, const char* p_what, int n_steps)
{
    Progress.SetStage(i_stage, std::string("Formatting report ") + p_what, n_steps, TRUE);
    if (pProgress != nullptr && bProgressOpen)
        pProgress->Refresh();
}

void ItemListReport::Step()
{
    Progress.StepIt();
}

BOOL ItemListReport::PumpCancelled()
{
    if (pProgress == nullptr || !bProgressOpen)
        return FALSE;
    const DWORD u_now = pProgress->GetTickCount();
    if (u_now - uLastPump >= 500) {
        uLastPump = u_now;
        pProgress->Refresh();
        pProgress->Pump();
    }
    return Progress.IsStopRequested();
}

void ItemListReport::CloseProgress()
{
    if (pProgress == nullptr || !bProgressOpen)
        return;
    // The window stays up for a second at least, so that it can be read.
    Progress.SetStage(Progress.GetStage(), Progress.GetDescription(), Progress.GetStepMax(), FALSE);
    pProgress->Refresh();
    while (pProgress->GetTickCount() - uOpened <= 1000 && !Progress.IsCancelRequested()) {
        pProgress->Pump();
        pProgress->Yield();
    }
    pProgress->Close();
    bProgressOpen = false;
}

// ---------------------------------------------------------------- fitting

std::string ItemListReport::RecordText(int i_printRow, int i_column)
{
    const int i_row = vRows[static_cast<std::size_t>(i_printRow)];
    return View.GetRecordText(View.GetRecord(i_row), i_column);
}

BOOL ItemListReport::SelectBody(int i_points)
{
    BodyFont = PrintFont::Swiss(i_points);
    return Dc.SelectFont(BodyFont);
}

void ItemListReport::MeasureColumns()
{
    const int n_cols = Columns.GetNumColumns();
    const int n_rows = static_cast<int>(vRows.size());
    vWideRow.assign(static_cast<std::size_t>(n_cols), -1);
    vWideLines.assign(static_cast<std::size_t>(n_cols), 1);
    PrintFontScope scope(Dc, BodyFont);
    for (int c = 0; c < n_cols; ++c) {
        int i_widest = -1;
        int i_widestLine = 0;
        int i_bestAverage = 0;
        for (int r = n_rows - 1; r >= 0; --r) {
            const std::string s_text = RecordText(r, c);
            int i_width = 0;
            int n_lines = 1;
            if (s_text.find('\n') == std::string::npos) {
                i_width = PrintColumns::GetTextWidth(Dc, s_text);
            } else {
                const std::vector<std::string> v_lines = OwnLines(s_text);
                n_lines = static_cast<int>(v_lines.size());
                int i_total = 0;
                for (const std::string& s_line : v_lines) {
                    const int i_w = PrintColumns::GetTextWidth(Dc, s_line);
                    i_width = std::max(i_width, i_w);
                    i_total += i_w;
                }
                auto& n_row = vRowLines[static_cast<std::size_t>(r)];
                n_row = std::max(n_row, n_lines);
                i_bestAverage = std::max(i_bestAverage, i_total / std::max(n_lines, 1));
            }
            if (i_width > i_widest) {
                i_widest = i_width;
                i_widestLine = i_width;
                vWideRow[static_cast<std::size_t>(c)] = r;
                vWideLines[static_cast<std::size_t>(c)] = n_lines;
            }
            View.iSmallestLinesPerCell = std::max(View.iSmallestLinesPerCell, n_lines);
        }
        const int n_wideLines = vWideLines[static_cast<std::size_t>(c)];
        if (n_wideLines > 1 && i_bestAverage > 0) {
            const int i_lines = (i_widestLine + i_bestAverage - 1) / i_bestAverage * n_wideLines;
            View.iLargestLinesPerCell = std::max(View.iLargestLinesPerCell, i_lines);
        }
    }
}

BOOL ItemListReport::TryLayout(bool b_scale)
{
    const int n_cols = Columns.GetNumColumns();
    PrintColumns::PCWidths a_needed(n_cols);
    ZelStringArray a_lines;
    for (int c = 0; c < n_cols; ++c) {
        const int i_row = vWideRow[static_cast<std::size_t>(c)];
        if (i_row < 0)
            continue;
        const std::string s_text = RecordText(i_row, c);
        const int n_allowed = std::max(vAllowedLines[static_cast<std::size_t>(c)], 1);
        int i_wrapAt = 0;
        if (s_text.find('\n') == std::string::npos) {
            i_wrapAt = PrintColumns::GetTextWidth(Dc, s_text) / n_allowed;
        } else {
            const int n_own = vWideLines[static_cast<std::size_t>(c)];
            for (const std::string& s_line : OwnLines(s_text))
                i_wrapAt = std::max(i_wrapAt, PrintColumns::GetTextWidth(Dc, s_line));
            if (b_scale && n_own < n_allowed)
                i_wrapAt = i_wrapAt * 13 * n_own / (10 * n_allowed);
        }
        const int n_used = PrintColumns::WrapText(Dc, n_allowed, std::max(i_wrapAt, 1), s_text, a_lines);
        int i_needed = 0;
        for (int i = 0; i < n_used; ++i)
            i_needed = std::max(i_needed, PrintColumns::GetTextWidth(Dc, a_lines[i]));
        a_needed[c] = i_needed;
    }
    return Columns.LayoutColumns(rcHeader.Width(), HeadingWidths, a_needed) == n_cols;
}

BOOL ItemListReport::TryLayoutAll()
{
    if (TryLayout(true))
        return TRUE;
    const int n_cols = Columns.GetNumColumns();
    bool b_lineFeeds = false;
    for (int c = 0; c < n_cols && !b_lineFeeds; ++c)
        b_lineFeeds = vWideLines[static_cast<std::size_t>(c)] > 1;
    return b_lineFeeds && TryLayout(false);
}

ItemListReport::Fit ItemListReport::FitFontSize(int& i_points, int i_smallest)
{
    while (!TryLayoutAll()) {
        Step();
        --i_points;
        if (i_points < i_smallest)
            return Fit::NoFit;
        if (!SelectBody(i_points))
            return Fit::NoFit;
        if (PumpCancelled())
            return Fit::Cancelled;
    }
    return Fit::Fits;
}

int ItemListReport::Spare() const { return rcHeader.Width() - Columns.GetRight(); }

bool ItemListReport::Widen(int i_column, int i_printRow, int i_spare)
{
    if (vAllowedLines[static_cast<std::size_t>(i_column)] < 2)
        return false;
    const std::string s_text = View.GetCellText(vRows[static_cast<std::size_t>(i_printRow)], i_column);
    ZelStringArray a_lines;
    const int i_width = Columns.GetWidth(i_column);
    const int n_wrapped = PrintColumns::WrapText(Dc, -1, i_width, s_text, a_lines);
    if (n_wrapped <= 1 || s_text.empty())
        return false;
    const int i_step = std::max(1, PrintColumns::GetTextWidth(Dc, s_text) / static_cast<int>(s_text.size()));
    int n_own = 1;
    for (std::size_t i = 0; i + 1 < s_text.size(); ++i)
        n_own += s_text[i] == '\n' ? 1 : 0;
    if (n_own != 1 && n_own >= n_wrapped)
        return false;
    for (int i_extra = i_step; i_extra <= i_spare; i_extra += i_step) {
        if (PrintColumns::WrapText(Dc, -1, i_width + i_extra, s_text, a_lines) < n_wrapped) {
            Columns.AddWidth(i_column, i_extra);
            return true;
        }
    }
    return false;
}

BOOL ItemListReport::FitReport()
{
    const int n_cols = View.GetPrintColumnCount();
    if (n_cols < 1)
        return Message(IDS_NOT_SUPPORTED);
    Columns.SetNumColumns(n_cols);
    std::vector<std::string> v_titles;
    for (int i = 0; i < n_cols; ++i)
        v_titles.push_back(View.GetPrintColumnTitle(i));
    Columns.SetTexts(n_cols, v_titles.data());
    Columns.SetMargin(Dc, 2);
    vAllowedLines.assign(static_cast<std::size_t>(n_cols), 1);
    MeasureColumns();
    HeadingWidths.SetCount(n_cols);
    Columns.MeasureTexts(Dc, aHeaderFonts[2], HeadingWidths);

    const int i_smallest = View.iSmallestPoints;
    const int i_start = std::max(i_smallest, iBodyStartPoints);
    if (!SelectBody(i_start))
        return Message(IDS_NO_GRAPHICS);
    const int n_steps = std::max(i_start - i_smallest + 1, 0);

    Progress.SetNumStages(4);
    if (pProgress != nullptr) {
        pProgress->Open(Progress);
        bProgressOpen = true;
        uOpened = uLastPump = pProgress->GetTickCount();
    }

    bool b_fits = false;
    int i_points = i_start;
    Stage(0, "(font sizing)", n_steps);
    Fit e_fit = FitFontSize(i_points, i_smallest);
    b_fits = e_fit == Fit::Fits;
    if (!b_fits && e_fit != Fit::Cancelled) {
        Stage(1, "(re-sizing some columns)", 2 * n_steps);
        SelectBody(i_start);
        for (int n_lines = 2; n_lines <= 3 && !b_fits; ++n_lines) {
            for (int c = 1; c < n_cols; ++c)
                vAllowedLines[static_cast<std::size_t>(c)] = n_lines;
            i_points = i_start;
            // The first try uses the font the previous pass left.
            e_fit = FitFontSize(i_points, i_smallest);
            if (e_fit == Fit::Cancelled)
                break;
            b_fits = e_fit == Fit::Fits;
        }
    }
    if (!b_fits && e_fit != Fit::Cancelled) {
        Stage(2, "(re-sizing all columns)", (View.iLargestLinesPerCell - 1) * n_steps);
        for (int n_lines = std::max(View.iSmallestLinesPerCell, 2); n_lines <= View.iLargestLinesPerCell && !b_fits;
             ++n_lines) {
            std::fill(vAllowedLines.begin(), vAllowedLines.end(), n_lines);
            i_points = i_start;
            SelectBody(i_start);
            e_fit = FitFontSize(i_points, i_smallest);
            if (e_fit == Fit::Cancelled)
                break;
            b_fits = e_fit == Fit::Fits;
        }
        if (!b_fits && e_fit != Fit::Cancelled) {
            CloseProgress();
            return Message(IDS_TOO_WIDE);
        }
    }
    if (e_fit == Fit::Cancelled) {
        CloseProgress();
        return FALSE;
    }

    // The spare width goes to the columns whose cells then take fewer lines.
    const int n_rows = static_cast<int>(vRows.size());
    Stage(3, "(maximising width)", n_rows * n_cols * 2);
    bool b_cancelled = false;
    for (int c = 0; c < n_cols && Spare() > 0 && !b_cancelled; ++c) {
        bool b_widened = false;
        for (int r = n_rows - 1; r >= 0 && !b_cancelled; --r) {
            if (Widen(c, r, Spare()))
                b_widened = true;
            Step();
            b_cancelled = PumpCancelled();
        }
        if (b_widened && !b_cancelled) {
            int n_most = 1;
            for (int r = 0; r < n_rows; ++r)
                n_most = std::max(n_most, PrintRecordLines(r, c));
            vAllowedLines[static_cast<std::size_t>(c)] = n_most;
        }
    }
    CloseProgress();
    return TRUE;
}

int ItemListReport::PrintRecordLines(int i_row, int i_column)
{
    ZelStringArray a_lines;
    PrintFontScope scope(Dc, BodyFont);
    return PrintColumns::WrapText(Dc, vAllowedLines[static_cast<std::size_t>(i_column)], Columns.GetWidth(i_column),
                                  RecordText(i_row, i_column), a_lines);
}

// ------------------------------------------------------------- the pages

int ItemListReport::CountPrintLines()
{
    nPages = 0;
    if (vRows.empty() || Columns.GetNumColumns() < 1)
        return 0;
    PrintFontScope scope(Dc, BodyFont);
    iLineHeight = Dc.LineHeight(RecordText(0, 0));
    if (iLineHeight <= 0)
        return 0;
    iLinesPPage = static_cast<int>(rcBody.Height() / iLineHeight);
    if (iLinesPPage <= 0)
        return 0;
    iCurRow = iCurLine = 0;
    int i_free = 0;
    while (iCurRow < static_cast<int>(vRows.size())) {
        i_free = PaginateReport();
        ++nPages;
    }
    if (i_free <= 0)
        ++nPages;
    iCurRow = iCurLine = 0;
    iLastPrintedPage = 0;
    return nPages;
}

int ItemListReport::PaginateReport() { return LayoutPage(false); }

int ItemListReport::WrapRow(int i_printRow, std::vector<ZelStringArray>& v_cells, std::vector<int>& v_counts)
{
    const int n_cols = Columns.GetNumColumns();
    v_cells.resize(static_cast<std::size_t>(n_cols));
    v_counts.assign(static_cast<std::size_t>(n_cols), 0);
    int n_lines = 1;
    for (int c = 0; c < n_cols; ++c) {
        // Every word of a cell prints: the lines a column allows guide the
        // fitting, but a cell that needs more takes more rather than
        // losing the rest of its text past the column's edge.
        const auto u = static_cast<std::size_t>(c);
        v_counts[u] = PrintColumns::WrapText(Dc, -1, Columns.GetWidth(c), RecordText(i_printRow, c), v_cells[u]);
        n_lines = std::max(n_lines, v_counts[u]);
    }
    vRowLines[static_cast<std::size_t>(i_printRow)] = n_lines;
    return n_lines;
}

int ItemListReport::LayoutPage(bool b_draw)
{
    ZEL_ASSERT_INFO(iLinesPPage > 0, "pPrintData->iLinesPPage > 0");
    PrintFontScope scope(Dc, BodyFont);
    const int n_rows = static_cast<int>(vRows.size());
    int i_out_lines = 0;
    LONG i_y = rcBody.top;
    std::vector<ZelStringArray> v_cells;
    std::vector<int> v_counts;
    while (iCurRow < n_rows && i_out_lines < iLinesPPage) {
        const int n_lines = WrapRow(iCurRow, v_cells, v_counts);
        ZEL_ASSERT_INFO(n_lines > 0, "n_lines > 0");
        const int i_left = iLinesPPage - i_out_lines;
        int n_take = n_lines - iCurLine;
        if (n_take > i_left) {
            if (i_out_lines == 0 || iCurLine > 0 || n_lines < 3 || i_left > 1)
                n_take = i_left;
            else
                break; // a row of 3 lines or more moves whole to the next page
        }
        ZEL_ASSERT_INFO(n_take + i_out_lines <= iLinesPPage, "n_lines + i_out_lines <= pPrintData->iLinesPPage");
        for (int i_line = iCurLine; i_line < iCurLine + n_take; ++i_line) {
            if (b_draw) {
                for (int c = 0; c < Columns.GetNumColumns(); ++c) {
                    const auto u = static_cast<std::size_t>(c);
                    if (i_line >= v_counts[u])
                        continue;
                    const ZelRect rc{rcBody.left + Columns.GetPosition(c), i_y,
                                     rcBody.left + Columns.GetPosition(c) + Columns.GetWidth(c), i_y + iLineHeight};
                    Dc.DrawText(WithoutLineEnds(v_cells[u][i_line]), rc, DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE);
                }
            }
            i_y += iLineHeight;
        }
        i_out_lines += n_take;
        iCurLine += n_take;
        if (iCurLine < n_lines)
            break; // the row goes on on the next page
        ++iCurRow;
        iCurLine = 0;
        bool b_blank = false;
        if ((iSeparator & 1) && i_out_lines < iLinesPPage) {
            ++i_out_lines;
            i_y += iLineHeight;
            b_blank = true;
        }
        if ((iSeparator & 2) && b_draw) {
            // Half a line above y is the middle of the blank line; with no
            // blank line (none asked for, or the page is full) that would
            // strike through the row's last line, so the rule goes under it.
            const LONG i_rule = b_blank ? i_y - iLineHeight / 2 : i_y;
            Dc.DrawLine(CPoint(rcBody.left, i_rule), CPoint(rcBody.right, i_rule), iThinPen);
        }
    }
    const int i_free = iLinesPPage - i_out_lines;
    if (b_draw && iCurRow >= n_rows && i_free > 0) {
        PrintFont italic = BodyFont;
        italic.bItalic = true;
        PrintFontScope end(Dc, italic);
        const std::string s_end = vRows.size() == 1
                                      ? std::string("End of report: 1 item printed.")
                                      : "End of report: " + std::to_string(vRows.size()) + " items printed.";
        Dc.TextOut(rcBody.left, i_y, "*** " + s_end);
    }
    return i_free;
}

void ItemListReport::PrintBody(int i_page)
{
    if (vRows.empty() || iLinesPPage <= 0)
        return;
    if (i_page != iLastPrintedPage + 1) {
        // Another page than the next (a preview's jump): the pages before it
        // are laid out again, so that it starts at the right row and line.
        int i_from = 1;
        if (i_page > iLastPrintedPage && iLastPrintedPage > 0) {
            i_from = iLastPrintedPage + 1;
        } else {
            iCurRow = iCurLine = 0;
        }
        for (int i = i_from; i < i_page; ++i)
            PaginateReport();
    }
    LayoutPage(true);
    iLastPrintedPage = i_page;
}

void ItemListReport::PrintHeadings()
{
    LONG i_y = rcHeader.top + 10;
    {
        PrintFontScope scope(Dc, aHeaderFonts[0]);
        Dc.DrawText(sEventName, ZelRect{rcHeader.left, i_y, rcHeader.right, rcHeader.bottom},
                    DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
        i_y += Dc.LineHeight(kSample);
    }
    {
        PrintFontScope scope(Dc, aHeaderFonts[1]);
        Dc.DrawText(View.GetPluralTitle(), ZelRect{rcHeader.left, i_y, rcHeader.right, rcHeader.bottom},
                    DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }
    PrintColumnTexts(rcHeader.bottom - 2 * iThickPen);
    Dc.DrawLine(CPoint(rcHeader.left, rcHeader.bottom), CPoint(rcHeader.right, rcHeader.bottom), iThickPen);
}

void ItemListReport::PrintColumnTexts(LONG i_y)
{
    PrintFontScope scope(Dc, aHeaderFonts[2]);
    const LONG i_height = Dc.LineHeight(kSample);
    for (int c = 0; c < Columns.GetNumColumns(); ++c) {
        const LONG i_x = rcBody.left + Columns.GetPosition(c);
        Dc.DrawText(Columns.GetText(c), ZelRect{i_x, i_y - i_height, i_x + Columns.GetWidth(c), i_y},
                    DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
    }
}

void ItemListReport::PrintHeaderFooter(int i_page)
{
    PrintFontScope scope(Dc, FooterFont);
    Dc.DrawLine(CPoint(rcFooter.left, rcFooter.top), CPoint(rcFooter.right, rcFooter.top), iThickPen);
    const UINT u_flags = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP | DT_NOPREFIX;
    const std::string s_page = " Page " + std::to_string(i_page) + " of " + std::to_string(nPages);
    const std::string s_printed = "Printed: " + dtStart.Format("%d-%b-%Y %H:%M:%S ");
    Dc.DrawText(s_page, rcFooter, u_flags | DT_RIGHT);
    Dc.DrawText(s_printed, rcFooter, u_flags | DT_LEFT);
    const ZelRect rc_file{rcFooter.left + Dc.TextWidth(s_printed), rcFooter.top,
                          rcFooter.right - Dc.TextWidth(s_page), rcFooter.bottom};
    Dc.DrawText("File: " + sPathName, rc_file, u_flags | DT_CENTER | DT_PATH_ELLIPSIS);
}

void ItemListReport::PrintPage(int i_page)
{
    PrintHeadings();
    PrintBody(i_page);
    PrintHeaderFooter(i_page);
}
