// The multi-selection tree's window under a virtual display: check boxes in
// the state images clicked and toggled by Space with their marks carried
// up, a plain click, a Shift range and Ctrl clicks, Shift+arrows, a collapse
// dropping hidden selections, a drag started from a selection, and the
// single-selection tree collecting its selection; with what the parent
// hears.
//
// With ROTAVEX_SHOW_SECONDS set, the dialog stays up that long for a
// screenshot.
#include "testsupport/ui/WxTestEnvironment.h"
#include "zelkit/windows/ZelNotifyCodes.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"
#include "zelkit/controls/ui/ZelTreeCtrl.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>
#include <vector>
#include <wx/dcmemory.h>
#include <wx/dialog.h>
#include <wx/imaglist.h>
#include <wx/renderer.h>
#include <wx/uiaction.h>

namespace {

const auto* g_env = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

constexpr int kTreeId = 1200;

void Pump(int i_ms = 50)
{
    const auto t_end = std::chrono::steady_clock::now() + std::chrono::milliseconds(i_ms);
    do {
        wxTheApp->Yield(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (std::chrono::steady_clock::now() < t_end);
}

void ShowAWhile()
{
    if (const char* p_seconds = std::getenv("ROTAVEX_SHOW_SECONDS"))
        Pump(1000 * std::atoi(p_seconds));
}

// The four check images: unchecked, checked, and the two with a checked
// item below (drawn partly checked, and checked with a dot).
wxImageList* MakeCheckImages(wxWindow& window)
{
    const wxSize sz = wxRendererNative::Get().GetCheckBoxSize(&window);
    auto* p_list = new wxImageList(sz.x, sz.y, true);
    for (int i_flags : {0, int(wxCONTROL_CHECKED), int(wxCONTROL_UNDETERMINED), int(wxCONTROL_CHECKED)}) {
        wxBitmap bmp(sz);
        {
            wxMemoryDC dc(bmp);
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            wxRendererNative::Get().DrawCheckBox(&window, dc, wxRect(sz), i_flags);
        }
        p_list->Add(bmp);
    }
    return p_list;
}

class TreeDialog : public wxDialog {
public:
    explicit TreeDialog(bool b_single = false) : wxDialog(nullptr, wxID_ANY, "Choices")
    {
        SetClientSize(300, 320);
        pTree = b_single ? new ZelTreeCtrl(this, kTreeId, wxPoint(10, 10), wxSize(280, 300))
                         : new ZelTreeCtrlEx(this, kTreeId, wxPoint(10, 10), wxSize(280, 300));
        pTree->AssignStateImageList(MakeCheckImages(*pTree));
        Bind(wxEVT_ZEL_NOTIFY, [this](ZelNotifyEvent& event) {
            if (event.GetCode() == NM_SETFOCUS || event.GetCode() == NM_KILLFOCUS) {
                nFocusNotes++;
                return;
            }
            std::string s = std::to_string(event.GetCode());
            if (event.GetCode() == TVN_SELCHANGED || event.GetCode() == TVN_BEGINDRAG) {
                const auto* p_nm = event.GetRecordAs<ZelNMTreeView>();
                s += ":" + pTree->GetItemText1252(p_nm->itemNew.hItem) + "/" + std::to_string(p_nm->itemNew.lParam);
            }
            vHeard.push_back(s);
        }, kTreeId);
        // Venues
        //   Main hall, Studio (Studio A, Studio B)
        // Groups (no check boxes)
        //   Choir, Band
        // Equipment
        const auto add = [this](const char* p_text, HTREEITEM h_parent, int i_state) {
            HTREEITEM h = pTree->InsertItem(p_text, h_parent, i_state, DWORD(mItems.size() + 1));
            mItems[p_text] = h;
            return h;
        };
        HTREEITEM h_venues = add("Venues", nullptr, 1);
        add("Main hall", h_venues, 1);
        HTREEITEM h_studio = add("Studio", h_venues, 1);
        add("Studio A", h_studio, 1);
        add("Studio B", h_studio, 1);
        HTREEITEM h_groups = add("Groups", nullptr, 0);
        add("Choir", h_groups, 1);
        add("Band", h_groups, 1);
        add("Equipment", nullptr, 1);
        pTree->ExpandAll();
    }

    HTREEITEM operator[](const char* p_text) { return mItems.at(p_text); }

    // Presses (and releases) the left button on the item's label, or on
    // its check box.
    void Click(const char* p_text, bool b_ctrl = false, bool b_shift = false, bool b_onCheck = false)
    {
        const wxPoint pt = b_onCheck ? CheckPoint(p_text) : LabelPoint(p_text);
        Mouse(wxEVT_LEFT_DOWN, pt, b_ctrl, b_shift);
        Mouse(wxEVT_LEFT_UP, pt, b_ctrl, b_shift);
    }
    void Mouse(wxEventType type, const wxPoint& pt, bool b_ctrl = false, bool b_shift = false)
    {
        wxMouseEvent event(type);
        event.SetPosition(pt);
        event.m_controlDown = b_ctrl;
        event.m_shiftDown = b_shift;
        event.m_leftDown = type == wxEVT_LEFT_DOWN || type == wxEVT_MOTION;
        event.SetEventObject(pTree);
        pTree->GetEventHandler()->ProcessEvent(event);
    }
    void Key(int i_key, bool b_shift = false)
    {
        wxKeyEvent event(wxEVT_KEY_DOWN);
        event.m_keyCode = i_key;
        event.m_shiftDown = b_shift;
        event.SetEventObject(pTree);
        pTree->GetEventHandler()->ProcessEvent(event);
    }
    wxPoint LabelPoint(const char* p_text)
    {
        wxRect rc;
        EXPECT_TRUE(pTree->GetBoundingRect(ZelTreeCtrlEx::Id((*this)[p_text]), rc, true)) << p_text;
        return wxPoint(rc.x + rc.width / 2, rc.y + rc.height / 2);
    }
    // The first point left of the label that the tree calls its check box.
    wxPoint CheckPoint(const char* p_text)
    {
        const wxPoint pt_label = LabelPoint(p_text);
        for (int x = pt_label.x; x >= 0; --x) {
            int i_flags = 0;
            const wxTreeItemId id = pTree->HitTest(wxPoint(x, pt_label.y), i_flags);
            if (id.IsOk() && (i_flags & wxTREE_HITTEST_ONITEMSTATEICON))
                return wxPoint(x - 2, pt_label.y);
        }
        ADD_FAILURE() << "no check box for " << p_text;
        return pt_label;
    }
    // The selected items' texts in tree order.
    std::string Selected()
    {
        std::string s;
        for (HTREEITEM h = pTree->GetNextItem(nullptr, TVGN_ROOT); h; h = pTree->GetNextItem(h))
            if (pTree->IsSelected(ZelTreeCtrlEx::Id(h)))
                s += (s.empty() ? "" : ",") + pTree->GetItemText1252(h);
        return s;
    }
    // The state image indexes in tree order.
    std::string States()
    {
        std::string s;
        for (HTREEITEM h = pTree->GetNextItem(nullptr, TVGN_ROOT); h; h = pTree->GetNextItem(h))
            s += std::to_string(pTree->GetItemStateImage(h));
        return s;
    }
    // What the parent heard since the last call, without the requests
    // (TVN_SELCHANGING) that come before every caret move.
    std::vector<std::string> Heard()
    {
        std::vector<std::string> v;
        for (const std::string& s : vHeard)
            if (s != std::to_string(TVN_SELCHANGING))
                v.push_back(s);
        vHeard.clear();
        return v;
    }

    ZelTreeCtrlEx* pTree;
    std::map<std::string, HTREEITEM> mItems;
    std::vector<std::string> vHeard;
    int nFocusNotes = 0;
};

const std::string kSelChanged = std::to_string(TVN_SELCHANGED);

TEST(TreeCtrlWx, CheckBoxesClickedAndToggledCarryTheirMarkUpTheTree)
{
    auto* p_dlg = new TreeDialog;
    p_dlg->Show();
    Pump();
    TreeDialog& T = *p_dlg;
    // Tree order: Venues Main-hall Studio Studio-A Studio-B Groups Choir Band Equipment.
    EXPECT_EQ(T.States(), "111110111");
    T.Click("Studio A", false, false, true);
    EXPECT_EQ(T.States(), "313210111") << "checked, and the branches above it marked";
    EXPECT_EQ(T.Selected(), "") << "a click on a check box selects nothing";
    T.Click("Studio", false, false, true);
    EXPECT_EQ(T.States(), "314210111");
    T.Click("Choir", false, false, true);
    EXPECT_EQ(T.States(), "314210211") << "an item without a check box stops the mark";
    EXPECT_EQ(T.pTree->GetFirstCheckedItem(), T["Studio"]);
    EXPECT_EQ(T.pTree->GetNextCheckedItem(T["Studio"]), T["Studio A"]);
    // The search does not look below an item without the mark: Choir's
    // check hides under Groups, which has no check box.
    EXPECT_EQ(T.pTree->GetNextCheckedItem(T["Studio A"]), nullptr);
    EXPECT_EQ(T.pTree->GetPrevCheckedItem(T["Band"]), T["Choir"]);

    // Space toggles the caret's check box.
    T.Click("Studio A");
    for (int i = 0; i < 40 && !T.nFocusNotes; ++i)
        Pump(10);
    EXPECT_EQ(wxWindow::FindFocus(), T.pTree) << "a click on an item gives the tree the focus";
    EXPECT_GT(T.nFocusNotes, 0) << "and the parent hears of it";
    T.Key(WXK_SPACE);
    EXPECT_EQ(T.States(), "312110211") << "Studio keeps its own check, no longer marked";
    T.Click("Studio");
    T.Key(WXK_SPACE);
    EXPECT_EQ(T.States(), "111110211") << "nothing checked below Venues any more";
    // For a look: checks at every level and a range selected.
    T.Click("Studio A", false, false, true);
    T.Click("Equipment", false, false, true);
    T.Click("Main hall");
    T.Click("Studio A", false, true);
    EXPECT_EQ(T.States(), "313210212");
    EXPECT_EQ(T.Selected(), "Main hall,Studio,Studio A");
    ShowAWhile();
    p_dlg->Destroy();
}

TEST(TreeCtrlWx, PlainShiftAndCtrlClicksSelectAsTheyShould)
{
    auto* p_dlg = new TreeDialog;
    p_dlg->Show();
    Pump();
    TreeDialog& T = *p_dlg;
    T.Click("Main hall");
    EXPECT_EQ(T.Selected(), "Main hall");
    EXPECT_EQ(T.pTree->GetCaret(), T["Main hall"]);
    EXPECT_EQ(T.Heard(), (std::vector<std::string>{kSelChanged + ":Main hall/2"})) << "once, with the item data";

    // A Shift range, downwards and back upwards past the anchor.
    T.Click("Choir", false, true);
    EXPECT_EQ(T.Selected(), "Main hall,Studio,Studio A,Studio B,Groups,Choir");
    EXPECT_EQ(T.pTree->GetSelectedCount(), 6u);
    EXPECT_EQ(T.Heard(), (std::vector<std::string>{kSelChanged + ":Choir/7"}));
    T.Click("Venues", false, true);
    EXPECT_EQ(T.Selected(), "Venues,Main hall");
    EXPECT_EQ(T.pTree->GetCaret(), T["Venues"]);
    T.Heard();

    // Ctrl adds an item and takes the caret; Ctrl on a selected item drops
    // only that one.
    T.Click("Band", true);
    EXPECT_EQ(T.Selected(), "Venues,Main hall,Band");
    EXPECT_EQ(T.pTree->GetCaret(), T["Band"]);
    T.Click("Main hall", true);
    EXPECT_EQ(T.Selected(), "Venues,Band");
    EXPECT_EQ(T.pTree->GetCaret(), T["Band"]);
    EXPECT_EQ(T.Heard(), (std::vector<std::string>{kSelChanged + ":Band/8", kSelChanged + ":Main hall/2"}));

    // Shift+arrows from a plain click: the range from its item.
    T.Click("Studio");
    T.Key(WXK_DOWN, true);
    T.Key(WXK_DOWN, true);
    EXPECT_EQ(T.Selected(), "Studio,Studio A,Studio B");
    T.Key(WXK_UP, true);
    EXPECT_EQ(T.Selected(), "Studio,Studio A") << "moving back shrinks the range";
    // A plain arrow leaves one item selected.
    T.Key(WXK_DOWN);
    EXPECT_EQ(T.Selected(), "Studio B");

    // The tree's own keys move the caret too, and the parent hears of it.
    T.Click("Studio A");
    T.Heard();
    for (int i = 0; i < 40 && wxWindow::FindFocus() != T.pTree; ++i)
        Pump(10);
    wxUIActionSimulator keyboard;
    keyboard.Char(WXK_LEFT);
    for (int i = 0; i < 40 && T.pTree->GetCaret() == T["Studio A"]; ++i)
        Pump(10);
    EXPECT_EQ(T.pTree->GetCaret(), T["Studio"]);
    EXPECT_EQ(T.Selected(), "Studio");
    EXPECT_EQ(T.Heard(), (std::vector<std::string>{kSelChanged + ":Studio/3"}));

    // Collapsing a branch drops the selection hidden in it.
    T.Click("Studio A");
    T.Click("Choir", true);
    T.pTree->Collapse(ZelTreeCtrlEx::Id(T["Studio"]));
    EXPECT_EQ(T.Selected(), "Choir");
    ShowAWhile();
    p_dlg->Destroy();
}

TEST(TreeCtrlWx, ADragFromASelectionKeepsItWhole)
{
    auto* p_dlg = new TreeDialog;
    p_dlg->Show();
    Pump();
    TreeDialog& T = *p_dlg;
    T.Click("Choir");
    T.Click("Band", true);
    T.Heard();
    const wxPoint pt = T.LabelPoint("Choir");
    T.Mouse(wxEVT_LEFT_DOWN, pt);
    EXPECT_EQ(T.Selected(), "Choir,Band") << "the press on a selected item waits";
    T.Mouse(wxEVT_MOTION, pt + wxPoint(1, 1));
    EXPECT_TRUE(T.Heard().empty()) << "not yet beyond the drag distance";
    T.Mouse(wxEVT_MOTION, pt + wxPoint(40, 0));
    EXPECT_EQ(T.Heard(), (std::vector<std::string>{std::to_string(TVN_BEGINDRAG) + ":Choir/7"}));
    T.Mouse(wxEVT_LEFT_UP, pt + wxPoint(40, 0));
    EXPECT_EQ(T.Selected(), "Choir,Band");
    // Without the drag, the release decides: a plain click on one of the
    // selection keeps that one only.
    T.Click("Band");
    EXPECT_EQ(T.Selected(), "Band");
    p_dlg->Destroy();
}

TEST(TreeCtrlWx, TheSingleSelectionTreeCollectsItsSelection)
{
    auto* p_dlg = new TreeDialog(true);
    p_dlg->Show();
    Pump();
    TreeDialog& T = *p_dlg;
    auto& tree = static_cast<ZelTreeCtrl&>(*T.pTree);
    EXPECT_FALSE(tree.IsMultiSelection());
    T.Click("Main hall");
    T.Click("Band", false, true);
    EXPECT_EQ(T.Selected(), "Band") << "Shift does nothing more than a click";
    tree.EnableMultiSelection(TRUE);
    T.Click("Studio B", true);
    T.pTree->Collapse(ZelTreeCtrlEx::Id(T["Groups"]));
    T.Click("Equipment", true);
    ZelArray<HTREEITEM> a_items;
    tree.GetAllSelections(a_items);
    ASSERT_EQ(a_items.GetSize(), 2);
    EXPECT_EQ(a_items[0], T["Studio B"]);
    EXPECT_EQ(a_items[1], T["Equipment"]);
    std::string s_path;
    tree.GetFullyQualifiedPath(T["Studio B"], s_path, TRUE);
    EXPECT_EQ(s_path, "Venues\\Studio\\Studio B\\");
    EXPECT_EQ(tree.ItemFromData(5), T["Studio B"]);
    // The caret deleted leaves no caret behind.
    ASSERT_EQ(tree.GetCaret(), T["Equipment"]);
    tree.Delete(ZelTreeCtrlEx::Id(T["Equipment"]));
    EXPECT_EQ(tree.GetCaret(), nullptr);
    T.Click("Main hall");
    EXPECT_EQ(T.Selected(), "Main hall");
    EXPECT_EQ(tree.GetCaret(), T["Main hall"]);
    p_dlg->Destroy();
}

} // namespace
