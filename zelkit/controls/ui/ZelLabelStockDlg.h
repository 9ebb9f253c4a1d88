// "Label stock" (dialog 26001): edits one label stock. Lengths are shown in
// the stock's unit (FormatDimension) and read back as typed, with or
// without a unit (Parse); leaving a field shows every value again in the
// unit, so whatever was typed reads normalised. The eight length fields
// have spin buttons that step the stock's value itself (0.1 mm per tick,
// further the longer a button is held: ZelSpinAccel); the two counts have
// plain spin buttons from 1 to 16. OK is enabled only while there is a
// name and every value reads.
#pragma once

#include "framework/Types.h"
#include "zelkit/controls/ZelLabelPrint.h"

#include <wx/dialog.h>

class wxSpinEvent;
class wxTextCtrl;
class wxRadioButton;
class wxSpinButton;

class ZelLabelStockDlg : public wxDialog {
public:
    enum : int {
        IDD = 26001,
        IDC_PORTRAIT = 56012,
        IDC_LANDSCAPE = 56013,
        IDC_PAGE = 56014,
        IDC_ROLL = 56015,
        IDC_FANFOLD = 56016,
        IDC_PAGE_HEIGHT = 56017,
        IDC_PAGE_WIDTH = 56018,
        IDC_PAGE_HEIGHT_SPIN = 56019,
        IDC_PAGE_WIDTH_SPIN = 56020,
        IDC_TOP_MARGIN = 56021,
        IDC_TOP_MARGIN_SPIN = 56022,
        IDC_LEFT_MARGIN = 56023,
        IDC_LEFT_MARGIN_SPIN = 56024,
        IDC_ACROSS = 56025,
        IDC_ACROSS_SPIN = 56026,
        IDC_DOWN = 56027,
        IDC_DOWN_SPIN = 56028,
        IDC_BETWEEN_ROWS = 56029,
        IDC_BETWEEN_ROWS_SPIN = 56030,
        IDC_BETWEEN_COLUMNS = 56031,
        IDC_BETWEEN_COLUMNS_SPIN = 56032,
        IDC_NAME = 56033,
        IDC_LABEL_HEIGHT = 56035,
        IDC_LABEL_HEIGHT_SPIN = 56036,
        IDC_LABEL_WIDTH = 56037,
        IDC_LABEL_WIDTH_SPIN = 56038,
    };
    static constexpr int nMaxName = 30;
    static constexpr int nMaxField = 10;
    static constexpr int nMinLabels = 1;
    static constexpr int nMaxLabels = 16;
    static constexpr int nMaxSpin = 32700;

    explicit ZelLabelStockDlg(wxWindow* p_parent);

    // The stock edited: set before the dialog opens, read after OK.
    void SetStock(const ZelLabelStock& stock) { Stock = stock; }
    const ZelLabelStock& GetStock() const { return Stock; }
    // What the controls read as now.
    const ZelLabelStock& GetWorkingStock() const { return Working; }

    // The clock of the spin buttons' hold time (milliseconds); tests set
    // their own.
    void SetClock(DWORD (*f_clock)()) { fClock = f_clock; }

    // Copies the controls into the working stock; false when a value does
    // not read (the working stock then keeps its old value of it).
    bool ReadControls();
    // Shows the working stock in the controls.
    void ShowValues();
    // Reads the controls and enables OK when there is a name and every
    // value read.
    void ValidateStock();

private:
    void OnInit(wxInitDialogEvent& event);
    void OnLeaveField(wxFocusEvent& event);
    void OnNameChange(wxCommandEvent& event);
    void OnRadio(wxCommandEvent& event);
    void OnLengthSpin(wxSpinEvent& event);
    void OnCountSpin(wxSpinEvent& event);
    void OnSpinRelease(wxMouseEvent& event);
    void OnOK(wxCommandEvent& event);
    wxTextCtrl* Edit(int i_id) const;

    ZelLabelStock Stock;
    ZelLabelStock Working;
    ZelSpinAccel Accel;
    DWORD (*fClock)();
};
