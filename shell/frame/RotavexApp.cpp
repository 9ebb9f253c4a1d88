#include "shell/frame/RotavexApp.h"

#include "framework/FileDialog.h"
#include "framework/PortSlot.h"
#include "framework/Resources.h"
#include "framework/Settings.h"
#include "framework/ui/WxFileDialog.h"
#include "framework/ui/WxMessageBox.h"
#include "model/General.h"
#include "res/RotavexStrings.h"
#include "shell/frame/CommandIds.h"
#include "shell/frame/EventDocument.h"
#include "shell/frame/FileFolders.h"
#include "shell/frame/MailSetup.h"
#include "shell/frame/MainFrm.h"
#include "shell/frame/ModuleVersion.h"
#include "shell/frame/ShellPortsWx.h"
#include "shell/frame/WxCommands.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/base/ZelLibrary.h"
#include "zelkit/values/ZelRegistry.h"
#include "zelkit/values/ZelRelease.h"
#include "zelkit/windows/ui/ZelClock.h"
#include "zelkit/base/ui/ZelErrorDlg.h"

#include <exception>
#include <filesystem>
#include <unistd.h>
#include <wx/docview.h>
#include <wx/filehistory.h>
#include <wx/filename.h>
#include <wx/printdlg.h>
#include <wx/stdpaths.h>

const ZelRelease& RotavexRelease()
{
    static const ZelRelease release(RVX_PRODUCT_NAME, RVX_RELEASE_NUMBER, "");
    return release;
}

std::string RotavexProductText() { return RotavexRelease().GetPgmName() + " Rev " + RotavexRelease().FormatRel(); }

namespace {

// The installation's settings: beside the program in a build tree, else in
// the installed data folder.
std::string InstallSettingsFile()
{
    const wxFileName exe(wxStandardPaths::Get().GetExecutablePath());
    const wxString s_beside = exe.GetPath() + "/rotavex-install.ini";
    if (wxFileName::FileExists(s_beside))
        return std::string(s_beside.utf8_str());
    const wxString s_installed = exe.GetPath() + "/../share/rotavex/rotavex-install.ini";
    return std::string(s_installed.utf8_str());
}

// The windows' sides of the ports, installed while the frame exists.
WxMainWindowPort g_mainWindowPort;
WxSaveQuestionsPort g_saveQuestionsPort;
WxViewsPort g_viewsPort;

using FileFolders::RecentFilesKey;
constexpr int nRecentFiles = 4;

std::string AbsolutePath(const std::string& s_path)
{
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(s_path, error);
    return error ? s_path : path.lexically_normal().string();
}

// The user may answer "No" to saving the event before another is opened;
// when none takes its place after all (the file dialog cancelled, the file
// not taken), the event is still the changed one and still to be saved.
class ModifiedKeeper {
public:
    explicit ModifiedKeeper(EventDoc& doc) : Doc(doc), bWasModified(doc.IsModified()) {}
    ~ModifiedKeeper()
    {
        // A save stamps the event: an event saved on the way is not
        // changed any more.
        if (!bReplaced && bWasModified && !Doc.IsModified() && Doc.GetLastSavedDate() == dtSaved)
            Doc.SetModifiedFlag();
    }
    ModifiedKeeper(const ModifiedKeeper&) = delete;
    ModifiedKeeper& operator=(const ModifiedKeeper&) = delete;
    void Replaced() const { bReplaced = true; }

private:
    EventDoc& Doc;
    bool bWasModified;
    CHighTime dtSaved = Doc.GetLastSavedDate();
    mutable bool bReplaced = false;
};

bool SameFile(const std::string& s_a, const std::string& s_b)
{
    if (s_a.empty() || s_b.empty())
        return false;
    std::error_code error;
    if (std::filesystem::equivalent(s_a, s_b, error))
        return true;
    return AbsolutePath(s_a) == AbsolutePath(s_b);
}

} // namespace

CRotavexApp* TheApp()
{
    return dynamic_cast<CRotavexApp*>(wxApp::GetInstance());
}

CRotavexApp::CRotavexApp() = default;
CRotavexApp::~CRotavexApp() = default;

void CRotavexApp::InitServices(bool b_withGui)
{
    ZelLibraryAttach();
    JoinRotavexResources();
    SetMessageBoxCaption(RVX_PRODUCT_NAME);
    if (b_withGui) {
        static ZelErrorDlgPort s_reports;
        static WxFileDialogPort s_files;
        SetMessageBoxPort(&SplashEndingMessageBoxes());
        ZelSetErrorReportPort(&s_reports);
        SetFileDialogPort(&s_files);
        CSettingsStore::Get().Configure(CSettingsStore::DefaultUserFile("rotavex"), InstallSettingsFile());
    }
    std::string s_email;
    LoadResourceString(IDS_SUPPORT_EMAIL, s_email);
    ZelAssertSetEmail(s_email.c_str());
    ZelAssertSetProductInfo(RotavexProductText().c_str());
}

void CRotavexApp::OnInitCmdLine(wxCmdLineParser& parser)
{
    wxApp::OnInitCmdLine(parser);
    parser.AddSwitch("", "nologo", "start without the splash");
    parser.AddParam("event file", wxCMD_LINE_VAL_STRING, wxCMD_LINE_PARAM_OPTIONAL);
}

bool CRotavexApp::OnCmdLineParsed(wxCmdLineParser& parser)
{
    if (parser.GetParamCount() > 0)
        sCommandLineFile = std::string(parser.GetParam(0).utf8_str());
    bSplashWanted = !parser.Found("nologo");
    return wxApp::OnCmdLineParsed(parser);
}

namespace {

std::vector<void (*)()>& Installers()
{
    static std::vector<void (*)()> a_installers;
    return a_installers;
}

} // namespace

void CRotavexApp::AddInstaller(void (*p_install)())
{
    Installers().push_back(p_install);
}

namespace {

void (*g_installWindowPorts)() = nullptr;
void (*g_removeWindowPorts)() = nullptr;

} // namespace

void CRotavexApp::SetWindowPortsInstaller(void (*p_install)(), void (*p_remove)())
{
    g_installWindowPorts = p_install;
    g_removeWindowPorts = p_remove;
}

bool CRotavexApp::OnInit()
{
    SetAppName(RVX_PRODUCT_NAME);
    SetVendorName("Vantor Software");
    if (!wxApp::OnInit())
        return false;
    InitServices(true);
    for (void (*p_install)() : Installers())
        p_install();
    return StartUp(sCommandLineFile);
}

bool CRotavexApp::StartUp(const std::string& s_file)
{
    AppSettings::SetStartupDialogFlag(TRUE);
    if (!AppSettings::CheckRequiredModules(RequiredModules(), GetModuleVersion))
        return false;
    if (!pClock)
        pClock = std::make_unique<ZelClock>(ZelClock::uDefFreq);
    if (bSplashWanted)
        ShowSplash(2000);

    // There is no older settings file to move: a first start only records
    // that the settings are in the store.
    if (!AppSettings::IsConverted())
        AppSettings::RecordConversion();
    pHistory = std::make_unique<wxFileHistory>(nRecentFiles, wxID_FILE1);
    // Every entry with its folder: left to itself the list drops the folder
    // of files beside the first one only, so one menu would mix bare names
    // and full paths, and the first file's folder would go unnamed.
    pHistory->SetMenuPathStyle(wxFH_PATH_SHOW_ALWAYS);
    LoadRecentFiles();

    pDocManager = std::make_unique<wxDocManager>();
    const std::string s_ext = AppSettings::GetDocString(AppSettings::e_filter_ext);
    pTemplate = new wxDocTemplate(pDocManager.get(), AppSettings::GetDocString(AppSettings::e_filter_name),
                                  "*" + wxString(s_ext).Lower(), wxEmptyString, wxString(s_ext.substr(1)).Lower(),
                                  AppSettings::GetDocString(AppSettings::e_file_type),
                                  AppSettings::GetDocString(AppSettings::e_file_type_name));
    pDocument = new CEventDocument;
    pDocument->SetDocumentTemplate(pTemplate);
    pDocument->SetOnSaved([this](const std::string& s_path) { AddToRecentFileList(s_path); });

    AppSettings::CommandLineNamesFile(!s_file.empty());

    auto* p_frame = new CMainFrame(*pDocument);
    pFrame = p_frame;
    if (!p_frame->Create()) {
        ShutDown();
        return false;
    }
    SetTopWindow(p_frame);
    pHistory->UseMenu(p_frame->GetRecentFilesMenu());
    pHistory->AddFilesToMenu(p_frame->GetRecentFilesMenu());
    InstallWindowPorts();
    p_frame->Show();

    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnFileNew(); }, wxID_NEW);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnFileOpen(); }, wxID_OPEN);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnFileOpenSample(); }, CommandWxId(ID_FILE_OPEN_SAMPLE));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnFilePrintSetup(); }, wxID_PRINT_SETUP);
    Bind(
        wxEVT_MENU,
        [this](wxCommandEvent&) {
            if (CMainFrame* p = GetMainFrame())
                p->Close();
        },
        wxID_EXIT);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent& event) { OnOpenRecentFile(event.GetId() - wxID_FILE1); }, wxID_FILE1,
        wxID_FILE1 + nRecentFiles - 1);
    for (const int i_id : {static_cast<int>(wxID_NEW), static_cast<int>(wxID_OPEN), CommandWxId(ID_FILE_OPEN_SAMPLE),
                           static_cast<int>(wxID_PRINT_SETUP), static_cast<int>(wxID_EXIT)})
        Bind(wxEVT_UPDATE_UI, [](wxUpdateUIEvent& event) { event.Enable(true); }, i_id);
    Bind(
        wxEVT_UPDATE_UI,
        [this](wxUpdateUIEvent& event) {
            event.Enable(static_cast<std::size_t>(event.GetId() - wxID_FILE1) < pHistory->GetCount());
        },
        wxID_FILE1, wxID_FILE1 + nRecentFiles - 1);
    InstallStartupScreens();

    if (s_file.empty() && GetSplash() != nullptr && AppSettings::GetStartupDialogFlag()) {
        // The start-up dialog follows the splash and its New opens the new
        // event's definition; opening it now as well would put the two
        // dialogs on screen at once.
        pDocument->GetEvent().OnNewDocument(FALSE);
    } else if (s_file.empty()) {
        pDocument->GetEvent().OnNewDocument();
    } else if (OpenDocumentFile(s_file) != e_opened) {
        // The file could not be taken: the program goes on with an empty
        // event, as after Close.
        pDocument->GetEvent().InitNewEvent();
    }

    AppSettings::InstallPaths paths;
    if (!AppSettings::ReadInstallPaths(paths)) {
        ShutDown();
        return false;
    }
    Path = paths.Path;
    License = paths.License;
    UserGuide = paths.UserGuide;
    RelNotes = paths.RelNotes;
    KeepSplashInFront();
    return true;
}

void CRotavexApp::InstallWindowPorts()
{
    SetMainWindowPort(&g_mainWindowPort);
    SetSaveQuestionsPort(&g_saveQuestionsPort);
    SetViewsPort(&g_viewsPort);
    if (g_installWindowPorts != nullptr)
        g_installWindowPorts();
    InstallDocumentMail();
}

void CRotavexApp::ShutDown()
{
    RemoveStartupScreens();
    // Ports the program installed go back to their stand-ins; a test's
    // scripted port stays where it is.
    RemovePortIfOurs(GetMainWindowPort, SetMainWindowPort, g_mainWindowPort);
    RemovePortIfOurs(GetSaveQuestionsPort, SetSaveQuestionsPort, g_saveQuestionsPort);
    RemovePortIfOurs(GetViewsPort, SetViewsPort, g_viewsPort);
    if (g_removeWindowPorts != nullptr)
        g_removeWindowPorts();
    RemoveDocumentMail();

    if (CMainFrame* p_frame = GetMainFrame()) {
        if (pHistory)
            pHistory->RemoveMenu(p_frame->GetRecentFilesMenu());
        p_frame->DeleteViews();
        if (GetTopWindow() == p_frame)
            SetTopWindow(nullptr);
        p_frame->Destroy();
        DeletePendingObjects();
    }
    pFrame = nullptr;
    delete pDocument;
    pDocument = nullptr;
    pTemplate = nullptr;
    pDocManager.reset();
    pHistory.reset();
}

int CRotavexApp::OnRun()
{
    // Exceptions from event handlers come to OnExceptionInMainLoop; those
    // from pending calls and idle work leave the loop and arrive here.
    try {
        const int i = wxApp::OnRun();
        return iExitCode ? iExitCode : i;
    } catch (...) {
        return ReportLoopException();
    }
}

int CRotavexApp::OnExit()
{
    ShutDown();
    pClock.reset();
    return wxApp::OnExit();
}

int CRotavexApp::ReportLoopException()
{
    try {
        throw;
    } catch (const ZelAssertException&) {
        ShowMessageBox("Assertion failure: the program will now terminate", MB_OK | MB_ICONSTOP);
    } catch (const std::exception& e) {
        ShowMessageBox(std::string("Unexpected error: ") + e.what() + "\nThe program will now terminate",
                       MB_OK | MB_ICONSTOP);
    } catch (...) {
        ShowMessageBox("Unknown exception: the program will now terminate", MB_OK | MB_ICONSTOP);
    }
    return 1;
}

bool CRotavexApp::OnExceptionInMainLoop()
{
    iExitCode = ReportLoopException();
    // Leave the loop: the program ends with the exit code set above.
    for (wxWindow* p : wxTopLevelWindows)
        p->Destroy();
    return false;
}

void CRotavexApp::OnUnhandledException()
{
    ReportLoopException();
    _exit(1);
}

// ---- the framework's file commands ----

std::vector<std::pair<std::string, std::string>> CRotavexApp::EventFileFilters()
{
    std::string s_ext = AppSettings::GetDocString(AppSettings::e_filter_ext);
    for (char& c : s_ext)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return {{AppSettings::GetDocString(AppSettings::e_filter_name), "*" + s_ext}, {"All Files (*.*)", "*.*"}};
}

BOOL CRotavexApp::SaveAllModified()
{
    return pDocument != nullptr && pDocument->OnSaveModified() ? TRUE : FALSE;
}

CRotavexApp::OpenResult CRotavexApp::OpenDocumentFile(const std::string& s_path)
{
    if (pDocument == nullptr)
        return e_failed;
    EventDoc& doc = pDocument->GetEvent();
    const std::string s_full = AbsolutePath(s_path);
    // The event open already: nothing to do.
    if (SameFile(s_full, doc.GetPathName()))
        return e_already_open;
    const ModifiedKeeper keeper(doc);
    if (!SaveAllModified())
        return e_cancelled;
    if (!doc.OnOpenDocument(s_full))
        return e_failed;
    keeper.Replaced();
    AddToRecentFileList(s_full);
    pDocument->UpdateViews(nullptr);
    if (CMainFrame* p_frame = GetMainFrame())
        p_frame->UpdateTitle();
    return e_opened;
}

void CRotavexApp::OpenDroppedFiles(const std::vector<std::string>& v_paths)
{
    const std::string s_ext = AppSettings::GetDocString(AppSettings::e_filter_ext);
    for (const std::string& s_path : v_paths) {
        std::string s_fileExt = std::filesystem::path(s_path).extension().string();
        for (char& c : s_fileExt)
            c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        std::error_code error;
        if (s_fileExt != s_ext || std::filesystem::is_directory(s_path, error)) {
            ShowMessageId(IDS_NOT_AN_EVENT_FILE, s_path, MB_OK | MB_ICONEXCLAMATION);
            continue;
        }
        OpenDocumentFile(s_path);
    }
}

void CRotavexApp::OnFileNew()
{
    if (pDocument == nullptr || !SaveAllModified())
        return;
    pDocument->GetEvent().OnNewDocument();
}

void CRotavexApp::OnFileOpen()
{
    const ModifiedKeeper keeper(pDocument->GetEvent());
    if (!SaveAllModified())
        return;
    FileDialogRequest request;
    request.sTitle = "Open";
    request.sFolder = FileFolders::StartFolder();
    request.vFilters = EventFileFilters();
    request.bMustExist = TRUE;
    if (GetFileDialogPort().Ask(request) && OpenDocumentFile(request.sPath) == e_opened)
        keeper.Replaced();
}

void CRotavexApp::OnFileOpenSample()
{
    const ModifiedKeeper keeper(pDocument->GetEvent());
    if (!SaveAllModified())
        return;
    FileDialogRequest request;
    request.sFolder = Path + "/sample timetables";
    request.vFilters = EventFileFilters();
    const std::string s_ext = request.vFilters[0].second;
    request.sDefaultExt = s_ext.size() > 2 ? s_ext.substr(2) : std::string();
    request.bMustExist = TRUE;
    if (GetFileDialogPort().Ask(request) && OpenDocumentFile(request.sPath) == e_opened)
        keeper.Replaced();
}

void CRotavexApp::OnFilePrintSetup()
{
    wxPageSetupDialogData data(GetPageSetupData());
    int i_result = wxID_CANCEL;
    if (fPageSetup) {
        i_result = fPageSetup(data);
    } else {
        wxPageSetupDialog dlg(GetMainFrame(), &data);
        i_result = dlg.ShowModal();
        data = dlg.GetPageSetupDialogData();
    }
    // Paper, orientation and margins alike stay for the rest of the run.
    if (i_result == wxID_OK)
        GetPageSetupData() = data;
}

void CRotavexApp::OnOpenRecentFile(int i_index)
{
    if (!pHistory || i_index < 0 || static_cast<std::size_t>(i_index) >= pHistory->GetCount())
        return;
    const std::string s_path(pHistory->GetHistoryFile(i_index).utf8_str());
    // A file that cannot be opened any more (gone, unreadable, damaged)
    // leaves the list.
    if (OpenDocumentFile(s_path) == e_failed) {
        pHistory->RemoveFileFromHistory(i_index);
        SaveRecentFiles();
    }
}

// ---- the recent files ----

void CRotavexApp::AddToRecentFileList(const std::string& s_path)
{
    if (!pHistory || s_path.empty())
        return;
    pHistory->AddFileToHistory(wxString::FromUTF8(AbsolutePath(s_path)));
    SaveRecentFiles();
}

std::vector<std::string> CRotavexApp::GetRecentFiles() const
{
    std::vector<std::string> v_files;
    if (pHistory) {
        for (std::size_t i = 0; i < pHistory->GetCount(); ++i)
            v_files.emplace_back(pHistory->GetHistoryFile(i).utf8_str());
    }
    return v_files;
}

void CRotavexApp::LoadRecentFiles()
{
    ZelRegistry key(HKEY_CURRENT_USER, RecentFilesKey(), KEY_READ, false);
    if (!key.IsOpen())
        return;
    // Oldest first, so that the first file ends at the top.
    for (int i = nRecentFiles; i >= 1; --i) {
        std::string s_path;
        if (key.GetValue("File" + std::to_string(i), s_path, false) && !s_path.empty())
            pHistory->AddFileToHistory(wxString::FromUTF8(s_path));
    }
}

void CRotavexApp::SaveRecentFiles()
{
    ZelRegistry key(HKEY_CURRENT_USER, RecentFilesKey(), KEY_READ | KEY_WRITE, true);
    if (!key.IsOpen())
        return;
    for (int i = 0; i < nRecentFiles; ++i) {
        const std::string s_name = "File" + std::to_string(i + 1);
        if (static_cast<std::size_t>(i) < pHistory->GetCount())
            key.SetValue(s_name, std::string(pHistory->GetHistoryFile(i).utf8_str()));
        else
            key.DeleteValue(s_name);
    }
}

wxPrintData& CRotavexApp::GetPrintData() { return GetPageSetupData().GetPrintData(); }

wxPageSetupDialogData& CRotavexApp::GetPageSetupData()
{
    if (!pPageSetup) {
        pPageSetup = std::make_unique<wxPageSetupDialogData>();
        const PrintMargins margins;
        pPageSetup->SetMarginTopLeft(wxPoint(margins.iLeft, margins.iTop));
        pPageSetup->SetMarginBottomRight(wxPoint(margins.iRight, margins.iBottom));
    }
    return *pPageSetup;
}

PrintMargins CRotavexApp::GetPrintMargins()
{
    const wxPageSetupDialogData& data = GetPageSetupData();
    return PrintMargins::Chosen(data.GetMarginTopLeft().x, data.GetMarginTopLeft().y, data.GetMarginBottomRight().x,
                                data.GetMarginBottomRight().y);
}

void CRotavexApp::SetPortrait(BOOL b_portrait)
{
    GetPrintData().SetOrientation(b_portrait ? wxPORTRAIT : wxLANDSCAPE);
}
