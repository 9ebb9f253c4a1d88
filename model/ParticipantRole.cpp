#include "model/ParticipantRole.h"

#include "framework/Archive.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "zelkit/services/ZelMessages.h"
#include "zelkit/values/ZelName.h"
#include "zelkit/base/ZelStringArray.h"

#include <algorithm>
#include <cstdint>
#include <limits>

LONG ParticipantRoleKeyGen = 0;

namespace {

const std::string kOrderedPrefix = "Ordered:";

// The decimal number at the start of a text as the run time's atoi reads it
// (leading white space, a sign, digits; 0 when there are none), except that
// a number beyond 32 bits stops at the nearest 32-bit value instead of
// overflowing: order numbers are typed by users and imported from files.
LONG LeadingNumber(const std::string& s_text)
{
    std::size_t n = 0;
    while (n < s_text.size() && ZelStringArray::isspace(s_text[n]))
        ++n;
    bool b_negative = false;
    if (n < s_text.size() && (s_text[n] == '-' || s_text[n] == '+'))
        b_negative = s_text[n++] == '-';
    constexpr std::int64_t llLimit = std::int64_t(std::numeric_limits<LONG>::max()) + 1;
    std::int64_t ll_value = 0;
    for (; n < s_text.size() && s_text[n] >= '0' && s_text[n] <= '9'; ++n)
        ll_value = std::min<std::int64_t>(ll_value * 10 + (s_text[n] - '0'), llLimit);
    if (b_negative)
        return static_cast<LONG>(-ll_value);
    return static_cast<LONG>(std::min<std::int64_t>(ll_value, std::numeric_limits<LONG>::max()));
}

} // namespace

// ---- RosterStyle ----

void RosterStyle::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(lStyleKey) << static_cast<DWORD>(lOrder);
        return;
    }
    DWORD u_key = 0;
    DWORD u_order = 0;
    ar >> u_key >> u_order;
    lStyleKey = static_cast<LONG>(u_key);
    lOrder = static_cast<LONG>(u_order);
}

// ---- RosterStyleArray ----

int RosterStyleArray::InsertSorted(const RosterStyle& style)
{
    int i_at = 0;
    Find(style, &i_at);
    InsertAt(i_at, style);
    return i_at;
}

std::string RosterStyleArray::FormatText(const EventDoc* p_doc, BOOL b_ordered, BOOL b_quote) const
{
    if (!b_ordered)
        return {};
    const StyleList& styles = p_doc->GetStyles();
    std::string s_text;
    LONG l_previous = 0;
    for (int i = 0; i < GetSize(); ++i) {
        const RosterStyle& style = GetAt(i);
        const int i_style = styles.FindByKey(style.lStyleKey);
        if (i_style < 0)
            continue;
        if (!s_text.empty())
            s_text += ", ";
        if (style.lOrder != l_previous) {
            s_text += "#" + std::to_string(style.lOrder) + ": ";
            l_previous = style.lOrder;
        }
        if (b_quote)
            s_text += '"' + styles[i_style].GetName() + '"';
        else
            s_text += styles[i_style].GetName();
    }
    return kOrderedPrefix + s_text;
}

BOOL RosterStyleArray::SetFromText(
    const std::string& s_text, const EventDoc* p_doc, BOOL& b_ordered, std::string& s_message)
{
    if (s_text.compare(0, kOrderedPrefix.size(), kOrderedPrefix) != 0) {
        s_message = ZelFormatError(IDS_ROSTER_STYLES_FORMAT, kOrderedPrefix);
        b_ordered = 0;
        return FALSE;
    }
    b_ordered = 1;
    const StyleList& styles = p_doc->GetStyles();
    BOOL b_ok = TRUE;
    ZelStringArray a_fields;
    a_fields.SplitEx(s_text.substr(kOrderedPrefix.size()), '#', '"', '\\', 0, 1);
    for (int i_field = 0; i_field < a_fields.GetSize(); ++i_field) {
        const std::string& s_field = a_fields[i_field];
        const LONG l_order = LeadingNumber(s_field);
        const std::size_t n_colon = s_field.find(':');
        if (n_colon == std::string::npos) {
            s_message = ZelFormatError(IDS_ROSTER_STYLES_FORMAT, ":");
            b_ok = FALSE;
            continue;
        }
        // An unknown name is reported after the last name found before it,
        // or after the field's order when it comes first.
        std::string s_previous = s_field.substr(0, n_colon);
        ZelStringArray a_names;
        a_names.SplitEx(s_field.substr(n_colon + 1), ',', '"', '\\', 0, 1);
        for (int i_name = 0; i_name < a_names.GetSize(); ++i_name) {
            const ZelObjectName name(a_names[i_name], RVXObject<&ktPropertyKeyGen>::kMaxNameLength);
            if (name.IsEmpty())
                continue;
            const int i_style = styles.FindByName(name.GetName());
            if (i_style < 0) {
                s_message = ZelFormatError(IDS_ROSTER_STYLE_UNKNOWN, name.GetName(), s_previous);
                b_ok = FALSE;
                continue;
            }
            InsertSorted(RosterStyle(styles[i_style].GetKey(), l_order));
            s_previous = name.GetName();
        }
    }
    return b_ok;
}

void RosterStyleArray::RemoveUnusedStyles(const SortedKeyArray& a_keys)
{
    int i = 0;
    while (i < GetSize()) {
        if (a_keys.Find(GetAt(i).lStyleKey) >= 0)
            ++i;
        else
            RemoveAt(i);
    }
}

void RosterStyleArray::SetFromKeyList(const KeyList& keys)
{
    RemoveAll();
    LONG l_order = 1;
    for (int i_slot = 0; i_slot < keys.GetMaxKeys(); ++i_slot) {
        if (keys[i_slot] != -1)
            InsertSorted(RosterStyle(keys[i_slot], l_order++));
    }
}

// ---- ParticipantRole ----

void ParticipantRole::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        RVXObject::Serialize(ar);
        RosterStyles.Serialize(ar);
        ar << static_cast<DWORD>(bOrdered);
        RosterLimit.Serialize(ar);
        return;
    }
    const UINT u_version = GetArchiveVersion(ar);
    RVXObject::Serialize(ar);
    if (u_version < 30) {
        KeyList keys(5);
        keys.Serialize(ar);
        RosterStyles.SetFromKeyList(keys);
    } else {
        RosterStyles.Serialize(ar);
    }
    DWORD u_ordered = 0;
    ar >> u_ordered;
    bOrdered = static_cast<BOOL>(u_ordered);
    if (u_version >= 35)
        RosterLimit.Serialize(ar);
    else
        RosterLimit = RosterLim();
}

// ---- ParticipantRoleList ----

std::string ParticipantRoleList::GetRoleName(LONG l_key) const
{
    const int i_role = FindByKey(l_key);
    return i_role < 0 ? std::string() : GetAt(i_role).GetName();
}

int ParticipantRoleList::GetNumRolesWithStyles() const
{
    int n_roles = 0;
    for (int i = 0; i < GetCount(); ++i) {
        if (GetAt(i).GetRosterStyles().GetSize() > 0)
            ++n_roles;
    }
    return n_roles;
}
