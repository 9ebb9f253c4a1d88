#include "sheets/GroupEditingPPage.h"

#include "framework/ui/WxText.h"
#include "model/Group.h"
#include "sheets/SheetRules.h"
#include "shell/editing/EditingPSheet.h"
#include "zelkit/base/ZelAssert.h"

#include <algorithm>
#include <wx/notebook.h>
#include <wx/settings.h>

GroupEditingPPage::GroupEditingPPage(wxWindow* p_book, const wxString& s_caption, EventDoc* p_doc,
                                     UINT u_descriptionId)
    : EditingPPage(p_book, s_caption, u_descriptionId), pDoc(p_doc)
{
    Bind(wxEVT_MENU, &GroupEditingPPage::OnUndo, this, IDC_SHEET_UNDO);
    // Bound after the toolbars' accelerators, so asked first.
    Bind(wxEVT_CHAR_HOOK, &GroupEditingPPage::OnCharHook, this);
}

void GroupEditingPPage::OnCharHook(wxKeyEvent& event)
{
    if (IsEditingInPlace()) {
        // The editor takes every key, the toolbars' accelerators and the
        // sheet's Escape included.
        event.DoAllowNextEvent();
        return;
    }
    event.Skip();
}

bool GroupEditingPPage::OnKillActive()
{
    if (IsEditingInPlace())
        return false;
    return EditingPPage::OnKillActive();
}

Group& GroupEditingPPage::GetGroup(EditingPSheet* p_sheet) const
{
    if (p_sheet == nullptr) {
        ZEL_ASSERT(pSheet != nullptr);
        p_sheet = pSheet;
    }
    auto* p_host = dynamic_cast<IGroupPageHost*>(p_sheet);
    ZEL_ASSERT(p_host != nullptr);
    return p_host->GetWorkingGroup();
}

BOOL GroupEditingPPage::CheckSettings(BOOL* p_stay)
{
    auto* p_host = dynamic_cast<IGroupPageHost*>(pSheet);
    ZEL_ASSERT(p_host != nullptr);
    GroupPageProtocol protocol(pDoc, p_host->GetWorkingGroup(), p_host->ChecksEventDays(), p_host->GetStoredGroup());
    BOOL b_discarded = FALSE;
    const BOOL b_ok = protocol.CheckSettings(*this, &b_discarded);
    *p_stay = b_discarded;
    if (b_discarded)
        EditsDiscarded();
    return b_ok;
}

bool GroupEditingPPage::OnSetActive()
{
    if (!EditingPPage::OnSetActive())
        return false;
    ReloadUnchanged();
    return true;
}

void GroupEditingPPage::ReloadPage()
{
    LoadPage(GetGroup());
    if (HasInitialisedPage())
        TransferDataToWindow();
}

void GroupEditingPPage::OnEditChange() { MarkEdited(); }

void GroupEditingPPage::OnUndo(wxCommandEvent&)
{
    UndoEdits();
}

wxTextCtrl* MakeLimitedEdit(wxWindow* p_parent, int i_id, int n_max)
{
    auto* p_edit = new wxTextCtrl(p_parent, i_id);
    p_edit->SetMaxLength(static_cast<unsigned long>(n_max));
    return p_edit;
}

void ShowStoredText(wxTextEntry& box, const wxString& s_text, unsigned long n_typingMax)
{
    box.SetMaxLength(std::max<unsigned long>(n_typingMax, s_text.length()));
    box.ChangeValue(s_text);
}

wxWindow* MakeDescription(wxWindow* p_parent)
{
    // A read-only text without a frame wraps its lines as the page grows.
    auto* p_text = new wxTextCtrl(p_parent, IDC_PAGE_DESCRIPTION, wxString(), wxDefaultPosition, wxDefaultSize,
                                  wxTE_MULTILINE | wxTE_READONLY | wxTE_NO_VSCROLL | wxBORDER_NONE);
    // Inside a notebook a page shows the desktop's window colour.
    const bool b_inBook = p_parent->GetParent() != nullptr && wxDynamicCast(p_parent->GetParent(), wxNotebook) != nullptr;
    p_text->SetBackgroundColour(b_inBook ? wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW)
                                         : p_parent->GetBackgroundColour());
    p_text->SetCanFocus(false);
    return p_text;
}

bool TakeBoxText(wxTextCtrl* p_box, std::string& s_out)
{
    // The buffer may point into the string: the string stays alive.
    const wxString s_value = p_box->GetValue();
    const wxScopedCharBuffer utf8 = s_value.utf8_str();
    std::optional<std::string> s_text = AcceptTypedText(std::string(utf8.data(), utf8.length()));
    if (!s_text) {
        p_box->SetFocus();
        return false;
    }
    s_out = *s_text;
    return true;
}
