// "Start Rotavex" (197): after the splash, when the program was started
// without an event file, offers a new event, a recent event, another event
// file, a sample event or leaving. Ends with the button's id (1116 new, 1117
// open, 1118 sample, 1120 exit); the chosen recent file is GetChosen().
#pragma once

#include "framework/Types.h"
#include "shell/frame/StartupRules.h"

#include <string>
#include <vector>
#include <wx/dialog.h>

class wxCheckBox;
class ZelListCtrl;
class ZelNotifyEvent;

class RVXStartup : public wxDialog {
public:
    // v_recent: the recent files, newest first; s_folder: the working
    // folder the names are shown relative to; b_openLast: "OpenLast".
    RVXStartup(wxWindow* p_parent, const std::vector<std::string>& v_recent, const std::string& s_folder,
               BOOL b_openLast);

    // The chosen recent file's index, -1 for none.
    int GetChosen() const { return iChosen; }
    BOOL GetOpenLast() const { return bOpenLast; }
    ZelListCtrl* GetList() const { return pList; }

private:
    void OnInit(wxInitDialogEvent& event);
    void TakeData();
    void EndWith(int i_result);
    void OnOpen();
    void OnListNotify(ZelNotifyEvent& event);

    StartupRules::RecentRows Rows;
    ZelListCtrl* pList = nullptr;
    wxCheckBox* pOpenLast = nullptr;
    BOOL bOpenLast = FALSE;
    int iChosen = -1;
};
