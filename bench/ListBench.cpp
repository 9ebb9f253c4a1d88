// Time and memory of the report list's model with 20,000 rows of 9
// columns: filling it, a sort by two columns, the toggle of a second
// header click, and a refill that keeps the selection and focus by key;
// and a list view's sort of 20,000 records by their field texts, which the
// view makes from its records (not from the list's cells).
// Run by hand: build/bin/list_bench
#include "shell/lists/ItemListCore.h"
#include "zelkit/lists/ZelListModel.h"

#include <chrono>
#include <cstdio>
#include <malloc.h>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int nRows = 20000;
constexpr int nCols = 9;

const char* const a_names[] = {"Anders", "Brooke", "Chen", "Dara", "Elif", "Farid", "Greta", "Hollis", "\xC9lodie"};
const char* const a_venues[] = {"Main hall", "Court 1", "Court 2", "Studio", "Annex", "Pavilion"};

std::size_t HeapInUse() { return mallinfo2().uordblks; }

class Measure {
public:
    explicit Measure(const char* p_what) : pWhat(p_what), uHeap(HeapInUse()), tStart(std::chrono::steady_clock::now()) {}
    ~Measure()
    {
        const double d_ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - tStart).count();
        const long l_kb = (static_cast<long>(HeapInUse()) - static_cast<long>(uHeap)) / 1024;
        std::printf("%-40s %9.1f ms %+9ld KB\n", pWhat, d_ms, l_kb);
    }

private:
    const char* pWhat;
    std::size_t uHeap;
    std::chrono::steady_clock::time_point tStart;
};

// Row r of a fill: the key is the item data, the texts are what a
// participant list shows.
void Fill(ZelListModel& list, unsigned u_seed)
{
    std::mt19937 gen(u_seed);
    for (int r = 0; r < nRows; ++r) {
        const LPARAM l_key = 1000 + (static_cast<LPARAM>(r) * 7919) % nRows;
        const std::string s_name = std::string(a_names[gen() % 9]) + " " + a_names[gen() % 9];
        const int i_row = list.InsertItem(r, s_name.c_str(), l_key);
        list.SetItemText(i_row, 1, a_venues[gen() % 6]);
        for (int c = 2; c < nCols; ++c)
            list.SetItemText(i_row, c, std::to_string(gen() % 5000));
    }
}

// A list view's records: a name made of two parts and a number, whose
// texts the view puts together when asked, as the program's views do.
struct BenchRecord {
    std::string sFirst;
    std::string sLast;
    int iNumber;
};

struct BenchParts {
    ZelListModel Model;
    ZelListSort SortState;
};

class BenchListView : private BenchParts, public ItemListCore {
public:
    BenchListView() : ItemListCore(&static_cast<BenchParts&>(*this).Model, static_cast<BenchParts&>(*this).SortState)
    {
        std::mt19937 gen(3);
        for (int r = 0; r < nRows; ++r)
            vRecords.push_back({a_names[gen() % 9], a_names[gen() % 9], static_cast<int>(gen() % 100000)});
    }
    void FillList() override
    {
        InsertColumn(0, "Name");
        InsertColumn(1, "Number");
        for (std::size_t i = 0; i < vRecords.size(); ++i)
            AddItem(static_cast<LPARAM>(i), 0, "");
    }
    ILVRecord GetRecord(int i_row) override { return &vRecords[static_cast<std::size_t>(GetList().GetItemData(i_row))]; }
    std::string GetFieldText(ILVRecord p_record, int i_column) override
    {
        const auto* p = static_cast<const BenchRecord*>(p_record);
        return i_column == 0 ? p->sLast + ", " + p->sFirst : std::to_string(p->iNumber);
    }
    BOOL AddRecordByName(const ZelFullName&, std::string&, BOOL) override { return FALSE; }
    void DoAddDialog() override {}
    void DeleteRecord(LPARAM, BOOL) override {}
    int DoChangeDialog(LPARAM, LPARAM&, int, int) override { return 3; }
    int GetRecordCount() override { return static_cast<int>(vRecords.size()); }
    std::string GetPluralTitle() override { return "Participants"; }
    std::string GetSingularTitle() override { return "Participant"; }
    std::string GetSingularNoun() override { return "participant"; }
    std::string GetPluralNoun() override { return "participants"; }
    std::string GetCountNoun() override { return "participant(s)"; }
    BOOL SelectPrintColumns() override { return FALSE; }

    std::vector<BenchRecord> vRecords;
};

} // namespace

int main()
{
    ZelListModel list;
    for (int c = 0; c < nCols; ++c)
        list.InsertColumn(c, "Column " + std::to_string(c));
    std::printf("%d rows x %d columns\n", nRows, nCols);
    {
        Measure m("fill");
        Fill(list, 1);
    }
    ZelListSort sort;
    const ZelColSortSpec a_specs[] = {{1, 1}, {0, 1}};
    {
        Measure m("sort by two columns");
        list.Sort(a_specs, 2, sort, 1);
    }
    {
        Measure m("toggle (second header click)");
        list.Sort(a_specs, 2, sort, 1);
    }
    for (int r = 0; r < nRows; r += 20)
        list.SelectItem(r);
    list.SetFocusItem(nRows / 2);
    {
        Measure m("refill keeping the selection by key");
        std::vector<LPARAM> v_keys;
        for (int r = list.GetNextItem(-1, LVNI_SELECTED); r >= 0; r = list.GetNextItem(r, LVNI_SELECTED))
            v_keys.push_back(list.GetItemData(r));
        const LPARAM l_focus = list.GetItemData(list.GetFocusItemIndex());
        list.DeleteAllItems();
        Fill(list, 2);
        list.ReSort(sort);
        for (LPARAM l_key : v_keys)
            list.SelectItem(list.FindItemData(l_key));
        list.SetFocusItem(list.FindItemData(l_focus));
        list.EnsureFocusVisible(FALSE);
    }
    std::printf("%d rows selected again, focus on row %d\n", list.GetSelectedCount(), list.GetFocusItemIndex());

    BenchListView view;
    view.Refill();
    const ZelColSortSpec a_viewSpecs[] = {{0, 1}, {1, 0}};
    {
        Measure m("list view: field-text sort, two keys");
        view.SortColumns(a_viewSpecs, 2);
    }
    std::printf("%-40s %9.1f ms (texts collected once, rows sorted)\n", "list view: sort as the view timed it",
                view.GetLastSortMs());
    {
        Measure m("list view: second click reverses");
        view.SortColumns(a_viewSpecs, 2);
    }
    return 0;
}
