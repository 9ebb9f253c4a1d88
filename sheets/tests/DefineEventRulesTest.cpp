// The define-event wizard without its windows: the copy-back of the
// working name and definition, the first page's Next, the calendar page's
// date pictures and texts, the order of week days, and the custom days
// kept by key through moves, deletions and renames.
#include "model/DatePicture.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "model/ShellPorts.h"
#include "sheets/DefineEventRules.h"
#include "sheets/TimeslotsRules.h"

#include <gtest/gtest.h>

namespace {

CHighTime At(int i_hour, int i_minute) { return CHighTime(2000, 1, 1, i_hour, i_minute, 0); }

// The document's sheet port over RunDefineEvent, with the edit a test
// makes in place of the wizard's pages.
class WorkSheets : public IDocumentSheetsPort {
public:
    WorkSheets() : pPrevious(SetDocumentSheetsPort(this)) {}
    ~WorkSheets() override { SetDocumentSheetsPort(pPrevious); }
    int iResult = IDCANCEL;
    std::function<void(DefineEventWork&)> fEdit;
    int DefineEvent(EventDoc& doc) override
    {
        return RunDefineEvent(doc, [&](DefineEventWork& work) {
            if (fEdit)
                fEdit(work);
            return iResult;
        });
    }
    int EditPreferences(EventDoc&, Preferences&) override { return IDCANCEL; }
    int EditSchedulingRules(EventDoc&, SchedulingRules&) override { return IDCANCEL; }

private:
    IDocumentSheetsPort* pPrevious;
};

TEST(DefineEventSheet, CancelWritesNothingFinishWritesBothAndTellsTheViews)
{
    EventDoc doc;
    doc.SetEventName("Old");
    WorkSheets sheets;
    ScriptedViews views;
    sheets.fEdit = [](DefineEventWork& work) {
        work.sName = "New";
        WeekDaysCore week;
        week.Load(work.Def);
        week.Exchange({false, true, false, false, false, false, false}, 0, 0, work.Def);
    };
    for (int i_result : {int(IDCANCEL), int(IDABORT)}) {
        sheets.iResult = i_result;
        doc.OnDefineEvent();
        EXPECT_EQ(doc.GetEventName(), "Old");
        EXPECT_EQ(doc.GetEventDef().GetDaySel(), EventDefinition::eCalendar);
        EXPECT_TRUE(views.Updates.empty());
    }
    sheets.iResult = ID_WIZFINISH;
    doc.OnDefineEvent();
    EXPECT_EQ(doc.GetEventName(), "New");
    ASSERT_EQ(doc.GetEventDef().GetDaySel(), EventDefinition::eWeekDays);
    EXPECT_EQ(doc.GetEventDef().GetWeekDays().GetNumDays(), 1);
    ASSERT_EQ(views.Updates.size(), 1u);
    EXPECT_EQ(views.Updates[0].lCode, UpdateViewHint::e_event_definition);

    // Finish without a change leaves the event alone: the change routine
    // would throw away the timetable's unlocked placements for nothing.
    sheets.fEdit = {};
    doc.SetModifiedFlag(FALSE);
    doc.OnDefineEvent();
    EXPECT_EQ(views.Updates.size(), 1u);
    EXPECT_FALSE(doc.IsModified());
}

TEST(DefineEventSheet, NextNeedsANameAndAKind)
{
    EXPECT_EQ(FirstPageButtons("", 0), 0u);
    EXPECT_EQ(FirstPageButtons("Fair", -1), 0u);
    EXPECT_EQ(FirstPageButtons("Fair", 2), UINT(WIZB_NEXT));
    EXPECT_EQ(FirstPageButtons("   ", 1), UINT(WIZB_NEXT));  // spaces count as a name
}

TEST(CalendarDaysPage, PicturesForOneDate)
{
    const CHighTime dt_date(2000, 1, 6);
    const char* a_slash[] = {"06/01/2000", "01/06/2000", "Thu 06/01/2000", "Thu 01/06/2000",
                             "Thursday, 06/01/2000", "Thursday, 01/06/2000", "6 Jan 2000", "Jan 6 2000",
                             "Thu 6 Jan 2000", "Thu Jan 6 2000", "Thursday, 6 Jan 2000", "Thursday, Jan 6 2000",
                             "6 January 2000", "January 6 2000", "Thu 6 January 2000", "Thu January 6 2000",
                             "Thursday, 6 January 2000", "Thursday, January 6 2000"};
    const std::vector<std::string> v_slash = CalendarDaysCore::Pictures("/");
    const std::vector<std::string> v_dash = CalendarDaysCore::Pictures("-");
    ASSERT_EQ(v_slash.size(), 18u);
    ASSERT_EQ(v_dash.size(), 18u);
    EXPECT_EQ(v_slash[0], "dd/MM/yyyy");
    for (std::size_t i = 0; i < 18; ++i) {
        SCOPED_TRACE(v_slash[i]);
        EXPECT_EQ(FormatDatePicture(dt_date, v_slash[i]), a_slash[i]);
        std::string s_dash = a_slash[i];
        if (i < 6)
            std::replace(s_dash.begin(), s_dash.end(), '/', '-');
        EXPECT_EQ(FormatDatePicture(dt_date, v_dash[i]), s_dash);
    }
}

TEST(CalendarDaysPage, SeparatorChangeKeepsTheFormatsPlace)
{
    EventDefinition def;
    CalendarDaysCore core;
    core.Load(def);
    EXPECT_EQ(core.SeparatorIndex(), 0);
    EXPECT_EQ(core.FormatIndex(""), 0);
    core.FormatChosen(1);
    EXPECT_EQ(core.GetFormat(), "MM/dd/yyyy");
    core.SeparatorChosen(1, 1);
    EXPECT_EQ(core.GetSeparator(), "-");
    EXPECT_EQ(core.GetFormat(), "MM-dd-yyyy");
    EXPECT_EQ(core.FormatLines()[1], "MM-dd-yyyy");
    EXPECT_EQ(core.Sample(CHighTime(2000, 1, 6), ""), "01-06-2000");

    // A stored picture that is none of the lines is the event's own: a
    // last line, chosen rather than the long date picture's line.
    EventDefinition stored;
    CalendarDays days;
    ZelArray<ZelOleDateTime> a_dates;
    a_dates.Add(ZelOleDateTime(2025, 3, 3));
    days.SetDates(a_dates);
    days.SetDatePicture("yyyy.MM.dd");
    stored.SetDayDef(days);
    core.Load(stored);
    ASSERT_EQ(core.FormatLines().size(), 19u);
    EXPECT_EQ(core.FormatLines().back(), "yyyy.MM.dd");
    EXPECT_EQ(core.FormatIndex("ddd d MMM yyyy"), 18);
    core.FormatChosen(2);
    EXPECT_EQ(core.GetFormat(), "ddd dd/MM/yyyy");
    EXPECT_EQ(core.FormatIndex("ddd d MMM yyyy"), 2);
    core.FormatChosen(18);
    EXPECT_EQ(core.GetFormat(), "yyyy.MM.dd");

    // A new event's days have no picture yet: the long date picture's line
    // when the list has it, else the first.
    core.Load(EventDefinition());
    EXPECT_EQ(core.FormatLines().size(), 18u);
    EXPECT_EQ(core.FormatIndex("ddd d MMM yyyy"), 8);
    EXPECT_EQ(core.FormatIndex("yy"), 0);
}

// The page left as it opened, its lists' selections taken as the page
// takes them, stores the event's separator and picture as they were, so
// that the day names stay: an empty picture (the locale's short date, as
// generated events have) and an empty separator included.
TEST(CalendarDaysPage, ListsLeftAloneKeepTheEventsOwnForm)
{
    const struct {
        const char* pSeparator;
        const char* pPicture;
        std::size_t nLines;
    } a_cases[] = {
        {"", "", 19},
        {"/", "", 19},
        {"", "dd/MM/yyyy", 18},
        {"-", "MM-dd-yyyy", 18},
        {"/", "dd/MM/yy", 19},
        {".", "dd.MM.yyyy", 19},
        {"/", "ddd d MMM", 19},
        {"/", "d MMM yyyy", 18},
    };
    ZelArray<ZelOleDateTime> a_dates;
    a_dates.Add(ZelOleDateTime(2025, 3, 3));
    a_dates.Add(ZelOleDateTime(2025, 3, 4));
    for (const auto& one : a_cases) {
        CalendarDays days;
        days.SetDates(a_dates);
        days.SetSeparator(one.pSeparator);
        days.SetDatePicture(one.pPicture);
        EventDefinition def;
        StoreDayDef(def, days);
        const EventDefinition before(def);
        CalendarDaysCore core;
        core.Load(def);
        EXPECT_EQ(core.FormatLines().size(), one.nLines) << one.pPicture;
        const int i_format = core.FormatIndex("ddd d MMM yyyy");
        EXPECT_EQ(core.Sample(CHighTime(2025, 3, 3), "ddd d MMM yyyy"), days.GetDayName(0)) << one.pPicture;
        core.SeparatorChosen(core.SeparatorIndex(), i_format);
        ASSERT_TRUE(core.SetDates(days.GetDates(), def));
        EXPECT_EQ(def.GetCalendarDays().GetSeparator(), one.pSeparator) << one.pPicture;
        EXPECT_EQ(def.GetCalendarDays().GetDatePicture(), one.pPicture) << one.pSeparator;
        EXPECT_EQ(def.GetDayDef().GetDayName(0), before.GetDayDef().GetDayName(0)) << one.pPicture;
        EXPECT_TRUE(SameStoredForm(def, before)) << one.pSeparator << " " << one.pPicture;
    }
}

TEST(CalendarDaysPage, CountTexts)
{
    EXPECT_EQ(CalendarDaysCore::CountText(0), "");
    EXPECT_EQ(CalendarDaysCore::CountText(1), "You have selected one day.");
    EXPECT_EQ(CalendarDaysCore::CountText(12), "You have selected 12 days.");
}

TEST(CalendarDaysPage, StoresSortedDatesOnlyWhenThereAreAny)
{
    EventDefinition def;
    def.SetDayDef(WeekDays());
    CalendarDaysCore core;
    core.Load(def);
    ZelArray<ZelOleDateTime> a_dates;
    a_dates.Add(ZelOleDateTime(2000, 1, 3));
    a_dates.Add(ZelOleDateTime(2000, 1, 1));
    ASSERT_TRUE(core.SetDates(a_dates, def));
    ASSERT_EQ(def.GetDaySel(), EventDefinition::eCalendar);
    const CalendarDays& stored = def.GetCalendarDays();
    ASSERT_EQ(stored.GetNumDays(), 2);
    EXPECT_TRUE(stored.GetDate(0).IsSameDate(ZelOleDateTime(2000, 1, 1)));
    EXPECT_EQ(stored.GetDaySlots(0).GetNumSlots(), 16);
    EXPECT_EQ(core.Buttons(), UINT(WIZB_BACK | WIZB_NEXT));

    // Clearing every date stores nothing: the definition keeps its dates.
    EXPECT_FALSE(core.SetDates(ZelArray<ZelOleDateTime>(), def));
    EXPECT_EQ(def.GetCalendarDays().GetNumDays(), 2);
    EXPECT_EQ(core.Buttons(), UINT(WIZB_BACK));
}

TEST(WeekDaysPage, OrdersTheDaysFromTheFirstDay)
{
    struct Case {
        std::array<bool, 7> aTicks;
        int iFirst;
        std::vector<int> vOrder;
    } a_cases[] = {
        {{false, true, true, true, true, true, false}, 3, {3, 4, 5, 1, 2}},  // Mon-Fri from Wednesday
        {{false, true, true, true, true, true, false}, 0, {1, 2, 3, 4, 5}},  // first day not ticked
        {{true, false, false, false, false, false, true}, 6, {6, 0}},        // Saturday then Sunday
    };
    for (const Case& c : a_cases) {
        EventDefinition def;
        WeekDaysCore core;
        core.Load(def);
        ASSERT_TRUE(core.Exchange(c.aTicks, c.iFirst, 0, def));
        const WeekDays& days = def.GetWeekDays();
        std::vector<int> v_order;
        for (int i = 0; i < days.GetNumDays(); ++i)
            v_order.push_back(days.GetWeekDay(i));
        EXPECT_EQ(v_order, c.vOrder);
        if (c.iFirst == 6) {
            EXPECT_TRUE(days.IsConsecutive(0, 1));
        }
    }
}

TEST(WeekDaysPage, LayoutsFollowTheirDaysAndNothingTickedStoresNothing)
{
    EventDefinition def;
    WeekDaysCore core;
    core.Load(def);
    EXPECT_EQ(core.GetFirstDay(), 0);
    EXPECT_EQ(core.GetNameFormat(), 0);
    ASSERT_TRUE(core.Exchange({false, true, true, false, false, false, false}, 0, 0, def));
    WeekDays days = def.GetWeekDays();
    days.GetDaySlots(1).GenerateSlots(At(8, 0), At(9, 0), 60, nullptr, nullptr);  // Tuesday
    def.SetDayDef(days);
    core.Load(def);
    ASSERT_TRUE(core.Exchange({false, true, true, false, false, false, false}, 2, 1, def));
    const WeekDays& stored = def.GetWeekDays();
    EXPECT_EQ(stored.GetWeekDay(0), 2);
    EXPECT_EQ(stored.GetDaySlots(0).GetNumSlots(), 1);
    EXPECT_FALSE(stored.IsFullName());
    EXPECT_EQ(core.DayTexts()[2], "Tue");

    EXPECT_FALSE(core.Exchange({}, 2, 1, def));
    EXPECT_EQ(def.GetWeekDays().GetNumDays(), 2);
    EXPECT_EQ(core.Buttons(), UINT(WIZB_BACK));

    // A page opened over calendar dates starts empty.
    EventDefinition calendar;
    core.Load(calendar);
    EXPECT_EQ(core.Ticks(), (std::array<bool, 7>{}));
}

// The custom days as rows, their keys and their layouts' first starts.
struct CustomFixture {
    EventDefinition def;
    CustomDaysCore core;
    std::vector<CustomDaysCore::Row> vRows;

    CustomFixture()
    {
        core.Load(def);
        for (const char* p : {"Fri", "Sat", "Sun"}) {
            CustomDaysCore::Row row;
            row.sName = p;
            vRows.push_back(row);
        }
        core.Store(vRows, def);
        // Each day a layout of its own: Fri 08:00, Sat 10:00, Sun 12:00.
        CustomDays days = def.GetCustomDays();
        for (int i = 0; i < 3; ++i)
            days.GetDaySlots(i).GenerateSlots(At(8 + 2 * i, 0), At(18, 0), 60, nullptr, nullptr);
        def.SetDayDef(days);
        vRows = core.Load(def);
    }
    std::string Start(const std::string& s_name) const
    {
        const CustomDays& days = def.GetCustomDays();
        const int i = days.FindDayByName(s_name);
        return i < 0 ? "?" : ZelOleDateTime(days.GetDaySlots(i).GetFirstStart()).FormatHHMM();
    }
};

TEST(CustomDaysPage, StoresByKeyThroughMovesDeletesAndRenames)
{
    CustomFixture f;
    const LONG l_sat = f.vRows[1].lKey;
    const LONG l_sun = f.vRows[2].lKey;

    // Move Sun up, then rename the row that moved down.
    std::swap(f.vRows[1], f.vRows[2]);
    f.core.Store(f.vRows, f.def);
    f.vRows[2].sName = "Saturday";
    f.core.Store(f.vRows, f.def);
    const CustomDays& days = f.def.GetCustomDays();
    ASSERT_EQ(days.GetNumDays(), 3);
    EXPECT_EQ(days.GetDay(1).sName, "Sun");
    EXPECT_EQ(days.GetDay(1).lKey, l_sun);
    EXPECT_EQ(days.GetDay(2).lKey, l_sat);
    EXPECT_EQ(f.Start("Sun"), "12:00");
    EXPECT_EQ(f.Start("Saturday"), "10:00");

    // Delete Fri, then rename the row that took its place.
    f.vRows.erase(f.vRows.begin());
    f.core.Store(f.vRows, f.def);
    f.vRows[0].sName = "Sunday";
    f.core.Store(f.vRows, f.def);
    ASSERT_EQ(f.def.GetCustomDays().GetNumDays(), 2);
    EXPECT_EQ(f.def.GetCustomDays().GetDay(0).lKey, l_sun);
    EXPECT_EQ(f.Start("Sunday"), "12:00");
    EXPECT_EQ(f.Start("Saturday"), "10:00");
}

TEST(CustomDaysPage, NewRowsFlagsAndAnEmptyList)
{
    CustomFixture f;
    CustomDaysCore::Row row;
    row.sName = "Mon";
    row.bConsecutive = TRUE;
    f.vRows.push_back(row);
    f.core.Store(f.vRows, f.def);
    const CustomDays& days = f.def.GetCustomDays();
    ASSERT_EQ(days.GetNumDays(), 4);
    EXPECT_GE(f.vRows[3].lKey, 0);
    EXPECT_EQ(days.GetDay(3).lKey, f.vRows[3].lKey);
    EXPECT_EQ(f.Start("Mon"), "09:00");
    EXPECT_EQ(days.GetDaySlots(3).GetNumSlots(), 16);
    // The last day's flag makes the first follow it.
    EXPECT_TRUE(days.IsConsecutive(3, 0));

    f.vRows.clear();
    f.core.Store(f.vRows, f.def);
    EXPECT_EQ(f.def.GetDaySel(), EventDefinition::eCustom);
    EXPECT_EQ(f.def.GetCustomDays().GetNumDays(), 0);
    EXPECT_EQ(CustomDaysCore::Buttons(0), UINT(WIZB_BACK));
}

} // namespace
