// A small progress dialog: a title, one status line and a progress bar,
// with an optional callback through which its owner starts the work once
// the dialog is up and learns that the user cancelled.
//
// The dialog neither starts nor ends the work itself: the owner (a derived
// dialog or the callback) starts it in AfterInit or its own initialisation,
// drives Step from events it queues to the dialog, and ends the dialog when
// the work is done. The user can end it at any time with Cancel or Escape,
// after the callback has been told.
#pragma once

#include "framework/Types.h"

#include <string>
#include <wx/dialog.h>

class wxGauge;
class wxStaticText;

class ZelGeneralCallback {
public:
    virtual ~ZelGeneralCallback() = default;
    // The dialog is initialised: start the work.
    virtual void AfterInit(wxDialog& /*dialog*/) {}
    // The user cancelled; the dialog ends right after.
    virtual void Cancel() {}
};

class ZelGeneralProgress : public wxDialog {
public:
    enum : UINT {
        IDD_ZEL_PROGRESS = 26043,
        IDC_ZEL_PROGRESS_TEXT = 26044,
        IDC_ZEL_PROGRESS_BAR = 26045,
    };

    // With the library's template the dialog builds its status line, bar
    // and Cancel button; a derived dialog with a template of its own builds
    // its controls, among them a status line and a bar with these ids.
    ZelGeneralProgress(const std::string& s_title, ZelGeneralCallback* p_callback, wxWindow* p_parent,
                       UINT u_templateId = IDD_ZEL_PROGRESS);

    // The bar runs from 0 to this value, set before ResetProgress.
    void SetRangeMax(DWORD u_max) { uRangeMax = u_max; }
    DWORD GetRangeMax() const { return uRangeMax; }
    // The status line shown at the next Step (or now, with
    // TransferDataToWindow).
    void SetStatusText(const std::string& s_status) { sStatus = s_status; }
    const std::string& GetStatusText() const { return sStatus; }
    void SetCallback(ZelGeneralCallback* p_callback) { pCallback = p_callback; }

    // Bar from 0 to the range maximum, step 1, at 0.
    void ResetProgress();
    // One step further (past the end the bar starts again from 0), then the
    // status line is shown again.
    void Step();
    // The bar's position.
    int GetPosition() const;

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

protected:
    virtual bool OnInitDialog();
    // Cancel or Escape: the callback first, then the dialog ends.
    virtual void OnCancel();

    wxGauge* GetBar() const;
    wxStaticText* GetStatusCtrl() const;

    std::string sStatus;
    std::string sTitle;
    ZelGeneralCallback* pCallback;
    DWORD uRangeMax = 0;

private:
    void OnInitDialogEvent(wxInitDialogEvent& event);
    void OnCancelButton(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnClose(wxCloseEvent& event);
};
