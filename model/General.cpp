#include "model/General.h"

#include "framework/ListBox.h"
#include "model/EventDoc.h"
#include "model/ShellPorts.h"
#include "zelkit/base/ZelAssert.h"
#include "zelkit/services/ZelMessages.h"
#include "zelkit/base/ZelStringArray.h"

#include <algorithm>
#include <cstdint>
#include <typeinfo>

namespace {

std::string ErrorCodePrefix(UINT u_id)
{
    if (u_id < IDS_FIRST_ERROR_CODE || u_id > IDS_LAST_ERROR_CODE)
        return {};
    return ZelFormatError(static_cast<int>(IDS_ERROR_CODE), std::to_string(u_id)) + "\n";
}

// String ids are handed on as the library's int ids; one beyond them finds
// no text, as a missing id should.
int LibraryId(UINT u_id)
{
    return u_id > static_cast<UINT>(INT32_MAX) ? -1 : static_cast<int>(u_id);
}

} // namespace

// ---- message boxes ----

int ShowMessageBox(const std::string& s_text, UINT u_type)
{
    GetEndSplashPort().EndSplash();
    return ZelMessageBox(s_text, u_type);
}

int ShowMessageText(const std::string& s_text, UINT u_type)
{
    return ShowMessageBox(s_text, u_type);
}

int ShowMessageId(UINT u_id, const std::string& s_arg, UINT u_type)
{
    return ShowMessageBox(FormatMessageId(u_id, s_arg), u_type);
}

int ShowMessageId2(UINT u_id, const std::string& s_arg1, const std::string& s_arg2, UINT u_type)
{
    return ShowMessageBox(FormatMessageId2(u_id, s_arg1, s_arg2), u_type);
}

int ShowMessageIdArray(UINT u_id, const ZelStringArray& a_args, UINT u_type)
{
    return ShowMessageBox(FormatMessageIdArray(u_id, a_args), u_type);
}

std::string FormatMessageId(UINT u_id, const std::string& s_arg)
{
    return ErrorCodePrefix(u_id) + ZelFormatError(LibraryId(u_id), s_arg);
}

std::string FormatMessageId2(UINT u_id, const std::string& s_arg1, const std::string& s_arg2)
{
    return ErrorCodePrefix(u_id) + ZelFormatError(LibraryId(u_id), s_arg1, s_arg2);
}

std::string FormatMessageIdArray(UINT u_id, const ZelStringArray& a_args)
{
    return ErrorCodePrefix(u_id) + ZelFormatError(LibraryId(u_id), a_args);
}

// ---- resource strings ----

std::string LoadResString(UINT u_id, const char* p_default)
{
    return ZelLoadResourceString(LibraryId(u_id), p_default);
}

void LoadResString(UINT u_id, const char* p_default, std::string& s_out)
{
    ZelLoadResourceString(LibraryId(u_id), p_default, s_out);
}

// ---- archive links ----

EventDoc* GetArchiveDoc(CArchive& ar)
{
    // Nearly always the document is an EventDoc itself, which the exact
    // type tells far more cheaply than a cast that searches the hierarchy;
    // a load calls this for every record.
    EventDoc* p_doc = nullptr;
    if (ar.m_pDocument != nullptr && typeid(*ar.m_pDocument) == typeid(EventDoc))
        p_doc = static_cast<EventDoc*>(ar.m_pDocument);
    else
        p_doc = dynamic_cast<EventDoc*>(ar.m_pDocument);
    if (p_doc == nullptr)
        __ZelAssert("ar.m_pDocument->IsKindOf(RUNTIME_CLASS(EventDoc))", __FILE_NAME__, __LINE__, nullptr);
    return p_doc;
}

UINT GetArchiveVersion(CArchive& ar)
{
    const UINT u_version = GetArchiveDoc(ar)->GetFileVersion();
    return u_version == 0 ? EventDoc::kCurrentFileVersion : u_version;
}

UINT GetArchiveVersionChecked(CArchive& ar)
{
    const UINT u_version = GetArchiveVersion(ar);
    if (ar.IsLoading() && u_version < 4) {
        DWORD u_schema = 0;
        ar >> u_schema;
        if (u_schema < 1 || u_schema > 3)
            CArchive::ThrowBadSchema("unknown object schema in a file older than version 4");
    }
    return u_version;
}

void SerializeUIntArray(CArchive& ar, ZelArray<UINT>& a_values)
{
    constexpr DWORD u_format = 0;
    if (ar.IsStoring()) {
        ar << u_format << static_cast<DWORD>(a_values.GetSize());
        for (int i = 0; i < a_values.GetSize(); ++i)
            ar << static_cast<DWORD>(a_values[i]);
        return;
    }
    DWORD u_read = 0;
    ar >> u_read;
    // A damaged file must fail to open, not end the program: the format
    // word is file data, so a wrong one is a bad schema, not an assertion.
    if (u_read != u_format)
        CArchive::ThrowBadSchema("CUIntArray serialization: version incorrect");
    DWORD n_count = 0;
    ar >> n_count;
    ar.CheckAvailable(n_count, 4);
    ZelArray<UINT> a_loaded;
    a_loaded.SetSize(static_cast<int>(n_count));
    for (DWORD i = 0; i < n_count; ++i) {
        DWORD u = 0;
        ar >> u;
        a_loaded[static_cast<int>(i)] = u;
    }
    a_values.Copy(a_loaded);
}

template <>
void SerializeElements<CHighTime>(CArchive& ar, CHighTime* p_elements, int n_count)
{
    for (int i = 0; i < n_count; ++i) {
        if (ar.IsStoring())
            ar << p_elements[i];
        else
            ar >> p_elements[i];
    }
}

template <>
void SerializeElements<ZelOleDateTime>(CArchive& ar, ZelOleDateTime* p_elements, int n_count)
{
    for (int i = 0; i < n_count; ++i) {
        if (ar.IsStoring())
            ar << static_cast<const CHighTime&>(p_elements[i]);
        else
            ar >> static_cast<CHighTime&>(p_elements[i]);
    }
}

// ---- list boxes and texts ----

int MoveListBoxSelection(IListBoxItems& list, BOOL b_up)
{
    std::vector<int> v_selected;
    if (list.GetSelItems(v_selected) < 0)
        return 0;
    std::sort(v_selected.begin(), v_selected.end());
    const int n_selected = static_cast<int>(v_selected.size());

    // The indexes to select afterwards: where each entry went, or where it
    // stayed.
    std::vector<int> v_new(v_selected);
    for (int k = 0; k < n_selected; ++k) {
        const int j = b_up ? k : n_selected - 1 - k;
        const int i_from = v_selected[static_cast<std::size_t>(j)];
        const int n_count = list.GetCount();
        if (b_up ? i_from <= 0 : i_from >= n_count - 1)
            continue;
        std::string s_text;
        if (list.GetText(i_from, s_text) < 0)
            return 0;
        const std::uintptr_t u_data = list.GetItemData(i_from);
        // The copy goes in first, then the original comes out: moving up,
        // the copy stands before the neighbour and the original one further
        // down; moving down, after the neighbour (appended when that is the
        // last entry).
        const int i_insert = b_up ? i_from - 1 : (i_from + 2 >= n_count ? -1 : i_from + 2);
        const int i_inserted = list.InsertString(i_insert, s_text);
        if (i_inserted < 0)
            return 0;
        if (list.SetItemData(i_inserted, u_data) < 0)
            return 0;
        if (list.DeleteString(b_up ? i_from + 1 : i_from) < 0)
            return 0;
        v_new[static_cast<std::size_t>(j)] = b_up ? i_from - 1 : i_from + 1;
    }

    if (list.SetSel(-1, FALSE) < 0)
        return 0;
    for (int i_index : v_new) {
        if (list.SetSel(i_index, TRUE) < 0)
            return 0;
    }
    return 1;
}

TextExtent SplitTextLines(const MeasureText& f_measure, const std::string& s_text)
{
    TextExtent total;
    std::string s_line;
    const auto add_line = [&]() {
        const TextExtent line = f_measure(s_line);
        total.cx = std::max(total.cx, line.cx);
        total.cy += line.cy;
        s_line.clear();
    };
    for (char c : s_text) {
        if (c == '\n')
            add_line();
        else if (c != '\r')
            s_line += c;
    }
    if (!s_line.empty())
        add_line();
    return total;
}
