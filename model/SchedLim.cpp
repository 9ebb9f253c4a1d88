#include "model/SchedLim.h"

#include "framework/Archive.h"
#include "model/General.h"
#include "model/ParticipantRole.h"

#include <string>

namespace {

std::string RangeText(UINT u_min, UINT u_max)
{
    return std::to_string(u_min) + "..." + std::to_string(u_max);
}

void StoreFields(CArchive& ar, UINT u_type, UINT u_value, UINT u_min, UINT u_max)
{
    ar << static_cast<DWORD>(u_type) << static_cast<DWORD>(u_value) << static_cast<DWORD>(u_min)
       << static_cast<DWORD>(u_max);
}

void LoadFields(CArchive& ar, UINT& u_type, UINT& u_value, UINT& u_min, UINT& u_max)
{
    DWORD a[4] = {};
    ar >> a[0] >> a[1] >> a[2] >> a[3];
    u_type = a[0];
    u_value = a[1];
    u_min = a[2];
    u_max = a[3];
}

} // namespace

// ---- SchedLim ----

UINT SchedLim::GetMin() const
{
    switch (uType) {
    case e_no_limits:
        return 0;
    case e_exact:
        return uValue;
    default:
        return uMin;
    }
}

UINT SchedLim::GetMax() const
{
    switch (uType) {
    case e_no_limits:
        return 99999;
    case e_exact:
        return uValue;
    default:
        return uMax;
    }
}

bool SchedLim::operator==(const SchedLim& other) const
{
    if (uType != other.uType)
        return false;
    switch (uType) {
    case e_no_limits:
        return true;
    case e_exact:
        return uValue == other.uValue;
    case e_range:
        return uMin == other.uMin && uMax == other.uMax;
    default:
        return false;
    }
}

std::string SchedLim::GetText(BOOL b_blankZero, BOOL b_blankNone) const
{
    switch (uType) {
    case e_no_limits:
        return b_blankNone ? std::string() : std::string("None");
    case e_exact:
        return (b_blankZero && uValue == 0) ? std::string() : std::to_string(uValue);
    default:
        if (b_blankZero && GetMin() == 0 && GetMax() == 0)
            return {};
        return RangeText(GetMin(), GetMax());
    }
}

void SchedLim::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        StoreFields(ar, uType, uValue, uMin, uMax);
        return;
    }
    GetArchiveVersionChecked(ar);
    LoadFields(ar, uType, uValue, uMin, uMax);
}

// ---- SchedAlloc ----

UINT SchedAlloc::GetMin() const
{
    switch (uType) {
    case SchedLim::e_no_limits:
        return kMinCount;
    case SchedLim::e_exact:
        return uValue;
    default:
        return uMin;
    }
}

UINT SchedAlloc::GetMax() const
{
    switch (uType) {
    case SchedLim::e_no_limits:
        return kMaxCount;
    case SchedLim::e_exact:
        return uValue;
    default:
        return uMax;
    }
}

bool SchedAlloc::operator==(const SchedAlloc& other) const
{
    if (uType != other.uType)
        return false;
    switch (uType) {
    case SchedLim::e_exact:
        return uValue == other.uValue;
    case SchedLim::e_range:
        return uMin == other.uMin && uMax == other.uMax;
    default:
        return true;
    }
}

std::string SchedAlloc::GetText() const
{
    switch (uType) {
    case SchedLim::e_no_limits:
        return "None";
    case SchedLim::e_exact:
        return std::to_string(uValue);
    default:
        return RangeText(GetMin(), GetMax());
    }
}

void SchedAlloc::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        StoreFields(ar, uType, uValue, uMin, uMax);
        return;
    }
    LoadFields(ar, uType, uValue, uMin, uMax);
}

// ---- RosterLim ----

BOOL RosterLim::CheckStyles(std::string& s_message, const RosterStyleArray& a_styles) const
{
    if (uType == e_no_limits || a_styles.GetSize() == 0)
        return TRUE;
    if (uMax < uMin) {
        s_message = FormatMessageId(IDS_ROSTER_MAX_BELOW_MIN, "");
        return FALSE;
    }
    if (GetMin() > static_cast<UINT>(a_styles.GetSize())) {
        s_message = FormatMessageId(uType == e_exact ? IDS_ROSTER_EXACT_ABOVE_STYLES : IDS_ROSTER_MIN_ABOVE_STYLES, "");
        return FALSE;
    }
    return TRUE;
}
