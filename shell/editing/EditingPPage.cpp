#include "shell/editing/EditingPPage.h"

#include "framework/Resources.h"
#include "framework/ui/WxIds.h"
#include "framework/ui/WxText.h"
#include "shell/editing/EditingPSheet.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/controls/ZelControlPorts.h"
#include "zelkit/controls/ui/ZelWxKeys.h"

#include <wx/accel.h>
#include <wx/notebook.h>
#include <wx/settings.h>
#include <wx/stattext.h>

namespace {

// The tools' images side by side: New, Delete, Move up, Move down, Order.
static const char* const aPageToolsXpm[] = {
    "80 15 5 1",
    ". c None",
    "k c #3C3C46",
    "w c #FAFAF5",
    "r c #CC0000",
    "b c #3465A4",
    "................................................................................",
    "...kkkkkkk.............................bb.............bbbb........bb............",
    "...kwwwwwkk........rr......rr.........bbbb............bbbb........bb..kkkk......",
    "...kwwwwwkwk........rr....rr.........bbbbbb...........bbbb........bb..kkkk......",
    "...kwwwwwkkkk........rr..rr.........bbbbbbbb..........bbbb........bb............",
    "...kwwwwwwwwk.........rrrr.........bbbbbbbbbb.........bbbb........bb............",
    "...kwwwwwwwwk..........rr.........bbbbbbbbbbbb........bbbb........bb..kkkkkkk...",
    "...kwwwwwwwwk.........rrrr............bbbb............bbbb........bb..kkkkkkk...",
    "...kwwwwwwwwk........rr..rr...........bbbb........bbbbbbbbbbbb....bb............",
    "...kwwwwwwwwk.......rr....rr..........bbbb.........bbbbbbbbbb.....bb............",
    "...kwwwwwwwwk......rr......rr.........bbbb..........bbbbbbbb....bbbbbbkkkkkkkkkk",
    "...kwwwwwwwwk.....rr........rr........bbbb...........bbbbbb......bbbb.kkkkkkkkkk",
    "...kwwwwwwwwk.........................bbbb............bbbb........bb............",
    "...kkkkkkkkkk.........................bbbb.............bb.......................",
    "................................................................................"
};

wxBitmap& ToolsBitmap()
{
    static wxBitmap bitmap(aPageToolsXpm);
    return bitmap;
}

// The desktop's key of a virtual key of the accelerator table.
int WxKeyOf(UINT u_key)
{
    switch (u_key) {
    case VK_DELETE: return WXK_DELETE;
    case VK_PRIOR: return WXK_PAGEUP;
    case VK_NEXT: return WXK_PAGEDOWN;
    case VK_UP: return WXK_UP;
    case VK_DOWN: return WXK_DOWN;
    default: return static_cast<int>(u_key);
    }
}

BYTE ModifiersOf(const wxKeyEvent& event)
{
    BYTE u_flags = 0;
    if (event.ControlDown())
        u_flags |= FCONTROL;
    if (event.AltDown())
        u_flags |= FALT;
    if (event.ShiftDown())
        u_flags |= FSHIFT;
    return u_flags;
}

// The accelerator as the desktop names it ("Ctrl+PgUp").
std::string AccelName(BYTE u_flags, UINT u_key)
{
    int i_flags = wxACCEL_NORMAL;
    if (u_flags & FALT)
        i_flags |= wxACCEL_ALT;
    if (u_flags & FCONTROL)
        i_flags |= wxACCEL_CTRL;
    if (u_flags & FSHIFT)
        i_flags |= wxACCEL_SHIFT;
    const wxAcceleratorEntry entry(i_flags, WxKeyOf(u_key));
    return FromWx(entry.ToString()).value_or(std::string());
}

// The window itself or a window inside it.
bool IsWithin(const wxWindow* p_window, const wxWindow* p_outer)
{
    for (; p_window != nullptr; p_window = p_window->GetParent()) {
        if (p_window == p_outer)
            return true;
        if (p_window->IsTopLevel())
            break;
    }
    return false;
}

ZelRect ToZelRect(const wxRect& rc) { return {rc.x, rc.y, rc.x + rc.width, rc.y + rc.height}; }

} // namespace

// ------------------------------------------------------------ ExPropertyPage

ExPropertyPage::ExPropertyPage(wxWindow* p_book, const wxString& s_caption, wxWindowID i_id)
    : ZelSizingPropPage(p_book, s_caption, i_id)
{
    Bind(wxEVT_CHAR_HOOK, &ExPropertyPage::OnCharHook, this);
}

ExPropertyPage::~ExPropertyPage()
{
    // The toolbars are children of the page and go with its window; here
    // they only leave the anchoring, while both still stand.
    for (const ToolBarDef& def : vToolBars)
        DeleteControl(*def.pToolBar);
    vToolBars.clear();
}

wxBitmap ExPropertyPage::ToolImage(int i_image)
{
    return ToolsBitmap().GetSubBitmap(wxRect(i_image * nPageToolWidth, 0, nPageToolWidth, nPageToolHeight));
}

wxString ExPropertyPage::ToolTipText(int i_command) { return ToWx(PageToolTip(i_command, AccelName)); }

wxToolBar* ExPropertyPage::AddToolBar(int i_ownerId, wxWindow* p_place, UINT u_flags, Mode e_x, Mode e_y)
{
    uButtonFlags = u_flags;
    for (const ToolBarDef& def : vToolBars) {
        if (def.iOwnerId == i_ownerId)
            return nullptr;
    }
    if (p_place == nullptr)
        return nullptr;

    auto* p_bar = new wxToolBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                wxTB_HORIZONTAL | wxTB_FLAT | wxTB_NODIVIDER | wxTB_NOALIGN);
    p_bar->SetToolBitmapSize(wxSize(nPageToolWidth, nPageToolHeight));
    // Flat: the bar takes the background the page shows, which inside a
    // notebook is the desktop's window colour rather than the panel's own.
    p_bar->SetBackgroundColour(wxDynamicCast(GetParent(), wxNotebook) != nullptr
                                   ? wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW)
                                   : GetBackgroundColour());
    for (const PageToolDef* p_tool : PageToolsForFlags(u_flags)) {
        const wxString s_tip = ToolTipText(p_tool->iCommand);
        p_bar->AddTool(WxId(static_cast<UINT>(p_tool->iCommand)), wxString(), ToolImage(p_tool->iImage), s_tip);
    }
    p_bar->Realize();
    vToolBars.push_back({p_bar, i_ownerId});

    // The place keeps its bottom edge and becomes one bar high; the bar
    // sits in its right end.
    const wxSize sz_bar = p_bar->GetBestSize();
    const wxRect rc_window = p_place->GetRect();
    const wxPoint pt_client = p_place->GetClientAreaOrigin();
    const wxSize sz_client = p_place->GetClientSize();
    const wxRect rc_client(rc_window.GetPosition() + pt_client, sz_client);
    const PageToolBarPlacement placement =
        PlacePageToolBar(ToZelRect(rc_window), ToZelRect(rc_client), sz_bar.x, sz_bar.y);
    p_place->SetSize(placement.rcPlace.left, placement.rcPlace.top, placement.rcPlace.Width(),
                     placement.rcPlace.Height());
    p_bar->SetSize(placement.rcToolBar.left, placement.rcToolBar.top, placement.rcToolBar.Width(),
                   placement.rcToolBar.Height());
    p_bar->Raise();
    AddSzControl(*p_bar, e_x, e_y);
    return p_bar;
}

void ExPropertyPage::EnableToolBarButton(wxToolBar* p_toolBar, int i_command, bool b_enable)
{
    for (const ToolBarDef& def : vToolBars) {
        if (def.pToolBar != p_toolBar)
            continue;
        if (i_command == -1) {
            for (const PageToolDef& tool : PageTools())
                p_toolBar->EnableTool(WxId(static_cast<UINT>(tool.iCommand)), b_enable);
        } else {
            p_toolBar->EnableTool(WxId(static_cast<UINT>(i_command)), b_enable);
        }
        return;
    }
}

int ExPropertyPage::GetFocusToolBarOwner() const
{
    const wxWindow* p_focus = wxWindow::FindFocus();
    if (p_focus == nullptr)
        return 0;
    for (const ToolBarDef& def : vToolBars) {
        const wxWindow* p_owner = FindWindow(def.iOwnerId);
        if ((p_owner != nullptr && IsWithin(p_focus, p_owner)) || IsWithin(p_focus, def.pToolBar))
            return def.iOwnerId;
    }
    return 0;
}

int ExPropertyPage::GetToolBarOwnerAtPoint(const wxPoint& pt_screen) const
{
    for (const ToolBarDef& def : vToolBars) {
        if (def.pToolBar->GetScreenRect().Contains(pt_screen))
            return def.iOwnerId;
    }
    return 0;
}

bool ExPropertyPage::TranslateAccelerator(const wxKeyEvent& event)
{
    if (GetFocusToolBarOwner() == 0)
        return false;
    const int i_command = FindPageAccelerator(ModifiersOf(event), ZelVirtualKey(event));
    if (i_command == 0)
        return false;
    SendCommand(WxId(static_cast<UINT>(i_command)));
    return true;
}

void ExPropertyPage::OnCharHook(wxKeyEvent& event)
{
    if (!TranslateAccelerator(event))
        event.Skip();
}

void ExPropertyPage::SendCommand(int i_command)
{
    wxCommandEvent command(wxEVT_MENU, i_command);
    command.SetEventObject(this);
    // The page is the command's last stop: it never climbs to the sheet,
    // whose buttons share some of the ids.
    command.StopPropagation();
    GetEventHandler()->ProcessEvent(command);
}

// -------------------------------------------------------------- EditingPPage

EditingPPage::EditingPPage(wxWindow* p_book, const wxString& s_caption, UINT u_descriptionId, wxWindowID i_id)
    : ExPropertyPage(p_book, s_caption, i_id)
{
    if (u_descriptionId != 0)
        LoadResourceString(u_descriptionId, sDescription);
}

BOOL EditingPPage::CheckSettings(BOOL* p_stay)
{
    *p_stay = FALSE;
    return TRUE;
}

bool EditingPPage::OnInitDialog()
{
    ExPropertyPage::OnInitDialog();
    if (wxWindow* p_description = FindWindow(IDC_PAGE_DESCRIPTION)) {
        if (auto* p_text = wxDynamicCast(p_description, wxTextCtrl))
            p_text->ChangeValue(ToWx(sDescription));
        else
            p_description->SetLabel(ToWx(sDescription));
    }
    return true;
}

bool EditingPPage::OnSetActive()
{
    ZEL_ASSERT(pSheet != NULL);
    const bool b_result = ExPropertyPage::OnSetActive();
    if (!b_result)
        return false;
    if (pSheet != nullptr) {
        for (int i = 0; i < pSheet->GetPageCount(); ++i) {
            if (pSheet->GetPage(i) == this)
                pSheet->SetActivePageIndex(i);
        }
    }
    DisableUndo();
    State.Activated();
    return b_result;
}

bool EditingPPage::OnKillActive()
{
    if (!Validate() || !TransferDataFromWindow())
        return false;
    BOOL b_stay = FALSE;
    bEditsDiscarded = false;
    CheckSettings(&b_stay);
    // Discarded edits keep the page only when the sheet is to end; the
    // tab the user chose opens over the values they came back to.
    if (b_stay && bEditsDiscarded && bLeavingForPage)
        b_stay = FALSE;
    if (!State.Leave(TRUE, b_stay))
        return false;
    DisableUndo();
    return true;
}

bool EditingPPage::LeaveForAnotherPage()
{
    bLeavingForPage = true;
    const bool b_left = OnKillActive();
    bLeavingForPage = false;
    return b_left;
}

void EditingPPage::EditsDiscarded()
{
    bEditsDiscarded = true;
    if (bLeavingForPage) {
        ReloadUnchanged();
        return;
    }
    CallAfter([this] {
        wxCommandEvent undo(wxEVT_MENU, IDC_SHEET_UNDO);
        undo.SetEventObject(this);
        GetEventHandler()->ProcessEvent(undo);
    });
}

void EditingPPage::DisableUndo()
{
    if (pSheet != nullptr)
        pSheet->EnableUndo(false);
}

void EditingPPage::MarkEdited()
{
    SetChanged(TRUE);
    if (pSheet != nullptr)
        pSheet->EnableUndo(true);
}

void EditingPPage::ReloadUnchanged()
{
    ReloadPage();
    SetChanged(FALSE);
    DisableUndo();
}

void EditingPPage::UndoEdits()
{
    ReloadUnchanged();
    if (pSheet != nullptr) {
        if (wxWindow* p_ok = pSheet->FindWindow(wxID_OK); p_ok != nullptr && p_ok->IsShown())
            p_ok->SetFocus();
    }
}

// ------------------------------------------------------------------ EditCtrl

EditCtrl::EditCtrl(wxWindow* p_parent, wxWindowID i_id, const wxString& s_value, const wxPoint& pt,
                   const wxSize& sz, long l_style)
    : wxTextCtrl(p_parent, i_id, wxString(), pt, sz, l_style)
{
    // Set after creation, so that the text is the one Escape restores.
    ChangeValue(s_value);
    Bind(wxEVT_CHAR_HOOK, &EditCtrl::OnCharHook, this);
    Bind(wxEVT_KILL_FOCUS, &EditCtrl::OnKillFocus, this);
}

void EditCtrl::DoSetValue(const wxString& s_value, int i_flags)
{
    sSavedText = s_value;
    wxTextCtrl::DoSetValue(s_value, i_flags);
}

bool EditCtrl::HandleKey(const wxKeyEvent& event)
{
    wxWindow* p_parent = GetParent();
    switch (EditCtrlKeyAction(ZelVirtualKey(event))) {
    case EditCtrlKey::FocusParent:
        if (p_parent != nullptr)
            p_parent->SetFocus();
        return true;
    case EditCtrlKey::RestoreAndFocus:
        if (p_parent == nullptr)
            return false;
        ChangeValue(sSavedText);
        bCancelled = TRUE;
        p_parent->SetFocus();
        return true;
    case EditCtrlKey::ForwardToParent: {
        if (p_parent == nullptr)
            return false;
        p_parent->SetFocus();
        wxKeyEvent key(event);
        key.SetEventType(wxEVT_KEY_DOWN);
        key.SetEventObject(p_parent);
        key.SetId(p_parent->GetId());
        p_parent->GetEventHandler()->ProcessEvent(key);
        return true;
    }
    case EditCtrlKey::Default: break;
    }
    return false;
}

void EditCtrl::OnCharHook(wxKeyEvent& event)
{
    if (!HandleKey(event))
        event.Skip();
}

void EditCtrl::OnKillFocus(wxFocusEvent& event)
{
    event.Skip();
    // The parent (the list the control edits in) takes the focus back,
    // which ends the edit there; later, since the focus is still moving.
    wxWindow* p_parent = GetParent();
    if (p_parent == nullptr || IsWithin(event.GetWindow(), p_parent))
        return;
    CallAfter([this] {
        if (wxWindow* p = GetParent(); p != nullptr && !IsBeingDeleted())
            p->SetFocus();
    });
}
