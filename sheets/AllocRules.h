// The Allocation page's work without a window: what the controls show for
// the venues selected in the tree, and how the controls' values go into the
// allocations of every selected venue at once.
//
// The tree holds a root "Venues" (item data -1) with one item per venue
// (item data = the venue key). A venue without an entry in the page's
// allocations has no requirement.
#pragma once

#include "framework/Types.h"
#include "model/Venue.h"

#include <string>
#include <vector>

class EventDoc;

// Control ids of the Allocation page.
enum : int {
    IDC_ALLOC_TREE = 1245,
    IDC_ALLOC_NONE = 1246,
    IDC_ALLOC_EXACT = 1247,
    IDC_ALLOC_RANGE = 1248,
    IDC_ALLOC_CONSECUTIVE = 1249,
    IDC_ALLOC_EXACT_VALUE = 1250,
    IDC_ALLOC_MIN_VALUE = 1251,
    IDC_ALLOC_MAX_VALUE = 1252,
    IDC_ALLOC_TREE_LABEL = 1253,
    IDC_ALLOC_DEFAULT_ALL = 1254,
    IDC_ALLOC_DEFAULT_SEL = 1255,
    IDC_ALLOC_EXACT_SLOTS = 1257,
    IDC_ALLOC_MIN_SLOTS = 1258,
    IDC_ALLOC_MAX_SLOTS = 1259,
    IDC_ALLOC_MIN_LABEL = 1260,
    IDC_ALLOC_MAX_LABEL = 1261,
};

// Texts of the Allocation page.
enum : UINT {
    IDS_GROUP_ALLOC_DESC = 6015,
    IDS_GROUP_ALLOC_DEFAULTS_DESC = 6016,
};

// The item data of the tree's root.
constexpr LONG kAllocRootData = -1;
// The counts the boxes take.
constexpr UINT kMinAllocCount = SchedAlloc::kMinCount;
constexpr UINT kMaxAllocCount = SchedAlloc::kMaxCount;

// The radio buttons: none checked stands for a mixed selection.
enum : int { e_alloc_mixed = -1, e_alloc_none = 0, e_alloc_exact = 1, e_alloc_range = 2 };

// The typed text of a count box as a number of 1 to 999; FALSE with the
// message a number box gives otherwise.
BOOL ParseAllocCount(const std::string& s_text, UINT& u_value, std::string& s_error);

// What the controls show for a selection.
struct AllocShown {
    // At least one item selected and every one a venue: the allocation
    // controls and "Default selection" are enabled.
    BOOL bValid = FALSE;
    int iChecked = e_alloc_mixed;
    // Several venues whose allocations differ: no radio checked, the boxes
    // empty and disabled.
    BOOL bMixed = FALSE;
};

class AllocState {
public:
    // At least one item, all venues.
    static BOOL IsValidSelection(const std::vector<LONG>& v_selected);

    // The selection's allocation into the values; what the controls show.
    AllocShown Show(const std::vector<LONG>& v_selected);
    // The checked radio with the values into every selected venue (from the
    // last to the first): "No requirements" removes its entry; an exact
    // count of 0 becomes 1; a range's minimum of 0 becomes 1 and its
    // maximum is kept to 999. Nothing for e_alloc_mixed or a selection that
    // is not valid.
    void Apply(const EventDoc& doc, const std::vector<LONG>& v_selected, int i_checked);
    // The preferences' allocations in place of the page's.
    void DefaultAll(const VenueAllocArray& a_defaults);
    // Each selected venue takes its preference default, or no requirement.
    void DefaultSelection(const std::vector<LONG>& v_selected, const VenueAllocArray& a_defaults);

    void Load(const VenueAllocArray& a_allocs) { Allocs = a_allocs; }
    void Save(VenueAllocArray& a_allocs) const { a_allocs = Allocs; }

    VenueAllocArray Allocs;
    // The controls' values.
    UINT uExact = 1;
    UINT uMin = 1;
    UINT uMax = 1;
    BOOL bConsecutive = FALSE;
    BOOL bMixed = FALSE;

private:
    // The venue's entry, inserted at its sorted place when it has none.
    VenueAlloc& Entry(LONG l_venueKey);
};
