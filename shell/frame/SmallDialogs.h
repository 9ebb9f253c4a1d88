// Small dialogs of the shell: the question asked before an event file of an
// earlier revision is overwritten, and the about box.
#pragma once

#include "model/ShellPorts.h"

#include <string>
#include <wx/dialog.h>

class CStaticLink;

// Control ids of the about box (100).
enum : int {
    IDD_ABOUTBOX = 100,
    IDC_ABOUT_EMAIL = 1224,
    IDC_ABOUT_WEB = 1225,
    IDC_ABOUT_NOTICE = 1329,
    IDC_ABOUT_PRODUCT = 1095,
};

// "Revision has changed" (194): Overwrite ends it with 1111, Save as with
// 1112, Cancel and the close box with wxID_CANCEL. "More information" opens
// the user guide and leaves the dialog open; without a user guide it is
// disabled.
class RevisionChgDlg : public wxDialog {
public:
    RevisionChgDlg(wxWindow* p_parent, const std::string& s_userGuide);

private:
    std::string sUserGuide;
};

// The document's revision question through RevisionChgDlg over the top
// window; the program installs it with the windows' ports.
class WxRevisionChangedPort : public IRevisionChangedPort {
public:
    int Ask() override;
};

// "About Rotavex" (100): the product and its release, the notice, the
// support address as a mail link and the web address as a link.
class CAboutDlg : public wxDialog {
public:
    explicit CAboutDlg(wxWindow* p_parent);

    CStaticLink* GetEmailLink() const { return pEmail; }
    CStaticLink* GetWebLink() const { return pWeb; }

private:
    CStaticLink* pEmail = nullptr;
    CStaticLink* pWeb = nullptr;
};
