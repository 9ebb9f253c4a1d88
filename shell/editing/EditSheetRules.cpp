#include "shell/editing/EditSheetRules.h"

#include <algorithm>

const char* const kCloseText = "Close";

namespace {

ZelRect Shifted(const ZelRect& rc, LONG i_dx)
{
    return {rc.left + i_dx, rc.top, rc.right + i_dx, rc.bottom};
}

} // namespace

EditSheetButtonLayout ArrangeButtons(const EditSheetButtonRects& rects, int i_item, int n_items)
{
    EditSheetButtonLayout layout;
    if (!rects.bHasOk || !rects.bHasCancel || !rects.bHasApply || !rects.bHasHelp)
        return layout;
    layout.bPrevious = i_item > 0;
    layout.bNext = i_item < n_items - 1;
    if (!layout.bPrevious && !layout.bNext)
        return layout;

    layout.bNavigation = true;
    const LONG i_gap = std::max<LONG>(0, rects.rcCancel.left - rects.rcOk.right);
    const LONG i_step = rects.rcOk.Width() + i_gap;
    layout.vTabOrder.push_back(IDC_SHEET_OK);
    if (layout.bNext && layout.bPrevious) {
        // The row reads Next, Previous, Close.
        layout.rcPrevious = rects.rcOk;
        layout.rcNext = Shifted(rects.rcOk, -i_step);
        layout.bHideOk = true;
    } else if (layout.bNext) {
        layout.rcNext = rects.rcOk;
        layout.bHideOk = true;
    } else {
        layout.rcPrevious = rects.rcOk;
        layout.rcOk = Shifted(rects.rcOk, -i_step);
        layout.bMoveOk = true;
    }
    if (layout.bNext) {
        layout.vTabOrder.push_back(IDC_SHEET_NEXT);
        layout.iDefaultId = IDC_SHEET_NEXT;
    }
    if (layout.bPrevious)
        layout.vTabOrder.push_back(IDC_SHEET_PREVIOUS);
    return layout;
}

ZelRect UndoButtonRect(const ZelRect& rc_help, LONG i_clientWidth)
{
    const LONG i_left = std::max<LONG>(0, i_clientWidth - rc_help.right);
    return {i_left, rc_help.top, i_left + rc_help.Width(), rc_help.bottom};
}

int EditSheetEndCode(int i_button, bool b_navigation)
{
    switch (i_button) {
    case IDC_SHEET_OK: return b_navigation ? IDC_SHEET_NEXT : IDC_SHEET_OK;
    case IDC_SHEET_NEXT:
    case IDC_SHEET_PREVIOUS:
    case IDC_SHEET_APPLY_NOW: return i_button;
    default: return 0;
    }
}

std::string EditSheetTitle(const std::string& s_base, const char* p_suffix)
{
    if (p_suffix == nullptr || *p_suffix == '\0')
        return s_base;
    return s_base + " - " + p_suffix;
}

BOOL EditPageState::Leave(BOOL b_accepted, BOOL b_stay)
{
    if (!b_accepted || b_stay)
        return FALSE;
    bChanged = FALSE;
    return TRUE;
}

EditCtrlKey EditCtrlKeyAction(UINT u_virtualKey)
{
    switch (u_virtualKey) {
    case VK_RETURN: return EditCtrlKey::FocusParent;
    case VK_ESCAPE: return EditCtrlKey::RestoreAndFocus;
    case VK_UP:
    case VK_DOWN: return EditCtrlKey::ForwardToParent;
    default: return EditCtrlKey::Default;
    }
}
