#include "shell/ItemListPrintout.h"

#include "framework/ui/WxText.h"
#include "model/EventDoc.h"
#include "shell/ItemListView.h"
#include "shell/ProgressDlg.h"
#include "shell/RotavexApp.h"

#include <chrono>
#include <thread>
#include <wx/app.h>
#include <wx/control.h>
#include <wx/evtloop.h>
#include <wx/printdlg.h>

// ------------------------------------------------------------------ canvas

void WxPrintCanvas::SetDC(wxDC* p_dc, const wxSize& sz_page, int i_dpi)
{
    pDc = p_dc;
    szPage = sz_page;
    iDpi = i_dpi > 0 ? i_dpi : 96;
    if (pDc != nullptr) {
        pDc->SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
        pDc->SetTextForeground(*wxBLACK);
        SelectFont(Font);
    }
}

void WxPrintCanvas::GetTextExtent(const std::string& s_text, LONG& i_cx, LONG& i_cy)
{
    i_cx = i_cy = 0;
    if (pDc == nullptr)
        return;
    wxCoord i_w = 0, i_h = 0;
    pDc->GetTextExtent(ToWx(s_text), &i_w, &i_h);
    if (s_text.empty())
        i_h = pDc->GetCharHeight();
    i_cx = i_w;
    i_cy = i_h;
}

void WxPrintCanvas::TextOut(LONG i_x, LONG i_y, const std::string& s_text)
{
    if (pDc != nullptr)
        pDc->DrawText(ToWx(s_text), i_x, i_y);
}

void WxPrintCanvas::DrawText(const std::string& s_text, const ZelRect& rc, UINT u_flags)
{
    if (pDc == nullptr)
        return;
    const wxRect rc_wx(rc.left, rc.top, rc.Width(), rc.Height());
    int i_align = (u_flags & DT_CENTER) ? wxALIGN_CENTER_HORIZONTAL : (u_flags & DT_RIGHT) ? wxALIGN_RIGHT : wxALIGN_LEFT;
    i_align |= (u_flags & DT_VCENTER) ? wxALIGN_CENTER_VERTICAL : (u_flags & DT_BOTTOM) ? wxALIGN_BOTTOM : wxALIGN_TOP;
    wxString s = ToWx(s_text);
    if (u_flags & DT_EXPANDTABS)
        s.Replace("\t", "        ");
    if (u_flags & DT_PATH_ELLIPSIS)
        s = wxControl::Ellipsize(s, *pDc, wxELLIPSIZE_MIDDLE, std::max(rc_wx.width, 1), wxELLIPSIZE_FLAGS_NONE);
    if (u_flags & DT_NOCLIP) {
        pDc->DrawLabel(s, rc_wx, i_align);
        return;
    }
    wxDCClipper clip(*pDc, rc_wx);
    pDc->DrawLabel(s, rc_wx, i_align);
}

BOOL WxPrintCanvas::SelectFont(const PrintFont& font)
{
    if (pDc == nullptr) {
        Font = font;
        return TRUE;
    }
    const wxFont wx_font(wxFontInfo(font.iPoints)
                             .Family(font.eFamily == PrintFont::eRoman ? wxFONTFAMILY_ROMAN : wxFONTFAMILY_SWISS)
                             .Italic(font.bItalic));
    if (!wx_font.IsOk())
        return FALSE;
    pDc->SetFont(wx_font);
    Font = font;
    return TRUE;
}

BOOL WxPrintCanvas::DrawLine(const CPoint& pt_from, const CPoint& pt_to, int i_width)
{
    if (pDc == nullptr)
        return FALSE;
    pDc->SetPen(wxPen(*wxBLACK, std::max(i_width, 1)));
    pDc->DrawLine(pt_from.x, pt_from.y, pt_to.x, pt_to.y);
    return TRUE;
}

int WxPrintCanvas::GetDeviceCaps(int i_index)
{
    switch (i_index) {
    case HORZRES: return szPage.x;
    case VERTRES: return szPage.y;
    case LOGPIXELSX:
    case LOGPIXELSY: return iDpi;
    default: return 0;
    }
}

CSize WxPrintCanvas::HiMetricToLogical(const CSize& size)
{
    const auto conv = [this](LONG l) { return static_cast<LONG>((static_cast<long long>(l) * iDpi + 1270) / 2540); };
    return CSize(conv(size.cx), conv(size.cy));
}

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
    if (b_progress)
        pProgress = std::make_unique<WxReportProgress>();
}

ItemListPrintout::~ItemListPrintout() = default;

void ItemListPrintout::MapCanvas()
{
    wxDC* p_dc = GetDC();
    if (p_dc == nullptr) {
        Canvas.SetDC(nullptr, wxSize(), 96);
        return;
    }
    MapScreenSizeToPage();
    const wxRect rc_page = GetLogicalPageRect();
    int i_ppiX = 96, i_ppiY = 96;
    GetPPIScreen(&i_ppiX, &i_ppiY);
    Canvas.SetDC(p_dc, rc_page.GetSize(), i_ppiY);
    p_dc->SetLogicalOrigin(-rc_page.x, -rc_page.y);
}

void ItemListPrintout::OnPreparePrinting()
{
    nPages = 0;
    MapCanvas();
    pReport = std::make_unique<ItemListReport>(View, Canvas, pProgress.get());
    if (EventDoc* p_doc = View.GetEventDoc()) {
        View.iSmallestPoints = static_cast<int>(p_doc->GetPreferences().GetReportFontSize());
        pReport->sEventName = p_doc->GetEventName();
        pReport->sPathName = p_doc->GetPathName();
    }
    if (!pReport->PreparePrint())
        return;
    nPages = pReport->CountPrintLines();
    pReport->dtStart = CHighTime::GetPresentTime();
}

void ItemListPrintout::GetPageInfo(int* p_min, int* p_max, int* p_from, int* p_to)
{
    *p_min = 1;
    *p_max = nPages;
    *p_from = nPages > 0 ? 1 : 0;
    *p_to = nPages;
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

BOOL RunListPrint(ItemListView& view, BOOL b_preview)
{
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
        p_frame->Show();
        return TRUE;
    }
    wxPrinter printer(&dialog_data);
    ItemListPrintout printout(view);
    return printer.Print(p_top, &printout, true) ? TRUE : FALSE;
}
