// "Continue or Quit?" (dialog 176): asked when the event loader stepped over
// problems while reading an event. Continue keeps what was read, Quit
// abandons the load; Quit is the default button, so Enter quits, and
// closing the window quits too.
#pragma once

#include "framework/Types.h"
#include "model/ShellPorts.h"

#include <string>
#include <wx/dialog.h>

class CContQuitDlg : public wxDialog {
public:
    enum : int { IDD = 176, IDC_MESSAGE = 1096 };

    // The message as given, or loaded from the string table.
    CContQuitDlg(const char* p_text, wxWindow* p_parent);
    CContQuitDlg(UINT u_stringId, wxWindow* p_parent);

    // IDOK for Continue, IDCANCEL for Quit or a closed window.
    int DoModal();

    const std::string& GetMessage() const { return sMessage; }

private:
    void Build(wxWindow* p_parent);

    std::string sMessage;
};

// The loader's continue-or-quit question on screen.
class WxContinueQuitPort : public IContinueQuitPort {
public:
    int Ask(const std::string& s_text) override;
};

// Installs the dialog as the loader's question for the program's life; the
// program calls it once at start-up.
void InstallContQuitDialog();
