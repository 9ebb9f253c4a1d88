#include "sheets/DayPages.h"

#include "framework/ui/WxText.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "sheets/SheetRules.h"
#include "sheets/TimeslotsPage.h"
#include "zelkit/windows/ZelNotifyCodes.h"
#include "framework/ui/WxIds.h"
#include "shell/editing/PageToolBarRules.h"
#include "zelkit/import/ui/ZelEditListCtrl.h"
#include "zelkit/controls/ui/ZelMonthCalCtrl.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"

#include <algorithm>
#include <memory>
#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

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
    CreateDescription(20);
    pLabel = new wxStaticText(this, IDC_CUSTOM_LABEL, "Custom days:");
    PlaceDlgUnits(*pLabel, 7, 32, 316, 14);
    pList = new ZelEditListCtrl(this, IDC_CUSTOM_LIST);
    PlaceDlgUnits(*pList, 7, 48, 316, 160);
    pList->SetExtendedListStyle(LVS_EX_FULLROWSELECT);

    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnNew(); }, WxId(ID_PAGE_NEW));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnDelete(); }, WxId(ID_PAGE_DELETE));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnMove(true); }, WxId(ID_PAGE_MOVE_UP));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnMove(false); }, WxId(ID_PAGE_MOVE_DOWN));
    Bind(wxEVT_ZEL_NOTIFY, &CustomDaysPPage::OnListNotify, this, IDC_CUSTOM_LIST);
    // While a name is edited every key belongs to the edit box: the
    // toolbar's accelerators (Delete among them) must not see it.
    pList->Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        if (pList->IsEditing())
            event.StopPropagation();
        event.Skip();
    });
}

bool CustomDaysPPage::OnInitDialog()
{
    DayPPageBase::OnInitDialog();
    const int i_client = pList->GetClientSize().x;
    const int i_day = (i_client + 9) / 10;
    const int i_consecutive = pList->GetTextExtent("Consecutive").x + 12;
    pList->InsertColumn(0, "Day", LVCFMT_RIGHT, i_day);
    pList->InsertColumn(1, "Name", LVCFMT_LEFT, std::max(40, i_client - i_day - i_consecutive - 16));
    pList->InsertColumn(2, "Consecutive", LVCFMT_CENTER, i_consecutive);
    pList->SetCheckColumn(2);
    pList->AddEditColumn(1, ZelEditListRules::editBox, 1, 0);
    Load();
    AddToolBar(IDC_CUSTOM_LIST, pLabel, PTB_DEFAULT, modeMove, modeFixed);
    AddSzControl(*pList, modeStretch, modeStretch);
    if (pDescription != nullptr)
        AddSzXControl(*pDescription, modeStretch);
    return true;
}

bool CustomDaysPPage::OnSetActive()
{
    DayPPageBase::OnSetActive();
    SetButtons(WIZB_BACK);
    Load();
    Exchange();
    return true;
}

bool CustomDaysPPage::OnKillActive()
{
    Exchange();
    return true;
}

bool CustomDaysPPage::OnWizardNext() { return !pList->IsEditing() && DayPPageBase::OnWizardNext(); }

bool CustomDaysPPage::OnWizardBack() { return !pList->IsEditing() && DayPPageBase::OnWizardBack(); }

void CustomDaysPPage::Load()
{
    pList->AbortEdit();
    iAdding = -1;
    pList->DeleteAllItems();
    const std::vector<CustomDaysCore::Row> v_rows = Core.Load(GetSheet()->GetWorkingDef());
    for (std::size_t i = 0; i < v_rows.size(); ++i) {
        const int i_row = static_cast<int>(i);
        pList->InsertItem(i_row, std::to_string(i + 1).c_str(), static_cast<LPARAM>(v_rows[i].lKey));
        pList->SetItemText(i_row, 1, v_rows[i].sName);
        pList->SetCheckState(i_row, 2, v_rows[i].bConsecutive ? 1 : 0);
    }
}

void CustomDaysPPage::Exchange()
{
    std::vector<CustomDaysCore::Row> v_rows;
    for (int i = 0; i < pList->GetItemCount(); ++i) {
        CustomDaysCore::Row row;
        row.lKey = static_cast<LONG>(pList->GetItemData(i));
        row.sName = pList->GetItemText(i, 1);
        row.bConsecutive = pList->GetCheckState(i, 2) == 1 ? TRUE : FALSE;
        v_rows.push_back(row);
    }
    Core.Store(v_rows, GetSheet()->GetWorkingDef());
    // Each row carries its day's key from now on.
    for (std::size_t i = 0; i < v_rows.size(); ++i)
        pList->SetItemData(static_cast<int>(i), static_cast<LPARAM>(v_rows[i].lKey));
    SetButtons(CustomDaysCore::Buttons(v_rows.size()));
}

void CustomDaysPPage::Renumber()
{
    for (int i = 0; i < pList->GetItemCount(); ++i)
        pList->SetItemText(i, 0, std::to_string(i + 1));
}

void CustomDaysPPage::OnNew()
{
    if (pList->IsEditing() && !pList->EndEdit())
        return;
    const int n_rows = pList->GetItemCount();
    pList->DrawFocus(FALSE, FALSE);
    pList->SetFocus();
    pList->InsertItem(n_rows, std::to_string(n_rows + 1).c_str(), static_cast<LPARAM>(-1));
    pList->UnselectAll();
    pList->SetItemText(n_rows, 1, "");
    pList->SelectItem(n_rows);
    pList->SetFocusItem(n_rows);
    pList->BeginEdit(n_rows, 1);
    iAdding = n_rows;
    Exchange();
}

void CustomDaysPPage::OnDelete()
{
    if (pList->IsEditing() && !pList->EndEdit())
        return;
    std::unique_ptr<int[]> p_rows;
    const int n_selected = pList->GetSelItems(p_rows);
    if (n_selected > 0) {
        pList->SetFocus();
        pList->DrawFocus(FALSE, FALSE);
        std::vector<int> v_rows(p_rows.get(), p_rows.get() + n_selected);
        std::sort(v_rows.begin(), v_rows.end());
        for (auto it = v_rows.rbegin(); it != v_rows.rend(); ++it)
            pList->DeleteItem(*it);
        pList->DrawFocus(TRUE, FALSE);
        Renumber();
    }
    Exchange();
}

void CustomDaysPPage::OnMove(bool b_up)
{
    if (pList->IsEditing())
        return;
    pList->MoveOnePosition(b_up ? TRUE : FALSE);
    Renumber();
    pList->EnsureFocusVisible(FALSE);
    Exchange();
}

void CustomDaysPPage::OnListNotify(ZelNotifyEvent& event)
{
    event.Skip();
    if (event.GetCode() == LVN_BEGINLABELEDIT) {
        // A character the event file cannot keep is refused as it is typed,
        // with the message that names it.
        auto* p_edit = wxDynamicCast(static_cast<wxWindow*>(event.GetRecordAs<ZelEditBeginInfo>()->pEditor), wxTextCtrl);
        if (p_edit != nullptr) {
            p_edit->Bind(wxEVT_TEXT, [p_edit, s_kept = p_edit->GetValue()](wxCommandEvent& text) mutable {
                text.Skip();
                if (FromWx(p_edit->GetValue())) {
                    s_kept = p_edit->GetValue();
                    return;
                }
                const wxString s_refused = p_edit->GetValue();
                p_edit->ChangeValue(s_kept);
                p_edit->SetInsertionPointEnd();
                AcceptTypedText(std::string(s_refused.utf8_str()));
            });
        }
        return;
    }
    if (event.GetCode() != LVN_ENDLABELEDIT)
        return;
    const ZelEditEndInfo& info = *event.GetRecordAs<ZelEditEndInfo>();
    const bool b_wasAdding = iAdding >= 0 && iAdding == info.iRow;
    iAdding = -1;
    if (info.bCancelled) {
        // Escape on a new row takes it away; on a renamed one the old name
        // stays.
        if (b_wasAdding) {
            pList->DeleteItem(info.iRow);
            Renumber();
        }
    } else if (info.uError == 56012 || info.uError == 56013) {
        // Editing resumes on the same row; only a row still being added is
        // taken away by a later Escape, never a day that was there.
        const int i_row = info.iRow;
        if (b_wasAdding)
            iAdding = i_row;
        CallAfter([this, i_row] {
            if (i_row < pList->GetItemCount())
                pList->BeginEdit(i_row, 1);
        });
        return;
    }
    CallAfter([this] {
        if (IsShown())
            Exchange();
    });
}
