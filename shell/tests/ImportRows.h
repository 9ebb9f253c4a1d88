// A pane's list as its view runs it, on a list model, with the pane's core
// (the group or participant view's), and the import's host over it as the
// list view is one: for tests of imports into a real event without the
// pane's window.
#pragma once

#include "model/EventDoc.h"
#include "shell/lists/ItemListCore.h"
#include "shell/lists/ItemListImport.h"
#include "zelkit/lists/ZelListModel.h"
#include "zelkit/lists/ZelListSort.h"

#include <string>

struct ImportListParts {
    ZelListModel Model;
    ZelListSort SortState;
};

// A pane's list as the view runs it, on a list model, with its core; the
// import's host, as the list view is.
template <class Core>
class ImportRows : private ImportListParts, public ItemListCore, public IItemListImportHost {
public:
    ImportRows(EventDoc& doc, const char* p_title)
        : ItemListCore(&static_cast<ImportListParts&>(*this).Model, static_cast<ImportListParts&>(*this).SortState), Doc(doc),
          sTitle(p_title)
    {
        SetColumnDefs(Core::ColumnDefs());
        BuildColumnTitles();
        rCore.FillImportFields(Defs);
    }

    Core rCore{*this};

    // ---- ItemListCore ----
    EventDoc* GetEventDoc() override { return &Doc; }
    void FillList() override
    {
        if (GetColumnCount() == 0)
            rCore.InsertColumns();
        rCore.AddRows();
    }
    BOOL AddRecordByName(const ZelFullName&, std::string&, BOOL) override { return FALSE; }
    void DoAddDialog() override {}
    void DeleteRecord(LPARAM, BOOL) override {}
    int DoChangeDialog(LPARAM, LPARAM&, int, int) override { return e_change_stop; }
    int GetRecordCount() override { return Model.GetItemCount(); }
    std::string GetPluralTitle() override { return sTitle + "s"; }
    std::string GetSingularTitle() override { return sTitle; }
    std::string GetSingularNoun() override { return sTitle; }
    std::string GetPluralNoun() override { return sTitle + "s"; }
    std::string GetCountNoun() override { return sTitle + "(s)"; }
    BOOL SelectPrintColumns() override { return FALSE; }
    BOOL FilterUpdateHint(const UpdateViewHint& hint) override { return Core::FilterUpdateHint(hint); }
    std::string GetFieldText(ILVRecord, int) override { return std::string(); }
    ILVRecord GetRecord(int i_row) override { return rCore.GetRecord(i_row); }
    std::string GetListText(int, int) override { return std::string(); }
    int GetRecordValue(int i_row) override { return rCore.GetRecordValue(i_row); }

    // ---- IItemListImportHost ----
    const ZelImportFieldDef* GetImportFields() override { return &Defs; }
    int ImportRecord(int i_record, int i_line, const ZelArray<ZelImport::ColValue>& a_values,
                     ILVImportErrors* p_errors) override
    {
        if (i_record < 0)
            bEnded = true;
        return rCore.ImportRecord(i_record, i_line, a_values, p_errors);
    }
    std::string GetSingularTitle() const override { return sTitle; }
    std::string GetCountNoun() const override { return sTitle + "(s)"; }
    ZelArray<ILVFieldMapping>& GetFieldMappings() override { return Mappings; }
    void SetModifiedFlag() override { Doc.SetModifiedFlag(); }
    EventDoc* GetImportDoc() override { return &Doc; }
    void ImportStopped() override
    {
        bStopped = true;
        if constexpr (requires(Core& c) { c.ImportStopped(); })
            rCore.ImportStopped();
    }

    int CountRows() { return Model.GetItemCount(); }

    EventDoc& Doc;
    std::string sTitle;
    ZelImportFieldDef Defs;
    ZelArray<ILVFieldMapping> Mappings;
    bool bEnded = false;
    bool bStopped = false;
};

