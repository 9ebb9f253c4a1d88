// The rules of the timetable print options dialog without a window: the
// controls' values and enabled states exchanged with a PrintOptions, the
// refresh after every click, and the sample page that shows the choices in
// miniature, drawn on a print canvas.
#pragma once

#include "framework/Types.h"
#include "model/PrintOptions.h"
#include "output/PrintCanvas.h"

// What the dialog's controls show.
struct PrintTTControls {
    int iPrintBy = 0;    // 0 day, 1 group, 2 venue, 3 participant
    int iHeight = 0;     // 0 proportional, 1 constant
    int iLabels = 0;     // 0 start and end, 1 start only, 2 none
    int iOrientation = 0; // 0 portrait, 1 landscape
    int iSelection = 0;  // 0 all, 1 selected
    BOOL bAllTimeslots = 1;
    BOOL bGridLines = 1;
    BOOL bGroupMembers = 0;
    BOOL bCombinations = 0;
    // Enabled states.
    BOOL bSelectionEnabled = FALSE;
    BOOL bStartEndEnabled = TRUE;
    BOOL bGridLinesEnabled = TRUE;
};

class PrintTTOptionsModel {
public:
    // The control ids of the dialog.
    enum : UINT {
        IDC_BY_DAY = 1401,
        IDC_BY_GROUP = 1402,
        IDC_BY_VENUE = 1403,
        IDC_BY_PARTICIPANT = 1404,
        IDC_PROPORTIONAL = 1405,
        IDC_CONSTANT = 1406,
        IDC_START_END = 1407,
        IDC_START_ONLY = 1408,
        IDC_NO_LABELS = 1409,
        IDC_PORTRAIT = 1410,
        IDC_LANDSCAPE = 1411,
        IDC_ALL = 1412,
        IDC_SELECTED = 1413,
        IDC_ALL_TIMESLOTS = 1414,
        IDC_GRID_LINES = 1415,
        IDC_GROUP_MEMBERS = 1416,
        IDC_COMBINATIONS = 1417,
        IDC_SAMPLE = 1418,
    };

    // The options edited and the selected rows of the group, venue and
    // participant lists.
    PrintTTOptionsModel(const PrintOptions& options, int n_groups, int n_venues, int n_participants);

    // The options into the controls: an out-of-range choice shows the
    // first button; the selection radios are enabled only when printing by
    // a list whose view has selected rows, and show "All" otherwise.
    void ToControls();
    // The controls into the options; "All" (also what a disabled selection
    // gives) prints everything.
    void FromControls();
    // After any click: proportional height forces grid lines on and greys
    // their box; constant height turns start-and-end labels into start
    // labels and greys that choice. The controls then show the options.
    void Refresh();
    // A click on one of the 17 buttons (radios choose, boxes toggle), then
    // the refresh; FALSE for an id that is none of them.
    BOOL Click(UINT u_id);

    PrintOptions Options;
    PrintTTControls Controls;
    int aSelected[3];
};

// Draws the sample page for the options into the rectangle: a title, two
// columns, the time labels of the sample times 01:00, 03:00, 04:30 and
// 05:00 and three boxes, laid out as the printer would for the choices.
void DrawTTSample(IPrintCanvas& dc, const PrintOptions& options, const ZelRect& rc);
