// A list view's report on a printer or in the preview window: the
// fitting's progress window, and the printout that runs ItemListReport page
// by page on the program's print canvas.
//
// The device context is scaled so that one logical unit is one pixel of the
// screen (fonts in points then come out alike on paper and in the preview);
// the canvas reports the page inside the margins in those units and the
// screen's pixels per inch.
#pragma once

#include "output/ui/WxPrintCanvas.h"
#include "shell/lists/ItemListReport.h"

#include <memory>
#include <wx/print.h>

class ItemListView;
class TTProgressDlg;

// The progress window of the fitting (the general progress dialog), pumped
// by yielding to the user's input and the window's own events.
class WxReportProgress : public IReportProgress {
public:
    ~WxReportProgress() override;
    void Open(ProgressModel& model) override;
    void Refresh() override;
    void Pump() override;
    void Yield() override;
    void Close() override;
    DWORD GetTickCount() override;

private:
    TTProgressDlg* pDlg = nullptr;
};

class ItemListPrintout : public wxPrintout {
public:
    // b_progress: the fitting shows its progress window.
    explicit ItemListPrintout(ItemListView& view, bool b_progress = true);
    ~ItemListPrintout() override;

    void OnPreparePrinting() override;
    void GetPageInfo(int* p_min, int* p_max, int* p_from, int* p_to) override;
    bool HasPage(int i_page) override;
    bool OnPrintPage(int i_page) override;

    int GetPageCount() const { return nPages; }
    ItemListReport* GetReport() { return pReport.get(); }
    // The canvas the report measures and draws on, mapped for the last page.
    IPrintCanvas& GetCanvas() { return Canvas; }
    // The margins of the pages: those of page set-up from the start.
    void SetMargins(const PrintMargins& margins) { Margins = margins; }
    // The print data of the printer that prints it, through which a report
    // that cannot be fitted ends the printer's job.
    void SetPrinterData(const wxPrintData& data) { PrinterData = data; }

private:
    // Scales the context and points the canvas at it.
    void MapCanvas();

    ItemListView& View;
    PrintMargins Margins;
    wxPrintData PrinterData;
    WxPrintCanvas Canvas;
    std::unique_ptr<WxReportProgress> pProgress;
    std::unique_ptr<ItemListReport> pReport;
    int nPages = 0;
    bool bJobEnded = false;
};

// Prints the view's report (the printer dialog first), or opens the preview
// window on it; FALSE when nothing came of it. With no rows to print the
// user is told so, and neither the printer dialog nor the preview opens.
BOOL RunListPrint(ItemListView& view, BOOL b_preview);

// Tells the user that a print or preview has nothing to print; FALSE.
BOOL NothingToPrint();
