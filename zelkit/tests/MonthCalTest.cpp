// The month calendar without a window: the first week shown, the rules of
// selection with their notifications and beeps, the keys, the arrows'
// repeat schedule, the year editor's text, the day kept within a month,
// hit tests and what a paint draws.
#include "TimeslotFakes.h"
#include "zelkit/controls/ZelLocale.h"
#include "zelkit/controls/ZelMonthCal.h"
#include "zelkit/windows/ZelNotifyCodes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using DT = ZelOleDateTime;

class CalPort : public FakeDrawPort {
public:
    void FillEllipse(const CRect& rc, COLORREF c) override
    {
        FakeDrawOp op{"ellipse", rc};
        op.cColor = c;
        Ops.push_back(op);
    }
};

class CalHost : public IZelMonthCalHost, public IZelMetricsPort, public IZelTimerPort, public IZelBeepPort {
public:
    CRect GetClientArea() const override { return CRect(0, 0, 200, 160); }
    void Invalidate(const CRect*, BOOL) override { ++nInvalidated; }
    long Notify(int i_code, void* p_record) override
    {
        if (i_code == ZMCN_SELCHANGED) {
            const auto& dates = static_cast<ZelMonthCalSelNotify*>(p_record)->Dates;
            std::string s;
            for (int i = 0; i < dates.GetSize(); ++i)
                s += (s.empty() ? "" : ",") + std::to_string(dates[i].GetDay());
            vSel.push_back(s);
        } else if (i_code == ZMCN_FOCUSCHANGED) {
            vFocus.push_back(static_cast<ZelMonthCalFocusNotify*>(p_record)->dtFocus);
        }
        return 0;
    }
    void SetCaretPos(const CPoint& pt) override { ptCaret = pt; }
    void TrackPopupMenu(const ZelMenu& menu, const CPoint&) override { LastMenu = menu; }
    BOOL OpenYearEditor(const CRect& rc, int i_year) override
    {
        rcEditor = rc;
        iEditorYear = i_year;
        return TRUE;
    }
    void CloseYearEditor() override { ++nEditorClosed; }

    int GetSystemMetrics(int i_index) override { return ZelDefaultSystemMetrics(i_index); }
    COLORREF GetSysColor(int i_index) override { return ZelDefaultSysColor(i_index); }
    void StartTimer(UINT u_id, UINT u_period) override { vTimers.push_back(std::to_string(u_id) + ":" + std::to_string(u_period)); }
    void KillTimer(UINT u_id) override { vTimers.push_back(std::to_string(u_id) + ":off"); }
    DWORD GetTickCount() override { return dwNow; }
    void Beep() override { ++nBeeps; }

    int nInvalidated = 0;
    std::vector<std::string> vSel;
    std::vector<DT> vFocus;
    CPoint ptCaret;
    ZelMenu LastMenu;
    CRect rcEditor;
    int iEditorYear = 0;
    int nEditorClosed = 0;
    std::vector<std::string> vTimers;
    DWORD dwNow = 1000;
    int nBeeps = 0;
};

// A calendar laid out 200 pixels wide with 13-pixel text: columns of 27
// pixels from x 4, rows of 16 pixels from y 40.
class MonthCalTest : public ::testing::Test {
protected:
    MonthCalTest() : Locale(IZelLocalePort::measureMetric, "%d/%m/%Y") { Make(DT(2024, 5, 15, 10, 30, 0)); }
    void Make(const DT& dt_now)
    {
        Cal = std::make_unique<ZelMonthCal>(dt_now);
        Cal->SetHost(&Host, &Host, &Host, &Host);
        CalPort port;
        EXPECT_EQ(Cal->ComputeAreas(port, Host.GetClientArea()), 153);
        Paint();
        Host = CalHost();
    }
    CalPort Paint()
    {
        CalPort port;
        Cal->Paint(port);
        return port;
    }
    // The middle of a date's cell.
    CPoint At(const DT& dt)
    {
        const CRect rc = Cal->FindDate(dt);
        EXPECT_FALSE(rc.IsRectEmpty()) << dt.Format("%Y-%m-%d");
        return CPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    }
    std::string Selected()
    {
        std::string s;
        const auto& a = Cal->GetSelectedDates();
        for (int i = 0; i < a.GetSize(); ++i)
            s += (s.empty() ? "" : ",") + a[i].Format("%m-%d");
        return s;
    }

    ZelFixedLocale Locale;
    CalHost Host;
    std::unique_ptr<ZelMonthCal> Cal;
};

TEST_F(MonthCalTest, TheFirstRowStartsOnAMondayAndAMonthBeginningOnMondayShowsTheWeekBefore)
{
    struct Case {
        int iYear, iMonth;
        DT dtFirst;
    };
    const Case a_cases[] = {
        {2024, 4, DT(2024, 3, 25)}, // 1 April 2024 is a Monday
        {2024, 5, DT(2024, 4, 29)}, // a Wednesday
        {2024, 9, DT(2024, 8, 26)}, // a Sunday
        {2024, 6, DT(2024, 5, 27)}, // a Saturday
        {1800, 1, DT(1799, 12, 30)},
    };
    for (const Case& c : a_cases) {
        Cal->GotoADate(DT(c.iYear, c.iMonth, 10));
        EXPECT_EQ(Cal->GetFirstShown(), c.dtFirst) << c.iYear << "-" << c.iMonth;
        EXPECT_EQ(Cal->GetFirstShown().GetDayOfWeek(), 2);
        EXPECT_EQ(Cal->FindDate(c.dtFirst), CRect(4, 40, 31, 56));
        EXPECT_EQ(Cal->FindDate(c.dtFirst + ZelOleDateTimeSpan(41, 0, 0, 0)), CRect(166, 120, 193, 136));
        EXPECT_TRUE(Cal->FindDate(c.dtFirst + ZelOleDateTimeSpan(42, 0, 0, 0)).IsRectEmpty());
        EXPECT_TRUE(Cal->FindDate(c.dtFirst - ZelOleDateTimeSpan(1, 0, 0, 0)).IsRectEmpty());
    }
}

TEST_F(MonthCalTest, HitTestsFindTheCellsDate)
{
    CRect rc_cell;
    EXPECT_EQ(Cal->FindDate(CPoint(4, 40), &rc_cell), DT(2024, 4, 29));
    EXPECT_EQ(rc_cell, CRect(4, 40, 31, 56));
    EXPECT_EQ(Cal->FindDate(CPoint(31 + 27 * 2, 56 + 16)), DT(2024, 5, 16)) << "row 2, column 3";
    for (const CPoint pt : {CPoint(3, 50), CPoint(100, 39), CPoint(193, 50), CPoint(100, 136), CPoint(100, 10)}) {
        EXPECT_FALSE(Cal->FindDate(pt, &rc_cell).IsValid()) << pt.x << "," << pt.y;
        EXPECT_TRUE(rc_cell.IsRectEmpty());
    }
    EXPECT_EQ(Cal->GetArrowRect(ZelMonthCal::idLeft), CRect(6, 5, 22, 21));
    EXPECT_EQ(Cal->GetArrowRect(ZelMonthCal::idRight), CRect(178, 5, 194, 21));
    EXPECT_EQ(Cal->GetTodayRect(), CRect(0, 136, 200, 149));
}

TEST_F(MonthCalTest, WithOneDateAllowedAClickSelectsAndACtrlClickBeeps)
{
    Cal->OnLButtonDown(0, At(DT(2024, 5, 20)));
    EXPECT_EQ(Selected(), "05-20");
    EXPECT_EQ(Host.vSel, std::vector<std::string>{"20"});
    ASSERT_EQ(Host.vFocus.size(), 1u);
    EXPECT_EQ(Host.vFocus[0], DT(2024, 5, 20));

    Cal->OnLButtonDown(MK_CONTROL, At(DT(2024, 5, 21)));
    EXPECT_EQ(Selected(), "05-20");
    EXPECT_EQ(Host.nBeeps, 1);
    EXPECT_EQ(Host.vSel.size(), 1u);
    EXPECT_EQ(Cal->GetFocusDate(), DT(2024, 5, 21)) << "the focus moves all the same";

    // A plain click elsewhere replaces the date: two notifications.
    Cal->OnLButtonDown(0, At(DT(2024, 5, 22)));
    EXPECT_EQ(Selected(), "05-22");
    EXPECT_EQ(Host.vSel, (std::vector<std::string>{"20", "", "22"}));

    // A plain click on a selected date empties the selection and then
    // toggles the date, which the empty selection no longer holds: two
    // notifications, the date selected alone.
    Host.vSel.clear();
    Cal->SetNumSelections(3);
    Cal->OnLButtonDown(MK_CONTROL, At(DT(2024, 5, 23)));
    Cal->OnLButtonDown(0, At(DT(2024, 5, 23)));
    EXPECT_EQ(Host.vSel, (std::vector<std::string>{"22,23", "", "23"}));
    EXPECT_EQ(Selected(), "05-23");

    Cal->SetNumSelections(0);
    EXPECT_EQ(Cal->GetNumSelections(), 1u);
}

TEST_F(MonthCalTest, CtrlClickOnASelectedDateUnselectsItAndASetSelectionKeepsEveryDate)
{
    Cal->SetNumSelections(5);
    for (int i_day : {3, 6, 9})
        Cal->OnLButtonDown(MK_CONTROL, At(DT(2024, 5, i_day)));
    EXPECT_EQ(Selected(), "05-03,05-06,05-09");
    Host.vSel.clear();
    Cal->OnLButtonDown(MK_CONTROL, At(DT(2024, 5, 6)));
    EXPECT_EQ(Selected(), "05-03,05-09");
    EXPECT_EQ(Host.vSel, std::vector<std::string>{"3,9"});
    EXPECT_TRUE(Cal->GetAnchor().IsNull());

    // A click on a date with a time of day selects it by its date.
    EXPECT_TRUE(Cal->IsSelected(DT(2024, 5, 9, 23, 59, 0)));
    EXPECT_EQ(Cal->FindSelected(DT(2024, 5, 3, 1, 0, 0)), 0);
    EXPECT_EQ(Cal->FindSelected(DT(2024, 5, 4)), -1);

    ZelArrayWithFind<DT> a_many;
    for (int i = 1; i <= 8; ++i)
        a_many.Add(DT(2024, 6, i));
    Host.vSel.clear();
    Cal->SetSelectedDates(a_many);
    EXPECT_EQ(Cal->GetSelectedDates().GetSize(), 8) << "no maximum applied";
    EXPECT_EQ(Host.vSel, std::vector<std::string>{"1,2,3,4,5,6,7,8"});
    EXPECT_EQ(Cal->SelectDate(DT(2024, 6, 9)), 0);
    EXPECT_EQ(Host.nBeeps, 1);

    Cal->GotoFirstDate();
    EXPECT_EQ(Cal->GetFocusDate(), DT(2024, 6, 1));
    Cal->GotoLastDate();
    EXPECT_EQ(Cal->GetFocusDate(), DT(2024, 6, 8));
    EXPECT_EQ(Cal->GetDisplayedMonth(), DT(2024, 6, 1));
}

TEST_F(MonthCalTest, ShiftClickSelectsFromTheAnchorAndMovesIt)
{
    Cal->SetNumSelections(20);
    Cal->OnLButtonDown(0, At(DT(2024, 5, 10)));
    Host.vSel.clear();
    Cal->OnLButtonDown(MK_SHIFT, At(DT(2024, 5, 10)));
    EXPECT_EQ(Selected(), "05-10") << "the anchor adds nothing";
    EXPECT_TRUE(Host.vSel.empty());

    Cal->OnLButtonDown(MK_SHIFT, At(DT(2024, 5, 15)));
    EXPECT_EQ(Selected(), "05-10,05-11,05-12,05-13,05-14,05-15");
    EXPECT_EQ(Cal->GetAnchor(), DT(2024, 5, 15));
    EXPECT_EQ(Host.vSel.size(), 1u) << "one notification for the range";

    Cal->OnLButtonDown(MK_SHIFT, At(DT(2024, 5, 12)));
    EXPECT_EQ(Selected(), "05-10,05-11,05-12,05-13,05-14,05-15") << "back over selected days: nothing added";
    Cal->OnLButtonDown(MK_SHIFT, At(DT(2024, 5, 7)));
    EXPECT_EQ(Selected(), "05-10,05-11,05-12,05-13,05-14,05-15,05-09,05-08,05-07") << "backward, day by day";

    // Beyond the maximum every day beeps.
    Cal->SetNumSelections(10);
    Cal->OnLButtonDown(MK_SHIFT, At(DT(2024, 5, 2)));
    EXPECT_EQ(Cal->GetSelectedDates().GetSize(), 10);
    EXPECT_EQ(Host.nBeeps, 4);

    // An anchor made from the focus (today, with its time of day) still
    // reaches the last day of a range.
    Cal->UnselectAll();
    Cal->GotoToday();
    Cal->OnKeyDown(VK_SPACE, 0);
    EXPECT_EQ(Cal->GetAnchor(), DT(2024, 5, 15, 10, 30, 0));
    Cal->OnLButtonDown(MK_SHIFT, At(DT(2024, 5, 17)));
    EXPECT_EQ(Selected(), "05-15,05-16,05-17");
}

TEST_F(MonthCalTest, AGreyDayOfTheNextMonthShowsThatMonth)
{
    Cal->OnLButtonDown(0, At(DT(2024, 6, 2)));
    EXPECT_EQ(Cal->GetDisplayedMonth(), DT(2024, 6, 1));
    EXPECT_EQ(Selected(), "06-02");
    EXPECT_EQ(Cal->GetFocusDate(), DT(2024, 6, 2));
    EXPECT_EQ(Cal->GetFirstShown(), DT(2024, 5, 27));
}

TEST_F(MonthCalTest, KeysMoveTheFocusAndAlwaysTellIt)
{
    Cal->SetNumSelections(10);
    struct Step {
        UINT uKey, uMods;
        DT dtFocus;
        DT dtMonth;
        const char* pSelected;
    };
    const Step a_steps[] = {
        {VK_RIGHT, 0, DT(2024, 5, 16, 10, 30, 0), DT(2024, 5, 1), ""},
        {VK_DOWN, 0, DT(2024, 5, 23, 10, 30, 0), DT(2024, 5, 1), ""},
        {VK_DOWN, KM_SHIFT, DT(2024, 5, 30, 10, 30, 0), DT(2024, 5, 1), "05-30"},
        {VK_RIGHT, KM_SHIFT, DT(2024, 5, 31, 10, 30, 0), DT(2024, 5, 1), "05-30,05-31"},
        {VK_RIGHT, 0, DT(2024, 6, 1, 10, 30, 0), DT(2024, 6, 1), "05-30,05-31"},
        {VK_UP, 0, DT(2024, 5, 25, 10, 30, 0), DT(2024, 5, 1), "05-30,05-31"},
        {VK_LEFT, 0, DT(2024, 5, 24, 10, 30, 0), DT(2024, 5, 1), "05-30,05-31"},
    };
    for (const Step& s : a_steps) {
        Host.vFocus.clear();
        EXPECT_TRUE(Cal->PreTranslateKey(s.uKey, s.uMods));
        EXPECT_EQ(Cal->GetFocusDate(), s.dtFocus) << s.uKey;
        EXPECT_EQ(Cal->GetDisplayedMonth(), s.dtMonth) << s.uKey;
        EXPECT_EQ(Selected(), s.pSelected) << s.uKey;
        EXPECT_EQ(Host.vFocus.size(), 1u) << s.uKey;
    }
    EXPECT_FALSE(Cal->PreTranslateKey(VK_SPACE, 0));

    // Space: alone replaces, with Ctrl toggles, with Shift extends.
    Host.vSel.clear();
    Cal->OnKeyDown(VK_SPACE, 0);
    EXPECT_EQ(Selected(), "05-24");
    Cal->OnKeyDown(VK_SPACE, KM_CONTROL);
    EXPECT_EQ(Selected(), "");
    Cal->OnKeyDown(VK_SPACE, KM_CONTROL);
    Cal->PreTranslateKey(VK_RIGHT, 0);
    Cal->PreTranslateKey(VK_RIGHT, 0);
    Cal->OnKeyDown(VK_SPACE, KM_SHIFT);
    EXPECT_EQ(Selected(), "05-24,05-25,05-26");

    // Page Up and Down change the month only; with Shift the year, and the
    // focus follows into it.
    Host.vFocus.clear();
    Cal->OnKeyDown(VK_NEXT, 0);
    EXPECT_EQ(Cal->GetDisplayedMonth(), DT(2024, 6, 1));
    Cal->OnKeyDown(VK_PRIOR, 0);
    Cal->OnKeyDown(VK_PRIOR, 0);
    EXPECT_EQ(Cal->GetDisplayedMonth(), DT(2024, 4, 1));
    EXPECT_EQ(Cal->GetFocusDate(), DT(2024, 5, 26, 10, 30, 0));
    EXPECT_TRUE(Host.vFocus.empty());
    Cal->OnKeyDown(VK_NEXT, KM_SHIFT);
    EXPECT_EQ(Cal->GetDisplayedMonth(), DT(2025, 4, 1));
    EXPECT_EQ(Cal->GetFocusDate(), DT(2025, 4, 26, 10, 30, 0));
    Cal->OnKeyDown(VK_PRIOR, KM_SHIFT);
    Cal->OnKeyDown(VK_PRIOR, KM_SHIFT);
    EXPECT_EQ(Cal->GetDisplayedMonth(), DT(2023, 4, 1));
    EXPECT_EQ(Host.vFocus.size(), 3u);
}

TEST_F(MonthCalTest, AHeldArrowRepeatsFasterTheLongerItIsHeld)
{
    // Held for five seconds, the timer firing at its period each time.
    Cal->OnArrowPress(ZelMonthCal::idRight);
    std::vector<DWORD> v_steps{Host.dwNow};
    UINT u_period = 300;
    while (Host.dwNow < 1000 + 5000) {
        Host.dwNow += u_period;
        Cal->OnTimer(ZelMonthCal::idRight);
        v_steps.push_back(Host.dwNow);
        const std::string& s_last = Host.vTimers.back();
        u_period = static_cast<UINT>(std::stoul(s_last.substr(s_last.find(':') + 1)));
    }
    Cal->OnArrowRelease(ZelMonthCal::idRight);
    EXPECT_EQ(Host.vTimers, (std::vector<std::string>{"2:300", "2:150", "2:75", "2:50", "2:off"}));
    // 1 press + 4 at 300 (to 1.2 s) + 6 at 150 (to 2.1 s) + 26 at 75 (to
    // 4.05 s) + 19 at 50: each step one month.
    const std::size_t n_steps = v_steps.size();
    EXPECT_EQ(n_steps, 1u + 4 + 6 + 26 + 19);
    const int i_months = (Cal->GetDisplayedMonth().GetYear() - 2024) * 12 + Cal->GetDisplayedMonth().GetMonth() - 5;
    EXPECT_EQ(static_cast<std::size_t>(i_months), n_steps);
    EXPECT_TRUE(Host.vFocus.empty()) << "the arrows move the month, not the focus";
}

TEST_F(MonthCalTest, TheArrowsStopAtTheFirstAndLastMonths)
{
    Cal->GotoADate(DT(1800, 2, 3));
    Cal->OnArrowPress(ZelMonthCal::idLeft);
    EXPECT_EQ(Cal->GetDisplayedMonth(), DT(1800, 1, 1));
    Host.dwNow += 1500; // long enough held for a faster period
    Cal->OnTimer(ZelMonthCal::idLeft);
    EXPECT_EQ(Cal->GetDisplayedMonth(), DT(1800, 1, 1));
    EXPECT_EQ(Host.nBeeps, 1);
    EXPECT_EQ(Host.vTimers, (std::vector<std::string>{"1:300", "1:off"})) << "stopped, and not started again";

    Cal->GotoADate(DT(9999, 11, 3));
    Cal->OnRight();
    Cal->OnRight();
    EXPECT_EQ(Cal->GetDisplayedMonth(), DT(9999, 12, 1));
    EXPECT_EQ(Host.nBeeps, 2);
    Cal->OnKeyDown(VK_NEXT, KM_SHIFT);
    EXPECT_EQ(Cal->GetDisplayedMonth(), DT(9999, 12, 1)) << "the year is held at its limit";

    Host.vTimers.clear();
    Cal->OnArrowPress(ZelMonthCal::idLeft);
    Cal->OnReleaseElsewhere();
    EXPECT_EQ(Host.vTimers, (std::vector<std::string>{"1:300", "1:off", "2:off"}));
}

TEST_F(MonthCalTest, TheYearEditorTakesWhatWasTypedWithinTheYearLimits)
{
    CalPort port = Paint();
    const CRect rc_year = Cal->GetYearTextRect();
    ASSERT_FALSE(rc_year.IsRectEmpty());
    Cal->OnLButtonDown(0, CPoint(rc_year.left + 1, rc_year.top + 1));
    EXPECT_EQ(Cal->IsYearEditing(), 1);
    EXPECT_EQ(Host.rcEditor, rc_year);
    EXPECT_EQ(Host.iEditorYear, 2024);

    struct Case {
        const char* pText;
        BOOL bCancelled;
        int iYear;
    };
    const Case a_cases[] = {{"abc", FALSE, 1800}, {"2031", FALSE, 2031}, {"", FALSE, 1800}, {"12345", FALSE, 9999},
                            {"99999999999999", FALSE, 9999}, {"-5", FALSE, 1800}, {"1999x", FALSE, 1999},
                            {"2050", TRUE, 1999}};
    for (const Case& c : a_cases) {
        Cal->ChangeYear();
        Cal->OnYearEditorClosed(c.pText, c.bCancelled);
        EXPECT_EQ(Cal->GetDisplayedMonth(), DT(c.iYear, 5, 1)) << c.pText;
        EXPECT_EQ(Cal->IsYearEditing(), 0);
    }

    // A click anywhere closes an open editor first.
    Cal->ChangeYear();
    Cal->OnLButtonDown(0, At(DT(1999, 5, 3)));
    EXPECT_EQ(Host.nEditorClosed, 1);
}

TEST_F(MonthCalTest, TheFocusDayIsKeptWithinTheMonthItMovesTo)
{
    Make(DT(2024, 1, 31, 8, 0, 0));
    Cal->GotoMonth(2);
    EXPECT_EQ(Cal->GetFocusDate(), DT(2024, 2, 29, 8, 0, 0)) << "the last day of a shorter month";
    Cal->GotoYear(2023);
    EXPECT_EQ(Cal->GetFocusDate(), DT(2023, 2, 28, 8, 0, 0));
    Cal->GotoMonth(3);
    EXPECT_EQ(Cal->GetFocusDate(), DT(2023, 3, 28, 8, 0, 0)) << "the day kept from there";
    Cal->OnCommand(ZelMonthCal::IDM_FIRST_MONTH + 3);
    EXPECT_EQ(Cal->GetDisplayedMonth(), DT(2023, 4, 1));
    EXPECT_EQ(Host.vFocus.size(), 4u);
    Cal->GotoYear(1200);
    EXPECT_EQ(Cal->GetDisplayedMonth(), DT(1800, 4, 1));

    Host.vFocus.clear();
    Cal->OnCommand(ZelMonthCal::IDM_GOTO_TODAY);
    EXPECT_EQ(Cal->GetDisplayedMonth(), DT(2024, 1, 1));
    EXPECT_EQ(Cal->GetFocusDate(), DT(2024, 1, 31, 8, 0, 0));
    ASSERT_EQ(Host.vFocus.size(), 1u);
    Cal->GotoToday();
    EXPECT_EQ(Host.vFocus.size(), 1u) << "no change, no notification";
}

TEST_F(MonthCalTest, MenusOfferTheirCommandsAsTheSelectionAllows)
{
    Cal->OnContextMenu(CPoint(-1, -1));
    ASSERT_EQ(Host.LastMenu.size(), 4u);
    EXPECT_EQ(Host.LastMenu[0].uId, ZelMonthCal::IDM_GOTO_TODAY);
    EXPECT_EQ(Host.LastMenu[0].bEnabled, 1);
    for (std::size_t i = 1; i < 4; ++i)
        EXPECT_EQ(Host.LastMenu[i].bEnabled, 0) << Host.LastMenu[i].sText;
    Cal->OnLButtonDown(0, At(DT(2024, 5, 2)));
    Cal->OnContextMenu(CPoint(10, 10));
    EXPECT_EQ(Host.LastMenu[3].sText, "&Clear all selections");
    EXPECT_EQ(Host.LastMenu[3].bEnabled, 1);
    EXPECT_TRUE(Cal->OnCommand(ZelMonthCal::IDM_CLEAR_ALL));
    EXPECT_EQ(Selected(), "");
    EXPECT_FALSE(Cal->OnCommand(1024));

    Paint();
    const CRect rc_month = Cal->GetMonthTextRect();
    Cal->OnLButtonDown(0, CPoint(rc_month.left + 1, rc_month.top + 1));
    ASSERT_EQ(Host.LastMenu.size(), 12u);
    EXPECT_EQ(Host.LastMenu[0].sText, "January");
    EXPECT_EQ(Host.LastMenu[11].uId, 1036u);

    Cal->GotoADate(DT(2023, 1, 9));
    Cal->OnLButtonDown(0, CPoint(50, Cal->GetTodayRect().top + 2));
    EXPECT_EQ(Cal->GetDisplayedMonth(), DT(2024, 5, 1)) << "a click on the today line";
    EXPECT_EQ(Cal->GetFocusDate(), DT(2024, 5, 15, 10, 30, 0));
}

TEST_F(MonthCalTest, APaintShowsTheMonthTheSelectionTodayAndTheCaret)
{
    Cal->SetNumSelections(3);
    Cal->OnLButtonDown(MK_CONTROL, At(DT(2024, 5, 20)));
    Cal->OnLButtonDown(MK_CONTROL, At(DT(2024, 6, 1)));
    Cal->GotoADate(DT(2024, 5, 9));
    const CalPort port = Paint();

    std::vector<std::string> v_texts;
    for (const FakeDrawOp& op : port.Of("text"))
        v_texts.push_back(op.sText);
    ASSERT_EQ(v_texts.size(), 2u + 7 + 42 + 1);
    EXPECT_EQ(v_texts[0], "May ");
    EXPECT_EQ(v_texts[1], "2024");
    EXPECT_EQ(v_texts[2], "Mon");
    EXPECT_EQ(v_texts[8], "Sun");
    EXPECT_EQ(v_texts[9], "29") << "29 April first";
    EXPECT_EQ(v_texts.back(), "Today: 15/05/2024") << "the user's short date format";

    const std::vector<FakeDrawOp> v_balls = port.Of("ellipse");
    ASSERT_EQ(v_balls.size(), 2u);
    const CRect rc_20 = Cal->FindDate(DT(2024, 5, 20));
    EXPECT_EQ(v_balls[0].rc, CRect(rc_20.left + 2, rc_20.top + 2, rc_20.right - 1, rc_20.bottom - 1));
    EXPECT_EQ(v_balls[0].cColor, ZelDefaultSysColor(ZelSys::COLOR_HIGHLIGHT));
    const std::vector<FakeDrawOp> v_frames = port.Of("frame");
    ASSERT_EQ(v_frames.size(), 1u);
    EXPECT_EQ(v_frames[0].rc, Cal->FindDate(DT(2024, 5, 15))) << "today framed";

    // The grey days, the selected numbers, and the caret under the focus.
    const auto TextOf = [&](const std::string& s_day, int i_nth) {
        int n = 0;
        for (const FakeDrawOp& op : port.Of("text"))
            if (op.sText == s_day && n++ == i_nth)
                return op.cColor;
        return COLORREF(0xFFFFFFFF);
    };
    EXPECT_EQ(TextOf("29", 0), ZelDefaultSysColor(ZelSys::COLOR_GRAYTEXT));
    EXPECT_EQ(TextOf("20", 0), ZelDefaultSysColor(ZelSys::COLOR_HIGHLIGHTTEXT));
    EXPECT_EQ(TextOf("1", 1), ZelDefaultSysColor(ZelSys::COLOR_HIGHLIGHTTEXT)) << "1 June, selected and grey";
    const CRect rc_9 = Cal->FindDate(DT(2024, 5, 9));
    EXPECT_EQ(Host.ptCaret, CPoint(rc_9.left + (27 + 3) / 4, rc_9.bottom - 1));
    EXPECT_EQ(Cal->GetCaretWidth(), 13);

    // Without a format from the locale, the library's own short form.
    ZelFixedLocale none(IZelLocalePort::measureMetric, "");
    EXPECT_EQ(Paint().Of("text").back().sText, "Today: 05/15/24");
}

} // namespace
