#include "zelkit/lists/ZelListSort.h"

#include "framework/Archive.h"

#include <climits>
#include <utility>
#include <string>

namespace {

constexpr DWORD uSpecVersion = 1;

} // namespace

// ---------------------------------------------------------- ZelColSortSpec

void ZelColSortSpec::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << uSpecVersion << iCol << iDirection;
        return;
    }
    DWORD u_version = 0;
    ar >> u_version;
    if (u_version != uSpecVersion)
        CArchive::ThrowBadSchema("unknown sort key version " + std::to_string(u_version));
    ar >> iCol >> iDirection;
}

// ------------------------------------------------------------- ZelListSort

ZelListSort::ZelListSort(int i_col, int i_direction, ZelListCtrl* p_ctrl, ZelListView* p_view)
    : pCtrl(p_ctrl), pView(p_view)
{
    AddCol(i_col, i_direction);
}

ZelListSort::ZelListSort(const ZelColSortSpec* p_specs, int n_count, ZelListCtrl* p_ctrl, ZelListView* p_view)
    : pCtrl(p_ctrl), pView(p_view)
{
    SetCols(p_specs, n_count);
}

void ZelListSort::SetCols(const ZelColSortSpec* p_specs, int n_count)
{
    if (p_specs == nullptr || n_count <= 0) {
        // A count without keys would leave a state that promises keys it
        // does not hold, and storing it would read past them.
        Specs.RemoveAll();
        return;
    }
    if (!Specs.IsEmpty() && p_specs == Specs.GetData()) {
        if (n_count < Specs.GetSize())
            Specs.SetSize(n_count);
        return;
    }
    // The keys may lie inside the array being replaced: copy them first.
    ZelArray<ZelColSortSpec> a_copy;
    a_copy.SetSize(n_count);
    for (int i = 0; i < n_count; ++i)
        a_copy[i] = p_specs[i];
    Specs = std::move(a_copy);
}

bool ZelListSort::operator==(const ZelListSort& other) const
{
    if (pCtrl != other.pCtrl || pView != other.pView || pData != other.pData
        || pSortIndexFunc != other.pSortIndexFunc || Specs.GetSize() != other.Specs.GetSize())
        return false;
    for (int i = 0; i < Specs.GetSize(); ++i) {
        if (Specs[i] != other.Specs[i])
            return false;
    }
    return true;
}

void ZelListSort::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << iArchiveVersion << static_cast<DWORD>(Specs.GetSize());
        for (int i = 0; i < Specs.GetSize(); ++i)
            Specs[i].Serialize(ar);
        return;
    }
    DWORD u_version = 0;
    ar >> u_version;
    if (u_version != iArchiveVersion)
        CArchive::ThrowBadSchema("unknown sort state version " + std::to_string(u_version));
    DWORD n_count = 0;
    ar >> n_count;
    ar.CheckAvailable(n_count, ZelElementMinBytes<ZelColSortSpec>::value);
    if (n_count > static_cast<DWORD>(INT_MAX))
        CArchive::ThrowBadSchema("a stored sort state is too long");
    Specs.RemoveAll();
    Specs.SetSize(static_cast<int>(n_count));
    pSortIndexFunc = nullptr;
    for (int i = 0; i < Specs.GetSize(); ++i)
        Specs[i].Serialize(ar);
}
