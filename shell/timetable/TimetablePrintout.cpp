#include "shell/timetable/TimetablePrintout.h"

#include "model/EventDoc.h"
#include "output/ui/PrintTTOptionsDlg.h"
#include "output/ui/WxPrintCanvas.h"
#include "shell/lists/ItemListCore.h"
#include "shell/lists/ItemListPrintout.h"
#include "shell/frame/MainFrm.h"
#include <wx/docview.h>
#include "shell/frame/PaneView.h"
#include "shell/frame/RotavexApp.h"

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/printdlg.h>
#include <wx/utils.h>

namespace {

TTOptionsRunner& OptionsRunner()
{
    static TTOptionsRunner f_run;
    return f_run;
}

ItemListCore* ListView(int e_what)
{
    CRotavexApp* p_app = TheApp();
    CMainFrame* p_frame = p_app != nullptr ? p_app->GetMainFrame() : nullptr;
    if (p_frame == nullptr)
        return nullptr;
    const char* p_class = e_what == TTPrint::eGroups   ? kGroupView
                          : e_what == TTPrint::eVenues ? kVenueView
                          : e_what == TTPrint::eParts  ? kParticipantView
                                                       : nullptr;
    return p_class != nullptr ? dynamic_cast<ItemListCore*>(p_frame->FindView(p_class, false)) : nullptr;
}

// How much larger than asked a font must be made on the context for its
// size in points to come out right at i_dpi logical units per inch.
// Contexts differ in how they treat point sizes (a screen's memory context
// scales them by its own pixels per inch, a printer's may not), so the
// context is measured: a large font's line height, against the height the
// same font has on a screen context scaled by its pixels per inch.
double FontScale(wxDC& dc, int i_dpi)
{
    constexpr int kProbe = 100;
    const wxFont probe(wxFontInfo(kProbe).Family(wxFONTFAMILY_SWISS));
    static double d_ratio = 0; // line height over the size in pixels
    if (d_ratio <= 0) {
        wxBitmap bitmap(8, 8);
        wxMemoryDC screen(bitmap);
        screen.SetFont(probe);
        const int i_screenPpi = screen.GetPPI().y > 0 ? screen.GetPPI().y : 96;
        d_ratio = static_cast<double>(screen.GetCharHeight()) / (kProbe * i_screenPpi / 72.0);
        if (d_ratio <= 0)
            d_ratio = 1.15;
    }
    const wxFont previous = dc.GetFont();
    dc.SetFont(probe);
    const int i_height = dc.GetCharHeight();
    dc.SetFont(previous.IsOk() ? previous : *wxNORMAL_FONT);
    if (i_height <= 0)
        return 1.0;
    return kProbe * i_dpi / 72.0 * d_ratio / i_height;
}

} // namespace

// ---------------------------------------------------------------- printout

TimetablePrintout::TimetablePrintout(EventDoc& doc, ITTPrintRows* p_rows)
    : wxPrintout("Timetable"), Doc(doc), pRows(p_rows), Job(&doc)
{
    if (CRotavexApp* p_app = TheApp())
        Margins = p_app->GetPrintMargins();
}

void TimetablePrintout::MapCanvas()
{
    if (!Canvas.MapPrintout(*this, Margins, 0))
        return;
    Canvas.SetFontScale(FontScale(*GetDC(), Canvas.GetDeviceCaps(LOGPIXELSY)));
}

void TimetablePrintout::OnPreparePrinting()
{
    wxBusyCursor wait;
    MapCanvas();
    Job.BuildItems(pRows);
    Job.CountPages(Canvas);
}

void TimetablePrintout::GetPageInfo(int* p_min, int* p_max, int* p_from, int* p_to)
{
    const int n_pages = Job.GetPageCount();
    *p_min = 1;
    *p_max = n_pages;
    *p_from = n_pages > 0 ? 1 : 0;
    *p_to = n_pages;
}

bool TimetablePrintout::HasPage(int i_page) { return i_page >= 1 && i_page <= Job.GetPageCount(); }

bool TimetablePrintout::OnPrintPage(int i_page)
{
    if (!HasPage(i_page))
        return false;
    MapCanvas();
    return Job.PrintPage(Canvas, i_page) != FALSE;
}

void TimetablePrintout::OnEndPrinting()
{
    // The preview ends its printing after every page it draws, and draws
    // the next page without preparing again: its items stay until the
    // preview closes.
    if (!IsPreview())
        Job.Clear();
}

// ------------------------------------------------------------------- rows

std::vector<int> FrameListRows::GetRowItems(int e_what, BOOL b_all)
{
    std::vector<int> v_items;
    ItemListCore* p_view = ListView(e_what);
    if (p_view == nullptr)
        return v_items;
    ZelListModel& list = p_view->GetList();
    if (b_all) {
        for (int i = 0; i < list.GetItemCount(); ++i)
            v_items.push_back(p_view->GetRecordValue(i));
    } else {
        for (int i = list.GetNextItem(-1, LVNI_SELECTED); i >= 0; i = list.GetNextItem(i, LVNI_SELECTED))
            v_items.push_back(p_view->GetRecordValue(i));
    }
    return v_items;
}

int FrameListRows::GetSelectedCount(int e_what)
{
    ItemListCore* p_view = ListView(e_what);
    return p_view != nullptr ? p_view->GetList().GetSelectedCount() : 0;
}

KeptPrintRows::KeptPrintRows(ITTPrintRows& rows)
{
    for (int e_what = TTPrint::eGroups; e_what < nKinds; ++e_what) {
        vAll[e_what] = rows.GetRowItems(e_what, TRUE);
        vSelected[e_what] = rows.GetRowItems(e_what, FALSE);
        aSelectedCounts[e_what] = rows.GetSelectedCount(e_what);
    }
}

std::vector<int> KeptPrintRows::GetRowItems(int e_what, BOOL b_all)
{
    if (e_what < 0 || e_what >= nKinds)
        return {};
    return b_all ? vAll[e_what] : vSelected[e_what];
}

int KeptPrintRows::GetSelectedCount(int e_what)
{
    return e_what >= 0 && e_what < nKinds ? aSelectedCounts[e_what] : 0;
}

// -------------------------------------------------------------------- run

void SetTTOptionsRunner(TTOptionsRunner f_run) { OptionsRunner() = std::move(f_run); }

BOOL RunTimetablePrint(EventDoc& doc, ITTPrintRows* p_rows, BOOL b_preview)
{
    if (!TTPrintJob::CanPrint(&doc))
        return FALSE;
    wxWindow* p_top = wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr;
    {
        PrintTTOptionsDlg dlg(p_top, doc.GetPrintOptions(),
                              p_rows != nullptr ? p_rows->GetSelectedCount(TTPrint::eGroups) : 0,
                              p_rows != nullptr ? p_rows->GetSelectedCount(TTPrint::eVenues) : 0,
                              p_rows != nullptr ? p_rows->GetSelectedCount(TTPrint::eParts) : 0);
        const int i_result = OptionsRunner() ? OptionsRunner()(dlg) : dlg.ShowModal();
        if (i_result != wxID_OK)
            return FALSE;
        TTPrintJob::ApplyOptions(doc, dlg.GetOptions());
    }
    // The preview's printouts keep their own copy of the rows, which lives
    // as long as the preview window.
    std::shared_ptr<KeptPrintRows> sp_rows;
    if (b_preview && p_rows != nullptr)
        sp_rows = std::make_shared<KeptPrintRows>(*p_rows);
    ITTPrintRows* p_printed = b_preview ? sp_rows.get() : p_rows;
    {
        // A job without a timetable to print (no rows of the kind chosen,
        // or no timetable built) is told so, instead of an empty preview
        // or a print of no pages.
        TTPrintJob items(&doc);
        items.BuildItems(p_printed);
        if (items.GetItemCount() == 0)
            return NothingToPrint();
    }
    const BOOL b_landscape = doc.GetPrintOptions().bLandscape;
    CRotavexApp* p_app = TheApp();
    if (p_app != nullptr)
        p_app->SetPortrait(b_landscape ? FALSE : TRUE);
    wxPrintData data = p_app != nullptr ? p_app->GetPrintData() : wxPrintData();
    data.SetOrientation(b_landscape ? wxLANDSCAPE : wxPORTRAIT);
    wxPrintDialogData dialog_data(data);
    if (b_preview) {
        auto* p_printout = new TimetablePrintout(doc, sp_rows.get());
        auto* p_printing = new TimetablePrintout(doc, sp_rows.get());
        p_printout->KeepRows(sp_rows);
        p_printing->KeepRows(sp_rows);
        auto* p_preview = new wxPrintPreview(p_printout, p_printing, &dialog_data);
        if (!p_preview->IsOk()) {
            delete p_preview;
            return FALSE;
        }
        auto* p_frame = new wxPreviewFrame(p_preview, p_top, "Print preview", wxDefaultPosition, wxSize(900, 1000));
        p_frame->Initialize();
        p_frame->Show();
        return TRUE;
    }
    wxPrinter printer(&dialog_data);
    TimetablePrintout printout(doc, p_rows);
    const bool b_printed = PrintOrExplain(printer, p_top, printout);
    if (b_printed && p_app != nullptr)
        p_app->GetPrintData() = printer.GetPrintDialogData().GetPrintData();
    return b_printed ? TRUE : FALSE;
}
