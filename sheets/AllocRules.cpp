#include "sheets/AllocRules.h"

#include "model/EventDoc.h"
#include "sheets/SheetRules.h"
#include "zelkit/base/ZelAssert.h"

#include <cctype>
#include <cstdint>

BOOL ParseAllocCount(const std::string& s_text, UINT& u_value, std::string& s_error)
{
    const std::optional<std::uint64_t> u_read = ReadBoxNumber(s_text, kMaxAllocCount);
    if (!u_read) {
        s_error = kNotANumberMessage;
        return FALSE;
    }
    if (*u_read < kMinAllocCount || *u_read > kMaxAllocCount) {
        s_error = BoxRangeMessage(kMinAllocCount, kMaxAllocCount);
        return FALSE;
    }
    u_value = static_cast<UINT>(*u_read);
    return TRUE;
}

BOOL AllocState::IsValidSelection(const std::vector<LONG>& v_selected)
{
    if (v_selected.empty())
        return FALSE;
    for (LONG l_data : v_selected) {
        if (l_data < 0)
            return FALSE;
    }
    return TRUE;
}

AllocShown AllocState::Show(const std::vector<LONG>& v_selected)
{
    AllocShown shown;
    if (!IsValidSelection(v_selected))
        return shown;
    shown.bValid = TRUE;
    const VenueAlloc* p_shown = nullptr;
    const VenueAlloc defaults;
    VenueAlloc previous;
    BOOL b_equal = TRUE;
    for (std::size_t i = v_selected.size(); i-- > 0;) {
        const int i_at = Allocs.FindKey(v_selected[i]);
        const VenueAlloc& taken = i_at >= 0 ? Allocs[i_at] : defaults;
        if (i_at >= 0)
            p_shown = &Allocs[i_at];
        if (i + 1 < v_selected.size() &&
            (taken.Alloc != previous.Alloc || taken.bConsecutive != previous.bConsecutive))
            b_equal = FALSE;
        previous = taken;
    }
    const VenueAlloc& alloc = p_shown != nullptr ? *p_shown : defaults;
    uExact = alloc.Alloc.uValue;
    uMin = alloc.Alloc.uMin;
    uMax = alloc.Alloc.uMax < uMin ? uMin : alloc.Alloc.uMax;
    bConsecutive = alloc.bConsecutive;
    switch (alloc.Alloc.uType) {
    case SchedLim::e_no_limits:
        shown.iChecked = e_alloc_none;
        bConsecutive = FALSE;
        break;
    case SchedLim::e_exact:
        shown.iChecked = e_alloc_exact;
        break;
    case SchedLim::e_range:
        shown.iChecked = e_alloc_range;
        break;
    default:
        break;
    }
    bMixed = v_selected.size() >= 2 && !b_equal;
    if (bMixed) {
        shown.iChecked = e_alloc_mixed;
        bConsecutive = FALSE;
    }
    shown.bMixed = bMixed;
    return shown;
}

VenueAlloc& AllocState::Entry(LONG l_venueKey)
{
    int i_at = Allocs.FindKey(l_venueKey);
    if (i_at < 0)
        i_at = Allocs.InsertSorted(VenueAlloc(l_venueKey));
    return Allocs[i_at];
}

void AllocState::Apply(const EventDoc& doc, const std::vector<LONG>& v_selected, int i_checked)
{
    if (i_checked == e_alloc_mixed || !IsValidSelection(v_selected))
        return;
    for (std::size_t i = v_selected.size(); i-- > 0;) {
        const LONG l_key = v_selected[i];
        ZEL_ASSERT(doc.GetVenues().ContainsKey(l_key));
        if (i_checked == e_alloc_none) {
            const int i_at = Allocs.FindKey(l_key);
            if (i_at >= 0)
                Allocs.RemoveAt(i_at);
            continue;
        }
        VenueAlloc& entry = Entry(l_key);
        entry.bConsecutive = bConsecutive;
        if (i_checked == e_alloc_exact) {
            entry.Alloc.uType = SchedLim::e_exact;
            entry.Alloc.uValue = uExact == 0 ? 1 : uExact;
        } else {
            entry.Alloc.uType = SchedLim::e_range;
            entry.Alloc.uMin = uMin == 0 ? 1 : uMin;
            entry.Alloc.uMax = uMax > kMaxAllocCount ? kMaxAllocCount : uMax;
        }
    }
}

void AllocState::DefaultAll(const VenueAllocArray& a_defaults) { Allocs = a_defaults; }

void AllocState::DefaultSelection(const std::vector<LONG>& v_selected, const VenueAllocArray& a_defaults)
{
    for (LONG l_key : v_selected) {
        if (l_key < 0)
            continue;
        VenueAlloc& entry = Entry(l_key);
        const int i_default = a_defaults.FindKey(l_key);
        const VenueAlloc taken = i_default >= 0 ? a_defaults[i_default] : VenueAlloc(l_key);
        entry.Alloc = taken.Alloc;
        entry.bConsecutive = taken.bConsecutive;
    }
}
