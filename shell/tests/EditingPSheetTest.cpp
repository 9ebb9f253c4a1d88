// A small editing sheet on the bases, on a display: two pages, the first
// with an edit control that carries a page toolbar, the second with an
// in-place edit control; opened over a walk of three items and pressed by
// button id.
//
// With ROTAVEX_SHOW_SECONDS set, the walk keeps each sheet on screen that
// long (first, middle and last item), and the toolbar test shows the tip of
// Move up, for screenshots.
#include "framework/ui/WxIds.h"
#include "shell/editing/EditingPPage.h"
#include "shell/editing/EditingPSheet.h"
#include "testsupport/ui/WxTestEnvironment.h"

#include <chrono>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/notebook.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

namespace {

const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

constexpr int kMembersCaption = 2000;
constexpr int kMembersEdit = 2001;
constexpr int kNotesEdit = 2002;

void ShowAWhile()
{
    if (const char* p_seconds = std::getenv("ROTAVEX_SHOW_SECONDS")) {
        const auto t_end = std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(p_seconds));
        while (std::chrono::steady_clock::now() < t_end) {
            wxTheApp->Yield(true);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
}

// A page with an edit control under a caption that takes its toolbar; it
// records the commands it receives and can refuse to be left.
class MembersPage : public EditingPPage {
public:
    explicit MembersPage(wxWindow* p_book) : EditingPPage(p_book, "Members")
    {
        pCaption = new wxStaticText(this, kMembersCaption, "Members:");
        pEdit = new wxTextCtrl(this, kMembersEdit, "Ann Lee, Bob Ray", wxDefaultPosition, wxDefaultSize,
                               wxTE_MULTILINE);
        PlaceDlgUnits(*pCaption, 7, 7, 250, 14);
        PlaceDlgUnits(*pEdit, 7, 22, 250, 60);
        for (int i_command : {int(IDC_SHEET_UNDO), WxId(ID_PAGE_NEW), WxId(ID_PAGE_DELETE), WxId(ID_PAGE_MOVE_UP),
                              WxId(ID_PAGE_MOVE_DOWN), WxId(ID_PAGE_ORDER)})
            Bind(wxEVT_MENU, [this](wxCommandEvent& event) { vCommands.push_back(event.GetId()); }, i_command);
    }

    bool OnInitDialog() override
    {
        EditingPPage::OnInitDialog();
        pToolBar = AddToolBar(kMembersEdit, pCaption, PTB_DEFAULT, modeStretch, modeFixed);
        AddSzControl(*pCaption, modeStretch, modeFixed);
        AddSzControl(*pEdit, modeStretch, modeStretch);
        return true;
    }

    BOOL CheckSettings(BOOL* p_stay) override
    {
        ++nChecks;
        *p_stay = bStay ? TRUE : FALSE;
        return !bStay;
    }

    wxStaticText* pCaption = nullptr;
    wxTextCtrl* pEdit = nullptr;
    wxToolBar* pToolBar = nullptr;
    std::vector<int> vCommands;
    bool bStay = false;
    int nChecks = 0;
};

class NotesPage : public EditingPPage {
public:
    explicit NotesPage(wxWindow* p_book) : EditingPPage(p_book, "Notes")
    {
        pEdit = new EditCtrl(this, kNotesEdit, "Bring music");
        PlaceDlgUnits(*pEdit, 7, 7, 250, 14);
    }
    bool OnInitDialog() override
    {
        EditingPPage::OnInitDialog();
        AddSzControl(*pEdit, modeStretch, modeFixed);
        return true;
    }
    EditCtrl* pEdit = nullptr;
};

class TestSheet : public EditingPSheet {
public:
    TestSheet() : EditingPSheet(nullptr, "Define group")
    {
        pMembers = new MembersPage(GetBookCtrl());
        pNotes = new NotesPage(GetBookCtrl());
        AddPage(pMembers);
        AddPage(pNotes);
    }
    MembersPage* pMembers;
    NotesPage* pNotes;
};

// Presses the button of the sheet as a click would.
void Press(wxWindow& sheet, int i_id)
{
    wxWindow* p_button = sheet.FindWindow(i_id);
    ASSERT_NE(p_button, nullptr) << i_id;
    wxCommandEvent click(wxEVT_BUTTON, i_id);
    click.SetEventObject(p_button);
    p_button->GetEventHandler()->ProcessEvent(click);
}

// Runs the sheet modally; f_drive runs once it is up and must end it.
int RunModal(TestSheet& sheet, const std::function<void(TestSheet&)>& f_drive)
{
    wxTheApp->CallAfter([&sheet, f_drive] { f_drive(sheet); });
    return sheet.ShowModal();
}

bool Shown(wxWindow& sheet, int i_id)
{
    wxWindow* p = sheet.FindWindow(i_id);
    return p != nullptr && p->IsShown();
}

std::string Label(wxWindow& sheet, int i_id) { return sheet.FindWindow(i_id)->GetLabel().ToStdString(); }

TEST(EditingPSheet, WalkOfThreeItems)
{
    struct Step {
        int iItem;
        bool bNext;
        bool bPrevious;
        bool bOk;
        int iPress;
        int iResult;
    };
    const Step a_steps[] = {
        {0, true, false, false, IDC_SHEET_NEXT, IDC_SHEET_NEXT},
        {1, true, true, false, IDC_SHEET_PREVIOUS, IDC_SHEET_PREVIOUS},
        // On the last item OK carries on as Next.
        {2, false, true, true, wxID_OK, IDC_SHEET_NEXT},
    };
    for (const Step& step : a_steps) {
        TestSheet sheet;
        sheet.SetItemPosition(step.iItem, 3);
        const int i_result = RunModal(sheet, [&step](TestSheet& s) {
            EXPECT_TRUE(s.IsNavigating());
            EXPECT_EQ(Shown(s, IDC_SHEET_NEXT), step.bNext) << step.iItem;
            EXPECT_EQ(Shown(s, IDC_SHEET_PREVIOUS), step.bPrevious) << step.iItem;
            EXPECT_EQ(Shown(s, wxID_OK), step.bOk) << step.iItem;
            EXPECT_EQ(Label(s, wxID_CANCEL), "Close");
            // Return presses Next where there is one, else OK.
            const wxWindow* p_default = s.GetDefaultItem();
            EXPECT_EQ(p_default != nullptr ? p_default->GetId() : int(wxID_NONE),
                      step.bNext ? int(IDC_SHEET_NEXT) : int(wxID_OK))
                << step.iItem;
            ASSERT_NE(s.GetUndoButton(), nullptr);
            EXPECT_FALSE(s.GetUndoButton()->IsEnabled());
            // The row reads Next, Previous, Close, Apply, Help; Undo at the
            // left, level with Help.
            const wxRect rc_cancel = s.FindWindow(wxID_CANCEL)->GetRect();
            const wxRect rc_help = s.FindWindow(IDC_SHEET_HELP)->GetRect();
            if (step.bPrevious) {
                EXPECT_LT(s.FindWindow(IDC_SHEET_PREVIOUS)->GetRect().GetRight(), rc_cancel.GetLeft());
            }
            if (step.bNext && step.bPrevious) {
                EXPECT_LT(s.FindWindow(IDC_SHEET_NEXT)->GetRect().GetRight(),
                          s.FindWindow(IDC_SHEET_PREVIOUS)->GetRect().GetLeft());
            }
            EXPECT_EQ(s.GetUndoButton()->GetRect().GetTop(), rc_help.GetTop());
            EXPECT_LT(s.GetUndoButton()->GetRect().GetRight(), s.GetClientSize().x / 2);
            ShowAWhile();
            Press(s, step.iPress);
        });
        EXPECT_EQ(i_result, step.iResult) << "item " << step.iItem;
        EXPECT_GT(sheet.pMembers->nChecks, 0);
    }
}

// Apply lets the active page give up its data and be checked, then hands
// the item to the caller's store and keeps the sheet open (on a walk too,
// with Next still there); the pages show the item afresh, unchanged. A page
// that asks to stay, or a store that refuses, stores nothing more.
TEST(EditingPSheet, ApplyStoresAndKeepsTheSheetOpen)
{
    TestSheet sheet;
    sheet.SetItemPosition(1, 3);
    int n_stores = 0;
    bool b_refuse = false;
    sheet.SetApplyStore([&] {
        ++n_stores;
        return !b_refuse;
    });
    const int i_result = RunModal(sheet, [&](TestSheet& s) {
        // The page refuses to be left: nothing is stored.
        s.pMembers->bStay = true;
        Press(s, IDC_SHEET_APPLY_NOW);
        EXPECT_EQ(n_stores, 0);
        EXPECT_TRUE(s.IsModal());
        s.pMembers->bStay = false;
        const int n_checks = s.pMembers->nChecks;
        Press(s, IDC_SHEET_APPLY_NOW);
        EXPECT_EQ(s.pMembers->nChecks, n_checks + 1) << "the page was checked";
        EXPECT_EQ(n_stores, 1);
        EXPECT_EQ(s.GetAppliedCount(), 1);
        EXPECT_TRUE(s.IsModal()) << "Apply keeps the sheet open";
        EXPECT_TRUE(Shown(s, IDC_SHEET_NEXT));
        EXPECT_FALSE(s.GetUndoButton()->IsEnabled());
        // A store that refuses keeps the sheet as it is.
        b_refuse = true;
        Press(s, IDC_SHEET_APPLY_NOW);
        EXPECT_EQ(n_stores, 2);
        EXPECT_EQ(s.GetAppliedCount(), 1);
        EXPECT_TRUE(s.IsModal());
        Press(s, wxID_CANCEL);
        for (int i = 0; i < 20 && s.IsModal(); ++i)
            wxTheApp->Yield(true);
        if (s.IsModal())
            s.EndModal(wxID_ABORT);
    });
    EXPECT_EQ(i_result, wxID_CANCEL);
}

TEST(EditingPSheet, OneItemKeepsOkAndCancel)
{
    TestSheet sheet;
    sheet.SetItemPosition(0, 1);
    sheet.SetTitleSuffix("Choir");
    EXPECT_EQ(sheet.GetTitle(), "Define group - Choir");
    const int i_result = RunModal(sheet, [](TestSheet& s) {
        EXPECT_FALSE(s.IsNavigating());
        EXPECT_EQ(s.FindWindow(IDC_SHEET_NEXT), nullptr);
        EXPECT_EQ(s.FindWindow(IDC_SHEET_PREVIOUS), nullptr);
        EXPECT_TRUE(Shown(s, wxID_OK));
        EXPECT_EQ(Label(s, wxID_CANCEL), "Cancel");
        // Return typed in a box of a page presses OK, the default button.
        auto* p_box = new wxTextCtrl(s.pMembers, wxID_ANY, "Choir", wxPoint(10, 200), wxSize(150, -1));
        p_box->SetFocus();
        for (int i = 0; i < 10; ++i)
            wxTheApp->Yield(true);
        wxUIActionSimulator sim;
        sim.Char(WXK_RETURN);
        for (int i = 0; i < 50 && s.IsModal(); ++i) {
            wxTheApp->Yield(true);
            wxMilliSleep(10);
        }
        if (s.IsModal())
            s.EndModal(wxID_ABORT);
    });
    EXPECT_EQ(i_result, wxID_OK);
    sheet.SetTitleSuffix("");
    EXPECT_EQ(sheet.GetTitle(), "Define group");
}

// Asks the sheet's book whether the tab may change, as a click on a tab does.
bool TabChangeAllowed(TestSheet& sheet, int i_from, int i_to)
{
    wxBookCtrlBase* p_book = sheet.GetBookCtrl();
    wxBookCtrlEvent changing(wxEVT_NOTEBOOK_PAGE_CHANGING, p_book->GetId(), i_to, i_from);
    changing.SetEventObject(p_book);
    p_book->GetEventHandler()->ProcessEvent(changing);
    return changing.IsAllowed();
}

// A click on the second tab, as the user makes it.
void ClickSecondTab(wxNotebook& book)
{
    wxUIActionSimulator sim;
    const wxRect rc_book = book.GetScreenRect();
    for (int x = 5; x < book.GetClientSize().x; x += 5) {
        long l_flags = 0;
        if (book.HitTest(wxPoint(x, 10), &l_flags) == 1) {
            sim.MouseMove(rc_book.GetLeft() + x, rc_book.GetTop() + 10);
            wxTheApp->Yield(true);
            sim.MouseClick();
            break;
        }
    }
    for (int i = 0; i < 20; ++i) {
        wxTheApp->Yield(true);
        wxMilliSleep(10);
    }
}

TEST(EditingPSheet, ClickOnTabAsksThePage)
{
    for (bool b_stay : {true, false}) {
        TestSheet sheet;
        sheet.SetItemPosition(0, 1);
        RunModal(sheet, [b_stay](TestSheet& s) {
            s.pMembers->bStay = b_stay;
            wxNotebook* p_book = wxDynamicCast(s.GetBookCtrl(), wxNotebook);
            ASSERT_NE(p_book, nullptr);
            ClickSecondTab(*p_book);
            EXPECT_EQ(p_book->GetSelection(), b_stay ? 0 : 1);
            EXPECT_EQ(s.GetActivePage(), b_stay ? static_cast<ZelSizingPropPage*>(s.pMembers) : s.pNotes);
            EXPECT_EQ(s.GetActivePageIndex(), b_stay ? 0 : 1);
            Press(s, wxID_CANCEL);
        });
    }
}

TEST(EditingPSheet, StayingPageKeepsSheetAndTab)
{
    TestSheet sheet;
    sheet.SetItemPosition(1, 3);
    const int i_result = RunModal(sheet, [](TestSheet& s) {
        MembersPage& page = *s.pMembers;
        page.SetChanged(TRUE);
        s.EnableUndo(true);
        // Undo reaches the active page only.
        Press(s, IDC_SHEET_UNDO);
        EXPECT_EQ(page.vCommands, std::vector<int>{IDC_SHEET_UNDO});

        // A change of tab asks the page first.
        page.bStay = true;
        EXPECT_FALSE(TabChangeAllowed(s, 0, 1));
        EXPECT_TRUE(page.IsChanged());
        Press(s, IDC_SHEET_NEXT);
        EXPECT_TRUE(s.IsModal()) << "a page that stays keeps the sheet open";
        EXPECT_TRUE(page.IsChanged());

        page.bStay = false;
        EXPECT_TRUE(TabChangeAllowed(s, 0, 1));
        s.GetBookCtrl()->ChangeSelection(1);
        s.pNotes->OnSetActive();
        EXPECT_EQ(s.GetBookCtrl()->GetSelection(), 1);
        EXPECT_EQ(s.GetActivePageIndex(), 1);
        EXPECT_FALSE(page.IsChanged());
        EXPECT_FALSE(s.GetUndoButton()->IsEnabled());
        Press(s, wxID_CANCEL);
    });
    EXPECT_EQ(i_result, wxID_CANCEL);
}

wxKeyEvent KeyEvent(wxEventType e_type, int i_key, int i_modifiers = wxMOD_NONE)
{
    wxKeyEvent key(e_type);
    key.m_keyCode = i_key;
    key.SetControlDown((i_modifiers & wxMOD_CONTROL) != 0);
    key.SetAltDown((i_modifiers & wxMOD_ALT) != 0);
    key.SetShiftDown((i_modifiers & wxMOD_SHIFT) != 0);
    return key;
}

TEST(EditingPSheet, PageToolBarTipsToolsAndAccelerators)
{
    TestSheet sheet;
    sheet.SetItemPosition(0, 1);
    RunModal(sheet, [](TestSheet& s) {
        MembersPage& page = *s.pMembers;
        wxToolBar* p_bar = page.pToolBar;
        ASSERT_NE(p_bar, nullptr);
        EXPECT_EQ(p_bar->GetToolsCount(), 4u);
        // The caption became one bar high, with the bar at its right end.
        EXPECT_EQ(page.pCaption->GetRect().GetBottom(), p_bar->GetRect().GetBottom());
        EXPECT_EQ(page.pCaption->GetRect().GetRight(), p_bar->GetRect().GetRight());

        const wxString s_accel = wxAcceleratorEntry(wxACCEL_CTRL, WXK_PAGEUP).ToString();
        EXPECT_EQ(p_bar->GetToolShortHelp(WxId(ID_PAGE_MOVE_UP)), "Move up (" + s_accel + ")");
        EXPECT_TRUE(p_bar->GetToolShortHelp(WxId(ID_PAGE_DELETE)).StartsWith("Delete ("));
        EXPECT_EQ(ExPropertyPage::ToolTipText(ID_PAGE_ORDER),
                  "Order (" + wxAcceleratorEntry(wxACCEL_CTRL | wxACCEL_ALT, WXK_DOWN).ToString() + ")");

        // A second toolbar for the same owner is refused.
        EXPECT_EQ(page.AddToolBar(kMembersEdit, page.pCaption, PTB_MOVE), nullptr);
        EXPECT_EQ(page.GetButtonFlags(), UINT(PTB_MOVE));
        EXPECT_EQ(page.GetToolBars().size(), 1u);

        // All five commands, the bar holding four of them.
        page.EnableToolBarButton(p_bar, -1, false);
        EXPECT_FALSE(p_bar->GetToolEnabled(WxId(ID_PAGE_NEW)));
        EXPECT_FALSE(p_bar->GetToolEnabled(WxId(ID_PAGE_MOVE_DOWN)));
        page.EnableToolBarButton(p_bar, ID_PAGE_MOVE_DOWN, true);
        EXPECT_TRUE(p_bar->GetToolEnabled(WxId(ID_PAGE_MOVE_DOWN)));
        page.EnableToolBarButton(p_bar, -1, true);

        // The accelerators act only while the owner has the focus.
        page.pEdit->SetFocus();
        wxTheApp->Yield(true);
        ASSERT_EQ(page.GetFocusToolBarOwner(), kMembersEdit);
        EXPECT_TRUE(page.TranslateAccelerator(KeyEvent(wxEVT_CHAR_HOOK, 'N', wxMOD_CONTROL)));
        EXPECT_TRUE(page.TranslateAccelerator(KeyEvent(wxEVT_CHAR_HOOK, WXK_PAGEDOWN, wxMOD_CONTROL)));
        EXPECT_FALSE(page.TranslateAccelerator(KeyEvent(wxEVT_CHAR_HOOK, 'N')));
        EXPECT_EQ(page.vCommands, (std::vector<int>{WxId(ID_PAGE_NEW), WxId(ID_PAGE_MOVE_DOWN)}));
        EXPECT_EQ(page.GetToolBarOwnerAtPoint(p_bar->GetScreenRect().GetTopLeft() + wxPoint(2, 2)), kMembersEdit);
        s.FindWindow(wxID_CANCEL)->SetFocus();
        wxTheApp->Yield(true);
        EXPECT_EQ(page.GetFocusToolBarOwner(), 0);
        EXPECT_FALSE(page.TranslateAccelerator(KeyEvent(wxEVT_CHAR_HOOK, 'N', wxMOD_CONTROL)));

        if (std::getenv("ROTAVEX_SHOW_SECONDS") != nullptr) {
            // The tip of Move up, under the pointer.
            wxUIActionSimulator sim;
            const wxRect rc_bar = p_bar->GetScreenRect();
            sim.MouseMove(rc_bar.GetLeft() + 2 * rc_bar.GetWidth() / 4 + rc_bar.GetWidth() / 8,
                          rc_bar.GetTop() + rc_bar.GetHeight() / 2);
            ShowAWhile();
        }
        Press(s, wxID_CANCEL);
    });
}

TEST(EditingPSheet, EditCtrlGivesTheFocusBack)
{
    TestSheet sheet;
    sheet.SetItemPosition(0, 1);
    RunModal(sheet, [](TestSheet& s) {
        s.GetBookCtrl()->SetSelection(1);
        EditCtrl& edit = *s.pNotes->pEdit;
        edit.SetFocus();
        edit.SelectAll();
        edit.WriteText("Typed");
        EXPECT_EQ(edit.GetValue(), "Typed");
        EXPECT_EQ(edit.GetSavedText(), "Bring music");

        EXPECT_TRUE(edit.HandleKey(KeyEvent(wxEVT_CHAR_HOOK, WXK_ESCAPE)));
        EXPECT_EQ(edit.GetValue(), "Bring music");
        EXPECT_TRUE(edit.IsCancelled());

        edit.SetValue("Set later");
        EXPECT_EQ(edit.GetSavedText(), "Set later");
        EXPECT_TRUE(edit.HandleKey(KeyEvent(wxEVT_CHAR_HOOK, WXK_RETURN)));
        EXPECT_TRUE(edit.HandleKey(KeyEvent(wxEVT_CHAR_HOOK, WXK_DOWN)));
        EXPECT_FALSE(edit.HandleKey(KeyEvent(wxEVT_CHAR_HOOK, 'A')));
        EXPECT_EQ(edit.GetValue(), "Set later");
        Press(s, wxID_CANCEL);
    });
}

} // namespace
