#include "model/EventDoc.h"
#include "testsupport/EventBuilder.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

using testevent::EventBuilder;
using Change = EventDoc::LimitFieldChange;

namespace {

// The days the limits are spread over.
enum Days { e_three_days, e_no_timetable, e_monday_unavailable, e_all_unavailable };

// Exact value, minimum, maximum; the reconciliation does not look at the
// type.
struct Limits {
    UINT uValue;
    UINT uMin;
    UINT uMax;
    bool operator==(const Limits&) const = default;
};

SchedLim ToSchedLim(const Limits& l) { return SchedLim(SchedLim::e_range, l.uValue, l.uMin, l.uMax); }
Limits FromSchedLim(const SchedLim& l) { return {l.uValue, l.uMin, l.uMax}; }

void PrintTo(const Limits& l, std::ostream* os) { *os << "{" << l.uValue << ", " << l.uMin << ", " << l.uMax << "}"; }

} // namespace

void PrintTo(const Change& c, std::ostream* os)
{
    *os << "(" << c.iField << ", " << c.uStringId << ", \"" << c.sText << "\")";
}

namespace {

TEST(EventDocLimits, CheckLimitsReconcilesEventAndDayLimits)
{
    const Limits k_event{6, 3, 9};
    const Limits k_day{2, 1, 3};
    struct Case {
        const char* pWhat;
        Days eDays;
        Limits event;
        Limits day;
        std::vector<int> vEdited;
        int iField;
        BOOL bApply;
        std::vector<Change> vChanges;
        Limits eventAfter;
        Limits dayAfter;
    };
    const Case a_cases[] = {
        {"limits that agree", e_three_days, k_event, k_day, {}, 1, TRUE, {}, k_event, k_day},
        {"listed only, nothing changes", e_three_days, {6, 3, 2}, k_day, {}, 2, FALSE,
         {{3, 5000, ""}, {5, 5001, "3"}, {3, 5010, "3"}}, {6, 3, 2}, k_day},
        {"an event maximum edited below the minimum, passes until they agree", e_three_days, {6, 3, 2}, k_day, {}, 3,
         TRUE, {{2, 5000, ""}, {5, 5001, "3"}, {4, 5010, "3"}, {2, 5009, "3"}}, {6, 0, 2}, {0, 0, 3}},
        {"day exact edited: the event exact follows", e_three_days, {5, 3, 9}, k_day, {}, 4, TRUE,
         {{1, 5004, "3"}}, {6, 3, 9}, k_day},
        {"exact values disagree, neither edited", e_three_days, {5, 3, 9}, k_day, {}, 2, TRUE, {}, {5, 3, 9}, k_day},
        {"event minimum edited: the day maximum rises", e_three_days, {12, 10, 12}, {4, 1, 3}, {}, 2, TRUE,
         {{6, 5005, "3"}}, {12, 10, 12}, {4, 1, 4}},
        {"day maximum edited: the event minimum and exact fall", e_three_days, {12, 10, 12}, {4, 1, 3}, {}, 6, TRUE,
         {{2, 5005, "3"}, {1, 5012, "3"}}, {9, 9, 12}, {4, 1, 3}},
        {"day minimum edited: the event maximum rises", e_three_days, {6, 3, 5}, {1, 2, 3}, {}, 5, TRUE,
         {{3, 5001, "3"}}, {6, 3, 6}, {1, 2, 3}},
        {"event maximum edited: the day minimum falls", e_three_days, {6, 3, 5}, {1, 2, 3}, {}, 3, TRUE,
         {{5, 5001, "3"}}, {6, 3, 5}, {1, 1, 3}},
        {"event maximum edited before: the day exact falls", e_three_days, {6, 3, 5}, k_day, {3}, 2, TRUE,
         {{4, 5010, "3"}}, {6, 3, 5}, {1, 1, 3}},
        {"both edited before: the event maximum rises", e_three_days, {6, 3, 5}, k_day, {3, 4}, 2, TRUE,
         {{3, 5010, "3"}}, {6, 3, 6}, k_day},
        {"event exact edited: the day maximum rises", e_three_days, {10, 0, 12}, {0, 1, 3}, {}, 1, TRUE,
         {{6, 5012, "3"}}, {10, 0, 12}, {0, 1, 4}},
        {"day maximum edited: the event exact falls", e_three_days, {10, 0, 12}, {0, 1, 3}, {}, 6, TRUE,
         {{1, 5012, "3"}}, {9, 0, 12}, {0, 1, 3}},
        {"no day available: nothing is divided by it", e_all_unavailable, k_event, k_day, {}, 6, TRUE,
         {{2, 5005, "0"}, {1, 5012, "0"}}, {0, 0, 9}, k_day},
        {"without a timetable one day counts", e_no_timetable, k_event, k_day, {}, 4, TRUE,
         {{1, 5004, "1"}, {2, 5009, "1"}}, {2, 2, 9}, k_day},
        {"a day wholly unavailable does not count", e_monday_unavailable, k_event, k_day, {}, 4, TRUE,
         {{1, 5004, "2"}}, {4, 3, 9}, k_day},
    };
    for (const Case& c : a_cases) {
        SCOPED_TRACE(c.pWhat);
        EventBuilder event;
        event.Days({"Mon", "Tue", "Wed"}).Slots(-1, {"09:00-10:00", "10:00-11:00"}).Venue("Hall");
        if (c.eDays != e_no_timetable)
            event.Timetable();
        const DayDefBase& days = event.Doc().GetEventDef().GetDayDef();
        TimeList unavailable;
        for (int d = 0; d < 3; ++d) {
            if (c.eDays == e_all_unavailable || (d == 0 && c.eDays == e_monday_unavailable))
                unavailable.AddTime(days.GetDayId(d), EventBuilder::RelSlot("08:00-12:00"));
        }
        SchedLim event_limits = ToSchedLim(c.event);
        SchedLim day_limits = ToSchedLim(c.day);
        ZelArray<int> a_edited;
        for (int i_field : c.vEdited)
            a_edited.Add(i_field);
        ZelArray<Change> a_changes;
        a_changes.Add(Change{9, 1, "stale"});

        const int n_changes = event.Doc().CheckLimits(&unavailable, event_limits, day_limits, a_edited, c.iField,
                                                      a_changes, c.bApply);

        std::vector<Change> v_changes(a_changes.GetData(), a_changes.GetData() + a_changes.GetSize());
        EXPECT_EQ(n_changes, static_cast<int>(c.vChanges.size()));
        EXPECT_EQ(v_changes, c.vChanges);
        EXPECT_EQ(FromSchedLim(event_limits), c.eventAfter);
        EXPECT_EQ(FromSchedLim(day_limits), c.dayAfter);
        EXPECT_EQ(event_limits.uType, SchedLim::e_range);
    }
}

TEST(EventDocLimits, ExactValuesEditedTogetherDropALimitType)
{
    // The day exact edited before the event exact: the day's limit goes;
    // both edited before another field: the event's goes.
    struct Case {
        std::vector<int> vEdited;
        int iField;
        int iTypeField;
        UINT uEventType;
        UINT uDayType;
    };
    const Case a_cases[] = {
        {{4}, 1, 8, SchedLim::e_exact, SchedLim::e_no_limits},
        {{4, 1}, 2, 7, SchedLim::e_no_limits, SchedLim::e_exact},
    };
    for (const Case& c : a_cases) {
        EventBuilder event;
        event.Days({"Mon", "Tue", "Wed"}).Slots(-1, {"09:00-10:00"}).Venue("Hall").Timetable();
        SchedLim event_limits(SchedLim::e_exact, 5, 3, 9);
        SchedLim day_limits(SchedLim::e_exact, 2, 1, 3);
        ZelArray<int> a_edited;
        for (int i_field : c.vEdited)
            a_edited.Add(i_field);
        ZelArray<Change> a_changes;
        event.Doc().CheckLimits(nullptr, event_limits, day_limits, a_edited, c.iField, a_changes, TRUE);
        ASSERT_GE(a_changes.GetSize(), 1);
        EXPECT_EQ(a_changes[0], (Change{c.iTypeField, 5004, "3"}));
        EXPECT_EQ(event_limits.uType, c.uEventType);
        EXPECT_EQ(day_limits.uType, c.uDayType);
        EXPECT_EQ(event_limits.uValue, 5u);
        EXPECT_EQ(day_limits.uValue, 2u);
    }
}

} // namespace
