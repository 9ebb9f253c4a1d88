#include "shell/lists/ItemListCore.h"

#include "model/EventDoc.h"
#include "model/General.h"
#include "model/Preferences.h"
#include "model/ShellPorts.h"
#include "shell/editing/EditSheetRules.h"
#include "shell/frame/ListPorts.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/controls/ZelControlPorts.h"
#include "zelkit/import/ZelImport.h"
#include "zelkit/base/ZelStringArray.h"
#include "zelkit/windows/ZelWindowServices.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace {

// Strings of the list views.
enum : UINT {
    IDS_EMPTY_NAME = 141,
    IDS_ADD_ERRORS = 2000,
    IDS_NO_NAME = 2004,
    IDS_MISSING_KEY = 10007,
};

// Byte-wise comparison of code page 1252 texts, unsigned.
int CompareBytes(const std::string& s1, const std::string& s2)
{
    const std::size_t n = std::min(s1.size(), s2.size());
    const int i = n > 0 ? std::memcmp(s1.data(), s2.data(), n) : 0;
    if (i != 0)
        return i;
    return s1.size() < s2.size() ? -1 : s1.size() > s2.size() ? 1 : 0;
}

} // namespace

ItemListCore::ItemListCore(ZelListModel* p_list, ZelListSort& sort)
    : pList(p_list != nullptr ? p_list : &NoList), SortState(sort)
{
}

void ItemListCore::AttachList(ZelListModel& list) { pList = &list; }

namespace {
// The view whose counts the message bar shows.
const ItemListCore* g_pStatusOwner = nullptr;
} // namespace

ItemListCore::~ItemListCore()
{
    if (g_pStatusOwner == this)
        g_pStatusOwner = nullptr;
}

const ItemListCore* ItemListCore::StatusOwner() { return g_pStatusOwner; }

// ---------------------------------------------------------------- records

BOOL ItemListCore::FilterUpdateHint(const UpdateViewHint& hint) { return hint.lValue != 0; }

std::string ItemListCore::GetFieldText(ILVRecord p_record, int i_column)
{
    const auto* p_begin = reinterpret_cast<const char*>(&aRing[0]);
    const auto* p_end = reinterpret_cast<const char*>(&aRing[4]);
    const auto* p = static_cast<const char*>(p_record);
    if (p_record == nullptr || p < p_begin || p >= p_end)
        return {};
    return GetListText(static_cast<const ILVGetRecordReturn*>(p_record)->iValue, i_column);
}

std::string ItemListCore::GetListText(int i_row, int i_column) { return pList->GetItemText(i_row, i_column); }

ILVRecord ItemListCore::GetRecord(int i_row)
{
    ILVGetRecordReturn& ret = aRing[iRing];
    iRing = (iRing + 1) % 4;
    ret.iValue = GetRecordValue(i_row);
    return &ret;
}

int ItemListCore::GetPrintColumnCount() { return nPrintColumns > 0 ? nPrintColumns : pList->GetColumnCount(); }

std::string ItemListCore::GetPrintColumnTitle(int i_column)
{
    if (i_column >= 0 && i_column < nPrintColumns && i_column < PrintColumnIds.GetSize())
        return GetColumnTitle(PrintColumnIds[i_column]);
    std::string s_title;
    if (pList->GetColumn(i_column, &s_title))
        return s_title.substr(0, 128);
    return {};
}

// ----------------------------------------------------------- rows by key

int ItemListCore::FindKeyRow(LPARAM l_key, const char* p_func)
{
    const int i_row = pList->FindItemData(l_key);
    if (i_row < 0)
        MissingKey(p_func, l_key);
    return i_row;
}

void ItemListCore::MissingKey(const char* p_func, LPARAM l_key)
{
    ShowMessageId2(IDS_MISSING_KEY, p_func, std::to_string(static_cast<long long>(l_key)), MB_OK | MB_ICONSTOP);
    // The document itself is sound: its unsaved changes are offered for
    // saving before the program ends.
    if (EventDoc* p_doc = GetEventDoc())
        p_doc->SaveModified();
    EndProgram();
}

void ItemListCore::EndProgram() { std::_Exit(EXIT_FAILURE); }

int ItemListCore::AddItem(LPARAM l_key, int i_subItem, const std::string& s_text)
{
    if (i_subItem == 0)
        return pList->InsertItem(pList->GetItemCount(), s_text.c_str(), l_key);
    const int i_row = FindKeyRow(l_key, "ItemListView::AddItem");
    if (i_row < 0)
        return -1;
    pList->SetItemText(i_row, i_subItem, s_text);
    return i_row;
}

int ItemListCore::ChgItem(LPARAM l_key, int i_subItem, const std::string& s_text)
{
    const int i_row = FindKeyRow(l_key, "ItemListView::ChgItem");
    if (i_row < 0)
        return -1;
    pList->SetItemText(i_row, i_subItem, s_text);
    return i_row;
}

void ItemListCore::DelItem(LPARAM l_key)
{
    const int i_row = FindKeyRow(l_key, "ItemListView::DelItem");
    if (i_row >= 0)
        pList->DeleteItem(i_row);
}

int ItemListCore::InsertColumn(int i_index, const std::string& s_title, int i_format, int i_width)
{
    const int i_col = pList->InsertColumn(i_index, s_title, i_format, i_width);
    if (i_col >= 0)
        nColumns = std::max(nColumns, i_index + 1);
    return i_col;
}

// ------------------------------------------------------------- selection

void ItemListCore::UnselectAll() { pList->UnselectAll(); }

void ItemListCore::SelectRange(int i_from, int i_to)
{
    if (i_from > i_to)
        std::swap(i_from, i_to);
    for (int i = std::max(i_from, 0); i <= i_to && i < pList->GetItemCount(); ++i)
        SelectItem(i);
}

BOOL ItemListCore::SelectItem(int i_row)
{
    if (i_row < 0 || i_row >= pList->GetItemCount())
        return FALSE;
    return pList->SetItemState(i_row, LVIS_SELECTED, LVIS_SELECTED);
}

BOOL ItemListCore::UnselectItem(int i_row)
{
    if (i_row < 0 || i_row >= pList->GetItemCount())
        return FALSE;
    return pList->SetItemState(i_row, 0, LVIS_SELECTED);
}

BOOL ItemListCore::ToggleSelect(int i_row)
{
    if (i_row < 0 || i_row >= pList->GetItemCount())
        return FALSE;
    const UINT u_state = pList->GetItemState(i_row, LVIS_SELECTED);
    return pList->SetItemState(i_row, u_state ^ LVIS_SELECTED, LVIS_SELECTED);
}

void ItemListCore::Click(int i_row, BOOL b_shift, BOOL b_ctrl)
{
    const int n = GetRecordCount();
    if (!b_shift && !b_ctrl)
        UnselectAll();
    // A Shift-click extends from the row clicked before (found by its key,
    // so a refill or a sort in between does not move it); without one,
    // from the first selected row.
    int i_anchor = -1;
    if (b_shift) {
        i_anchor = lClickAnchor != -1 ? pList->FindItemData(lClickAnchor) : -1;
        if (i_anchor < 0)
            i_anchor = pList->GetNextItem(-1, LVNI_SELECTED);
    }
    if (i_row >= 0 && i_row < n && i_row < pList->GetItemCount()) {
        if (b_shift && i_anchor >= 0)
            SelectRange(std::min(i_anchor, i_row), std::max(i_anchor, i_row));
        else if (b_ctrl)
            ToggleSelect(i_row);
        else
            SelectItem(i_row);
        pList->SetItemState(i_row, LVIS_FOCUSED, LVIS_FOCUSED);
        if (!b_shift || i_anchor < 0)
            lClickAnchor = pList->GetItemData(i_row);
    } else if (!b_shift && !b_ctrl) {
        lClickAnchor = -1;
    }
    UpdateStatusText();
}

void ItemListCore::DoubleClick(int i_row)
{
    const int n = GetRecordCount();
    UnselectAll();
    if (i_row >= 0 && i_row < n && i_row < pList->GetItemCount()) {
        SelectItem(i_row);
        pList->SetItemState(i_row, LVIS_FOCUSED, LVIS_FOCUSED);
        LPARAM l_out = 0;
        DoChangeDialog(pList->GetItemData(i_row), l_out, 0, 0);
    } else {
        DoAddDialog();
    }
    UpdateStatusText();
}

BOOL ItemListCore::KeyDown(Key e_key, BOOL b_shift)
{
    const int i_focus = pList->GetNextItem(-1, LVNI_FOCUSED);
    // The keys choose rows of their own: a later Shift-click extends from
    // what they selected.
    if (e_key == Key::Escape || e_key == Key::Space || e_key == Key::Up || e_key == Key::Down)
        lClickAnchor = -1;
    switch (e_key) {
    case Key::Enter:
        PostChange();
        return TRUE;
    case Key::Escape:
        UnselectAll();
        iAnchor = -1;
        UpdateStatusText();
        return FALSE;
    case Key::Space:
        if (i_focus < 0)
            return FALSE;
        UnselectAll();
        if (IsShiftDown() || b_shift) {
            if (iAnchor >= 0)
                SelectRange(iAnchor, i_focus);
            else
                iAnchor = i_focus;
        }
        SelectItem(i_focus);
        UpdateStatusText();
        return TRUE;
    case Key::Up:
    case Key::Down: {
        // Without a focused row the keys do nothing: there is no row to
        // move from.
        if (i_focus < 0)
            return TRUE;
        pList->SetItemState(i_focus, 0, LVIS_FOCUSED);
        UnselectAll();
        if (b_shift && iAnchor < 0)
            iAnchor = i_focus;
        int i_row = i_focus;
        if (e_key == Key::Down && i_row < pList->GetItemCount() - 1)
            ++i_row;
        else if (e_key == Key::Up && i_row > 0)
            --i_row;
        if (b_shift)
            SelectRange(iAnchor, i_row);
        else
            SelectItem(i_row);
        pList->SetItemState(i_row, LVIS_FOCUSED, LVIS_FOCUSED);
        pList->EnsureVisible(i_row, FALSE);
        UpdateStatusText();
        return TRUE;
    }
    case Key::Other: break;
    }
    iAnchor = -1;
    return FALSE;
}

// ----------------------------------------------------------------- focus

void ItemListCore::ClearFocus()
{
    for (int i = pList->GetNextItem(-1, LVNI_FOCUSED); i >= 0; i = pList->GetNextItem(i, LVNI_FOCUSED))
        pList->SetItemState(i, 0, LVIS_FOCUSED);
    iRememberedFocus = -1;
}

void ItemListCore::ClearForNewEvent()
{
    ClearFocus();
    UnselectAll();
    iAnchor = -1;
    lClickAnchor = -1;
}

void ItemListCore::RestoreFocus()
{
    if (pList->GetItemCount() == 0)
        return;
    int i_row = pList->GetNextItem(-1, LVNI_FOCUSED);
    if (i_row < 0 && iRememberedFocus >= 0 && iRememberedFocus < pList->GetItemCount())
        i_row = iRememberedFocus;
    if (i_row < 0)
        i_row = pList->GetNextItem(-1, LVNI_SELECTED);
    if (i_row < 0)
        i_row = 0;
    pList->SetItemState(i_row, 0, LVIS_FOCUSED);
    pList->SetItemState(i_row, LVIS_FOCUSED, LVIS_FOCUSED);
}

void ItemListCore::OnSetFocus()
{
    if (pList->GetItemCount() > 0)
        RestoreFocus();
    else if (!bHasFocus)
        pList->DrawFocus(TRUE, FALSE);
    bHasFocus = TRUE;
    pList->UpdateAll();
    UpdateStatusText();
}

void ItemListCore::OnKillFocus()
{
    const int i_focus = pList->GetNextItem(-1, LVNI_FOCUSED);
    iRememberedFocus = i_focus;
    if (i_focus >= 0)
        pList->SetItemState(i_focus, 0, LVIS_FOCUSED);
    if (bHasFocus && pList->GetItemCount() == 0)
        pList->DrawFocus(FALSE, FALSE);
    bHasFocus = FALSE;
    pList->UpdateAll();
}

// -------------------------------------------------------------- commands

void ItemListCore::DeleteSelected()
{
    if (pList->GetSelectedCount() == 0)
        return;
    std::vector<LPARAM> v_keys;
    {
        ZelWaitCursor wait;
        for (int i = pList->GetNextItem(-1, LVNI_SELECTED); i >= 0; i = pList->GetNextItem(i, LVNI_SELECTED))
            v_keys.push_back(pList->GetItemData(i));
        DeleteRecords(v_keys.data(), static_cast<int>(v_keys.size()));
    }
    UpdateStatusText();
}

void ItemListCore::DeleteRecords(const LPARAM* p_keys, int n_keys)
{
    for (int i = n_keys - 1; i >= 0; --i)
        DeleteRecord(p_keys[i], i == 0);
}

void ItemListCore::ChangeSelected()
{
    if (pList->GetSelectedCount() == 0)
        return;
    std::vector<LPARAM> v_keys;
    for (int i = pList->GetNextItem(-1, LVNI_SELECTED); i >= 0; i = pList->GetNextItem(i, LVNI_SELECTED))
        v_keys.push_back(pList->GetItemData(i));
    const int n = static_cast<int>(v_keys.size());
    int i = 0;
    while (i >= 0 && i < n) {
        LPARAM l_out = 0;
        const int i_code = DoChangeDialog(v_keys[static_cast<std::size_t>(i)], l_out, i, n);
        if (i_code == e_change_same)
            continue;
        if (i_code == e_change_stop)
            break;
        // Previous is offered only after the first record; should it come
        // for the first all the same, the walk stays there.
        i = i_code == e_change_previous ? std::max(i - 1, 0) : i + 1;
    }
    UpdateStatusText();
}

void ItemListCore::OnAdd()
{
    DoAddDialog();
    UpdateStatusText();
}

int ItemListCore::AddFromText(const std::string& s_text)
{
    ZelStringArray a_lines;
    a_lines.Split(s_text, &ZelStringArray::iseol, 1, 1);
    if (a_lines.GetSize() == 0)
        return 0;
    MessageList errors;
    errors.sTitle = "Add failures";
    int n_added = 0;
    for (int i = 0; i < a_lines.GetSize(); ++i) {
        const ZelFullName name = MakeDroppedName(a_lines[i]);
        if (name.GetFullName().empty()) {
            errors.vRows.emplace_back(LoadResString(IDS_EMPTY_NAME, "<empty>"),
                                      FormatMessageId(IDS_NO_NAME, GetSingularNoun()));
            continue;
        }
        std::string s_error;
        if (AddRecordByName(name, s_error, TRUE))
            ++n_added;
        else
            errors.vRows.emplace_back(name.GetFullName(), s_error);
    }
    if (errors.vRows.empty())
        return 1;
    ZelStringArray a_args;
    a_args.Add(std::to_string(n_added));
    a_args.Add(GetCountNoun());
    a_args.Add(std::to_string(errors.vRows.size()));
    errors.sHeading = FormatMessageIdArray(IDS_ADD_ERRORS, a_args);
    GetMessageListPort().Show(errors);
    return 0;
}

ZelFullName ItemListCore::MakeDroppedName(const std::string& s_line)
{
    ZelFullName name(20, 30, 20);
    name.SetName(s_line);
    return name;
}

std::string ItemListCore::StatusText(int n_records, int n_selected)
{
    std::string s_text;
    if (n_records == 1)
        s_text = "1 " + GetSingularNoun();
    else if (n_records > 1)
        s_text = std::to_string(n_records) + " " + GetPluralNoun();
    if (n_selected > 0)
        s_text += ", " + std::to_string(n_selected) + " selected";
    return s_text;
}

void ItemListCore::UpdateStatusText()
{
    if (IsDocumentBusy())
        return;
    g_pStatusOwner = this;
    GetListStatusPort().SetMessageText(StatusText(GetRecordCount(), pList->GetSelectedCount()));
}

// ---------------------------------------------------------------- refill

void ItemListCore::OnUpdate(const UpdateViewHint* p_hint)
{
    if (IsDocumentBusy()) {
        bRefillPending = TRUE;
        return;
    }
    if (p_hint != nullptr && !bRefillPending && FilterUpdateHint(*p_hint))
        return;
    Refill();
}

void ItemListCore::Refill()
{
    bRefillPending = FALSE;
    ZelWaitCursor wait;
    const int i_top = pList->GetTopIndex();
    const int i_lastVisible = i_top + pList->GetCountPerPage() - 1;
    std::vector<int> v_order;
    const BOOL b_order = nColumns > 0 && pList->GetColumnOrderArray(v_order);
    std::vector<int> v_widths;
    for (int i = 0; i < nColumns; ++i)
        v_widths.push_back(pList->GetColumnWidth(i));
    const BOOL b_widths = nColumns > 0;

    KeptSelection.RemoveAll();
    KeptSelection.SetMaxKeys(std::max(pList->GetSelectedCount(), 1));
    for (int i = pList->GetNextItem(-1, LVNI_SELECTED); i >= 0; i = pList->GetNextItem(i, LVNI_SELECTED))
        KeptSelection.Add(static_cast<LONG>(pList->GetItemData(i)));
    const int i_focus = pList->GetNextItem(-1, LVNI_FOCUSED);
    lKeptFocus = i_focus >= 0 ? pList->GetItemData(i_focus) : -1;

    SetRedraw(FALSE);
    pList->DeleteAllItems();
    for (int i = 0; i < nColumns; ++i)
        pList->DeleteColumn(0);
    nColumns = 0;

    FillList();
    ReSort();

    UnselectAll();
    for (int i = 0; i < KeptSelection.GetMaxKeys(); ++i) {
        const LONG l_key = KeptSelection[i];
        if (l_key == -1)
            continue;
        const int i_row = pList->FindItemData(l_key);
        if (i_row >= 0)
            SelectItem(i_row);
    }
    KeptSelection.RemoveAll();
    KeptSelection.SetMaxKeys(1);
    if (lKeptFocus != -1) {
        const int i_row = pList->FindItemData(lKeptFocus);
        if (i_row >= 0) {
            pList->SetItemState(i_row, 0, LVIS_FOCUSED);
            pList->SetItemState(i_row, LVIS_FOCUSED, LVIS_FOCUSED);
        }
        lKeptFocus = -1;
    }
    if (bHasFocus)
        RestoreFocus();
    // The empty list's focus frame shows while the view has the focus, and
    // goes with the first row.
    if (pList->GetItemCount() == 0)
        pList->DrawFocus(bHasFocus, FALSE);
    else if (pList->IsFocusDrawn())
        pList->DrawFocus(FALSE, FALSE);
    if (i_top >= 0)
        pList->EnsureVisible(std::min(i_top, pList->GetItemCount() - 1), FALSE);
    if (i_lastVisible >= 0 && i_lastVisible < pList->GetItemCount())
        pList->EnsureVisible(i_lastVisible, FALSE);
    pList->EnsureFocusVisible(FALSE);
    pList->SetExtendedListStyle(pList->GetExtendedListStyle() | LVS_EX_HEADERDRAGDROP);

    // Columns fitted to an empty list (the panes are made before an event
    // is opened) fit again once there are rows, unless a layout was taken.
    if (bFirstFill || (bFittedEmpty && pList->GetItemCount() > 0)) {
        AutoSizeAll();
        bFittedEmpty = pList->GetItemCount() == 0;
    } else {
        if (b_order && static_cast<int>(v_order.size()) >= nColumns && nColumns == pList->GetColumnCount())
            pList->SetColumnOrderArray(std::vector<int>(v_order.begin(), v_order.begin() + nColumns));
        if (b_widths) {
            for (int i = 0; i < nColumns && i < static_cast<int>(v_widths.size()); ++i)
                pList->SetColumnWidth(i, v_widths[static_cast<std::size_t>(i)]);
        }
    }
    SetRedraw(TRUE);
    pList->UpdateAll();
    // Columns fitted to an empty list fit only their headings: the first
    // fill with rows fits them again.
    if (pList->GetItemCount() > 0)
        bFirstFill = FALSE;
    if (bHasFocus || g_pStatusOwner == this)
        UpdateStatusText();
}

void ItemListCore::InitialUpdate()
{
    SortState.SetView(nullptr);
    pList->SetExtendedListStyle(pList->GetExtendedListStyle() | LVS_EX_FULLROWSELECT);
    pList->SetAllowNoSort(TRUE);
    pList->ShowSort(SortState);
    SetRedraw(FALSE);
    OnUpdate(nullptr);
    ClearFocus();
    if (bHasFocus)
        RestoreFocus();
    SetRedraw(TRUE);
}

// --------------------------------------------------------------- sorting

void ItemListCore::SetModified()
{
    if (EventDoc* p_doc = GetEventDoc())
        p_doc->SetModifiedFlag(true);
}

BOOL ItemListCore::IsDocumentBusy()
{
    EventDoc* p_doc = GetEventDoc();
    return p_doc != nullptr && p_doc->IsBusy();
}

void ItemListCore::RunSort(const ZelColSortSpec* p_specs, int n_specs, int b_toggle, PFNLVCOMPARE pfn_compare)
{
    pList->Sort(p_specs, n_specs, SortState, b_toggle, pfn_compare);
}

PFNLVCOMPARE ItemListCore::PrepareSort(const ZelColSortSpec* p_specs, int n_specs)
{
    // Each row's compared texts are collected once, before the sort: the
    // comparison only reads them, whatever the derived view's texts cost.
    Cache = SortCache();
    for (int i = 0; i < n_specs; ++i) {
        int i_direction = 0;
        const int i_col = p_specs[i].GetCol(i_direction);
        if (i_col >= 0 && std::find(Cache.vColumns.begin(), Cache.vColumns.end(), i_col) == Cache.vColumns.end())
            Cache.vColumns.push_back(i_col);
    }
    const int n_rows = pList->GetItemCount();
    const std::size_t n_cols = Cache.vColumns.size();
    Cache.vTexts.resize(static_cast<std::size_t>(n_rows) * n_cols);
    Cache.vNull.assign(static_cast<std::size_t>(n_rows), 0);
    Cache.mRowOfKey.reserve(static_cast<std::size_t>(n_rows));
    for (int r = 0; r < n_rows; ++r) {
        Cache.mRowOfKey.emplace(pList->GetItemData(r), r);
        ILVRecord p_record = GetRecord(r);
        if (p_record == nullptr) {
            Cache.vNull[static_cast<std::size_t>(r)] = 1;
            continue;
        }
        for (std::size_t k = 0; k < n_cols; ++k)
            Cache.vTexts[static_cast<std::size_t>(r) * n_cols + k] = GetFieldText(p_record, Cache.vColumns[k]);
    }
    SortState.SetSortIndexFunc(nullptr);
    SortState.SetData(this);
    return &ItemListCore::CompareCached;
}

int ItemListCore::CompareCached(LPARAM l_data1, LPARAM l_data2, LPARAM l_sort)
{
    const auto* p_sort = reinterpret_cast<const ZelListSort*>(l_sort);
    const auto* p_core = p_sort != nullptr ? static_cast<const ItemListCore*>(p_sort->GetData()) : nullptr;
    if (p_core == nullptr)
        return 0;
    const SortCache& cache = p_core->Cache;
    const auto it1 = cache.mRowOfKey.find(l_data1);
    const auto it2 = cache.mRowOfKey.find(l_data2);
    if (it1 == cache.mRowOfKey.end() || it2 == cache.mRowOfKey.end())
        return 0;
    const auto r1 = static_cast<std::size_t>(it1->second);
    const auto r2 = static_cast<std::size_t>(it2->second);
    if (cache.vNull[r1] || cache.vNull[r2])
        return 0;
    const std::size_t n_cols = cache.vColumns.size();
    int n_specs = 0;
    const ZelColSortSpec* p_specs = p_sort->GetCols(n_specs);
    for (int i = 0; i < n_specs; ++i) {
        int i_direction = 0;
        const int i_col = p_specs[i].GetCol(i_direction);
        if (i_col < 0)
            continue;
        const auto it = std::find(cache.vColumns.begin(), cache.vColumns.end(), i_col);
        if (it == cache.vColumns.end())
            continue;
        const auto k = static_cast<std::size_t>(it - cache.vColumns.begin());
        const std::string& s1 = cache.vTexts[r1 * n_cols + k];
        const std::string& s2 = cache.vTexts[r2 * n_cols + k];
        const int i_result = i_direction != 0 ? CompareBytes(s1, s2) : CompareBytes(s2, s1);
        if (i_result != 0)
            return i_result;
    }
    return 0;
}

void ItemListCore::FinishSort()
{
    Cache = SortCache();
    SortState.SetData(nullptr);
}

void ItemListCore::SortColumns(const ZelColSortSpec* p_specs, int n_specs)
{
    if (p_specs == nullptr || n_specs <= 0)
        return;
    const auto t_start = std::chrono::steady_clock::now();
    SetRedraw(FALSE);
    // Copied: the specs may be the sort state's own.
    const std::vector<ZelColSortSpec> v_specs(p_specs, p_specs + n_specs);
    const PFNLVCOMPARE pfn = PrepareSort(v_specs.data(), n_specs);
    RunSort(v_specs.data(), n_specs, 1, pfn);
    FinishSort();
    SetRedraw(TRUE);
    dLastSortMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t_start).count();
}

void ItemListCore::Sort(int i_column)
{
    const ZelColSortSpec spec(i_column, ZelColSortSpec::kAscending);
    SortColumns(&spec, 1);
}

void ItemListCore::ReSort()
{
    int n_specs = 0;
    const ZelColSortSpec* p_specs = SortState.GetCols(n_specs);
    if (p_specs == nullptr || n_specs == 0)
        return;
    const auto t_start = std::chrono::steady_clock::now();
    const std::vector<ZelColSortSpec> v_specs(p_specs, p_specs + n_specs);
    SetRedraw(FALSE);
    const PFNLVCOMPARE pfn = PrepareSort(v_specs.data(), n_specs);
    RunSort(v_specs.data(), n_specs, 0, pfn);
    FinishSort();
    SetRedraw(TRUE);
    dLastSortMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t_start).count();
}

void ItemListCore::NoSort()
{
    SortState.SetCols(nullptr, 0);
    pList->ShowSort(SortState);
    SetModified();
}

// --------------------------------------------------------------- columns

void ItemListCore::SetColumnDefs(const std::vector<ColumnDef>& v_defs)
{
    vColumnDefs = v_defs;
    std::stable_sort(vColumnDefs.begin(), vColumnDefs.end(), [](const ColumnDef& a, const ColumnDef& b) {
        return CompareBytes(a.sTitle, b.sTitle) < 0;
    });
}

void ItemListCore::BuildColumnTitles()
{
    for (auto it = vColumnDefs.rbegin(); it != vColumnDefs.rend(); ++it)
        mColumnTitles[it->uId] = it->sTitle;
}

std::string ItemListCore::GetColumnTitle(UINT u_id) const
{
    const auto it = mColumnTitles.find(u_id);
    return it == mColumnTitles.end() ? std::string() : it->second;
}

int ItemListCore::FindColumnDef(const std::string& s_title) const
{
    const auto it = std::lower_bound(vColumnDefs.begin(), vColumnDefs.end(), s_title,
                                     [](const ColumnDef& d, const std::string& s) { return CompareBytes(d.sTitle, s) < 0; });
    if (it == vColumnDefs.end() || it->sTitle != s_title)
        return -1;
    return static_cast<int>(it->uId);
}

BOOL ItemListCore::SelectColumnsForPrint(ZelArray<UINT>& a_chosen, int& b_landscape, int& b_printAll)
{
    SelectColumnsData data;
    for (int i = 0; i < PrintColumnIds.GetSize(); ++i) {
        const UINT u_id = PrintColumnIds[i];
        bool b_chosen = false;
        for (int j = 0; j < a_chosen.GetSize() && !b_chosen; ++j)
            b_chosen = a_chosen[j] == u_id;
        if (!b_chosen)
            data.Available.Add(GetColumnTitle(u_id));
    }
    for (int j = 0; j < a_chosen.GetSize(); ++j) {
        bool b_printable = false;
        for (int i = 0; i < PrintColumnIds.GetSize() && !b_printable; ++i)
            b_printable = PrintColumnIds[i] == a_chosen[j];
        if (b_printable)
            data.Selected.Add(GetColumnTitle(a_chosen[j]));
    }
    data.bLandscape = b_landscape;
    data.bPrintAll = b_printAll;
    data.bRowsSelected = pList->GetSelectedCount() > 0 ? 1 : 0;
    data.sItems = GetPluralNoun();
    if (GetSelectColumnsPort().DoModal(data) != IDOK)
        return FALSE;
    PrintColumnIds.RemoveAll();
    a_chosen.RemoveAll();
    for (int i = 0; i < data.Selected.GetSize(); ++i) {
        const int i_id = FindColumnDef(data.Selected[i]);
        if (i_id < 0)
            continue;
        PrintColumnIds.Add(static_cast<UINT>(i_id));
        a_chosen.Add(static_cast<UINT>(i_id));
    }
    nPrintColumns = PrintColumnIds.GetSize();
    b_landscape = data.bLandscape;
    b_printAll = data.bPrintAll;
    bLandscape = data.bLandscape;
    // Without selected rows the whole list prints, whatever was stored.
    bPrintAll = data.bRowsSelected ? data.bPrintAll : TRUE;
    return TRUE;
}

BOOL ItemListCore::ChoosePrintSet(EventDoc& doc, PrintIdSet& stored, const std::vector<UINT>& v_offered,
                                  const std::vector<UINT>& v_defaults, int& b_landscape)
{
    PrintColumnIds.RemoveAll();
    for (UINT u_id : v_offered)
        PrintColumnIds.Add(u_id);

    PrintIdSet copy = stored;
    ZelArray<UINT> a_chosen;
    for (int i = 0; i < copy.GetIds().GetSize(); ++i)
        a_chosen.Add(copy.GetIds()[i]);
    if (a_chosen.GetSize() == 0)
        for (UINT u_id : v_defaults)
            a_chosen.Add(u_id);
    const BOOL b_anySelected = HasSelection();
    copy.SetRowsSelected(b_anySelected);
    copy.SetPrintAll(b_anySelected ? FALSE : TRUE);

    b_landscape = copy.IsLandscape();
    int b_printAll = copy.IsPrintAll();
    if (!SelectColumnsForPrint(a_chosen, b_landscape, b_printAll))
        return FALSE;
    copy.SetLandscape(b_landscape);
    copy.SetPrintAll(b_printAll);
    copy.SetRowsSelected(b_printAll ? FALSE : TRUE);

    bool b_differs = a_chosen.GetSize() != stored.GetIds().GetSize()
                     || (copy.IsLandscape() != FALSE) != (stored.IsLandscape() != FALSE);
    for (int i = 0; !b_differs && i < a_chosen.GetSize(); ++i)
        b_differs = a_chosen[i] != stored.GetIds()[i];
    if (b_differs) {
        copy.SetIds(a_chosen);
        stored = copy;
        doc.SetModifiedFlag();
    }
    return TRUE;
}

BOOL ItemListCore::SheetKeepsEdits(int i_sheetResult)
{
    return i_sheetResult == IDOK || i_sheetResult == IDC_SHEET_APPLY_NOW || i_sheetResult == IDC_SHEET_PREVIOUS
                   || i_sheetResult == IDC_SHEET_NEXT
               ? TRUE
               : FALSE;
}

int ItemListCore::ChangeWalkCode(int i_sheetResult)
{
    switch (i_sheetResult) {
    case IDC_SHEET_APPLY_NOW: return e_change_same;
    case IDC_SHEET_NEXT: return e_change_next;
    case IDC_SHEET_PREVIOUS: return e_change_previous;
    default: return e_change_stop;
    }
}

void ItemListCore::AddImportFields(ZelImportFieldDef& defs, const ImportField* p_fields, int n_fields)
{
    for (int i = 0; i < n_fields; ++i)
        defs.Add(p_fields[i].pName, ZelImportFieldDef::COLTYPE_STRING, p_fields[i].uId, p_fields[i].uOption,
                 p_fields[i].uFlags);
}

std::string ItemListCore::TrimSpace(const std::string& s_text)
{
    const char* p_ws = " \t\r\n\v\f";
    const std::size_t i_first = s_text.find_first_not_of(p_ws);
    if (i_first == std::string::npos)
        return {};
    const std::size_t i_last = s_text.find_last_not_of(p_ws);
    return s_text.substr(i_first, i_last - i_first + 1);
}

std::string ItemListCore::AddressLabel(IZelDrawPort& port, const std::vector<std::string>& v_lines,
                                       const std::string& s_postCode, CRect& rc_box)
{
    std::vector<std::string> v_label;
    for (const std::string& s_line : v_lines) {
        if (!s_line.empty())
            v_label.push_back(s_line);
    }
    if (!s_postCode.empty()) {
        // With nothing else to print the postal code is the label's line.
        if (v_label.empty())
            v_label.push_back(s_postCode);
        else
            v_label.back() += " " + s_postCode;
    }
    std::string s_out;
    LONG i_width = 0;
    LONG i_height = 0;
    for (const std::string& s_line : v_label) {
        s_out += s_line + "\n";
        // Measured without its line end, which the device would take for a
        // second line.
        const CSize extent = port.GetTextExtent(s_line);
        i_width = std::max(i_width, extent.cx);
        i_height += extent.cy;
    }
    if (i_width < rc_box.Width())
        rc_box.InflateRect(-(rc_box.Width() - i_width) / 2, 0);
    if (i_height < rc_box.Height())
        rc_box.InflateRect(0, -(rc_box.Height() - i_height) / 2);
    return s_out;
}

BOOL ItemListCore::ChooseStoredPrintSet(PrintIdSet& (PrintOptions::*pfn_set)(), const std::vector<UINT>& v_offered,
                                        const std::vector<UINT>& v_defaults, BOOL& b_portrait)
{
    EventDoc* p_doc = GetEventDoc();
    if (p_doc == nullptr)
        return FALSE;
    int b_landscape = 0;
    if (!ChoosePrintSet(*p_doc, (p_doc->GetPrintOptions().*pfn_set)(), v_offered, v_defaults, b_landscape))
        return FALSE;
    b_portrait = b_landscape == 0 ? TRUE : FALSE;
    return TRUE;
}

void ItemListCore::ApplyLimitDefaults(SchedEntity& entity, const SchedLim& event_limits, const SchedLim& day_limits,
                                      const VenueLimitArray& venue_limits, BOOL b_useVenueLimits)
{
    entity.SetEventLimits(event_limits);
    entity.SetDayLimits(day_limits);
    entity.GetVenueLimits() = venue_limits;
    if (!b_useVenueLimits) {
        entity.ClearVenueLimits();
    } else {
        entity.SetUseVenueLimits(1);
        entity.GetStoredEventLimits().uType = SchedLim::e_no_limits;
    }
}

std::vector<LONG> ItemListCore::SelectedKeys()
{
    std::vector<LONG> v_keys;
    for (int i = pList->GetNextItem(-1, LVNI_SELECTED); i >= 0; i = pList->GetNextItem(i, LVNI_SELECTED))
        v_keys.push_back(static_cast<LONG>(pList->GetItemData(i)));
    return v_keys;
}

// ---------------------------------------------------------------- layout

void ItemListCore::ApplyLayout(const ViewLayout& layout)
{
    int n_keys = 0;
    const ZelColSortSpec* p_keys = layout.GetSort().GetCols(n_keys);
    SortState.SetCols(p_keys, n_keys);
    if (layout.HasMappings())
        Mappings.Copy(layout.GetMappings());
    if (!layout.FitsColumnCount(nColumns))
        return;
    bFittedEmpty = FALSE;
    const ZelArray<UINT>& a_widths = layout.GetWidths();
    for (int i = 0; i < a_widths.GetSize() && i < pList->GetColumnCount(); ++i)
        pList->SetColumnWidth(i, static_cast<int>(a_widths[i]));
    const ZelArray<UINT>& a_order = layout.GetOrder();
    if (a_order.GetSize() == pList->GetColumnCount()) {
        std::vector<int> v_order;
        for (int i = 0; i < a_order.GetSize(); ++i)
            v_order.push_back(static_cast<int>(a_order[i]));
        pList->SetColumnOrderArray(v_order);
    }
    bFirstFill = FALSE;
}

void ItemListCore::FillLayout(ViewLayout& layout)
{
    layout.SetColumnCount(nColumns);
    ZelArray<UINT> a_widths;
    for (int i = 0; i < nColumns && i < pList->GetColumnCount(); ++i)
        a_widths.Add(static_cast<UINT>(pList->GetColumnWidth(i)));
    layout.SetWidths(a_widths);
    ZelArray<UINT> a_order;
    std::vector<int> v_order;
    if (nColumns > 0 && pList->GetColumnOrderArray(v_order)) {
        for (int i : v_order)
            a_order.Add(static_cast<UINT>(i));
    }
    layout.SetOrder(a_order);
    int n_keys = 0;
    const ZelColSortSpec* p_keys = SortState.GetCols(n_keys);
    layout.SetSort(ZelListSort(p_keys, n_keys));
    layout.SetMappings(Mappings);
}

// ------------------------------------------------------------------ sizes

int ItemListCore::GetTotalColumnsWidth() const
{
    int n = 0;
    for (int i = 0; i < pList->GetColumnCount(); ++i)
        n += pList->GetColumnWidth(i) + 20;
    return n;
}

int ItemListCore::GetFirstColumnsWidth() const
{
    int n = 0;
    for (int i = 0; i < pList->GetColumnCount() && i < 2; ++i)
        n += pList->GetColumnWidth(i) + 20;
    return n;
}

int ItemListCore::GetTotalRowsHeight() const { return pList->GetItemCount() * pList->GetRowHeight(); }

int ItemListCore::GetFirstRowsHeight() const
{
    const int n = pList->GetItemCount();
    if (n == 0)
        return 0;
    return (std::min(n, 2) + 1) * pList->GetRowHeight();
}
