// The dialogs around a build on screen: the build options (244), the
// reports of groups below their minimums (156), of rotation failures (239)
// and of groups never placed (202), and the notice after a long sort (271).
// Each renders its model (engine/BuildReports.h) and writes the user's
// choices back into it; the control ids are the dialogs' own. The ports
// the engine calls (engine/BuildPorts.h) show them over the dialog on top,
// and disable and enable the main window around a build.
#pragma once

#include "engine/BuildPorts.h"
#include "engine/BuildReports.h"
#include "zelkit/dialogs/ZelReportLayout.h"
#include "zelkit/dialogs/ui/ZelSizing.h"

#include <memory>
#include <wx/dialog.h>

class wxButton;
class wxCheckBox;
class wxChoice;
class wxRadioButton;
class wxStaticText;
class wxTextCtrl;
class ZelListCtrl;

// 244 "Build options".
class BuildOptionsDlg : public wxDialog {
public:
    BuildOptionsDlg(wxWindow* p_parent, BuildOptionsModel& model);

    // OK: the minutes must be a number from 1 to 1440 while travel time is
    // allowed (the user is told otherwise and the dialog stays), then the
    // four options go into the model.
    bool TransferDataFromWindow() override;

private:
    void OnTravelClicked(wxCommandEvent& event);
    void OnDontShowClicked(wxCommandEvent& event);
    void EnableMinutes();

    BuildOptionsModel& Model;
    wxCheckBox* pTravel;
    wxTextCtrl* pMinutes;
    wxCheckBox* pFill;
    wxCheckBox* pDontShow;
};

// The two printable reports: a resizable dialog with a list, and printing
// of the report's page layout on the printer the user chooses, as the
// library's report dialog prints (zelkit/dialogs/ui/ZelReportPrintout.h).
class BuildReportDlg : public ZelSizingDialog {
protected:
    BuildReportDlg(wxWindow* p_parent, UINT u_id, const wxString& s_title);

    // Fills the list with the columns and rows, in their order.
    static void FillList(ZelListCtrl& list, const ZelReportLayout& layout);
    // The printer dialog, then the job named after the report's title.
    void Print(const ZelReportLayout& layout);
};

// 156 "Minimum scheduling failures". ShowModal returns the radio button
// chosen (1123 or 1124) after OK.
class FailedMinimums : public BuildReportDlg {
public:
    FailedMinimums(wxWindow* p_parent, FailedMinimumsModel& model);

protected:
    bool OnInitDialog() override;
    using BuildReportDlg::OnInitDialog;

private:
    void OnOk(wxCommandEvent& event);
    void OnPrint(wxCommandEvent& event);

    FailedMinimumsModel& Model;
    ZelListCtrl* pList;
    wxRadioButton* pKeep;
    wxRadioButton* pChange;
    wxChoice* pMode;
};

// 239 "Rotation failures".
class FailedRotation : public BuildReportDlg {
public:
    FailedRotation(wxWindow* p_parent, FailedRotationModel& model);

    // The scope column's text (FailedRotationModel::GetScopeText).
    static std::string GetScopeText(int i_scope, const std::string& s_day)
    {
        return FailedRotationModel::GetScopeText(i_scope, s_day);
    }

protected:
    bool OnInitDialog() override;
    using BuildReportDlg::OnInitDialog;

private:
    void OnPrint(wxCommandEvent& event);

    FailedRotationModel& Model;
    ZelListCtrl* pList;
};

// 202 "Not Scheduled".
class NotScheduledDlg : public ZelSizingDialog {
public:
    NotScheduledDlg(wxWindow* p_parent, NotScheduledModel& model);

protected:
    bool OnInitDialog() override;
    using ZelSizingDialog::OnInitDialog;

private:
    NotScheduledModel& Model;
    ZelListCtrl* pList;
    wxStaticText* pExplain1;
    wxStaticText* pExplain2;
};

// 271 "Long sorting process". The box's state goes into the model on OK.
class SortTooLongDlg : public wxDialog {
public:
    SortTooLongDlg(wxWindow* p_parent, SortTooLongModel& model);
    bool TransferDataFromWindow() override;

private:
    SortTooLongModel& Model;
    wxCheckBox* pDontShow;
};

// The build's dialogs over the dialog on top (the progress window during a
// build), else over the program's top window.
class WxBuildDialogsPort : public IBuildDialogsPort {
public:
    int AskBuildOptions(BuildOptionsModel& model) override;
    int ShowFailedMinimums(FailedMinimumsModel& model) override;
    void ShowFailedRotation(FailedRotationModel& model) override;
    void ShowNotScheduled(NotScheduledModel& model) override;
    void ShowSortTooLong(SortTooLongModel& model) override;
};

// The program's top window as the main window of a build.
class WxBuildWindowPort : public IBuildWindowPort {
public:
    BOOL DisableMainWindow() override;
    void EnableMainWindow(BOOL b_activate) override;
};
