#include "shell/lists/ItemListPrintout.h"

#include "framework/ui/WxText.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "shell/lists/ItemListView.h"
#include "shell/dialogs/ProgressDlg.h"
#include "shell/frame/RotavexApp.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <wx/app.h>
#include <wx/control.h>
#include <wx/evtloop.h>
#include <wx/printdlg.h>

// ---------------------------------------------------------------- progress

WxReportProgress::~WxReportProgress() { Close(); }

void WxReportProgress::Open(ProgressModel& model)
{
    if (wxTheApp == nullptr || pDlg != nullptr)
        return;
    pDlg = new TTProgressDlg(model, 164);
    if (!pDlg->Open(wxTheApp->GetTopWindow())) {
        pDlg->Destroy();
        pDlg = nullptr;
    }
}

void WxReportProgress::Refresh()
{
    if (pDlg != nullptr)
        pDlg->RenderChanges();
}

void WxReportProgress::Pump()
{
    if (wxEventLoopBase* p_loop = wxEventLoopBase::GetActive())
        p_loop->YieldFor(wxEVT_CATEGORY_UI | wxEVT_CATEGORY_USER_INPUT);
}

void WxReportProgress::Yield() { std::this_thread::sleep_for(std::chrono::milliseconds(10)); }

void WxReportProgress::Close()
{
    if (pDlg == nullptr)
        return;
    pDlg->Detach();
    pDlg->Destroy();
    pDlg = nullptr;
}

DWORD WxReportProgress::GetTickCount()
{
    return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                  std::chrono::steady_clock::now().time_since_epoch())
                                  .count());
}

// ---------------------------------------------------------------- printout

ItemListPrintout::ItemListPrintout(ItemListView& view, bool b_progress)
    : wxPrintout(ToWx(view.GetPluralTitle())), View(view)
{
    if (CRotavexApp* p_app = TheApp())
        Margins = p_app->GetPrintMargins();
    if (b_progress)
        pProgress = std::make_unique<WxReportProgress>();
}

ItemListPrintout::~ItemListPrintout() = default;

void ItemListPrintout::MapCanvas()
{
    int i_ppiX = 0, i_ppiY = 0;
    GetPPIScreen(&i_ppiX, &i_ppiY);
    Canvas.MapPrintout(*this, Margins, i_ppiY > 0 ? i_ppiY : 96);
}

void ItemListPrintout::OnPreparePrinting()
{
    nPages = 0;
    bJobEnded = false;
    MapCanvas();
    pReport = std::make_unique<ItemListReport>(View, Canvas, pProgress.get());
    if (EventDoc* p_doc = View.GetEventDoc()) {
        View.iSmallestPoints = static_cast<int>(p_doc->GetPreferences().GetReportFontSize());
        pReport->sEventName = p_doc->GetEventName();
        pReport->sPathName = p_doc->GetPathName();
    }
    if (pReport->PreparePrint()) {
        nPages = pReport->CountPrintLines();
        pReport->dtStart = CHighTime::GetPresentTime();
    }
    // A report that could not be fitted (the user was told why, unless they
    // stopped the fitting) ends the printer's job here: nothing reaches the
    // printer, and nothing more is said.
    bJobEnded = nPages == 0 && EndPrinterJob(*this, PrinterData);
}

void ItemListPrintout::GetPageInfo(int* p_min, int* p_max, int* p_from, int* p_to)
{
    // A preview must have a page to show, even for a report that could not
    // be fitted: the preview is then closed at once, never shown. So must
    // a printer's job that has been ended: that page is never drawn.
    const int n_shown = IsPreview() || bJobEnded ? std::max(nPages, 1) : nPages;
    *p_min = 1;
    *p_max = n_shown;
    *p_from = n_shown > 0 ? 1 : 0;
    *p_to = n_shown;
}

bool ItemListPrintout::HasPage(int i_page) { return i_page >= 1 && i_page <= nPages; }

bool ItemListPrintout::OnPrintPage(int i_page)
{
    if (!pReport || !HasPage(i_page))
        return false;
    MapCanvas();
    pReport->PrintPage(i_page);
    return true;
}

BOOL NothingToPrint()
{
    ShowMessageBox("There is nothing to print.", MB_OK | MB_ICONINFORMATION);
    return FALSE;
}

BOOL RunListPrint(ItemListView& view, BOOL b_preview)
{
    if ((view.GetPrintAll() ? view.GetRowCount() : view.GetList().GetSelectedCount()) == 0)
        return NothingToPrint();
    CRotavexApp* p_app = TheApp();
    wxPrintData data = p_app != nullptr ? p_app->GetPrintData() : wxPrintData();
    data.SetOrientation(view.GetLandscape() ? wxLANDSCAPE : wxPORTRAIT);
    if (p_app != nullptr)
        p_app->SetPortrait(view.GetLandscape() ? FALSE : TRUE);
    wxPrintDialogData dialog_data(data);
    wxWindow* p_top = wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr;
    if (b_preview) {
        auto* p_preview = new wxPrintPreview(new ItemListPrintout(view), new ItemListPrintout(view), &dialog_data);
        if (!p_preview->IsOk()) {
            delete p_preview;
            return FALSE;
        }
        auto* p_frame = new wxPreviewFrame(p_preview, p_top, "Print preview", wxDefaultPosition, wxSize(800, 900));
        p_frame->Initialize();
        // The preview fits the report when it first draws a page; a report
        // that could not be fitted (the user was told why) shows nothing.
        p_preview->RenderPage(1);
        const auto* p_printout = dynamic_cast<ItemListPrintout*>(p_preview->GetPrintout());
        if (p_printout == nullptr || p_printout->GetPageCount() == 0) {
            // Closing (not only destroying) gives the other windows back.
            p_frame->Close(true);
            return FALSE;
        }
        p_frame->Show();
        return TRUE;
    }
    wxPrinter printer(&dialog_data);
    ItemListPrintout printout(view);
    printout.SetPrinterData(printer.GetPrintDialogData().GetPrintData());
    return PrintOrExplain(printer, p_top, printout) ? TRUE : FALSE;
}
