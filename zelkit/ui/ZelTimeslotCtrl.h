// The timeslot grid control ("ZLC_TIMESLOT"): the window of a
// ZelTimeslotGrid. Owners call it as they would the grid (SetNumDays,
// SetTimeslots, GetTimeslots, ...); the grid does the work, and the window
// tells the parent through ZelNotifyEvent (ui/ZelNotifyEvent.h):
// ZTSN_CHANGED after an edit, ZTSN_SELCHANGED after a change of selection,
// and the colour requests ZTSN_SLOTCOLOR and ZTSN_SLOTTEXTCOLOR, answered
// in a ZelTimeslotColorNotify.
#pragma once

#include "zelkit/ZelTimeslotGrid.h"
#include "zelkit/ui/ZelCustomCtrl.h"

#include <memory>

class ZelTimeslotCtrl : public ZelCustomCtrl, protected IZelTimeslotHost {
public:
    using DayArray = ZelTimeslotGrid::DayArray;

    // The grid of a plain control starts from the spacing chosen last.
    ZelTimeslotCtrl(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos = wxDefaultPosition,
                    const wxSize& size = wxDefaultSize);
    ~ZelTimeslotCtrl() override;

    static BOOL RegisterWndClass();
    static BOOL UnregisterWndClass();

    ZelTimeslotGrid& GetGrid() { return *pGrid; }
    const ZelTimeslotGrid& GetGrid() const { return *pGrid; }

    // --- The owner's calls (see ZelTimeslotGrid) ------------------------
    void SetNumDays(UINT n_days) { pGrid->SetNumDays(n_days); }
    UINT GetNumDays() const { return pGrid->GetNumDays(); }
    void SetNumSets(int i_day, UINT n_sets) { pGrid->SetNumSets(i_day, n_sets); }
    void SetDayName(int i_day, const std::string& s_name) { pGrid->SetDayName(i_day, s_name); }
    void SetSetName(int i_day, int i_set, const std::string& s_name) { pGrid->SetSetName(i_day, i_set, s_name); }
    const std::string& GetDayName(int i_day) const { return pGrid->GetDayName(i_day); }
    const std::string& GetSetName(int i_day, int i_set) const { return pGrid->GetSetName(i_day, i_set); }
    int GetNumSets(int i_day) const { return pGrid->GetNumSets(i_day); }
    int GetMaxSets() const { return pGrid->GetMaxSets(); }
    int GetTotalSets() const { return pGrid->GetTotalSets(); }
    void SetConsec(int i_day, int b_consec) { pGrid->SetConsec(i_day, b_consec); }
    int IsConsec(UINT u_day) const { return pGrid->IsConsec(u_day); }
    void SetStartLimit(int i_day, const ZelRelTimeslotArray& a_before) { pGrid->SetStartLimit(i_day, a_before); }
    void SetEndLimit(int i_day, const ZelRelTimeslotArray& a_after) { pGrid->SetEndLimit(i_day, a_after); }
    int SetTimeslots(int i_day, const ZelRelTimeslotArray& a_slots, int b_recompute,
                     const ZelArrayWithFind<long>* p_set_keys)
    {
        return pGrid->SetTimeslots(i_day, a_slots, b_recompute, p_set_keys);
    }
    void GetTimeslots(int i_day, ZelRelTimeslotArray& a_out, const ZelArrayWithFind<long>& a_set_keys) const
    {
        pGrid->GetTimeslots(i_day, a_out, a_set_keys);
    }
    void UpdateItemData(int i_day, const ZelRelTimeslotArray& a_slots, const ZelArrayWithFind<long>& a_set_keys)
    {
        pGrid->UpdateItemData(i_day, a_slots, a_set_keys);
    }
    void SetCombinations(const ZelTimeslotCombinationList& combinations) { pGrid->SetCombinations(combinations); }
    const ZelTimeslotCombinationList& GetCombinations() const { return pGrid->GetCombinations(); }
    int SetReadOnly(int b_read_only) { return pGrid->SetReadOnly(b_read_only); }
    int IsReadOnly() const { return pGrid->IsReadOnly(); }
    void Set24Hour(int b_24_hour) { pGrid->Set24Hour(b_24_hour); }
    int Get24Hour() const { return pGrid->Get24Hour(); }
    void Save24Hour() { pGrid->Save24Hour(); }
    void SetSlotLength(UINT u_seconds) { pGrid->SetSlotLength(u_seconds); }
    void UsePrevSpacing(int b_use) { pGrid->UsePrevSpacing(b_use); }
    int SetPositionTips(int b_tips) { return pGrid->SetPositionTips(b_tips); }
    static int HasBeenDisplayed() { return ZelTimeslotGrid::HasBeenDisplayed(); }
    void Recompute() { pGrid->Recompute(); }

    // wx's enabling; the grid redraws in its disabled look.
    bool Enable(bool b_enable = true) override;

protected:
    // A derived control brings a grid of its own.
    ZelTimeslotCtrl(wxWindow* p_parent, wxWindowID i_id, const wxPoint& pos, const wxSize& size,
                    std::unique_ptr<ZelTimeslotGrid> p_grid, const wxString& s_name);

    // IZelTimeslotHost
    BOOL HasWindow() const override;
    CRect GetClientArea() const override;
    BOOL IsWindowEnabled() const override;
    BOOL HasKeyboardFocus() const override;
    void Invalidate(const CRect* p_rect, BOOL b_erase) override;
    long Notify(int i_code, void* p_record) override;

private:
    std::unique_ptr<ZelTimeslotGrid> pGrid;
};
