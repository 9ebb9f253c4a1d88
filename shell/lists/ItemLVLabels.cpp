#include "shell/lists/ItemLVLabels.h"

#include "framework/Archive.h"
#include "framework/Exceptions.h"
#include "framework/ui/WindowClass.h"
#include "framework/ui/WxText.h"
#include "model/General.h"
#include "output/ui/WxPrintCanvas.h"
#include "shell/frame/CommandIds.h"
#include "shell/frame/EventDocument.h"
#include "shell/lists/ItemListPrintout.h"
#include "shell/lists/LabelStockDlg.h"
#include "shell/frame/RotavexApp.h"
#include "shell/frame/WxCommands.h"

#include <wx/app.h>
#include <algorithm>
#include <wx/menu.h>
#include <wx/paper.h>
#include <wx/printdlg.h>

namespace {

enum : UINT { IDS_NO_LABEL_FILES = 10003 };

// A file that cannot be read, or is damaged, counts as not there.
BOOL LoadFile(ZelLabelStockFile& file)
{
    try {
        if (file.Load())
            return TRUE;
    } catch (const CArchiveException&) {
    }
    file.Empty();
    return FALSE;
}

// The body font of the list report.
const PrintFont kLabelFont = PrintFont::Swiss(11);

} // namespace

void SetStockPaper(wxPrintData& data, const ZelLabelDim& dim)
{
    // The stock gives its sheet in hundredths of a millimetre; the paper
    // is named by its portrait size, a known paper by its id (the printer
    // then offers it by its name), any other by its size.
    const CSize sz_paper = dim.GetPaperDim();
    const long l_short = std::min(sz_paper.cx, sz_paper.cy), l_long = std::max(sz_paper.cx, sz_paper.cy);
    data.SetOrientation(dim.GetOrientation() == 0 ? wxLANDSCAPE : wxPORTRAIT);
    if (l_short <= 0)
        return;
    const wxPrintPaperType* p_known = wxThePrintPaperDatabase != nullptr
                                          ? wxThePrintPaperDatabase->FindPaperType(wxSize(l_short / 10, l_long / 10))
                                          : nullptr;
    if (p_known != nullptr) {
        data.SetPaperId(p_known->GetId());
        data.SetPaperSize(p_known->GetSizeMM());
    } else {
        data.SetPaperId(wxPAPER_NONE);
        data.SetPaperSize(wxSize(static_cast<int>((l_short + 50) / 100), static_cast<int>((l_long + 50) / 100)));
    }
}

ItemLVLabels::ItemLVLabels()
{
    const auto bind = [this](UINT u_command, BOOL b_labels, BOOL b_preview) {
        Bind(wxEVT_MENU, [this, b_labels, b_preview](wxCommandEvent&) { PrintJob(b_labels, b_preview); },
             CommandWxId(u_command));
    };
    bind(ID_LIST_PRINT, FALSE, FALSE);
    bind(ID_LIST_PREVIEW, FALSE, TRUE);
    bind(ID_LIST_PRINT_LABELS, TRUE, FALSE);
    bind(ID_LIST_PREVIEW_LABELS, TRUE, TRUE);
}

BOOL ItemLVLabels::LoadLabelFiles(ZelLabelStockFile& standard, ZelLabelStockFile& custom)
{
    const CRotavexApp* p_app = TheApp();
    const std::string s_folder = p_app != nullptr ? p_app->Path : std::string();
    standard.SetFileName(s_folder + "/Standard");
    custom.SetFileName(s_folder + "/Custom");
    const BOOL b_standard = LoadFile(standard);
    const BOOL b_custom = LoadFile(custom);
    if (!b_standard && !b_custom) {
        ShowMessageId(IDS_NO_LABEL_FILES, std::string(), MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

BOOL ItemLVLabels::PrepareLabels()
{
    ZelLabelStockFile standard, custom;
    if (!LoadLabelFiles(standard, custom))
        return FALSE;
    {
        LabelStockChoice check(standard, custom);
        check.BuildTree();
        if (!check.GetRefused().empty()) {
            std::string s_text = "These label stocks have no labels across or down and cannot be used:";
            for (const std::string& s_name : check.GetRefused())
                s_text += "\n" + s_name;
            ShowMessageBox(s_text, MB_OK | MB_ICONEXCLAMATION);
        }
    }
    LabelStockDlg dlg(wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr, standard, custom);
    dlg.Choice.iFile = iStockFile;
    dlg.Choice.sGroup = strStockGroup;
    dlg.Choice.sStock = strStock;
    if (dlg.ShowModal() != wxID_OK || dlg.Choice.Stock.GetName().empty())
        return FALSE;
    iStockFile = dlg.Choice.iFile;
    strStockGroup = dlg.Choice.sGroup;
    strStock = dlg.Choice.sStock;
    Stock = dlg.Choice.Stock;
    return TRUE;
}

BOOL ItemLVLabels::PrintJob(BOOL b_labels, BOOL b_preview)
{
    bPrintLabels = b_labels;
    if (!b_labels)
        return PrintList(b_preview);
    // The flag stands while labels are chosen and drawn; a list report
    // printed in between (the preview stays open) sees it down.
    struct LabelFlag {
        int& bFlag;
        ~LabelFlag() { bFlag = 0; }
    } flag{bPrintLabels};
    if (GetEventDoc() == nullptr)
        return FALSE;
    if (GetList().GetItemCount() == 0)
        return NothingToPrint();
    if (!PrepareLabels())
        return FALSE;
    CRotavexApp* p_app = TheApp();
    wxPrintData data = p_app != nullptr ? p_app->GetPrintData() : wxPrintData();
    SetStockPaper(data, Stock.GetDim());
    wxPrintDialogData dialog_data(data);
    wxWindow* p_top = wxTheApp != nullptr ? wxTheApp->GetTopWindow() : nullptr;
    if (b_preview) {
        auto* p_preview = new wxPrintPreview(new LabelPrintout(*this), new LabelPrintout(*this), &dialog_data);
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
    LabelPrintout printout(*this);
    return PrintOrExplain(printer, p_top, printout) ? TRUE : FALSE;
}

// ---------------------------------------------------------------- printout

LabelPrintout::LabelPrintout(ItemLVLabels& view)
    : wxPrintout(ToWx(view.GetPluralTitle() + " labels")), View(view), Pages(view.Stock.GetDim())
{
}

int LabelPrintout::GetPageCount() const
{
    auto& view = const_cast<ItemLVLabels&>(View);
    return view.GetEventDoc() != nullptr ? Pages.PageCount(view.GetList().GetItemCount()) : 0;
}

void LabelPrintout::GetPageInfo(int* p_min, int* p_max, int* p_from, int* p_to)
{
    const int n_pages = GetPageCount();
    *p_min = 1;
    *p_max = std::max(n_pages, 1);
    *p_from = n_pages > 0 ? 1 : 0;
    *p_to = n_pages;
}

bool LabelPrintout::HasPage(int i_page) { return i_page >= 1 && i_page <= GetPageCount(); }

bool LabelPrintout::OnPrintPage(int i_page)
{
    if (GetDC() == nullptr || !HasPage(i_page))
        return false;
    // The stock places its labels from the paper's edge: the page has no
    // margins of its own, and its origin is the printable area's corner.
    int i_ppiX = 0, i_ppiY = 0;
    GetPPIScreen(&i_ppiX, &i_ppiY);
    WxPrintCanvas canvas;
    canvas.MapPrintout(*this, PrintMargins::None(), i_ppiY > 0 ? i_ppiY : 96);
    const int n_rows = View.GetList().GetItemCount();
    View.bPrintLabels = 1;
    Pages.PrintPage(canvas, i_page, n_rows, canvas.GetPaperOffset(), kLabelFont,
                    [&](int i_row, CRect& rc) { return View.GetLabelText(canvas, i_row, rc); });
    View.bPrintLabels = 0;
    return true;
}

// ------------------------------------------------------ pane and context menu

bool ItemLVLabels::CreatePane(wxWindow* p_parent, wxWindowID i_id)
{
    if (!Create(p_parent, i_id))
        return false;
    GetListCtrl()->Bind(wxEVT_CONTEXT_MENU, &ItemLVLabels::OnContextMenu, this);
    return true;
}

void ItemLVLabels::OnContextMenu(wxContextMenuEvent& event)
{
    ZelListCtrl* p_list = GetListCtrl();
    if (p_list == nullptr)
        return;
    wxPoint pt = event.GetPosition();
    if (pt == wxDefaultPosition) {
        // The menu key: the list's top-left corner.
        pt = wxPoint(0, 0);
    } else {
        pt = p_list->ScreenToClient(pt);
        if (pt.y < p_list->GetHeaderHeight()) {
            event.Skip();
            return;
        }
    }
    std::unique_ptr<wxMenu> p_menu = MakeContextMenu();
    const int i_id = p_list->GetPopupMenuSelectionFromUser(*p_menu, pt);
    if (i_id == wxID_NONE)
        return;
    wxCommandEvent command(wxEVT_MENU, i_id);
    ProcessEventLocally(command);
}

bool RegisterLabelPane(const char* p_className, ItemLVLabels* (*p_make)())
{
    return WindowClasses::Register(p_className, [p_make](wxWindow* p_parent, int i_id) -> wxWindow* {
        CRotavexApp* p_app = TheApp();
        CEventDocument* p_doc = p_app != nullptr ? p_app->GetDocument() : nullptr;
        if (p_doc == nullptr)
            return nullptr;
        ItemLVLabels* p_view = p_make();
        p_view->SetDocument(p_doc);
        if (!p_view->CreatePane(p_parent, i_id)) {
            delete p_view;
            return nullptr;
        }
        wxWindow* p_window = p_view->GetListCtrl();
        p_view->SetFrame(p_window);
        return p_window;
    });
}
