// The day grid on screen: the window of a DayGridCore (shell/timetable/DayGridCore.h)
// on the library's timeslot display control. It keeps the lock icon, takes
// the grid's commands (lock, unlock, the whole timetable, change
// timeslots) with their update handlers, whether they come from its pop-up
// menu or from the frame's Edit menu through the timetable view, and shows
// the in-place group list: a read-only combo box (id 8) over the slot.
//
// The list's choice is placed however the list closes, except by Esc:
// Enter, Tab, a click in the grid, scrolling, a change of size, the pop-up
// menu, and the list losing the focus (handled after the focus event, as a
// window is not taken away inside its own handler).
#pragma once

#include "shell/timetable/DayGridCore.h"
#include "zelkit/controls/ui/ZelTimeslotDisplayCtrl.h"

#include <vector>
#include <wx/bitmap.h>

class Day;
class EventDoc;
class ZelTimeslotCombinationList;
class wxComboBox;

class DayGrid : public ZelTimeslotDisplayCtrl, private IDayGridWindow {
public:
    // The grid's id in the timetable view, and the in-place list's.
    static constexpr int iGridId = 1180;
    static constexpr int iListId = 8;

    // The grid of the timetable's day, with the combinations, filling the
    // parent.
    DayGrid(wxWindow* p_parent, wxWindowID i_id, EventDoc* p_doc, const Day& day,
            const ZelTimeslotCombinationList& combinations);
    // Keeps the scroll positions for the next grid.
    ~DayGrid() override;

    DayGridCore& GetCore() { return static_cast<DayGridCore&>(GetGrid()); }
    // The in-place list while it is open, else null.
    wxComboBox* GetGroupList() const { return pList; }
    const wxBitmap& GetLockBitmap() const { return LockBitmap; }

protected:
    // Clicks, scrolling, sizing and the pop-up close the list first.
    bool TryBefore(wxEvent& event) override;
    // Tab past the last slot moves on to the main window's next pane.
    void TabOut(bool b_backward) override;

private:
    // IDayGridWindow
    int GetParentHeight() override;
    void OpenListWindow(const CRect& rc, const std::vector<Choice>& v_choices, int i_selected) override;
    BOOL IsListOpen() const override { return pList != nullptr; }
    void CloseListWindow() override;

    void OnDoubleClick(wxMouseEvent& event);
    void OnKillFocus(wxFocusEvent& event);
    void OnUpdateCommand(wxUpdateUIEvent& event);
    // The list lost the focus: unless it went into the list's own drop
    // down, the list closes.
    void OnListFocusGone();

    wxBitmap LockBitmap;
    wxComboBox* pList = nullptr;
    std::vector<int> vListGroups;
    bool bListDropped = false;
};
