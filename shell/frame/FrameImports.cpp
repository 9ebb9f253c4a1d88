#include "shell/frame/FrameImports.h"

#include "framework/FileDialog.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "shell/frame/FileFolders.h"
#include "shell/frame/FramePorts.h"
#include "shell/frame/FrameRules.h"

#include <filesystem>
#include <system_error>

namespace FrameImports {

namespace {

int iRememberedKind = 0;
std::string sRememberedFile;

// The file name the dialog keeps for the run of the program holds at most
// this many characters.
constexpr std::size_t nMaxFileName = 400;

BOOL Accepts(IPaneFinder& panes, const char* p_class)
{
    IFramePane* p_pane = panes.FindPane(p_class, FALSE);
    return p_pane != nullptr && p_pane->AcceptsImports();
}

} // namespace

int GetRememberedKind() { return iRememberedKind; }
const std::string& GetRememberedFile() { return sRememberedFile; }

void ForgetImportChoices()
{
    iRememberedKind = 0;
    sRememberedFile.clear();
}

BOOL CanImport(IPaneFinder& panes)
{
    return Accepts(panes, kGroupView) || Accepts(panes, kParticipantView);
}

void ImportFromFile(IPaneFinder& panes, EventDoc* p_doc)
{
    const ImportKindChoice choice =
        ChooseImportKind(iRememberedKind, Accepts(panes, kGroupView), Accepts(panes, kParticipantView));
    iRememberedKind = choice.iKind;

    FileDialogRequest request;
    request.sTitle = "Import";
    // The last file imported is offered again, in its folder; the first
    // import of the run starts where the event's exports start.
    const std::filesystem::path fs_last(sRememberedFile);
    std::error_code error;
    if (!sRememberedFile.empty() && std::filesystem::is_directory(fs_last.parent_path(), error)) {
        request.sFolder = fs_last.parent_path().string();
        request.sFileName = fs_last.filename().string();
    } else {
        request.sFolder = FileFolders::EventFolder(p_doc != nullptr ? p_doc->GetPathName() : std::string());
    }
    request.vFilters = {{"Text file", "*.txt;*.csv"}, {"All files", "*.*"}};
    request.sDefaultExt = "txt";
    request.bMustExist = TRUE;
    FileDialogOption groups;
    groups.iId = IDC_IMPORT_GROUPS;
    groups.sLabel = "&Groups";
    groups.bEnabled = choice.bGroupsEnabled;
    groups.bValue = choice.iKind == IDC_IMPORT_GROUPS;
    FileDialogOption participants = groups;
    participants.iId = IDC_IMPORT_PARTICIPANTS;
    participants.sLabel = "&Participants";
    participants.bEnabled = choice.bParticipantsEnabled;
    participants.bValue = choice.iKind == IDC_IMPORT_PARTICIPANTS;
    request.vOptions = {groups, participants};
    if (!GetFileDialogPort().Ask(request))
        return;

    // The radio the user left checked is the kind from now on.
    for (const FileDialogOption& option : request.vOptions) {
        if (option.bValue && option.bEnabled)
            iRememberedKind = option.iId;
    }
    sRememberedFile = request.sPath.substr(0, nMaxFileName);

    const ImportFileTexts texts = MakeImportFileTexts(iRememberedKind, request.sPath);
    IFramePane* p_view =
        panes.FindPane(iRememberedKind == IDC_IMPORT_GROUPS ? kGroupView : kParticipantView, TRUE);
    if (p_view != nullptr)
        p_view->ImportFromFile(texts.sKey, texts.sName, texts.sPath);
    if (p_doc != nullptr)
        p_doc->RevalidateLists();
}

void ImportFromWeb(IPaneFinder& panes, EventDoc* p_doc)
{
    WebImportList sites("WebSites");
    WebImportList files("WebFiles");
    sites.Load();
    files.Load();
    WebImportRequest request;
    request.vSites = sites.vEntries;
    request.vFiles = files.vEntries;
    request.iKind = static_cast<int>(files.uKind);
    if (Accepts(panes, kGroupView))
        request.vAllowedKinds.push_back(0);
    if (Accepts(panes, kParticipantView))
        request.vAllowedKinds.push_back(1);
    if (GetWebImportPort().AskWebImport(request) != IDOK)
        return;

    const std::string s_site = TrimWebSite(request.sSite);
    const std::string s_file = TrimWebFile(request.sFile);
    sites.MoveToFront(s_site);
    files.MoveToFront(s_file);
    sites.uKind = 0;
    files.uKind = static_cast<DWORD>(request.iKind);
    sites.Save();
    files.Save();

    std::string s_text;
    std::string s_error;
    const int i_result = GetWebImportPort().FetchWebFile("Fetching file", s_site, s_file, s_text, s_error);
    if (i_result == IDCANCEL)
        return;
    if (i_result != IDOK) {
        ShowMessageId(static_cast<UINT>(i_result), s_error, MB_OK | MB_ICONEXCLAMATION);
        return;
    }

    const std::string s_address = s_site + "/" + s_file;
    IFramePane* p_view = nullptr;
    std::string s_key;
    if (request.iKind == 0) {
        p_view = panes.FindPane(kGroupView, FALSE);
        s_key = "G" + s_address;
    } else if (request.iKind == 1) {
        p_view = panes.FindPane(kParticipantView, FALSE);
        s_key = "P" + s_address;
    }
    if (p_view != nullptr)
        p_view->ImportFromText(s_key, s_text);
    if (p_doc != nullptr) {
        p_doc->RevalidateLists();
        p_doc->UpdateViews(0);
    }
}

} // namespace FrameImports
