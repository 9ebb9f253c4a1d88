// The common part of the venue, group and participant lists, without a
// window: one row per record (the row's item data is the record's key), the
// list's own click and keyboard selection, the refill after a document
// change that keeps selection and focus by key, the Add, Change and Delete
// commands, sorting by the records' field texts, adding records from
// dropped text, the status text, the columns chosen for printing and the
// layout the event file keeps.
//
// The core works on a list model (zelkit/lists/ZelListModel.h): the wx view hands
// it its list control, tests a plain model. What is record-specific comes
// from the derived views through the virtual operations below; what needs
// a window (redraw suspension, the sort watch, the end of the program)
// goes through the hooks a view overrides.
#pragma once

#include "framework/Types.h"
#include "model/KeyList.h"
#include "model/PrintOptions.h"
#include "model/SchedEntity.h"
#include "model/ViewLayout.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/lists/ZelListModel.h"
#include "zelkit/lists/ZelListSort.h"
#include "zelkit/values/ZelName.h"

#include <algorithm>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

class EventDoc;
class IZelDrawPort;
class ZelImportFieldDef;
struct CRect;
struct UpdateViewHint;

// A record as the view hands it around: whatever the derived view points
// at (a group, a participant, a venue), or one of the core's own handles
// that only wrap a row index.
using ILVRecord = const void*;

// The core's own record handle: a row index. GetRecord hands out one of
// four in turn, so a handle stays valid across the next three calls.
struct ILVGetRecordReturn {
    int iValue = -1;
};

class ItemListCore {
public:
    // A column a view can show or print: its id and its title.
    struct ColumnDef {
        UINT uId;
        std::string sTitle;
    };

    // Results of the change dialog.
    enum : int {
        e_change_same = 0,
        e_change_next = 1,
        e_change_previous = 2,
        e_change_stop = 3,
    };

    // Keys of the keyboard selection.
    enum class Key { Enter, Escape, Space, Up, Down, Other };

    // The bit of the preferences' suppressed-messages word that switches
    // the long-sort notice off.
    static constexpr DWORD uSuppressSortNotice = 0x0001;

    // The list may come later (AttachList), when its window is made; until
    // then the core works on an empty list of its own.
    ItemListCore(ZelListModel* p_list, ZelListSort& sort);
    void AttachList(ZelListModel& list);
    virtual ~ItemListCore();
    ItemListCore(const ItemListCore&) = delete;
    ItemListCore& operator=(const ItemListCore&) = delete;

    ZelListModel& GetList() { return *pList; }
    ZelListSort& GetSort() { return SortState; }

    // ---- shared by the record panes' cores ----
    // Whether an editing sheet's result keeps the edits: OK, Apply,
    // Previous and Next do, anything else cancels.
    static BOOL SheetKeepsEdits(int i_sheetResult);
    // The change walk's code for an editing sheet's result: Apply the same
    // record again, Next, Previous, anything else stops.
    static int ChangeWalkCode(int i_sheetResult);
    // The positions of the keys' records in a keyed document list,
    // ascending and each once; a key without a record is left out.
    template <class TList>
    static ZelArray<int> RecordPositions(const TList& list, const LPARAM* p_keys, int n_keys)
    {
        std::vector<int> v_indices;
        for (int i = 0; i < n_keys; ++i) {
            const int i_index = list.FindByKey(static_cast<LONG>(p_keys[i]));
            if (i_index >= 0)
                v_indices.push_back(i_index);
        }
        std::sort(v_indices.begin(), v_indices.end());
        v_indices.erase(std::unique(v_indices.begin(), v_indices.end()), v_indices.end());
        ZelArray<int> a_indices;
        for (int i_index : v_indices)
            a_indices.Add(i_index);
        return a_indices;
    }
    // A field the text import offers: its name, id, option and flags.
    struct ImportField {
        const char* pName;
        DWORD uId;
        DWORD uOption;
        DWORD uFlags;
    };
    // Adds the fields, each a text column, to the import's definitions.
    static void AddImportFields(ZelImportFieldDef& defs, const ImportField* p_fields, int n_fields);
    // The preferences' limits given to a record: its event, day and venue
    // limits; with venue limits in use the event limits step aside.
    static void ApplyLimitDefaults(SchedEntity& entity, const SchedLim& event_limits, const SchedLim& day_limits,
                                   const VenueLimitArray& venue_limits, BOOL b_useVenueLimits);
    // The recipients of a mail: each address once, ordered by its bytes
    // (case-sensitive); the first name given for an address stays.
    class RecipientList {
    public:
        void Add(const std::string& s_address, const std::string& s_name)
        {
            if (!s_address.empty())
                mEntries.emplace(s_address, s_name);
        }
        // Appends the addresses and their names; the count.
        int Emit(std::vector<std::string>& a_addresses, std::vector<std::string>& a_names) const
        {
            for (const auto& [s_address, s_name] : mEntries) {
                a_addresses.push_back(s_address);
                a_names.push_back(s_name);
            }
            return static_cast<int>(mEntries.size());
        }

    private:
        std::map<std::string, std::string> mEntries;
    };
    // The text without the white space at its ends.
    static std::string TrimSpace(const std::string& s_text);
    // An address label of the lines (empty ones left out) with the postal
    // code after the last, the postal code alone when there is nothing
    // else; the box shrinks about the text to centre it.
    static std::string AddressLabel(IZelDrawPort& port, const std::vector<std::string>& v_lines,
                                    const std::string& s_postCode, CRect& rc_box);

    // ---- what the derived views supply ----
    virtual void FillList() = 0;
    virtual BOOL AddRecordByName(const ZelFullName& name, std::string& s_error, BOOL b_flag) = 0;
    virtual void DoAddDialog() = 0;
    virtual void DeleteRecord(LPARAM l_key, BOOL b_last) = 0;
    virtual int DoChangeDialog(LPARAM l_key, LPARAM& l_out, int i_position, int n_count) = 0;
    virtual int GetRecordCount() = 0;
    virtual std::string GetPluralTitle() = 0;
    virtual std::string GetSingularTitle() = 0;
    virtual std::string GetSingularNoun() = 0;
    virtual std::string GetPluralNoun() = 0;
    virtual std::string GetCountNoun() = 0;
    virtual BOOL SelectPrintColumns() = 0;

    // ---- what they may override ----
    // TRUE when the view applied the hint to its rows itself; by default a
    // hint that carries a value counts as handled.
    virtual BOOL FilterUpdateHint(const UpdateViewHint& hint);
    virtual std::string GetFieldText(ILVRecord p_record, int i_column);
    virtual std::string GetListText(int i_row, int i_column);
    virtual ILVRecord GetRecord(int i_row);
    virtual int GetRecordValue(int i_row) { return i_row; }
    // The texts of a printed column (its position among the printed
    // columns): the field of its column id when columns were chosen.
    virtual std::string GetRecordText(ILVRecord p_record, int i_column)
    {
        return GetFieldText(p_record, GetPrintColumnField(i_column));
    }
    virtual std::string GetCellText(int i_row, int i_column) { return GetListText(i_row, GetPrintColumnField(i_column)); }
    // The column id printed at a position, or the position itself while
    // the list's own columns print.
    int GetPrintColumnField(int i_column) const
    {
        return nPrintColumns > 0 && i_column >= 0 && i_column < PrintColumnIds.GetSize()
                   ? static_cast<int>(PrintColumnIds[i_column])
                   : i_column;
    }
    virtual int GetPrintColumnCount();
    virtual std::string GetPrintColumnTitle(int i_column);
    virtual int GetRowCount() { return pList->GetItemCount(); }
    virtual void AutoSize(int i_column) { pList->AutoSizeColumns(i_column, -1); }
    // Every column fitted to its texts (a first fill).
    virtual void AutoSizeAll() { pList->AutoSizeColumns(-1, -1); }
    // The document whose records the view lists; null without one.
    virtual EventDoc* GetEventDoc() { return nullptr; }

    // ---- rows by key ----
    // Column 0 appends a new row for the key; another column sets that
    // cell of the key's row. The row, or -1 when the key has no row.
    int AddItem(LPARAM l_key, int i_subItem, const std::string& s_text);
    int ChgItem(LPARAM l_key, int i_subItem, const std::string& s_text);
    void DelItem(LPARAM l_key);
    // Inserts a header column; the column count rises to i_index + 1.
    int InsertColumn(int i_index, const std::string& s_title, int i_format = LVCFMT_LEFT, int i_width = 80);
    int GetColumnCount() const { return nColumns; }

    // ---- selection ----
    virtual void UnselectAll();
    void SelectRange(int i_from, int i_to);
    virtual BOOL SelectItem(int i_row);
    virtual BOOL UnselectItem(int i_row);
    virtual BOOL ToggleSelect(int i_row);
    // A click on a row (-1: no row) with the keys held.
    void Click(int i_row, BOOL b_shift, BOOL b_ctrl);
    // A double click: the change dialog for a row, the add dialog for
    // empty space.
    void DoubleClick(int i_row);
    // A key went down; TRUE when the view used it (it goes no further).
    BOOL KeyDown(Key e_key, BOOL b_shift);
    int GetAnchor() const { return iAnchor; }

    // ---- focus ----
    void ClearFocus();
    // Another event took the place of the last one: no row keeps its focus
    // or its selection, and no range starts from a row clicked before. The
    // refill keeps the selection by key, and the keys of the last event's
    // records name other records in the new one.
    void ClearForNewEvent();
    void RestoreFocus();
    void OnSetFocus();
    void OnKillFocus();
    BOOL HasFocus() const { return bHasFocus; }

    // ---- commands ----
    void DeleteSelected();
    virtual void DeleteRecords(const LPARAM* p_keys, int n_keys);
    void ChangeSelected();
    void OnAdd();
    BOOL HasSelection() const { return pList->GetSelectedCount() > 0; }
    // Adds one record per line of the text; 1 when every line was added, 0
    // when there was nothing to add or some could not be (those are shown).
    int AddFromText(const std::string& s_text);
    // The name a line of dropped text makes: a person's name (parts of at
    // most 20, 30 and 20 characters) unless the view lists named things,
    // which take the whole line.
    virtual ZelFullName MakeDroppedName(const std::string& s_line);
    // The message bar shows this view's counts; the view that wrote it last
    // keeps it right through its refills (StatusOwner).
    void UpdateStatusText();
    // The view whose counts the message bar shows; null before any did.
    static const ItemListCore* StatusOwner();
    // The status text for these counts.
    std::string StatusText(int n_records, int n_selected);

    // ---- refill ----
    // A document change: a hint the derived view handles patches rows;
    // anything else refills. While the document is busy nothing is read:
    // the refill waits for the next update. A refill of the view that has
    // the focus, or whose counts the message bar shows, shows them anew
    // (another event opened, records imported).
    void OnUpdate(const UpdateViewHint* p_hint);
    void Refill();
    void InitialUpdate();
    BOOL IsFirstFill() const { return bFirstFill; }
    BOOL IsRefillPending() const { return bRefillPending; }
    // The next update refills, whatever its hint.
    void RequestRefill() { bRefillPending = TRUE; }

    // ---- sorting ----
    // A header click on the column; a view with sort keys of its own
    // overrides it.
    virtual void Sort(int i_column);
    void SortColumns(const ZelColSortSpec* p_specs, int n_specs);
    void ReSort();
    // "Do not sort": the sort goes.
    void NoSort();
    // How long the last sort took to collect its texts and sort, in
    // milliseconds (for the bench).
    double GetLastSortMs() const { return dLastSortMs; }

    // ---- columns ----
    void SetColumnDefs(const std::vector<ColumnDef>& v_defs);
    // Enters every definition into the title map.
    void BuildColumnTitles();
    std::string GetColumnTitle(UINT u_id) const;
    // The id of the definition with that title; -1 when none.
    int FindColumnDef(const std::string& s_title) const;
    const std::vector<ColumnDef>& GetColumnDefs() const { return vColumnDefs; }
    ZelArray<UINT>& GetPrintColumnIds() { return PrintColumnIds; }
    void SetPrintColumnCount(int n) { nPrintColumns = n; }
    // The column chooser: the printable ids are in the printed column ids;
    // a_chosen holds the ids chosen before, in order. On OK the chosen ids
    // (in the chosen order) become both, and the orientation and the rows
    // to print are taken. TRUE on OK.
    BOOL SelectColumnsForPrint(ZelArray<UINT>& a_chosen, int& b_landscape, int& b_printAll);
    // The column chooser over a list's stored print set: the offered ids,
    // the stored choice to start from (else the defaults), the rows to
    // print from the selection; the choice is stored, and the document
    // marked modified, when its columns or orientation changed. TRUE on OK,
    // with the orientation chosen in b_landscape.
    BOOL ChoosePrintSet(EventDoc& doc, PrintIdSet& stored, const std::vector<UINT>& v_offered,
                        const std::vector<UINT>& v_defaults, int& b_landscape);
    // ChoosePrintSet over the document's stored set; b_portrait tells the
    // orientation chosen. FALSE without a document or when cancelled.
    BOOL ChooseStoredPrintSet(PrintIdSet& (PrintOptions::*pfn_set)(), const std::vector<UINT>& v_offered,
                              const std::vector<UINT>& v_defaults, BOOL& b_portrait);
    // The keys of the selected rows, in row order.
    std::vector<LONG> SelectedKeys();
    BOOL GetPrintAll() const { return bPrintAll; }
    void SetPrintAll(BOOL b) { bPrintAll = b; }
    BOOL GetLandscape() const { return bLandscape; }

    // Report limits that rise as reports are measured.
    int iSmallestPoints = 6;
    int iLargestLinesPerCell = 20;
    int iSmallestLinesPerCell = 1;

    // ---- layout ----
    void ApplyLayout(const ViewLayout& layout);
    void FillLayout(ViewLayout& layout);
    const ZelArray<ILVFieldMapping>& GetMappings() const { return Mappings; }
    // The imports move and store mappings (saved with the layout).
    ZelArray<ILVFieldMapping>& GetMappings() { return Mappings; }

    // ---- size operations of the frame ----
    int GetTotalColumnsWidth() const;
    int GetFirstColumnsWidth() const;
    int GetTotalRowsHeight() const;
    int GetFirstRowsHeight() const;

protected:
    // Hooks of the window.
    virtual void SetRedraw(BOOL /*b_redraw*/) {}
    // Runs the list's sort; the view adds its watch of the time taken.
    virtual void RunSort(const ZelColSortSpec* p_specs, int n_specs, int b_toggle, PFNLVCOMPARE pfn_compare);
    // Enter on the list: the view posts its Change command.
    virtual void PostChange() { ChangeSelected(); }
    // The document is marked modified (a column click, a header change).
    virtual void SetModified();
    // TRUE while the document is busy (a rostering run).
    virtual BOOL IsDocumentBusy();
    // A key without a row: message 10007, then the document's save
    // question, then EndProgram.
    virtual void MissingKey(const char* p_func, LPARAM l_key);
    virtual void EndProgram();
    // Whether the keyboard's Shift is down now (the space key asks).
    virtual BOOL IsShiftDown() { return FALSE; }

    // The row of a key, reporting a key without one.
    int FindKeyRow(LPARAM l_key, const char* p_func);

private:
    static int CompareCached(LPARAM l_data1, LPARAM l_data2, LPARAM l_sort);
    // Collects every row's texts for the columns of the specs.
    PFNLVCOMPARE PrepareSort(const ZelColSortSpec* p_specs, int n_specs);
    void FinishSort();

    ZelListModel NoList;
    ZelListModel* pList;
    ZelListSort& SortState;

    int nColumns = 0;
    int nPrintColumns = 0;
    ZelArray<UINT> PrintColumnIds;
    std::map<UINT, std::string> mColumnTitles;
    std::vector<ColumnDef> vColumnDefs; // sorted by title
    ZelArray<ILVFieldMapping> Mappings;
    BOOL bPrintAll = TRUE;
    BOOL bLandscape = FALSE;

    int iRememberedFocus = -1;
    BOOL bHasFocus = FALSE;
    int iAnchor = -1;
    // The key of the row last clicked without Shift, -1 for none.
    LPARAM lClickAnchor = -1;
    KeyList KeptSelection;
    LPARAM lKeptFocus = -1;
    BOOL bFirstFill = TRUE;
    BOOL bFittedEmpty = FALSE;
    BOOL bRefillPending = FALSE;

    ILVGetRecordReturn aRing[4];
    int iRing = 0;

    // The texts of the running sort: per row (by its index when the sort
    // began) one text per collected column.
    struct SortCache {
        std::vector<int> vColumns;
        std::vector<std::string> vTexts;
        std::vector<char> vNull;
        std::unordered_map<LPARAM, int> mRowOfKey;
    } Cache;
    double dLastSortMs = 0.0;
};
