#include "zelkit/dialogs/ui/ZelReportPrintout.h"

#include "framework/ui/HeldPrintLog.h"
#include "framework/ui/WxText.h"
#include "zelkit/dialogs/ui/ZelReportDlg.h"
#include "zelkit/services/ZelMessages.h"

#include <algorithm>
#include <wx/cmndata.h>
#include <wx/log.h>
#include <wx/settings.h>

ZelReportPrintout::ZelReportPrintout(const ZelReportLayout& layout)
    : wxPrintout(ToWx(layout.sTitle)), Layout(layout)
{
}

bool ZelReportPrintout::MapPage()
{
    wxDC* p_dc = GetDC();
    if (p_dc == nullptr)
        return false;
    MapScreenSizeToPage();
    int i_ppiX = 0, i_ppiY = 0;
    GetPPIScreen(&i_ppiX, &i_ppiY);
    const wxRect rc_printable = GetLogicalPageRect();
    wxRect rc_paper = GetLogicalPaperRect();
    rc_paper.Deflate(kEdgeMm * (i_ppiX > 0 ? i_ppiX : 96) * 10 / 254, kEdgeMm * (i_ppiY > 0 ? i_ppiY : 96) * 10 / 254);
    wxRect rc = rc_printable.Intersect(rc_paper);
    if (rc.IsEmpty())
        rc = rc_printable;
    rcPage = ZelRect{rc.GetLeft(), rc.GetTop(), rc.GetRight() + 1, rc.GetBottom() + 1};
    p_dc->SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    p_dc->SetTextForeground(*wxBLACK);
    p_dc->SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    return true;
}

void ZelReportPrintout::OnPreparePrinting()
{
    vPages.clear();
    if (!MapPage())
        return;
    ZelWxReportCanvas canvas(*GetDC());
    vPages = Layout.Paginate(canvas, rcPage);
}

void ZelReportPrintout::GetPageInfo(int* p_min, int* p_max, int* p_from, int* p_to)
{
    const int n_pages = GetPageCount();
    *p_min = 1;
    *p_max = n_pages;
    *p_from = n_pages > 0 ? 1 : 0;
    *p_to = n_pages;
}

bool ZelReportPrintout::HasPage(int i_page) { return i_page >= 1 && i_page <= GetPageCount(); }

bool ZelReportPrintout::OnPrintPage(int i_page)
{
    if (!HasPage(i_page) || !MapPage())
        return false;
    ZelWxReportCanvas canvas(*GetDC());
    Layout.PrintPageAt(canvas, vPages[static_cast<std::size_t>(i_page - 1)], i_page, rcPage);
    return true;
}

bool ZelPrintReport(wxWindow* p_parent, const ZelReportLayout& layout)
{
    if (layout.Rows.IsEmpty())
        return false;
    wxPrintDialogData data;
    data.SetAllPages(true);
    data.EnablePageNumbers(false);
    data.EnableSelection(false);
    wxPrinter printer(&data);
    ZelReportPrintout printout(layout);
    bool b_printed = false;
    std::string s_reason;
    {
        HeldPrintLog held;
        b_printed = printer.Print(p_parent, &printout, true);
        s_reason = held.GetText();
    }
    if (!b_printed && wxPrinter::GetLastError() == wxPRINTER_ERROR)
        ZelMessageBox("Printer wouldn't initialize" + (s_reason.empty() ? std::string() : "\n" + s_reason), MB_OK);
    return b_printed;
}
