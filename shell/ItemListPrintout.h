// A list view's report on a printer or in the preview window: the print
// canvas over a wx device context, the fitting's progress window, and the
// printout that runs ItemListReport page by page.
//
// The device context is scaled so that one logical unit is one pixel of the
// screen (fonts in points then come out alike on paper and in the preview);
// the canvas reports the printable page in those units and the screen's
// pixels per inch.
#pragma once

#include "output/PrintCanvas.h"
#include "shell/ItemListReport.h"

#include <memory>
#include <wx/dc.h>
#include <wx/print.h>

class ItemListView;
class TTProgressDlg;

class WxPrintCanvas : public IPrintCanvas {
public:
    WxPrintCanvas() = default;
    // The context drawn on, the page's size in its logical units and the
    // units per inch.
    void SetDC(wxDC* p_dc, const wxSize& sz_page, int i_dpi);

    void GetTextExtent(const std::string& s_text, LONG& i_cx, LONG& i_cy) override;
    void TextOut(LONG i_x, LONG i_y, const std::string& s_text) override;
    void DrawText(const std::string& s_text, const ZelRect& rc, UINT u_flags) override;
    bool StartPage() override { return pDc != nullptr; }
    void EndPage() override {}
    void AbortDoc() override {}
    BOOL SelectFont(const PrintFont& font) override;
    PrintFont GetFont() const override { return Font; }
    BOOL DrawLine(const CPoint& pt_from, const CPoint& pt_to, int i_width) override;
    int GetDeviceCaps(int i_index) override;
    CSize HiMetricToLogical(const CSize& size) override;

private:
    wxDC* pDc = nullptr;
    wxSize szPage;
    int iDpi = 96;
    PrintFont Font;
};

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

private:
    // Scales the context and points the canvas at it.
    void MapCanvas();

    ItemListView& View;
    WxPrintCanvas Canvas;
    std::unique_ptr<WxReportProgress> pProgress;
    std::unique_ptr<ItemListReport> pReport;
    int nPages = 0;
};

// Prints the view's report (the printer dialog first), or opens the preview
// window on it; FALSE when nothing came of it.
BOOL RunListPrint(ItemListView& view, BOOL b_preview);
