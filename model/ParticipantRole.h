// Roster styles and participant roles.
//
// Rostering matches participants to groups by style. A roster style is one
// style with an order number; a participant's (or a role's) roster styles
// are kept sorted by order, then style key, and with the ordered flag set
// the order numbers form a sequence that rostering keeps. A participant role
// is a named set of roster styles with a roster limit that participants can
// follow instead of carrying their own.
#pragma once

#include "framework/Types.h"
#include "model/KeyList.h"
#include "model/RVXObject.h"
#include "model/SchedLim.h"
#include "zelkit/base/ZelArray.h"

#include <string>

class CArchive;
class EventDoc;

// Texts of the roster-style text form.
enum : int {
    IDS_ROSTER_STYLES_FORMAT = 2016, // "Wrong format ... Expected '%1'."
    IDS_ROSTER_STYLE_UNKNOWN = 2017, // "Unknown style '%1' (after '%2')."
};

class RosterStyle {
public:
    RosterStyle() = default;
    RosterStyle(LONG l_styleKey, LONG l_order) : lStyleKey(l_styleKey), lOrder(l_order) {}

    // By order, then by style key.
    bool operator<(const RosterStyle& other) const
    {
        return lOrder < other.lOrder || (lOrder == other.lOrder && lStyleKey < other.lStyleKey);
    }
    bool operator==(const RosterStyle& other) const
    {
        return lStyleKey == other.lStyleKey && lOrder == other.lOrder;
    }
    bool operator!=(const RosterStyle& other) const { return !(*this == other); }

    // The style key, then the order.
    void Serialize(CArchive& ar);

    LONG lStyleKey = -1;
    LONG lOrder = 0;
};

template <>
struct ZelElementMinBytes<RosterStyle> {
    static constexpr std::size_t value = 8;
};

// Style keys in ascending order, as the document collects them from its
// groups.
using SortedKeyArray = ZelSortedArray<LONG>;

class RosterStyleArray : public ZelSortedArray<RosterStyle> {
public:
    // Inserts at the element's sorted position (before an equal one);
    // returns that position.
    int InsertSorted(const RosterStyle& style);

    // The text form: empty unless b_ordered; else "Ordered:" and the style
    // names with "#n: " before each new order number, for example
    // Ordered:#1: Drums, Bass, #2: Keys. Styles the document no longer has
    // are left out; b_quote puts each name in double quotes.
    std::string FormatText(const EventDoc* p_doc, BOOL b_ordered, BOOL b_quote) const;
    std::string GetText(const EventDoc* p_doc, BOOL b_ordered) const { return FormatText(p_doc, b_ordered, FALSE); }

    // Adds the styles of a text in the form FormatText writes to what the
    // array holds. Reads everything it can; TRUE when nothing was wrong,
    // else FALSE with the last error's text in s_message (left alone when
    // nothing was wrong). b_ordered becomes 1 for a text that begins with
    // "Ordered:", else 0.
    BOOL SetFromText(const std::string& s_text, const EventDoc* p_doc, BOOL& b_ordered, std::string& s_message);

    // Removes every roster style whose style key is not in the sorted key
    // array.
    void RemoveUnusedStyles(const SortedKeyArray& a_keys);

    // The roster styles of an old file's key list: every used slot in slot
    // order becomes a roster style with orders 1, 2, 3 and so on, in place
    // of what the array held.
    void SetFromKeyList(const KeyList& keys);
};

// The participant-role key counter: the key the next role takes.
extern LONG ParticipantRoleKeyGen;

class ParticipantRole : public RVXObject<&ParticipantRoleKeyGen> {
public:
    // No roster styles, not ordered, a default roster limit.
    ParticipantRole() = default;
    explicit ParticipantRole(const std::string& s_name) { Name.SetName(s_name); }
    ParticipantRole(const ParticipantRole& src) = default;
    ParticipantRole& operator=(const ParticipantRole& src) = default;

    void SetName(const std::string& s_name) { Name.SetName(s_name); }
    RosterStyleArray& GetRosterStyles() { return RosterStyles; }
    const RosterStyleArray& GetRosterStyles() const { return RosterStyles; }
    BOOL GetOrdered() const { return bOrdered; }
    void SetOrdered(BOOL b_ordered) { bOrdered = b_ordered; }
    RosterLim& GetRosterLim() { return RosterLimit; }
    const RosterLim& GetRosterLim() const { return RosterLimit; }
    void SetRosterLim(const RosterLim& limit) { RosterLimit = limit; }

    // Key, name, roster styles, ordered flag, roster limit. Files before
    // version 30 hold a list of style keys in place of the roster styles,
    // files before version 35 no roster limit.
    void Serialize(CArchive& ar) override;

    static LONG GetKeyCounter() { return ParticipantRoleKeyGen; }
    static void SetKeyCounter(LONG l_next) { ParticipantRoleKeyGen = l_next; }

private:
    RosterStyleArray RosterStyles;
    BOOL bOrdered = 0;
    RosterLim RosterLimit;
};

class ParticipantRoleList : public RVXObjectList<ParticipantRole> {
public:
    // The name of the role with the key; empty when there is none.
    std::string GetRoleName(LONG l_key) const;
    // The number of roles with at least one roster style.
    int GetNumRolesWithStyles() const;
};
