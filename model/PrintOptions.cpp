#include "model/PrintOptions.h"

#include "framework/Archive.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "zelkit/base/ZelAssert.h"

namespace {

constexpr int kNumReservedWords = 6;

void Exchange(CArchive& ar, LONG& l_value)
{
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(l_value);
    } else {
        DWORD u = 0;
        ar >> u;
        l_value = static_cast<LONG>(u);
    }
}

} // namespace

// ---- PrintIdSet ----

void PrintIdSet::SetIds(const ZelArray<UINT>& a_ids)
{
    Ids.Copy(a_ids);
}

bool PrintIdSet::operator==(const PrintIdSet& other) const
{
    if (Ids.GetSize() != other.Ids.GetSize() || uSetWord != other.uSetWord)
        return false;
    for (int i = 0; i < Ids.GetSize(); ++i) {
        if (Ids[i] != other.Ids[i])
            return false;
    }
    return true;
}

void PrintIdSet::Serialize(CArchive& ar)
{
    Ids.Serialize(ar);
    if (ar.IsStoring())
        ar << uSetWord;
    else
        ar >> uSetWord;
}

// ---- PrintOptions ----

PrintOptions& PrintOptions::operator=(const PrintOptions& src)
{
    if (this == &src)
        return *this;
    ePrintBy = src.ePrintBy;
    eSlotHeight = src.eSlotHeight;
    eTimeLabels = src.eTimeLabels;
    bGridLines = src.bGridLines;
    bLandscape = src.bLandscape;
    bAllTimeslots = src.bAllTimeslots;
    bGroupMembers = src.bGroupMembers;
    bCombinations = src.bCombinations;
    bPrintAll = src.bPrintAll;
    for (int i = 0; i < kNumIdSets; ++i)
        IdSets[i] = src.IdSets[i];
    return *this;
}

bool PrintOptions::operator==(const PrintOptions& other) const
{
    if (ePrintBy != other.ePrintBy || eSlotHeight != other.eSlotHeight || eTimeLabels != other.eTimeLabels
        || bGridLines != other.bGridLines || bAllTimeslots != other.bAllTimeslots
        || bGroupMembers != other.bGroupMembers || bCombinations != other.bCombinations
        || bLandscape != other.bLandscape)
        return false;
    for (int i = 0; i < kNumIdSets; ++i) {
        if (IdSets[i] != other.IdSets[i])
            return false;
    }
    return true;
}

PrintIdSet& PrintOptions::GetIdSet(int i_set)
{
    ZEL_ASSERT(0 <= i_set && i_set < kNumIdSets);
    return IdSets[i_set];
}

const PrintIdSet& PrintOptions::GetIdSet(int i_set) const
{
    ZEL_ASSERT(0 <= i_set && i_set < kNumIdSets);
    return IdSets[i_set];
}

void PrintOptions::Serialize(CArchive& ar)
{
    // Storing writes every field. A document without a version of its own
    // reads as the current version, so that every field, the sets included,
    // is read in its place.
    const UINT u_version = ar.IsStoring() ? EventDoc::kCurrentFileVersion : GetArchiveVersion(ar);
    Exchange(ar, eSlotHeight);
    Exchange(ar, eTimeLabels);
    Exchange(ar, bGridLines);
    Exchange(ar, bLandscape);
    if (u_version > 11)
        Exchange(ar, ePrintBy);
    else
        ePrintBy = eDays;
    if (u_version > 16) {
        Exchange(ar, bAllTimeslots);
        Exchange(ar, bGroupMembers);
        Exchange(ar, bCombinations);
        for (int i = 0; i < kNumReservedWords; ++i) {
            LONG l_reserved = 0;
            Exchange(ar, l_reserved);
        }
    } else {
        bAllTimeslots = 1;
        bGroupMembers = 0;
    }
    if (u_version > 25) {
        for (PrintIdSet& set : IdSets)
            set.Serialize(ar);
    }
    // A damaged file's choices out of range are read as their defaults, so
    // that nothing the file holds reaches the printer's own checks.
    if (ar.IsLoading()) {
        if (ePrintBy < eDays || ePrintBy > eParts)
            ePrintBy = eDays;
        if (eSlotHeight < 0 || eSlotHeight > 1)
            eSlotHeight = 0;
        if (eTimeLabels < 0 || eTimeLabels > 2)
            eTimeLabels = 0;
    }
}
