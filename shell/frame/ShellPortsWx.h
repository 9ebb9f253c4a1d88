// The program's side of the document's and the model's ports that concern
// the main frame: commands posted to it, the questions of saving, and its
// panes' views as the model sees them. Each works on the application's
// main frame and document while they exist and does nothing without them.
#pragma once

#include "model/DocumentPorts.h"
#include "model/ShellPorts.h"

// Posts the command to the main frame, which runs it once the present
// event is handled (as a click on its menu item would).
class WxMainWindowPort : public IMainWindowPort {
public:
    void PostCommand(UINT u_id) override;
};

// "Save changes to <title>?" (Yes, No, Cancel), and the file dialog of a
// save under another name.
class WxSaveQuestionsPort : public ISaveQuestionsPort {
public:
    int AskSaveChanges(const std::string& s_pathName) override;
    std::string AskSavePath(const std::string& s_pathName) override;
};

// The views of the frame's panes.
class WxViewsPort : public IViewsPort {
public:
    IShellView* FindView(const std::string& s_className, BOOL b_activate) override;
    IShellView* GetActiveView() override;
    void SetActiveView(IShellView* p_view) override;
    std::vector<IItemListView*> GetItemListViews() override;
    void ResetTimetableViewState() override;
    void RefreshSelectedSlots() override;
    void UpdateAllViews(const UpdateViewHint* p_hint) override;
};

// The string of the save question.
enum : UINT { IDS_ASK_TO_SAVE = 61442 };
