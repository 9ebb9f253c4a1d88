// The day grid without a window: one day of the built timetable shown in a
// display grid, one set per venue, each slot carrying the key of its
// timetable timeslot as item data. It answers its own slot texts (the
// placed group's name), lock icons and colours, and does the grid's work
// on the document: locking and unlocking the selected placements or the
// whole timetable with the timetable's re-fitting, the change-timeslots
// mode, and the in-place list of the groups that may take a slot, from
// which the user's choice is placed and locked.
//
// Slot keys of the timetable start at 1, so item data of 0 or less (a slot
// the user added in change-timeslots mode, or a copy, which gets the
// negated key of its original) never names a timetable timeslot.
//
// While a rostering run has the document busy the grid reads nothing of
// the event: slots show the texts, icons and colours they last had, and
// the commands do nothing.
//
// The window (DayGrid) owns the in-place list's control and tells the core
// what the user did with it; the core asks the window through
// IDayGridWindow.
#pragma once

#include "framework/Types.h"
#include "shell/frame/CommandIds.h"
#include "zelkit/controls/ZelTimeslotDisplayGrid.h"

#include <map>
#include <string>
#include <vector>

class Day;
class EventDoc;
class Timetable;

// What the core asks of the window that shows the in-place group list.
class IDayGridWindow {
public:
    // One entry of the list: the group's name and its index in the
    // document's group list.
    struct Choice {
        std::string sName;
        int iGroup;
        bool operator==(const Choice&) const = default;
    };

    virtual ~IDayGridWindow() = default;
    // The height of the client area of the grid's parent.
    virtual int GetParentHeight() = 0;
    // Shows the list over the rectangle with the entries, the entry at
    // i_selected chosen (none for -1), and gives it the focus.
    virtual void OpenListWindow(const CRect& rc, const std::vector<Choice>& v_choices, int i_selected) = 0;
    virtual BOOL IsListOpen() const = 0;
    // Takes the list away and hands the entry chosen in it (the group
    // index, -1 for none) to DayGridCore::CommitGroupList.
    virtual void CloseListWindow() = 0;
};

class DayGridCore : public ZelTimeslotDisplayGrid {
public:
    // The commands of the grid: menu 204 and the frame's Edit menu.
    enum : UINT {
        ID_LOCK = ::ID_LOCK_PLACEMENTS,
        ID_UNLOCK = ::ID_UNLOCK_PLACEMENTS,
        ID_LOCK_ALL = ::ID_LOCK_TIMETABLE,
        ID_UNLOCK_ALL = ::ID_UNLOCK_TIMETABLE,
        ID_CHANGE_TIMESLOTS = ::ID_CHANGE_TIMESLOTS,
    };
    // The message when re-fitting the timetable fails.
    static constexpr UINT IDS_CANNOT_ADJUST = 1075;
    // The size of the lock icon.
    static constexpr UINT uLockIconSize = 16;

    // Where a timetable timeslot stands: timetable day, venue, slot.
    struct SlotPos {
        int iDay = -1;
        int iVenue = -1;
        int iSlot = -1;
    };

    // Shows the day of the document's timetable.
    DayGridCore(EventDoc* p_doc, const Day& day);

    EventDoc* GetDocument() const { return pDoc; }
    // The lock icon the window keeps (null: none was loaded, no icon).
    void SetLockBitmap(ZelBitmapHandle h_bitmap) { hLockBitmap = h_bitmap; }
    void SetWindow(IDayGridWindow* p_window) { pWindow = p_window; }

    // One day, one set per venue named by it, the day's timeslots; the
    // 24-hour setting of the event's day definition when no grid has yet
    // been shown; the whole day in view.
    void LoadDay(const Day& day);

    // The timetable, when the document has a venue, days with timeslots,
    // a timetable and is not busy; null otherwise, and the operations that
    // need it do nothing.
    Timetable* GetTimetable() const;
    // The timetable timeslot whose slot key the item data holds; FALSE
    // for item data of 0 or less and for a key no timeslot has.
    BOOL FindSlot(DWORD u_itemData, SlotPos& pos) const;

    // The selected slots holding a group: all (0), the locked ones (1),
    // the unlocked ones (2).
    using ZelTimeslotDisplayGrid::CountSelected;
    int CountSelected(int i_mode) const;

    // Locks (when it holds a group) or unlocks the timeslot and marks the
    // document modified. A lock re-fits the timetable when asked (message
    // 1075 when that fails; the lock stays) and redraws the grid.
    void SetSlotLock(int i_day, int i_venue, int i_slot, BOOL b_lock, BOOL b_refit);

    // The commands, run as the menus run them.
    void OnLock();
    void OnUnlock();
    void OnLockAll();
    void OnUnlockAll();
    void OnChangeTimeslots();
    int OnCommand(UINT u_id) override;
    // Whether the id is one of the grid's own commands, with its state.
    BOOL GetCommandState(UINT u_id, BOOL& b_enabled, BOOL& b_checked) const;

    // Menu 204's items with their states, after the display grid's own.
    void GeneralPopup(const CPoint& pt, const ZelMenu* p_extra) override;
    // Keys: with the list open Tab and Enter close it (choosing), Esc
    // cancels it, other keys go to the list; without it Enter opens it on
    // the focus slot. Everything else as the display grid does.
    int PreTranslateKey(UINT u_key, UINT u_modifiers) override;
    // A double click on a slot selects it alone and opens the list on it.
    void OnLButtonDblClk(const CPoint& pt);
    // After the window lost the focus: the scheduling rules are checked
    // against the event again.
    void AfterKillFocus();
    // The grid goes: its scroll bar positions are kept for the next grid
    // (TheTimetableViewState).
    void StoreScrollPositions() const;

    // ---- the in-place group list ----

    // The groups that may take the slot, in document order, and the entry
    // to choose: the last that is the slot's own group or the group of the
    // slot before it. FALSE (nothing) when the slot has no timetable
    // timeslot or there is no timetable.
    BOOL FillGroupList(int i_day, int i_set, int i_slot, std::vector<IDayGridWindow::Choice>& v_choices,
                       int& i_selected) const;
    void OpenGroupList(int i_day, int i_set, int i_slot);
    // Closes the list, which places its choice.
    void CloseGroupList();
    // Esc: closes the list without placing anything.
    void CancelGroupList();
    // The window took the list away: the chosen group (index, -1 for none)
    // goes into the timeslot, which is locked, unless the list was
    // cancelled.
    void CommitGroupList(int i_group);
    BOOL IsListOpen() const { return pWindow != nullptr && pWindow->IsListOpen(); }
    // The slot the list was opened on.
    void GetListSlot(int& i_day, int& i_set, int& i_slot) const;

protected:
    int GetSlotText(const ZelTimeslot& slot, std::string& s_text) const override;
    int GetSlotIcon(IZelDrawPort& dc, SetStdContext& ctx, const ZelTimeslot& slot, ZelBitmapHandle& h_bitmap,
                    UINT& u_size) const override;
    COLORREF GetSlotColor(IZelDrawPort& dc, SetStdContext& ctx, const ZelTimeslot& slot) const override;
    int GetSlotTextColor(IZelDrawPort& dc, SetStdContext& ctx, const ZelTimeslot& slot,
                         COLORREF& cr_text) const override;
    // A copy never carries the key of an existing timetable timeslot.
    DWORD GetCopyItemData(const ZelTimeslot& slot_new, const ZelTimeslot& slot_pasted) const override;

private:
    // What a slot shows, as last read from the timetable.
    struct Look {
        std::string sText;
        BOOL bFound = FALSE;
        BOOL bLocked = FALSE;
    };
    // The slot's look: read from the timetable, or while the document is
    // busy the one read last.
    const Look& LookOf(DWORD u_itemData) const;

    EventDoc* pDoc;
    ZelBitmapHandle hLockBitmap = nullptr;
    IDayGridWindow* pWindow = nullptr;
    int iListDay = -1;
    int iListSet = -1;
    int iListSlot = -1;
    int bCancelled = 0;
    mutable std::map<DWORD, Look> Looks;
};
