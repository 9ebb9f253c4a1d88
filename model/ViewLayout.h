// The layout of a list view as the event file keeps it: column count,
// column widths, column order, sort keys and the import field mappings.
//
// The record stands on its own, without any view: the document keeps the
// layouts it read, hands each open list view its own, and writes back
// unchanged the ones whose view is not open. A view applies a record to
// itself and fills one from itself; everything it read stays in the record
// so that storing gives the same bytes again.
#pragma once

#include "framework/Types.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/lists/ZelListSort.h"
#include "zelkit/base/ZelStringArray.h"

#include <string>

class CArchive;

// The column mapping an import used, kept under the name of its source so
// that the next import from that source starts with it.
struct ILVFieldMapping {
    std::string sName;
    // The field heading chosen for each column of the source.
    ZelStringArray ColumnMap;

    // The name, then the headings (count, then each text).
    void Serialize(CArchive& ar);
};

// An empty name and no headings: a one-byte length and a two-byte count.
template <>
struct ZelElementMinBytes<ILVFieldMapping> {
    static constexpr std::size_t value = 3;
};

class ViewLayout {
public:
    // No columns, no widths or order, no sort keys, no mappings.
    ViewLayout() = default;

    // The number of columns the view had when the layout was taken.
    int GetColumnCount() const { return static_cast<int>(nColumns); }
    void SetColumnCount(int n_columns) { nColumns = static_cast<DWORD>(n_columns); }
    // TRUE when the widths and order were taken from a view of n_columns
    // columns: only then may a view apply them to itself.
    BOOL FitsColumnCount(int n_columns) const { return n_columns >= 0 && nColumns == static_cast<DWORD>(n_columns); }

    // Widths in column order, and the header's display order. Either may
    // be empty (a view that could not take it), and neither needs to match
    // the column count: a view bounds both by its own columns.
    const ZelArray<UINT>& GetWidths() const { return Widths; }
    void SetWidths(const ZelArray<UINT>& a_widths) { Widths.Copy(a_widths); }
    const ZelArray<UINT>& GetOrder() const { return Order; }
    void SetOrder(const ZelArray<UINT>& a_order) { Order.Copy(a_order); }

    // The sort keys only (no links to a list or view). A view takes them
    // into its own sort state with SetCols, which keeps its links; a file
    // too old to hold a sort gives no keys, so the view's sort is reset.
    const ZelListSort& GetSort() const { return Sort; }
    void SetSort(const ZelListSort& sort);

    // The import mappings, most recently used first. HasMappings is FALSE
    // for a layout read from a file too old to hold them: a view then keeps
    // the mappings it has.
    BOOL HasMappings() const { return bHasMappings; }
    const ZelArray<ILVFieldMapping>& GetMappings() const { return Mappings; }
    void SetMappings(const ZelArray<ILVFieldMapping>& a_mappings);

    // Storing writes the current form: the column count (32 bits), the
    // widths and the order as unsigned-word arrays, the sort keys and the
    // mappings. Loading reads by the file version: the sort keys from
    // version 21, the mappings from version 27. A refused load leaves the
    // record as it was.
    void Serialize(CArchive& ar);

    // Reads past one stored layout exactly as loading would.
    static void Skip(CArchive& ar);

private:
    DWORD nColumns = 0;
    ZelArray<UINT> Widths;
    ZelArray<UINT> Order;
    ZelListSort Sort;
    ZelArray<ILVFieldMapping> Mappings;
    BOOL bHasMappings = FALSE;
};
