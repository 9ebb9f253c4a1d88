// The library's report dialog: a resizable dialog with a description and a
// sortable list of text rows, which it prints with a title, a dated footer
// and page numbers. A derived dialog fills the title (constructor), the
// column titles, the rows and the description before ShowModal.
#pragma once

#include "zelkit/dialogs/ZelReportLayout.h"
#include "zelkit/lists/ui/ZelListCtrl.h"
#include "zelkit/dialogs/ui/ZelSizing.h"

#include <memory>
#include <wx/dc.h>

class wxButton;
class wxStaticText;
class ZelNotifyEvent;

// The report canvas over a device context.
class ZelWxReportCanvas : public IZelReportCanvas {
public:
    explicit ZelWxReportCanvas(wxDC& dc) : Dc(dc) {}
    void GetTextExtent(const std::string& s_text, LONG& i_cx, LONG& i_cy) override;
    void TextOut(LONG i_x, LONG i_y, const std::string& s_text) override;
    void DrawText(const std::string& s_text, const ZelRect& rc, UINT u_flags) override;
    bool StartPage() override;
    void EndPage() override;
    void AbortDoc() override {}

private:
    wxDC& Dc;
};

class ZelReportDlg : public ZelSizingDialog {
public:
    enum : UINT {
        IDD_ZEL_REPORT = 26046,
        IDC_ZEL_REPORT_DESCRIPTION = 56050,
        IDC_ZEL_REPORT_LIST = 26047,
        IDC_ZEL_REPORT_PRINT = 56049,
        IDC_ZEL_REPORT_OK = 1,
    };

    ZelReportDlg(const std::string& s_title, wxWindow* p_parent);

    // Sorts by the specs GetSortSpec gives for the column; a second click
    // on the same column reverses it.
    void Sort(int i_col);
    // The specs to sort by for a click on a column: by default the column
    // alone, ascending.
    virtual const ZelColSortSpec* GetSortSpec(int i_col, int& n_specs);

    ZelListCtrl& GetList() { return *pList; }
    const std::string& GetTitleText() const { return Layout.sTitle; }
    ZelStringArray& GetColumnTitles() { return Layout.ColumnTitles; }
    ZelArray<ZelStringArray>& GetRows() { return Layout.Rows; }
    void SetDescription(const std::string& s_description) { sDescription = s_description; }
    ZelReportLayout& GetLayout() { return Layout; }

protected:
    bool OnInitDialog() override;
    using ZelSizingDialog::OnInitDialog;

    // Print: the printer dialog, then the rows printed on the printer
    // chosen (ZelReportPrintout.h).
    void OnReportPrint(wxCommandEvent& event);
    void OnListNotify(ZelNotifyEvent& event);
    void OnOk(wxCommandEvent& event);

    ZelListCtrl* pList;
    wxStaticText* pDescription;
    wxButton* pOk;
    wxButton* pPrint;
    std::string sDescriptionShown;
    ZelListSort SortState;
    int nColumns = 0;
    ZelReportLayout Layout;
    std::string sDescription;
    ZelColSortSpec DefaultSortSpec;
};
