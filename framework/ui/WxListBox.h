// The list-box interface over a wxListBox of multiple or extended
// selection. Item data is the entry's client data; texts cross as code
// page 1252.
#pragma once

#include "framework/ListBox.h"

class wxListBox;

class WxListBoxItems : public IListBoxItems {
public:
    explicit WxListBoxItems(wxListBox& list) : List(list) {}

    int GetCount() const override;
    int GetSelItems(std::vector<int>& v_selected) const override;
    int GetText(int i_index, std::string& s_text) const override;
    std::uintptr_t GetItemData(int i_index) const override;
    int InsertString(int i_index, const std::string& s_text) override;
    int DeleteString(int i_index) override;
    int SetItemData(int i_index, std::uintptr_t u_data) override;
    int SetSel(int i_index, BOOL b_select) override;

private:
    bool IsValid(int i_index) const { return i_index >= 0 && i_index < GetCount(); }

    wxListBox& List;
};
