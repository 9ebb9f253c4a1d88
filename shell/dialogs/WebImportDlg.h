// The import from the web on screen: "Import from the web" (252) asks for
// the site, the file and the kind; the fetch dialog downloads the file on
// the download's worker thread with its progress, status and Cancel. The
// port shows both over the program's top window.
#pragma once

#include "framework/Types.h"
#include "shell/frame/FramePorts.h"
#include "shell/dialogs/WebImportRules.h"
#include "zelkit/dialogs/ui/ZelGeneralProgress.h"
#include "zelkit/services/ui/ZelInternetFilePoster.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>
#include <wx/dialog.h>

class wxComboBox;
class wxRadioButton;
class wxButton;

class ImportWebDlg : public wxDialog {
public:
    // The request's lists, kinds allowed and preferred kind fill the
    // dialog; on OK its site (as typed), file and kind are set.
    ImportWebDlg(wxWindow* p_parent, WebImportRequest& request);

    bool TransferDataFromWindow() override;
    bool Validate() override;

private:
    WebImportRequest& Request;
    wxComboBox* pSite;
    wxComboBox* pFile;
    wxRadioButton* pGroups;
    wxRadioButton* pParticipants;
};

class FetchWebFileDlg : public ZelGeneralProgress {
public:
    // The message id the download posts with.
    static constexpr UINT uMessage = 0x0400;

    FetchWebFileDlg(const std::string& s_description, wxWindow* p_parent);
    ~FetchWebFileDlg() override;

    void SetSource(const std::string& s_site, const std::string& s_file);
    // The library clock's milliseconds; tests give their own.
    void SetClock(std::function<DWORD()> f_now) { fNow = std::move(f_now); }

    // After the dialog: the file's text (result 1) or why it failed (5043,
    // 5044).
    const std::string& GetText() const { return Progress.GetText(); }
    const std::string& GetError() const;

    // One code of the download (the handler of its posted events).
    void OnProgress(long l_code, CInternetFileAccess* p_access);

private:
    class Callback : public ZelGeneralCallback {
    public:
        explicit Callback(FetchWebFileDlg& dlg) : Dlg(dlg) {}
        void AfterInit(wxDialog& dialog) override;
        void Cancel() override;

        FetchWebFileDlg& Dlg;
        std::string sSite;
        std::string sFile;
        std::unique_ptr<CInternetFileAccess> pAccess;
    };

    void OnProgressEvent(wxThreadEvent& event);
    // Stops the download and waits for its worker.
    void CloseDownload();
    void End(int i_result);

    Callback Call;
    ZelInternetFilePoster Poster;
    WebImportRules::FetchProgress Progress;
    std::function<DWORD()> fNow;
    std::string sStartError;
};

class WxWebImportPort : public IWebImportPort {
public:
    int AskWebImport(WebImportRequest& request) override;
    int FetchWebFile(const std::string& s_title, const std::string& s_site, const std::string& s_file,
                     std::string& s_text, std::string& s_error) override;
};

// The program's web import dialogs, for its life.
void InstallWebImportDialogs();
// Puts the stand-in back where the program's dialogs are installed.
void RemoveWebImportDialogs();
