// The Limits page: a template over an editing-page base, so that the group
// sheet and the participant sheet (and the preferences sheet, for the
// defaults of each) show the same page on their own page protocol.
//
// LimitsPanel holds the page's controls and runs them over a LimitsState;
// the template puts it on its page, anchors its controls and forwards the
// data exchange, and leaves the defaults and the load and save of the
// entity to the instance. The base T is an EditingPPage that supplies
// GetDocument().
#pragma once

#include "framework/Types.h"
#include "sheets/AnchoredPanel.h"
#include "sheets/LimitsRules.h"
#include "shell/editing/EditingPPage.h"
#include "shell/editing/EditingPSheet.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

class EventDoc;
class ZelNotifyEvent;
class ZelTreeCtrl;

// What a Limits page is made to show.
struct LimitsPageConfig {
    BOOL bShowDefaults = TRUE;
    BOOL bShowRotation = TRUE;
    BOOL bMaxOnly = FALSE;
    BOOL bShowVenueCheck = TRUE;
    UINT uLimitsDescId = 0;
    UINT uRotationDescId = 0;
};

class LimitsPanel : public AnchoredPanel {
public:
    // What the panel asks of its page.
    struct Hooks {
        std::function<EventDoc*()> fDocument;
        std::function<LimitsDefaults()> fDefaults;
        std::function<UINT()> fDefaultRotation;
        // The user changed something: the page's changed flag and Undo.
        std::function<void()> fMarkChanged;
        std::function<EditingPSheet*()> fSheet;
    };

    LimitsPanel(wxWindow& page, const LimitsPageConfig& config, Hooks hooks);

    // The page's initialisation: the hidden parts, the tree's root items,
    // the tree and controls, the description.
    void OnInitDialog();
    // The values into the controls / out of them (FALSE, after the range
    // message, when a box does not hold a number of 0 to 99999).
    void WriteControls();
    BOOL ReadControls(BOOL b_quiet = FALSE);
    // Venue items in or out, and the selection's limits into the controls.
    void UpdateTreeAndControls();
    // The tree exists and was filled.
    BOOL IsReady() const { return bReady; }

    LimitsState State;
    // The rotation (groups): 0 not required, 1 event, 2 day.
    UINT uRotation = 0;

    ZelTreeCtrl* GetTree() const { return pTree; }
    const LimitsPageConfig& GetConfig() const { return Config; }
    // The item data of the selected items, in tree order.
    std::vector<DWORD> SelectedData() const;

private:
    void Create();
    int CheckedButton() const;
    void ApplyControls(BOOL b_read);
    void ShowDescription();
    void SetLimitControlsEnabled(bool b_enable);
    void ShowLimits(const LimitsShown& shown);

    void OnTreeNotify(ZelNotifyEvent& event);
    void OnLimitButton(wxCommandEvent& event);
    void OnBoxChanged(wxCommandEvent& event);
    void OnVenueCheck(wxCommandEvent& event);
    void OnDefaultAll(wxCommandEvent& event);
    void OnDefaultSelection(wxCommandEvent& event);
    void OnRotationButton(wxCommandEvent& event);
    void OnRotationDefault(wxCommandEvent& event);

    LimitsPageConfig Config;
    Hooks Hooks_;

    ZelTreeCtrl* pTree = nullptr;
    wxCheckBox* pVenueCheck = nullptr;
    wxRadioButton* pNoLimits = nullptr;
    wxRadioButton* pExact = nullptr;
    wxRadioButton* pRange = nullptr;
    // Checked when none of the three is: a group of radio buttons always
    // has one checked.
    wxRadioButton* pNoneChecked = nullptr;
    wxTextCtrl* pExactBox = nullptr;
    wxTextCtrl* pMinBox = nullptr;
    wxTextCtrl* pMaxBox = nullptr;
    std::vector<wxWindow*> vLimitLabels;
    wxButton* pDefaultSel = nullptr;
    wxButton* pDefaultAll = nullptr;
    wxRadioButton* apRotation[3] = {nullptr, nullptr, nullptr};
    wxButton* pRotationDefault = nullptr;
    wxStaticText* pHelp = nullptr;
    std::string sLimitsDesc;
    std::string sRotationDesc;

    void* hEvent = nullptr;
    void* hDay = nullptr;
    BOOL bVenueItems = FALSE;
    // The user changed the limit controls since they last showed the
    // selection: only then do they go into it when the selection changes,
    // so that looking at a stored limit does not rewrite it.
    bool bControlsEdited = false;
    BOOL bRemovingVenues = FALSE;
    BOOL bUpdating = FALSE;
    BOOL bReady = FALSE;
    // The selection the controls show, as item data.
    std::vector<DWORD> vShown;
};

template <class T>
class LimitsPPage : public T {
public:
    template <class... Args>
    LimitsPPage(const LimitsPageConfig& config, Args&&... base_args)
        : T(std::forward<Args>(base_args)...),
          Panel(*this, config,
                LimitsPanel::Hooks{[this] { return this->GetDocument(); }, [this] { return Defaults(); },
                                   [this] { return DefaultRotation(); }, [this] { this->MarkEdited(); },
                                   [this] { return this->pSheet; }})
    {
    }

    // The defaults the Default buttons copy.
    virtual SchedLim GetDefaultEventLimits() = 0;
    virtual SchedLim GetDefaultDayLimits() = 0;
    virtual BOOL GetDefaultUseVenueLimits() { return FALSE; }
    virtual VenueLimitArray GetDefaultVenueLimits() { return VenueLimitArray(); }
    // The rotation the rotation's Default button copies.
    virtual UINT GetDefaultRotation() { return 0; }

    bool OnInitDialog() override
    {
        T::OnInitDialog();
        for (const LimitsPanel::Anchor& anchor : Panel.GetAnchors())
            this->AddSzControl(*anchor.pWindow, static_cast<typename T::Mode>(anchor.iModeX),
                               static_cast<typename T::Mode>(anchor.iModeY));
        Panel.OnInitDialog();
        return true;
    }
    bool TransferDataToWindow() override
    {
        Panel.WriteControls();
        return T::TransferDataToWindow();
    }
    bool TransferDataFromWindow() override { return Panel.ReadControls() && T::TransferDataFromWindow(); }

    LimitsPanel& GetPanel() { return Panel; }

protected:
    // After the entity's limits were loaded into the panel.
    void AfterLoad()
    {
        if (Panel.IsReady())
            Panel.UpdateTreeAndControls();
    }

    LimitsPanel Panel;

private:
    LimitsDefaults Defaults()
    {
        LimitsDefaults defaults;
        defaults.EventLimits = GetDefaultEventLimits();
        defaults.DayLimits = GetDefaultDayLimits();
        defaults.bUseVenueLimits = GetDefaultUseVenueLimits();
        defaults.VenueLimits = GetDefaultVenueLimits();
        return defaults;
    }
    UINT DefaultRotation() { return GetDefaultRotation(); }
};
