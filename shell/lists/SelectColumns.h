// The rules of the column chooser ("Select columns", 251) without a window:
// two one-column lists of column titles (available, and selected in print
// order), the moves between them, the states of the arrow buttons and OK,
// the orientation and row-selection radios, and the data read back on OK.
// The dialog (SelectColumnsDlg.h) hands its two list controls in; tests use
// plain list models.
#pragma once

#include "shell/frame/ListPorts.h"
#include "zelkit/lists/ZelListModel.h"

#include <string>

class SelectColumnsModel {
public:
    // Controls of the dialog.
    enum : UINT {
        IDD_SELECT_COLUMNS = 251,
        IDC_AVAILABLE = 1309,
        IDC_SELECTED = 1310,
        IDC_MOVE_RIGHT = 1311,
        IDC_MOVE_ALL_RIGHT = 1312,
        IDC_MOVE_LEFT = 1313,
        IDC_MOVE_ALL_LEFT = 1314,
        IDC_ROWS_SELECTED = 1315,
        IDC_PORTRAIT = 1316,
        IDC_LANDSCAPE = 1317,
        IDC_ROWS_ALL = 1318,
        IDC_PRINT_GROUP = 1319,
    };

    struct Buttons {
        bool bRight = false, bAllRight = false, bLeft = false, bAllLeft = false, bOK = false;
        bool operator==(const Buttons&) const = default;
    };

    SelectColumnsModel(SelectColumnsData& data, ZelListModel& available, ZelListModel& selected);

    // The group's text: cut before "selection" and the items' noun added
    // when there is one.
    std::string PrintGroupText(const std::string& s_text) const;
    // Fills both lists and sets the radios from the data.
    void Init();

    void MoveRight();
    void MoveAllRight();
    void MoveLeft();
    void MoveAllLeft();
    Buttons GetButtons() const;

    // The radios: 1 landscape; 1 all rows. The row radios are enabled only
    // when the view has selected rows.
    int iOrientation = 0;
    int iPrintAll = 1;
    bool RowRadiosEnabled() const { return Data.bRowsSelected != 0; }

    // OK: the data takes the selected titles in order and the radios.
    void Accept();

private:
    void Move(ZelListModel& from, ZelListModel& to);
    static void Fill(ZelListModel& list, const ZelStringArray& a_titles);

    SelectColumnsData& Data;
    ZelListModel& Available;
    ZelListModel& Selected;
};
