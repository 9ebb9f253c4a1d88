// "Timetable print options" (236): the modal dialog before a timetable is
// printed or previewed, on the rules of PrintTTOptionsModel, with a sample
// page (PrintTTSample) that follows every click. The sample is portrait or
// landscape in shape as the orientation is. OK is the default button, so
// Return prints with the options shown.
#pragma once

#include "output/PrintTTOptions.h"

#include <map>
#include <wx/dialog.h>
#include <wx/window.h>

class wxCheckBox;
class wxRadioButton;
class wxControl;

class PrintTTSample : public wxWindow {
public:
    PrintTTSample(wxWindow* p_parent, const PrintOptions& options);

private:
    void OnPaint(wxPaintEvent& event);

    const PrintOptions& Options;
};

class PrintTTOptionsDlg : public wxDialog {
public:
    // Edits a copy of the options; n_groups, n_venues and n_participants
    // are the rows selected in the three lists.
    PrintTTOptionsDlg(wxWindow* p_parent, const PrintOptions& options, int n_groups, int n_venues,
                      int n_participants);

    const PrintOptions& GetOptions() const { return Model.Options; }
    PrintTTOptionsModel& GetModel() { return Model; }
    PrintTTSample* GetSample() const { return pSample; }
    // The controls show the model; the sample moves to its shape and is
    // painted again.
    void ShowModel();

private:
    void OnButton(wxCommandEvent& event);

    PrintTTOptionsModel Model;
    std::map<UINT, wxControl*> mControls;
    wxWindow* pSampleArea = nullptr;
    PrintTTSample* pSample = nullptr;
    wxSize szPortrait, szLandscape;
};
