#include "output/PrintTTOptions.h"

#include <algorithm>
#include <string>
#include <vector>

PrintTTOptionsModel::PrintTTOptionsModel(const PrintOptions& options, int n_groups, int n_venues,
                                         int n_participants)
    : Options(options), aSelected{n_groups, n_venues, n_participants}
{
    ToControls();
}

void PrintTTOptionsModel::ToControls()
{
    PrintTTControls& c = Controls;
    c.iPrintBy = Options.ePrintBy >= 0 && Options.ePrintBy <= 3 ? static_cast<int>(Options.ePrintBy) : 0;
    c.iHeight = Options.eSlotHeight == 1 ? 1 : 0;
    c.iLabels = Options.eTimeLabels >= 0 && Options.eTimeLabels <= 2 ? static_cast<int>(Options.eTimeLabels) : 0;
    c.iOrientation = Options.bLandscape ? 1 : 0;
    c.bAllTimeslots = Options.bAllTimeslots ? TRUE : FALSE;
    c.bGridLines = Options.bGridLines ? TRUE : FALSE;
    c.bGroupMembers = Options.bGroupMembers ? TRUE : FALSE;
    c.bCombinations = Options.bCombinations ? TRUE : FALSE;
    c.bSelectionEnabled = c.iPrintBy >= 1 && aSelected[c.iPrintBy - 1] > 0;
    c.iSelection = c.bSelectionEnabled && !Options.bPrintAll ? 1 : 0;
}

void PrintTTOptionsModel::FromControls()
{
    const PrintTTControls& c = Controls;
    Options.ePrintBy = c.iPrintBy;
    Options.eSlotHeight = c.iHeight;
    Options.eTimeLabels = c.iLabels;
    Options.bLandscape = c.iOrientation;
    Options.bPrintAll = c.iSelection == 0 || !c.bSelectionEnabled;
    Options.bAllTimeslots = c.bAllTimeslots;
    Options.bGridLines = c.bGridLines;
    Options.bGroupMembers = c.bGroupMembers;
    Options.bCombinations = c.bCombinations;
}

void PrintTTOptionsModel::Refresh()
{
    FromControls();
    if (Options.eSlotHeight == 0) {
        Options.bGridLines = 1;
        Controls.bGridLinesEnabled = FALSE;
        Controls.bStartEndEnabled = TRUE;
    } else {
        if (Options.eTimeLabels != 2)
            Options.eTimeLabels = 1;
        Controls.bStartEndEnabled = FALSE;
        Controls.bGridLinesEnabled = TRUE;
    }
    ToControls();
}

BOOL PrintTTOptionsModel::Click(UINT u_id)
{
    PrintTTControls& c = Controls;
    switch (u_id) {
    case IDC_BY_DAY:
    case IDC_BY_GROUP:
    case IDC_BY_VENUE:
    case IDC_BY_PARTICIPANT: c.iPrintBy = static_cast<int>(u_id - IDC_BY_DAY); break;
    case IDC_PROPORTIONAL:
    case IDC_CONSTANT: c.iHeight = static_cast<int>(u_id - IDC_PROPORTIONAL); break;
    case IDC_START_END:
        if (!c.bStartEndEnabled)
            return FALSE;
        [[fallthrough]];
    case IDC_START_ONLY:
    case IDC_NO_LABELS: c.iLabels = static_cast<int>(u_id - IDC_START_END); break;
    case IDC_PORTRAIT:
    case IDC_LANDSCAPE: c.iOrientation = static_cast<int>(u_id - IDC_PORTRAIT); break;
    case IDC_ALL:
    case IDC_SELECTED:
        if (!c.bSelectionEnabled)
            return FALSE;
        c.iSelection = static_cast<int>(u_id - IDC_ALL);
        break;
    case IDC_ALL_TIMESLOTS: c.bAllTimeslots = !c.bAllTimeslots; break;
    case IDC_GRID_LINES:
        if (!c.bGridLinesEnabled)
            return FALSE;
        c.bGridLines = !c.bGridLines;
        break;
    case IDC_GROUP_MEMBERS: c.bGroupMembers = !c.bGroupMembers; break;
    case IDC_COMBINATIONS: c.bCombinations = !c.bCombinations; break;
    default: return FALSE;
    }
    Refresh();
    return TRUE;
}

// ------------------------------------------------------------------ sample

namespace {

struct SampleWords {
    const char* pTitle;
    const char* pColumn;
    const char* pCell;
};

const SampleWords kWords[] = {
    {"Day", "Venue", "Group"},
    {"Group", "Day", "Venue"},
    {"Venue", "Day", "Group"},
    {"Participant", "Day", "Grp(Ven)"},
};

// The sample times in minutes: three slots and an empty trailing one.
const int kTimes[] = {60, 180, 270, 300, 360};
const char* const kTimeTexts[] = {"01:00", "03:00", "04:30", "05:00", "06:00"};

void Line(IPrintCanvas& dc, LONG x1, LONG y1, LONG x2, LONG y2) { dc.DrawLine(CPoint(x1, y1), CPoint(x2, y2), 1); }

} // namespace

void DrawTTSample(IPrintCanvas& dc, const PrintOptions& options, const ZelRect& rc)
{
    const int i_by = options.ePrintBy >= 0 && options.ePrintBy <= 3 ? static_cast<int>(options.ePrintBy) : 0;
    const SampleWords& words = kWords[i_by];
    const bool b_parts = i_by == 3;
    const int i_margin = std::max<LONG>(2, rc.Width() / 16);

    // Title.
    dc.SelectFont(PrintFont::Swiss(9));
    const LONG i_titleHeight = dc.LineHeight();
    const std::string s_title = b_parts ? words.pTitle : std::string(words.pTitle) + "3";
    dc.DrawText(s_title, ZelRect{rc.left, rc.top + i_margin / 2, rc.right, rc.top + i_margin / 2 + i_titleHeight},
                DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);

    dc.SelectFont(PrintFont::Swiss(8));
    const LONG i_line = dc.LineHeight();
    const int n_times = options.bAllTimeslots ? 5 : 4;
    const bool b_labels = options.eTimeLabels != 2;
    const LONG i_labelWidth = b_labels ? dc.TextWidth("00:00") + i_margin / 2 : 0;
    const LONG i_left = rc.left + i_margin + i_labelWidth;
    const LONG i_right = rc.right - i_margin;
    const LONG i_colWidth = std::max<LONG>(1, (i_right - i_left) / 2);
    const LONG i_headTop = rc.top + i_margin / 2 + i_titleHeight + i_margin / 2;
    const LONG i_headBottom = i_headTop + i_line + 4;
    const LONG i_tableTop = i_headBottom;
    const LONG i_tableBottom = rc.bottom - i_margin;
    const LONG i_height = std::max<LONG>(1, i_tableBottom - i_tableTop);

    // Where each sample time lies down the table.
    std::vector<LONG> v_y(static_cast<std::size_t>(n_times));
    for (int i = 0; i < n_times; ++i) {
        if (options.eSlotHeight == 1)
            v_y[static_cast<std::size_t>(i)] = i_tableTop + i * i_height / (n_times - 1);
        else
            v_y[static_cast<std::size_t>(i)] =
                i_tableTop + (kTimes[i] - kTimes[0]) * i_height / (kTimes[n_times - 1] - kTimes[0]);
    }

    // Column headings.
    for (int c = 0; c < 2; ++c) {
        const LONG i_x = i_left + c * i_colWidth;
        dc.DrawText(std::string(words.pColumn) + std::to_string(c + 1),
                    ZelRect{i_x, i_headTop, i_x + i_colWidth, i_headBottom},
                    (options.bGridLines ? DT_CENTER : DT_LEFT) | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }

    // Grid lines: the heading row, the columns and every time.
    if (options.bGridLines) {
        const LONG i_bottom = v_y.back();
        Line(dc, i_left, i_headTop, i_left + 2 * i_colWidth, i_headTop);
        for (int c = 0; c <= 2; ++c)
            Line(dc, i_left + c * i_colWidth, i_headTop, i_left + c * i_colWidth, i_bottom);
        for (LONG i_y : v_y)
            Line(dc, i_left, i_y, i_left + 2 * i_colWidth, i_y);
    }

    // Time labels: starts, and ends too when asked; one that would overlap
    // the label above is left out.
    if (b_labels) {
        LONG i_lastBottom = i_tableTop - i_line;
        for (int i = 0; i < n_times; ++i) {
            const bool b_start = i < n_times - 1;
            if (!b_start && options.eTimeLabels != 0)
                continue;
            const LONG i_top = v_y[static_cast<std::size_t>(i)] - i_line / 2;
            if (i_top < i_lastBottom)
                continue;
            dc.DrawText(kTimeTexts[i], ZelRect{rc.left, i_top, i_left - i_margin / 4, i_top + i_line},
                        DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
            i_lastBottom = i_top + i_line;
        }
    }

    // The boxes: slot 1 and slot 3 in the first column, slot 2 in the
    // second.
    struct Box {
        int iColumn, iSlot, iNumber;
    } const a_boxes[] = {{0, 0, 1}, {1, 1, 3}, {0, 2, 5}};
    for (const Box& box : a_boxes) {
        const LONG i_x = i_left + box.iColumn * i_colWidth;
        const ZelRect rc_box{i_x, v_y[static_cast<std::size_t>(box.iSlot)], i_x + i_colWidth,
                             v_y[static_cast<std::size_t>(box.iSlot) + 1]};
        Line(dc, rc_box.left, rc_box.top, rc_box.right, rc_box.top);
        Line(dc, rc_box.right, rc_box.top, rc_box.right, rc_box.bottom);
        Line(dc, rc_box.right, rc_box.bottom, rc_box.left, rc_box.bottom);
        Line(dc, rc_box.left, rc_box.bottom, rc_box.left, rc_box.top);
        std::string s_text = b_parts ? words.pCell : std::string(words.pCell) + std::to_string(box.iNumber);
        if (options.bGroupMembers && rc_box.Height() >= 2 * i_line)
            s_text += "\nAnn, Bob";
        dc.DrawText(s_text, ZelRect{rc_box.left + 2, rc_box.top + 1, rc_box.right - 2, rc_box.bottom - 1},
                    DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    }
}
