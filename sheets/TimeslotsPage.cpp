#include "sheets/TimeslotsPage.h"

#include "framework/ui/WxText.h"
#include "model/EventDoc.h"
#include "sheets/SheetRules.h"
#include "zelkit/windows/ZelNotifyCodes.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"
#include "zelkit/controls/ui/ZelTimeslotCtrl.h"

#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>
#include <wx/valtext.h>
#include <wx/wupdlock.h>

namespace {

// Holds a flag raised for as long as it lives.
class FlagScope {
public:
    explicit FlagScope(bool& b_flag) : bFlag(b_flag), bWas(b_flag) { bFlag = true; }
    ~FlagScope() { bFlag = bWas; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& bFlag;
    bool bWas;
};

// A typed time in the event's characters; a character it cannot hold is
// refused with its message, and the text counts as none.
std::string TypedText(const wxTextCtrl& edit)
{
    return AcceptTypedText(std::string(edit.GetValue().utf8_str())).value_or(std::string("?"));
}

} // namespace

TimeslotsPPage::TimeslotsPPage(wxWindow* p_book, EventDoc* p_doc)
    : DefineEventPPageBase(p_book, p_doc, "Timeslots", IDS_TIMESLOTS_DESCRIPTION)
{
    CreateDescription(18);
    auto* p_daysLabel = new wxStaticText(this, IDC_TS_DAYS_LABEL, "Select &days to change:");
    PlaceDlgUnits(*p_daysLabel, 7, 30, 84, 9);
    pDays = new wxListBox(this, IDC_TS_DAYS, wxDefaultPosition, wxDefaultSize, 0, nullptr, wxLB_EXTENDED);
    PlaceDlgUnits(*pDays, 7, 40, 84, 116);
    auto* p_gridLabel = new wxStaticText(this, IDC_TS_GRID_LABEL, "Timeslot &grid:");
    PlaceDlgUnits(*p_gridLabel, 97, 30, 100, 9);
    pGrid = dynamic_cast<ZelTimeslotCtrl*>(ZelCustomCtrl::CreateByClassName("ZLC_TIMESLOT", this, IDC_TS_GRID));
    ZEL_ASSERT(pGrid != nullptr);
    PlaceDlgUnits(*pGrid, 97, 40, 226, 116);
    // The grid takes Escape to unselect its timeslots, which would leave
    // the wizard without a way out by the keyboard on this page: here
    // Escape cancels the wizard, as it does from every other page. Bound
    // after the grid's own handler, so asked before it; a drag in progress
    // keeps its Escape.
    pGrid->Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        if (event.GetKeyCode() != WXK_ESCAPE || event.HasAnyModifiers() || pGrid->HasCapture()) {
            event.Skip();
            return;
        }
        wxWindow* p_sheet = wxGetTopLevelParent(this);
        wxWindow* p_cancel = p_sheet != nullptr ? p_sheet->FindWindow(wxID_CANCEL) : nullptr;
        if (p_cancel == nullptr || !p_cancel->IsEnabled()) {
            event.Skip();
            return;
        }
        wxCommandEvent click(wxEVT_BUTTON, wxID_CANCEL);
        click.SetEventObject(p_cancel);
        p_cancel->GetEventHandler()->ProcessEvent(click);
    });

    struct Field {
        int iLabelId;
        const char* pLabel;
        int iEditId;
        int iX;
        int iLabelWidth;
        int iEditWidth;
    } a_fields[] = {
        {IDC_TS_START_LABEL, "Start of day:", IDC_TS_START, 7, 46, 42},
        {IDC_TS_END_LABEL, "End of day:", IDC_TS_END, 104, 42, 42},
        {IDC_TS_LENGTH_LABEL, "Timeslot length (mins):", IDC_TS_LENGTH, 196, 84, 30},
    };
    wxTextCtrl** a_edits[] = {&pStart, &pEnd, &pLength};
    for (int i = 0; i < 3; ++i) {
        const Field& f = a_fields[i];
        aLabels[i] = new wxStaticText(this, f.iLabelId, f.pLabel);
        PlaceDlgUnits(*aLabels[i], f.iX, 166, f.iLabelWidth, 9);
        wxTextCtrl* p_edit = i == 2 ? new wxTextCtrl(this, f.iEditId, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                                                     wxTextValidator(wxFILTER_DIGITS))
                                    : new wxTextCtrl(this, f.iEditId);
        PlaceDlgUnits(*p_edit, f.iX + f.iLabelWidth, 164, f.iEditWidth, 13);
        p_edit->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
            event.Skip();
            ApplySimpleLater();
        });
        *a_edits[i] = p_edit;
    }
    pAdvanced = new wxCheckBox(this, IDC_TS_ADVANCED, "&Advanced", wxDefaultPosition, wxDefaultSize, wxCHK_3STATE);
    PlaceDlgUnits(*pAdvanced, 7, 186, 60, 12);
    pEachVenue = new wxCheckBox(this, IDC_TS_EACH_VENUE, "Timeslots for each &venue", wxDefaultPosition, wxDefaultSize,
                                wxCHK_3STATE);
    PlaceDlgUnits(*pEachVenue, 72, 186, 110, 12);
    p24Hour = new wxCheckBox(this, IDC_TS_24HOUR, "&24-hour times");
    PlaceDlgUnits(*p24Hour, 196, 186, 80, 12);

    pDays->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) { OnDaysSelected(); });
    pAdvanced->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { OnAdvanced(); });
    pEachVenue->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { OnEachVenue(); });
    p24Hour->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { On24Hour(); });
    Bind(wxEVT_ZEL_NOTIFY, &TimeslotsPPage::OnGridNotify, this, IDC_TS_GRID);
}

bool TimeslotsPPage::OnInitDialog()
{
    DefineEventPPageBase::OnInitDialog();
    // An event that has its days shows its times as it keeps them, so that
    // going through the wizard leaves them so; a new one starts as the last
    // timeslot grid was left.
    const DayDefBase& own = pDoc->GetEventDef().GetDayDef();
    Core.Initialise(own.GetNumDays() > 0 ? own.Is24Hour() : pGrid->Get24Hour());
    AddSzControl(*pGrid, modeStretch, modeStretch);
    AddSzYControl(*pDays, modeStretch);
    if (pDescription != nullptr)
        AddSzXControl(*pDescription, modeStretch);
    for (wxWindow* p : std::initializer_list<wxWindow*>{aLabels[0], aLabels[1], aLabels[2], pStart, pEnd, pLength,
                                                        pAdvanced, pEachVenue, p24Hour})
        AddSzYControl(*p, modeMove);
    return true;
}

bool TimeslotsPPage::OnSetActive()
{
    DefineEventPPageBase::OnSetActive();
    SetButtons(WIZB_BACK | WIZB_FINISH);
    bApplyPending = false;
    Core.SetVenues(TimeslotsPageCore::VenuesOf(*pDoc));

    // The days of the kind the day page has just stored, all selected.
    const EventDefinition& def = GetSheet()->GetWorkingDef();
    {
        wxWindowUpdateLocker lock(pDays);
        pDays->Clear();
        wxArrayString a_lines;
        for (const std::string& s_line : TimeslotsPageCore::DayLines(def))
            a_lines.Add(ToWx(s_line));
        pDays->Append(a_lines);
        for (unsigned i = 0; i < pDays->GetCount(); ++i)
            pDays->SetSelection(static_cast<int>(i));
    }
    Core.Load(def);
    std::vector<int> v_all;
    for (int i = 0; i < Core.GetNumDays(); ++i)
        v_all.push_back(i);
    Core.SetSelection(v_all);
    pGrid->Set24Hour(Core.Is24Hour());
    RebuildGrid();
    return true;
}

void TimeslotsPPage::DataToWindow()
{
    pStart->ChangeValue(ToWx(Core.StartText()));
    pEnd->ChangeValue(ToWx(Core.EndText()));
    pLength->ChangeValue(ToWx(Core.LengthText()));
    p24Hour->SetValue(Core.Is24Hour() != FALSE);
    auto state = [](int i) { return i == TSP_CHECKED ? wxCHK_CHECKED : i == TSP_UNCHECKED ? wxCHK_UNCHECKED : wxCHK_UNDETERMINED; };
    pAdvanced->Set3StateValue(state(Core.GetAdvanced()));
    pEachVenue->Set3StateValue(state(Core.GetEachVenue()));
}

std::array<std::string, 3> TimeslotsPPage::SimpleTexts() const
{
    // Disabled edits give nothing, as they show nothing.
    std::array<std::string, 3> a_texts;
    const wxTextCtrl* ap_edits[] = {pStart, pEnd, pLength};
    for (std::size_t i = 0; i < a_texts.size(); ++i)
        a_texts[i] = ap_edits[i]->IsEnabled() ? TypedText(*ap_edits[i]) : std::string();
    return a_texts;
}

bool TimeslotsPPage::DataFromWindow()
{
    const FlagScope telling(bTelling);
    return TakeSimpleTexts(SimpleTexts());
}

bool TimeslotsPPage::TakeSimpleTexts(const std::array<std::string, 3>& a_texts)
{
    Core.Set24Hour(p24Hour->GetValue() ? TRUE : FALSE);
    const bool b_taken = Core.Exchange(a_texts[0], a_texts[1], a_texts[2]);
    if (b_taken)
        aRefused.reset();
    else
        aRefused = a_texts;
    return b_taken;
}

void TimeslotsPPage::RebuildGrid()
{
    const TimeslotsGridPlan plan = Core.Rebuild();
    {
        wxWindowUpdateLocker lock(pGrid);
        if (!plan.bEnabled) {
            pGrid->SetNumDays(1);
            pGrid->SetTimeslots(0, ZelRelTimeslotArray(), FALSE, nullptr);
            pGrid->Enable(false);
            pGrid->SetDisplayStart(FALSE, 9, 0);
            pGrid->SetDisplayEnd(FALSE, 17, 0);
        } else {
            pGrid->Enable(true);
            const int n_columns = static_cast<int>(plan.vColumns.size());
            pGrid->SetNumDays(static_cast<UINT>(n_columns));
            const std::vector<TimeslotsPageCore::Venue>& v_venues = Core.GetVenues();
            const ZelArrayWithFind<long> a_keys = Core.VenueKeys();
            for (int i = 0; i < n_columns; ++i) {
                const TimeslotsGridColumn& column = plan.vColumns[static_cast<std::size_t>(i)];
                if (column.bPerVenue) {
                    pGrid->SetNumSets(i, static_cast<UINT>(v_venues.size()));
                    for (std::size_t v = 0; v < v_venues.size(); ++v)
                        pGrid->SetSetName(i, static_cast<int>(v), v_venues[v].sName);
                }
                pGrid->SetDayName(i, column.sName);
                pGrid->SetTimeslots(i, column.Slots, FALSE, column.bPerVenue ? &a_keys : nullptr);
            }
            for (int i = 0; i < n_columns; ++i) {
                const TimeslotsGridColumn& column = plan.vColumns[static_cast<std::size_t>(i)];
                if (column.bConsec)
                    pGrid->SetConsec(i, TRUE);
                if (column.pStartLimit != nullptr)
                    pGrid->SetStartLimit(i, column.pStartLimit->GetSlots());
                if (column.pEndLimit != nullptr)
                    pGrid->SetEndLimit(i, column.pEndLimit->GetSlots());
            }
            if (plan.uSlotSeconds != 0)
                pGrid->SetSlotLength(plan.uSlotSeconds);
            pGrid->SetReadOnly(plan.bReadOnly ? TRUE : FALSE);
            if (plan.bAnySlot) {
                pGrid->SetDisplayStart(FALSE, -1, -1);
                pGrid->SetDisplayEnd(FALSE, -1, -1);
            } else {
                pGrid->SetDisplayStart(FALSE, 9, 0);
                pGrid->SetDisplayEnd(FALSE, 17, 0);
            }
        }
        pGrid->Recompute();
    }
    pGrid->Refresh();
    DataToWindow();
    SetMode();
}

void TimeslotsPPage::SetMode()
{
    const bool b_simple = Core.IsSimpleMode();
    for (wxWindow* p : std::initializer_list<wxWindow*>{aLabels[0], aLabels[1], aLabels[2], pStart, pEnd, pLength})
        p->Enable(b_simple);
    pEachVenue->Enable(Core.IsEachVenueEnabled());
    DataToWindow();
}

void TimeslotsPPage::ApplySimpleLater()
{
    if (!Core.IsInitialised() || bApplyPending || bTelling)
        return;
    bApplyPending = true;
    CallAfter([this] {
        if (bApplyPending)
            ApplySimpleNow();
    });
}

void TimeslotsPPage::ApplySimpleNow()
{
    bApplyPending = false;
    if (!Core.IsInitialised() || !IsShownOnScreen())
        return;
    // One message per refused value: leaving another box with the same
    // texts, or the focus going to the message itself, tells nothing new.
    {
        const FlagScope telling(bTelling);
        const std::array<std::string, 3> a_texts = SimpleTexts();
        if (aRefused == a_texts || !TakeSimpleTexts(a_texts))
            return;
    }
    wxBusyCursor wait;
    pGrid->Enable(false);
    Core.ApplySimple();
    RebuildGrid();
}

void TimeslotsPPage::OnDaysSelected()
{
    wxArrayInt a_selected;
    pDays->GetSelections(a_selected);
    std::vector<int> v_selected(a_selected.begin(), a_selected.end());
    Core.SetSelection(v_selected);
    RebuildGrid();
}

void TimeslotsPPage::OnAdvanced()
{
    wxBusyCursor wait;
    if (pAdvanced->Get3StateValue() != wxCHK_CHECKED) {
        pAdvanced->Set3StateValue(wxCHK_UNCHECKED);
        if (!DataFromWindow())
            return;
        Core.SetAdvanced(false);
        RebuildGrid();
    } else {
        Core.SetAdvanced(true);
        RebuildGrid();
        pGrid->SetFocus();
    }
}

void TimeslotsPPage::OnEachVenue()
{
    wxBusyCursor wait;
    Core.SetEachVenue(pEachVenue->Get3StateValue() == wxCHK_CHECKED);
    RebuildGrid();
    pGrid->SetFocus();
}

void TimeslotsPPage::On24Hour()
{
    if (!DataFromWindow()) {
        p24Hour->SetValue(Core.Is24Hour() != FALSE);
        return;
    }
    pGrid->Set24Hour(Core.Is24Hour());
    // Grids made later start with the choice made here.
    pGrid->Save24Hour();
    DataToWindow();
    pGrid->Refresh();
}

void TimeslotsPPage::OnGridNotify(ZelNotifyEvent& event)
{
    if (event.GetCode() != ZTSN_CHANGED) {
        event.Skip();
        return;
    }
    const ZelArrayWithFind<long> a_keys = Core.VenueKeys();
    const ZelArrayWithFind<long> a_none;
    const std::vector<int>& v_selected = Core.GetSelection();
    for (std::size_t i = 0; i < v_selected.size() && i < pGrid->GetNumDays(); ++i) {
        ZelRelTimeslotArray a_slots;
        // A layout for all venues keeps set key -1 on every slot.
        const bool b_perVenue = !Core.GetLayout(v_selected[i]).IsAllVenues();
        pGrid->GetTimeslots(static_cast<int>(i), a_slots, b_perVenue ? a_keys : a_none);
        Core.GridChanged(static_cast<int>(i), a_slots);
    }
}

bool TimeslotsPPage::OnKillActive()
{
    bApplyPending = false;
    if (!DataFromWindow())
        return false;
    Core.WriteLayouts(GetSheet()->GetWorkingDef());
    return true;
}

bool TimeslotsPPage::OnWizardBack()
{
    RemoveLaterPages();
    return true;
}

bool TimeslotsPPage::OnWizardNext()
{
    RemoveLaterPages();
    return true;
}

bool TimeslotsPPage::OnWizardFinish()
{
    bApplyPending = false;
    // Settings that cannot be applied keep the wizard open, with the
    // values typed and the message that says why.
    if (pAdvanced->Get3StateValue() != wxCHK_CHECKED) {
        if (!DataFromWindow())
            return false;
        wxBusyCursor wait;
        Core.ApplySimple();
        RebuildGrid();
    }
    if (!DataFromWindow())
        return false;
    Core.WriteLayouts(GetSheet()->GetWorkingDef());
    return true;
}
