// The day pages of the define-event wizard: calendar dates picked on a
// month calendar with a date format, days of the week with a first day and
// a name form, and named custom days. Each stores its days into the
// wizard's working definition whenever they are valid and leads on to its
// own timeslots page. The work is the cores' (DefineEventRules.h).
#pragma once

#include "sheets/DefineEventSheet.h"

class TimeslotsPPage;
class ZelEditListCtrl;
class ZelMonthCalCtrl;
class ZelNotifyEvent;
class wxCheckBox;
class wxListBox;
class wxRadioButton;
class wxStaticText;

// Controls of the day pages.
enum : int {
    IDC_CAL_COUNT = 1160,
    IDC_CAL_CALENDAR = 1162,
    IDC_CAL_FORMATS = 1164,
    IDC_CAL_SEPARATORS = 1165,
    IDC_CAL_SAMPLE = 1166,
    IDC_CUSTOM_LIST = 1167,
    IDC_CUSTOM_LABEL = 1168,
    IDC_WEEK_SUNDAY = 1169,        // to 1175 Saturday
    IDC_WEEK_LONG_NAMES = 1176,
    IDC_WEEK_SHORT_NAMES = 1177,
    IDC_WEEK_FIRST_SUNDAY = 1178,  // to 1184 Saturday
};

// A day page: leads on to its own timeslots page.
class DayPPageBase : public DefineEventPPageBase {
public:
    DayPPageBase(wxWindow* p_book, EventDoc* p_doc, const wxString& s_caption, UINT u_descriptionId);

    bool OnWizardNext() override;
    bool OnWizardBack() override;

    TimeslotsPPage* GetTimeslotsPage() const { return pTimeslots; }

protected:
    TimeslotsPPage* pTimeslots = nullptr;
};

class CalendarDaysPPage : public DayPPageBase {
public:
    CalendarDaysPPage(wxWindow* p_book, EventDoc* p_doc);

    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnKillActive() override;

    const CalendarDaysCore& GetCore() const { return Core; }
    ZelMonthCalCtrl* GetCalendar() const { return pCalendar; }

private:
    void Load();
    // The lists' choices and the calendar's dates into the core, which
    // stores them when there is a date; the buttons and the count follow.
    void Exchange();
    void FillFormats();
    void ShowChoices();
    void OnCalendarNotify(ZelNotifyEvent& event);

    CalendarDaysCore Core;
    ZelMonthCalCtrl* pCalendar = nullptr;
    wxStaticText* pCount = nullptr;
    wxListBox* pSeparators = nullptr;
    wxListBox* pFormats = nullptr;
    wxStaticText* pSample = nullptr;
};

class WeekDaysPPage : public DayPPageBase {
public:
    WeekDaysPPage(wxWindow* p_book, EventDoc* p_doc);

    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnKillActive() override;

    const WeekDaysCore& GetCore() const { return Core; }

private:
    void Load();
    void Exchange();
    void SetDayTexts();

    WeekDaysCore Core;
    wxCheckBox* aDays[7] = {};
    wxRadioButton* aFirst[7] = {};
    wxRadioButton* pLong = nullptr;
    wxRadioButton* pShort = nullptr;
};

class CustomDaysPPage : public DayPPageBase {
public:
    CustomDaysPPage(wxWindow* p_book, EventDoc* p_doc);

    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnKillActive() override;
    // Refused while a name is being edited.
    bool OnWizardNext() override;
    bool OnWizardBack() override;

    const CustomDaysCore& GetCore() const { return Core; }
    ZelEditListCtrl* GetList() const { return pList; }
    // The row just added and still being named; -1 when none.
    int GetAddingRow() const { return iAdding; }

private:
    void Load();
    // Stores the rows, whatever their number, and sets the buttons.
    void Exchange();
    void Renumber();
    void OnNew();
    void OnDelete();
    void OnMove(bool b_up);
    void OnListNotify(ZelNotifyEvent& event);

    CustomDaysCore Core;
    ZelEditListCtrl* pList = nullptr;
    wxStaticText* pLabel = nullptr;
    int iAdding = -1;
};
