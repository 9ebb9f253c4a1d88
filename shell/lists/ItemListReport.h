// A list view printed as a report, without a window: the header band (the
// event's name, the list's title, the column headings), the body of rows
// whose cells wrap onto several lines, the footer (print time, file, page
// number) and the closing "End of report" line; and before that the fitting
// of the chosen columns to the page width: a smaller font first, then more
// lines per cell, and finally the spare width given to the columns that
// profit most, with its progress shown and a way to stop it.
//
// It draws on a print canvas (output/PrintCanvas.h) and asks the list view
// (its core, shell/lists/ItemListCore.h) for the rows, column titles and texts.
#pragma once

#include "engine/ProgressModel.h"
#include "framework/Types.h"
#include "output/PrintCanvas.h"
#include "output/PrintColumns.h"
#include "zelkit/datetime/CHighTime.h"
#include "zelkit/base/ZelStringArray.h"

#include <string>
#include <vector>

class ItemListCore;

// The progress window of the fitting, with the pump of the thread's events
// and the tick count that paces it.
class IReportProgress {
public:
    virtual ~IReportProgress() = default;
    // Shows the window over the model.
    virtual void Open(ProgressModel& model) = 0;
    // Puts the model's changes on screen.
    virtual void Refresh() = 0;
    // Dispatches the events waiting for the thread.
    virtual void Pump() = 0;
    // Gives the processor away for a moment.
    virtual void Yield() = 0;
    virtual void Close() = 0;
    virtual DWORD GetTickCount() = 0;
};

class ItemListReport {
public:
    // Header fonts, body size limits and the pens.
    static constexpr int nHeaderFonts = 3;
    static constexpr int iThickPen = 6;
    static constexpr int iThinPen = 1;
    static constexpr int iBodyStartPoints = 11;
    // The sample whose height makes a header font's line.
    static const char* const kSample;

    // Results of a font fit.
    enum class Fit { Fits, NoFit, Cancelled };

    // p_progress may be null: the fitting then shows nothing and cannot be
    // stopped.
    ItemListReport(ItemListCore& view, IPrintCanvas& dc, IReportProgress* p_progress);

    // ---- as the framework calls a print ----
    // The rows, fonts, bands and fitting; FALSE when printing must stop
    // (the user was told why, unless they stopped it themselves).
    BOOL PreparePrint();
    // The number of pages (0: nothing to print); the position goes back to
    // the first row.
    int CountPrintLines();
    // Page i_page (from 1): headings, body, header and footer.
    void PrintPage(int i_page);

    BOOL FitReport();
    void PrintHeadings();
    void PrintColumnTexts(LONG i_y);
    void PrintBody(int i_page);
    void PrintHeaderFooter(int i_page);
    // One page laid out as PrintBody prints it, without drawing; the lines
    // left free on it.
    int PaginateReport();
    // The lines the cell takes at its column's width and allowed lines.
    int PrintRecordLines(int i_row, int i_column);

    // ---- what the report holds ----
    // The list rows printed, in list order.
    std::vector<int> vRows;
    PrintColumns Columns;
    // Lines each column allows.
    std::vector<int> vAllowedLines;
    std::vector<int> vRowLines;
    PrintFont aHeaderFonts[nHeaderFonts] = {PrintFont::Roman(24), PrintFont::Swiss(16), PrintFont::Roman(14)};
    PrintFont FooterFont = PrintFont::Roman(9, true);
    PrintFont BodyFont = PrintFont::Swiss(iBodyStartPoints);
    PrintFont ExtraFont = PrintFont::Roman(12);
    ZelRect rcPage, rcHeader, rcFooter, rcBody;
    int iLinesPPage = 0;
    LONG iLineHeight = 0;
    int nPages = 0;
    int iLastPrintedPage = 0;
    int iCurRow = 0;
    int iCurLine = 0;
    // 0 none, 1 blank line, 2 rule, 3 both.
    int iSeparator = 0;
    CHighTime dtStart;
    std::string sEventName;
    std::string sPathName;

private:
    // Lays out (and with b_draw prints) one page from the current row and
    // line; the lines left free after the rows.
    int LayoutPage(bool b_draw);
    // The row's cells wrapped at their columns; the row's line count.
    int WrapRow(int i_printRow, std::vector<ZelStringArray>& v_cells, std::vector<int>& v_counts);
    std::string RecordText(int i_printRow, int i_column);
    void MeasureColumns();
    BOOL TryLayout(bool b_scale);
    BOOL TryLayoutAll();
    Fit FitFontSize(int& i_points, int i_smallest);
    BOOL SelectBody(int i_points);
    bool Widen(int i_column, int i_printRow, int i_spare);
    int Spare() const;
    // The progress: a stage, a step, the pump every 500 ms.
    void Stage(int i_stage, const char* p_what, int n_steps);
    void Step();
    BOOL PumpCancelled();
    void CloseProgress();
    BOOL Message(UINT u_id);

    ItemListCore& View;
    IPrintCanvas& Dc;
    IReportProgress* pProgress;
    ProgressModel Progress{"Building report"};
    DWORD uOpened = 0;
    DWORD uLastPump = 0;
    bool bProgressOpen = false;
    PrintColumns::PCWidths HeadingWidths;
    // Per column: the printed row with the widest text, its line count and
    // whether it has line feeds.
    std::vector<int> vWideRow;
    std::vector<int> vWideLines;
};
