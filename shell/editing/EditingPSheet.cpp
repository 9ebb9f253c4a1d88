#include "shell/editing/EditingPSheet.h"

#include "framework/ui/WxText.h"
#include "shell/editing/EditingPPage.h"

#include <algorithm>
#include <dlfcn.h>
#include <wx/bookctrl.h>
#include <wx/display.h>
#include <wx/notebook.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

namespace {

ZelRect ToZelRect(const wxRect& rc) { return {rc.x, rc.y, rc.x + rc.width, rc.y + rc.height}; }
wxRect ToWxRect(const ZelRect& rc) { return {rc.left, rc.top, rc.Width(), rc.Height()}; }

wxWindow* DirectChild(wxWindow& parent, int i_id)
{
    for (wxWindow* p_child : parent.GetChildren()) {
        if (p_child->GetId() == i_id)
            return p_child;
    }
    return nullptr;
}

// The width a notebook needs to show all its tabs side by side, as the
// toolkit measures them (with the theme's padding and the tabs' own font):
// its width when it may not scroll its tabs. 0 when it cannot be told. The
// toolkit comes in with wx, so its functions are looked up rather than its
// headers included.
int TabStripWidth(wxBookCtrlBase& book)
{
#ifdef __WXGTK__
    if (wxDynamicCast(&book, wxNotebook) == nullptr || book.GetHandle() == nullptr)
        return 0;
    using GetScrollableFn = int (*)(void*);
    using SetScrollableFn = void (*)(void*, int);
    using PreferredWidthFn = void (*)(void*, int*, int*);
    static const auto f_get = reinterpret_cast<GetScrollableFn>(dlsym(RTLD_DEFAULT, "gtk_notebook_get_scrollable"));
    static const auto f_set = reinterpret_cast<SetScrollableFn>(dlsym(RTLD_DEFAULT, "gtk_notebook_set_scrollable"));
    static const auto f_width =
        reinterpret_cast<PreferredWidthFn>(dlsym(RTLD_DEFAULT, "gtk_widget_get_preferred_width"));
    if (f_get == nullptr || f_set == nullptr || f_width == nullptr)
        return 0;
    void* p_widget = book.GetHandle();
    const int b_scrollable = f_get(p_widget);
    f_set(p_widget, 0);
    int i_minimum = 0;
    int i_natural = 0;
    f_width(p_widget, &i_minimum, &i_natural);
    // It keeps scrolling, for a screen too narrow for its tabs.
    f_set(p_widget, b_scrollable);
    return i_minimum;
#else
    (void)book;
    return 0;
#endif
}

// The sheet's end code as its caller sees it.
int ModalResult(int i_code) { return i_code == IDC_SHEET_OK ? wxID_OK : i_code; }

} // namespace

EditingPSheet::EditingPSheet(wxWindow* p_parent, const wxString& s_caption, UINT u_selectPage)
    : ZelSizingPropSheet(p_parent, s_caption, u_selectPage), sBaseTitle(s_caption)
{
    // The standard row, in the order the Undo, Next and Previous buttons
    // are placed against: OK, Cancel, Apply, Help at the right.
    // The buttons take one width, and the row keeps room at its left for
    // two more: Undo, and the Next that stands left of Previous.
    const int i_gap = 6;
    wxButton* a_buttons[] = {new wxButton(this, wxID_OK, "OK"), new wxButton(this, wxID_CANCEL, "Cancel"),
                             new wxButton(this, IDC_SHEET_APPLY_NOW, "&Apply"),
                             new wxButton(this, IDC_SHEET_HELP, "Help")};
    int i_width = 0;
    for (wxButton* p_button : a_buttons)
        i_width = std::max(i_width, p_button->GetBestSize().x);
    auto* p_row = new wxBoxSizer(wxHORIZONTAL);
    p_row->Add(2 * (i_width + i_gap), 0);
    p_row->AddStretchSpacer();
    for (wxButton* p_button : a_buttons) {
        p_button->SetMinSize(wxSize(i_width, -1));
        p_row->Add(p_button, 0, p_button->GetId() == IDC_SHEET_HELP ? 0 : wxRIGHT, i_gap);
    }
    GetInnerSizer()->Add(p_row, 0, wxEXPAND | wxTOP | wxBOTTOM, 8);
    SetAffirmativeId(wxID_OK);
    SetEscapeId(wxID_CANCEL);

    for (int i_id : {int(wxID_OK), int(IDC_SHEET_NEXT), int(IDC_SHEET_PREVIOUS)})
        Bind(wxEVT_BUTTON, &EditingPSheet::OnEndButton, this, i_id);
    Bind(wxEVT_BUTTON, &EditingPSheet::OnApplyNow, this, IDC_SHEET_APPLY_NOW);
    Bind(wxEVT_BUTTON, &EditingPSheet::OnUndo, this, IDC_SHEET_UNDO);
    GetBookCtrl()->Bind(wxEVT_BOOKCTRL_PAGE_CHANGING, &EditingPSheet::OnPageChanging, this);
}

void EditingPSheet::AddPage(EditingPPage* p_page)
{
    if (p_page == nullptr)
        return;
    ZelSizingPropSheet::AddPage(p_page);
    p_page->SetEditingSheet(this);
}

void EditingPSheet::SetTitleSuffix(const char* p_text)
{
    const std::string s_base = FromWx(sBaseTitle).value_or(std::string());
    SetTitle(ToWx(EditSheetTitle(s_base, p_text)));
}

bool EditingPSheet::Show(bool b_show)
{
    if (b_show) {
        FitTabs();
        if (!IsShown() && !bPagesLoaded)
            LoadEveryPage();
    }
    return ZelSizingPropSheet::Show(b_show);
}

int EditingPSheet::ShowModal()
{
    FitTabs();
    LoadEveryPage();
    // The modal loop shows the sheet: the pages are loaded already.
    bPagesLoaded = true;
    const int i_result = ZelSizingPropSheet::ShowModal();
    bPagesLoaded = false;
    return i_result;
}

void EditingPSheet::LoadEveryPage()
{
    for (int i = 0; i < GetPageCount(); ++i) {
        if (auto* p_page = dynamic_cast<EditingPPage*>(GetPage(i)))
            p_page->ShowStored();
    }
}

void EditingPSheet::FitTabs()
{
    if (bTabsFitted || IsInitialized())
        return;
    bTabsFitted = true;
    wxBookCtrlBase* p_book = GetBookCtrl();
    const int i_tabs = p_book != nullptr ? TabStripWidth(*p_book) : 0;
    if (i_tabs <= 0)
        return;
    // What the sheet puts around its book, and the work area of the screen
    // it opens on, bound the book's width.
    const int i_book = p_book->GetBestSize().x;
    const int i_around = std::max(0, GetBestSize().x - i_book);
    const int i_display = wxDisplay::GetFromWindow(GetParent() != nullptr ? GetParent() : this);
    const int i_screen = wxDisplay(i_display != wxNOT_FOUND ? static_cast<unsigned>(i_display) : 0u)
                             .GetClientArea()
                             .GetWidth();
    const int i_width = std::min(i_tabs, i_screen - i_around);
    if (i_width > i_book)
        p_book->SetMinSize(wxSize(i_width, -1));
}

void EditingPSheet::EnableUndo(bool b_enable)
{
    if (pUndo != nullptr)
        pUndo->Enable(b_enable);
}

bool EditingPSheet::OnInitDialog()
{
    ZelSizingPropSheet::OnInitDialog();
    AddUndoButton();
    ArrangeButtons();
    // Return presses the default button, as in any dialog: Next on a walk
    // that offers it, else OK.
    if (pNext == nullptr) {
        if (auto* p_ok = wxDynamicCast(DirectChild(*this, wxID_OK), wxButton); p_ok != nullptr && p_ok->IsShown())
            p_ok->SetDefault();
    }
    return true;
}

void EditingPSheet::AddUndoButton()
{
    wxWindow* p_help = DirectChild(*this, IDC_SHEET_HELP);
    if (p_help == nullptr || pUndo != nullptr)
        return;
    const ZelRect rc_undo = UndoButtonRect(ToZelRect(p_help->GetRect()), GetClientSize().x);
    pUndo = new wxButton(this, IDC_SHEET_UNDO, "Undo", wxDefaultPosition, wxDefaultSize);
    pUndo->SetSize(ToWxRect(rc_undo));
    pUndo->SetFont(p_help->GetFont());
    AddSzControl(*pUndo, *p_help);
    pUndo->Enable(false);
}

void EditingPSheet::ArrangeButtons()
{
    bNavigation = false;
    wxWindow* p_ok = DirectChild(*this, wxID_OK);
    wxWindow* p_cancel = DirectChild(*this, wxID_CANCEL);
    wxWindow* p_apply = DirectChild(*this, IDC_SHEET_APPLY_NOW);
    wxWindow* p_help = DirectChild(*this, IDC_SHEET_HELP);
    EditSheetButtonRects rects;
    rects.bHasOk = p_ok != nullptr;
    rects.bHasCancel = p_cancel != nullptr;
    rects.bHasApply = p_apply != nullptr;
    rects.bHasHelp = p_help != nullptr;
    if (!rects.bHasOk || !rects.bHasCancel || !rects.bHasApply || !rects.bHasHelp)
        return;
    rects.rcOk = ToZelRect(p_ok->GetRect());
    rects.rcCancel = ToZelRect(p_cancel->GetRect());
    rects.rcApply = ToZelRect(p_apply->GetRect());
    rects.rcHelp = ToZelRect(p_help->GetRect());
    const EditSheetButtonLayout layout = ::ArrangeButtons(rects, iItem, nItems);
    if (!layout.bNavigation)
        return;
    bNavigation = true;

    if (layout.bHideOk) {
        p_ok->Hide();
        DeleteControl(*p_ok);
    } else if (layout.bMoveOk) {
        DeleteControl(*p_ok);
        p_ok->SetSize(ToWxRect(layout.rcOk));
        AddSzControl(*p_ok, *p_help);
    }
    p_cancel->SetLabel(kCloseText);

    const wxFont font = p_cancel->GetFont();
    wxWindow* p_after = p_ok;
    if (layout.bNext) {
        pNext = new wxButton(this, IDC_SHEET_NEXT, "Next");
        pNext->SetSize(ToWxRect(layout.rcNext));
        pNext->SetFont(font);
        pNext->MoveAfterInTabOrder(p_after);
        p_after = pNext;
        AddSzControl(*pNext, *p_help);
    }
    if (layout.bPrevious) {
        pPrevious = new wxButton(this, IDC_SHEET_PREVIOUS, "Previous");
        pPrevious->SetSize(ToWxRect(layout.rcPrevious));
        pPrevious->SetFont(font);
        pPrevious->MoveAfterInTabOrder(p_after);
        AddSzControl(*pPrevious, *p_help);
    }
    if (layout.iDefaultId == IDC_SHEET_NEXT && pNext != nullptr)
        pNext->SetDefault();
}

bool EditingPSheet::ApplyPages()
{
    ZelSizingPropPage* p_page = GetActivePage();
    if (auto* p_editing = dynamic_cast<EditingPPage*>(p_page))
        return p_editing->OnKillActive();
    if (p_page != nullptr)
        return p_page->Validate() && p_page->TransferDataFromWindow();
    return true;
}

void EditingPSheet::ShowRefusedField(wxWindow* p_page, int i_controlId)
{
    wxBookCtrlBase* p_book = GetBookCtrl();
    const int i_page = p_book->FindPage(p_page);
    if (i_page == wxNOT_FOUND)
        return;
    if (p_book->GetSelection() != i_page) {
        bOwnPageChange = true;
        p_book->SetSelection(static_cast<size_t>(i_page));
        bOwnPageChange = false;
    }
    wxWindow* p_control = p_page->FindWindow(i_controlId);
    if (p_control == nullptr)
        return;
    p_control->SetFocus();
    if (auto* p_text = wxDynamicCast(p_control, wxTextCtrl))
        p_text->SelectAll();
}

void EditingPSheet::OnEndButton(wxCommandEvent& event)
{
    const int i_button = event.GetId() == wxID_OK ? int(IDC_SHEET_OK) : event.GetId();
    const int i_code = EditSheetEndCode(i_button, bNavigation);
    if (i_code == 0 || !ApplyPages())
        return;
    const int i_result = ModalResult(i_code);
    SetReturnCode(i_result);
    if (IsModal())
        EndModal(i_result);
    else
        Hide();
}

void EditingPSheet::OnApplyNow(wxCommandEvent&)
{
    if (!ApplyPages())
        return;
    if (fApplyStore && !fApplyStore())
        return;
    ++nApplied;
    ShowApplied();
}

void EditingPSheet::ShowApplied() { LoadEveryPage(); }

void EditingPSheet::OnUndo(wxCommandEvent&)
{
    ZelSizingPropPage* p_page = GetActivePage();
    if (p_page == nullptr)
        return;
    wxCommandEvent command(wxEVT_MENU, IDC_SHEET_UNDO);
    command.SetEventObject(this);
    command.StopPropagation();
    p_page->GetEventHandler()->ProcessEvent(command);
}

void EditingPSheet::OnPageChanging(wxBookCtrlEvent& event)
{
    if (bOwnPageChange) {
        event.Skip();
        return;
    }
    // A page that asks to stay keeps the focus.
    if (auto* p_page = dynamic_cast<EditingPPage*>(GetPage(event.GetOldSelection())); p_page != nullptr) {
        if (!p_page->LeaveForAnotherPage()) {
            event.Veto();
            return;
        }
    }
    event.Skip();
}
