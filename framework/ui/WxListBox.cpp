#include "framework/ui/WxListBox.h"
#include "framework/ui/WxText.h"

#include <wx/listbox.h>

int WxListBoxItems::GetCount() const { return static_cast<int>(List.GetCount()); }

int WxListBoxItems::GetSelItems(std::vector<int>& v_selected) const
{
    if (!List.HasMultipleSelection())
        return LB_ERR;
    wxArrayInt a_selected;
    List.GetSelections(a_selected);
    v_selected.assign(a_selected.begin(), a_selected.end());
    return static_cast<int>(v_selected.size());
}

int WxListBoxItems::GetText(int i_index, std::string& s_text) const
{
    if (!IsValid(i_index))
        return LB_ERR;
    // The entries came in as code page 1252, so they go back out whole.
    s_text = FromWx(List.GetString(static_cast<unsigned>(i_index))).value_or(std::string());
    return static_cast<int>(s_text.size());
}

std::uintptr_t WxListBoxItems::GetItemData(int i_index) const
{
    if (!IsValid(i_index))
        return static_cast<std::uintptr_t>(LB_ERR);
    return reinterpret_cast<std::uintptr_t>(List.GetClientData(static_cast<unsigned>(i_index)));
}

int WxListBoxItems::InsertString(int i_index, const std::string& s_text)
{
    if (i_index < -1 || i_index > GetCount())
        return LB_ERR;
    const unsigned u_pos = i_index < 0 ? static_cast<unsigned>(GetCount()) : static_cast<unsigned>(i_index);
    // A box with client data wants every entry to carry some.
    return List.Insert(ToWx(s_text), u_pos, static_cast<void*>(nullptr));
}

int WxListBoxItems::DeleteString(int i_index)
{
    if (!IsValid(i_index))
        return LB_ERR;
    List.Delete(static_cast<unsigned>(i_index));
    return GetCount();
}

int WxListBoxItems::SetItemData(int i_index, std::uintptr_t u_data)
{
    if (!IsValid(i_index))
        return LB_ERR;
    List.SetClientData(static_cast<unsigned>(i_index), reinterpret_cast<void*>(u_data));
    return 0;
}

int WxListBoxItems::SetSel(int i_index, BOOL b_select)
{
    if (i_index == -1) {
        for (int i = 0; i < GetCount(); ++i)
            List.SetSelection(i, b_select != FALSE);
        return 0;
    }
    if (!IsValid(i_index))
        return LB_ERR;
    List.SetSelection(i_index, b_select != FALSE);
    return 0;
}
