// The list view: its own sort state, the sort watch and "Do not sort".
#include "framework/ui/WxIds.h"
#include "testsupport/ui/WxTestEnvironment.h"
#include "zelkit/windows/ZelWindowServices.h"
#include "zelkit/lists/ui/ZelListView.h"

#include <gtest/gtest.h>
#include <wx/frame.h>

namespace {

const auto* g_env = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

// A clock that moves on by a set number of seconds each time it is read.
CHighTime g_now;
int g_iStepSeconds = 0;
CHighTime SteppingClock()
{
    const CHighTime t = g_now;
    g_now = g_now + CHighTimeSpan(0, 0, 0, g_iStepSeconds);
    return t;
}

class ClockScope {
public:
    explicit ClockScope(int i_step)
    {
        g_now = CHighTime(2024, 3, 1, 9, 0, 0, 0, 0, 0);
        g_iStepSeconds = i_step;
        pOld = ZelTooLong::SetClock(&SteppingClock);
    }
    ~ClockScope() { ZelTooLong::SetClock(pOld); }

private:
    ZelTooLong::Clock pOld;
};

class TimedView : public ZelListView {
public:
    TimedView() : ZelListView(5) {}
    std::vector<std::int64_t> vTooLong;

protected:
    void SortTooLong(const ZelOleDateTimeSpan& elapsed) override { vTooLong.push_back(elapsed.GetTotalSeconds()); }
};

struct ViewFrame {
    wxFrame* pFrame = new wxFrame(nullptr, wxID_ANY, "View", wxDefaultPosition, wxSize(400, 300));
    TimedView View;
    ZelListCtrl* pList = nullptr;

    ViewFrame()
    {
        EXPECT_TRUE(View.CreateListWindow(pFrame, 100));
        pList = View.GetListCtrl();
        pList->InsertColumn(0, "Name");
        const char* a_names[] = {"b", "c", "a"};
        for (int i = 0; i < 3; ++i)
            pList->InsertItem(i, a_names[i], i);
    }
    ~ViewFrame() { pFrame->Destroy(); }
    std::string Names() const
    {
        std::string s;
        for (int i = 0; i < pList->GetItemCount(); ++i)
            s += pList->GetItemText(i, 0);
        return s;
    }
};

TEST(ListViewWx, SortsIntoItsOwnStateOnly)
{
    ViewFrame f;
    ZelListSort other(0, 0);
    f.View.Sort(0, other, 1, 1);
    EXPECT_EQ(f.Names(), "abc");
    EXPECT_EQ(other.GetCount(), 1);
    int i_dir = -1;
    other.GetCols(i_dir)[0].GetCol(i_dir);
    EXPECT_EQ(i_dir, 0) << "the state passed in is left alone";
    EXPECT_EQ(f.View.GetSortState().GetCount(), 1);
    EXPECT_EQ(f.View.GetSortState().GetCtrl(), f.pList);
    f.View.Sort(0, other, 1, 1);
    EXPECT_EQ(f.Names(), "cba") << "the view's own state toggles";
}

TEST(ListViewWx, SortTooLongIsReportedOnceAfterASlowSortOnly)
{
    ViewFrame f;
    {
        ClockScope clock(4);
        ZelListSort unused;
        f.View.Sort(0, unused, 1, 0);
        EXPECT_TRUE(f.View.vTooLong.empty()) << "4 seconds is under the limit";
    }
    {
        ClockScope clock(5);
        f.View.ReSort();
        EXPECT_EQ(f.View.vTooLong, std::vector<std::int64_t>{5});
    }
}

TEST(ListViewWx, DoNotSortDropsTheSortAndTheArrowsButKeepsTheRows)
{
    ViewFrame f;
    ZelListSort unused;
    f.View.Sort(0, unused, 0, 0);
    EXPECT_EQ(f.Names(), "cba");
    EXPECT_EQ(f.pList->GetHeaderSortType(0), ZelListModel::sortDescending);
    wxCommandEvent command(wxEVT_MENU, WxId(55024));
    command.SetEventObject(f.pList);
    f.pList->GetEventHandler()->ProcessEvent(command);
    EXPECT_EQ(f.View.GetSortState().GetCount(), 0);
    EXPECT_EQ(f.pList->GetHeaderSortType(0), ZelListModel::sortNone);
    f.pList->SetItemText(0, 0, "z");
    f.View.ReSort();
    EXPECT_EQ(f.Names(), "zba") << "nothing to sort by until a new sort is set";
}

TEST(ListViewWx, ViewGoesWithItsWindow)
{
    auto* p_frame = new wxFrame(nullptr, wxID_ANY, "View");
    {
        TimedView view;
        view.CreateListWindow(p_frame);
        EXPECT_FALSE(view.CreateListWindow(p_frame)) << "one window per view";
        ASSERT_NE(view.GetListCtrl(), nullptr);
    }
    EXPECT_TRUE(p_frame->GetChildren().empty() || p_frame->GetChildren().front()->IsBeingDeleted());
    TimedView view;
    view.CreateListWindow(p_frame);
    p_frame->DestroyChildren();
    EXPECT_EQ(view.GetListCtrl(), nullptr) << "a window destroyed by its parent leaves the view without one";
    p_frame->Destroy();
}

} // namespace
