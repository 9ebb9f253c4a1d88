#include "sheets/StyleFacilityRules.h"

#include "model/EventDoc.h"
#include "model/General.h"
#include "model/ShellPorts.h"
#include "zelkit/values/ZelName.h"

#include <algorithm>
#include <tuple>
#include <type_traits>

namespace {

template <class List>
struct ItemOf;
template <>
struct ItemOf<StyleList> {
    using type = Style;
};
template <>
struct ItemOf<FacilityList> {
    using type = Facility;
};

// The two lists differ only in their types; these walk either.
template <class Fn>
auto WithList(EventDoc& doc, StyleFacilityRules::Kind e_kind, Fn f_do)
{
    if (e_kind == StyleFacilityRules::e_styles)
        return f_do(doc.GetStyles());
    return f_do(doc.GetFacilities());
}

// The key of the object whose name equals the text, or -1.
LONG KeyOfName(EventDoc& doc, StyleFacilityRules::Kind e_kind, const std::string& s_name)
{
    return WithList(doc, e_kind, [&s_name](const auto& list) -> LONG {
        const int i = list.FindByName(s_name);
        return i < 0 ? -1 : list.GetAt(i).GetKey();
    });
}

const char* Noun(StyleFacilityRules::Kind e_kind) { return e_kind == StyleFacilityRules::e_styles ? "style" : "facility"; }

// Why the event would not take a new object, in words for the user.
std::string RefusalText(StyleFacilityRules::Kind e_kind, int i_result, const std::string& s_name)
{
    const std::string s_noun = Noun(e_kind);
    const std::string s_plural = e_kind == StyleFacilityRules::e_styles ? "styles" : "facilities";
    switch (i_result) {
    case 1: return "The event cannot hold any more " + s_plural + ", so the " + s_noun + " '" + s_name
                   + "' was not added.";
    case 2: return "The event already has a " + s_noun + " named '" + s_name + "'.";
    default: return "The " + s_noun + " '" + s_name + "' could not be added to the event.";
    }
}

} // namespace

StyleFacilityRules::StyleFacilityRules(EventDoc* p_doc, int n_styleKeys, int n_facilityKeys)
    : pDoc(p_doc), StyleKeys(n_styleKeys), FacilityKeys(n_facilityKeys)
{
}

void StyleFacilityRules::Fill(Kind e_kind, IStyleFacilityList& list) const
{
    const KeyList& keys = GetKeys(e_kind);
    WithList(*pDoc, e_kind, [&list, &keys](const auto& objects) {
        for (int i = 0; i < objects.GetCount(); ++i) {
            const auto& object = objects.GetAt(i);
            list.AppendRow(object.GetName(), object.GetKey(), keys.Find(object.GetKey()) >= 0);
        }
        return 0;
    });
}

void StyleFacilityRules::MarksFromKeys(Kind e_kind, IStyleFacilityList& list) const
{
    const KeyList& keys = GetKeys(e_kind);
    for (int i = 0; i < list.GetRowCount(); ++i) {
        const LONG l_key = KeyOfName(*pDoc, e_kind, list.GetRowName(i));
        list.SetRowChecked(i, l_key >= 0 && keys.Find(l_key) >= 0);
    }
}

void StyleFacilityRules::KeysFromMarks(Kind e_kind, const IStyleFacilityList& list)
{
    std::vector<LONG> v_marked;
    for (int i = 0; i < list.GetRowCount(); ++i) {
        if (!list.IsRowChecked(i))
            continue;
        const LONG l_key = KeyOfName(*pDoc, e_kind, list.GetRowName(i));
        if (l_key >= 0)
            v_marked.push_back(l_key);
    }
    // A key still marked keeps its slot and a new one takes the first free
    // slot: the rows are in name order, the slots in the order the keys
    // came, and marks that did not change must leave the list as it is
    // stored, or an OK with nothing changed would count as an edit.
    KeyList& keys = GetKeys(e_kind);
    for (int i_slot = 0; i_slot < keys.GetMaxKeys(); ++i_slot) {
        const LONG l_key = keys.GetAt(i_slot);
        if (l_key >= 0 && std::find(v_marked.begin(), v_marked.end(), l_key) == v_marked.end())
            keys.SetAt(i_slot, -1);
    }
    for (LONG l_key : v_marked)
        keys.Add(l_key);
}

int StyleFacilityRules::BeginNew(Kind e_kind, IStyleFacilityList& list)
{
    const int i_row = list.AppendRow(std::string(), -1, TRUE);
    aiNamingRow[e_kind] = i_row;
    return i_row;
}

void StyleFacilityRules::EditBegins(Kind e_kind, const IStyleFacilityList& list, int i_row)
{
    if (aiNamingRow[e_kind] >= 0)
        asOldName[e_kind].clear();
    else
        asOldName[e_kind] = list.GetRowName(i_row);
}

StyleFacilityRules::AfterEdit StyleFacilityRules::EditEnds(Kind e_kind, IStyleFacilityList& list, int i_row,
                                                           EditEnd e_end, BOOL& b_changed)
{
    b_changed = FALSE;
    const bool b_naming = aiNamingRow[e_kind] >= 0;
    switch (e_end) {
    case EditEnd::Cancelled:
        if (!b_naming)
            return AfterEdit::Nothing;
        list.DeleteRow(aiNamingRow[e_kind]);
        aiNamingRow[e_kind] = -1;
        return AfterEdit::RowDeleted;
    case EditEnd::Empty:
    case EditEnd::Used: return AfterEdit::EditAgain;
    case EditEnd::Other: return AfterEdit::Nothing;
    case EditEnd::Done: break;
    }

    const std::string s_text = list.GetRowName(i_row);
    if (b_naming) {
        aiNamingRow[e_kind] = -1;
        const auto [i_result, s_name, l_key] = WithList(*pDoc, e_kind, [&s_text](auto& objects) {
            typename ItemOf<std::remove_cvref_t<decltype(objects)>>::type object;
            object.SetName(s_text);
            return std::tuple<int, std::string, LONG>(objects.Add(object), object.GetName(), object.GetKey());
        });
        if (i_result != 0) {
            // Nothing of the event names the row: it goes, and the user
            // learns why.
            list.DeleteRow(i_row);
            ShowMessageBox(RefusalText(e_kind, i_result, s_name.empty() ? s_text : s_name),
                           MB_OK | MB_ICONEXCLAMATION);
            KeysFromMarks(e_kind, list);
            return AfterEdit::RowDeleted;
        }
        list.SetRowName(i_row, s_name);
        list.SetRowKey(i_row, l_key);
        b_changed = TRUE;
        KeysFromMarks(e_kind, list);
        pDoc->DocChanged(UpdateViewHint::e_general);
        return AfterEdit::Changed;
    }

    const LONG l_key = KeyOfName(*pDoc, e_kind, asOldName[e_kind]);
    if (l_key < 0)
        return AfterEdit::Nothing;
    const ZelObjectName old_name(asOldName[e_kind], Property::kMaxNameLength);
    const ZelObjectName new_name(s_text, Property::kMaxNameLength);
    if (old_name == new_name) {
        list.SetRowName(i_row, asOldName[e_kind]);
        return AfterEdit::Nothing;
    }
    // The document renames, telling the user when it refuses, and runs
    // the change routine.
    const int i_index = e_kind == e_styles ? pDoc->RenameStyle(l_key, s_text) : pDoc->RenameFacility(l_key, s_text);
    if (i_index < 0) {
        list.SetRowName(i_row, asOldName[e_kind]);
        return AfterEdit::Nothing;
    }
    list.SetRowName(i_row, new_name.GetName());
    KeysFromMarks(e_kind, list);
    return AfterEdit::Changed;
}

BOOL StyleFacilityRules::DeleteSelected(Kind e_kind, IStyleFacilityList& list)
{
    BOOL b_deleted = FALSE;
    const std::vector<int> v_rows = list.GetSelectedRows();
    if (!v_rows.empty()) {
        const std::string s_noun = LoadResString(e_kind == e_styles ? IDS_STYLE_NOUN : IDS_FACILITY_NOUN, "");
        const std::string s_text = FormatMessageId2(IDS_DELETE_SELECTION, std::to_string(v_rows.size()), s_noun);
        const int i_answer = GetMessageBoxPort().Show(s_text, "Delete", MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION);
        if (i_answer == IDYES) {
            for (auto it = v_rows.rbegin(); it != v_rows.rend(); ++it) {
                const LONG l_key = list.GetRowKey(*it);
                WithList(*pDoc, e_kind, [l_key, &b_deleted](auto& objects) {
                    const int i = objects.FindByKey(l_key);
                    if (i >= 0) {
                        objects.Delete(i);
                        b_deleted = TRUE;
                    }
                    return 0;
                });
                list.DeleteRow(*it);
            }
        }
    }
    MarksFromKeys(e_kind, list);
    if (b_deleted)
        pDoc->DocChanged(UpdateViewHint::e_general);
    KeysFromMarks(e_kind, list);
    return b_deleted;
}
