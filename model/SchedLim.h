// How many times: scheduling limits (per event, per day, per venue), the
// rostering limit, and a group's allocation to one venue.
//
// A limit is none, an exact count or a range. Fields the type does not use
// keep whatever they held: switching the type back brings them back, which
// the editing pages rely on.
#pragma once

#include "framework/Types.h"

#include <string>

class CArchive;
class RosterStyleArray;

// Texts of the roster-limit check.
enum : unsigned {
    IDS_ROSTER_MAX_BELOW_MIN = 5055,
    IDS_ROSTER_EXACT_ABOVE_STYLES = 5056,
    IDS_ROSTER_MIN_ABOVE_STYLES = 5057,
};

class SchedLim {
public:
    enum { e_no_limits = 0, e_exact = 1, e_range = 2 };

    SchedLim() = default;
    SchedLim(UINT u_type, UINT u_value, UINT u_min, UINT u_max)
        : uType(u_type), uValue(u_value), uMin(u_min), uMax(u_max) {}
    virtual ~SchedLim() = default;
    SchedLim(const SchedLim&) = default;
    SchedLim& operator=(const SchedLim&) = default;

    // None: 0 and 99999; exact: the value; any other type is a range.
    UINT GetMin() const;
    UINT GetMax() const;
    // Equal types and equal used fields. A type other than the three is
    // unequal even to itself, as it always was.
    bool operator==(const SchedLim& other) const;
    bool operator!=(const SchedLim& other) const { return !(*this == other); }

    // "None", the value, or "min...max"; empty for none with b_blankNone, and
    // for a zero count with b_blankZero.
    std::string GetText(BOOL b_blankZero = FALSE, BOOL b_blankNone = FALSE) const;

    virtual void Serialize(CArchive& ar);

    UINT uType = e_no_limits;
    UINT uValue = 0;
    UINT uMin = 0;
    UINT uMax = 0;
};

// The rostering limit of a participant or participant role: a SchedLim with
// the same file form.
class RosterLim : public SchedLim {
public:
    using SchedLim::SchedLim;
    RosterLim() = default;
    RosterLim(const SchedLim& src) : SchedLim(src) {}

    // The limit against the number of roster styles chosen: a limit of
    // type none, or no styles, fits; else FALSE with the reason in
    // s_message when the bounds are crossed or more styles are asked than
    // were chosen.
    BOOL CheckStyles(std::string& s_message, const RosterStyleArray& a_styles) const;
};

class SchedAlloc {
public:
    SchedAlloc() = default;
    SchedAlloc(UINT u_type, UINT u_value, UINT u_min, UINT u_max)
        : uType(u_type), uValue(u_value), uMin(u_min), uMax(u_max) {}
    virtual ~SchedAlloc() = default;
    SchedAlloc(const SchedAlloc&) = default;
    SchedAlloc& operator=(const SchedAlloc&) = default;

    // The counts an allocation asks for: a run of 1 to 999 timeslots. The
    // allocation page stores nothing else and the build takes nothing else.
    static constexpr UINT kMinCount = 1;
    static constexpr UINT kMaxCount = 999;

    // None: 1 and 999; exact: the value; any other type is a range.
    UINT GetMin() const;
    UINT GetMax() const;
    // As SchedLim's, except that two allocations of an unknown type are equal.
    bool operator==(const SchedAlloc& other) const;
    bool operator!=(const SchedAlloc& other) const { return !(*this == other); }

    // "None", the value, or "min...max".
    std::string GetText() const;

    virtual void Serialize(CArchive& ar);

    UINT uType = SchedLim::e_no_limits;
    UINT uValue = 1;
    UINT uMin = 1;
    UINT uMax = 1;
};
