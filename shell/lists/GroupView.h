// The group pane (bottom left): the event's groups in nine columns, added,
// changed and deleted through the group sheet, sorted by a header click,
// their selection mirrored into the groups and announced to the other
// views, printed as a list or as address labels, mailed, given the
// preferences' defaults in bulk and imported from text. The work without a
// window is GroupViewCore's.
#pragma once

#include "shell/frame/CommandIds.h"
#include "shell/lists/GroupViewCore.h"
#include "shell/lists/ItemLVLabels.h"
#include "shell/lists/ItemListImport.h"

#include <memory>

class wxContextMenuEvent;

class GroupView : public ItemLVLabels {
public:
    // The help context of the view: the command help base and 32811.
    static constexpr DWORD uHelpContext = 0x1802B;
    // Commands of the view.
    enum : UINT {
        ID_SEND_MAIL = 32844,
        ID_APPLY_ALL_PREFS = ID_APPLY_ALL_GROUP_PREFS,
        ID_APPLY_LIMITS_PREFS = ID_APPLY_GROUP_LIMITS_PREFS,
        ID_APPLY_ALLOC_PREFS = ID_APPLY_GROUP_ALLOC_PREFS,
        ID_APPLY_ROSTER_PREFS = ID_APPLY_GROUP_ROSTER_PREFS,
        ID_APPLY_ROTATION_PREFS = ID_APPLY_GROUP_ROTATION_PREFS,
        ID_SEND_MEMBER_MAIL = ID_SEND_GROUP_MEMBER_MAIL,
    };

    GroupView();
    ~GroupView() override;


    GroupViewCore& GetCore() { return *pCore; }
    // The menu the context menu shows (266), its items enabled by the
    // selection.
    std::unique_ptr<wxMenu> MakeContextMenu() override;

    // ---- wxView, IItemListView ----
    void OnUpdate(wxView* p_sender, wxObject* p_hint) override;
    void ApplyLayout(const ViewLayout& layout) override;

    // ---- IShellView ----
    std::string GetClassName() const override { return "GroupView"; }

    // ---- ItemListCore ----
    void FillList() override;
    BOOL AddRecordByName(const ZelFullName& name, std::string& s_error, BOOL b_flag) override;
    void DoAddDialog() override { pCore->DoAddDialog(); }
    void DeleteRecord(LPARAM l_key, BOOL b_last) override { pCore->DeleteRecord(l_key, b_last); }
    void DeleteRecords(const LPARAM* p_keys, int n_keys) override { pCore->DeleteRecords(p_keys, n_keys); }
    int DoChangeDialog(LPARAM l_key, LPARAM& l_out, int i_position, int n_count) override
    {
        return pCore->DoChangeDialog(l_key, l_out, i_position, n_count);
    }
    int GetRecordCount() override;
    std::string GetPluralTitle() override;
    std::string GetSingularTitle() override;
    std::string GetSingularNoun() override;
    std::string GetPluralNoun() override;
    std::string GetCountNoun() override;
    BOOL SelectPrintColumns() override { return pCore->SelectPrintColumns(); }
    BOOL FilterUpdateHint(const UpdateViewHint& hint) override { return GroupViewCore::FilterUpdateHint(hint); }
    std::string GetFieldText(ILVRecord p_record, int i_column) override;
    std::string GetListText(int i_row, int i_column) override;
    ILVRecord GetRecord(int i_row) override { return pCore->GetRecord(i_row); }
    int GetRecordValue(int i_row) override { return pCore->GetRecordValue(i_row); }
    std::string GetRecordText(ILVRecord p_record, int i_column) override;
    std::string GetCellText(int i_row, int i_column) override;
    void Sort(int i_column) override { pCore->Sort(i_column); }
    void UnselectAll() override;
    // The list's fitting, then each column widened to its widest text.
    void AutoSizeAll() override;
    BOOL SelectItem(int i_row) override;
    BOOL UnselectItem(int i_row) override;
    BOOL ToggleSelect(int i_row) override;

    // ---- ItemLVLabels ----
    std::string GetLabelText(IPrintCanvas& dc, int i_row, CRect& rc) override;

    // ---- import (the frame's file and web imports reach it through the base) ----
    const ZelImportFieldDef* GetImportFields() override { return &ImportFields; }
    int ImportRecord(int i_record, int i_line, const ZelArray<ZelImport::ColValue>& a_values,
                     ILVImportErrors* p_errors) override
    {
        return pCore->ImportRecord(i_record, i_line, a_values, p_errors);
    }
    void ImportStopped() override { pCore->ImportStopped(); }

private:
    void BindGroupCommands();
    void FitColumnsToTexts();

    std::unique_ptr<GroupViewCore> pCore;
    // The columns were fitted to rows, or took the event's stored widths.
    bool bFitted = false;
    ZelImportFieldDef ImportFields;
};

// Puts the group view into the frame's bottom-left pane; the program calls
// it at start-up.
bool RegisterGroupView();
