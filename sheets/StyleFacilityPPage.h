// The styles and facilities page, a template over an editing page base T
// (the group page base here; the venue sheet's details page reuses it over
// its own base). Two check lists, the event's styles and its facilities: a
// check mark says the edited item has the style (needs, or for a venue
// offers, the facility). New, a rename in place (double click) and Delete
// change the event at once and stay even when the sheet is cancelled; only
// the marks travel through the working copy (StyleFacilityRules).
//
// T is constructed from the arguments after the key sizes and provides the
// editing page's operations (changed flag, toolbars, the sheet's Undo).
#pragma once

#include "framework/ui/WxIds.h"
#include "sheets/GroupEditingPPage.h"
#include "sheets/GroupSheetIds.h"
#include "sheets/StyleFacilityRules.h"
#include "shell/editing/EditingPSheet.h"
#include "shell/editing/PageToolBarRules.h"
#include "zelkit/import/ui/ZelEditListCtrl.h"
#include "zelkit/windows/ui/ZelNotifyEvent.h"

#include <utility>
#include <wx/stattext.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

// One of the page's check lists as the rules see it.
class StyleFacilityListAdapter : public IStyleFacilityList {
public:
    explicit StyleFacilityListAdapter(ZelEditListCtrl& list) : List(list) {}
    int GetRowCount() const override;
    std::string GetRowName(int i_row) const override;
    void SetRowName(int i_row, const std::string& s_name) override;
    LONG GetRowKey(int i_row) const override;
    void SetRowKey(int i_row, LONG l_key) override;
    BOOL IsRowChecked(int i_row) const override;
    void SetRowChecked(int i_row, BOOL b_checked) override;
    int AppendRow(const std::string& s_name, LONG l_key, BOOL b_checked) override;
    void DeleteRow(int i_row) override;
    std::vector<int> GetSelectedRows() const override;

private:
    ZelEditListCtrl& List;
};

// The list's columns: a centred check column and the editable name, both
// with empty headings, the name as wide as the list allows.
void SetUpStyleFacilityList(ZelEditListCtrl& list);
// The name's column sorted ascending with the list's sort state.
void SortStyleFacilityList(ZelEditListCtrl& list, ZelListSort& sort);
// The first checked row is focused (when no row is) and brought into view.
void ShowFirstChecked(ZelEditListCtrl& list);
// The row whose name is the text is brought into view.
void ShowRowNamed(ZelEditListCtrl& list, const std::string& s_name);

template <class T>
class StyleFacilityPPage : public T {
public:
    using Kind = StyleFacilityRules::Kind;

    template <class... BaseArgs>
    StyleFacilityPPage(EventDoc* p_doc, int n_styleKeys, int n_facilityKeys, BaseArgs&&... base_args)
        : T(std::forward<BaseArgs>(base_args)...), Rules(p_doc, n_styleKeys, n_facilityKeys)
    {
        pStylesCaption = new wxStaticText(this, IDC_STYLE_CAPTION, "&Styles:");
        pFacilitiesCaption = new wxStaticText(this, IDC_FACILITY_CAPTION, "&Facilities required:");
        // Both columns have empty headings, so the lists show no header:
        // an empty strip would only carry the sort arrow.
        apLists[StyleFacilityRules::e_styles] =
            new ZelEditListCtrl(this, IDC_STYLE_LIST, wxDefaultPosition, wxDefaultSize, LVS_NOCOLUMNHEADER);
        apLists[StyleFacilityRules::e_facilities] =
            new ZelEditListCtrl(this, IDC_FACILITY_LIST, wxDefaultPosition, wxDefaultSize, LVS_NOCOLUMNHEADER);
        this->PlaceDlgUnits(*pStylesCaption, 7, 7, 122, 14);
        this->PlaceDlgUnits(*apLists[0], 7, 22, 122, 136);
        this->PlaceDlgUnits(*pFacilitiesCaption, 135, 7, 122, 14);
        this->PlaceDlgUnits(*apLists[1], 135, 22, 122, 136);
        pDescription = MakeDescription(this);
        this->PlaceDlgUnits(*pDescription, 7, 164, 250, 36);
        for (int i = 0; i < 2; ++i) {
            Sorts[i].SetCtrl(apLists[i]);
            this->Bind(wxEVT_ZEL_NOTIFY, &StyleFacilityPPage::OnListNotify, this, apLists[i]->GetId());
            // While a name is typed every key belongs to its editor: the
            // page would take it first (for the toolbars' keys) and the
            // editor would never see it.
            ZelEditListCtrl* p_list = apLists[i];
            p_list->Bind(wxEVT_CHAR_HOOK, [p_list](wxKeyEvent& event) {
                if (p_list->IsEditing())
                    event.StopPropagation();
                event.Skip();
            });
        }
        this->Bind(wxEVT_MENU, &StyleFacilityPPage::OnNew, this, WxId(ID_PAGE_NEW));
        this->Bind(wxEVT_MENU, &StyleFacilityPPage::OnDelete, this, WxId(ID_PAGE_DELETE));
    }

    StyleFacilityRules& GetRules() { return Rules; }
    ZelEditListCtrl& GetList(Kind e_kind) const { return *apLists[e_kind]; }

    bool OnInitDialog() override
    {
        T::OnInitDialog();
        this->AddToolBar(IDC_STYLE_LIST, pStylesCaption, PTB_NEW_DELETE, T::modeMoveHalf, T::modeFixed);
        this->AddToolBar(IDC_FACILITY_LIST, pFacilitiesCaption, PTB_NEW_DELETE, T::modeMove, T::modeFixed);
        for (int i = 0; i < 2; ++i) {
            const Kind e_kind = static_cast<Kind>(i);
            ZelEditListCtrl& list = *apLists[i];
            SetUpStyleFacilityList(list);
            FillList(e_kind);
            ShowFirstChecked(list);
        }
        this->AddSzControlEx(*pStylesCaption, 0, 50, 0, 0);
        this->AddSzControlEx(*apLists[0], 0, 50, 0, 100);
        this->AddSzControlEx(*pFacilitiesCaption, 50, 100, 0, 0);
        this->AddSzControlEx(*apLists[1], 50, 100, 0, 100);
        this->AddSzControl(*pDescription, T::modeStretch, T::modeMove);
        return true;
    }

    // The marks from the key lists (the page's controls take its values).
    bool TransferDataToWindow() override
    {
        for (int i = 0; i < 2; ++i) {
            StyleFacilityListAdapter rows(*apLists[i]);
            Rules.MarksFromKeys(static_cast<Kind>(i), rows);
        }
        return true;
    }
    // The key lists from the marks.
    bool TransferDataFromWindow() override
    {
        for (int i = 0; i < 2; ++i) {
            StyleFacilityListAdapter rows(*apLists[i]);
            Rules.KeysFromMarks(static_cast<Kind>(i), rows);
        }
        return true;
    }

    bool IsEditingInPlace() const override { return apLists[0]->IsEditing() || apLists[1]->IsEditing(); }

protected:
    void FillList(Kind e_kind)
    {
        ZelEditListCtrl& list = *apLists[e_kind];
        StyleFacilityListAdapter rows(list);
        Rules.Fill(e_kind, rows);
        list.AutoSizeColumns();
        SortStyleFacilityList(list, Sorts[e_kind]);
    }

private:
    // The list a command is for: the one whose toolbar sent it, or, for a
    // keyboard accelerator, the one that has the focus; -1 when none.
    int CommandList(wxCommandEvent& event) const
    {
        int i_owner = 0;
        if (auto* p_bar = wxDynamicCast(event.GetEventObject(), wxToolBar)) {
            for (const auto& def : this->GetToolBars()) {
                if (def.pToolBar == p_bar)
                    i_owner = def.iOwnerId;
            }
        } else {
            i_owner = this->GetFocusToolBarOwner();
        }
        if (i_owner == IDC_STYLE_LIST)
            return StyleFacilityRules::e_styles;
        if (i_owner == IDC_FACILITY_LIST)
            return StyleFacilityRules::e_facilities;
        return -1;
    }

    bool EndEdits() { return apLists[0]->EndEdit() && apLists[1]->EndEdit(); }

    void OnNew(wxCommandEvent& event)
    {
        if (!EndEdits())
            return;
        const int i_kind = CommandList(event);
        if (i_kind < 0) {
            wxBell();
            return;
        }
        const Kind e_kind = static_cast<Kind>(i_kind);
        ZelEditListCtrl& list = *apLists[e_kind];
        list.SetFocusDrawn(FALSE);
        list.SetFocus();
        StyleFacilityListAdapter rows(list);
        const int i_row = Rules.BeginNew(e_kind, rows);
        if (i_row < 0) {
            wxBell();
            return;
        }
        list.UnselectAll();
        list.SelectItem(i_row);
        list.SetFocusItem(i_row);
        list.AutoSizeColumns();
        list.BeginEdit(i_row, 1);
    }

    void OnDelete(wxCommandEvent& event)
    {
        if (!EndEdits())
            return;
        const int i_kind = CommandList(event);
        if (i_kind < 0) {
            wxBell();
            return;
        }
        const Kind e_kind = static_cast<Kind>(i_kind);
        ZelEditListCtrl& list = *apLists[e_kind];
        list.SetFocus();
        StyleFacilityListAdapter rows(list);
        Rules.DeleteSelected(e_kind, rows);
        list.AutoSizeColumns();
        list.SetFocusDrawn(TRUE);
    }

    void OnListNotify(ZelNotifyEvent& event)
    {
        const Kind e_kind = event.GetId() == apLists[0]->GetId() ? StyleFacilityRules::e_styles
                                                                  : StyleFacilityRules::e_facilities;
        ZelEditListCtrl& list = *apLists[e_kind];
        StyleFacilityListAdapter rows(list);
        switch (event.GetCode()) {
        case LVN_ITEMCHANGED: {
            const auto* p_nm = event.GetRecordAs<ZelNMListView>();
            if (p_nm != nullptr && p_nm->uChanged == ZelCheckListLayer::uToggleChanged
                && p_nm->uNewState != p_nm->uOldState) {
                Rules.KeysFromMarks(e_kind, rows);
                this->OnEditChange();
            }
            break;
        }
        case LVN_BEGINLABELEDIT:
            if (const auto* p_info = event.GetRecordAs<ZelEditBeginInfo>())
                Rules.EditBegins(e_kind, rows, p_info->iRow);
            break;
        case LVN_ENDLABELEDIT:
            if (const auto* p_info = event.GetRecordAs<ZelEditEndInfo>())
                OnEditEnded(e_kind, *p_info);
            break;
        default: event.Skip(); return;
        }
    }

    void OnEditEnded(Kind e_kind, const ZelEditEndInfo& info)
    {
        using EditEnd = StyleFacilityRules::EditEnd;
        using AfterEdit = StyleFacilityRules::AfterEdit;
        EditEnd e_end = EditEnd::Done;
        if (info.bCancelled)
            e_end = EditEnd::Cancelled;
        else if (info.uError == ZelEditListRules::IDS_VALUE_EMPTY)
            e_end = EditEnd::Empty;
        else if (info.uError == ZelEditListRules::IDS_VALUE_USED)
            e_end = EditEnd::Used;
        else if (info.uError != 0)
            e_end = EditEnd::Other;
        ZelEditListCtrl& list = *apLists[e_kind];
        StyleFacilityListAdapter rows(list);
        BOOL b_changed = FALSE;
        const int i_row = info.iRow;
        switch (Rules.EditEnds(e_kind, rows, i_row, e_end, b_changed)) {
        case AfterEdit::EditAgain:
            // Once the list has shown why, the same row is edited again.
            this->CallAfter([this, e_kind, i_row] {
                if (i_row < apLists[e_kind]->GetItemCount())
                    apLists[e_kind]->BeginEdit(i_row, 1);
            });
            break;
        case AfterEdit::RowDeleted: list.AutoSizeColumns(); break;
        case AfterEdit::Changed: {
            if (b_changed)
                this->OnEditChange();
            const std::string s_name = rows.GetRowName(i_row);
            list.AutoSizeColumns();
            list.ReSort(Sorts[e_kind], &ZelCheckListLayer::ItemCompare);
            ShowRowNamed(list, s_name);
            break;
        }
        case AfterEdit::Nothing: break;
        }
    }

    StyleFacilityRules Rules;
    ZelEditListCtrl* apLists[2] = {nullptr, nullptr};
    ZelListSort Sorts[2];
    wxStaticText* pStylesCaption = nullptr;
    wxStaticText* pFacilitiesCaption = nullptr;
    wxWindow* pDescription = nullptr;
};
