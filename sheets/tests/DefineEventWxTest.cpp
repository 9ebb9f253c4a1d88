// The define-event wizard in the running program under a virtual display,
// opened by its command (or by a new event) and driven page by page by
// control ids; the event is checked afterwards, and so is the timetable
// pane's row of day tabs.
//
// With ROTAVEX_SHOW_SECONDS set, each page stays on screen that long, for
// screenshots.
#include "framework/FileIO.h"
#include "framework/MessageBox.h"
#include "framework/Settings.h"
#include "framework/ui/WindowClass.h"
#include "framework/ui/WxIds.h"
#include "shell/editing/PageToolBarRules.h"
#include "zelkit/import/ui/ZelEditListCtrl.h"
#include "model/EventDoc.h"
#include "sheets/DayPages.h"
#include "sheets/DefineEventSheet.h"
#include "app/InstallSheets.h"
#include "sheets/TimeslotsPage.h"
#include "shell/frame/EventDocument.h"
#include "shell/frame/MainFrm.h"
#include "shell/frame/PaneView.h"
#include "shell/frame/RotavexApp.h"
#include "testsupport/ui/AccessKeys.h"
#include "testsupport/ui/RotavexAppEnvironment.h"
#include "testsupport/ui/WxLoopDriving.h"
#include "testsupport/ProgramFolder.h"
#include "shell/timetable/TimetableView.h"
#include "zelkit/windows/ZelNotifyCodes.h"
#include "zelkit/controls/ui/ZelMonthCalCtrl.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"
#include "zelkit/controls/ui/ZelTimeslotCtrl.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/init.h>
#include <wx/listbox.h>
#include <wx/notebook.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

namespace fs = std::filesystem;

namespace {

// One application for the whole run, as the program has.
const auto* pEnvironment = ::testing::AddGlobalTestEnvironment(new RotavexAppEnvironment());

DefineEventPSheet* OpenSheet()
{
    for (wxWindow* p_window : wxTopLevelWindows) {
        auto* p_sheet = dynamic_cast<DefineEventPSheet*>(p_window);
        if (p_sheet != nullptr && p_sheet->IsModal())
            return p_sheet;
    }
    return nullptr;
}

// Runs the driver inside the wizard's modal loop once the wizard is open.
void WhenOpen(std::function<void(DefineEventPSheet&)> f_drive, int n_tries = 50)
{
    wxTheApp->CallAfter([f_drive, n_tries] {
        if (DefineEventPSheet* p_sheet = OpenSheet()) {
            f_drive(*p_sheet);
            return;
        }
        ASSERT_GT(n_tries, 0) << "the wizard did not open";
        WhenOpen(f_drive, n_tries - 1);
    });
}

template <class T>
T& Ctrl(wxWindow& page, int i_id)
{
    T* p = dynamic_cast<T*>(page.FindWindow(i_id));
    EXPECT_NE(p, nullptr) << "no control " << i_id;
    return *p;
}

void Press(DefineEventPSheet& sheet, int i_id)
{
    wxCommandEvent event(wxEVT_BUTTON, i_id);
    event.SetEventObject(sheet.FindWindow(i_id));
    sheet.ProcessWindowEvent(event);
    Pump();
}

bool Enabled(DefineEventPSheet& sheet, int i_id) { return sheet.FindWindow(i_id)->IsEnabled(); }

void Click(wxCheckBox& box, bool b_checked)
{
    box.SetValue(b_checked);
    wxCommandEvent event(wxEVT_CHECKBOX, box.GetId());
    event.SetEventObject(&box);
    event.SetInt(b_checked ? 1 : 0);
    box.ProcessWindowEvent(event);
}

void Click(wxRadioButton& radio)
{
    radio.SetValue(true);
    wxCommandEvent event(wxEVT_RADIOBUTTON, radio.GetId());
    event.SetEventObject(&radio);
    radio.ProcessWindowEvent(event);
}

// Types into an edit and leaves it, as the user does.
void TypeAndLeave(wxTextCtrl& edit, const char* p_text)
{
    edit.SetValue(p_text);
    wxFocusEvent event(wxEVT_KILL_FOCUS, edit.GetId());
    event.SetEventObject(&edit);
    edit.ProcessWindowEvent(event);
    Pump();
}

wxWindow& Active(DefineEventPSheet& sheet) { return *sheet.GetActivePage(); }

// Escape typed as a real key press where the focus is: whether it ended the
// sheet. A sheet Escape left open is cancelled, so the test goes on.
bool EscapeEnds(DefineEventPSheet& sheet)
{
    wxUIActionSimulator keyboard;
    keyboard.Char(WXK_ESCAPE);
    for (int i = 0; i < 20 && sheet.IsModal(); ++i) {
        Pump();
        wxMilliSleep(10);
    }
    const bool b_ended = !sheet.IsModal();
    if (sheet.IsModal())
        Press(sheet, wxID_CANCEL);
    return b_ended;
}

// The first page: name and kind, then Next.
void FirstPage(DefineEventPSheet& sheet, const char* p_name, int i_kindId)
{
    wxWindow& page = Active(sheet);
    ASSERT_EQ(&page, &sheet.GetFirstPage());
    EXPECT_FALSE(Enabled(sheet, ZelSizingPropSheet::ID_WIZBACK));
    EXPECT_FALSE(Enabled(sheet, ZelSizingPropSheet::ID_WIZFINISH));
    Ctrl<wxTextCtrl>(page, IDC_EVENT_NAME).SetValue("");
    EXPECT_FALSE(Enabled(sheet, ZelSizingPropSheet::ID_WIZNEXT)) << "Next follows the name as it is typed";
    Ctrl<wxTextCtrl>(page, IDC_EVENT_NAME).SetValue(p_name);
    Click(Ctrl<wxRadioButton>(page, i_kindId));
    EXPECT_TRUE(Enabled(sheet, ZelSizingPropSheet::ID_WIZNEXT));
    ShowAWhile();
    Press(sheet, ZelSizingPropSheet::ID_WIZNEXT);
}

class DefineEventWxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fsFolder = MakeTestFolder("rvx-define");
        fs::copy_file(fs::path(ROTAVEX_EVENTS_DIR) / "calendar-small.eve", fsFolder / "venues.eve");
        fs::copy_file(fs::path(ROTAVEX_EVENTS_DIR) / "week-days.eve", fsFolder / "week.eve");
        ConfigureProgramSettings(fsFolder);
        ASSERT_TRUE(RegisterTimetableView());
        InstallSheets();
    }
    void TearDown() override
    {
        TheApp()->ShutDown();
        WindowClasses::Unregister(kTimetableView);
        CSettingsStore::Get().Configure("", "");
        fs::remove_all(fsFolder);
    }
    void Start(const std::string& s_file)
    {
        ASSERT_TRUE(TheApp()->StartUp(s_file));
        TheApp()->GetMainFrame()->SetSize(1200, 800);
        Pump();
    }
    CMainFrame& Frame() { return *TheApp()->GetMainFrame(); }
    EventDoc& Doc() { return TheApp()->GetDocument()->GetEvent(); }
    void Run(UINT u_command)
    {
        Frame().RunCommand(u_command);
        Pump();
    }
    std::vector<std::string> Tabs()
    {
        std::vector<std::string> v_tabs;
        auto* p_view = dynamic_cast<CRotavexView*>(Frame().GetPaneView(1, 1));
        if (p_view != nullptr && p_view->GetTabs() != nullptr) {
            for (size_t i = 0; i < p_view->GetTabs()->GetPageCount(); ++i)
                v_tabs.push_back(std::string(p_view->GetTabs()->GetPageText(i).utf8_str()));
        }
        return v_tabs;
    }

    fs::path fsFolder;
    ScriptedMessageBox Boxes;
};

TEST_F(DefineEventWxTest, ANewEventOpensTheWizardCalendarDatesToFinish)
{
    bool b_driven = false;
    WhenOpen([&](DefineEventPSheet& sheet) {
        FirstPage(sheet, "Summer fair", IDC_KIND_CALENDAR);
        auto* p_calendar = dynamic_cast<CalendarDaysPPage*>(&Active(sheet));
        ASSERT_NE(p_calendar, nullptr);
        EXPECT_FALSE(Enabled(sheet, ZelSizingPropSheet::ID_WIZNEXT)) << "no date yet";
        wxListBox& formats = Ctrl<wxListBox>(*p_calendar, IDC_CAL_FORMATS);
        EXPECT_EQ(formats.GetCount(), 18u);
        formats.SetSelection(8);  // ddd d MMM yyyy
        wxCommandEvent pick(wxEVT_LISTBOX, IDC_CAL_FORMATS);
        pick.SetEventObject(&formats);
        pick.SetInt(8);
        formats.ProcessWindowEvent(pick);

        ZelMonthCalCtrl& calendar = Ctrl<ZelMonthCalCtrl>(*p_calendar, IDC_CAL_CALENDAR);
        ZelArrayWithFind<ZelOleDateTime> a_dates;
        a_dates.Add(ZelOleDateTime(2030, 3, 5));
        a_dates.Add(ZelOleDateTime(2030, 3, 4));
        calendar.SetSelectedDates(a_dates);
        ZelMonthCalSelNotify record;
        record.Dates = a_dates;
        ZelSendNotify(&calendar, ZMCN_SELCHANGED, &record);
        EXPECT_EQ(Ctrl<wxStaticText>(*p_calendar, IDC_CAL_COUNT).GetLabel(), "You have selected 2 days.");
        EXPECT_TRUE(Enabled(sheet, ZelSizingPropSheet::ID_WIZNEXT));
        ShowAWhile();
        Press(sheet, ZelSizingPropSheet::ID_WIZNEXT);

        auto* p_slots = dynamic_cast<TimeslotsPPage*>(&Active(sheet));
        ASSERT_NE(p_slots, nullptr);
        EXPECT_EQ(sheet.GetPageCount(), 3);
        EXPECT_TRUE(Enabled(sheet, ZelSizingPropSheet::ID_WIZFINISH));
        wxListBox& days = Ctrl<wxListBox>(*p_slots, IDC_TS_DAYS);
        ASSERT_EQ(days.GetCount(), 2u);
        EXPECT_EQ(days.GetString(0), "Mon 4 Mar 2030");
        EXPECT_EQ(Ctrl<wxTextCtrl>(*p_slots, IDC_TS_START).GetValue(), "9:00am");
        EXPECT_EQ(p_slots->GetGrid()->GetNumDays(), 2u);
        TypeAndLeave(Ctrl<wxTextCtrl>(*p_slots, IDC_TS_LENGTH), "60");
        EXPECT_EQ(p_slots->GetCore().GetLayout(0).GetNumSlots(), 8);

        // The grid grows with the sheet, the days list grows downwards and
        // the fields move down.
        const wxSize sz_grid = p_slots->GetGrid()->GetSize();
        const wxSize sz_days = days.GetSize();
        const int i_startY = Ctrl<wxTextCtrl>(*p_slots, IDC_TS_START).GetPosition().y;
        sheet.SetSize(sheet.GetSize() + wxSize(200, 150));
        Pump();
        EXPECT_GT(p_slots->GetGrid()->GetSize().x, sz_grid.x + 100);
        EXPECT_GT(p_slots->GetGrid()->GetSize().y, sz_grid.y + 100);
        EXPECT_EQ(days.GetSize().x, sz_days.x);
        EXPECT_GT(days.GetSize().y, sz_days.y + 100);
        EXPECT_GT(Ctrl<wxTextCtrl>(*p_slots, IDC_TS_START).GetPosition().y, i_startY + 100);
        ShowAWhile();
        Press(sheet, ZelSizingPropSheet::ZelSizingPropSheet::ID_WIZFINISH);
        b_driven = true;
    });
    Start("");
    Pump();
    ASSERT_TRUE(b_driven);
    EXPECT_EQ(Doc().GetEventName(), "Summer fair");
    const EventDefinition& def = Doc().GetEventDef();
    ASSERT_EQ(def.GetDaySel(), EventDefinition::eCalendar);
    ASSERT_EQ(def.GetCalendarDays().GetNumDays(), 2);
    EXPECT_EQ(def.GetCalendarDays().GetDatePicture(), "ddd d MMM yyyy");
    EXPECT_EQ(def.GetDayDef().GetDaySlots(1).GetNumSlots(), 8);
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(DefineEventWxTest, WeekDaysOnAnEventWithVenuesShowTheNewDayTabs)
{
    Start((fsFolder / "venues.eve").string());
    ASSERT_GT(Doc().GetNumVenues(), 1);
    const std::string s_name = Doc().GetEventName();
    bool b_driven = false;
    WhenOpen([&](DefineEventPSheet& sheet) {
        FirstPage(sheet, "Weekly", IDC_KIND_WEEK_DAYS);
        auto* p_week = dynamic_cast<WeekDaysPPage*>(&Active(sheet));
        ASSERT_NE(p_week, nullptr);
        EXPECT_FALSE(Enabled(sheet, ZelSizingPropSheet::ID_WIZNEXT)) << "the event had calendar dates: none ticked";
        for (int i_day = 1; i_day <= 5; ++i_day)
            Click(Ctrl<wxCheckBox>(*p_week, IDC_WEEK_SUNDAY + i_day), true);
        Ctrl<wxRadioButton>(*p_week, IDC_WEEK_FIRST_SUNDAY + 3).SetValue(true);  // Wednesday, taken on leaving
        Click(Ctrl<wxRadioButton>(*p_week, IDC_WEEK_SHORT_NAMES));
        EXPECT_EQ(Ctrl<wxCheckBox>(*p_week, IDC_WEEK_SUNDAY + 1).GetLabel(), "Mon");
        ShowAWhile();
        Press(sheet, ZelSizingPropSheet::ID_WIZNEXT);

        auto* p_slots = dynamic_cast<TimeslotsPPage*>(&Active(sheet));
        ASSERT_NE(p_slots, nullptr);
        EXPECT_EQ(Ctrl<wxListBox>(*p_slots, IDC_TS_DAYS).GetString(0), "Wed");

        // Advanced with per-venue sets, then back to simple.
        Click(Ctrl<wxCheckBox>(*p_slots, IDC_TS_ADVANCED), true);
        EXPECT_FALSE(Ctrl<wxTextCtrl>(*p_slots, IDC_TS_START).IsEnabled());
        EXPECT_TRUE(Ctrl<wxCheckBox>(*p_slots, IDC_TS_EACH_VENUE).IsEnabled());
        EXPECT_FALSE(p_slots->GetGrid()->IsReadOnly());
        Click(Ctrl<wxCheckBox>(*p_slots, IDC_TS_EACH_VENUE), true);
        EXPECT_EQ(p_slots->GetGrid()->GetNumSets(0), Doc().GetNumVenues());
        ShowAWhile();
        // A slot drawn for the second venue on Wednesday reaches its layout.
        const int n_before = p_slots->GetCore().GetLayout(0).GetNumSlots();
        ASSERT_EQ(p_slots->GetGrid()->AddSlot(0, 1, 6, 0, 1800, FALSE, FALSE), 0);
        ZelSendNotify(p_slots->GetGrid(), ZTSN_CHANGED, nullptr);
        EXPECT_EQ(p_slots->GetCore().GetLayout(0).GetNumSlots(), n_before + 1);
        const ZelRelTimeslotArray& a_wed = p_slots->GetCore().GetLayout(0).GetSlots();
        int n_six = 0;
        for (int i = 0; i < a_wed.GetSize(); ++i) {
            if (a_wed[i].GetStart() == ZelOleDateTimeSpan(0, 6, 0, 0)) {
                ++n_six;
                EXPECT_EQ(a_wed[i].GetSetKey(), Doc().GetVenues().GetVenue(1).GetKey());
            }
        }
        EXPECT_EQ(n_six, 1);

        // Bad settings keep the wizard open with what was typed.
        Click(Ctrl<wxCheckBox>(*p_slots, IDC_TS_ADVANCED), false);
        Ctrl<wxTextCtrl>(*p_slots, IDC_TS_START).SetValue("10:00");
        Ctrl<wxTextCtrl>(*p_slots, IDC_TS_END).SetValue("09:00");
        Boxes.Clear();
        Press(sheet, ZelSizingPropSheet::ID_WIZFINISH);
        ASSERT_EQ(Boxes.Boxes().size(), 1u);
        EXPECT_EQ(Boxes.Boxes()[0].sText, "Your day start time must be before your day end time.");
        EXPECT_EQ(&Active(sheet), p_slots);
        EXPECT_EQ(Ctrl<wxTextCtrl>(*p_slots, IDC_TS_END).GetValue(), "09:00");
        EXPECT_TRUE(sheet.IsModal());

        Ctrl<wxTextCtrl>(*p_slots, IDC_TS_START).SetValue("08:00");
        Ctrl<wxTextCtrl>(*p_slots, IDC_TS_END).SetValue("12:00");
        Ctrl<wxTextCtrl>(*p_slots, IDC_TS_LENGTH).SetValue("60");
        Press(sheet, ZelSizingPropSheet::ID_WIZFINISH);
        b_driven = true;
    });
    Run(EventDoc::ID_DEFINE_EVENT);
    ASSERT_TRUE(b_driven);
    EXPECT_EQ(Doc().GetEventName(), "Weekly");
    const EventDefinition& def = Doc().GetEventDef();
    ASSERT_EQ(def.GetDaySel(), EventDefinition::eWeekDays);
    const WeekDays& week = def.GetWeekDays();
    ASSERT_EQ(week.GetNumDays(), 5);
    EXPECT_EQ(week.GetWeekDay(0), 3);
    EXPECT_EQ(week.GetWeekDay(4), 2);
    EXPECT_EQ(week.GetDaySlots(0).GetNumSlots(), 4);
    EXPECT_TRUE(week.GetDaySlots(0).IsAllVenues());
    EXPECT_EQ(Tabs(), (std::vector<std::string>{"Wed", "Thu", "Fri", "Mon", "Tue"}));
}

// A message box as it is on a desktop: it takes the focus from the box the
// user has just clicked into, which loses it while the message is up, and
// runs the loop until it is answered; the focus comes back afterwards.
class FocusTakingMessageBox : public IMessageBoxPort {
public:
    FocusTakingMessageBox() : pPrevious(SetMessageBoxPort(this)) {}
    ~FocusTakingMessageBox() override { SetMessageBoxPort(pPrevious); }
    FocusTakingMessageBox(const FocusTakingMessageBox&) = delete;
    FocusTakingMessageBox& operator=(const FocusTakingMessageBox&) = delete;

    int Show(const std::string& s_text, const std::string&, std::uint32_t u_style) override
    {
        vTexts.push_back(s_text);
        wxWindow* p_focus = pFocus;
        pFocus = nullptr;
        if (p_focus != nullptr) {
            wxFocusEvent lost(wxEVT_KILL_FOCUS, p_focus->GetId());
            lost.SetEventObject(p_focus);
            p_focus->ProcessWindowEvent(lost);
        }
        Pump();
        pFocus = p_focus;
        return DefaultAnswer(u_style);
    }

    wxWindow* pFocus = nullptr;
    std::vector<std::string> vTexts;

private:
    IMessageBoxPort* pPrevious;
};

TEST_F(DefineEventWxTest, ARefusedTimeIsToldOnceAndMendedWithTheMouse)
{
    Start((fsFolder / "venues.eve").string());
    bool b_driven = false;
    WhenOpen([&](DefineEventPSheet& sheet) {
        FirstPage(sheet, "Weekly", IDC_KIND_WEEK_DAYS);
        auto* p_week = dynamic_cast<WeekDaysPPage*>(&Active(sheet));
        ASSERT_NE(p_week, nullptr);
        for (int i_day = 1; i_day <= 2; ++i_day)
            Click(Ctrl<wxCheckBox>(*p_week, IDC_WEEK_SUNDAY + i_day), true);
        Press(sheet, ZelSizingPropSheet::ID_WIZNEXT);
        auto* p_slots = dynamic_cast<TimeslotsPPage*>(&Active(sheet));
        ASSERT_NE(p_slots, nullptr);
        auto& start = Ctrl<wxTextCtrl>(*p_slots, IDC_TS_START);
        auto& end = Ctrl<wxTextCtrl>(*p_slots, IDC_TS_END);
        auto& length = Ctrl<wxTextCtrl>(*p_slots, IDC_TS_LENGTH);
        Ctrl<wxCheckBox>(*p_slots, IDC_TS_24HOUR).SetValue(true);
        TypeAndLeave(start, "09:00");
        TypeAndLeave(length, "30");
        ASSERT_EQ(p_slots->GetCore().GetLayout(0).GetNumSlots(), 16);

        FocusTakingMessageBox boxes;
        // An end before the start, left for the start box: one message,
        // although the start box loses the focus to it.
        boxes.pFocus = &start;
        TypeAndLeave(end, "08:00");
        ASSERT_EQ(boxes.vTexts.size(), 1u);
        EXPECT_EQ(boxes.vTexts[0], "Your day start time must be before your day end time.");
        // Clicking from box to box tells the same refusal no more.
        boxes.pFocus = &length;
        TypeAndLeave(start, "09:00");
        boxes.pFocus = &end;
        TypeAndLeave(length, "30");
        EXPECT_EQ(boxes.vTexts.size(), 1u);
        EXPECT_EQ(p_slots->GetCore().GetLayout(0).GetNumSlots(), 16) << "nothing was applied";

        // The end mended with the mouse is applied at once; a new refusal
        // is told again.
        TypeAndLeave(end, "18:00");
        EXPECT_EQ(boxes.vTexts.size(), 1u);
        EXPECT_EQ(p_slots->GetCore().GetLayout(0).GetNumSlots(), 18);
        boxes.pFocus = &start;
        TypeAndLeave(end, "07:00");
        EXPECT_EQ(boxes.vTexts.size(), 2u);
        TypeAndLeave(end, "12:00");
        Press(sheet, ZelSizingPropSheet::ID_WIZFINISH);
        b_driven = true;
    });
    Run(EventDoc::ID_DEFINE_EVENT);
    ASSERT_TRUE(b_driven);
    ASSERT_EQ(Doc().GetEventDef().GetDaySel(), EventDefinition::eWeekDays);
    EXPECT_EQ(Doc().GetEventDef().GetWeekDays().GetDaySlots(0).GetNumSlots(), 6);
}

TEST_F(DefineEventWxTest, BackAndForwardKeepsThreePagesAndCancelWritesNothing)
{
    Start((fsFolder / "venues.eve").string());
    const std::string s_name = Doc().GetEventName();
    const int n_days = Doc().GetEventDef().GetDayDef().GetNumDays();
    const std::vector<std::string> v_tabs = Tabs();
    bool b_driven = false;
    WhenOpen([&](DefineEventPSheet& sheet) {
        EXPECT_TRUE(Ctrl<wxRadioButton>(Active(sheet), IDC_KIND_CALENDAR).GetValue()) << "the event's own kind";
        wxTextCtrl& name = Ctrl<wxTextCtrl>(Active(sheet), IDC_EVENT_NAME);
        name.SetValue("");
        for (int i = 0; i < 41; ++i)
            name.AppendText("x");
        EXPECT_EQ(name.GetValue().length(), 40u);
        // A character an event file cannot keep is refused, naming it.
        name.SetValue(wxString::FromUTF8("F\xc3\xaate \xe2\x98\x83"));
        Boxes.Clear();
        Press(sheet, ZelSizingPropSheet::ID_WIZNEXT);
        ASSERT_EQ(Boxes.Boxes().size(), 1u);
        EXPECT_NE(Boxes.Boxes()[0].sText.find("U+2603"), std::string::npos);
        EXPECT_EQ(&Active(sheet), &sheet.GetFirstPage());
        FirstPage(sheet, "Renamed", IDC_KIND_CALENDAR);
        EXPECT_TRUE(Enabled(sheet, ZelSizingPropSheet::ID_WIZNEXT)) << "the event's dates are shown again";
        Press(sheet, ZelSizingPropSheet::ID_WIZNEXT);
        ASSERT_NE(dynamic_cast<TimeslotsPPage*>(&Active(sheet)), nullptr);
        // Back leaves the pages up to the one shown; going back from that
        // one drops the later ones.
        Press(sheet, ZelSizingPropSheet::ID_WIZBACK);
        EXPECT_EQ(sheet.GetPageCount(), 3);
        Press(sheet, ZelSizingPropSheet::ID_WIZBACK);
        EXPECT_EQ(sheet.GetPageCount(), 2);
        EXPECT_EQ(&Active(sheet), &sheet.GetFirstPage());

        // Week days now: the other kind's page, then the timeslots page.
        Click(Ctrl<wxRadioButton>(Active(sheet), IDC_KIND_WEEK_DAYS));
        Press(sheet, ZelSizingPropSheet::ID_WIZNEXT);
        ASSERT_NE(dynamic_cast<WeekDaysPPage*>(&Active(sheet)), nullptr);
        EXPECT_EQ(sheet.GetPageCount(), 2);
        Click(Ctrl<wxCheckBox>(Active(sheet), IDC_WEEK_SUNDAY), true);
        Press(sheet, ZelSizingPropSheet::ID_WIZNEXT);
        EXPECT_EQ(sheet.GetPageCount(), 3);
        Press(sheet, ZelSizingPropSheet::ID_WIZBACK);
        Press(sheet, ZelSizingPropSheet::ID_WIZBACK);
        Press(sheet, ZelSizingPropSheet::ID_WIZNEXT);
        Press(sheet, ZelSizingPropSheet::ID_WIZNEXT);
        EXPECT_EQ(sheet.GetPageCount(), 3) << "never more pages than the path";
        ShowAWhile();
        Press(sheet, wxID_CANCEL);
        b_driven = true;
    });
    Run(EventDoc::ID_DEFINE_EVENT);
    ASSERT_TRUE(b_driven);
    EXPECT_EQ(Doc().GetEventName(), s_name);
    EXPECT_EQ(Doc().GetEventDef().GetDaySel(), EventDefinition::eCalendar);
    EXPECT_EQ(Doc().GetEventDef().GetDayDef().GetNumDays(), n_days);
    EXPECT_EQ(Tabs(), v_tabs);
}

// Escape, typed on the keyboard into the control that has the focus, ends
// the wizard as Cancel does on each page of each road, the timeslot grid
// included (which takes Escape for itself elsewhere); the event is left
// alone.
TEST_F(DefineEventWxTest, EscapeCancelsTheWizardOnEveryPage)
{
    Start((fsFolder / "venues.eve").string());
    const std::string s_name = Doc().GetEventName();
    const int n_days = Doc().GetEventDef().GetDayDef().GetNumDays();
    struct Case {
        const char* pWhat;
        int iKindId;
        int nNexts;
        // The control given the focus, by id on the page shown.
        int iFocusId;
    };
    const Case a_cases[] = {
        {"the first page", IDC_KIND_CALENDAR, 0, IDC_EVENT_NAME},
        {"the calendar", IDC_KIND_CALENDAR, 1, IDC_CAL_CALENDAR},
        {"the calendar's timeslots", IDC_KIND_CALENDAR, 2, IDC_TS_GRID},
        {"the week days", IDC_KIND_WEEK_DAYS, 1, IDC_WEEK_SUNDAY},
        {"the custom days", IDC_KIND_CUSTOM, 1, IDC_CUSTOM_LIST},
    };
    for (const Case& one : a_cases) {
        bool b_driven = false;
        bool b_ended = false;
        std::string s_page;
        WhenOpen([&](DefineEventPSheet& sheet) {
            Click(Ctrl<wxRadioButton>(Active(sheet), one.iKindId));
            for (int i = 0; i < one.nNexts; ++i)
                Press(sheet, ZelSizingPropSheet::ID_WIZNEXT);
            s_page = std::string(Active(sheet).GetLabel().utf8_str());
            wxWindow* p_focus = Active(sheet).FindWindow(one.iFocusId);
            ASSERT_NE(p_focus, nullptr) << one.pWhat;
            p_focus->SetFocus();
            Pump();
            if (one.iFocusId == IDC_TS_GRID)
                ShowAWhile("escape");
            b_ended = EscapeEnds(sheet);
            b_driven = true;
        });
        Run(EventDoc::ID_DEFINE_EVENT);
        ASSERT_TRUE(b_driven) << one.pWhat;
        EXPECT_TRUE(b_ended) << one.pWhat << " (page " << s_page << ")";
        EXPECT_EQ(Doc().GetEventName(), s_name);
        EXPECT_EQ(Doc().GetEventDef().GetDaySel(), EventDefinition::eCalendar);
        EXPECT_EQ(Doc().GetEventDef().GetDayDef().GetNumDays(), n_days);
        EXPECT_FALSE(Doc().IsModified());
    }
}

// The same when the page was reached by Next's access key, typed on the
// keyboard: the page left behind is hidden with the focus on one of its
// controls, and the Escape typed next must still reach the wizard.
TEST_F(DefineEventWxTest, EscapeCancelsTheWizardAfterNextByItsAccessKey)
{
    Start((fsFolder / "venues.eve").string());
    const std::string s_name = Doc().GetEventName();
    struct Case {
        const char* pWhat;
        int iKindId;
        int nNexts;
    };
    const Case a_cases[] = {
        {"the calendar", IDC_KIND_CALENDAR, 1},
        {"the calendar's timeslots", IDC_KIND_CALENDAR, 2},
        {"the week days", IDC_KIND_WEEK_DAYS, 1},
        {"the week's timeslots", IDC_KIND_WEEK_DAYS, 2},
        {"the custom days", IDC_KIND_CUSTOM, 1},
    };
    for (const Case& one : a_cases) {
        bool b_driven = false;
        int n_reached = 0;
        bool b_ended = false;
        std::string s_page;
        WhenOpen([&](DefineEventPSheet& sheet) {
            wxRadioButton& kind = Ctrl<wxRadioButton>(Active(sheet), one.iKindId);
            Click(kind);
            kind.SetFocus();
            for (int i = 0; i < 50 && (!sheet.IsActive() || wxWindow::FindFocus() != &kind); ++i) {
                Pump();
                wxMilliSleep(10);
            }
            wxUIActionSimulator keyboard;
            for (int i = 0; i < one.nNexts; ++i) {
                // The week needs a day before it moves on.
                if (auto* p_week = dynamic_cast<WeekDaysPPage*>(&Active(sheet)))
                    Click(Ctrl<wxCheckBox>(*p_week, IDC_WEEK_SUNDAY + 1), true);
                wxWindow* p_from = &Active(sheet);
                keyboard.Char('n', wxMOD_ALT);
                for (int j = 0; j < 50 && &Active(sheet) == p_from; ++j) {
                    Pump();
                    wxMilliSleep(10);
                }
                n_reached += &Active(sheet) != p_from ? 1 : 0;
            }
            const int i_page = sheet.GetBookCtrl()->GetSelection();
            s_page = std::to_string(i_page);
            b_ended = EscapeEnds(sheet);
            b_driven = true;
        });
        Run(EventDoc::ID_DEFINE_EVENT);
        ASSERT_TRUE(b_driven) << one.pWhat;
        EXPECT_EQ(n_reached, one.nNexts) << one.pWhat << ": pages Alt+N moved on";
        EXPECT_TRUE(b_ended) << one.pWhat << " (page " << s_page << ")";
        EXPECT_EQ(Doc().GetEventName(), s_name);
        EXPECT_EQ(Doc().GetEventDef().GetDaySel(), EventDefinition::eCalendar);
        EXPECT_FALSE(Doc().IsModified());
    }
}

// The wizard's buttons have access keys of their own, and no control of any
// page along any road takes one of them (two controls of one key only take
// turns at the focus: the button would no longer be pressed).
TEST_F(DefineEventWxTest, NoPageTakesTheAccessKeyOfAWizardButton)
{
    Start((fsFolder / "venues.eve").string());
    struct Case {
        const char* pWhat;
        int iKindId;
        int nNexts;
    };
    const Case a_cases[] = {
        {"the first page", IDC_KIND_CALENDAR, 0},     {"the calendar", IDC_KIND_CALENDAR, 1},
        {"the calendar's timeslots", IDC_KIND_CALENDAR, 2}, {"the week days", IDC_KIND_WEEK_DAYS, 1},
        {"the week's timeslots", IDC_KIND_WEEK_DAYS, 2}, {"the custom days", IDC_KIND_CUSTOM, 1},
    };
    // The pages' own keys looked at, over all the pages.
    int n_keys = 0;
    for (const Case& one : a_cases) {
        bool b_driven = false;
        WhenOpen([&](DefineEventPSheet& sheet) {
            Click(Ctrl<wxRadioButton>(Active(sheet), one.iKindId));
            for (int i = 0; i < one.nNexts; ++i) {
                if (auto* p_week = dynamic_cast<WeekDaysPPage*>(&Active(sheet)))
                    Click(Ctrl<wxCheckBox>(*p_week, IDC_WEEK_SUNDAY + 1), true);
                Press(sheet, ZelSizingPropSheet::ID_WIZNEXT);
            }
            std::map<char, wxString> m_buttons;
            for (int i_id : {int(ZelSizingPropSheet::ID_WIZBACK), int(ZelSizingPropSheet::ID_WIZNEXT),
                             int(ZelSizingPropSheet::ID_WIZFINISH), int(wxID_CANCEL)}) {
                wxWindow* p_button = sheet.FindWindow(i_id);
                ASSERT_NE(p_button, nullptr) << i_id;
                const char c_key = ShownAccessKey(*p_button);
                EXPECT_NE(c_key, 0) << p_button->GetLabel();
                EXPECT_TRUE(m_buttons.emplace(c_key, p_button->GetLabel()).second) << p_button->GetLabel();
            }
            std::function<void(wxWindow&)> f_walk = [&](wxWindow& parent) {
                for (wxWindow* p_child : parent.GetChildren()) {
                    const bool b_keyed = wxDynamicCast(p_child, wxButton) != nullptr
                                         || wxDynamicCast(p_child, wxCheckBox) != nullptr
                                         || wxDynamicCast(p_child, wxRadioButton) != nullptr
                                         || wxDynamicCast(p_child, wxStaticText) != nullptr;
                    if (b_keyed && p_child->IsShown()) {
                        if (const char c_key = ShownAccessKey(*p_child)) {
                            ++n_keys;
                            const auto it = m_buttons.find(c_key);
                            EXPECT_TRUE(it == m_buttons.end())
                                << one.pWhat << ": '" << c_key << "' of " << p_child->GetLabel() << " and "
                                << it->second;
                        }
                    }
                    f_walk(*p_child);
                }
            };
            f_walk(Active(sheet));
            ShowAWhile();
            Press(sheet, wxID_CANCEL);
            b_driven = true;
        });
        Run(EventDoc::ID_DEFINE_EVENT);
        ASSERT_TRUE(b_driven) << one.pWhat;
    }
    // Event name, the three kinds, the calendar's days, the timeslots
    // pages' days, grid, Advanced and venue: twice each on both roads.
    EXPECT_GE(n_keys, 10);
}

TEST_F(DefineEventWxTest, TheTimeslotsPageTakesAHundredDays)
{
    Start((fsFolder / "venues.eve").string());
    bool b_driven = false;
    WhenOpen([&](DefineEventPSheet& sheet) {
        FirstPage(sheet, "Long event", IDC_KIND_CALENDAR);
        ZelMonthCalCtrl& calendar = Ctrl<ZelMonthCalCtrl>(Active(sheet), IDC_CAL_CALENDAR);
        ZelArrayWithFind<ZelOleDateTime> a_dates;
        for (int i = 0; i < 100; ++i)
            a_dates.Add(ZelOleDateTime(ZelOleDateTime(2031, 1, 1) + CHighTimeSpan(i, 0, 0, 0)));
        calendar.SetSelectedDates(a_dates);
        ZelMonthCalSelNotify record;
        record.Dates = a_dates;
        ZelSendNotify(&calendar, ZMCN_SELCHANGED, &record);
        Press(sheet, ZelSizingPropSheet::ID_WIZNEXT);
        auto* p_slots = dynamic_cast<TimeslotsPPage*>(&Active(sheet));
        ASSERT_NE(p_slots, nullptr);
        TypeAndLeave(Ctrl<wxTextCtrl>(*p_slots, IDC_TS_LENGTH), "45");
        EXPECT_EQ(p_slots->GetGrid()->GetNumDays(), 100u);
        Press(sheet, ZelSizingPropSheet::ID_WIZFINISH);
        b_driven = true;
    });
    Run(EventDoc::ID_DEFINE_EVENT);
    ASSERT_TRUE(b_driven);
    ASSERT_EQ(Doc().GetEventDef().GetDayDef().GetNumDays(), 100);
    EXPECT_EQ(Doc().GetEventDef().GetDayDef().GetDaySlots(99).GetNumSlots(), 10);
    EXPECT_EQ(Tabs().size(), 100u);
}

TEST_F(DefineEventWxTest, TheWorkingKindChangesOnlyWhenADayPageStores)
{
    Start((fsFolder / "week.eve").string());
    ASSERT_EQ(Doc().GetEventDef().GetDaySel(), EventDefinition::eWeekDays);
    const int n_weekDays = Doc().GetEventDef().GetWeekDays().GetNumDays();
    bool b_driven = false;
    WhenOpen([&](DefineEventPSheet& sheet) {
        EXPECT_TRUE(Ctrl<wxRadioButton>(Active(sheet), IDC_KIND_WEEK_DAYS).GetValue());
        // Going to the calendar page without a date stores nothing: the
        // week days come back as they were.
        FirstPage(sheet, "Weekly", IDC_KIND_CALENDAR);
        EXPECT_FALSE(Enabled(sheet, ZelSizingPropSheet::ID_WIZNEXT));
        Press(sheet, ZelSizingPropSheet::ID_WIZBACK);
        EXPECT_EQ(sheet.GetWorkingDef().GetDaySel(), EventDefinition::eWeekDays);
        FirstPage(sheet, "Weekly", IDC_KIND_WEEK_DAYS);
        int n_ticked = 0;
        for (int i = 0; i < 7; ++i)
            n_ticked += Ctrl<wxCheckBox>(Active(sheet), IDC_WEEK_SUNDAY + i).GetValue() ? 1 : 0;
        EXPECT_EQ(n_ticked, n_weekDays);

        // A date validated on the calendar page makes the kind calendar
        // dates: the week days page then starts empty.
        Press(sheet, ZelSizingPropSheet::ID_WIZBACK);
        FirstPage(sheet, "Weekly", IDC_KIND_CALENDAR);
        ZelMonthCalCtrl& calendar = Ctrl<ZelMonthCalCtrl>(Active(sheet), IDC_CAL_CALENDAR);
        ZelArrayWithFind<ZelOleDateTime> a_dates;
        a_dates.Add(ZelOleDateTime(2030, 3, 4));
        calendar.SetSelectedDates(a_dates);
        ZelMonthCalSelNotify record;
        record.Dates = a_dates;
        ZelSendNotify(&calendar, ZMCN_SELCHANGED, &record);
        EXPECT_EQ(sheet.GetWorkingDef().GetDaySel(), EventDefinition::eCalendar);
        Press(sheet, ZelSizingPropSheet::ID_WIZBACK);
        FirstPage(sheet, "Weekly", IDC_KIND_WEEK_DAYS);
        for (int i = 0; i < 7; ++i)
            EXPECT_FALSE(Ctrl<wxCheckBox>(Active(sheet), IDC_WEEK_SUNDAY + i).GetValue());
        EXPECT_FALSE(Enabled(sheet, ZelSizingPropSheet::ID_WIZNEXT));
        Press(sheet, wxID_CANCEL);
        b_driven = true;
    });
    Run(EventDoc::ID_DEFINE_EVENT);
    ASSERT_TRUE(b_driven);
    EXPECT_EQ(Doc().GetEventDef().GetDaySel(), EventDefinition::eWeekDays);
    EXPECT_EQ(Doc().GetEventDef().GetWeekDays().GetNumDays(), n_weekDays);
}

// A command of the page's toolbar.
void Tool(wxWindow& page, int i_command)
{
    wxCommandEvent event(wxEVT_MENU, WxId(static_cast<unsigned>(i_command)));
    page.ProcessWindowEvent(event);
    Pump();
}

void EditorKey(ZelEditListCtrl& list, int i_key)
{
    wxWindow* p_edit = list.GetEditor();
    ASSERT_NE(p_edit, nullptr);
    wxKeyEvent event(wxEVT_KEY_DOWN);
    event.m_keyCode = i_key;
    event.SetEventObject(p_edit);
    p_edit->GetEventHandler()->ProcessEvent(event);
    Pump();
}

// Names the row being edited.
void Name(ZelEditListCtrl& list, const char* p_name)
{
    auto* p_edit = dynamic_cast<wxTextCtrl*>(list.GetEditor());
    ASSERT_NE(p_edit, nullptr);
    p_edit->SetValue(p_name);
    EditorKey(list, WXK_RETURN);
}

TEST_F(DefineEventWxTest, CustomDaysAddedNamedMovedAndRenamedKeepTheirTimeslots)
{
    Start((fsFolder / "venues.eve").string());
    bool b_driven = false;
    WhenOpen([&](DefineEventPSheet& sheet) {
        FirstPage(sheet, "Festival", IDC_KIND_CUSTOM);
        auto* p_page = dynamic_cast<CustomDaysPPage*>(&Active(sheet));
        ASSERT_NE(p_page, nullptr);
        ZelEditListCtrl& list = Ctrl<ZelEditListCtrl>(*p_page, IDC_CUSTOM_LIST);
        EXPECT_EQ(list.GetItemCount(), 0);
        EXPECT_FALSE(Enabled(sheet, ZelSizingPropSheet::ID_WIZNEXT));
        // A character an event file cannot keep does not get typed.
        Tool(*p_page, ID_PAGE_NEW);
        auto* p_edit = dynamic_cast<wxTextCtrl*>(list.GetEditor());
        ASSERT_NE(p_edit, nullptr);
        Boxes.Clear();
        p_edit->SetValue("Fri");
        p_edit->SetValue(wxString::FromUTF8("Fri\xe2\x98\x83"));
        EXPECT_EQ(p_edit->GetValue(), "Fri");
        ASSERT_EQ(Boxes.Boxes().size(), 1u);
        EXPECT_NE(Boxes.Boxes()[0].sText.find("U+2603"), std::string::npos);
        if (list.IsEditing())
            EditorKey(list, WXK_ESCAPE);
        EXPECT_EQ(list.GetItemCount(), 0);
        for (const char* p_name : {"Fri", "Sat", "Sun"}) {
            Tool(*p_page, ID_PAGE_NEW);
            ASSERT_TRUE(list.IsEditing());
            Name(list, p_name);
        }
        ASSERT_EQ(list.GetItemCount(), 3);
        EXPECT_EQ(list.GetItemText(2, 0), "3");
        EXPECT_TRUE(Enabled(sheet, ZelSizingPropSheet::ID_WIZNEXT));

        // A used name is refused and editing resumes; Escape then removes
        // the new row.
        Tool(*p_page, ID_PAGE_NEW);
        Boxes.Clear();
        Name(list, "Sat");
        ASSERT_EQ(Boxes.Boxes().size(), 1u);
        EXPECT_TRUE(list.IsEditing());
        EXPECT_EQ(p_page->GetAddingRow(), 3);
        EXPECT_FALSE(p_page->OnWizardNext()) << "not while a name is edited";
        EditorKey(list, WXK_ESCAPE);
        EXPECT_EQ(list.GetItemCount(), 3);

        // Sat gets a layout of its own on the timeslots page.
        Press(sheet, ZelSizingPropSheet::ID_WIZNEXT);
        auto* p_slots = dynamic_cast<TimeslotsPPage*>(&Active(sheet));
        ASSERT_NE(p_slots, nullptr);
        wxListBox& days = Ctrl<wxListBox>(*p_slots, IDC_TS_DAYS);
        days.SetSelection(wxNOT_FOUND);
        days.SetSelection(1);
        wxCommandEvent pick(wxEVT_LISTBOX, IDC_TS_DAYS);
        pick.SetEventObject(&days);
        days.ProcessWindowEvent(pick);
        TypeAndLeave(Ctrl<wxTextCtrl>(*p_slots, IDC_TS_START), "13:00");
        EXPECT_EQ(p_slots->GetCore().GetLayout(1).GetNumSlots(), 8);
        Press(sheet, ZelSizingPropSheet::ID_WIZBACK);

        // Move Sun above Sat, then rename the moved-down Sat; tick Sun's
        // consecutive flag.
        ASSERT_EQ(&Active(sheet), p_page);
        list.UnselectAll();
        list.SelectItem(2);
        list.SetFocusItem(2);
        Tool(*p_page, ID_PAGE_MOVE_UP);
        EXPECT_EQ(list.GetItemText(1, 1), "Sun");
        EXPECT_EQ(list.GetItemText(1, 0), "2");
        list.BeginEdit(2, 1);
        Name(list, "Saturday");
        list.SetCheckState(1, 2, 1);
        ShowAWhile();
        Press(sheet, ZelSizingPropSheet::ID_WIZNEXT);
        Press(sheet, ZelSizingPropSheet::ID_WIZFINISH);
        b_driven = true;
    });
    Run(EventDoc::ID_DEFINE_EVENT);
    ASSERT_TRUE(b_driven);
    const EventDefinition& def = Doc().GetEventDef();
    ASSERT_EQ(def.GetDaySel(), EventDefinition::eCustom);
    const CustomDays& days = def.GetCustomDays();
    ASSERT_EQ(days.GetNumDays(), 3);
    EXPECT_EQ(days.GetDay(1).sName, "Sun");
    EXPECT_TRUE(days.GetDay(1).bConsecutive);
    EXPECT_EQ(days.GetDay(2).sName, "Saturday");
    EXPECT_EQ(days.GetDaySlots(2).GetNumSlots(), 8) << "the renamed day keeps its timeslots";
    EXPECT_EQ(days.GetDaySlots(1).GetNumSlots(), 16);
    EXPECT_EQ(Tabs(), (std::vector<std::string>{"Fri", "Sun", "Saturday"}));
}

} // namespace
