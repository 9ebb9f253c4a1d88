// Time of importing records into the group pane, as the text importer hands
// them over one by one (GroupViewCore::ImportRecord) and the final refresh
// after the last: 50,000 groups with a contact, an address, phones, an
// e-mail, a style and a note, all new; then the same 50,000 again, each
// already there (every one a name taken, so the importer compares and
// leaves it). The text importer's reading of the file is left out: the
// participant import shares it.
// Run by hand: build/bin/group_import_bench [COUNT]
// Prints the time per case and a hash of the imported groups' names and
// keys in list order, which a faster import must leave unchanged.
#include "model/EventDoc.h"
#include "model/Group.h"
#include "shell/lists/GroupFieldTexts.h"
#include "shell/lists/GroupViewCore.h"
#include "shell/lists/ItemListCore.h"
#include "shell/lists/ItemListImport.h"
#include "zelkit/import/ZelImport.h"
#include "zelkit/lists/ZelListModel.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct BenchParts {
    ZelListModel Model;
    ZelListSort SortState;
};

// The group pane's list as the view runs it, on a list model.
class BenchGroupRows : private BenchParts, public ItemListCore {
public:
    explicit BenchGroupRows(EventDoc& doc)
        : ItemListCore(&static_cast<BenchParts&>(*this).Model, static_cast<BenchParts&>(*this).SortState), Doc(doc)
    {
        SetColumnDefs(GroupViewCore::ColumnDefs());
        BuildColumnTitles();
    }

    GroupViewCore Core{*this};

    EventDoc* GetEventDoc() override { return &Doc; }
    void FillList() override
    {
        Core.InsertColumns();
        Core.AddRows();
    }
    BOOL AddRecordByName(const ZelFullName& name, std::string& s_error, BOOL b_flag) override
    {
        return Core.AddRecordByName(name, s_error, b_flag);
    }
    void DoAddDialog() override {}
    void DeleteRecord(LPARAM, BOOL) override {}
    int DoChangeDialog(LPARAM, LPARAM&, int, int) override { return e_change_stop; }
    int GetRecordCount() override { return Doc.GetGroups().GetNumGroups(); }
    std::string GetPluralTitle() override { return "Groups"; }
    std::string GetSingularTitle() override { return "Group"; }
    std::string GetSingularNoun() override { return "group"; }
    std::string GetPluralNoun() override { return "groups"; }
    std::string GetCountNoun() override { return "group(s)"; }
    BOOL SelectPrintColumns() override { return FALSE; }
    BOOL FilterUpdateHint(const UpdateViewHint& hint) override { return GroupViewCore::FilterUpdateHint(hint); }
    std::string GetFieldText(ILVRecord p_record, int i_column) override
    {
        return Core.GetFieldText(static_cast<const Group*>(p_record), i_column);
    }
    ILVRecord GetRecord(int i_row) override { return Core.GetRecord(i_row); }
    std::string GetListText(int i_row, int i_column) override { return GetFieldText(GetRecord(i_row), i_column); }
    int GetRecordValue(int i_row) override { return Core.GetRecordValue(i_row); }

    EventDoc& Doc;
};

ZelImport::ColValue Value(DWORD u_field, const std::string& s_text)
{
    ZelImport::ColValue value;
    value.uType = ZelImportFieldDef::COLTYPE_STRING | ZelImportFieldDef::COLTYPE_SINGLE;
    value.uData = static_cast<DWORD>(u_field);
    ZelImport::SingleValue single;
    single.uType = ZelImportFieldDef::COLTYPE_STRING | ZelImportFieldDef::COLTYPE_SINGLE;
    single.sText = s_text;
    value.Values.Add(single);
    return value;
}

// The record of group i, as the importer hands it over.
ZelArray<ZelImport::ColValue> Record(int i)
{
    char a_name[40];
    std::snprintf(a_name, sizeof a_name, "Ensemble %06d", (i * 7919) % 1000003);
    ZelArray<ZelImport::ColValue> a_values;
    a_values.Add(Value(gfName, a_name));
    a_values.Add(Value(gfContact, "Robin Hale " + std::to_string(i % 997)));
    a_values.Add(Value(gfAddress1, std::to_string(i % 300) + " Mill Lane"));
    a_values.Add(Value(gfAddress2, "Millbrook"));
    a_values.Add(Value(gfPostalCode, "MB" + std::to_string(i % 90) + " 1AA"));
    a_values.Add(Value(gfPhone1, "01632 " + std::to_string(100000 + i)));
    a_values.Add(Value(gfEmail, "group" + std::to_string(i) + "@example.org"));
    a_values.Add(Value(gfStyles, i % 2 ? "Folk" : "Jazz"));
    a_values.Add(Value(gfNotes, "Imported for the spring fair"));
    return a_values;
}

double Run(BenchGroupRows& rows, int n_groups, int& n_added)
{
    ILVImportErrors errors("Import errors");
    const auto t_start = std::chrono::steady_clock::now();
    for (int i = 0; i < n_groups; ++i)
        rows.Core.ImportRecord(i + 1, i + 2, Record(i), &errors);
    rows.Core.ImportRecord(-1, -1, ZelArray<ZelImport::ColValue>(), &errors);
    n_added = errors.nAdded;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t_start).count();
}

} // namespace

int main(int argc, char** argv)
{
    const int n_groups = argc > 1 ? std::atoi(argv[1]) : 50000;
    EventDoc doc;
    BenchGroupRows rows(doc);
    rows.InitialUpdate();
    int n_added = 0;
    const double d_new = Run(rows, n_groups, n_added);
    std::printf("%-44s %8.2f s  %d added\n", (std::to_string(n_groups) + " new groups").c_str(), d_new, n_added);
    const double d_again = Run(rows, n_groups, n_added);
    std::printf("%-44s %8.2f s  %d added\n", (std::to_string(n_groups) + " groups already there").c_str(), d_again,
                n_added);
    unsigned long long u_hash = 1469598103934665603ull;
    for (int i = 0; i < doc.GetGroups().GetNumGroups(); ++i) {
        const Group& group = doc.GetGroups()[i];
        for (unsigned char c : group.GetName() + "/" + std::to_string(group.GetKey()))
            u_hash = (u_hash ^ c) * 1099511628211ull;
    }
    std::printf("groups %d, rows %d, hash %016llx\n", doc.GetGroups().GetNumGroups(), rows.GetList().GetItemCount(),
                u_hash);
    return 0;
}
