// The application object: start-up (the check of the libraries it runs on,
// the settings, the event's document, the main frame, the file named on the
// command line, the installation's paths), the framework's file commands
// (new, open, a sample, the recent files, dropped files, printer set-up),
// the per-user options, and the run loop's last line of defence against
// exceptions.
#pragma once

#include "res/ProgramRelease.h"
#include "output/PrintMargins.h"
#include "shell/frame/AppSettings.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>
#include <wx/app.h>
#include <wx/cmdline.h>
#include <wx/cmndata.h>
#include <wx/timer.h>
#include <wx/weakref.h>

class CEventDocument;
class CMainFrame;
class IMessageBoxPort;
class SplashScreen;
class wxDocManager;
class wxDocTemplate;
class wxFileHistory;
class ZelClock;
class ZelRelease;

// The program's release record (program name, release 189, no qualifier).
const ZelRelease& RotavexRelease();
// "Rotavex Rev 1.89": the product text of error reports.
std::string RotavexProductText();

class CRotavexApp : public wxApp {
public:
    CRotavexApp();
    ~CRotavexApp() override;

    bool OnInit() override;
    // Parts of the program outside this library (the editing sheets) join
    // it here before the application starts; OnInit runs them once the
    // services are up and before the first document opens.
    static void AddInstaller(void (*p_install)());
    // The dialogs and list ports of the folders above the frame join it
    // here, once, before the frame is made (the program's installer, and
    // the tests that start the program in-process): StartUp runs p_install
    // once the frame is up, after the frame's own ports; ShutDown runs
    // p_remove, which puts back only what p_install set.
    static void SetWindowPortsInstaller(void (*p_install)(), void (*p_remove)());
    int OnRun() override;
    int OnExit() override;
    bool OnExceptionInMainLoop() override;
    void OnUnhandledException() override;
    void OnInitCmdLine(wxCmdLineParser& parser) override;
    bool OnCmdLineParsed(wxCmdLineParser& parser) override;
    // Ends the splash, swallowing the input, on a key or mouse-button press.
    int FilterEvent(wxEvent& event) override;

    // The run loop's answer to an exception that reached it: tells the user
    // and gives the exit code. Call with the exception being handled.
    static int ReportLoopException();

    // Start-up without a window: resource chain, message and report ports,
    // the settings store, the assertion reports. The tests call it too,
    // without the windows' ports and with their own settings.
    static void InitServices(bool b_withGui);

    // The start-up after the services, in order: the libraries, the
    // settings' conversion and the recent files, the document, the main
    // frame with the windows' ports, the file named (or a new event), the
    // installation's paths. False ends the program, after a message.
    bool StartUp(const std::string& s_file);
    // Takes the frame (without questions) and the document down and puts
    // the windows' ports back; for the end of the program and for tests.
    void ShutDown();

    // ---- the splash and the start-up dialog ----

    // Whether start-up shows the splash (the command line's choice: not
    // with --nologo; tests start without one).
    void RequestSplash(bool b_splash) { bSplashWanted = b_splash; }
    // Shows the splash (when none is up) for u_ms milliseconds: the
    // picture for the screen's depth, or i_bitmap. Without the picture no
    // window shows, but the time still runs.
    void ShowSplash(UINT u_ms, int i_bitmap = 0);
    // Ends the splash (its time, its window); then the start-up dialog
    // follows when it is due. Every message box ends the splash first.
    void EndSplash();
    // The splash's time is running or its window is up.
    bool IsSplashUp() const;
    SplashScreen* GetSplash() const { return pSplash.get(); }
    // Paints the splash at once: handles the display's pending drawing and
    // nothing else, so no input and no timer runs start-up code again.
    void PumpSplashMessages();
    // Runs the start-up dialog, writes "OpenLast" and posts the chosen
    // command to the main frame.
    void ShowStartupDialog();
    // The program's message boxes: each ends the splash first, so that no
    // box hides under it.
    static IMessageBoxPort& SplashEndingMessageBoxes();

    CEventDocument* GetDocument() const { return pDocument; }
    CMainFrame* GetMainFrame() const { return pFrame.get(); }

    // ---- the framework's file commands ----

    enum OpenResult { e_opened, e_already_open, e_cancelled, e_failed };
    // Opens the event file in place of the event: nothing for the file
    // already open; the question whether to save the event first (Cancel
    // ends it); the load, which tells the user why a file cannot be taken
    // and leaves the event as it was, changed flag included; the file
    // joins the recent files.
    OpenResult OpenDocumentFile(const std::string& s_path);
    // Files dropped on the frame: each event file opens in turn; anything
    // else is refused with a message.
    void OpenDroppedFiles(const std::vector<std::string>& v_paths);
    // The question whether to save the event; false when the user cancels.
    BOOL SaveAllModified();
    // 57600, 57601, 32817, 57606 and the recent files (57616 to 57619).
    void OnFileNew();
    void OnFileOpen();
    void OnFileOpenSample();
    void OnFilePrintSetup();
    // 57664: the about box.
    void OnAppAbout();
    void OnOpenRecentFile(int i_index);

    // ---- the recent files (four, newest first, in the settings store) ----

    void AddToRecentFileList(const std::string& s_path);
    std::vector<std::string> GetRecentFiles() const;

    // ---- per-user options and the printer ----

    BOOL GetOpenLast() { return AppSettings::GetOpenLast(); }
    void SetOpenLast(BOOL b_value) { AppSettings::SetOpenLast(b_value); }
    BOOL GetPrependSMTP() { return AppSettings::GetPrependSMTP(); }
    void SetPrependSMTP(BOOL b_value) { AppSettings::SetPrependSMTP(b_value); }
    // The orientation of the program's printer settings.
    void SetPortrait(BOOL b_portrait);
    // The program's printer settings, made on first use (the desktop's
    // printing must be up before they can be).
    wxPrintData& GetPrintData();
    // Page set-up as the user left it for this run: the printer settings
    // and the margins (PrintMargins' default until the user chooses).
    wxPageSetupDialogData& GetPageSetupData();
    // The margins the printouts keep, at least the minimum.
    PrintMargins GetPrintMargins();
    // How page set-up asks the user: the page set-up dialog over the data,
    // unless a test says otherwise; wxID_OK keeps what the data then hold.
    using PageSetupRunner = std::function<int(wxPageSetupDialogData& data)>;
    void SetPageSetupRunner(PageSetupRunner f_run) { fPageSetup = std::move(f_run); }

    // The installation's paths (AppSettings::InstallPaths).
    std::string Path;
    std::string License;
    std::string UserGuide;
    std::string RelNotes;

private:
    void InstallWindowPorts();
    // The about command and the revision question, with the frame; and
    // their end with it (a splash still up goes without its dialog).
    void InstallStartupScreens();
    void RemoveStartupScreens();
    // The frame came up after the splash: the splash stays in front.
    void KeepSplashInFront();
    void LoadRecentFiles();
    void SaveRecentFiles();
    // The filters of the event file dialogs: event files, then all files.
    static std::vector<std::pair<std::string, std::string>> EventFileFilters();

    int iExitCode = 0;
    std::unique_ptr<ZelClock> pClock;
    std::unique_ptr<wxDocManager> pDocManager;
    wxDocTemplate* pTemplate = nullptr;
    CEventDocument* pDocument = nullptr;
    wxWeakRef<CMainFrame> pFrame;
    std::unique_ptr<wxFileHistory> pHistory;
    std::unique_ptr<wxPageSetupDialogData> pPageSetup;
    PageSetupRunner fPageSetup;
    std::string sCommandLineFile;
    bool bSplashWanted = false;
    wxWeakRef<SplashScreen> pSplash;
    std::unique_ptr<wxTimer> pSplashTimer;
};

// The application object; null while the running application is another
// (a test's plain one).
CRotavexApp* TheApp();
