// Driving the editing sheets' pages by control id in display tests: the
// user's clicks, typing and tree selections, and the changes of tab.
//
// With ROTAVEX_SHOW_SECONDS set, ShowAWhile keeps the sheet on screen that
// long (only at the step ROTAVEX_SHOW_ONLY names, when it is set), for
// screenshots.
#pragma once

#include "shell/EditingPSheet.h"
#include "zelkit/ui/ZelNotifyEvent.h"
#include "zelkit/ui/ZelTreeCtrl.h"

#include <chrono>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>
#include <wx/app.h>
#include <wx/bookctrl.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

inline void ShowAWhile(const char* p_what = nullptr)
{
    const char* p_seconds = std::getenv("ROTAVEX_SHOW_SECONDS");
    const char* p_only = std::getenv("ROTAVEX_SHOW_ONLY");
    if (p_seconds == nullptr || (p_only != nullptr && (p_what == nullptr || std::string(p_only) != p_what)))
        return;
    const auto t_end = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(p_seconds));
    while (std::chrono::steady_clock::now() < t_end) {
        wxTheApp->Yield(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

inline void Press(wxWindow& sheet, int i_id)
{
    wxWindow* p_button = sheet.FindWindow(i_id);
    ASSERT_NE(p_button, nullptr) << i_id;
    wxCommandEvent click(wxEVT_BUTTON, i_id);
    click.SetEventObject(p_button);
    p_button->GetEventHandler()->ProcessEvent(click);
}

template <class W>
inline W* Find(wxWindow& window, int i_id)
{
    return wxDynamicCast(window.FindWindow(i_id), W);
}

// Types into a box as the user would: the box's change notice follows.
inline void Type(wxWindow& page, int i_id, const char* p_typed)
{
    wxWindow* p_window = page.FindWindow(i_id);
    ASSERT_NE(p_window, nullptr) << i_id;
    if (auto* p_text = wxDynamicCast(p_window, wxTextCtrl))
        p_text->SetValue(wxString::FromUTF8(p_typed));
    else if (auto* p_combo = wxDynamicCast(p_window, wxComboBox))
        p_combo->SetValue(wxString::FromUTF8(p_typed));
}

inline void Choose(wxWindow& page, int i_id)
{
    auto* p_button = Find<wxRadioButton>(page, i_id);
    ASSERT_NE(p_button, nullptr) << i_id;
    p_button->SetValue(true);
    wxCommandEvent event(wxEVT_RADIOBUTTON, i_id);
    event.SetEventObject(p_button);
    event.SetInt(1);
    p_button->GetEventHandler()->ProcessEvent(event);
}

inline void Tick(wxWindow& page, int i_id, bool b_checked)
{
    auto* p_box = Find<wxCheckBox>(page, i_id);
    ASSERT_NE(p_box, nullptr) << i_id;
    p_box->SetValue(b_checked);
    wxCommandEvent event(wxEVT_CHECKBOX, i_id);
    event.SetEventObject(p_box);
    event.SetInt(b_checked ? 1 : 0);
    p_box->GetEventHandler()->ProcessEvent(event);
}

// Selects the tree items whose text is given, as a click (and Ctrl clicks)
// would, and tells the page as the tree does.
inline void SelectItems(ZelTreeCtrl& tree, const std::vector<std::string>& v_texts)
{
    tree.ClearSelection();
    std::vector<HTREEITEM> v_items;
    std::function<void(const wxTreeItemId&)> f_walk = [&](const wxTreeItemId& parent) {
        wxTreeItemIdValue cookie;
        for (wxTreeItemId id = tree.GetFirstChild(parent, cookie); id.IsOk(); id = tree.GetNextChild(parent, cookie)) {
            for (const std::string& s_text : v_texts) {
                if (tree.GetItemText1252(ZelTreeCtrl::Handle(id)) == s_text)
                    v_items.push_back(ZelTreeCtrl::Handle(id));
            }
            f_walk(id);
        }
    };
    f_walk(tree.GetRootItem());
    ASSERT_EQ(v_items.size(), v_texts.size());
    for (HTREEITEM h_item : v_items)
        tree.SelectItemEx(h_item, TRUE);
    ZelNMTreeView nm;
    nm.action = TVC_BYMOUSE;
    nm.itemNew.hItem = v_items.back();
    nm.itemNew.lParam = tree.GetItemData(v_items.back());
    ZelSendNotify(&tree, TVN_SELCHANGING, &nm);
    ZelSendNotify(&tree, TVN_SELCHANGED, &nm);
}

// A click on a tab: the page shown asks to be left first.
inline void ShowPage(EditingPSheet& sheet, int i_page)
{
    wxBookCtrlBase* p_book = sheet.GetBookCtrl();
    wxBookCtrlEvent changing(wxEVT_NOTEBOOK_PAGE_CHANGING, p_book->GetId(), i_page, p_book->GetSelection());
    changing.SetEventObject(p_book);
    p_book->GetEventHandler()->ProcessEvent(changing);
    if (!changing.IsAllowed())
        return;
    p_book->ChangeSelection(static_cast<size_t>(i_page));
    sheet.GetPage(i_page)->OnSetActive();
}

