#include "shell/timetable/DayGrid.h"

#include "framework/ui/WxIds.h"
#include "framework/ui/WxText.h"
#include "shell/timetable/LockBitmap.h"
#include "shell/frame/MainFrm.h"
#include "shell/frame/WxCommands.h"

#include <memory>
#include <wx/combobox.h>

namespace {

const UINT aGridCommands[] = {DayGridCore::ID_LOCK, DayGridCore::ID_UNLOCK, DayGridCore::ID_LOCK_ALL,
                              DayGridCore::ID_UNLOCK_ALL, DayGridCore::ID_CHANGE_TIMESLOTS};

bool IsWithin(wxWindow* p_window, const wxWindow* p_ancestor)
{
    for (; p_window != nullptr; p_window = p_window->GetParent())
        if (p_window == p_ancestor)
            return true;
    return false;
}

} // namespace

DayGrid::DayGrid(wxWindow* p_parent, wxWindowID i_id, EventDoc* p_doc, const Day& day,
                 const ZelTimeslotCombinationList& combinations)
    : ZelTimeslotDisplayCtrl(p_parent, i_id, wxDefaultPosition, p_parent->GetClientSize(),
                             std::make_unique<DayGridCore>(p_doc, day)),
      LockBitmap(LoadLockBitmap())
{
    DayGridCore& core = GetCore();
    core.SetWindow(this);
    if (LockBitmap.IsOk())
        core.SetLockBitmap(&LockBitmap);
    SetCombinations(combinations);
    Resize();

    Bind(wxEVT_LEFT_DCLICK, &DayGrid::OnDoubleClick, this);
    Bind(wxEVT_KILL_FOCUS, &DayGrid::OnKillFocus, this);
    for (const UINT u : aGridCommands)
        Bind(wxEVT_UPDATE_UI, &DayGrid::OnUpdateCommand, this, CommandWxId(u));
}

DayGrid::~DayGrid()
{
    GetCore().SetWindow(nullptr);
    GetCore().StoreScrollPositions();
}

// ------------------------------------------------------------------ events

void DayGrid::TabOut(bool b_backward)
{
    // Forwards the grid is the last control of its pane: Tab goes on to
    // the next pane. Backwards the day tabs come first.
    auto* p_frame = dynamic_cast<CMainFrame*>(wxGetTopLevelParent(this));
    if (b_backward || p_frame == nullptr)
        ZelTimeslotDisplayCtrl::TabOut(b_backward);
    else
        p_frame->FocusNextPane(false);
}

bool DayGrid::TryBefore(wxEvent& event)
{
    const wxEventType e_type = event.GetEventType();
    if (pList != nullptr && event.GetEventObject() == this
        && (e_type == wxEVT_LEFT_DOWN || e_type == wxEVT_SIZE || e_type == wxEVT_CONTEXT_MENU
            || e_type == wxEVT_MOUSEWHEEL || e_type == wxEVT_SCROLLWIN_TOP || e_type == wxEVT_SCROLLWIN_BOTTOM
            || e_type == wxEVT_SCROLLWIN_LINEUP || e_type == wxEVT_SCROLLWIN_LINEDOWN
            || e_type == wxEVT_SCROLLWIN_PAGEUP || e_type == wxEVT_SCROLLWIN_PAGEDOWN
            || e_type == wxEVT_SCROLLWIN_THUMBTRACK || e_type == wxEVT_SCROLLWIN_THUMBRELEASE))
        GetCore().CloseGroupList();
    return ZelTimeslotDisplayCtrl::TryBefore(event);
}

void DayGrid::OnDoubleClick(wxMouseEvent& event)
{
    GetCore().OnLButtonDblClk(CPoint(event.GetX(), event.GetY()));
}

void DayGrid::OnKillFocus(wxFocusEvent& event)
{
    GetCore().AfterKillFocus();
    event.Skip();
}

void DayGrid::OnUpdateCommand(wxUpdateUIEvent& event)
{
    for (const UINT u : aGridCommands) {
        if (CommandWxId(u) != event.GetId())
            continue;
        BOOL b_enabled = FALSE;
        BOOL b_checked = FALSE;
        GetCore().GetCommandState(u, b_enabled, b_checked);
        event.Enable(b_enabled != FALSE);
        if (u == DayGridCore::ID_CHANGE_TIMESLOTS)
            event.Check(b_checked != FALSE);
        return;
    }
    event.Skip();
}

// ---------------------------------------------------- the in-place list

int DayGrid::GetParentHeight()
{
    return GetParent() != nullptr ? GetParent()->GetClientSize().GetHeight() : 0;
}

void DayGrid::OpenListWindow(const CRect& rc, const std::vector<Choice>& v_choices, int i_selected)
{
    wxArrayString a_names;
    vListGroups.clear();
    for (const Choice& choice : v_choices) {
        a_names.Add(ToWx(choice.sName));
        vListGroups.push_back(choice.iGroup);
    }
    pList = new wxComboBox(this, iListId, wxEmptyString, wxPoint(rc.left, rc.top), wxSize(rc.Width(), -1), a_names,
                           wxCB_READONLY);
    // The rectangle reaches down to where the list drops; the control
    // covers at least the slot itself.
    const int i_slotHeight = rc.Height() - GetParentHeight() / 2;
    if (i_slotHeight > pList->GetSize().GetHeight())
        pList->SetSize(rc.left, rc.top, rc.Width(), i_slotHeight);
    bListDropped = false;
    // The list speaks in the slots' own size of type.
    if (std::unique_ptr<IZelDrawPort> p_port = CreateMeasurePort()) {
        ZelTimeslotGrid::SetStdContext ctx(GetCore(), *p_port);
        if (ctx.TimeslotFont.iPoints > 0) {
            wxFont font = GetFont();
            font.SetPointSize(ctx.TimeslotFont.iPoints);
            pList->SetFont(font);
        }
    }
    if (i_selected >= 0 && i_selected < static_cast<int>(a_names.size()))
        pList->SetSelection(i_selected);
    pList->Bind(wxEVT_COMBOBOX_DROPDOWN, [this](wxCommandEvent& event) {
        bListDropped = true;
        event.Skip();
    });
    pList->Bind(wxEVT_COMBOBOX_CLOSEUP, [this](wxCommandEvent& event) {
        bListDropped = false;
        event.Skip();
    });
    pList->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        CallAfter(&DayGrid::OnListFocusGone);
        event.Skip();
    });
    pList->SetFocus();
}

void DayGrid::OnListFocusGone()
{
    if (pList == nullptr || bListDropped || IsWithin(wxWindow::FindFocus(), pList))
        return;
    GetCore().CloseGroupList();
}

void DayGrid::CloseListWindow()
{
    if (pList == nullptr)
        return;
    wxComboBox* p_list = pList;
    const int i_item = p_list->GetSelection();
    const int i_group =
        i_item != wxNOT_FOUND && i_item < static_cast<int>(vListGroups.size()) ? vListGroups[i_item] : -1;
    pList = nullptr;
    vListGroups.clear();
    bListDropped = false;
    if (IsWithin(wxWindow::FindFocus(), p_list))
        SetFocus();
    p_list->Hide();
    // The list may be in the middle of its own event: it goes once that is
    // over (or with the grid, should the grid go first).
    CallAfter([p_list] { p_list->Destroy(); });
    GetCore().CommitGroupList(i_group);
}
