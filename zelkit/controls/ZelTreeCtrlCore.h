// The multi-selection tree without a window: selection of several items
// (Ctrl toggles one, Shift and Shift+arrows select a range in visible
// order), a drag start that waits for the pointer to move, tri-state check
// boxes kept in the items' state images and propagated to the ancestors,
// and navigation over the whole tree.
//
// It works on a tree it reaches through IZelTreePort: items by handle,
// their selected state, the caret (the tree's focused item), their state
// image index, expansion, text and item data, and the notifications to the
// tree's parent. The tree's window (ui/ZelTreeCtrl.h) implements the port
// over a wx tree; tests implement it over a few nodes.
//
// Check state is the state image index:
//   0 no check box, 1 unchecked, 2 checked, 3 unchecked with a checked or
//   partly checked item below, 4 checked with such an item below.
#pragma once

#include "framework/Geometry.h"
#include "framework/Types.h"
#include "zelkit/base/ZelArray.h"

#include <functional>
#include <string>

using HTREEITEM = void*;

// Item states and hit-test results, by the tree's own values.
enum : UINT {
    TVIS_SELECTED = 0x0002,
    TVIS_EXPANDED = 0x0020,
    TVIS_STATEIMAGEMASK = 0xF000,
};
enum : UINT {
    TVHT_NOWHERE = 0x0001,
    TVHT_ONITEMICON = 0x0002,
    TVHT_ONITEMLABEL = 0x0004,
    TVHT_ONITEMINDENT = 0x0008,
    TVHT_ONITEMBUTTON = 0x0010,
    TVHT_ONITEMRIGHT = 0x0020,
    TVHT_ONITEMSTATEICON = 0x0040,
    TVHT_ONITEM = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON,
};
// Codes of GetNextItem (item, code).
enum : UINT {
    TVGN_ROOT = 0x0,
    TVGN_NEXT = 0x1,
    TVGN_PREVIOUS = 0x2,
    TVGN_PARENT = 0x3,
    TVGN_CHILD = 0x4,
    TVGN_FIRSTVISIBLE = 0x5,
    TVGN_NEXTVISIBLE = 0x6,
    TVGN_PREVIOUSVISIBLE = 0x7,
    TVGN_CARET = 0x9,
};
// How a selection changed.
enum : UINT { TVC_UNKNOWN = 0, TVC_BYMOUSE = 1, TVC_BYKEYBOARD = 2 };
enum : UINT { TVIF_PARAM = 0x0004, TVIF_STATE = 0x0008, TVIF_HANDLE = 0x0010 };

// One item in a notification.
struct ZelTVItem {
    UINT mask = 0;
    HTREEITEM hItem = nullptr;
    UINT state = 0;
    DWORD lParam = 0;
};

// The record of TVN_SELCHANGING, TVN_SELCHANGED and TVN_BEGINDRAG.
struct ZelNMTreeView {
    UINT action = 0;
    ZelTVItem itemOld;
    ZelTVItem itemNew;
    CPoint ptDrag;
};

// The record of TVN_KEYDOWN.
struct ZelNMTVKeyDown {
    WORD wVKey = 0;
    UINT flags = 0;
};

class IZelTreePort {
public:
    virtual ~IZelTreePort() = default;

    // Shape. Top-level items have no parent (null); the first of them is
    // the root item.
    virtual HTREEITEM GetRootItem() = 0;
    virtual HTREEITEM GetChildItem(HTREEITEM h_item) = 0;
    virtual HTREEITEM GetNextSiblingItem(HTREEITEM h_item) = 0;
    virtual HTREEITEM GetPrevSiblingItem(HTREEITEM h_item) = 0;
    virtual HTREEITEM GetParentItem(HTREEITEM h_item) = 0;
    virtual BOOL IsExpanded(HTREEITEM h_item) = 0;
    virtual std::string GetItemText(HTREEITEM h_item) = 0;
    virtual DWORD GetItemData(HTREEITEM h_item) = 0;
    virtual void DeleteItem(HTREEITEM h_item) = 0;

    // State: the selected flag, the caret (focus only, no selection
    // change; null for none) and the state image index (0 to 4).
    virtual BOOL IsSelected(HTREEITEM h_item) = 0;
    virtual void SetSelected(HTREEITEM h_item, BOOL b_selected) = 0;
    virtual HTREEITEM GetCaret() = 0;
    virtual void SetCaret(HTREEITEM h_item) = 0;
    virtual void EnsureVisible(HTREEITEM h_item) = 0;
    virtual int GetStateImage(HTREEITEM h_item) = 0;
    virtual void SetStateImage(HTREEITEM h_item, int i_index) = 0;

    // The window.
    virtual BOOL HasEditLabels() = 0;
    virtual BOOL HasFocus() = 0;
    virtual void TakeFocus() = 0;
    virtual void EditLabel(HTREEITEM h_item) = 0;
    // How far the pointer moves before a press becomes a drag.
    virtual CSize GetDragDistance() = 0;
    virtual void RepaintAll() = 0;
    // Sends a TVN_ code with its record to the parent; its answer.
    virtual long Notify(int i_code, void* p_record) = 0;
};

class ZelTreeCtrlCore {
public:
    enum CheckType { ctCheck = 0, ctUncheck = 1, ctToggle = 2, ctRefresh = 3 };

    ZelTreeCtrlCore(IZelTreePort& port, BOOL b_multi = TRUE);

    void EnableMultiSelection(BOOL b_multi) { bMulti = b_multi; }
    BOOL IsMultiSelection() const { return bMulti; }

    // --- Selection (over the visible items) -----------------------------
    UINT GetSelectedCount();
    HTREEITEM GetFirstSelectedItem();
    HTREEITEM GetNextSelectedItem(HTREEITEM h_item);
    HTREEITEM GetPrevSelectedItem(HTREEITEM h_item);
    BOOL SelectItemEx(HTREEITEM h_item, BOOL b_select);
    BOOL SelectItems(HTREEITEM h_from, HTREEITEM h_to);
    // With FALSE the caret goes first; every selected visible item is
    // unselected.
    void ClearSelection(BOOL b_multiOnly = FALSE);
    HTREEITEM GetAnchor() const { return hAnchor; }

    // --- Navigation -------------------------------------------------------
    HTREEITEM GetNextItem(HTREEITEM h_item, UINT u_code);
    // Full tree order: first child, else next sibling, else the next
    // sibling of the nearest ancestor that has one.
    HTREEITEM GetNextItem(HTREEITEM h_item);
    HTREEITEM GetPrevItem(HTREEITEM h_item);
    HTREEITEM GetLastItem(HTREEITEM h_item);
    HTREEITEM GetFirstCheckedItem();
    HTREEITEM GetNextCheckedItem(HTREEITEM h_item);
    HTREEITEM GetPrevCheckedItem(HTREEITEM h_item);
    // Direct children (of the top level for null).
    int GetItemCount(HTREEITEM h_item);
    HTREEITEM FindItemData(HTREEITEM h_item, DWORD u_data);
    HTREEITEM ItemFromData(DWORD u_data, HTREEITEM h_item = nullptr);
    // Appends each text of the item and its ancestors with a backslash
    // after it: from the top down with b_topDown, else from the item up.
    void GetFullyQualifiedPath(HTREEITEM h_item, std::string& s_path, BOOL b_topDown);
    // Every selected item in full tree order, collapsed branches included.
    void GetAllSelections(ZelArray<HTREEITEM>& a_items);

    // --- Check boxes ------------------------------------------------------
    BOOL SetCheck(HTREEITEM h_item, CheckType e_type);
    int GetCheckState(HTREEITEM h_item);
    BOOL IsItemChecked(HTREEITEM h_item);

    void DeleteChildren(HTREEITEM h_item);
    // Pre-order walk of the item and its descendants; the first item the
    // test refuses, null when it refuses none.
    HTREEITEM Traverse(HTREEITEM h_item, const std::function<BOOL(HTREEITEM)>& f_test);

    // --- Events from the window -------------------------------------------
    // Each returns TRUE when the tree's own handling should follow.
    BOOL OnLButtonDown(UINT u_flags, const CPoint& pt, HTREEITEM h_hit, UINT u_hitFlags);
    void OnLButtonUp(UINT u_flags, const CPoint& pt);
    void OnRButtonDown(UINT u_flags, const CPoint& pt, HTREEITEM h_hit, UINT u_hitFlags);
    void OnRButtonUp();
    void OnMouseMove(UINT u_flags, const CPoint& pt);
    BOOL OnKeyDown(UINT u_key, UINT u_modifiers);
    // Before a branch opens or closes; the change is always allowed.
    void OnItemExpanding(HTREEITEM h_item, BOOL b_collapse);
    void OnFocusChange();
    // The item is going: it is no longer the anchor or the pressed item.
    void OnItemDeleted(HTREEITEM h_item);
    // TRUE while the tree's own selection change is kept from the parent.
    BOOL IsSelChangeKept() const { return !bPassSelChanges; }

    // The caret moves as the tree moves it: the old caret loses its
    // selection, the new one (when not null) is selected and shown, and
    // the parent hears of it.
    void SelectCaret(HTREEITEM h_item, UINT u_action = TVC_UNKNOWN);

    HTREEITEM GetPressedItem() const { return hPressed; }
    BOOL IsPendingSelect() const { return bPendingSelect; }

protected:
    void SelectMultiple(HTREEITEM h_item, UINT u_flags, const CPoint& pt);
    void NotifySelChanged(HTREEITEM h_old, HTREEITEM h_new, UINT u_action = 0);
    ZelTVItem ItemRecord(HTREEITEM h_item);
    UINT FullState(HTREEITEM h_item);
    HTREEITEM NextVisible(HTREEITEM h_item);
    HTREEITEM PrevVisible(HTREEITEM h_item);
    HTREEITEM LastVisibleUnder(HTREEITEM h_item);
    BOOL HasMarkedChild(HTREEITEM h_item);

    IZelTreePort& Tree;
    BOOL bPendingSelect = FALSE;
    CPoint ptPress;
    HTREEITEM hPressed = nullptr;
    HTREEITEM hAnchor = nullptr;
    BOOL bPassSelChanges = TRUE;
    BOOL bMulti;
};
