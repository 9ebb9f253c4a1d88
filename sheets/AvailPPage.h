// The Availability page: a template over an editing-page base, so that the
// group sheet and the participant sheet show the same page on their own
// page protocol.
//
// The user either draws not-available times on the timeslot grid, one row
// per event day, or ticks whole days in a check list; both edit the same
// per-day times (AvailState). The mode is the page's own: timeslot mode
// exactly while the grid is enabled. AvailPanel holds the controls; the
// template puts it on its page and anchors it, and the instances load and
// save the entity's times.
#pragma once

#include "framework/Types.h"
#include "sheets/AnchoredPanel.h"
#include "sheets/AvailRules.h"
#include "shell/editing/EditingPPage.h"
#include "shell/editing/EditingPSheet.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>
#include <wx/button.h>
#include <wx/radiobut.h>

class EventDoc;
class Group;
class ZelCheckListCtrl;
class ZelNotifyEvent;
class ZelTimeslotCtrl;

// What an Availability page says.
struct AvailPageConfig {
    std::string sLabel;
    UINT uSlotsHelpId = 0;
    UINT uDaysHelpId = 0;
};

class AvailPanel : public AnchoredPanel {
public:
    struct Hooks {
        std::function<EventDoc*()> fDocument;
        // The user changed the times: the page's changed flag and Undo.
        std::function<void()> fMarkChanged;
    };

    AvailPanel(wxWindow& page, const AvailPageConfig& config, Hooks hooks);

    // The page's initialisation: the list over the grid's place, timeslot
    // mode.
    void OnInitDialog();
    // After a load: the control of the mode shows the page's times.
    void Refill();
    // Timeslot mode (the grid is enabled).
    bool IsSlotMode() const;
    void EnterSlotMode();
    void EnterDaysMode();

    AvailState State;
    ZelTimeslotCtrl* GetGrid() const { return pGrid; }
    ZelCheckListCtrl* GetList() const { return pList; }

private:
    void SetHelp(UINT u_id);
    void FillList();
    // The grid starts at the event's first timeslot of the day.
    void StartAtFirstEventTimeslot();
    void OnGridNotify(ZelNotifyEvent& event);
    void OnListNotify(ZelNotifyEvent& event);
    void OnCheckAll(bool b_unavailable);

    AvailPageConfig Config;
    Hooks Hooks_;
    bool bReady = false;

    wxRadioButton* pSlotsRadio = nullptr;
    wxRadioButton* pDaysRadio = nullptr;
    ZelTimeslotCtrl* pGrid = nullptr;
    ZelCheckListCtrl* pList = nullptr;
    wxButton* pCheckAll = nullptr;
    wxButton* pUncheckAll = nullptr;
    wxWindow* pHelp = nullptr;
};

template <class T>
class AvailPPage : public T {
public:
    template <class... Args>
    AvailPPage(const AvailPageConfig& config, Args&&... base_args)
        : T(std::forward<Args>(base_args)...),
          Panel(*this, config, AvailPanel::Hooks{[this] { return this->GetDocument(); }, [this] { this->MarkEdited(); }})
    {
    }

    bool OnInitDialog() override
    {
        T::OnInitDialog();
        for (const AvailPanel::Anchor& anchor : Panel.GetAnchors())
            this->AddSzControl(*anchor.pWindow, static_cast<typename T::Mode>(anchor.iModeX),
                               static_cast<typename T::Mode>(anchor.iModeY));
        Panel.OnInitDialog();
        return true;
    }

    AvailPanel& GetPanel() { return Panel; }

protected:
    // The entity's times into the page, and into the control shown.
    void LoadTimes(const TimeList& times)
    {
        Panel.State.Load(times, &this->GetDocument()->GetEventDef().GetDayDefConst());
        Panel.Refill();
    }

    AvailPanel Panel;
};
