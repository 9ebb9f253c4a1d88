// The timeslots page of the define-event wizard: the days of the chosen
// kind in a list, the layouts of the selected ones in a timeslot grid, and
// the simple settings (start, end, length) that regenerate them. The work
// is TimeslotsPageCore's; the page binds its controls.
#pragma once

#include "sheets/DefineEventSheet.h"
#include "sheets/TimeslotsRules.h"

#include <array>
#include <optional>
#include <string>

class ZelTimeslotCtrl;
class ZelNotifyEvent;
class wxCheckBox;
class wxListBox;

// Controls of the timeslots page.
enum : int {
    IDC_TS_DAYS = 1183,
    IDC_TS_START = 1184,
    IDC_TS_END = 1185,
    IDC_TS_LENGTH = 1186,
    IDC_TS_24HOUR = 1188,
    IDC_TS_ADVANCED = 1191,
    IDC_TS_EACH_VENUE = 1192,
    IDC_TS_DAYS_LABEL = 1194,
    IDC_TS_GRID_LABEL = 1195,
    IDC_TS_START_LABEL = 1208,
    IDC_TS_END_LABEL = 1209,
    IDC_TS_LENGTH_LABEL = 1210,
    IDC_TS_GRID = 1180,
};

class TimeslotsPPage : public DefineEventPPageBase {
public:
    TimeslotsPPage(wxWindow* p_book, EventDoc* p_doc);

    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnKillActive() override;
    bool OnWizardBack() override;
    bool OnWizardNext() override;
    bool OnWizardFinish() override;

    const TimeslotsPageCore& GetCore() const { return Core; }
    ZelTimeslotCtrl* GetGrid() const { return pGrid; }

private:
    // The controls from the core, and back (false after the core's
    // message: the page keeps the values typed).
    void DataToWindow();
    bool DataFromWindow();
    void RebuildGrid();
    void SetMode();
    // The start, end and length texts as the exchange reads them.
    std::array<std::string, 3> SimpleTexts() const;
    // The texts into the core (false after its message, the texts then kept
    // as the last refused); the caller holds bTelling raised.
    bool TakeSimpleTexts(const std::array<std::string, 3>& a_texts);
    // An edit was left: the simple settings are applied once the focus has
    // settled, unless Back or Finish took them first.
    void ApplySimpleLater();
    void ApplySimpleNow();

    void OnDaysSelected();
    void OnAdvanced();
    void OnEachVenue();
    void On24Hour();
    void OnGridNotify(ZelNotifyEvent& event);

    TimeslotsPageCore Core;
    wxListBox* pDays = nullptr;
    ZelTimeslotCtrl* pGrid = nullptr;
    wxTextCtrl* pStart = nullptr;
    wxTextCtrl* pEnd = nullptr;
    wxTextCtrl* pLength = nullptr;
    wxWindow* aLabels[3] = {};
    wxCheckBox* p24Hour = nullptr;
    wxCheckBox* pAdvanced = nullptr;
    wxCheckBox* pEachVenue = nullptr;
    bool bApplyPending = false;
    // While the message about a refused value is up: the focus leaving a
    // box for the message is no new value to check.
    bool bTelling = false;
    // The start, end and length texts last refused; the focus merely moving
    // between the boxes does not tell the same refusal again.
    std::optional<std::array<std::string, 3>> aRefused;
};
