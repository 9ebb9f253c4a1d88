// A message list: the library's report dialog whose rows are string
// arrays, one string per column; and the import error list built on it.
#pragma once

#include "shell/lists/ItemListImport.h"
#include "zelkit/dialogs/ui/ZelReportDlg.h"

class MesgListDisplay : public ZelReportDlg {
public:
    MesgListDisplay(wxWindow* p_parent, UINT u_templateId, const std::string& s_title = std::string());

    // Appends a copy of the row (rows in the order added).
    void AddRow(const ZelStringArray& a_row);
    UINT GetTemplateId() const { return uTemplateId; }

private:
    UINT uTemplateId;
};

// The import errors: columns "Name" and "Error".
class ILVImportErrorsDlg : public MesgListDisplay {
public:
    explicit ILVImportErrorsDlg(const std::string& s_title, wxWindow* p_parent = nullptr);

    // Takes the rows of an import's error list.
    void AddRows(const ILVImportErrors& errors);
    // The heading above the list, then the dialog shown modally.
    void ShowErrors(const std::string& s_heading);
};

// Makes imports show their error lists in ILVImportErrorsDlg; the program
// calls it once at start-up.
void InstallImportErrorsDialog();
