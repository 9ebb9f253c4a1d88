// The grid's pop-up menu with its items' states, the zoom commands that go
// further than a step, the view settings every grid shares (the length of
// new slots, the mouse resolution, 24-hour times), and the commands that
// put slots into a named combination and take them out again.
#include "zelkit/base/ZelLibrary.h"
#include "zelkit/services/ZelMessages.h"
#include "zelkit/controls/ZelTimeslotGrid.h"
#include "zelkit/windows/ZelWindowServices.h"

#include <string>

namespace {

ZelMenuItem Item(UINT u_id, const char* p_text) { return ZelMenuItem{u_id, p_text, 1, 0}; }
ZelMenuItem Separator() { return ZelMenuItem{}; }

ZelMenuItem* Find(ZelMenu& menu, UINT u_id)
{
    for (ZelMenuItem& item : menu)
        if (item.uId == u_id)
            return &item;
    return nullptr;
}

// Greys an item when the condition holds (it stays grey otherwise).
void GreyIf(ZelMenu& menu, UINT u_id, bool b_grey)
{
    if (ZelMenuItem* p_item = Find(menu, u_id); p_item && b_grey)
        p_item->bEnabled = 0;
}

} // namespace

// -------------------------------------------------------------- the menu

ZelMenu ZelTimeslotGrid::LoadPopupMenu(int i_popup)
{
    if (i_popup == 0)
        return {
            Item(ID_TSLOT_NEW, "&New timeslot\tCtrl+N"),
            Separator(),
            Item(ID_EDIT_COPY, "&Copy\tCtrl+C"),
            Item(ID_EDIT_CUT, "Cu&t\tCtrl+X"),
            Item(ID_EDIT_PASTE, "&Paste\tCtrl+V"),
            Item(ID_EDIT_CLEAR, "&Delete\tDel"),
            Separator(),
            Item(ID_TSLOT_ZOOMIN, "Zoom &in\tCtrl+I"),
            Item(ID_TSLOT_ZOOMOUT, "Zoom &out\tCtrl+O"),
            Separator(),
            Item(ID_EDIT_SELECT_ALL, "Select &all\tCtrl+A"),
            Item(ID_TSLOT_UNSELECTALL, "Un&select all\tEsc"),
            Separator(),
            Item(ID_TSLOT_COMBINE, "Com&bine"),
            Item(ID_TSLOT_UNCOMBINE, "Un-combin&e"),
            Separator(),
            Item(ID_EDIT_UNDO, "&Undo\tCtrl+Z"),
            Item(ID_EDIT_REDO, "Redo\tCtrl+&Y"),
            Separator(),
            Item(ID_TSLOT_LENGTH, "Timeslot &length"),
            Item(ID_TSLOT_RESOLUTION, "&Resolution"),
            Item(ID_TSLOT_24HOUR, "&24-hour times"),
        };
    if (i_popup == 1)
        return {
            Item(ID_EDIT_COPY, "&Copy\tCtrl+C"),
            Separator(),
            Item(ID_TSLOT_ZOOMIN, "Zoom &in\tCtrl+I"),
            Item(ID_TSLOT_ZOOMOUT, "Zoom &out\tCtrl+O"),
            Separator(),
            Item(ID_EDIT_SELECT_ALL, "Select &all\tCtrl+A"),
            Item(ID_TSLOT_UNSELECTALL, "Un&select all\tEsc"),
            Separator(),
            Item(ID_TSLOT_24HOUR, "&24-hour times"),
        };
    return {};
}

void ZelTimeslotGrid::AppendMenu(ZelMenu& target, const ZelMenu& extra)
{
    if (extra.empty())
        return;
    target.push_back(Separator());
    for (const ZelMenuItem& item : extra)
        target.push_back(item);
}

ZelMenu ZelTimeslotGrid::GetGeneralMenu(const ZelMenu* p_extra)
{
    ZelMenu menu = LoadPopupMenu(0);
    const bool b_selected = CountSelected() > 0;
    GreyIf(menu, ID_TSLOT_ZOOMOUT, !IsScrollBarVisible(SB_VERT));
    GreyIf(menu, ID_TSLOT_ZOOMIN, dtsSpacing.GetTotalMinutes() <= dtsMinZoom().GetTotalMinutes());
    for (const UINT u_id : {ID_EDIT_CUT, ID_EDIT_CLEAR})
        GreyIf(menu, u_id, !b_selected || bReadOnly);
    for (const UINT u_id : {ID_EDIT_COPY, ID_TSLOT_UNSELECTALL, ID_TSLOT_COMBINE, ID_TSLOT_UNCOMBINE})
        GreyIf(menu, u_id, !b_selected);
    GreyIf(menu, ID_TSLOT_COMBINE, !bCombinationsSet || !CheckSelectedCombine());
    GreyIf(menu, ID_TSLOT_UNCOMBINE, !bCombinationsSet);
    // Combining changes slots: not in a read-only grid.
    GreyIf(menu, ID_TSLOT_COMBINE, bReadOnly);
    GreyIf(menu, ID_TSLOT_UNCOMBINE, bReadOnly);
    GreyIf(menu, ID_EDIT_SELECT_ALL, CountSlots() == 0);

    bool b_paste = false;
    std::string s_text;
    if (!bReadOnly && pHost->GetClipboardText(s_text)) {
        DayArray days;
        b_paste = GetDaysFromText(s_text, days) && days.CountSlots() > 0;
    }
    GreyIf(menu, ID_EDIT_PASTE, !b_paste);

    Find(menu, ID_TSLOT_LENGTH)->sText +=
        " (" + ZelOleDateTimeSpan::GetAsText(static_cast<std::int64_t>(uSlotLength), ZelOleDateTimeSpan::fuAll) + ")";
    Find(menu, ID_TSLOT_RESOLUTION)->sText += " (" + Settings().dtsUserResolution.GetAsText(ZelOleDateTimeSpan::fuAll) + ")";

    if (bReadOnly) {
        for (const UINT u_id : {ID_TSLOT_NEW, ID_EDIT_UNDO, ID_EDIT_REDO, ID_TSLOT_LENGTH, ID_TSLOT_RESOLUTION})
            GreyIf(menu, u_id, true);
    } else {
        GreyIf(menu, ID_EDIT_UNDO, UndoList.empty());
        GreyIf(menu, ID_EDIT_REDO, RedoList.empty());
    }
    Find(menu, ID_TSLOT_24HOUR)->bChecked = b24Hour ? 1 : 0;
    if (p_extra)
        AppendMenu(menu, *p_extra);
    return menu;
}

void ZelTimeslotGrid::GeneralPopup(const CPoint& pt, const ZelMenu* p_extra)
{
    const ZelMenu menu = GetGeneralMenu(p_extra);
    ActivatePositionTip(pt, FALSE, FALSE);
    pHost->TrackPopupMenu(menu, pt);
}

void ZelTimeslotGrid::OnContextMenu(const CPoint& pt)
{
    GeneralPopup(pt.x < 0 || pt.y < 0 ? CPoint(0, 0) : pt, nullptr);
}

// ------------------------------------------------------------------ zoom

void ZelTimeslotGrid::ZoomVisible()
{
    const LONG i_enough = static_cast<LONG>(uMaxMagFactor) * Metric(ZelSys::SM_CYEDGE);
    for (;;) {
        LONG i_total = 0;
        int n_slots = 0;
        for (int d = 0; d < Days.GetSize(); ++d)
            for (int s = 0; s < Days[d].GetSize(); ++s)
                for (int i = 0; i < Days[d][s].GetCount(); ++i) {
                    i_total += FirstShapeRect(d, s, i).Height();
                    ++n_slots;
                }
        if (n_slots == 0 || i_total / n_slots >= i_enough)
            return;
        if (!ZoomIn())
            return;
    }
}

void ZelTimeslotGrid::ZoomInMax()
{
    pHost->SetRedraw(FALSE);
    dtsSpacing = dtsMinZoom();
    if (bUsePrevSpacing)
        Settings().dtsPrevSpacing = dtsSpacing;
    DeactivatePositionTip(TRUE);
    ComputeAreas();
    pHost->SetRedraw(TRUE);
    pHost->Invalidate(nullptr, TRUE);
    ActivatePositionTip(pHost->GetCursorClientPoint(), TRUE, TRUE);
}

// --------------------------------------------------------- view settings

void ZelTimeslotGrid::On24Hour()
{
    ZelWaitCursor wait;
    b24Hour = !b24Hour;
    Settings().bPrev24Hour = b24Hour;
    Recompute();
    MakeFocusVisible(0);
}

void ZelTimeslotGrid::OnSlotLength()
{
    if (bReadOnly)
        Beep();
    else
        ChangeSlotLength();
}

int ZelTimeslotGrid::ChangeSlotLength()
{
    UINT u_minutes = uSlotLength / 60;
    if (!pHost->AskSlotLength(u_minutes))
        return 0;
    uSlotLength = u_minutes * 60;
    Settings().uPrevSlotLength = uSlotLength;
    return 1;
}

void ZelTimeslotGrid::OnTslotResolution()
{
    if (bReadOnly)
        Beep();
    else
        ChangeResolution();
}

int ZelTimeslotGrid::ChangeResolution()
{
    ZelTimeslotSettings& settings = Settings();
    UINT u_minutes = static_cast<UINT>(settings.dtsUserResolution.GetTotalMinutes());
    int b_auto = settings.bUserAutoResolution;
    if (!pHost->AskResolution(u_minutes, b_auto))
        return 0;
    settings.dtsUserResolution = ZelOleDateTimeSpan(0, 0, static_cast<std::int32_t>(u_minutes), 0);
    settings.bUserAutoResolution = b_auto ? 1 : 0;
    return 1;
}

// ---------------------------------------------------------- combinations

void ZelTimeslotGrid::OnTslotCombine()
{
    // A read-only grid keeps its slots as they are.
    if (bReadOnly) {
        Beep();
        return;
    }
    ZelTimeslotCombinationList offered = Combinations;
    std::string s_name;
    if (!pHost->AskCombinationName(offered, s_name))
        return;
    // The new combination takes its key now, even when its name exists.
    const ZelTimeslotCombination combination(ZelObjectName(s_name, ZelTimeslotCombination::nMaxNameLength));
    for (int i = 0; i < offered.GetCount(); ++i)
        if (offered[i].GetObjectName() == combination.GetObjectName()) {
            AddSelectedToCombination(offered[i]);
            return;
        }
    const int i_result = offered.Add(combination);
    if (i_result == ZelTimeslotCombinationList::added) {
        SetCombinations(offered);
        const int i_index = Combinations.FindByKey(combination.GetKey());
        if (i_index >= 0)
            AddSelectedToCombination(Combinations[i_index]);
        return;
    }
    ZelLocalResource local;
    const std::string s_shown = combination.GetName();
    std::string s_text;
    switch (i_result) {
    case ZelTimeslotCombinationList::tooMany: s_text = ZelFormatError(56053, std::to_string(offered.GetMaxObjects())); break;
    case ZelTimeslotCombinationList::nameExists: s_text = ZelFormatError(56055, "add", s_shown); break;
    case ZelTimeslotCombinationList::keyExists: s_text = ZelFormatError(56056, s_shown); break;
    case ZelTimeslotCombinationList::notValid: s_text = ZelFormatError(56057, s_shown); break;
    default: s_text = ZelFormatError(56058, s_shown); break;
    }
    ZelMessageBox(s_text, MB_OK | MB_ICONEXCLAMATION);
}

void ZelTimeslotGrid::AddSelectedToCombination(const ZelTimeslotCombination& combination)
{
    int b_changed = 0;
    for (int d = 0; d < Days.GetSize(); ++d)
        for (int s = 0; s < Days[d].GetSize(); ++s) {
            int b_column = 0;
            for (int i = 0; i < Days[d][s].GetCount(); ++i) {
                ZelTimeslot& slot = Days[d][s][i];
                if (slot.IsSelected() && slot.GetCombinationKey() != combination.GetKey()) {
                    slot.SetCombinationKey(combination.GetKey());
                    b_column = 1;
                }
            }
            if (b_column)
                InvalidateSlot(d, s, -1, FALSE);
            b_changed |= b_column;
        }
    if (b_changed)
        Changed();
}

void ZelTimeslotGrid::OnTslotUncombine()
{
    if (bReadOnly) {
        Beep();
        return;
    }
    int b_changed = 0;
    for (int d = 0; d < Days.GetSize(); ++d)
        for (int s = 0; s < Days[d].GetSize(); ++s) {
            int b_column = 0;
            for (int i = 0; i < Days[d][s].GetCount(); ++i) {
                ZelTimeslot& slot = Days[d][s][i];
                if (slot.IsSelected() && slot.GetCombinationKey() >= 0) {
                    slot.SetCombinationKey(-1);
                    b_column = 1;
                }
            }
            if (b_column)
                InvalidateSlot(d, s, -1, FALSE);
            b_changed |= b_column;
        }
    if (b_changed)
        Changed();
}
