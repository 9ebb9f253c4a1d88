// The month calendar under a virtual display, in a dialog that holds it by
// its class name: clicks with Ctrl and Shift, keys, the caret, the arrows
// held down, and the year editor typed into, with what the dialog hears.
// With ROTAVEX_SHOW_SECONDS set, the dialog stays up that long for a
// screenshot.
#include "testsupport/ui/WxTestEnvironment.h"
#include "zelkit/windows/ZelNotifyCodes.h"
#include "zelkit/controls/ui/ZelControlWindow.h"
#include "zelkit/controls/ui/ZelMonthCalCtrl.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>
#include <wx/button.h>
#include <wx/caret.h>
#include <wx/dialog.h>
#include <wx/uiaction.h>

namespace {

const auto* g_env = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

using DT = ZelOleDateTime;
constexpr int kCalId = 1180;

class CalDialog : public wxDialog {
public:
    CalDialog() : wxDialog(nullptr, wxID_ANY, "Event dates")
    {
        SetClientSize(280, 300);
        pCal = dynamic_cast<ZelMonthCalCtrl*>(ZelCustomCtrl::CreateByClassName(ZLC_MONTH_CAL, this, kCalId));
        Bind(wxEVT_ZEL_NOTIFY, [this](ZelNotifyEvent& event) {
            vCodes.push_back(event.GetCode());
            if (event.GetCode() == ZMCN_SELCHANGED)
                nLastSel = event.GetRecordAs<ZelMonthCalSelNotify>()->Dates.GetSize();
        }, kCalId);
        if (pCal)
            pCal->SetSize(20, 20, 240, 120);
        new wxButton(this, wxID_OK, "OK", wxPoint(20, 260));
    }
    ZelMonthCalCtrl* pCal = nullptr;
    std::vector<int> vCodes;
    int nLastSel = -1;
};

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

void Mouse(wxWindow& window, wxEventType type, const wxPoint& pt, bool b_ctrl = false, bool b_shift = false)
{
    wxMouseEvent event(type);
    event.SetPosition(pt);
    event.m_controlDown = b_ctrl;
    event.m_shiftDown = b_shift;
    event.m_leftDown = type != wxEVT_LEFT_UP;
    event.SetEventObject(&window);
    window.GetEventHandler()->ProcessEvent(event);
}

void Click(ZelMonthCalCtrl& cal, const DT& dt, bool b_ctrl = false, bool b_shift = false)
{
    const CRect rc = cal.GetCal().FindDate(dt);
    ASSERT_FALSE(rc.IsRectEmpty());
    const wxPoint pt((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    Mouse(cal, wxEVT_LEFT_DOWN, pt, b_ctrl, b_shift);
    Mouse(cal, wxEVT_LEFT_UP, pt, b_ctrl, b_shift);
}

void Key(wxWindow& window, int i_key, bool b_shift = false)
{
    wxKeyEvent event(wxEVT_KEY_DOWN);
    event.m_keyCode = i_key;
    event.m_shiftDown = b_shift;
    event.SetEventObject(&window);
    window.GetEventHandler()->ProcessEvent(event);
}

std::string Days(const ZelMonthCalCtrl& cal)
{
    std::string s;
    const auto& a = cal.GetSelectedDates();
    for (int i = 0; i < a.GetSize(); ++i)
        s += (s.empty() ? "" : ",") + a[i].Format("%m-%d");
    return s;
}

TEST(MonthCalWx, ADialogHoldsTheCalendarByNameAndDrivesItWithMouseAndKeys)
{
    auto* p_dlg = new CalDialog;
    ASSERT_NE(p_dlg->pCal, nullptr);
    ZelMonthCalCtrl& cal = *p_dlg->pCal;
    EXPECT_EQ(cal.GetId(), kCalId);
    p_dlg->Show();
    Pump();
    ASSERT_TRUE(cal.GetCal().IsLaidOut());
    EXPECT_EQ(cal.GetClientSize().y, cal.GetCal().GetTodayRect().bottom + ZelMonthCal::iMargin)
        << "fitted to its content";
    for (int i_id : {ZelMonthCal::idLeft, ZelMonthCal::idRight}) {
        wxButton* p_arrow = cal.GetArrowButton(i_id);
        ASSERT_NE(p_arrow, nullptr);
        // In the title bar, at its side.
        const CRect& rc_title = cal.GetCal().GetTitleRect();
        const wxRect rc = p_arrow->GetRect();
        EXPECT_GE(rc.y, rc_title.top);
        EXPECT_LE(rc.GetBottom(), rc_title.bottom);
        if (i_id == ZelMonthCal::idLeft)
            EXPECT_EQ(rc.x, ZelMonthCal::iButtonMargin);
        else
            EXPECT_EQ(rc.GetRight() + 1, rc_title.right - ZelMonthCal::iButtonMargin);
        EXPECT_EQ(cal.FindWindow(i_id), p_arrow);
    }

    cal.SetNumSelections(10);
    cal.GotoADate(DT(2024, 5, 15));
    cal.Refresh();
    p_dlg->vCodes.clear();
    Click(cal, DT(2024, 5, 20));
    EXPECT_EQ(Days(cal), "05-20");
    EXPECT_EQ(p_dlg->vCodes, (std::vector<int>{ZMCN_FOCUSCHANGED, ZMCN_SELCHANGED}));
    Click(cal, DT(2024, 5, 22), true);
    Click(cal, DT(2024, 5, 25), false, true);
    EXPECT_EQ(Days(cal), "05-20,05-22,05-23,05-24,05-25");
    EXPECT_EQ(p_dlg->nLastSel, 5);
    Click(cal, DT(2024, 5, 13), true);
    EXPECT_TRUE(cal.HasFocus()) << "a click takes the focus";

    // Keys: Shift+arrows select as they move, Page Down shows the next
    // month; the caret stands under the focus date.
    p_dlg->vCodes.clear();
    Key(cal, WXK_RIGHT, true);
    Key(cal, WXK_DOWN);
    EXPECT_EQ(cal.GetFocusDate(), DT(2024, 5, 21));
    EXPECT_EQ(Days(cal), "05-20,05-22,05-23,05-24,05-25,05-13,05-14");
    EXPECT_EQ(p_dlg->vCodes, (std::vector<int>{ZMCN_SELCHANGED, ZMCN_FOCUSCHANGED, ZMCN_FOCUSCHANGED}));
    cal.Update();
    Pump();
    wxCaret* p_caret = cal.GetCaret();
    ASSERT_NE(p_caret, nullptr);
    const CRect rc_focus = cal.GetCal().FindDate(DT(2024, 5, 21));
    EXPECT_EQ(p_caret->GetPosition(), wxPoint(rc_focus.left + (rc_focus.Width() + 3) / 4, rc_focus.bottom - 1));
    EXPECT_EQ(p_caret->GetSize().x, cal.GetCal().GetCaretWidth());
    ShowAWhile();

    Key(cal, WXK_PAGEDOWN);
    EXPECT_EQ(cal.GetCal().GetDisplayedMonth(), DT(2024, 6, 1));
    Key(cal, WXK_PAGEUP, true);
    EXPECT_EQ(cal.GetCal().GetDisplayedMonth(), DT(2023, 6, 1));
    p_dlg->Destroy();
    Pump();
}

TEST(MonthCalWx, AHeldArrowStepsMonthsUntilItIsReleased)
{
    auto* p_dlg = new CalDialog;
    ZelMonthCalCtrl& cal = *p_dlg->pCal;
    p_dlg->Show();
    Pump();
    cal.GotoADate(DT(2024, 1, 10));
    wxButton* p_next = cal.GetArrowButton(ZelMonthCal::idRight);
    ASSERT_NE(p_next, nullptr);
    const wxPoint pt(p_next->GetSize().x / 2, p_next->GetSize().y / 2);
    Mouse(*p_next, wxEVT_LEFT_DOWN, pt);
    EXPECT_EQ(cal.GetCal().GetDisplayedMonth(), DT(2024, 2, 1)) << "at once on the press";
    Pump(1400);
    Mouse(*p_next, wxEVT_LEFT_UP, pt);
    const DT dt_held = cal.GetCal().GetDisplayedMonth();
    // The press, four steps at 300 ms and one or two at 150 ms.
    const int i_steps = (dt_held.GetYear() - 2024) * 12 + dt_held.GetMonth() - 1;
    EXPECT_GE(i_steps, 4);
    EXPECT_LE(i_steps, 8);
    Pump(400);
    EXPECT_EQ(cal.GetCal().GetDisplayedMonth(), dt_held) << "released: no more steps";

    wxButton* p_prev = cal.GetArrowButton(ZelMonthCal::idLeft);
    Mouse(*p_prev, wxEVT_LEFT_DOWN, pt);
    Mouse(*p_prev, wxEVT_LEFT_UP, wxPoint(-50, -50));
    EXPECT_EQ(cal.GetCal().GetDisplayedMonth().GetMonth(), dt_held.GetMonth() == 1 ? 12 : dt_held.GetMonth() - 1);
    const DT dt_after = cal.GetCal().GetDisplayedMonth();
    Pump(400);
    EXPECT_EQ(cal.GetCal().GetDisplayedMonth(), dt_after) << "released elsewhere: stopped too";
    p_dlg->Destroy();
    Pump();
}

// Opens the year editor by a click on the year.
ZelMonthCalEditCtrl* OpenYearEditor(ZelMonthCalCtrl& cal)
{
    cal.Refresh();
    cal.Update();
    const CRect rc = cal.GetCal().GetYearTextRect();
    EXPECT_FALSE(rc.IsRectEmpty());
    Mouse(cal, wxEVT_LEFT_DOWN, wxPoint(rc.left + 2, rc.top + 2));
    Pump();
    return cal.GetYearEditor();
}

TEST(MonthCalWx, TheYearEditorTakesATypedYear)
{
    auto* p_dlg = new CalDialog;
    ZelMonthCalCtrl& cal = *p_dlg->pCal;
    p_dlg->Show();
    p_dlg->Raise();
    Pump(200);
    cal.GotoADate(DT(2024, 3, 31));

    ZelMonthCalEditCtrl* p_edit = OpenYearEditor(cal);
    ASSERT_NE(p_edit, nullptr);
    EXPECT_EQ(cal.FindWindow(ZelMonthCal::idYearEdit), p_edit);
    EXPECT_EQ(p_edit->GetValue(), 2024);
    EXPECT_EQ(p_edit->GetMin(), 1800);
    EXPECT_EQ(p_edit->GetMax(), 9999);
    EXPECT_TRUE(cal.GetCal().IsYearEditing());
    ShowAWhile();

    // Typed on the display's keyboard: not a number, then Enter.
    p_edit->SetFocus();
    Pump();
    wxUIActionSimulator keyboard;
    keyboard.Char('a', wxMOD_CONTROL);
    keyboard.Text("abc");
    keyboard.Char(WXK_RETURN);
    for (int i = 0; i < 100 && cal.GetYearEditor(); ++i)
        Pump(20);
    EXPECT_EQ(cal.GetYearEditor(), nullptr) << "Enter closes it";
    EXPECT_EQ(cal.GetCal().GetDisplayedMonth(), DT(1800, 3, 1)) << "\"abc\" is the first year";
    EXPECT_FALSE(p_dlg->IsBeingDeleted());
    EXPECT_TRUE(p_dlg->IsShown()) << "Enter in the editor is not the dialog's";

    // Esc cancels; the dialog stays.
    p_edit = OpenYearEditor(cal);
    ASSERT_NE(p_edit, nullptr);
    p_edit->SetValue(2050);
    keyboard.Char(WXK_ESCAPE);
    for (int i = 0; i < 100 && cal.GetYearEditor(); ++i)
        Pump(20);
    EXPECT_EQ(cal.GetYearEditor(), nullptr);
    EXPECT_EQ(cal.GetCal().GetDisplayedMonth(), DT(1800, 3, 1));
    EXPECT_TRUE(p_dlg->IsShown());

    // A click in the calendar closes it with the year it holds.
    p_edit = OpenYearEditor(cal);
    ASSERT_NE(p_edit, nullptr);
    p_edit->SetValue(2031);
    const CRect rc_days = cal.GetCal().GetDaysRect();
    Mouse(cal, wxEVT_LEFT_DOWN, wxPoint(rc_days.left + 2, rc_days.top + 2));
    EXPECT_EQ(cal.GetYearEditor(), nullptr);
    EXPECT_EQ(cal.GetCal().GetDisplayedMonth().GetYear(), 2031);
    Pump();
    p_dlg->Destroy();
    Pump();
}

} // namespace
