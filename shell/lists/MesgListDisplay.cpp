#include "shell/lists/MesgListDisplay.h"

MesgListDisplay::MesgListDisplay(wxWindow* p_parent, UINT u_templateId, const std::string& s_title)
    : ZelReportDlg(s_title, p_parent), uTemplateId(u_templateId)
{
}

void MesgListDisplay::AddRow(const ZelStringArray& a_row) { GetRows().Add(a_row); }

ILVImportErrorsDlg::ILVImportErrorsDlg(const std::string& s_title, wxWindow* p_parent)
    : MesgListDisplay(p_parent, ZelReportDlg::IDD_ZEL_REPORT, s_title)
{
    GetColumnTitles().Add("Name");
    GetColumnTitles().Add("Error");
}

void ILVImportErrorsDlg::AddRows(const ILVImportErrors& errors)
{
    for (int i = 0; i < errors.GetRows().GetSize(); ++i)
        AddRow(errors.GetRows()[i]);
}

void ILVImportErrorsDlg::ShowErrors(const std::string& s_heading)
{
    SetDescription(s_heading);
    ShowModal();
}

namespace {

class ImportErrorsDialogPort : public IILVImportErrorsPort {
public:
    void Show(const ILVImportErrors& errors, const std::string& s_heading) override
    {
        ILVImportErrorsDlg dlg(errors.GetTitle());
        dlg.AddRows(errors);
        dlg.ShowErrors(s_heading);
    }
};

} // namespace

void InstallImportErrorsDialog()
{
    static ImportErrorsDialogPort s_port;
    SetILVImportErrorsPort(&s_port);
}
