// Driving the editing sheets' pages by control id in display tests: the
// user's clicks, typing and tree selections, and the changes of tab.
//
// Pump, ShowAWhile and the modal-window helpers come from WxLoopDriving.h.
#pragma once

#include "shell/editing/EditingPSheet.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"
#include "zelkit/import/ui/ZelEditListCtrl.h"
#include "zelkit/controls/ui/ZelTreeCtrl.h"
#include "testsupport/ui/WxLoopDriving.h"

#include <algorithm>
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
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

// Shows the sheet modally through f_run (ShowModal, DoModal) and drives it
// from its loop with f_drive; a test that failed part way leaves the sheet
// all the same.
template <class S>
int RunModal(S& sheet, const std::function<int(S&)>& f_run, const std::function<void(S&)>& f_drive)
{
    wxTheApp->CallAfter([&sheet, f_drive] {
        Pump();
        f_drive(sheet);
        if (sheet.IsModal())
            sheet.EndModal(wxID_ABORT);
    });
    return f_run(sheet);
}

inline void Press(wxWindow& window, int i_id)
{
    wxWindow* p_button = window.FindWindow(i_id);
    ASSERT_NE(p_button, nullptr) << "no button " << i_id;
    wxCommandEvent click(wxEVT_BUTTON, i_id);
    click.SetEventObject(p_button);
    p_button->GetEventHandler()->ProcessEvent(click);
    Pump();
}

template <class W>
inline W* Find(wxWindow& window, int i_id)
{
    return wxDynamicCast(window.FindWindow(i_id), W);
}

// Types into a box or a combo box as the user would: the change notice
// follows; then the box is left.
inline void Type(wxWindow& window, int i_id, const char* p_typed)
{
    wxWindow* p_window = window.FindWindow(i_id);
    ASSERT_NE(p_window, nullptr) << "no box " << i_id;
    if (auto* p_text = wxDynamicCast(p_window, wxTextCtrl))
        p_text->SetValue(wxString::FromUTF8(p_typed));
    else if (auto* p_combo = wxDynamicCast(p_window, wxComboBox))
        p_combo->SetValue(wxString::FromUTF8(p_typed));
    else
        FAIL() << "not a box: " << i_id;
    wxFocusEvent leave(wxEVT_KILL_FOCUS, p_window->GetId());
    leave.SetEventObject(p_window);
    p_window->GetEventHandler()->ProcessEvent(leave);
    Pump();
}

inline void Choose(wxWindow& window, int i_id)
{
    auto* p_radio = Find<wxRadioButton>(window, i_id);
    ASSERT_NE(p_radio, nullptr) << "no radio " << i_id;
    p_radio->SetValue(true);
    wxCommandEvent event(wxEVT_RADIOBUTTON, i_id);
    event.SetEventObject(p_radio);
    event.SetInt(1);
    p_radio->GetEventHandler()->ProcessEvent(event);
    Pump();
}

inline void Tick(wxWindow& window, int i_id, bool b_checked)
{
    auto* p_box = Find<wxCheckBox>(window, i_id);
    ASSERT_NE(p_box, nullptr) << "no check box " << i_id;
    p_box->SetValue(b_checked);
    wxCommandEvent event(wxEVT_CHECKBOX, i_id);
    event.SetEventObject(p_box);
    event.SetInt(b_checked ? 1 : 0);
    p_box->GetEventHandler()->ProcessEvent(event);
    Pump();
}

// Selects the tree items whose text is given, as a click (and Ctrl clicks)
// would, and tells the page as the tree does: the page hears of the change
// before it and after it.
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
    ASSERT_EQ(v_items.size(), v_texts.size()) << "tree items " << v_texts.front();
    ZelNMTreeView nm;
    nm.action = TVC_BYMOUSE;
    nm.itemNew.hItem = v_items.back();
    nm.itemNew.lParam = tree.GetItemData(v_items.back());
    ZelSendNotify(&tree, TVN_SELCHANGING, &nm);
    for (HTREEITEM h_item : v_items)
        tree.SelectItemEx(h_item, TRUE);
    ZelSendNotify(&tree, TVN_SELCHANGED, &nm);
    Pump();
}

// A click on a tab: the page shown is asked to be left first; a page that
// will not be left keeps the tab where it was.
inline bool ShowPage(wxBookCtrlBase& book, wxWindow* p_page)
{
    const int i_to = book.FindPage(p_page);
    EXPECT_GE(i_to, 0);
    if (i_to < 0)
        return false;
    const int i_from = book.GetSelection();
    wxBookCtrlEvent changing(wxEVT_NOTEBOOK_PAGE_CHANGING, book.GetId(), i_to, i_from);
    changing.SetEventObject(&book);
    book.GetEventHandler()->ProcessEvent(changing);
    if (!changing.IsAllowed())
        return false;
    book.ChangeSelection(static_cast<size_t>(i_to));
    wxBookCtrlEvent changed(wxEVT_NOTEBOOK_PAGE_CHANGED, book.GetId(), i_to, i_from);
    changed.SetEventObject(&book);
    book.GetEventHandler()->ProcessEvent(changed);
    Pump();
    return true;
}

// The same for an editing sheet, whose page learns it is shown from the
// change notice.
inline bool ShowPage(EditingPSheet& sheet, wxWindow* p_page)
{
    return ShowPage(*sheet.GetBookCtrl(), p_page);
}

inline void ShowPage(EditingPSheet& sheet, int i_page)
{
    ShowPage(sheet, sheet.GetBookCtrl()->GetPage(static_cast<size_t>(i_page)));
}

// Double-clicks the field cell of an import row and chooses the field in
// the list box that opens.
//
// The list box closes when the list loses the focus, as it should for a
// user. A test's click can come before the wizard's own activation has
// settled (without a window manager the window gains the focus, loses it
// and gains it again a moment later), which closes the box before it is
// used: so the cell is double-clicked again while no box is open, within
// the time limit. Once found, the box is used before anything is pumped,
// so nothing can close it in between.
inline void ChooseField(ZelEditListCtrl& list, int i_row, const std::string& s_field)
{
    using Clock = std::chrono::steady_clock;
    const auto t_end = Clock::now() + std::chrono::seconds(10);
    wxListBox* p_box = nullptr;
    int n_clicks = 0;
    while (p_box == nullptr && Clock::now() < t_end) {
        const wxRect rc = list.GetRowRect(i_row);
        wxMouseEvent dclick(wxEVT_LEFT_DCLICK);
        dclick.SetPosition(wxPoint(list.GetColumnLeft(1) + 5, rc.y + rc.height / 2));
        dclick.SetEventObject(&list);
        list.GetEventHandler()->ProcessEvent(dclick);
        ++n_clicks;
        // The box opens a moment after the click on a busy display.
        const auto t_look = std::min(t_end, Clock::now() + std::chrono::milliseconds(500));
        do {
            Pump();
            p_box = wxDynamicCast(list.GetEditor(), wxListBox);
            if (p_box == nullptr)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        } while (p_box == nullptr && Clock::now() < t_look);
    }
    ASSERT_NE(p_box, nullptr) << "the field cell of row " << i_row << " opened no list box in " << n_clicks
                              << " double-clicks";
    ASSERT_TRUE(p_box->SetStringSelection(s_field)) << s_field;
    wxCommandEvent chosen(wxEVT_LISTBOX_DCLICK, p_box->GetId());
    chosen.SetEventObject(p_box);
    p_box->GetEventHandler()->ProcessEvent(chosen);
    Pump();
    EXPECT_EQ(list.GetEditor(), nullptr) << "choosing " << s_field << " closes the list box";
    EXPECT_EQ(list.GetItemText(i_row, 1), s_field) << "the field cell of row " << i_row;
}
