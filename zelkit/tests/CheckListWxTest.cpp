// The check-box list and the in-place editing list in real windows (run
// under a virtual display): clicks and the space bar toggle, and edits are
// opened, ended, cancelled and refused as their parent sees them.
#include "framework/MessageBox.h"
#include "framework/ui/WxIds.h"
#include "testsupport/ui/WxTestEnvironment.h"
#include "zelkit/import/ui/ZelEditListCtrl.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

const auto* g_env = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

constexpr int IDC_LIST = 26047;

void Pump()
{
    for (int i = 0; i < 5; ++i)
        wxTheApp->Yield(true);
}

// For a look at the windows: ROTAVEX_SHOW_SECONDS keeps them up that long.
void ShowForALook()
{
    const char* p_seconds = std::getenv("ROTAVEX_SHOW_SECONDS");
    const int n_seconds = p_seconds ? std::atoi(p_seconds) : 0;
    for (int i = 0; i < n_seconds * 20; ++i) {
        Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

// A frame with an editing list (a check-box list too) that records what it
// is told and answers as the test sets.
class ListFrame : public wxFrame {
public:
    ListFrame() : wxFrame(nullptr, wxID_ANY, "Lists", wxDefaultPosition, wxSize(520, 300))
    {
        pList = new ZelEditListCtrl(this, IDC_LIST, wxPoint(0, 0), GetClientSize());
        Bind(wxEVT_ZEL_NOTIFY, &ListFrame::OnNotify, this, IDC_LIST);
        Show();
    }
    void OnNotify(ZelNotifyEvent& event)
    {
        vCodes.push_back(event.GetCode());
        switch (event.GetCode()) {
        case LVN_ITEMCHANGED: vChanged.push_back(*event.GetRecordAs<ZelNMListView>()); break;
        case LVN_SETDISPINFO: vSetTexts.push_back(event.GetRecordAs<ZelLVDispInfo>()->item.sText); break;
        case LVN_GETDISPINFO: event.GetRecordAs<ZelLVDispInfo>()->item.sText = "1"; break;
        case LVN_BEGINLABELEDIT: {
            auto* p_box = wxDynamicCast(static_cast<wxWindow*>(event.GetRecordAs<ZelEditBeginInfo>()->pEditor), wxListBox);
            if (p_box != nullptr) {
                for (const std::string& s : vEntries)
                    p_box->Append(s);
                if (iSelect >= 0)
                    p_box->SetSelection(iSelect);
            }
            break;
        }
        case LVN_ENDLABELEDIT: vEnds.push_back(*event.GetRecordAs<ZelEditEndInfo>()); break;
        default: break;
        }
    }
    // Columns: Name (editable, unique), On (check), Place (list box).
    void Fill()
    {
        pList->InsertColumn(0, "Name", LVCFMT_LEFT, 150);
        pList->InsertColumn(1, "On", LVCFMT_LEFT, 50);
        pList->InsertColumn(2, "Place", LVCFMT_LEFT, 150);
        ASSERT_TRUE(pList->SetCheckColumn(1));
        for (const char* p : {"Hall A", "Hall B", "Hall C"})
            pList->InsertItem(pList->GetItemCount(), p, 100 + pList->GetItemCount());
        pList->SetCheckState(0, 1, 1);
        pList->SetCheckState(2, 1, 4);
        pList->SetItemText(0, 2, "North");
        pList->AddEditColumn(0, ZelEditListRules::editBox, 1, 0);
        pList->AddEditColumn(2, ZelEditListRules::editListBox, 0, 0);
        vSetTexts.clear();
        pList->UpdateLayout();
        Pump();
    }
    // The middle of row i_row's check box, in the list's client area.
    wxPoint CheckBoxPoint(int i_row) const
    {
        int i_x = 0, i_y = 0;
        const wxRect rc = pList->GetRowRect(i_row);
        pList->GetCheckedRect(pList->GetColumnLeft(1), pList->GetColumnWidth(1), rc.y, rc.height, i_x, i_y);
        return wxPoint(i_x + pList->GetCheckImageWidth() / 2, i_y + pList->GetCheckImageWidth() / 2);
    }

    ZelEditListCtrl* pList;
    std::vector<int> vCodes;
    std::vector<ZelNMListView> vChanged;
    std::vector<std::string> vSetTexts;
    std::vector<ZelEditEndInfo> vEnds;
    std::vector<std::string> vEntries;
    int iSelect = -1;
};

void Mouse(wxWindow& win, wxEventType type, const wxPoint& pt)
{
    wxMouseEvent event(type);
    event.SetPosition(pt);
    event.SetEventObject(&win);
    win.GetEventHandler()->ProcessEvent(event);
}

void Key(wxWindow& win, int i_key)
{
    wxKeyEvent event(wxEVT_KEY_DOWN);
    event.m_keyCode = i_key;
    event.SetEventObject(&win);
    win.GetEventHandler()->ProcessEvent(event);
}

TEST(CheckListWx, ClicksAndTheSpaceBarToggle)
{
    ListFrame frame;
    frame.Fill();
    ZelEditListCtrl& list = *frame.pList;
    Mouse(list, wxEVT_LEFT_DOWN, frame.CheckBoxPoint(1));
    Pump();
    EXPECT_EQ(list.GetCheckState(1, 1), 1);
    EXPECT_EQ(list.GetFocusItemIndex(), 1) << "the click also focuses the row";
    ASSERT_GE(frame.vChanged.size(), 2u) << "the row's selection and focus, then the toggle";
    const ZelNMListView& nm = frame.vChanged.back();
    EXPECT_EQ(nm.uChanged, ZelCheckListLayer::uToggleChanged);
    EXPECT_EQ(nm.iItem, 1);
    EXPECT_EQ(nm.iSubItem, 1);
    EXPECT_EQ(nm.uOldState, 0u);
    EXPECT_EQ(nm.uNewState, 1u);
    EXPECT_EQ(nm.lParam, 101) << "the caller's own item data";

    Key(list, WXK_SPACE);
    Pump();
    EXPECT_EQ(list.GetCheckState(1, 1), 0);

    Mouse(list, wxEVT_LEFT_DOWN, frame.CheckBoxPoint(2));
    Pump();
    EXPECT_EQ(list.GetCheckState(2, 1), 4) << "the owner's state stays";
    EXPECT_EQ(frame.vChanged.back().uNewState, 4u);

    Mouse(list, wxEVT_LEFT_DOWN, frame.CheckBoxPoint(0) + wxPoint(20, 0));
    Pump();
    EXPECT_EQ(list.GetCheckState(0, 1), 1) << "beside the box nothing toggles";
    ShowForALook();
    list.Disable();
    list.Refresh();
    ShowForALook();
}

TEST(EditListWx, EnterStoresTheTrimmedTextAndEscapeCancels)
{
    ListFrame frame;
    frame.Fill();
    ZelEditListCtrl& list = *frame.pList;
    list.BeginEdit(1, 0);
    auto* p_edit = wxDynamicCast(list.FindWindow(WxId(ZelEditListCtrl::iEditCtrlID)), wxTextCtrl);
    ASSERT_NE(p_edit, nullptr);
    EXPECT_EQ(p_edit->GetValue(), "Hall B");
    EXPECT_TRUE(list.IsEditing());
    p_edit->SetValue("  Hall D ");
    Key(*p_edit, WXK_RETURN);
    Pump();
    EXPECT_FALSE(list.IsEditing());
    EXPECT_EQ(list.GetItemText(1, 0), "Hall D");
    EXPECT_EQ(frame.vSetTexts, std::vector<std::string>{"Hall D"});
    ASSERT_EQ(frame.vEnds.size(), 1u);
    EXPECT_FALSE(frame.vEnds[0].bCancelled);
    EXPECT_EQ(frame.vEnds[0].uError, 0u);

    list.BeginEdit(1, 0);
    p_edit = wxDynamicCast(list.FindWindow(WxId(ZelEditListCtrl::iEditCtrlID)), wxTextCtrl);
    ASSERT_NE(p_edit, nullptr);
    p_edit->SetValue("something else");
    Key(*p_edit, WXK_ESCAPE);
    Pump();
    EXPECT_EQ(list.GetItemText(1, 0), "Hall D");
    ASSERT_EQ(frame.vEnds.size(), 2u);
    EXPECT_TRUE(frame.vEnds[1].bCancelled);
    EXPECT_EQ(frame.vSetTexts.size(), 1u);
}

TEST(EditListWx, UsedAndEmptyValuesAreRefused)
{
    ScriptedMessageBox boxes;
    ListFrame frame;
    frame.Fill();
    ZelEditListCtrl& list = *frame.pList;
    list.BeginEdit(1, 0);
    auto* p_edit = wxDynamicCast(list.GetEditor(), wxTextCtrl);
    ASSERT_NE(p_edit, nullptr);
    p_edit->SetValue("Hall C");
    EXPECT_FALSE(list.EndEdit());
    EXPECT_EQ(list.GetItemText(1, 0), "Hall B");
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].sText, "The value 'Hall C' is already used.  Enter a different value.");
    EXPECT_EQ(frame.vEnds.back().uError, ZelEditListRules::IDS_VALUE_USED);

    list.BeginEdit(1, 0);
    wxDynamicCast(list.GetEditor(), wxTextCtrl)->SetValue("Hall B");
    EXPECT_TRUE(list.EndEdit()) << "the row's own value is no clash";

    list.BeginEdit(1, 0);
    wxDynamicCast(list.GetEditor(), wxTextCtrl)->SetValue("   ");
    EXPECT_FALSE(list.EndEdit());
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[1].sText, "You must enter a value.");
    EXPECT_EQ(list.GetItemText(1, 0), "Hall B");
}

TEST(EditListWx, ListBoxesAndTheUpArrow)
{
    ListFrame frame;
    frame.Fill();
    ZelEditListCtrl& list = *frame.pList;
    frame.vEntries = {"North", "South", "West"};
    frame.iSelect = 1;
    list.BeginEdit(2, 2);
    auto* p_box = wxDynamicCast(list.GetEditor(), wxListBox);
    ASSERT_NE(p_box, nullptr);
    EXPECT_LE(p_box->GetRect().GetBottom(), list.GetClientSize().y) << "it opens inside the list";
    ShowForALook();
    wxCommandEvent dclick(wxEVT_LISTBOX_DCLICK, p_box->GetId());
    dclick.SetEventObject(p_box);
    p_box->GetEventHandler()->ProcessEvent(dclick);
    Pump();
    EXPECT_FALSE(list.IsEditing());
    EXPECT_EQ(list.GetItemText(2, 2), "South");

    // One entry: taken at once when selected, cancelled when not.
    frame.vEntries = {"East"};
    frame.iSelect = 0;
    list.BeginEdit(1, 2);
    EXPECT_FALSE(list.IsEditing());
    EXPECT_EQ(list.GetItemText(1, 2), "East");
    frame.iSelect = -1;
    list.BeginEdit(0, 2);
    EXPECT_FALSE(list.IsEditing());
    EXPECT_EQ(list.GetItemText(0, 2), "North");
    EXPECT_TRUE(frame.vEnds.back().bCancelled);

    list.SetFocusItem(2);
    list.BeginEdit(2, 0);
    auto* p_edit = wxDynamicCast(list.GetEditor(), wxTextCtrl);
    ASSERT_NE(p_edit, nullptr);
    p_edit->SetValue("Hall E");
    Key(*p_edit, WXK_UP);
    Pump();
    EXPECT_FALSE(list.IsEditing());
    EXPECT_EQ(list.GetItemText(2, 0), "Hall E");
    EXPECT_EQ(list.GetFocusItemIndex(), 1) << "the focus moved up a row";
}

} // namespace
