#include "output/ui/WxPrintCanvas.h"

#include "framework/Encoding.h"
#include "framework/ui/HeldPrintLog.h"
#include "framework/ui/WxText.h"
#include "model/General.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>
#include <wx/filesys.h>
#include <wx/log.h>
#include <wx/control.h>
#include <wx/dcprint.h>
#include <wx/font.h>
#include <wx/pen.h>
#include <wx/print.h>
#ifdef __WXGTK__
#include <wx/gtk/print.h>
#endif

namespace {

// Lines are separated by line feeds alone on the window system.
wxString Lines(const std::string& s_text)
{
    std::string s;
    s.reserve(s_text.size());
    for (char c : s_text) {
        if (c != '\r')
            s += c;
    }
    return ToWx(s);
}

LONG Scaled(LONG l_value, int i_to, int i_from)
{
    return static_cast<LONG>(static_cast<long long>(l_value) * i_to / std::max(i_from, 1));
}

// Where the paper's corner lies in the context's own pixels, as far as the
// context's drawing surface shows it. The toolkit's printer context says
// its paper begins at its origin, and it does in portrait; in landscape
// the toolkit moves the drawing by the difference between the paper's
// default margins at its foot and at its head, and a page laid out from
// the paper's corner loses its margin on one side and doubles it on the
// other. The surface is the paper: the context's origin is found on it,
// where the surface is neither turned nor mirrored (a print into a file
// is not); elsewhere the context is taken at its word. For a printer's
// context only (other contexts map their own drawing onto their surface);
// (0, 0) when it draws on no such surface.
wxPoint SurfaceCorner(wxDC& dc)
{
#ifdef __WXGTK__
    auto* p_cairo = dc.GetImpl() != nullptr ? dc.GetImpl()->GetCairoContext() : nullptr;
    using MapFn = void (*)(void*, double*, double*);
    static const auto f_point = reinterpret_cast<MapFn>(dlsym(RTLD_DEFAULT, "cairo_user_to_device"));
    static const auto f_distance = reinterpret_cast<MapFn>(dlsym(RTLD_DEFAULT, "cairo_user_to_device_distance"));
    if (p_cairo == nullptr || f_point == nullptr || f_distance == nullptr)
        return wxPoint(0, 0);
    double d_x0 = 0, d_y0 = 0, d_xx = 1, d_xy = 0, d_yx = 0, d_yy = 1;
    f_point(p_cairo, &d_x0, &d_y0);
    f_distance(p_cairo, &d_xx, &d_xy);
    f_distance(p_cairo, &d_yx, &d_yy);
    const bool b_upright = d_xx > 0 && d_yy > 0 && std::abs(d_xy) < 1e-9 && std::abs(d_yx) < 1e-9;
    if (!b_upright)
        return wxPoint(0, 0);
    return wxPoint(-wxRound(d_x0 / d_xx), -wxRound(d_y0 / d_yy));
#else
    (void)dc;
    return wxPoint(0, 0);
#endif
}

} // namespace

void WxPrintCanvas::SetDC(wxDC* p_dc, const wxSize& sz_page, int i_dpi, double d_fontScale)
{
    pDc = p_dc;
    szPage = sz_page;
    iDpi = i_dpi > 0 ? i_dpi : 96;
    dFontScale = d_fontScale > 0 ? d_fontScale : 1.0;
    if (pDc != nullptr) {
        pDc->SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
        pDc->SetTextForeground(*wxBLACK);
        SelectFont(Font);
    }
}

bool WxPrintCanvas::MapPrintout(wxPrintout& printout, const PrintMargins& margins, int i_unitsPerInch)
{
    wxDC* p_dc = printout.GetDC();
    if (p_dc == nullptr) {
        SetDC(nullptr, wxSize(), 96, dFontScale);
        return false;
    }
    int i_dcWidth = 0, i_dcHeight = 0;
    p_dc->GetSize(&i_dcWidth, &i_dcHeight);
    // The printer's page in its pixels; a context that was given none
    // stands for the printer itself.
    int i_width = 0, i_height = 0, i_ppiX = 0, i_ppiY = 0;
    printout.GetPageSizePixels(&i_width, &i_height);
    printout.GetPPIPrinter(&i_ppiX, &i_ppiY);
    if (i_width <= 0 || i_height <= 0) {
        i_width = i_dcWidth;
        i_height = i_dcHeight;
        i_ppiX = p_dc->GetPPI().x;
        i_ppiY = p_dc->GetPPI().y;
    }
    i_width = std::max(i_width, 1);
    i_height = std::max(i_height, 1);
    i_ppiX = i_ppiX > 0 ? i_ppiX : 96;
    i_ppiY = i_ppiY > 0 ? i_ppiY : 96;
    PrintDevicePage page;
    const wxRect rc_paper = printout.GetPaperRectPixels();
    page.rcPaper = rc_paper.IsEmpty()
                       ? CRect(0, 0, i_width, i_height)
                       : CRect(rc_paper.x, rc_paper.y, rc_paper.x + rc_paper.width, rc_paper.y + rc_paper.height);
    if (!printout.IsPreview() && wxDynamicCast(p_dc, wxPrinterDC) != nullptr) {
        const wxPoint pt_corner = SurfaceCorner(*p_dc);
        page.rcPaper.OffsetRect(pt_corner.x, pt_corner.y);
    }
    page.szPrintable = CSize(i_width, i_height);
    page.szPpi = CSize(i_ppiX, i_ppiY);
    const CRect rc_area = MarginArea(page, margins);

    // The context may be smaller than the printer's page (the preview's).
    const double d_deviceX = static_cast<double>(i_dcWidth) / i_width;
    const double d_deviceY = static_cast<double>(i_dcHeight) / i_height;
    const int i_unitsX = i_unitsPerInch > 0 ? i_unitsPerInch : i_ppiX;
    const int i_unitsY = i_unitsPerInch > 0 ? i_unitsPerInch : i_ppiY;
    p_dc->SetUserScale(d_deviceX * i_ppiX / i_unitsX, d_deviceY * i_ppiY / i_unitsY);
    p_dc->SetLogicalOrigin(0, 0);
    p_dc->SetDeviceOrigin(wxRound(rc_area.left * d_deviceX), wxRound(rc_area.top * d_deviceY));
    szPaperOffset = CSize(PixelsToHiMetric(rc_area.left - page.rcPaper.left, i_ppiX),
                          PixelsToHiMetric(rc_area.top - page.rcPaper.top, i_ppiY));
    const wxSize sz_area(Scaled(rc_area.Width(), i_unitsX, i_ppiX), Scaled(rc_area.Height(), i_unitsY, i_ppiY));
    // Nothing reaches into the margins, not even the ends of thick lines
    // drawn to the page's edge: as a printer cuts at its printable edge.
    p_dc->DestroyClippingRegion();
    p_dc->SetClippingRegion(wxPoint(0, 0), sz_area);
    SetDC(p_dc, sz_area, i_unitsY, dFontScale);
    return true;
}

void WxPrintCanvas::SetFontScale(double d_fontScale)
{
    dFontScale = d_fontScale > 0 ? d_fontScale : 1.0;
    SelectFont(Font);
}

void WxPrintCanvas::GetTextExtent(const std::string& s_text, LONG& i_cx, LONG& i_cy)
{
    i_cx = i_cy = 0;
    if (pDc == nullptr)
        return;
    wxCoord i_w = 0, i_h = 0;
    pDc->GetTextExtent(s_text.empty() ? wxString("Ay") : ToWx(s_text), &i_w, &i_h);
    i_cx = s_text.empty() ? 0 : i_w;
    i_cy = i_h;
}

void WxPrintCanvas::TextOut(LONG i_x, LONG i_y, const std::string& s_text)
{
    if (pDc != nullptr)
        pDc->DrawText(Lines(s_text), i_x, i_y);
}

void WxPrintCanvas::DrawText(const std::string& s_text, const ZelRect& rc, UINT u_flags)
{
    if (pDc == nullptr)
        return;
    const wxRect rc_wx(rc.left, rc.top, std::max<LONG>(rc.Width(), 1), std::max<LONG>(rc.Height(), 1));
    int i_align = (u_flags & DT_CENTER) ? wxALIGN_CENTER_HORIZONTAL : (u_flags & DT_RIGHT) ? wxALIGN_RIGHT : wxALIGN_LEFT;
    i_align |= (u_flags & DT_VCENTER) ? wxALIGN_CENTER_VERTICAL : (u_flags & DT_BOTTOM) ? wxALIGN_BOTTOM : wxALIGN_TOP;
    wxString s = Lines(s_text);
    if (u_flags & DT_EXPANDTABS)
        s.Replace("\t", "        ");
    if (u_flags & DT_PATH_ELLIPSIS)
        s = wxControl::Ellipsize(s, *pDc, wxELLIPSIZE_MIDDLE, rc_wx.width, wxELLIPSIZE_FLAGS_NONE);
    if (u_flags & DT_NOCLIP) {
        pDc->DrawLabel(s, rc_wx, i_align);
        return;
    }
    wxDCClipper clip(*pDc, rc_wx);
    pDc->DrawLabel(s, rc_wx, i_align);
}

BOOL WxPrintCanvas::SelectFace(const PrintFont& font, bool b_bold, bool b_underline)
{
    if (pDc == nullptr) {
        Font = font;
        return TRUE;
    }
    const wxFont wx_font(wxFontInfo(font.iPoints * dFontScale)
                             .Family(font.eFamily == PrintFont::eRoman ? wxFONTFAMILY_ROMAN : wxFONTFAMILY_SWISS)
                             .Italic(font.bItalic)
                             .Bold(b_bold)
                             .Underlined(b_underline));
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

bool EndPrinterJob(wxPrintout& printout, const wxPrintData& data)
{
#ifdef __WXGTK__
    if (printout.IsPreview())
        return false;
    // Copies of print data share their native part, which holds the
    // toolkit's print operation while the printer runs it. Cancelling the
    // operation while it begins is the toolkit's own way of abandoning a
    // job: no page is drawn and the spool file is never sent. The toolkit
    // comes in with wx, so its function is looked up rather than its
    // headers included.
    auto* p_native = dynamic_cast<wxGtkPrintNativeData*>(data.GetNativeData());
    GtkPrintOperation* p_operation = p_native != nullptr ? p_native->GetPrintJob() : nullptr;
    using CancelFn = void (*)(GtkPrintOperation*);
    static const auto f_cancel = reinterpret_cast<CancelFn>(dlsym(RTLD_DEFAULT, "gtk_print_operation_cancel"));
    if (p_operation == nullptr || f_cancel == nullptr)
        return false;
    f_cancel(p_operation);
    return true;
#else
    (void)printout;
    (void)data;
    return false;
#endif
}

// ------------------------------------------------------- a failed print

namespace {

// The file a print to file went to, from the print settings the toolkit
// ran the print with (the printer's data share them); empty when the print
// went to a printer.
std::string PrintFilePath(wxPrinter& printer)
{
#ifdef __WXGTK__
    auto* p_native = dynamic_cast<wxGtkPrintNativeData*>(printer.GetPrintDialogData().GetPrintData().GetNativeData());
    GtkPrintSettings* p_settings = p_native != nullptr ? p_native->GetPrintConfig() : nullptr;
    using GetFn = const char* (*)(GtkPrintSettings*, const char*);
    static const auto f_get = reinterpret_cast<GetFn>(dlsym(RTLD_DEFAULT, "gtk_print_settings_get"));
    if (p_settings == nullptr || f_get == nullptr)
        return std::string();
    const char* p_uri = f_get(p_settings, "output-uri");
    if (p_uri == nullptr || std::strncmp(p_uri, "file:", 5) != 0)
        return std::string();
    const wxString s_path = wxFileSystem::URLToFileName(wxString::FromUTF8(p_uri)).GetFullPath();
    return std::string(s_path.utf8_str());
#else
    (void)printer;
    return std::string();
#endif
}

// Why a file cannot be written, in the system's words; empty when it can
// be.
std::string FileWriteFailure(const std::string& s_path)
{
    if (s_path.empty())
        return std::string();
    // A file that is not there is made and removed again; one that is there
    // is opened for appending, which leaves it as it was.
    int i_fd = ::open(s_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (i_fd >= 0) {
        ::close(i_fd);
        ::unlink(s_path.c_str());
        return std::string();
    }
    if (errno == EEXIST) {
        i_fd = ::open(s_path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
        if (i_fd >= 0) {
            ::close(i_fd);
            return std::string();
        }
    }
    return std::strerror(errno);
}

// The text of the box: the file the print went to (the file system's
// name, empty when it went to a printer), the system's reason (empty when
// unknown) and the toolkit's messages (shown when the system gives none).
std::string PrintFailureText(const std::string& s_path, const std::string& s_reason,
                             const std::string& s_toolkitText)
{
    std::string s_text;
    if (s_path.empty()) {
        s_text = LoadResString(IDS_PRINT_FAILED, "The print could not be finished.");
    } else {
        // File names are the file system's UTF-8; messages are code page
        // 1252.
        s_text = FormatMessageId(IDS_PRINT_FILE_FAILED, Utf8ToCp1252(s_path).value_or(s_path));
    }
    const std::string& s_why = !s_reason.empty() ? s_reason : s_toolkitText;
    if (!s_why.empty())
        s_text += "\n" + Utf8ToCp1252(s_why).value_or(s_why);
    return s_text;
}

} // namespace

bool PrintOrExplain(wxPrinter& printer, wxWindow* p_parent, wxPrintout& printout, bool b_prompt)
{
    std::string s_toolkitText;
    bool b_printed = false;
    {
        HeldPrintLog held;
        b_printed = printer.Print(p_parent, &printout, b_prompt);
        s_toolkitText = held.GetText();
    }
    if (b_printed || wxPrinter::GetLastError() != wxPRINTER_ERROR)
        return b_printed;
    const std::string s_path = PrintFilePath(printer);
    ShowMessageBox(PrintFailureText(s_path, FileWriteFailure(s_path), s_toolkitText), MB_OK | MB_ICONEXCLAMATION);
    return false;
}
