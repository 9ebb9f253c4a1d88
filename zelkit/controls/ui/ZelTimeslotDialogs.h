// The small dialogs of the timeslot controls: the length of new slots, the
// mouse resolution, and the name of a combination to put the selected
// slots into. Each keeps the ids its controls have always had, so that an
// owner or a test finds them by id; OK and Cancel are wx's own.
#pragma once

#include "framework/Types.h"
#include "framework/ui/WxIds.h"
#include "zelkit/values/ZelTimeslotCombination.h"
#include "zelkit/dialogs/ui/ZelSizing.h"

#include <string>

class wxCheckBox;
class wxComboBox;
class wxTextCtrl;

// "Timeslot length": the length of new slots in minutes, 1 to 1440. An
// entry out of range keeps the dialog open.
class ZelTimeslotCtrlChangeLengthDlg : public ZelSizingDialog {
public:
    enum : int { IDD = 26013, IDC_LENGTH = 56039 };
    static constexpr UINT uMinMinutes = 1;
    static constexpr UINT uMaxMinutes = 1440;

    explicit ZelTimeslotCtrlChangeLengthDlg(wxWindow* p_parent, UINT u_minutes = 30);
    UINT GetMinutes() const { return uMinutes; }

private:
    UINT uMinutes;
};

// "Resolution": the mouse resolution in minutes, 1 to 10, and whether a
// finer scale gives a finer resolution.
class ZelTimeslotResDlg : public ZelSizingDialog {
public:
    enum : int { IDD = 26049, IDC_RESOLUTION = 56060, IDC_AUTO = 56061 };
    static constexpr UINT uMinMinutes = 1;
    static constexpr UINT uMaxMinutes = 10;

    ZelTimeslotResDlg(wxWindow* p_parent, UINT u_minutes, int b_auto);
    UINT GetMinutes() const { return uMinutes; }
    int GetAuto() const { return bAuto ? 1 : 0; }

private:
    UINT uMinutes;
    bool bAuto;
};

// "Combine timeslots": a name typed or chosen among the combinations
// offered; OK only once there is one.
class ZelTimeslotCombineDlg : public ZelSizingDialog {
public:
    enum : int { IDD = 26048, IDC_NAME = 56058 };

    explicit ZelTimeslotCombineDlg(wxWindow* p_parent);
    // The combinations offered (set before the dialog shows).
    ZelTimeslotCombinationList& GetCombinations() { return Combinations; }
    // The name chosen (code page 1252).
    const std::string& GetChosenName() const { return sName; }

protected:
    bool OnInitDialog() override;

private:
    void OnNameChange(wxCommandEvent& event);
    void OnOK(wxCommandEvent& event);

    wxComboBox* pName;
    ZelTimeslotCombinationList Combinations;
    std::string sName;
};
