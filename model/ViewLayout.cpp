#include "model/ViewLayout.h"

#include "framework/Archive.h"
#include "model/General.h"

#include <utility>

namespace {

// The first file versions whose layouts hold the sort keys and the import
// mappings.
constexpr UINT uSortVersion = 21;
constexpr UINT uMappingsVersion = 27;

} // namespace

void ILVFieldMapping::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << sName;
    else
        ar >> sName;
    ColumnMap.Serialize(ar);
}

void ViewLayout::SetSort(const ZelListSort& sort)
{
    int n_count = 0;
    const ZelColSortSpec* p_specs = sort.GetCols(n_count);
    Sort.SetCols(p_specs, n_count);
}

void ViewLayout::SetMappings(const ZelArray<ILVFieldMapping>& a_mappings)
{
    Mappings.Copy(a_mappings);
    bHasMappings = TRUE;
}

void ViewLayout::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << nColumns;
        SerializeUIntArray(ar, Widths);
        SerializeUIntArray(ar, Order);
        Sort.Serialize(ar);
        Mappings.Serialize(ar);
        return;
    }
    const UINT u_version = GetArchiveVersion(ar);
    ViewLayout loaded;
    ar >> loaded.nColumns;
    SerializeUIntArray(ar, loaded.Widths);
    SerializeUIntArray(ar, loaded.Order);
    if (u_version >= uSortVersion)
        loaded.Sort.Serialize(ar);
    if (u_version >= uMappingsVersion) {
        loaded.Mappings.Serialize(ar);
        loaded.bHasMappings = TRUE;
    }
    *this = std::move(loaded);
}

void ViewLayout::Skip(CArchive& ar)
{
    ViewLayout skipped;
    skipped.Serialize(ar);
}
