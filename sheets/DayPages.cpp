#include "sheets/DayPages.h"

#include "framework/ui/WxText.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "sheets/TimeslotsPage.h"
#include "zelkit/ZelNotifyCodes.h"
#include "zelkit/ui/ZelMonthCalCtrl.h"
#include "zelkit/ui/ZelNotifyEvent.h"

#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

// ---- DayPPageBase ----

DayPPageBase::DayPPageBase(wxWindow* p_book, EventDoc* p_doc, const wxString& s_caption, UINT u_descriptionId)
    : DefineEventPPageBase(p_book, p_doc, s_caption, u_descriptionId)
{
    pTimeslots = new TimeslotsPPage(p_book, p_doc);
}

bool DayPPageBase::OnWizardNext()
{
    RemoveLaterPages();
    AddNextPage(pTimeslots);
    return true;
}

bool DayPPageBase::OnWizardBack()
{
    RemoveLaterPages();
    return true;
}

// ---- CalendarDaysPPage ----

CalendarDaysPPage::CalendarDaysPPage(wxWindow* p_book, EventDoc* p_doc)
    : DayPPageBase(p_book, p_doc, "Calendar dates", IDS_CALENDAR_DAYS_DESCRIPTION)
{
    CreateDescription(44);
    auto* p_label = new wxStaticText(this, wxID_ANY, "&Select the days:");
    PlaceDlgUnits(*p_label, 7, 54, 150, 9);
    pCalendar = dynamic_cast<ZelMonthCalCtrl*>(ZelCustomCtrl::CreateByClassName("ZLC_MONTH_CAL", this, IDC_CAL_CALENDAR));
    ZEL_ASSERT(pCalendar != nullptr);
    PlaceDlgUnits(*pCalendar, 7, 64, 150, 120);
    pCount = new wxStaticText(this, IDC_CAL_COUNT, wxString());
    PlaceDlgUnits(*pCount, 7, 198, 150, 9);

    auto* p_group = new wxStaticBox(this, wxID_ANY, "Choose display and print &format");
    PlaceDlgUnits(*p_group, 166, 52, 157, 156);
    auto* p_sepLabel = new wxStaticText(this, wxID_ANY, "Separator:");
    PlaceDlgUnits(*p_sepLabel, 173, 66, 40, 9);
    pSeparators = new wxListBox(this, IDC_CAL_SEPARATORS);
    PlaceDlgUnits(*pSeparators, 173, 77, 30, 30);
    pFormats = new wxListBox(this, IDC_CAL_FORMATS);
    PlaceDlgUnits(*pFormats, 210, 66, 106, 112);
    auto* p_sampleLabel = new wxStaticText(this, wxID_ANY, "Sample:");
    PlaceDlgUnits(*p_sampleLabel, 173, 188, 32, 9);
    pSample = new wxStaticText(this, IDC_CAL_SAMPLE, wxString());
    PlaceDlgUnits(*pSample, 207, 188, 110, 9);

    pSeparators->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) {
        Core.SeparatorChosen(pSeparators->GetSelection(), pFormats->GetSelection());
        FillFormats();
        ShowChoices();
    });
    pFormats->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) {
        Core.FormatChosen(pFormats->GetSelection());
        ShowChoices();
    });
    Bind(wxEVT_ZEL_NOTIFY, &CalendarDaysPPage::OnCalendarNotify, this, IDC_CAL_CALENDAR);
}

bool CalendarDaysPPage::OnInitDialog()
{
    DayPPageBase::OnInitDialog();
    pSeparators->Clear();
    for (const std::string& s : CalendarDaysCore::Separators())
        pSeparators->Append(ToWx(s));
    FillFormats();
    ShowChoices();
    // Any number of dates may be chosen.
    pCalendar->SetNumSelections(0x7FFFFFFF);
    if (pDescription != nullptr)
        AddSzXControl(*pDescription, modeStretch);
    return true;
}

bool CalendarDaysPPage::OnSetActive()
{
    DayPPageBase::OnSetActive();
    SetButtons(WIZB_BACK);
    Load();
    Exchange();
    return true;
}

bool CalendarDaysPPage::OnKillActive()
{
    Exchange();
    return true;
}

void CalendarDaysPPage::FillFormats()
{
    pFormats->Clear();
    for (const std::string& s : Core.FormatLines())
        pFormats->Append(ToWx(s));
}

void CalendarDaysPPage::ShowChoices()
{
    pSeparators->SetSelection(Core.SeparatorIndex());
    const std::string s_long = CalendarDaysCore::LongDatePicture();
    pFormats->SetSelection(Core.FormatIndex(s_long));
    pSample->SetLabel(ToWx(Core.Sample(PresentTime(), s_long)));
}

void CalendarDaysPPage::Load()
{
    Core.Load(GetSheet()->GetWorkingDef());
    FillFormats();
    ShowChoices();
    // The lists' selection is the choice from here on.
    Core.SeparatorChosen(pSeparators->GetSelection(), pFormats->GetSelection());
    ZelArrayWithFind<ZelOleDateTime> a_dates;
    const ZelArray<ZelOleDateTime>& a_days = Core.GetDays().GetDates();
    for (int i = 0; i < a_days.GetSize(); ++i)
        a_dates.Add(a_days[i]);
    pCalendar->SetSelectedDates(a_dates);
    if (a_dates.GetSize() > 0)
        pCalendar->GetCal().GotoADate(a_dates[0]);
    pCalendar->Refresh();
}

void CalendarDaysPPage::Exchange()
{
    Core.SeparatorChosen(pSeparators->GetSelection(), pFormats->GetSelection());
    ZelArray<ZelOleDateTime> a_dates;
    const ZelArrayWithFind<ZelOleDateTime>& a_selected = pCalendar->GetSelectedDates();
    for (int i = 0; i < a_selected.GetSize(); ++i)
        a_dates.Add(a_selected[i]);
    Core.SetDates(a_dates, GetSheet()->GetWorkingDef());
    SetButtons(Core.Buttons());
    pCount->SetLabel(ToWx(CalendarDaysCore::CountText(Core.GetDays().GetNumDays())));
}

void CalendarDaysPPage::OnCalendarNotify(ZelNotifyEvent& event)
{
    event.Skip();
    if (event.GetCode() == ZMCN_SELCHANGED && IsShown())
        Exchange();
}

// ---- WeekDaysPPage ----

WeekDaysPPage::WeekDaysPPage(wxWindow* p_book, EventDoc* p_doc)
    : DayPPageBase(p_book, p_doc, "Days of the week", IDS_WEEK_DAYS_DESCRIPTION)
{
    CreateDescription(30);
    const char* a_names[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    auto* p_days = new wxStaticBox(this, wxID_ANY, "Select &days:");
    PlaceDlgUnits(*p_days, 7, 44, 100, 112);
    for (int i = 0; i < 7; ++i) {
        aDays[i] = new wxCheckBox(this, IDC_WEEK_SUNDAY + i, a_names[i]);
        PlaceDlgUnits(*aDays[i], 15, 57 + 13 * i, 86, 10);
        aDays[i]->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { Exchange(); });
    }
    auto* p_first = new wxStaticBox(this, wxID_ANY, "Select &first day:");
    PlaceDlgUnits(*p_first, 115, 44, 100, 112);
    for (int i = 0; i < 7; ++i) {
        aFirst[i] = new wxRadioButton(this, IDC_WEEK_FIRST_SUNDAY + i, a_names[i], wxDefaultPosition, wxDefaultSize,
                                      i == 0 ? wxRB_GROUP : 0);
        PlaceDlgUnits(*aFirst[i], 123, 57 + 13 * i, 86, 10);
    }
    auto* p_format = new wxStaticBox(this, wxID_ANY, "Select forma&t:");
    PlaceDlgUnits(*p_format, 223, 44, 100, 46);
    pLong = new wxRadioButton(this, IDC_WEEK_LONG_NAMES, "Long name", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    PlaceDlgUnits(*pLong, 231, 57, 86, 10);
    pShort = new wxRadioButton(this, IDC_WEEK_SHORT_NAMES, "Short name");
    PlaceDlgUnits(*pShort, 231, 71, 86, 10);
    for (wxRadioButton* p : {pLong, pShort}) {
        p->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) {
            Exchange();
            SetDayTexts();
        });
    }
}

bool WeekDaysPPage::OnInitDialog()
{
    DayPPageBase::OnInitDialog();
    Load();
    if (pDescription != nullptr)
        AddSzXControl(*pDescription, modeStretch);
    return true;
}

bool WeekDaysPPage::OnSetActive()
{
    DayPPageBase::OnSetActive();
    SetButtons(WIZB_BACK | WIZB_NEXT);
    Load();
    Exchange();
    return true;
}

bool WeekDaysPPage::OnKillActive()
{
    Exchange();
    return true;
}

void WeekDaysPPage::Load()
{
    Core.Load(GetSheet()->GetWorkingDef());
    const std::array<bool, 7> a_ticks = Core.Ticks();
    for (int i = 0; i < 7; ++i)
        aDays[i]->SetValue(a_ticks[static_cast<std::size_t>(i)]);
    const int i_first = Core.GetFirstDay();
    if (i_first >= 0 && i_first < 7)
        aFirst[i_first]->SetValue(true);
    (Core.GetNameFormat() == 0 ? pLong : pShort)->SetValue(true);
    SetDayTexts();
}

void WeekDaysPPage::Exchange()
{
    std::array<bool, 7> a_ticks{};
    int i_first = -1;
    for (int i = 0; i < 7; ++i) {
        a_ticks[static_cast<std::size_t>(i)] = aDays[i]->GetValue();
        if (aFirst[i]->GetValue())
            i_first = i;
    }
    Core.Exchange(a_ticks, i_first, pShort->GetValue() ? 1 : 0, GetSheet()->GetWorkingDef());
    SetButtons(Core.Buttons());
}

void WeekDaysPPage::SetDayTexts()
{
    const std::vector<std::string> v_texts = Core.DayTexts();
    for (int i = 0; i < 7 && i < static_cast<int>(v_texts.size()); ++i) {
        aDays[i]->SetLabel(ToWx(v_texts[static_cast<std::size_t>(i)]));
        aFirst[i]->SetLabel(ToWx(v_texts[static_cast<std::size_t>(i)]));
    }
}

// ---- CustomDaysPPage ----

CustomDaysPPage::CustomDaysPPage(wxWindow* p_book, EventDoc* p_doc)
    : DayPPageBase(p_book, p_doc, "Custom days", IDS_CUSTOM_DAYS_DESCRIPTION)
{
    CreateDescription(30);
}

bool CustomDaysPPage::OnSetActive()
{
    DayPPageBase::OnSetActive();
    std::vector<CustomDaysCore::Row> v_rows = Core.Load(GetSheet()->GetWorkingDef());
    SetButtons(CustomDaysCore::Buttons(v_rows.size()));
    return true;
}
