// File dialogs (open and save), reached through a port so that code below
// the windows can ask for a file and tests can choose it. A dialog can carry
// a few option controls of its own (radio buttons and check boxes) whose
// states come back with the file.
//
// Until a port is installed every dialog is cancelled. The program installs
// the desktop's dialog (framework/ui/WxFileDialog.h); tests install
// ScriptedFileDialogs.
#pragma once

#include "framework/Types.h"

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// An option control inside the dialog. Radio buttons that follow each
// other form one group.
struct FileDialogOption {
    enum Kind { e_radio, e_check };

    Kind eKind = e_radio;
    int iId = 0;
    std::string sLabel; // code page 1252, "&" before the mnemonic
    BOOL bEnabled = TRUE;
    BOOL bValue = FALSE;
    BOOL bVisible = TRUE;
    // Where it stands: options of one row number share a row, in order; an
    // indent moves the row's start in by steps. Options all left at 0 stand
    // in the desktop dialog's own single row.
    int iRow = 0;
    int iIndent = 0;
};

struct FileDialogRequest {
    BOOL bSave = FALSE;
    // The dialog's title (code page 1252); empty for the desktop's own.
    std::string sTitle;
    // The folder to open in and the file name to offer (UTF-8, as the file
    // system names them); empty for the desktop's choice and none.
    std::string sFolder;
    std::string sFileName;
    // The filters: a name (code page 1252) and its patterns, joined by ";"
    // ("*.txt;*.csv"). Patterns match without regard to case, as the
    // desktop's own file types do. iFilter is the one chosen at first.
    std::vector<std::pair<std::string, std::string>> vFilters;
    int iFilter = 0;
    // Added (after a ".") to a file name chosen without an extension.
    std::string sDefaultExt;
    BOOL bMustExist = FALSE;
    BOOL bOverwritePrompt = FALSE;
    std::vector<FileDialogOption> vOptions;
    // Called after the user clicked an option (its value already changed,
    // the other radios of its group cleared) so that the options can follow
    // each other; the dialog then shows what the options say.
    std::function<void(FileDialogRequest& request, int i_id)> fOnClick;

    // On OK: the file chosen (UTF-8), and the options' states.
    std::string sPath;

    // The option with the id; null when there is none.
    FileDialogOption* FindOption(int i_id);
    // A click on the option as the dialog handles it (tests click so too):
    // a radio becomes the one checked of its group, a check box toggles,
    // then fOnClick runs. Nothing happens for a disabled or hidden option.
    void Click(int i_id);
};

class IFileDialogPort {
public:
    virtual ~IFileDialogPort() = default;
    // Shows the dialog; TRUE when the user chose a file (in the request).
    virtual BOOL Ask(FileDialogRequest& request) = 0;
};

IFileDialogPort& GetFileDialogPort();
// Installs a port (null puts the stand-in back, which cancels); returns
// the previous one.
IFileDialogPort* SetFileDialogPort(IFileDialogPort* p_port);

// Chooses files as a test says; installs itself for its lifetime.
class ScriptedFileDialogs : public IFileDialogPort {
public:
    // The answer may look at the request and change its options; it sets
    // the path and returns TRUE, or returns FALSE for Cancel.
    using Answer = std::function<BOOL(FileDialogRequest& request)>;

    ScriptedFileDialogs();
    ~ScriptedFileDialogs() override;
    ScriptedFileDialogs(const ScriptedFileDialogs&) = delete;
    ScriptedFileDialogs& operator=(const ScriptedFileDialogs&) = delete;

    // Answers in turn; Cancel once they are used up.
    void AnswerWith(Answer f_answer) { qAnswers.push_back(std::move(f_answer)); }
    void AnswerPath(const std::string& s_path);
    void AnswerCancel();
    // Every request, as it was when the dialog opened.
    const std::vector<FileDialogRequest>& Requests() const { return vRequests; }

    BOOL Ask(FileDialogRequest& request) override;

private:
    std::deque<Answer> qAnswers;
    std::vector<FileDialogRequest> vRequests;
    IFileDialogPort* pPrevious;
};
