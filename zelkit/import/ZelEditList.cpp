#include "zelkit/import/ZelEditList.h"

#include "zelkit/lists/ZelListModel.h"
#include "zelkit/base/ZelStringArray.h"

#include <algorithm>

void ZelEditListRules::AddEditColumn(int i_col, EditType e_type, int b_unique, int b_allowEmpty)
{
    const EditColumn col{i_col, e_type, b_unique ? TRUE : FALSE, b_allowEmpty ? TRUE : FALSE};
    for (EditColumn& held : vColumns)
        if (held.iColumn == i_col) {
            held = col;
            return;
        }
    vColumns.push_back(col);
}

const ZelEditListRules::EditColumn* ZelEditListRules::FindColumn(int i_col) const
{
    if (i_col < 0)
        return vColumns.empty() ? nullptr : &vColumns.front();
    for (const EditColumn& col : vColumns)
        if (col.iColumn == i_col)
            return &col;
    return nullptr;
}

std::string ZelEditListRules::Trim(const std::string& s_text)
{
    std::size_t i_begin = 0;
    std::size_t i_end = s_text.size();
    while (i_begin < i_end && ZelStringArray::isspace(s_text[i_begin]))
        ++i_begin;
    while (i_end > i_begin && ZelStringArray::isspace(s_text[i_end - 1]))
        --i_end;
    return s_text.substr(i_begin, i_end - i_begin);
}

ZelEditListRules::EndResult ZelEditListRules::DecideEnd(const std::string& s_raw, bool b_cancelled,
                                                        const EditColumn& col, int i_usedRow)
{
    EndResult result;
    result.sValue = Trim(s_raw);
    if (b_cancelled)
        return result;
    if (col.bUnique && i_usedRow >= 0)
        result.uError = IDS_VALUE_USED;
    else if (col.bAllowEmpty || !result.sValue.empty())
        result.bStore = true;
    else
        result.uError = IDS_VALUE_EMPTY;
    return result;
}

int ZelEditListRules::Find(const ZelListModel& list, int i_col, const std::string& s_text, int i_skip)
{
    for (int i = list.GetItemCount() - 1; i >= 0; --i)
        if (i != i_skip && list.GetItemText(i, i_col) == s_text)
            return i;
    return -1;
}

ZelRect ZelEditListRules::CellRect(const ZelListModel& list, const ZelRect& rc_row, int i_col, int i_clientRight)
{
    ZelRect rc = rc_row;
    for (int c = 0; c < i_col; ++c)
        rc.left += list.GetColumnWidth(c);
    rc.right = std::min<LONG>(i_clientRight, rc.left + list.GetColumnWidth(i_col));
    return rc;
}

ZelRect ZelEditListRules::EditBoxRect(const ZelRect& rc_cell, int i_clientBottom)
{
    ZelRect rc = rc_cell;
    rc.top = std::max<LONG>(0, rc.top - 2);
    rc.bottom = std::min<LONG>(i_clientBottom, rc.bottom + 2);
    return rc;
}

ZelRect ZelEditListRules::ListBoxRect(const ZelRect& rc_cell, int i_clientTop, int i_clientBottom, bool& b_upward)
{
    const LONG i_height = (i_clientBottom - i_clientTop) / 2;
    ZelRect rc = rc_cell;
    b_upward = rc_cell.top + i_height > i_clientBottom;
    if (!b_upward) {
        rc.bottom = rc_cell.top + i_height;
    } else {
        rc.bottom = rc_cell.bottom;
        rc.top = std::max<LONG>(i_clientTop, rc_cell.bottom - i_height);
    }
    return rc;
}

ZelRect ZelEditListRules::FitListBox(const ZelRect& rc_box, bool b_upward, int i_widest, int i_scrollWidth,
                                     int i_clientWidth, int i_entriesHeight)
{
    ZelRect rc = rc_box;
    const LONG i_width = i_widest + i_scrollWidth;
    if (rc.left + i_width > i_clientWidth)
        rc.left = std::max<LONG>(0, i_clientWidth - i_width);
    rc.right = std::min<LONG>(i_clientWidth, rc.left + i_width);
    if (i_entriesHeight < rc.Height()) {
        if (b_upward)
            rc.top = rc.bottom - i_entriesHeight;
        else
            rc.bottom = rc.top + i_entriesHeight;
    }
    return rc;
}
