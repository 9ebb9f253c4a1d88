// The group pane (bottom left): the event's groups in nine columns, added,
// changed and deleted through the group sheet, sorted by a header click,
// their selection mirrored into the groups and announced to the other
// views, printed as a list or as address labels, mailed, given the
// preferences' defaults in bulk and imported from text. The work without a
// window is GroupViewCore's.
#pragma once

#include "shell/GroupViewCore.h"
#include "shell/ItemLVLabels.h"
#include "shell/ItemListImport.h"

#include <memory>

class wxContextMenuEvent;

class GroupView : public ItemLVLabels, public IItemListImportHost {
public:
    // The help context of the view: the command help base and 32811.
    static constexpr DWORD uHelpContext = 0x1802B;
    // Commands of the view.
    enum : UINT {
        ID_SEND_MAIL = 32844,
        ID_APPLY_ALL_PREFS = 32881,
        ID_APPLY_LIMITS_PREFS = 32882,
        ID_APPLY_ALLOC_PREFS = 32883,
        ID_APPLY_ROSTER_PREFS = 32884,
        ID_APPLY_ROTATION_PREFS = 32886,
        ID_SEND_MEMBER_MAIL = 32890,
    };

    GroupView();
    ~GroupView() override;

    // Creates the list in the pane's parent and takes its context menu.
    bool CreatePane(wxWindow* p_parent, wxWindowID i_id);

    GroupViewCore& GetCore() { return *pCore; }
    // The menu the context menu shows (266), its items enabled by the
    // selection.
    std::unique_ptr<wxMenu> MakeContextMenu();

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
    BOOL SelectItem(int i_row) override;
    BOOL UnselectItem(int i_row) override;
    BOOL ToggleSelect(int i_row) override;

    // ---- ItemLVLabels ----
    std::string GetLabelText(IPrintCanvas& dc, int i_row, CRect& rc) override;

    // ---- IFramePane ----
    BOOL AcceptsImports() override { return TRUE; }
    void ImportFromText(const std::string& s_key, const std::string& s_text) override;
    void ImportFromFile(const std::string& s_key, const std::string& s_name, const std::string& s_path) override;

    // ---- IItemListImportHost ----
    const ZelImportFieldDef* GetImportFields() override { return &ImportFields; }
    int ImportRecord(int i_record, int i_line, const ZelArray<ZelImport::ColValue>& a_values,
                     ILVImportErrors* p_errors) override
    {
        return pCore->ImportRecord(i_record, i_line, a_values, p_errors);
    }
    std::string GetSingularTitle() const override;
    std::string GetCountNoun() const override;
    ZelArray<ILVFieldMapping>& GetFieldMappings() override { return GetMappings(); }
    void SetModifiedFlag() override { SetModified(); }

private:
    void BindGroupCommands();
    void OnContextMenu(wxContextMenuEvent& event);

    std::unique_ptr<GroupViewCore> pCore;
    ZelImportFieldDef ImportFields;
    ItemListImport Import{*this};
};

// Puts the group view into the frame's bottom-left pane; the program calls
// it at start-up.
bool RegisterGroupView();
