// The define-event wizard without its windows: the working copy the
// wizard edits and its copy-back, the first page's Next rule, and what the
// three day pages do with their days (calendar dates with their date
// pictures, days of the week in order from a first day, named custom days
// kept by key). The windows bind controls to these.
#pragma once

#include "framework/Types.h"
#include "model/EventDefinition.h"
#include "zelkit/datetime/CHighTime.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

class EventDoc;

// The wizard's buttons, as a page asks for them.
enum : UINT { WIZB_BACK = 1, WIZB_NEXT = 2, WIZB_FINISH = 4 };

// String ids of the wizard.
enum : UINT {
    IDS_DEFINE_EVENT = 59145,
    IDS_CALENDAR_DAYS_DESCRIPTION = 6011,
    IDS_TIMESLOTS_DESCRIPTION = 6012,
    IDS_WEEK_DAYS_DESCRIPTION = 6013,
    IDS_CUSTOM_DAYS_DESCRIPTION = 6014,
};

// The longest event name.
enum : int { nMaxEventName = 40 };

// What the wizard works on: copies of the event's name and definition.
struct DefineEventWork {
    std::string sName;
    EventDefinition Def;
};

// Runs the wizard over copies of the document's name and definition and
// writes both back only when it ends with Finish (12325); returns the
// wizard's result.
int RunDefineEvent(EventDoc& doc, const std::function<int(DefineEventWork& work)>& f_run);

// The first page: Next once a name is given and a kind chosen (-1: none).
UINT FirstPageButtons(const std::string& s_name, int i_kind);

// What a day page stores: every day without slots gets the generated
// 09:00 to 17:00 layout in 30-minute slots, then the definition becomes
// the working one of its kind.
void StoreDayDef(EventDefinition& def, DayDefBase& days);

// ---- calendar dates ----

class CalendarDaysCore {
public:
    // The two separators and the 18 date pictures with a separator.
    static std::vector<std::string> Separators();
    static std::vector<std::string> Pictures(const std::string& s_separator);
    // "You have selected one day." and the like; empty for none.
    static std::string CountText(int n_dates);
    // The user's long date picture from the locale; empty when it has none.
    static std::string LongDatePicture();

    // The page's choices and days from the working definition: its own
    // when it holds calendar dates, else none.
    void Load(const EventDefinition& def);

    // The lines of the lists: separators, and pictures with the separator
    // chosen (exactly one of the list's lines, else the first). An event
    // whose own picture is none of them has it as a last line (the
    // locale's short date picture standing for an empty one).
    std::vector<std::string> FormatLines() const;
    // The lines selected: the first beginning with the choice (ignoring
    // case); for the format, the event's own line while it is chosen, then
    // the first beginning with the choice, then the first beginning with
    // the long date picture; else the first line.
    int SeparatorIndex() const;
    int FormatIndex(const std::string& s_longPicture) const;
    // Today in the picture of the format line selected.
    std::string Sample(const CHighTime& dt_today, const std::string& s_longPicture) const;

    // A list's selection changed. With the separator, the format keeps its
    // position in the rebuilt list (dd/MM/yyyy becomes dd-MM-yyyy). The
    // separator line selected for the present separator leaves it as it
    // is, and the event's own line gives back its own picture, so that
    // lists left alone store what the event had.
    void SeparatorChosen(int i_separator, int i_format);
    void FormatChosen(int i_format);

    // The calendar's selection, sorted; days already chosen keep their
    // layouts. Stores the page when there is a date (TRUE), else leaves the
    // working definition alone.
    bool SetDates(const ZelArray<ZelOleDateTime>& a_dates, EventDefinition& def);
    void Store(EventDefinition& def) const;

    const CalendarDays& GetDays() const { return Days; }
    const std::string& GetSeparator() const { return sSeparator; }
    const std::string& GetFormat() const { return sFormat; }
    UINT Buttons() const { return Days.GetNumDays() > 0 ? WIZB_BACK | WIZB_NEXT : WIZB_BACK; }

private:
    std::string OwnLineText() const;
    // The picture the format line stands for; the present one for none.
    std::string FormatOfLine(int i_format) const;

    CalendarDays Days;
    std::string sSeparator;
    std::string sFormat;
    // The event's own picture, when no line of the list is exactly it.
    bool bOwnLine = false;
    std::string sOwnFormat;
};

// ---- days of the week ----

class WeekDaysCore {
public:
    // The working definition's week days, first day and name form when it
    // holds week days; else none ticked, Sunday first, full names.
    void Load(const EventDefinition& def);

    // Ticks of Sunday (0) to Saturday (6).
    std::array<bool, 7> Ticks() const;
    // The ticks and radios as the page holds them now: stores the page
    // when a day is ticked (TRUE), else leaves the working definition.
    bool Exchange(const std::array<bool, 7>& a_ticks, int i_firstDay, int i_nameFormat, EventDefinition& def);
    void Store(EventDefinition& def) const;

    // The texts of the seven day boxes (and the seven first-day radios).
    std::vector<std::string> DayTexts() const;

    int GetFirstDay() const { return iFirstDay; }
    // 0 full names, 1 abbreviated.
    int GetNameFormat() const { return iNameFormat; }
    const WeekDays& GetDays() const { return Days; }
    UINT Buttons() const { return Days.GetNumDays() > 0 ? WIZB_BACK | WIZB_NEXT : WIZB_BACK; }

private:
    WeekDays Days;
    int iFirstDay = 0;
    int iNameFormat = 0;
};

// ---- custom days ----

class CustomDaysCore {
public:
    // One row of the page's list: the day's key (-1 until first stored),
    // name and consecutive flag.
    using Row = CustomDays::Day;

    // The rows of the working definition's custom days; none when it holds
    // another kind.
    std::vector<Row> Load(const EventDefinition& def);
    // Stores the rows, in order, matched to days by key: a renamed or
    // moved day keeps its key and layout, a new row gets a key and the
    // generated layout, a deleted row's day goes. The rows learn the keys
    // their days took. An empty list is stored too.
    void Store(std::vector<Row>& v_rows, EventDefinition& def);

    const CustomDays& GetDays() const { return Days; }
    static UINT Buttons(std::size_t n_rows) { return n_rows > 0 ? WIZB_BACK | WIZB_NEXT : WIZB_BACK; }

private:
    CustomDays Days;
};
