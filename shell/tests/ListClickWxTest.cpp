// Clicks in scrolled lists with the real mouse, under a window manager (the
// launcher's WM flag), as a user makes them: the pointer goes over a list
// that does not have the keyboard focus, the wheel scrolls it, a click
// takes a row, the wheel scrolls on and a Shift-click takes the rows up to
// another. The row chosen is the one that was under the pointer, the list
// stays where it was scrolled, and the selection in the document's keys is
// the range between the two clicks. Each pane of the program (venues,
// groups, participants) is tried, and a list of a dialog (the library's list
// on its own, as the column choosers and report dialogs hold it). Ctrl+A
// selects a pane's every row, and an event opened after it starts with no
// row selected.
//
// The events go through the X server (wxUIActionSimulator over XTest):
// the toolkit gives the clicked window the focus before the press reaches
// it, which is what moved the rows under the pointer.
//
// With ROTAVEX_SHOW_SECONDS set, the frame stays on screen that long after
// the participant pane's Shift-click ("participants") and after its Shift+End
// ("status"), for screenshots (ROTAVEX_SHOW_ONLY picks one).
#include "framework/MessageBox.h"
#include "framework/Settings.h"
#include "framework/ui/WindowClass.h"
#include "model/EventDoc.h"
#include "shell/frame/CommandIds.h"
#include "shell/frame/EventDocument.h"
#include "shell/frame/MainFrm.h"
#include "shell/frame/PaneView.h"
#include "shell/frame/RotavexApp.h"
#include "shell/lists/ItemListView.h"
#include "testsupport/EventBuilder.h"
#include "testsupport/ProgramFolder.h"
#include "testsupport/ui/RotavexAppEnvironment.h"
#include "testsupport/ui/WindowStacking.h"
#include "testsupport/ui/XInput.h"
#include "testsupport/ui/WxLoopDriving.h"
#include "zelkit/lists/ui/ZelListCtrl.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <wx/frame.h>
#include <wx/settings.h>
#include <wx/statusbr.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

namespace fs = std::filesystem;
using testevent::EventBuilder;

namespace {

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new RotavexAppEnvironment);

constexpr int nItems = 300;

using xinput::Settle;
using xinput::WheelDown;

// Lets the toolkit deliver the input until f_done holds, a few seconds at
// most (the input is late on a busy machine); whether it holds.
bool SettleUntil(const std::function<bool()>& f_done)
{
    for (int i = 0; i < 250 && !f_done(); ++i)
        Settle(20);
    return f_done();
}

// The screen point of a row's middle, a little in from the left.
wxPoint RowPoint(const ZelListCtrl& list, int i_row)
{
    const wxRect rc = list.GetRowRect(i_row);
    return list.ClientToScreen(wxPoint(20, rc.y + rc.height / 2));
}

std::vector<LPARAM> SelectedKeys(const ZelListModel& list)
{
    std::vector<LPARAM> v;
    for (int i = list.GetNextItem(-1, LVNI_SELECTED); i >= 0; i = list.GetNextItem(i, LVNI_SELECTED))
        v.push_back(list.GetItemData(i));
    return v;
}

std::vector<LPARAM> KeysOfRows(const ZelListModel& list, int i_from, int i_to)
{
    std::vector<LPARAM> v;
    for (int i = i_from; i <= i_to; ++i)
        v.push_back(list.GetItemData(i));
    return v;
}

// What one scroll-click-scroll-Shift-click walk over a list met.
struct Walk {
    int iFirstRow = -1;   // the row under the pointer at the click
    int iSecondRow = -1;  // the row under the pointer at the Shift-click
    int iTopAtClick = -1;
    int iTopAfterClick = -1;
    std::vector<LPARAM> vAfterClick;
    std::vector<LPARAM> vAfterShiftClick;
};

// The walk over a list whose window does not have the focus: the pointer
// over its fourth visible row, three notches down, a click; three notches
// more, a Shift-click two rows lower. Rows are read from the list as it
// shows just before each press, as the user sees them.
Walk ClickScrolledList(ZelListCtrl& list)
{
    Walk walk;
    wxUIActionSimulator sim;
    EXPECT_FALSE(list.HasFocus()) << "the walk starts with the focus elsewhere";
    sim.MouseMove(RowPoint(list, list.GetTopIndex() + 3));
    Settle();
    WheelDown(3);
    walk.iTopAtClick = list.GetTopIndex();
    EXPECT_GT(walk.iTopAtClick, 0) << "the wheel scrolled the list";
    walk.iFirstRow = walk.iTopAtClick + 3;
    sim.MouseMove(RowPoint(list, walk.iFirstRow));
    Settle();
    sim.MouseClick();
    Settle();
    walk.iTopAfterClick = list.GetTopIndex();
    walk.vAfterClick = SelectedKeys(list);

    WheelDown(3);
    walk.iSecondRow = list.GetTopIndex() + 5;
    sim.MouseMove(RowPoint(list, walk.iSecondRow));
    Settle();
    sim.KeyDown(WXK_SHIFT);
    Settle(50);
    sim.MouseClick();
    Settle(50);
    sim.KeyUp(WXK_SHIFT);
    Settle();
    walk.vAfterShiftClick = SelectedKeys(list);
    return walk;
}

void ExpectWalk(const ZelListModel& list, const Walk& walk, const char* p_what)
{
    SCOPED_TRACE(p_what);
    EXPECT_EQ(walk.iTopAfterClick, walk.iTopAtClick) << "the click leaves the list where it was scrolled";
    ASSERT_GE(walk.iFirstRow, 0);
    EXPECT_EQ(walk.vAfterClick, KeysOfRows(list, walk.iFirstRow, walk.iFirstRow))
        << "the click takes the row that was under the pointer";
    EXPECT_EQ(walk.vAfterShiftClick, KeysOfRows(list, walk.iFirstRow, walk.iSecondRow))
        << "the Shift-click takes the rows from the one clicked before";
}

class ListClickWxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!HasWindowManager())
            GTEST_SKIP() << "the toolkit hands the focus on a click only under a window manager";
        fsFolder = MakeTestFolder("rvx-listclick");
        {
            EventBuilder event;
            event.Name("Big fair").Days({"Sat"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).TwentyFourHour();
            char a_name[32];
            for (int i = 0; i < nItems; ++i) {
                std::snprintf(a_name, sizeof a_name, "Hall %03d", i);
                event.Venue(a_name);
                std::snprintf(a_name, sizeof a_name, "Band %03d", i);
                event.Group(a_name);
                std::snprintf(a_name, sizeof a_name, "Ann Lee%03d", i);
                event.Participant(a_name);
            }
            ASSERT_TRUE(event.Doc().OnSaveDocument((fsFolder / "fair.eve").string()));
        }
        ConfigureProgramSettings(fsFolder);
        RegisterPaneViews();
        ASSERT_TRUE(TheApp()->StartUp((fsFolder / "fair.eve").string()));
        bStarted = true;
        Frame().SetSize(20, 20, 1200, 800);
        Frame().Raise();
        Settle(400);
    }
    void TearDown() override
    {
        if (!bStarted)
            return;
        if (CEventDocument* p_doc = TheApp()->GetDocument()) {
            p_doc->GetEvent().SetModifiedFlag(false);
            p_doc->Modify(false);
        }
        TheApp()->ShutDown();
        for (const char* p_class : {kVenueView, kGroupView, kParticipantView, kTimetableView})
            WindowClasses::Unregister(p_class);
        CSettingsStore::Get().Configure("", "");
        fs::remove_all(fsFolder);
    }

    CMainFrame& Frame() { return *TheApp()->GetMainFrame(); }
    ItemListView* Pane(int i_row, int i_col) { return dynamic_cast<ItemListView*>(Frame().GetPaneView(i_row, i_col)); }

    ScriptedMessageBox Boxes;
    fs::path fsFolder;
    bool bStarted = false;
};

TEST_F(ListClickWxTest, AClickInAScrolledPaneTakesTheRowUnderThePointer)
{
    struct PaneCase {
        const char* pWhat;
        int iRow, iCol;
    } a_panes[] = {{"venues", 0, 0}, {"groups", 1, 0}, {"participants", 0, 1}};
    for (const PaneCase& pane : a_panes) {
        ItemListView* p_view = Pane(pane.iRow, pane.iCol);
        ASSERT_NE(p_view, nullptr) << pane.pWhat;
        ZelListCtrl& list = *p_view->GetListCtrl();
        ASSERT_EQ(list.GetItemCount(), nItems) << pane.pWhat;
        // The focus is in another pane, with a row of this one focused
        // from before: the one the focus would scroll back to.
        p_view->Click(0, FALSE, FALSE);
        list.SetTopIndex(0);
        ItemListView* p_other = Pane(pane.iRow == 1 ? 0 : 1, 0);
        p_other->GetListCtrl()->SetFocus();
        Settle();
        const Walk walk = ClickScrolledList(list);
        ExpectWalk(p_view->GetList(), walk, pane.pWhat);
        EXPECT_EQ(p_view->GetList().GetSelectedCount(), walk.iSecondRow - walk.iFirstRow + 1);
        if (pane.iCol == 1)
            ShowAWhile("participants");

        // The message bar counts every selected row, also those the list's
        // own keys select: Shift+End takes the rows to the last.
        const wxString s_noun = wxString(pane.pWhat);
        EXPECT_EQ(Frame().GetStatusBar()->GetStatusText(0),
                  wxString::Format("%d %s, %d selected", nItems, s_noun, p_view->GetList().GetSelectedCount()));
        wxUIActionSimulator sim;
        sim.Char(WXK_END, wxMOD_SHIFT);
        Settle();
        const int n_selected = p_view->GetList().GetSelectedCount();
        EXPECT_GT(n_selected, walk.iSecondRow - walk.iFirstRow + 1) << pane.pWhat;
        EXPECT_TRUE(p_view->GetList().GetItemState(nItems - 1, LVIS_SELECTED)) << pane.pWhat;
        EXPECT_EQ(Frame().GetStatusBar()->GetStatusText(0),
                  wxString::Format("%d %s, %d selected", nItems, s_noun, n_selected));
        if (pane.iCol == 1)
            ShowAWhile("status");
    }
}

// Ctrl+A from the keyboard, in the pane a click gave the focus: every row
// of that pane is selected, the focused row stays, the other panes keep
// their selection, and the message bar counts them all.
TEST_F(ListClickWxTest, CtrlATakesEveryRowOfTheFocusedPane)
{
    struct PaneCase {
        const char* pWhat;
        int iRow, iCol;
    } a_panes[] = {{"venues", 0, 0}, {"groups", 1, 0}, {"participants", 0, 1}};
    wxUIActionSimulator sim;
    for (const PaneCase& pane : a_panes) {
        SCOPED_TRACE(pane.pWhat);
        ItemListView* p_view = Pane(pane.iRow, pane.iCol);
        ASSERT_NE(p_view, nullptr);
        ZelListCtrl& list = *p_view->GetListCtrl();
        list.SetTopIndex(0);
        Settle();
        sim.MouseMove(RowPoint(list, 2));
        Settle();
        sim.MouseClick();
        Settle();
        ASSERT_TRUE(list.HasFocus()) << "the click gave the pane the focus";
        ASSERT_EQ(p_view->GetList().GetSelectedCount(), 1);
        std::vector<int> v_othersSelected;
        for (const PaneCase& other : a_panes)
            v_othersSelected.push_back(Pane(other.iRow, other.iCol)->GetList().GetSelectedCount());

        sim.Char('A', wxMOD_CONTROL);
        Settle();
        EXPECT_EQ(p_view->GetList().GetSelectedCount(), nItems);
        EXPECT_EQ(p_view->GetList().GetFocusItemIndex(), 2);
        EXPECT_EQ(Frame().GetStatusBar()->GetStatusText(0),
                  wxString::Format("%d %s, %d selected", nItems, pane.pWhat, nItems));
        for (std::size_t i = 0; i < std::size(a_panes); ++i) {
            if (&a_panes[i] != &pane) {
                EXPECT_EQ(Pane(a_panes[i].iRow, a_panes[i].iCol)->GetList().GetSelectedCount(), v_othersSelected[i])
                    << a_panes[i].pWhat << " kept its selection";
            }
        }

        // Escape gives the selection up again, and the count follows.
        sim.Char(WXK_ESCAPE);
        Settle();
        EXPECT_EQ(p_view->GetList().GetSelectedCount(), 0);
        EXPECT_EQ(Frame().GetStatusBar()->GetStatusText(0), wxString::Format("%d %s", nItems, pane.pWhat));
    }
}

// Ctrl+A in every pane of one event, then another event opened in its
// place (whose records have the keys the last one's had): no row of the
// new event is selected, none is painted so, and Delete is grey in every
// pane; Ctrl+A there selects every row, paints it and enables Delete.
TEST_F(ListClickWxTest, AnEventOpenedAfterCtrlAStartsWithoutASelection)
{
    struct PaneCase {
        const char* pWhat;
        int iRow, iCol;
    } a_panes[] = {{"venues", 0, 0}, {"groups", 1, 0}, {"participants", 0, 1}};
    wxUIActionSimulator sim;
    const auto ctrl_a = [&](const PaneCase& pane) {
        ItemListView* p_view = Pane(pane.iRow, pane.iCol);
        ASSERT_NE(p_view, nullptr);
        ZelListCtrl& list = *p_view->GetListCtrl();
        list.SetTopIndex(0);
        Settle();
        sim.MouseMove(RowPoint(list, 1));
        Settle();
        sim.MouseClick();
        ASSERT_TRUE(SettleUntil([&] { return list.HasFocus(); })) << "the click gave the pane the focus";
        sim.Char('A', wxMOD_CONTROL);
        EXPECT_TRUE(SettleUntil([&] { return p_view->GetList().GetSelectedCount() == list.GetItemCount(); }))
            << "Ctrl+A selected every row";
    };
    std::vector<std::vector<LPARAM>> v_selected;
    for (const PaneCase& pane : a_panes) {
        SCOPED_TRACE(pane.pWhat);
        ctrl_a(pane);
        Frame().SetActiveView(Pane(pane.iRow, pane.iCol));
        EXPECT_TRUE(Frame().IsCommandEnabled(ID_EDIT_CLEAR));
        v_selected.push_back(SelectedKeys(Pane(pane.iRow, pane.iCol)->GetList()));
    }

    // The other event was made in a session of its own: its records' keys
    // start where this event's did, so the keys selected here name records
    // of the other event too.
    constexpr int nOthers = 4;
    const fs::path fs_other = fsFolder / "other.eve";
    {
        const auto first_key = [&](std::size_t u_pane) {
            return *std::min_element(v_selected[u_pane].begin(), v_selected[u_pane].end());
        };
        Venue::SetKeyCounter(static_cast<LONG>(first_key(0)));
        Group::SetKeyCounter(static_cast<LONG>(first_key(1)));
        Participant::SetKeyCounter(static_cast<LONG>(first_key(2)));
        EventBuilder event;
        event.Name("Small fair").Days({"Sun"}).Slots(-1, {"09:00-10:00"}).TwentyFourHour();
        for (int i = 0; i < nOthers; ++i) {
            const std::string s_n = std::to_string(i);
            event.Venue("Tent " + s_n);
            event.Group("Trio " + s_n, [](Group& g) { g.SetEmail("trio@example.org"); });
            event.Participant("Cy Dunn" + s_n, [](Participant& p) { p.SetEmail("cy@example.org"); });
        }
        ASSERT_TRUE(event.Doc().OnSaveDocument(fs_other.string()));
    }

    ASSERT_EQ(TheApp()->OpenDocumentFile(fs_other.string()), CRotavexApp::e_opened);
    Settle();
    ASSERT_EQ(TheApp()->GetDocument()->GetEvent().GetEventName(), "Small fair");
    const wxColour col_plain = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
    for (const PaneCase& pane : a_panes) {
        SCOPED_TRACE(pane.pWhat);
        ItemListView* p_view = Pane(pane.iRow, pane.iCol);
        ASSERT_NE(p_view, nullptr);
        ASSERT_EQ(p_view->GetList().GetItemCount(), nOthers);
        const std::vector<LPARAM>& v_before = v_selected[static_cast<std::size_t>(&pane - a_panes)];
        for (int i = 0; i < nOthers; ++i)
            ASSERT_NE(std::find(v_before.begin(), v_before.end(), p_view->GetList().GetItemData(i)), v_before.end())
                << "the key of row " << i << " was selected in the last event";
        EXPECT_EQ(p_view->GetList().GetSelectedCount(), 0);
        for (int i = 0; i < nOthers; ++i) {
            wxColour col_back, col_text;
            p_view->GetRowColours(i, col_back, col_text);
            EXPECT_EQ(col_back.GetRGB(), col_plain.GetRGB()) << "row " << i << " is painted unselected";
        }
        Frame().SetActiveView(p_view);
        EXPECT_FALSE(Frame().IsCommandEnabled(ID_EDIT_CLEAR)) << "Delete is grey without a selection";
        // A Shift-click takes its own row only: no range starts from a
        // row the last event's click left.
        p_view->Click(nOthers - 1, TRUE, FALSE);
        EXPECT_EQ(p_view->GetList().GetSelectedCount(), 1);
        p_view->Click(-1, FALSE, FALSE);
    }
    // The new event's rows are there to be taken, and Delete follows.
    for (const PaneCase& pane : a_panes) {
        SCOPED_TRACE(pane.pWhat);
        ctrl_a(pane);
        ItemListView* p_view = Pane(pane.iRow, pane.iCol);
        wxColour col_back, col_text;
        p_view->GetRowColours(0, col_back, col_text);
        EXPECT_NE(col_back.GetRGB(), col_plain.GetRGB()) << "a selected row is painted so";
        Frame().SetActiveView(p_view);
        EXPECT_TRUE(Frame().IsCommandEnabled(ID_EDIT_CLEAR));
    }
}

TEST_F(ListClickWxTest, AClickInAScrolledDialogListTakesTheRowUnderThePointer)
{
    // The library's list with its own click selection, beside a text box
    // that holds the focus, as in the program's dialogs.
    auto* p_frame = new wxFrame(&Frame(), wxID_ANY, "List", wxPoint(100, 100), wxSize(400, 400));
    auto* p_text = new wxTextCtrl(p_frame, wxID_ANY);
    auto* p_list = new ZelListCtrl(p_frame, wxID_ANY, wxDefaultPosition, wxSize(380, 300), 0);
    auto* p_sizer = new wxBoxSizer(wxVERTICAL);
    p_sizer->Add(p_text, 0, wxEXPAND);
    p_sizer->Add(p_list, 1, wxEXPAND);
    p_frame->SetSizer(p_sizer);
    p_list->InsertColumn(0, "Column", LVCFMT_LEFT, 300);
    char a_name[16];
    for (int i = 0; i < nItems; ++i) {
        std::snprintf(a_name, sizeof a_name, "Item %03d", i);
        p_list->InsertItem(i, a_name, i + 1);
    }
    p_list->ClickRow(0, false, false);
    p_frame->Show();
    p_frame->Raise();
    Settle(400);
    p_text->SetFocus();
    Settle();
    const Walk walk = ClickScrolledList(*p_list);
    ExpectWalk(*p_list, walk, "dialog list");
    p_frame->Destroy();
    Pump();
}

} // namespace
