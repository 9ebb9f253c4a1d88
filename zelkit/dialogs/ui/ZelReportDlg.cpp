#include "zelkit/dialogs/ui/ZelReportDlg.h"
#include "zelkit/dialogs/ui/ZelReportPrintout.h"

#include "framework/MessageBox.h"
#include "zelkit/services/ZelMessages.h"
#include "framework/ui/WxIds.h"
#include "framework/ui/WxText.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"

#include <algorithm>
#include <wx/button.h>
#include <wx/stattext.h>

// ------------------------------------------------------------ the canvas

void ZelWxReportCanvas::GetTextExtent(const std::string& s_text, LONG& i_cx, LONG& i_cy)
{
    wxCoord i_w = 0, i_h = 0;
    Dc.GetTextExtent(ToWx(s_text), &i_w, &i_h);
    if (s_text.empty())
        i_h = Dc.GetCharHeight();
    i_cx = i_w;
    i_cy = i_h;
}

void ZelWxReportCanvas::TextOut(LONG i_x, LONG i_y, const std::string& s_text)
{
    Dc.DrawText(ToWx(s_text), i_x, i_y);
}

void ZelWxReportCanvas::DrawText(const std::string& s_text, const ZelRect& rc, UINT u_flags)
{
    int i_align = (u_flags & DT_CENTER)  ? wxALIGN_CENTER_HORIZONTAL
                  : (u_flags & DT_RIGHT) ? wxALIGN_RIGHT
                                         : wxALIGN_LEFT;
    i_align |= (u_flags & DT_VCENTER) ? wxALIGN_CENTER_VERTICAL : wxALIGN_TOP;
    const wxRect rc_wx(rc.left, rc.top, rc.Width(), rc.Height());
    wxDCClipper clip(Dc, rc_wx);
    // No mnemonic index: an ampersand prints as it stands.
    Dc.DrawLabel(ToWx(s_text), rc_wx, i_align);
}

bool ZelWxReportCanvas::StartPage()
{
    Dc.StartPage();
    return Dc.IsOk();
}

void ZelWxReportCanvas::EndPage() { Dc.EndPage(); }

// ------------------------------------------------------------ the dialog

ZelReportDlg::ZelReportDlg(const std::string& s_title, wxWindow* p_parent)
    : ZelSizingDialog(p_parent, WxId(IDD_ZEL_REPORT), "Report", freedomBoth, true)
{
    Layout.sTitle = s_title;
    SetClientSize(ConvertDialogToPixels(wxSize(314, 198)));
    pDescription = new wxStaticText(this, WxId(IDC_ZEL_REPORT_DESCRIPTION), "Description", wxDefaultPosition,
                                    wxDefaultSize, wxST_NO_AUTORESIZE | wxALIGN_LEFT);
    PlaceDlgUnits(*pDescription, 7, 11, 300, 27);
    pList = new ZelListCtrl(this, WxId(IDC_ZEL_REPORT_LIST));
    PlaceDlgUnits(*pList, 7, 43, 300, 117);
    pOk = new wxButton(this, IDC_ZEL_REPORT_OK, "OK");
    PlaceDlgUnits(*pOk, 99, 177, 50, 14);
    pOk->SetDefault();
    pPrint = new wxButton(this, WxId(IDC_ZEL_REPORT_PRINT), "&Print");
    PlaceDlgUnits(*pPrint, 165, 177, 50, 14);
    SetAffirmativeId(IDC_ZEL_REPORT_OK);
    CentreOnParent();

    Bind(wxEVT_BUTTON, &ZelReportDlg::OnReportPrint, this, WxId(IDC_ZEL_REPORT_PRINT));
    Bind(wxEVT_BUTTON, &ZelReportDlg::OnOk, this, IDC_ZEL_REPORT_OK);
    Bind(wxEVT_ZEL_NOTIFY, &ZelReportDlg::OnListNotify, this, WxId(IDC_ZEL_REPORT_LIST));
}

bool ZelReportDlg::OnInitDialog()
{
    ZelSizingDialog::OnInitDialog();
    SetTitle(ToWx(Layout.sTitle));
    AddSzControl(*pList, modeStretch, modeStretch);
    AddSzControl(*pPrint, modeMoveHalf, modeMove);
    AddSzControl(*pOk, modeMoveHalf, modeMove);

    sDescriptionShown = sDescription;
    pDescription->SetLabel(ToWx(sDescriptionShown));

    const int n_titles = Layout.ColumnTitles.GetSize();
    for (int c = 0; c < n_titles; ++c)
        pList->InsertColumn(c, Layout.ColumnTitles[c], LVCFMT_LEFT);
    if (n_titles == 0)
        pList->InsertColumn(0, "", LVCFMT_LEFT);
    nColumns = std::max(1, n_titles);

    // Every cell asks the dialog for its text; a row's item data is its
    // index in the rows.
    bool b_ok = true;
    for (int i = 0; b_ok && i < Layout.Rows.GetSize(); ++i) {
        if (pList->InsertItem(i, LPSTR_TEXTCALLBACK, i) != i)
            break;
        for (int c = 1; b_ok && c < nColumns; ++c)
            b_ok = pList->SetItemText(i, c, LPSTR_TEXTCALLBACK) != FALSE;
    }
    Sort(0);
    pList->UpdateLayout();
    pList->AutoSizeColumns(-1, -1);
    return true;
}

const ZelColSortSpec* ZelReportDlg::GetSortSpec(int i_col, int& n_specs)
{
    DefaultSortSpec.SetCol(i_col, ZelColSortSpec::kAscending);
    n_specs = 1;
    return &DefaultSortSpec;
}

void ZelReportDlg::Sort(int i_col)
{
    int n_specs = 0;
    const ZelColSortSpec* p_specs = GetSortSpec(i_col, n_specs);
    if (p_specs != nullptr)
        pList->Sort(p_specs, n_specs, SortState, TRUE, &ZelListCtrl::ItemCompare);
}

void ZelReportDlg::OnListNotify(ZelNotifyEvent& event)
{
    switch (event.GetCode()) {
    case LVN_COLUMNCLICK: Sort(event.GetRecordAs<ZelNMListView>()->iSubItem); break;
    case LVN_GETDISPINFO: {
        ZelLVDispInfo* p_info = event.GetRecordAs<ZelLVDispInfo>();
        const auto i_row = static_cast<int>(p_info->item.lParam);
        const int i_col = p_info->item.iSubItem;
        if (p_info->iTextMax > 0)
            p_info->item.sText.clear();
        if (p_info->iTextMax > 0 && i_row >= 0 && i_row < Layout.Rows.GetSize() && i_col >= 0
            && i_col < Layout.Rows[i_row].GetSize())
            p_info->item.sText = Layout.Rows[i_row][i_col].substr(0, static_cast<std::size_t>(p_info->iTextMax - 1));
        break;
    }
    default: event.Skip(); break;
    }
}

void ZelReportDlg::OnOk(wxCommandEvent&)
{
    if (IsModal())
        EndModal(wxID_OK);
    else
        Hide();
}

void ZelReportDlg::OnReportPrint(wxCommandEvent&)
{
    ZelPrintReport(this, Layout);
}
