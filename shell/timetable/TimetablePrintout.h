// The timetable view's printing: the printout that runs one TTPrintJob on
// a printer or in the preview window, the rows of the frame's list views
// that a job by group, venue or participant prints, and the command's run:
// the options dialog, the printer orientation, then the printer or the
// preview.
//
// The printout works in the printer's pixels: the context is scaled so that
// one logical unit is one pixel of the printer, and font sizes are scaled
// by the printer's pixels per inch over the context's own, so that a page
// looks alike on paper, in the preview and on a bitmap. The page it lays
// out is the part of the paper inside page set-up's margins.
#pragma once

#include "output/TTPrint.h"
#include "output/ui/TTPrintWx.h"

#include <functional>
#include <memory>
#include <wx/print.h>

class EventDoc;
class PrintTTOptionsDlg;

class TimetablePrintout : public wxPrintout {
public:
    TimetablePrintout(EventDoc& doc, ITTPrintRows* p_rows);

    // Builds the items and counts the pages.
    void OnPreparePrinting() override;
    void GetPageInfo(int* p_min, int* p_max, int* p_from, int* p_to) override;
    bool HasPage(int i_page) override;
    bool OnPrintPage(int i_page) override;
    // Frees the items.
    void OnEndPrinting() override;

    TTPrintJob& GetJob() { return Job; }
    // The margins of the pages: those of page set-up from the start.
    void SetMargins(const PrintMargins& margins) { Margins = margins; }
    // Keeps the rows alive as long as the printout.
    void KeepRows(std::shared_ptr<ITTPrintRows> sp_rows) { spKeptRows = std::move(sp_rows); }

private:
    void MapCanvas();

    EventDoc& Doc;
    ITTPrintRows* pRows;
    std::shared_ptr<ITTPrintRows> spKeptRows;
    TTPrintJob Job;
    PrintMargins Margins;
    TTPrintCanvasWx Canvas;
};

// The rows of the frame's group, venue and participant views.
class FrameListRows : public ITTPrintRows {
public:
    std::vector<int> GetRowItems(int e_what, BOOL b_all) override;
    int GetSelectedCount(int e_what) override;
};

// The rows as they stood when the print began. A preview window renders
// its pages long after the command that opened it has returned, when the
// rows it was given may be gone and the lists' selections changed.
class KeptPrintRows : public ITTPrintRows {
public:
    explicit KeptPrintRows(ITTPrintRows& rows);
    std::vector<int> GetRowItems(int e_what, BOOL b_all) override;
    int GetSelectedCount(int e_what) override;

private:
    static constexpr int nKinds = 4;
    std::vector<int> vAll[nKinds];
    std::vector<int> vSelected[nKinds];
    int aSelectedCounts[nKinds] = {};
};

// How the options dialog is run: modally, unless a test says otherwise.
using TTOptionsRunner = std::function<int(PrintTTOptionsDlg& dlg)>;
void SetTTOptionsRunner(TTOptionsRunner f_run);

// Print timetable and Preview timetable: nothing for an event that cannot
// be printed; the options dialog (Cancel ends it with nothing changed),
// the options into the document, the orientation into the printer's data,
// then the printer dialog and the print, or the preview window. FALSE when
// nothing was printed or shown.
BOOL RunTimetablePrint(EventDoc& doc, ITTPrintRows* p_rows, BOOL b_preview);
