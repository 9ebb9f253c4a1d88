// Which days the event has, and the timeslot layout of each.
//
// The days are calendar dates, days of the week or named custom days. The
// rest of the program knows a day only by its identifier (days since
// 1 January 1800; the week-day number, Sunday 0; the custom day's key) and
// reaches the day definition through the five virtual operations of
// DayDefBase, so it never needs to know which kind is in use.
#pragma once

#include "framework/Types.h"
#include "model/DayDefSlots.h"
#include "zelkit/datetime/CHighTime.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/datetime/ZelOleDateTime.h"
#include "zelkit/base/ZelStringArray.h"

#include <string>
#include <unordered_map>
#include <vector>

class CArchive;
class EventDoc;
class Flags;

class DayDefBase {
public:
    DayDefBase() = default;
    DayDefBase(const DayDefBase& src) = default;
    DayDefBase& operator=(const DayDefBase& src) = default;
    virtual ~DayDefBase() = default;

    // The five day operations every kind answers.
    virtual int GetNumDays() const = 0;
    // TRUE when day i_day2 directly follows day i_day1.
    virtual BOOL IsConsecutive(int i_day1, int i_day2) const = 0;
    virtual std::string GetDayName(int i_day) const = 0;
    // The day's stable identifier, used in time lists, rules and files.
    virtual LONG GetDayId(int i_day) const = 0;
    // The index of the day with that identifier, -1 when none.
    virtual int FindDayId(LONG l_id) const = 0;

    // A day next to another, and by how many days a time of the other
    // moves on this day's clock: -1 when this day directly follows the
    // other, +1 when the other directly follows this one (a day that does
    // both counts as following).
    struct Neighbour {
        int iDay = -1;
        int nShift = 0;
    };
    // The days next to day i_day (0 to GetNumDays() - 1), in descending
    // day order. The availability tests ask this for every timeslot they
    // test, so it is worked out once whenever the days change, not per
    // call.
    const std::vector<Neighbour>& GetNeighbours(int i_day) const;

    // Times are shown in 24-hour form (else with am/pm).
    BOOL Is24Hour() const { return b24Hour; }
    void Set24Hour(BOOL b_24Hour) { b24Hour = b_24Hour; }

    // One layout per day, in day order.
    int GetNumLayouts() const { return DayArray.GetSize(); }
    DayDefSlots& GetDaySlots(int i_day) { return DayArray[i_day]; }
    const DayDefSlots& GetDaySlots(int i_day) const { return DayArray[i_day]; }
    // The sum of the slot counts of all layouts.
    int GetNumTimeslots() const;

    // The first day whose name is the text, byte for byte; -1 when none.
    int FindDayByName(const std::string& s_name) const;

    // Sets the number of layouts, then clears every one of them.
    void SetNumDays(int n_days);

    // Generates the layout of every day that has no slots, with the
    // layouts of its consecutive neighbours as limits.
    void FillEmptyDays(const CHighTime& dt_start, const CHighTime& dt_end, int n_minutes);
    // The same for every day; needs a valid start and end and positive
    // minutes. Returns the number of days, 0 when an argument is missing.
    int RegenerateDays(const CHighTime& dt_start, const CHighTime& dt_end, int n_minutes);
    // Generates every day: the first day from its own start, the last day
    // up to its own end, the other days between the other two times.
    void GenerateAllDays(const CHighTime& dt_firstStart, const CHighTime& dt_lastEnd, const CHighTime& dt_otherStart,
                         const CHighTime& dt_otherEnd, int n_minutes);

    // The layouts and the 24-hour flag; each kind stores its own days
    // after them.
    virtual void Serialize(CArchive& ar);

protected:
    // What the common part of a stored definition holds. A kind reads it,
    // then its own days, and changes nothing until all of it was read.
    struct LoadedBase {
        ZelArray<DayDefSlots> Layouts;
        BOOL b24Hour = 0;
    };
    static LoadedBase LoadBase(CArchive& ar);
    void CommitBase(LoadedBase& loaded);
    // A loaded definition with more days than layouts is damaged.
    static void CheckDayCount(const LoadedBase& loaded, int n_days, const char* p_text);

    // Generates one day's layout with its consecutive neighbours' layouts.
    void GenerateDay(int i_day, const CHighTime& dt_start, const CHighTime& dt_end, int n_minutes);

    // Every kind calls this after its days or their order, identifiers or
    // links changed: the neighbours of each day and the index of each
    // identifier are made again from IsConsecutive and GetDayId.
    void RebuildDayFacts();
    // The first day with the identifier, -1 when none, from those facts.
    int LookUpDayId(LONG l_id) const;

    BOOL b24Hour = 0;
    ZelArray<DayDefSlots> DayArray;

private:
    std::vector<std::vector<Neighbour>> vNeighbours;
    std::unordered_map<LONG, int> DayIndex;
};

class CalendarDays : public DayDefBase {
public:
    CalendarDays() = default;
    CalendarDays(const CalendarDays& src) = default;
    CalendarDays& operator=(const CalendarDays& src) = default;

    int GetNumDays() const override { return Dates.GetSize(); }
    BOOL IsConsecutive(int i_day1, int i_day2) const override;
    std::string GetDayName(int i_day) const override;
    LONG GetDayId(int i_day) const override;
    int FindDayId(LONG l_id) const override;

    const ZelOleDateTime& GetDate(int i_day) const { return Dates[i_day]; }
    const ZelArray<ZelOleDateTime>& GetDates() const { return Dates; }
    // Kept and stored as it stands.
    const std::string& GetSeparator() const { return sSeparator; }
    void SetSeparator(const std::string& s_separator) { sSeparator = s_separator; }
    // The form of the day names; empty for the user's short date form.
    const std::string& GetDatePicture() const { return sDatePicture; }
    void SetDatePicture(const std::string& s_picture) { sDatePicture = s_picture; }

    // The dates, sorted; a date already present keeps its layout.
    void SetDates(const ZelArray<ZelOleDateTime>& a_dates);
    // The first day on the same calendar date; -1 when none.
    int FindDate(const ZelOleDateTime& o_date) const;
    // The date in the definition's picture.
    std::string FormatDate(const CHighTime& dt_date) const;
    // Empties the dates and the layouts.
    void Reset();

    // The number of days from 1 January 1800 to the date (that day is 0).
    static LONG GetCalendarDayId(const CHighTime& dt_date);

    void Serialize(CArchive& ar) override;

private:
    void RebuildDayIds();

    ZelArray<ZelOleDateTime> Dates;
    std::string sSeparator;
    std::string sDatePicture;
    ZelArray<DWORD> DayIds;
};

class WeekDays : public DayDefBase {
public:
    WeekDays() = default;
    WeekDays(const WeekDays& src) = default;
    WeekDays& operator=(const WeekDays& src) = default;

    int GetNumDays() const override { return Days.GetSize(); }
    BOOL IsConsecutive(int i_day1, int i_day2) const override;
    std::string GetDayName(int i_day) const override;
    LONG GetDayId(int i_day) const override;
    int FindDayId(LONG l_id) const override;

    int GetDaysPerWeek() const { return nDaysPerWeek; }
    // 0 Sunday to 6 Saturday.
    int GetFirstDay() const { return iFirstDay; }
    void SetFirstDay(int i_firstDay) { iFirstDay = i_firstDay; }
    BOOL IsFullName() const { return bFullName; }
    void SetFullName(BOOL b_fullName) { bFullName = b_fullName; }
    // The week-day number of the day.
    int GetWeekDay(int i_day) const { return static_cast<int>(Days[i_day]); }

    // The days flagged among 0 to 6, in week order from the first day;
    // a day chosen before keeps its layout.
    void SetDays(const Flags& flags);
    // Puts the chosen days in week order from the first day, wrapping
    // after Saturday; each day keeps its layout.
    void SortDays();
    // No days, no layouts, first day and full names back to their defaults.
    void Reset();

    void Serialize(CArchive& ar) override;

private:
    int nDaysPerWeek = ZelOleDateTime::nDayNames;
    int iFirstDay = 1;
    ZelArray<DWORD> Days;
    BOOL bFullName = 1;
};

class CustomDays : public DayDefBase {
public:
    struct Day {
        LONG lKey = -1;
        std::string sName;
        // The next day (after the last, the first) follows without a break.
        BOOL bConsecutive = 0;

        Day() = default;
        Day(const Day& src) = default;
        Day& operator=(const Day& src);
    };

    CustomDays() = default;
    CustomDays(const CustomDays& src) = default;
    CustomDays& operator=(const CustomDays& src) = default;

    int GetNumDays() const override { return Days.GetSize(); }
    BOOL IsConsecutive(int i_day1, int i_day2) const override;
    std::string GetDayName(int i_day) const override;
    LONG GetDayId(int i_day) const override;
    int FindDayId(LONG l_id) const override;

    const Day& GetDay(int i_day) const { return Days[i_day]; }
    void SetConsecutive(int i_day, BOOL b_consecutive);

    // The days become the names, in order. A name equal to an old day's
    // keeps that day's key, flag and layout; a new one takes the next key.
    void SetDays(const ZelStringArray& a_names);
    // The days become the rows, in order, matched by key: a row whose key
    // is a day's keeps that day's key and layout and takes the row's name
    // and flag; a row with any other key (-1 for a new one) takes the next
    // key and no layout. Renaming and reordering so never mix up two days.
    void SetDays(const ZelArray<Day>& a_rows);
    ZelStringArray GetNames() const;
    // No days and no layouts.
    void Reset();

    void Serialize(CArchive& ar) override;

    // The program-wide custom-day key counter: the key the next new day
    // takes. It is saved with the custom days.
    static LONG GetKeyCounter();
    static void SetKeyCounter(LONG l_next);

private:
    ZelArray<Day> Days;
};

class EventDefinition {
public:
    enum DaySel { eCalendar = 0, eWeekDays = 1, eCustom = 2 };

    EventDefinition() = default;
    EventDefinition(const EventDefinition& src) = default;
    EventDefinition& operator=(const EventDefinition& src) = default;
    virtual ~EventDefinition() = default;

    DaySel GetDaySel() const { return eDaySel; }
    // The definition in use.
    DayDefBase& GetDayDef();
    const DayDefBase& GetDayDef() const;
    const DayDefBase& GetDayDefConst() const { return GetDayDef(); }
    // Stores a definition as the one of its kind and selects that kind.
    void SetDayDef(const DayDefBase& days);

    CalendarDays& GetCalendarDays() { return Calendar; }
    const CalendarDays& GetCalendarDays() const { return Calendar; }
    WeekDays& GetWeekDays() { return Week; }
    const WeekDays& GetWeekDays() const { return Week; }
    CustomDays& GetCustomDays() { return Custom; }
    const CustomDays& GetCustomDays() const { return Custom; }

    // Older files named a slot's venue by its position in the venue list:
    // such slots of every layout in use get the venue's key.
    void RemapSetKeys(EventDoc* p_doc);
    // The same with the venues as the file held them: entry i is the key
    // of the file's venue i, or -1 for a venue the list refused, whose
    // slots are dropped (no venue of the event has them).
    void RemapSetKeys(const ZelArray<LONG>& a_venueKeys);
    // Empties all three definitions and selects calendar days.
    void Reset();

    // The kind, then only the definition in use.
    void Serialize(CArchive& ar);

private:
    DaySel eDaySel = eCalendar;
    CalendarDays Calendar;
    WeekDays Week;
    CustomDays Custom;
};
