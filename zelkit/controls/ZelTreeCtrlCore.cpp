#include "zelkit/controls/ZelTreeCtrlCore.h"

#include "zelkit/controls/ZelControlPorts.h"
#include "zelkit/windows/ZelNotifyCodes.h"

#include <cstdlib>

namespace {

bool IsMarked(int i_index) { return i_index == 2 || i_index == 3 || i_index == 4; }
bool IsChecked(int i_index) { return i_index == 2 || i_index == 4; }

} // namespace

ZelTreeCtrlCore::ZelTreeCtrlCore(IZelTreePort& port, BOOL b_multi) : Tree(port), bMulti(b_multi) {}

// --------------------------------------------------------------- visibility

HTREEITEM ZelTreeCtrlCore::NextVisible(HTREEITEM h_item)
{
    if (!h_item)
        return nullptr;
    if (Tree.IsExpanded(h_item))
        if (HTREEITEM h_child = Tree.GetChildItem(h_item))
            return h_child;
    for (HTREEITEM h = h_item; h; h = Tree.GetParentItem(h))
        if (HTREEITEM h_next = Tree.GetNextSiblingItem(h))
            return h_next;
    return nullptr;
}

// The last item shown in the branch of an item: its own last child,
// followed down while the branches are open.
HTREEITEM ZelTreeCtrlCore::LastVisibleUnder(HTREEITEM h_item)
{
    while (h_item && Tree.IsExpanded(h_item)) {
        HTREEITEM h_child = Tree.GetChildItem(h_item);
        if (!h_child)
            break;
        while (HTREEITEM h_next = Tree.GetNextSiblingItem(h_child))
            h_child = h_next;
        h_item = h_child;
    }
    return h_item;
}

HTREEITEM ZelTreeCtrlCore::PrevVisible(HTREEITEM h_item)
{
    if (!h_item)
        return nullptr;
    if (HTREEITEM h_prev = Tree.GetPrevSiblingItem(h_item))
        return LastVisibleUnder(h_prev);
    return Tree.GetParentItem(h_item);
}

// ---------------------------------------------------------------- selection

UINT ZelTreeCtrlCore::FullState(HTREEITEM h_item)
{
    UINT u_state = static_cast<UINT>(Tree.GetStateImage(h_item)) << 12;
    if (Tree.IsSelected(h_item))
        u_state |= TVIS_SELECTED;
    if (Tree.IsExpanded(h_item))
        u_state |= TVIS_EXPANDED;
    return u_state;
}

ZelTVItem ZelTreeCtrlCore::ItemRecord(HTREEITEM h_item)
{
    ZelTVItem item;
    if (h_item) {
        item.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
        item.hItem = h_item;
        item.state = FullState(h_item);
        item.lParam = Tree.GetItemData(h_item);
    }
    return item;
}

void ZelTreeCtrlCore::NotifySelChanged(HTREEITEM h_old, HTREEITEM h_new, UINT u_action)
{
    if (!h_new)
        return;
    ZelNMTreeView nm;
    nm.action = u_action;
    nm.itemOld = ItemRecord(h_old);
    nm.itemNew = ItemRecord(h_new);
    Tree.Notify(TVN_SELCHANGED, &nm);
}

void ZelTreeCtrlCore::SelectCaret(HTREEITEM h_item, UINT u_action)
{
    HTREEITEM h_old = Tree.GetCaret();
    if (h_old == h_item) {
        if (h_item)
            Tree.SetSelected(h_item, TRUE);
        return;
    }
    ZelNMTreeView nm;
    nm.action = u_action;
    nm.itemOld = ItemRecord(h_old);
    nm.itemNew = ItemRecord(h_item);
    Tree.Notify(TVN_SELCHANGING, &nm);
    if (h_old)
        Tree.SetSelected(h_old, FALSE);
    Tree.SetCaret(h_item);
    if (h_item) {
        Tree.SetSelected(h_item, TRUE);
        Tree.EnsureVisible(h_item);
    }
    // The tree's own report of the change; kept from the parent while
    // the control changes the selection itself.
    if (bPassSelChanges && h_item)
        NotifySelChanged(h_old, h_item, u_action);
}

UINT ZelTreeCtrlCore::GetSelectedCount()
{
    UINT n = 0;
    for (HTREEITEM h = Tree.GetRootItem(); h; h = NextVisible(h))
        if (Tree.IsSelected(h))
            ++n;
    return n;
}

HTREEITEM ZelTreeCtrlCore::GetFirstSelectedItem()
{
    for (HTREEITEM h = Tree.GetRootItem(); h; h = NextVisible(h))
        if (Tree.IsSelected(h))
            return h;
    return nullptr;
}

HTREEITEM ZelTreeCtrlCore::GetNextSelectedItem(HTREEITEM h_item)
{
    for (HTREEITEM h = NextVisible(h_item); h; h = NextVisible(h))
        if (Tree.IsSelected(h))
            return h;
    return nullptr;
}

HTREEITEM ZelTreeCtrlCore::GetPrevSelectedItem(HTREEITEM h_item)
{
    for (HTREEITEM h = PrevVisible(h_item); h; h = PrevVisible(h))
        if (Tree.IsSelected(h))
            return h;
    return nullptr;
}

BOOL ZelTreeCtrlCore::SelectItemEx(HTREEITEM h_item, BOOL b_select)
{
    HTREEITEM h_caret = Tree.GetCaret();
    if (h_item != h_caret) {
        const BOOL b_was_selected = h_caret ? Tree.IsSelected(h_caret) : FALSE;
        SelectCaret(h_item);
        // The old caret stays as it was.
        if (h_caret)
            Tree.SetSelected(h_caret, b_was_selected);
        hAnchor = h_item;
        return TRUE;
    }
    if (b_select)
        return FALSE;
    SelectCaret(nullptr);
    return TRUE;
}

BOOL ZelTreeCtrlCore::SelectItems(HTREEITEM h_from, HTREEITEM h_to)
{
    bool b_found = false;
    for (HTREEITEM h = Tree.GetRootItem(); h && !b_found; h = NextVisible(h))
        b_found = h == h_from || h == h_to;
    if (!b_found)
        return FALSE;
    SelectCaret(h_to);
    // Everything from the first of the two met to the other, inclusive.
    bool b_inside = false;
    for (HTREEITEM h = Tree.GetRootItem(); h; h = NextVisible(h)) {
        bool b_select = b_inside;
        if (h == h_from || h == h_to) {
            b_select = true;
            b_inside = !b_inside && h_from != h_to;
        }
        if ((Tree.IsSelected(h) != FALSE) != b_select)
            Tree.SetSelected(h, b_select);
    }
    return TRUE;
}

void ZelTreeCtrlCore::ClearSelection(BOOL b_multiOnly)
{
    if (!b_multiOnly)
        SelectCaret(nullptr);
    for (HTREEITEM h = Tree.GetRootItem(); h; h = NextVisible(h))
        if (Tree.IsSelected(h))
            Tree.SetSelected(h, FALSE);
}

void ZelTreeCtrlCore::GetAllSelections(ZelArray<HTREEITEM>& a_items)
{
    a_items.RemoveAll();
    for (HTREEITEM h = Tree.GetRootItem(); h; h = GetNextItem(h))
        if (Tree.IsSelected(h))
            a_items.Add(h);
}

// --------------------------------------------------------------- navigation

HTREEITEM ZelTreeCtrlCore::GetNextItem(HTREEITEM h_item, UINT u_code)
{
    switch (u_code) {
    case TVGN_ROOT: return Tree.GetRootItem();
    case TVGN_NEXT: return h_item ? Tree.GetNextSiblingItem(h_item) : nullptr;
    case TVGN_PREVIOUS: return h_item ? Tree.GetPrevSiblingItem(h_item) : nullptr;
    case TVGN_PARENT: return h_item ? Tree.GetParentItem(h_item) : nullptr;
    case TVGN_CHILD: return h_item ? Tree.GetChildItem(h_item) : Tree.GetRootItem();
    case TVGN_FIRSTVISIBLE: return Tree.GetRootItem();
    case TVGN_NEXTVISIBLE: return NextVisible(h_item);
    case TVGN_PREVIOUSVISIBLE: return PrevVisible(h_item);
    case TVGN_CARET: return Tree.GetCaret();
    default: return nullptr;
    }
}

HTREEITEM ZelTreeCtrlCore::GetNextItem(HTREEITEM h_item)
{
    if (!h_item)
        return nullptr;
    if (HTREEITEM h_child = Tree.GetChildItem(h_item))
        return h_child;
    for (HTREEITEM h = h_item; h; h = Tree.GetParentItem(h))
        if (HTREEITEM h_next = Tree.GetNextSiblingItem(h))
            return h_next;
    return nullptr;
}

HTREEITEM ZelTreeCtrlCore::GetLastItem(HTREEITEM h_item)
{
    if (!h_item) {
        h_item = Tree.GetRootItem();
        if (!h_item)
            return nullptr;
        while (HTREEITEM h_next = Tree.GetNextSiblingItem(h_item))
            h_item = h_next;
    }
    while (HTREEITEM h_child = Tree.GetChildItem(h_item)) {
        while (HTREEITEM h_next = Tree.GetNextSiblingItem(h_child))
            h_child = h_next;
        h_item = h_child;
    }
    return h_item;
}

HTREEITEM ZelTreeCtrlCore::GetPrevItem(HTREEITEM h_item)
{
    if (!h_item)
        return nullptr;
    if (HTREEITEM h_prev = Tree.GetPrevSiblingItem(h_item))
        return GetLastItem(h_prev);
    return Tree.GetParentItem(h_item);
}

HTREEITEM ZelTreeCtrlCore::GetFirstCheckedItem() { return GetNextCheckedItem(nullptr); }

HTREEITEM ZelTreeCtrlCore::GetNextCheckedItem(HTREEITEM h_item)
{
    HTREEITEM h = h_item ? GetNextItem(h_item) : Tree.GetRootItem();
    while (h) {
        const int i_state = Tree.GetStateImage(h);
        if (IsChecked(i_state))
            return h;
        if (i_state == 3) {
            h = GetNextItem(h);
        } else if (HTREEITEM h_next = Tree.GetNextSiblingItem(h)) {
            // Nothing checked can lie below an item without the marker.
            h = h_next;
        } else {
            h = GetNextItem(h);
        }
    }
    return nullptr;
}

HTREEITEM ZelTreeCtrlCore::GetPrevCheckedItem(HTREEITEM h_item)
{
    for (HTREEITEM h = GetPrevItem(h_item); h; h = GetPrevItem(h))
        if (IsChecked(Tree.GetStateImage(h)))
            return h;
    return nullptr;
}

int ZelTreeCtrlCore::GetItemCount(HTREEITEM h_item)
{
    int n = 0;
    for (HTREEITEM h = h_item ? Tree.GetChildItem(h_item) : Tree.GetRootItem(); h; h = Tree.GetNextSiblingItem(h))
        ++n;
    return n;
}

HTREEITEM ZelTreeCtrlCore::Traverse(HTREEITEM h_item, const std::function<BOOL(HTREEITEM)>& f_test)
{
    if (!h_item)
        return nullptr;
    if (!f_test(h_item))
        return h_item;
    for (HTREEITEM h = Tree.GetChildItem(h_item); h; h = Tree.GetNextSiblingItem(h))
        if (HTREEITEM h_found = Traverse(h, f_test))
            return h_found;
    return nullptr;
}

HTREEITEM ZelTreeCtrlCore::FindItemData(HTREEITEM h_item, DWORD u_data)
{
    return Traverse(h_item, [this, u_data](HTREEITEM h) { return Tree.GetItemData(h) != u_data; });
}

HTREEITEM ZelTreeCtrlCore::ItemFromData(DWORD u_data, HTREEITEM h_item)
{
    return FindItemData(h_item ? h_item : Tree.GetRootItem(), u_data);
}

void ZelTreeCtrlCore::GetFullyQualifiedPath(HTREEITEM h_item, std::string& s_path, BOOL b_topDown)
{
    std::string s_own;
    for (HTREEITEM h = h_item; h; h = Tree.GetParentItem(h)) {
        if (b_topDown)
            s_own = Tree.GetItemText(h) + "\\" + s_own;
        else
            s_own += Tree.GetItemText(h) + "\\";
    }
    s_path += s_own;
}

void ZelTreeCtrlCore::DeleteChildren(HTREEITEM h_item)
{
    if (!h_item)
        return;
    while (HTREEITEM h_child = Tree.GetChildItem(h_item)) {
        DeleteChildren(h_child);
        Tree.DeleteItem(h_child);
    }
}

// -------------------------------------------------------------- check boxes

int ZelTreeCtrlCore::GetCheckState(HTREEITEM h_item) { return h_item ? Tree.GetStateImage(h_item) : 0; }

BOOL ZelTreeCtrlCore::IsItemChecked(HTREEITEM h_item) { return IsChecked(GetCheckState(h_item)) ? TRUE : FALSE; }

BOOL ZelTreeCtrlCore::HasMarkedChild(HTREEITEM h_item)
{
    for (HTREEITEM h = Tree.GetChildItem(h_item); h; h = Tree.GetNextSiblingItem(h))
        if (IsMarked(Tree.GetStateImage(h)))
            return TRUE;
    return FALSE;
}

BOOL ZelTreeCtrlCore::SetCheck(HTREEITEM h_item, CheckType e_type)
{
    if (!h_item)
        return FALSE;
    const int i_old = Tree.GetStateImage(h_item);
    int i_new = i_old;
    switch (e_type) {
    case ctCheck:
        if (i_old == 1 || i_old == 3)
            i_new = i_old + 1;
        break;
    case ctUncheck:
        if (i_old == 2 || i_old == 4)
            i_new = i_old - 1;
        break;
    case ctToggle:
        if (i_old == 1 || i_old == 3)
            i_new = i_old + 1;
        else if (i_old == 2 || i_old == 4)
            i_new = i_old - 1;
        break;
    case ctRefresh:
        if (HasMarkedChild(h_item)) {
            if (i_old == 1 || i_old == 2)
                i_new = i_old + 2;
        } else if (i_old == 3 || i_old == 4) {
            i_new = i_old - 2;
        }
        break;
    }
    if (i_new == i_old)
        return TRUE;
    Tree.SetStateImage(h_item, i_new);

    if (IsMarked(i_new)) {
        // Every ancestor with a check box learns that something below it
        // is checked.
        for (HTREEITEM h = Tree.GetParentItem(h_item); h; h = Tree.GetParentItem(h)) {
            const int i_state = Tree.GetStateImage(h);
            if (i_state == 0)
                break;
            if (i_state == 1 || i_state == 2)
                Tree.SetStateImage(h, i_state + 2);
        }
    } else if (i_new == 1) {
        // Ancestors lose the marker until one still has a marked child.
        for (HTREEITEM h = Tree.GetParentItem(h_item); h; h = Tree.GetParentItem(h)) {
            const int i_state = Tree.GetStateImage(h);
            if (i_state == 0 || HasMarkedChild(h))
                break;
            if (i_state == 3 || i_state == 4)
                Tree.SetStateImage(h, i_state - 2);
        }
    }
    return TRUE;
}

// ------------------------------------------------------------------- events

void ZelTreeCtrlCore::SelectMultiple(HTREEITEM h_item, UINT u_flags, const CPoint& pt)
{
    HTREEITEM h_old = Tree.GetCaret();
    bPassSelChanges = FALSE;
    if (bMulti && (u_flags & MK_SHIFT)) {
        SelectItems(hAnchor ? hAnchor : h_old, h_item);
    } else if (!bMulti || !(u_flags & MK_CONTROL)) {
        ClearSelection(FALSE);
        SelectCaret(h_item, TVC_BYMOUSE);
        hAnchor = h_item;
    } else {
        ZelNMTreeView nm;
        nm.action = TVC_BYMOUSE;
        nm.itemNew = ItemRecord(h_item);
        nm.ptDrag = pt;
        Tree.Notify(TVN_SELCHANGING, &nm);
        if (!Tree.IsSelected(h_item)) {
            const BOOL b_caret_selected = h_old ? Tree.IsSelected(h_old) : FALSE;
            SelectCaret(h_item, TVC_BYMOUSE);
            if (h_old)
                Tree.SetSelected(h_old, b_caret_selected);
        } else {
            Tree.SetSelected(h_item, FALSE);
        }
        if (!hAnchor)
            hAnchor = h_item;
    }
    bPassSelChanges = TRUE;
    NotifySelChanged(h_old, h_item);
}

BOOL ZelTreeCtrlCore::OnLButtonDown(UINT u_flags, const CPoint& pt, HTREEITEM h_hit, UINT u_hitFlags)
{
    const bool b_plain = !(u_flags & (MK_CONTROL | MK_SHIFT));
    if (h_hit && b_plain && Tree.HasEditLabels() && (u_hitFlags & TVHT_ONITEMLABEL) && h_hit == Tree.GetCaret()
        && Tree.HasFocus()) {
        ClearSelection(FALSE);
        SelectCaret(h_hit, TVC_BYMOUSE);
        Tree.EditLabel(h_hit);
        return FALSE;
    }
    if (h_hit && (u_hitFlags & TVHT_ONITEMSTATEICON)) {
        SetCheck(h_hit, ctToggle);
        return FALSE;
    }
    if (!h_hit || !(u_hitFlags & TVHT_ONITEM))
        return TRUE;
    Tree.TakeFocus();
    hPressed = h_hit;
    // The drag threshold counts from here whatever the press does.
    ptPress = pt;
    if (!Tree.IsSelected(h_hit)) {
        bPendingSelect = FALSE;
        SelectMultiple(h_hit, u_flags, pt);
    } else {
        // Decided when the button goes up, so that dragging a selection
        // of several items keeps it whole.
        bPendingSelect = TRUE;
    }
    return FALSE;
}

void ZelTreeCtrlCore::OnLButtonUp(UINT u_flags, const CPoint& pt)
{
    if (bPendingSelect && hPressed)
        SelectMultiple(hPressed, u_flags, pt);
    bPendingSelect = FALSE;
    hPressed = nullptr;
}

void ZelTreeCtrlCore::OnRButtonDown(UINT u_flags, const CPoint& pt, HTREEITEM h_hit, UINT u_hitFlags)
{
    if (!h_hit || !(u_hitFlags & TVHT_ONITEM))
        return;
    Tree.TakeFocus();
    hPressed = h_hit;
    ptPress = pt;
    if (!Tree.IsSelected(h_hit))
        SelectMultiple(h_hit, u_flags, pt);
}

void ZelTreeCtrlCore::OnRButtonUp() { hPressed = nullptr; }

void ZelTreeCtrlCore::OnMouseMove(UINT, const CPoint& pt)
{
    if (!hPressed)
        return;
    const CSize distance = Tree.GetDragDistance();
    if (std::abs(pt.x - ptPress.x) <= distance.cx && std::abs(pt.y - ptPress.y) <= distance.cy)
        return;
    bPendingSelect = FALSE;
    ZelNMTreeView nm;
    nm.itemNew = ItemRecord(hPressed);
    nm.ptDrag = pt;
    hPressed = nullptr;
    Tree.Notify(TVN_BEGINDRAG, &nm);
}

BOOL ZelTreeCtrlCore::OnKeyDown(UINT u_key, UINT u_modifiers)
{
    HTREEITEM h_caret = Tree.GetCaret();
    if (u_key == VK_SPACE) {
        if (h_caret && Tree.GetStateImage(h_caret) != 0)
            SetCheck(h_caret, ctToggle);
        return FALSE;
    }
    if (u_key != VK_UP && u_key != VK_DOWN)
        return TRUE;
    HTREEITEM h_next = u_key == VK_UP ? PrevVisible(h_caret) : NextVisible(h_caret);
    if (bMulti && (u_modifiers & KM_SHIFT)) {
        if (!h_next)
            return FALSE;
        const bool b_both = Tree.IsSelected(h_next) && Tree.IsSelected(h_caret);
        SelectCaret(h_next, TVC_BYKEYBOARD);
        // Moving back into the range shrinks it: the old caret was
        // unselected as the caret left it.
        if (!b_both)
            SelectItems(hAnchor ? hAnchor : h_caret, h_next);
        ZelNMTVKeyDown nm;
        nm.wVKey = static_cast<WORD>(u_key);
        Tree.Notify(TVN_KEYDOWN, &nm);
        NotifySelChanged(h_caret, h_next);
        return FALSE;
    }
    ClearSelection(TRUE);
    if (h_next)
        SelectCaret(h_next, TVC_BYKEYBOARD);
    hAnchor = Tree.GetCaret();
    return FALSE;
}

void ZelTreeCtrlCore::OnItemExpanding(HTREEITEM h_item, BOOL b_collapse)
{
    if (!b_collapse || !h_item)
        return;
    // Nothing hidden stays selected.
    HTREEITEM h_end = nullptr;
    for (HTREEITEM h = h_item; h && !h_end; h = Tree.GetParentItem(h))
        h_end = Tree.GetNextSiblingItem(h);
    for (HTREEITEM h = GetNextItem(h_item); h && h != h_end; h = GetNextItem(h))
        if (Tree.IsSelected(h))
            Tree.SetSelected(h, FALSE);
}

void ZelTreeCtrlCore::OnItemDeleted(HTREEITEM h_item)
{
    if (hAnchor == h_item)
        hAnchor = nullptr;
    if (hPressed == h_item) {
        hPressed = nullptr;
        bPendingSelect = FALSE;
    }
}

void ZelTreeCtrlCore::OnFocusChange()
{
    if (GetSelectedCount() >= 2)
        Tree.RepaintAll();
}
