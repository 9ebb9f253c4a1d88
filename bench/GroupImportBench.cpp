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
//
// build/bin/group_import_bench --cancel [SECONDS] [COUNT]: the whole import
// as File > Import runs it (the text importer reading a file of COUNT
// groups, 50,000 by default, into an event through the pane's import),
// cancelled from its progress port after SECONDS (1 by default) of wall
// time; prints the process's resident size before the import, its peak
// and after the cancel, and the groups left in the event (as many as
// before).
#include "model/EventDoc.h"
#include "model/Group.h"
#include "model/ShellPorts.h"
#include "shell/lists/GroupFieldTexts.h"
#include "shell/lists/GroupViewCore.h"
#include "shell/lists/ItemListCore.h"
#include "shell/lists/ItemListImport.h"
#include "zelkit/import/ZelImport.h"
#include "generators/ProcessFigures.h"
#include "zelkit/lists/ZelListModel.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct BenchParts {
    ZelListModel Model;
    ZelListSort SortState;
};

// The group pane's list as the view runs it, on a list model, and the
// import's host as the list view is.
class BenchGroupRows : private BenchParts, public ItemListCore, public IItemListImportHost {
public:
    explicit BenchGroupRows(EventDoc& doc)
        : ItemListCore(&static_cast<BenchParts&>(*this).Model, static_cast<BenchParts&>(*this).SortState), Doc(doc)
    {
        SetColumnDefs(GroupViewCore::ColumnDefs());
        BuildColumnTitles();
        Core.FillImportFields(Defs);
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

    // ---- IItemListImportHost ----
    const ZelImportFieldDef* GetImportFields() override { return &Defs; }
    int ImportRecord(int i_record, int i_line, const ZelArray<ZelImport::ColValue>& a_values,
                     ILVImportErrors* p_errors) override
    {
        return Core.ImportRecord(i_record, i_line, a_values, p_errors);
    }
    std::string GetSingularTitle() const override { return "Group"; }
    std::string GetCountNoun() const override { return "group(s)"; }
    ZelArray<ILVFieldMapping>& GetFieldMappings() override { return Mappings; }
    void SetModifiedFlag() override { Doc.SetModifiedFlag(); }
    EventDoc* GetImportDoc() override { return &Doc; }
    void ImportStopped() override { Core.ImportStopped(); }

    EventDoc& Doc;
    ZelImportFieldDef Defs;
    ZelArray<ILVFieldMapping> Mappings;
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

// The wizard: every column mapped to the field of its header, Finish.
class MappingWizard : public IZelImportWizardPort {
public:
    int Run(ZelImportWizardCore& wizard, const std::string&, const std::string&) override
    {
        const std::vector<ZelImportWizardCore::ColumnRow> v_rows = wizard.PrepareColumns();
        for (std::size_t i = 0; i < v_rows.size(); ++i)
            wizard.ChooseField(static_cast<int>(i), v_rows[i].sCaption);
        return 12325;
    }
};

// The progress window without a display: its Cancel pressed once the
// import has run for the time asked; the peak noted at that moment.
class CancellingProgress : public IZelImportProgressPort {
public:
    explicit CancellingProgress(double d_seconds) : dSeconds(d_seconds) {}
    std::int64_t GetMilliseconds() override
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
    }
    bool Open(const std::string&) override { return true; }
    void Show(const std::string& s_status, std::uint64_t, std::uint64_t) override { sStatus = s_status; }
    bool Pump() override { return std::chrono::duration<double>(Clock::now() - tStart).count() >= dSeconds; }
    void Close() override {}

    using Clock = std::chrono::steady_clock;
    Clock::time_point tStart = Clock::now();
    double dSeconds;
    std::string sStatus;
};

int RunCancelled(double d_seconds, int n_groups)
{
    const std::string s_path =
        (std::filesystem::temp_directory_path() / ("rvx-group-import-bench-" + std::to_string(::getpid()) + ".csv"))
            .string();
    {
        std::FILE* p_file = std::fopen(s_path.c_str(), "wb");
        if (p_file == nullptr)
            return 1;
        std::fputs("Group Name,Contact Name,Contact Address1,Contact Phone 1,Contact Email,Styles,Group Members,Notes\n",
                   p_file);
        for (int i = 0; i < n_groups; ++i)
            std::fprintf(p_file,
                         "Ensemble %06d,Robin Hale %d,%d Mill Lane,01632 %d,group%d@example.org,Style %d,Pat Player%d "
                         "(Drummer %d),Imported for the spring fair\n",
                         i, i % 997, i % 300, 100000 + i, i, i, i, i % 40);
        std::fclose(p_file);
    }
    EventDoc doc;
    BenchGroupRows rows(doc);
    // The document's updates reach the pane, as they reach the program's.
    ScriptedViews views;
    views.fOnUpdate = [&rows](const UpdateViewHint* p_hint) { rows.OnUpdate(p_hint); };
    rows.InitialUpdate();
    MappingWizard wizard;
    IZelImportWizardPort* p_wizard = ZelSetImportWizardPort(&wizard);
    CancellingProgress progress(d_seconds);
    IZelImportProgressPort* p_progress = ZelSetImportProgressPort(&progress);

    const bool b_peak = ResetPeak();
    const long l_before = StatusKib("VmRSS");
    progress.tStart = CancellingProgress::Clock::now();
    ItemListImport(rows).ImportFile("bench", "bench", s_path);
    const double d_took = std::chrono::duration<double>(CancellingProgress::Clock::now() - progress.tStart).count();
    const long l_peak = b_peak ? StatusKib("VmHWM") : PeakResidentKib();
    const long l_after = StatusKib("VmRSS");
    ZelSetImportProgressPort(p_progress);
    ZelSetImportWizardPort(p_wizard);
    std::filesystem::remove(s_path);
    std::printf("%d groups, cancelled after %.2f s at \"%s\" (done %.2f s)\n", n_groups, d_seconds,
                progress.sStatus.c_str(), d_took);
    std::printf("resident before %6.1f MiB, peak %6.1f MiB, after %6.1f MiB; groups in the event %d\n",
                l_before / 1024.0, l_peak / 1024.0, l_after / 1024.0, doc.GetGroups().GetNumGroups());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--cancel") == 0)
        return RunCancelled(argc > 2 ? std::atof(argv[2]) : 1.0, argc > 3 ? std::atoi(argv[3]) : 50000);
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
