#include "shell/frame/ShellPortsWx.h"

#include "framework/FileDialog.h"
#include "model/General.h"
#include "shell/frame/AppSettings.h"
#include "shell/frame/EventDocument.h"
#include "shell/frame/FileFolders.h"
#include "shell/frame/MainFrm.h"
#include "shell/frame/PaneView.h"
#include "shell/frame/RotavexApp.h"

#include <filesystem>

namespace {

CMainFrame* Frame()
{
    CRotavexApp* p_app = TheApp();
    return p_app != nullptr ? p_app->GetMainFrame() : nullptr;
}

// The views of the frame's panes, row by row.
std::vector<wxView*> PaneViews()
{
    std::vector<wxView*> v_views;
    if (CMainFrame* p_frame = Frame()) {
        for (int i_row = 0; i_row < 2; ++i_row)
            for (int i_col = 0; i_col < 2; ++i_col)
                if (wxView* p_view = p_frame->GetPaneView(i_row, i_col))
                    v_views.push_back(p_view);
    }
    return v_views;
}

std::string FileName(const std::string& s_path)
{
    return std::filesystem::path(s_path).filename().string();
}

} // namespace

// ---- the main window ----

void WxMainWindowPort::PostCommand(UINT u_id)
{
    if (CMainFrame* p_frame = Frame())
        p_frame->PostCommand(u_id);
}

// ---- the questions of saving ----

int WxSaveQuestionsPort::AskSaveChanges(const std::string& s_pathName)
{
    const std::string s_title =
        s_pathName.empty() ? AppSettings::GetDocString(AppSettings::e_doc_name) : FileName(s_pathName);
    return ShowMessageId(IDS_ASK_TO_SAVE, s_title, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
}

std::string WxSaveQuestionsPort::AskSavePath(const std::string& s_pathName)
{
    FileDialogRequest request;
    request.bSave = TRUE;
    request.sTitle = "Save As";
    std::string s_ext = AppSettings::GetDocString(AppSettings::e_filter_ext);
    for (char& c : s_ext)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (s_pathName.empty()) {
        // An event never saved: in the folder of the last event file, named
        // as the event is.
        request.sFolder = FileFolders::StartFolder();
        CRotavexApp* p_app = TheApp();
        const std::string s_event =
            p_app != nullptr && p_app->GetDocument() != nullptr ? p_app->GetDocument()->GetEvent().GetEventName() : "";
        request.sFileName =
            FileFolders::NameForFile(s_event, AppSettings::GetDocString(AppSettings::e_doc_name), s_ext);
    } else {
        const std::filesystem::path path(s_pathName);
        request.sFolder = path.parent_path().string();
        request.sFileName = path.filename().string();
    }
    request.vFilters = {{AppSettings::GetDocString(AppSettings::e_filter_name), "*" + s_ext},
                        {"All Files (*.*)", "*.*"}};
    request.sDefaultExt = s_ext.empty() ? std::string() : s_ext.substr(1);
    request.bOverwritePrompt = TRUE;
    if (!GetFileDialogPort().Ask(request))
        return {};
    return request.sPath;
}

// ---- the views ----

IShellView* WxViewsPort::FindView(const std::string& s_className, BOOL b_activate)
{
    CMainFrame* p_frame = Frame();
    return p_frame != nullptr ? dynamic_cast<IShellView*>(p_frame->FindView(s_className, b_activate != FALSE))
                              : nullptr;
}

IShellView* WxViewsPort::GetActiveView()
{
    CMainFrame* p_frame = Frame();
    return p_frame != nullptr ? dynamic_cast<IShellView*>(p_frame->GetActiveView()) : nullptr;
}

void WxViewsPort::SetActiveView(IShellView* p_view)
{
    CMainFrame* p_frame = Frame();
    if (p_frame == nullptr)
        return;
    if (p_view == nullptr) {
        p_frame->SetActiveView(nullptr);
        return;
    }
    for (wxView* p : PaneViews()) {
        if (dynamic_cast<IShellView*>(p) == p_view) {
            p_frame->SetActiveView(p);
            return;
        }
    }
}

std::vector<IItemListView*> WxViewsPort::GetItemListViews()
{
    std::vector<IItemListView*> v_lists;
    for (wxView* p : PaneViews())
        if (auto* p_list = dynamic_cast<IItemListView*>(p))
            v_lists.push_back(p_list);
    return v_lists;
}

void WxViewsPort::ResetTimetableViewState()
{
    for (wxView* p : PaneViews())
        if (auto* p_pane = dynamic_cast<IFramePane*>(p))
            p_pane->ResetViewState();
}

void WxViewsPort::RefreshSelectedSlots()
{
    for (wxView* p : PaneViews())
        if (auto* p_pane = dynamic_cast<IFramePane*>(p))
            p_pane->RefreshSelectedSlot();
}

void WxViewsPort::UpdateAllViews(const UpdateViewHint* p_hint)
{
    CRotavexApp* p_app = TheApp();
    if (CEventDocument* p_doc = p_app != nullptr ? p_app->GetDocument() : nullptr)
        p_doc->UpdateViews(p_hint);
}
