// The report list in a real window (run under a virtual display): what it
// tells its parent, how the header follows the sort, mouse and keys.
#include "framework/ui/WxIds.h"
#include "testsupport/ui/WxTestEnvironment.h"
#include "zelkit/lists/ui/ZelListCtrl.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/frame.h>
#include <wx/listbox.h>

namespace {

const auto* g_env = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

constexpr int IDC_LIST = 26047;

// A frame that owns one list, answers its callback cells ("cell r,c"),
// sorts on header clicks and records every notification.
class ListFrame : public wxFrame {
public:
    ListFrame() : wxFrame(nullptr, wxID_ANY, "List", wxDefaultPosition, wxSize(500, 400))
    {
        pList = new ZelListCtrl(this, IDC_LIST, wxPoint(0, 0), GetClientSize());
        Bind(wxEVT_ZEL_NOTIFY, &ListFrame::OnNotify, this, IDC_LIST);
        Show();
    }
    void OnNotify(ZelNotifyEvent& event)
    {
        vCodes.push_back(event.GetCode());
        switch (event.GetCode()) {
        case LVN_GETDISPINFO: {
            auto* p_info = event.GetRecordAs<ZelLVDispInfo>();
            p_info->item.sText = "cell " + std::to_string(p_info->item.lParam) + "," + std::to_string(p_info->item.iSubItem);
            break;
        }
        case LVN_COLUMNCLICK:
            pList->Sort(event.GetRecordAs<ZelNMListView>()->iSubItem, Sort, 1, 1);
            break;
        case LVN_ITEMCHANGED: vChanged.push_back(*event.GetRecordAs<ZelNMListView>()); break;
        default: break;
        }
    }
    int Count(int i_code) const { return static_cast<int>(std::count(vCodes.begin(), vCodes.end(), i_code)); }

    ZelListCtrl* pList;
    ZelListSort Sort;
    std::vector<int> vCodes;
    std::vector<ZelNMListView> vChanged;
};

void Pump()
{
    for (int i = 0; i < 5; ++i)
        wxTheApp->Yield(true);
}

void SendHeader(ZelListCtrl& list, wxEventType type, int i_col)
{
    wxHeaderCtrlEvent event(type, 0);
    event.SetEventObject(list.GetHeaderCtrl());
    event.SetColumn(i_col);
    list.GetHeaderCtrl()->GetEventHandler()->ProcessEvent(event);
}

TEST(ListCtrlWx, HeaderClicksSortAndTheArrowsFollow)
{
    ListFrame frame;
    ZelListCtrl& list = *frame.pList;
    list.InsertColumn(0, "Name");
    list.InsertColumn(1, "Town");
    const char* a_names[] = {"Chen", "Anders", "Brooke"};
    for (int i = 0; i < 3; ++i) {
        list.InsertItem(i, a_names[i], i);
        list.SetItemText(i, 1, LPSTR_TEXTCALLBACK);
    }
    list.UpdateLayout();
    EXPECT_EQ(list.GetHeaderCtrl()->GetColumnCount(), 2u);
    EXPECT_EQ(list.GetItemText(2, 1), "cell 2,1") << "the parent supplies callback cells";

    SendHeader(list, wxEVT_HEADER_CLICK, 0);
    EXPECT_EQ(frame.Count(LVN_COLUMNCLICK), 1);
    EXPECT_EQ(list.GetItemText(0, 0), "Anders");
    EXPECT_EQ(frame.Sort.GetCtrl(), &list) << "the sort records the list it sorted";
    list.UpdateLayout();
    const wxHeaderColumn& col = list.GetHeaderCtrl()->GetColumn(0);
    EXPECT_TRUE(col.IsSortKey());
    EXPECT_TRUE(col.IsSortOrderAscending());

    SendHeader(list, wxEVT_HEADER_CLICK, 0);
    EXPECT_EQ(list.GetItemText(0, 0), "Chen") << "the second click reverses";
    list.UpdateLayout();
    EXPECT_FALSE(list.GetHeaderCtrl()->GetColumn(0).IsSortOrderAscending());

    list.ModifyListStyle(0, LVS_NOSORTHEADER);
    SendHeader(list, wxEVT_HEADER_CLICK, 1);
    EXPECT_EQ(frame.Count(LVN_COLUMNCLICK), 2) << "a header that does not sort sends nothing";
}

TEST(ListCtrlWx, MouseAndKeysSelectAndTellTheParent)
{
    ListFrame frame;
    ZelListCtrl& list = *frame.pList;
    list.InsertColumn(0, "Row", LVCFMT_LEFT, 200);
    for (int i = 0; i < 100; ++i)
        list.InsertItem(i, ("row " + std::to_string(i)).c_str(), i);
    list.UpdateLayout();
    ASSERT_GT(list.GetCountPerPage(), 3);

    const wxRect rc = list.GetRowRect(2);
    wxMouseEvent click(wxEVT_LEFT_DOWN);
    click.SetPosition(wxPoint(20, rc.y + rc.height / 2));
    click.SetEventObject(&list);
    list.GetEventHandler()->ProcessEvent(click);
    EXPECT_EQ(list.GetSelectedItemIndex(), 2);
    EXPECT_EQ(frame.Count(NM_CLICK), 1);
    ASSERT_FALSE(frame.vChanged.empty());
    EXPECT_EQ(frame.vChanged.front().iItem, 2);
    EXPECT_EQ(frame.vChanged.front().uNewState & LVIS_SELECTED, LVIS_SELECTED);

    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.m_keyCode = WXK_DOWN;
    key.m_shiftDown = true;
    key.SetEventObject(&list);
    list.GetEventHandler()->ProcessEvent(key);
    EXPECT_EQ(list.GetSelectedCount(), 2);
    EXPECT_EQ(list.GetFocusItemIndex(), 3);

    key.m_keyCode = WXK_END;
    key.m_shiftDown = false;
    list.GetEventHandler()->ProcessEvent(key);
    EXPECT_EQ(list.GetSelectedItemIndex(), 99);
    EXPECT_EQ(list.GetTopIndex(), 100 - list.GetCountPerPage());
    EXPECT_EQ(list.GetScrollPos(wxVERTICAL), list.GetTopIndex()) << "the scroll bar follows";
    EXPECT_TRUE(list.IsScrollBarVisible(wxVERTICAL));

    wxScrollWinEvent scroll(wxEVT_SCROLLWIN_TOP, 0, wxVERTICAL);
    scroll.SetEventObject(&list);
    list.GetEventHandler()->ProcessEvent(scroll);
    EXPECT_EQ(list.GetTopIndex(), 0);
}

TEST(ListCtrlWx, DoNotSortIsQueuedToTheParent)
{
    ListFrame frame;
    ZelListCtrl& list = *frame.pList;
    list.InsertColumn(0, "Name");
    list.SetAllowNoSort(TRUE);
    wxCommandEvent command(wxEVT_MENU, WxId(55024));
    command.SetEventObject(&list);
    list.GetEventHandler()->ProcessEvent(command);
    EXPECT_EQ(frame.Count(ZLN_NOSORT), 0) << "queued, not sent";
    Pump();
    EXPECT_EQ(frame.Count(ZLN_NOSORT), 1);
}

TEST(ListCtrlWx, DividerDoubleClickFitsTheColumnAndTheLastFillsAgain)
{
    ListFrame frame;
    ZelListCtrl& list = *frame.pList;
    list.InsertColumn(0, "A", LVCFMT_LEFT, 300);
    list.InsertColumn(1, "B", LVCFMT_LEFT, 20);
    list.InsertItem(0, "x", 0);
    list.SetItemText(0, 1, "y");
    list.UpdateLayout();
    SendHeader(list, wxEVT_HEADER_SEPARATOR_DCLICK, 0);
    EXPECT_LT(list.GetColumnWidth(0), 100);
    EXPECT_EQ(list.GetColumnWidth(0) + list.GetColumnWidth(1), list.GetRowsAreaWidth())
        << "the last column reaches the right edge";
}

TEST(ListCtrlWx, ColumnsFittedToTheirContentsShowTheWholeText)
{
    ListFrame frame;
    ZelListCtrl& list = *frame.pList;
    list.InsertColumn(0, "File name");
    list.InsertColumn(1, "Event name");
    list.InsertColumn(2, "Notes");
    const std::string s_first = "/home/someone/events/Summer festival weekend.eve";
    const std::string s_second = "Summer Festival Weekend";
    list.InsertItem(0, s_first.c_str(), 0);
    list.SetItemText(0, 1, s_second);
    list.SetItemText(0, 2, "x");
    list.AutoSizeColumns();
    wxClientDC dc(&list);
    dc.SetFont(list.GetFont());
    EXPECT_GE(list.GetColumnWidth(0) - 2 * ZelListCtrl::GetCellInset(0), dc.GetTextExtent(s_first).x);
    EXPECT_GE(list.GetColumnWidth(1) - 2 * ZelListCtrl::GetCellInset(1), dc.GetTextExtent(s_second).x);
}

TEST(ListCtrlWx, RowsMoveToAndFromListBoxesWithTheirData)
{
    ListFrame frame;
    ZelListCtrl& list = *frame.pList;
    list.InsertColumn(0, "Name");
    list.InsertColumn(1, "More");
    auto* p_box = new wxListBox(&frame, wxID_ANY, wxPoint(0, 0), wxSize(100, 100), 0, nullptr, wxLB_EXTENDED);
    p_box->Append("one", reinterpret_cast<void*>(LPARAM(11)));
    p_box->Append("two", reinterpret_cast<void*>(LPARAM(12)));
    p_box->Append("three", reinterpret_cast<void*>(LPARAM(13)));
    p_box->SetSelection(2);
    p_box->SetSelection(0);
    std::unique_ptr<LPARAM[]> p_data;
    ASSERT_EQ(list.MoveSelFrom(*p_box, p_data), 2);
    EXPECT_EQ(p_data[1], 13);
    EXPECT_EQ(list.GetItemText(1, 0), "three");
    EXPECT_EQ(list.GetItemText(1, 1), "");
    EXPECT_EQ(p_box->GetCount(), 1u);
    list.UnselectAll();
    list.SelectItem(0);
    ASSERT_EQ(list.MoveSelTo(*p_box, p_data), 1);
    EXPECT_EQ(p_box->GetString(1), "one");
    EXPECT_EQ(reinterpret_cast<LPARAM>(p_box->GetClientData(1)), 11);
    EXPECT_EQ(list.GetItemCount(), 1);
}

} // namespace
