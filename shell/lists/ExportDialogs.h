// The exports on screen: "Select group information" (257), which chooses
// the items of group information the HTML page lists with each group and
// their order, and the ports that run the exports and that dialog over the
// program's top window.
#pragma once

#include "shell/lists/ExportCommands.h"
#include "shell/frame/FramePorts.h"

#include <string>
#include <vector>
#include <wx/dialog.h>

class wxButton;
class ZelListCtrl;
class ZelNotifyEvent;

class HtmlSelColumns : public wxDialog {
public:
    enum : int {
        IDD_HTML_SEL_COLUMNS = 257,
        IDC_AVAILABLE = 1309,
        IDC_SELECTED = 1310,
        IDC_ADD = 1311,
        IDC_ADD_ALL = 1312,
        IDC_REMOVE = 1313,
        IDC_REMOVE_ALL = 1314,
    };

    // On OK the selected titles are those of the "Selected" list, top to
    // bottom.
    HtmlSelColumns(wxWindow* p_parent, const std::vector<std::string>& v_available,
                   std::vector<std::string>& v_selected);

    bool TransferDataFromWindow() override;
    ZelListCtrl& GetAvailable() { return *pAvailable; }
    ZelListCtrl& GetSelected() { return *pSelected; }
    // The arrow buttons as the lists' rows and selections say.
    void UpdateButtons();

private:
    void OnMove(wxCommandEvent& event);
    void OnListNotify(ZelNotifyEvent& event);
    // The source's selected rows to the end of the target.
    void Move(ZelListCtrl& from, ZelListCtrl& to, bool b_all);

    std::vector<std::string>& Selected;
    ZelListCtrl* pAvailable;
    ZelListCtrl* pSelected;
    wxButton* aMoves[4];
};

class WxHtmlColumnsPort : public IHtmlColumnsPort {
public:
    BOOL Ask(std::vector<std::string>& v_available, std::vector<std::string>& v_selected) override;
};

// HTML (32835) and text (32836) export over the main frame's panes.
class WxExportPort : public IExportPort {
public:
    BOOL CanExport(UINT u_command) override;
    void Export(UINT u_command, EventDoc& doc) override;
};

// The program's export dialogs, for its life, the way a late answer of the
// mail tool reaches the main loop, and the message bar's text while the
// mail program starts.
void InstallExportDialogs();
// Puts the stand-ins back where the program's dialogs are installed.
void RemoveExportDialogs();
