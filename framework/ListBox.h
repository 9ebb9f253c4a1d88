// A list box as code below the user interface handles it: its entries
// (text and item data) by index, and the selection of a multiple-selection
// box. Operations answer as the platform's list box does: an index or a
// count, or LB_ERR (LB_ERRSPACE when out of room) when the box refuses.
// The wx list box has an adapter in ui/; tests use a plain list.
#pragma once

#include "framework/Types.h"

#include <cstdint>
#include <string>
#include <vector>

enum : int {
    LB_ERR = -1,
    LB_ERRSPACE = -2,
};

class IListBoxItems {
public:
    virtual ~IListBoxItems() = default;

    virtual int GetCount() const = 0;
    // The selected indexes in the box's order; their number, or LB_ERR.
    virtual int GetSelItems(std::vector<int>& v_selected) const = 0;
    // The entry's text; its length, or LB_ERR for an index out of range.
    virtual int GetText(int i_index, std::string& s_text) const = 0;
    virtual std::uintptr_t GetItemData(int i_index) const = 0;
    // Inserts before i_index (-1 appends); the new entry's index, or an error.
    virtual int InsertString(int i_index, const std::string& s_text) = 0;
    // The number of entries left, or LB_ERR.
    virtual int DeleteString(int i_index) = 0;
    virtual int SetItemData(int i_index, std::uintptr_t u_data) = 0;
    // Selects or deselects one entry, or every entry for index -1; LB_ERR
    // when the box refuses.
    virtual int SetSel(int i_index, BOOL b_select) = 0;
};
