// The timeslot grid in a real window (run under a virtual display): a
// dialog holds it by class name next to a button; synthetic mouse and key
// events edit it, and the owner reads the result back.
#include "framework/ui/WxIds.h"
#include "testsupport/ui/WindowStacking.h"
#include "testsupport/ui/WxLoopDriving.h"
#include "testsupport/ui/WxTestEnvironment.h"
#include "zelkit/windows/ZelNotifyCodes.h"
#include "zelkit/controls/ui/ZelControlWindow.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"
#include "zelkit/controls/ui/ZelTimeslotCtrl.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/popupwin.h>
#include <wx/settings.h>
#include <wx/stattext.h>
#include <wx/sizer.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

const auto* g_env = ::testing::AddGlobalTestEnvironment(new WxTestEnvironment);

constexpr int IDC_GRID = 1180;
constexpr int IDC_BUTTON = 1181;

ZelRelTimeslot Rel(int i_start, int i_length, long l_key)
{
    return ZelRelTimeslot(ZelOleDateTimeSpan(0, 0, i_start, 0), ZelOleDateTimeSpan(0, 0, i_length, 0),
                          static_cast<LONG>(l_key));
}

void Pump()
{
    for (int i = 0; i < 5; ++i)
        wxTheApp->Yield(true);
}

// A dialog holding the grid by class name, three days of two sets, and a
// button after it; it records the grid's notifications.
class GridDialog : public wxDialog {
public:
    GridDialog() : wxDialog(nullptr, wxID_ANY, "Timeslots", wxDefaultPosition, wxSize(700, 500))
    {
        pGrid = dynamic_cast<ZelTimeslotCtrl*>(ZelCustomCtrl::CreateByClassName(ZLC_TIMESLOT, this, WxId(IDC_GRID)));
        pButton = new wxButton(this, IDC_BUTTON, "Close");
        auto* p_sizer = new wxBoxSizer(wxVERTICAL);
        p_sizer->Add(pGrid, 1, wxEXPAND);
        p_sizer->Add(pButton, 0, wxALIGN_RIGHT);
        SetSizer(p_sizer);
        Bind(
            wxEVT_ZEL_NOTIFY,
            [this](ZelNotifyEvent& event) {
                vCodes.push_back(event.GetCode());
                if (fAnswer)
                    fAnswer(event);
            },
            WxId(IDC_GRID));

        aKeys.Add(10);
        aKeys.Add(20);
        pGrid->Set24Hour(TRUE);
        pGrid->SetNumDays(3);
        for (int d = 0; d < 3; ++d)
            pGrid->SetNumSets(d, 2);
        ZelRelTimeslotArray a_slots;
        a_slots.Add(Rel(9 * 60, 60, 10));
        a_slots.Add(Rel(10 * 60, 30, 20));
        pGrid->SetTimeslots(0, a_slots, FALSE, &aKeys);
        ZelRelTimeslotArray a_last;
        a_last.Add(Rel(11 * 60, 30, 20));
        pGrid->SetTimeslots(2, a_last, FALSE, &aKeys);
        pGrid->SetDisplayStart(FALSE, 8, 0);
        pGrid->SetDisplayEnd(TRUE, 12, 0);
        Show();
        Layout();
        Pump();
    }
    int Count(int i_code) const { return static_cast<int>(std::count(vCodes.begin(), vCodes.end(), i_code)); }
    ZelRelTimeslotArray Slots(int i_day) const
    {
        ZelRelTimeslotArray a;
        pGrid->GetTimeslots(i_day, a, aKeys);
        return a;
    }

    ZelTimeslotCtrl* pGrid;
    wxButton* pButton;
    ZelArrayWithFind<long> aKeys;
    std::vector<int> vCodes;
    // The owner's answers to the grid's questions, when set.
    std::function<void(ZelNotifyEvent&)> fAnswer;
};

void Click(wxWindow& window, const CPoint& pt, bool b_ctrl = false)
{
    for (const wxEventType type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP}) {
        wxMouseEvent event(type);
        event.SetPosition(wxPoint(pt.x, pt.y));
        event.m_controlDown = b_ctrl;
        event.m_leftDown = type == wxEVT_LEFT_DOWN;
        event.SetEventObject(&window);
        window.GetEventHandler()->ProcessEvent(event);
    }
}

// A key as the dialog's key hook sees it first; true when it was handled.
bool Key(wxWindow& window, int i_key, bool b_ctrl = false, bool b_shift = false)
{
    wxKeyEvent event(wxEVT_CHAR_HOOK);
    event.m_keyCode = i_key;
    event.m_controlDown = b_ctrl;
    event.m_shiftDown = b_shift;
    event.SetEventObject(&window);
    return window.GetEventHandler()->ProcessEvent(event);
}

TEST(TimeslotCtrlWx, TheDialogEditsTheGridWithMouseAndKeys)
{
    auto* p_dlg = new GridDialog;
    ZelTimeslotCtrl& grid = *p_dlg->pGrid;
    ZelTimeslotGrid& core = grid.GetGrid();
    ASSERT_EQ(grid.GetName(), ZLC_TIMESLOT);
    ASSERT_GT(grid.GetClientSize().y, 200);
    grid.Update();
    EXPECT_TRUE(ZelTimeslotCtrl::HasBeenDisplayed());

    // A click on empty time of day 1, set 1, adds a slot there.
    CRect rc_column;
    ASSERT_TRUE(core.SetToRect(1, 1, rc_column));
    CPoint pt_time;
    ASSERT_TRUE(core.TimeToPoint(core.GetDayStart(1) + ZelOleDateTimeSpan(0, 20, 0, 0), pt_time)); // 08:00
    Click(grid, CPoint(rc_column.left + 5, pt_time.y + 2));
    ASSERT_EQ(p_dlg->Slots(1).GetSize(), 1);
    EXPECT_EQ(p_dlg->Slots(1)[0].GetSetKey(), 20);
    EXPECT_EQ(p_dlg->Slots(1)[0].GetStart(), ZelOleDateTimeSpan(0, 8, 0, 0));
    EXPECT_EQ(p_dlg->Count(ZTSN_CHANGED), 1);

    // A click whose slot would overlap says why in the position tip.
    Click(grid, CPoint(rc_column.left + 5, pt_time.y - 10));
    wxStaticText* p_tip_text = nullptr;
    for (wxWindow* p_child : grid.GetChildren())
        if (dynamic_cast<wxPopupWindow*>(p_child) && p_child->IsShown())
            for (wxWindow* p_label : p_child->GetChildren())
                p_tip_text = dynamic_cast<wxStaticText*>(p_label);
    ASSERT_NE(p_tip_text, nullptr) << "the tip shows";
    EXPECT_EQ(p_tip_text->GetLabel(), "Timeslot overlaps with another timeslot.");
    EXPECT_EQ(p_dlg->Slots(1).GetSize(), 1);

    // Ctrl+Z takes it away, Ctrl+Y brings it back.
    EXPECT_TRUE(Key(grid, 'Z', true));
    EXPECT_EQ(p_dlg->Slots(1).GetSize(), 0);
    EXPECT_TRUE(Key(grid, 'Y', true));
    EXPECT_EQ(p_dlg->Slots(1).GetSize(), 1);

    // A click selects day 0's first slot; Right moves it to the second set,
    // where it ends as the slot there begins.
    CRect rc_slot;
    core.GetSlotRect(0, 0, 0, rc_slot);
    Click(grid, rc_slot.CenterPoint());
    EXPECT_GE(p_dlg->Count(ZTSN_SELCHANGED), 1);
    EXPECT_EQ(grid.CountSelected(), 1);
    EXPECT_TRUE(Key(grid, WXK_RIGHT));
    ZelRelTimeslotArray a_day0 = p_dlg->Slots(0);
    ASSERT_EQ(a_day0.GetSize(), 2);
    EXPECT_EQ(a_day0[0].GetSetKey(), 20) << "moved to the second set";
    EXPECT_EQ(a_day0[0].GetStart(), ZelOleDateTimeSpan(0, 9, 0, 0));
    // Ctrl+Down shortens it by a step from its start.
    EXPECT_TRUE(Key(grid, WXK_DOWN, true));
    a_day0 = p_dlg->Slots(0);
    EXPECT_EQ(a_day0[0].GetStart(), ZelOleDateTimeSpan(0, 9, 5, 0));
    EXPECT_EQ(a_day0[0].GetLength(), ZelOleDateTimeSpan(0, 0, 55, 0));
    EXPECT_EQ(p_dlg->Count(ZTSN_CHANGED), 5);

    // Tab walks to the last slot (day 2), then on to the button.
    grid.SetFocus();
    Pump();
    int n_tabs = 0;
    while (Key(grid, WXK_TAB) && wxWindow::FindFocus() != p_dlg->pButton && n_tabs < 10)
        ++n_tabs;
    int d, s, i;
    ASSERT_TRUE(core.FindFocus(d, s, i));
    EXPECT_EQ(d, 2) << "the last slot has the focus";
    Pump();
    EXPECT_EQ(wxWindow::FindFocus(), p_dlg->pButton) << "Tab past the last slot reaches the button";

    p_dlg->Destroy();
    Pump();
}

TEST(TimeslotCtrlWx, ScrollBarsAndWheelFollowTheGrid)
{
    auto* p_dlg = new GridDialog;
    ZelTimeslotCtrl& grid = *p_dlg->pGrid;
    grid.SetDisplayStart(FALSE, 0, 0);
    grid.SetDisplayEnd(TRUE, 23, 0);
    Pump();
    ZelScrollInfo info = grid.GetScrollInfoOf(wxVERTICAL);
    ASSERT_LE(static_cast<int>(info.nPage), info.nMax) << "a whole day needs the vertical bar";
    EXPECT_EQ(grid.GetScrollRange(wxVERTICAL), info.nMax + 1);
    EXPECT_EQ(grid.GetScrollThumb(wxVERTICAL), static_cast<int>(info.nPage));

    // From the top: on a busy display the dialog's sizing can come after the
    // range is set and leave the grid scrolled elsewhere.
    wxScrollWinEvent top(wxEVT_SCROLLWIN_TOP, 0, wxVERTICAL);
    top.SetEventObject(&grid);
    grid.GetEventHandler()->ProcessEvent(top);
    ASSERT_EQ(grid.GetScrollInfoOf(wxVERTICAL).nPos, 0);

    wxScrollWinEvent line(wxEVT_SCROLLWIN_LINEDOWN, 0, wxVERTICAL);
    line.SetEventObject(&grid);
    grid.GetEventHandler()->ProcessEvent(line);
    EXPECT_EQ(grid.GetScrollInfoOf(wxVERTICAL).nPos, grid.GetGrid().GetLinePitch());
    EXPECT_EQ(grid.GetScrollPos(wxVERTICAL), grid.GetGrid().GetLinePitch());

    wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
    wheel.m_wheelRotation = 120;
    wheel.m_wheelDelta = 120;
    wheel.SetEventObject(&grid);
    grid.GetEventHandler()->ProcessEvent(wheel);
    EXPECT_EQ(grid.GetScrollInfoOf(wxVERTICAL).nPos, 0) << "a notch away from the user shows earlier times";

    p_dlg->Destroy();
    Pump();
}

// The grid's empty and read-only areas take the theme's colours, never the
// classic desktop blue; the slots stay readable on them, and a slot the
// owner colours as selected (as the rules pages do) keeps the selection
// colour. Read back from the screen as painted.
TEST(TimeslotCtrlWx, EmptyAndReadOnlyAreasFollowTheTheme)
{
    auto* p_dlg = new GridDialog;
    ZelTimeslotCtrl& grid = *p_dlg->pGrid;
    ZelTimeslotGrid& core = grid.GetGrid();
    p_dlg->fAnswer = [](ZelNotifyEvent& event) {
        auto* p_info = event.GetRecordAs<ZelTimeslotColorNotify>();
        if (event.GetCode() != ZTSN_SLOTCOLOR || p_info == nullptr || p_info->pTimeslot == nullptr
            || !p_info->pTimeslot->IsSelected())
            return;
        p_info->crColor = static_cast<COLORREF>(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT).GetRGB());
        event.Answer();
    };
    const auto theme = [](wxSystemColour e_colour) {
        return std::string(wxSystemSettings::GetColour(e_colour).GetAsString(wxC2S_HTML_SYNTAX).utf8_str());
    };
    // Under a window manager the window may be mapped a moment later.
    const auto painted = [&grid]() {
        wxImage image;
        for (int i = 0; i < 100 && !image.IsOk(); ++i) {
            grid.Refresh();
            grid.Update();
            Pump();
            image = CaptureOnScreen(grid);
            if (!image.IsOk())
                wxMilliSleep(20);
        }
        return image;
    };
    const auto at = [](const wxImage& image, const CPoint& pt) {
        const wxColour c(image.GetRed(pt.x, pt.y), image.GetGreen(pt.x, pt.y), image.GetBlue(pt.x, pt.y));
        return std::string(c.GetAsString(wxC2S_HTML_SYNTAX).utf8_str());
    };
    const auto has_classic_blue = [](const wxImage& image) {
        const COLORREF c_blue = ZelDefaultSysColor(ZelSys::COLOR_BACKGROUND);
        for (int y = 0; y < image.GetHeight(); ++y)
            for (int x = 0; x < image.GetWidth(); ++x)
                if (image.GetRed(x, y) == ZelGetRValue(c_blue) && image.GetGreen(x, y) == ZelGetGValue(c_blue)
                    && image.GetBlue(x, y) == ZelGetBValue(c_blue))
                    return true;
        return false;
    };
    // An empty spot: day 1 has no slots; the middle of its first column at
    // the height of day 0's first slot, between two dotted time lines.
    CRect rc_slot, rc_column;
    core.GetSlotRect(0, 0, 0, rc_slot);
    ASSERT_TRUE(core.SetToRect(1, 0, rc_column));
    ASSERT_GE(rc_slot.Height(), ZelTimeslotGrid::nMinShapeHeight) << "the slot is drawn in three parts";
    const LONG y_between = rc_slot.top + rc_slot.Height() * 3 / 8;
    const CPoint pt_empty(rc_column.CenterPoint().x, y_between);
    // Beside the slot's narrower middle part, where the area shows through.
    const CPoint pt_beside(rc_slot.left + rc_slot.Width() / 8, y_between);
    const CPoint pt_slot(rc_slot.CenterPoint().x, rc_slot.top + 3);

    // A slot stands apart from the area: on the window's colour it takes
    // the face colour, on the face colour the window's.
    struct Case {
        const char* pName;
        BOOL bReadOnly;
        wxSystemColour eArea;
        wxSystemColour eSlot;
    };
    const Case a_cases[] = {
        {"editable", FALSE, wxSYS_COLOUR_WINDOW, wxSYS_COLOUR_BTNFACE},
        {"read-only", TRUE, wxSYS_COLOUR_BTNFACE, wxSYS_COLOUR_WINDOW},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pName);
        grid.SetReadOnly(c.bReadOnly);
        core.UnselectAll();
        core.Select(0, 1, 0, FALSE, FALSE);
        const wxImage image = painted();
        ASSERT_TRUE(image.IsOk()) << "the display can be read back";
        ShowAWhile("the grid's colours");
        EXPECT_FALSE(has_classic_blue(image));
        EXPECT_EQ(at(image, pt_empty), theme(c.eArea)) << "the empty area";
        EXPECT_EQ(at(image, pt_beside), theme(c.eArea)) << "beside a slot's middle";
        EXPECT_EQ(at(image, pt_slot), theme(c.eSlot)) << "a slot";
        EXPECT_NE(theme(c.eSlot), theme(c.eArea));
        // The slot's times stand out from it: some pixel of the slot is
        // far darker than its face.
        int i_darkest = 255 * 3;
        for (int y = rc_slot.top + 2; y < rc_slot.bottom - 2; ++y)
            for (int x = rc_slot.left + 2; x < rc_slot.right - 2; ++x)
                i_darkest = std::min(i_darkest, image.GetRed(x, y) + image.GetGreen(x, y) + image.GetBlue(x, y));
        const wxColour face = wxSystemSettings::GetColour(c.eSlot);
        EXPECT_GT(face.Red() + face.Green() + face.Blue() - i_darkest, 3 * 100) << "the slot's text is readable";
        CRect rc_selected;
        core.GetSlotRect(0, 1, 0, rc_selected);
        EXPECT_EQ(at(image, CPoint(rc_selected.CenterPoint().x, rc_selected.top + 4)), theme(wxSYS_COLOUR_HIGHLIGHT))
            << "the selected slot";
    }
    p_dlg->Destroy();
    Pump();
}

} // namespace
