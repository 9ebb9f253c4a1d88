#include "sheets/DefineEventRules.h"

#include "model/DatePicture.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "model/KeyList.h"
#include "sheets/TimeslotsRules.h"
#include "zelkit/datetime/ZelOleDateTime.h"

#include <algorithm>
#include <cctype>
#include <langinfo.h>
#include <locale.h>

namespace {

bool BeginsWithNoCase(const std::string& s_line, const std::string& s_start)
{
    if (s_start.size() > s_line.size())
        return false;
    for (std::size_t i = 0; i < s_start.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(s_line[i])) != std::tolower(static_cast<unsigned char>(s_start[i])))
            return false;
    }
    return true;
}

// The first line beginning with the text; -1 for none or an empty text.
int FindLineStart(const std::vector<std::string>& v_lines, const std::string& s_start)
{
    if (s_start.empty())
        return -1;
    for (std::size_t i = 0; i < v_lines.size(); ++i) {
        if (BeginsWithNoCase(v_lines[i], s_start))
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

int RunDefineEvent(EventDoc& doc, const std::function<int(DefineEventWork& work)>& f_run)
{
    DefineEventWork work;
    work.sName = doc.GetEventName();
    work.Def = doc.GetEventDef();
    const int i_result = f_run(work);
    if (i_result == ID_WIZFINISH) {
        doc.SetEventName(work.sName);
        doc.GetEventDef() = work.Def;
    }
    return i_result;
}

UINT FirstPageButtons(const std::string& s_name, int i_kind)
{
    return !s_name.empty() && i_kind >= 0 && i_kind <= 2 ? UINT(WIZB_NEXT) : 0u;
}

void StoreDayDef(EventDefinition& def, DayDefBase& days)
{
    days.FillEmptyDays(TimeslotsPageCore::DefaultDayStart(), TimeslotsPageCore::DefaultDayEnd(),
                       TimeslotsPageCore::nDefaultMinutes);
    def.SetDayDef(days);
}

// ---- calendar dates ----

std::vector<std::string> CalendarDaysCore::Separators() { return {"/", "-"}; }

std::vector<std::string> CalendarDaysCore::Pictures(const std::string& s)
{
    return {"dd" + s + "MM" + s + "yyyy",
            "MM" + s + "dd" + s + "yyyy",
            "ddd dd" + s + "MM" + s + "yyyy",
            "ddd MM" + s + "dd" + s + "yyyy",
            "dddd, dd" + s + "MM" + s + "yyyy",
            "dddd, MM" + s + "dd" + s + "yyyy",
            "d MMM yyyy",
            "MMM d yyyy",
            "ddd d MMM yyyy",
            "ddd MMM d yyyy",
            "dddd, d MMM yyyy",
            "dddd, MMM d yyyy",
            "d MMMM yyyy",
            "MMMM d yyyy",
            "ddd d MMMM yyyy",
            "ddd MMMM d yyyy",
            "dddd, d MMMM yyyy",
            "dddd, MMMM d yyyy"};
}

std::string CalendarDaysCore::CountText(int n_dates)
{
    if (n_dates <= 0)
        return {};
    if (n_dates == 1)
        return "You have selected one day.";
    return "You have selected " + std::to_string(n_dates) + " days.";
}

std::string CalendarDaysCore::LongDatePicture()
{
    // The locale's full date-and-time form without its time of day: what is
    // left is the long form of the date.
    static const std::string s_picture = [] {
        std::string s_format;
        const locale_t o_locale = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
        if (o_locale == static_cast<locale_t>(nullptr))
            return std::string();
        if (const char* p_format = nl_langinfo_l(_DATE_FMT, o_locale))
            s_format = p_format;
        freelocale(o_locale);
        std::string s_date;
        for (std::size_t i = 0; i < s_format.size(); ++i) {
            if (s_format[i] == '%' && i + 1 < s_format.size()) {
                std::size_t j = i + 1;
                while (j < s_format.size() && (s_format[j] == '-' || s_format[j] == '_' || s_format[j] == '0' || s_format[j] == 'E' || s_format[j] == 'O'))
                    ++j;
                if (j < s_format.size() && std::string("HMSZzprTRIlk").find(s_format[j]) != std::string::npos) {
                    i = j;
                    continue;
                }
                s_date.append(s_format, i, j + 1 - i);
                i = j;
                continue;
            }
            if (s_format[i] != ':')
                s_date += s_format[i];
        }
        // Spaces the dropped fields leave behind.
        std::string s_tidy;
        for (char c : s_date) {
            if (c == ' ' && (s_tidy.empty() || s_tidy.back() == ' '))
                continue;
            s_tidy += c;
        }
        while (!s_tidy.empty() && s_tidy.back() == ' ')
            s_tidy.pop_back();
        return s_tidy.empty() ? std::string() : DatePictureFromStrftime(s_tidy);
    }();
    return s_picture;
}

void CalendarDaysCore::Load(const EventDefinition& def)
{
    if (def.GetDaySel() != EventDefinition::eCalendar) {
        Days.Reset();
        sSeparator.clear();
        sFormat.clear();
        bOwnLine = false;
        sOwnFormat.clear();
        return;
    }
    Days = def.GetCalendarDays();
    sSeparator = Days.GetSeparator();
    sFormat = Days.GetDatePicture();
    // The picture of the event's days is offered as it stands when no line
    // of the list is exactly it (a file from elsewhere, or none: the
    // locale's short date), so that going through the page keeps the day
    // names. Days not chosen yet have no form of their own.
    bOwnLine = false;
    const std::vector<std::string> v_lines = FormatLines();
    bOwnLine = Days.GetNumDays() > 0 && std::find(v_lines.begin(), v_lines.end(), sFormat) == v_lines.end();
    sOwnFormat = sFormat;
}

std::string CalendarDaysCore::OwnLineText() const { return sOwnFormat.empty() ? GetShortDatePicture() : sOwnFormat; }

std::vector<std::string> CalendarDaysCore::FormatLines() const
{
    const std::vector<std::string> v_separators = Separators();
    const auto it = std::find(v_separators.begin(), v_separators.end(), sSeparator);
    std::vector<std::string> v_lines = Pictures(it != v_separators.end() ? *it : v_separators.front());
    if (bOwnLine)
        v_lines.push_back(OwnLineText());
    return v_lines;
}

int CalendarDaysCore::SeparatorIndex() const { return std::max(FindLineStart(Separators(), sSeparator), 0); }

int CalendarDaysCore::FormatIndex(const std::string& s_longPicture) const
{
    const std::vector<std::string> v_lines = FormatLines();
    if (bOwnLine && sFormat == sOwnFormat)
        return static_cast<int>(v_lines.size()) - 1;
    int i_line = FindLineStart(v_lines, sFormat);
    if (i_line < 0)
        i_line = FindLineStart(v_lines, s_longPicture);
    return std::max(i_line, 0);
}

std::string CalendarDaysCore::Sample(const CHighTime& dt_today, const std::string& s_longPicture) const
{
    const std::vector<std::string> v_lines = FormatLines();
    return FormatDatePicture(dt_today, v_lines[static_cast<std::size_t>(FormatIndex(s_longPicture))]);
}

std::string CalendarDaysCore::FormatOfLine(int i_format) const
{
    const std::vector<std::string> v_lines = FormatLines();
    if (i_format < 0 || i_format >= static_cast<int>(v_lines.size()))
        return sFormat;
    if (bOwnLine && i_format == static_cast<int>(v_lines.size()) - 1)
        return sOwnFormat;
    return v_lines[static_cast<std::size_t>(i_format)];
}

void CalendarDaysCore::SeparatorChosen(int i_separator, int i_format)
{
    const std::vector<std::string> v_separators = Separators();
    sFormat = FormatOfLine(i_format);
    // The line shown for the event's own separator stands for it as it is,
    // even when it is none of the list's.
    if (i_separator >= 0 && i_separator < static_cast<int>(v_separators.size()) && i_separator != SeparatorIndex())
        sSeparator = v_separators[static_cast<std::size_t>(i_separator)];
    sFormat = FormatOfLine(i_format);
}

void CalendarDaysCore::FormatChosen(int i_format) { sFormat = FormatOfLine(i_format); }

bool CalendarDaysCore::SetDates(const ZelArray<ZelOleDateTime>& a_dates, EventDefinition& def)
{
    Days.SetDates(a_dates);
    if (Days.GetNumDays() == 0)
        return false;
    Store(def);
    return true;
}

void CalendarDaysCore::Store(EventDefinition& def) const
{
    CalendarDays o_days(Days);
    o_days.SetSeparator(sSeparator);
    o_days.SetDatePicture(sFormat);
    StoreDayDef(def, o_days);
}

// ---- days of the week ----

void WeekDaysCore::Load(const EventDefinition& def)
{
    if (def.GetDaySel() != EventDefinition::eWeekDays) {
        Days.Reset();
        Days.SetFirstDay(1);
        Days.SetFullName(1);
        iFirstDay = 0;
        iNameFormat = 0;
        return;
    }
    Days = def.GetWeekDays();
    iFirstDay = Days.GetFirstDay();
    iNameFormat = Days.IsFullName() ? 0 : 1;
}

std::array<bool, 7> WeekDaysCore::Ticks() const
{
    std::array<bool, 7> a_ticks{};
    for (int i = 0; i < Days.GetNumDays(); ++i) {
        const int i_weekDay = Days.GetWeekDay(i);
        if (i_weekDay >= 0 && i_weekDay < 7)
            a_ticks[static_cast<std::size_t>(i_weekDay)] = true;
    }
    return a_ticks;
}

bool WeekDaysCore::Exchange(const std::array<bool, 7>& a_ticks, int i_firstDay, int i_nameFormat,
                            EventDefinition& def)
{
    iFirstDay = i_firstDay;
    iNameFormat = i_nameFormat;
    Flags flags(7);
    for (int i = 0; i < 7; ++i)
        flags[i] = a_ticks[static_cast<std::size_t>(i)] ? 1 : 0;
    Days.SetDays(flags);
    if (Days.GetNumDays() == 0)
        return false;
    Store(def);
    return true;
}

void WeekDaysCore::Store(EventDefinition& def) const
{
    WeekDays o_days(Days);
    if (iFirstDay >= 0 && iFirstDay <= 6) {
        o_days.SetFirstDay(iFirstDay);
        o_days.SortDays();
    }
    o_days.SetFullName(iNameFormat == 0 ? 1 : 0);
    StoreDayDef(def, o_days);
}

std::vector<std::string> WeekDaysCore::DayTexts() const
{
    ZelOleDateTime::Init();
    std::vector<std::string> v_texts;
    for (int i = 0; i < ZelOleDateTime::nDayNames; ++i)
        v_texts.emplace_back(iNameFormat == 0 ? ZelOleDateTime::DayNames[i] : ZelOleDateTime::AbbrevDayNames[i]);
    return v_texts;
}

// ---- custom days ----

std::vector<CustomDaysCore::Row> CustomDaysCore::Load(const EventDefinition& def)
{
    std::vector<Row> v_rows;
    if (def.GetDaySel() != EventDefinition::eCustom) {
        Days.Reset();
        return v_rows;
    }
    Days = def.GetCustomDays();
    for (int i = 0; i < Days.GetNumDays(); ++i)
        v_rows.push_back(Days.GetDay(i));
    return v_rows;
}

void CustomDaysCore::Store(std::vector<Row>& v_rows, EventDefinition& def)
{
    ZelArray<Row> a_rows;
    for (const Row& row : v_rows)
        a_rows.Add(row);
    Days.SetDays(a_rows);
    // The rows keep the keys their days took, so that the next store finds
    // them again; the working copy follows what was stored.
    for (std::size_t i = 0; i < v_rows.size(); ++i)
        v_rows[i].lKey = Days.GetDay(static_cast<int>(i)).lKey;
    CustomDays o_days(Days);
    StoreDayDef(def, o_days);
    Days = o_days;
}
