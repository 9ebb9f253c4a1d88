// Groups: what the build places into venue-and-timeslot cells. A group has
// contact details, members (participants, each with the role it fills in
// the group), the styles it wants and the facilities it needs, a share of
// its placements per venue, a rotation requirement through the venues and
// a largest size for rostering, besides the limits and times every
// scheduled entity has.
//
// Whether a venue suits a group (by styles and facilities) is a function
// of the two alone; the group's own availability tests and the build
// engine's placement checks share it.
#pragma once

#include "framework/Types.h"
#include "model/ContactNumbers.h"
#include "model/General.h"
#include "model/KeyList.h"
#include "model/SchedEntity.h"
#include "model/Venue.h"
#include "zelkit/values/ZelAddress.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/base/ZelKeyedObject.h"
#include "zelkit/values/ZelName.h"

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CArchive;
class Day;
class EventDoc;
class Group;
class Preferences;
class Timeslot;
class ZelTimeslotCombinationList;

// Texts of groups.
enum : UINT {
    IDS_GROUP_NOUN = 59148,
    IDS_CHECK_MEMBER_DAY_MAX = 5038,
    IDS_CHECK_MEMBER_DAY_MAX_TIMES_DAYS = 5040,
};

// One member of a group: the participant, the role it fills in the group
// (empty for none) and whether rostering added it (1) or a user or an
// import did (0).
class AGroupMember {
public:
    AGroupMember() = default;
    AGroupMember(LONG l_participantKey, const std::string& s_role, BOOL b_rostered)
        : lParticipantKey(l_participantKey), sRole(s_role), bRostered(b_rostered) {}
    virtual ~AGroupMember() = default;
    AGroupMember(const AGroupMember&) = default;
    AGroupMember& operator=(const AGroupMember&) = default;

    bool operator==(const AGroupMember& other) const
    {
        return lParticipantKey == other.lParticipantKey && sRole == other.sRole && bRostered == other.bRostered;
    }
    bool operator!=(const AGroupMember& other) const { return !(*this == other); }

    // The participant key, the role text and (from file version 28) the
    // rostered flag.
    void Serialize(CArchive& ar);
    // Reading with the file version given, which a list of members asks
    // once for all of them.
    void Load(CArchive& ar, UINT u_version);

    LONG lParticipantKey = -1;
    std::string sRole;
    BOOL bRostered = 0;
};

template <>
struct ZelElementMinBytes<AGroupMember> {
    static constexpr std::size_t value = 4 + 1;
};

template <>
void SerializeElements<AGroupMember>(CArchive& ar, AGroupMember* p_members, int n_count);

// Participant key to member position, sorted by key. A group has few
// members and every event has many groups: unlike a hash index it takes no
// memory while empty. Up to kInlineEntries entries stand in the index
// itself, so that a small group's index, which every group made, copied
// and dropped (a file's groups as it is read) pays for, is no block of its
// own; a larger one is one block.
class MemberIndex {
public:
    using Entry = std::pair<LONG, int>;
    static constexpr int kInlineEntries = 6;

    BOOL Lookup(LONG l_key, int& i_value) const;
    // Adds the key or replaces its position.
    void SetAt(LONG l_key, int i_value);
    void RemoveKey(LONG l_key);
    void RemoveAll();
    void Reserve(int n);
    // The keys with their positions at once; a key given twice keeps its
    // last position, as SetAt in turn would leave it.
    void Assign(std::vector<Entry> v_entries);
    // The same for the keys of positions 0 to n - 1, f_key(i) giving each.
    template <class KeyAt>
    void AssignPositions(int n, KeyAt f_key);
    int GetCount() const { return bOnHeap ? static_cast<int>(vEntries.size()) : nInline; }

private:
    const Entry* Begin() const { return bOnHeap ? vEntries.data() : aInline; }
    // Moves the inline entries to the block, with room for n_room.
    void MoveToHeap(std::size_t n_room);
    // SetAt among the inline entries, which have room for one more: a
    // short walk back from the last, inline, as every group of a file is
    // indexed as it is read.
    void PutInline(LONG l_key, int i_value)
    {
        int j = nInline;
        while (j > 0 && aInline[j - 1].first > l_key)
            --j;
        if (j > 0 && aInline[j - 1].first == l_key) {
            aInline[j - 1].second = i_value;
            return;
        }
        std::move_backward(aInline + j, aInline + nInline, aInline + nInline + 1);
        aInline[j] = Entry(l_key, i_value);
        ++nInline;
    }

    Entry aInline[kInlineEntries];
    int nInline = 0;
    BOOL bOnHeap = FALSE;
    std::vector<Entry> vEntries;
};

template <class KeyAt>
void MemberIndex::AssignPositions(int n, KeyAt f_key)
{
    if (n > kInlineEntries) {
        std::vector<Entry> v_entries;
        v_entries.reserve(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            v_entries.emplace_back(f_key(i), i);
        Assign(std::move(v_entries));
        return;
    }
    RemoveAll();
    for (int i = 0; i < n; ++i) {
        if (bOnHeap)
            SetAt(f_key(i), i);
        else
            PutInline(f_key(i), i);
    }
}

// The members of a group in member order, with an index from participant
// key to position.
class GroupMembers {
public:
    GroupMembers();
    GroupMembers(const GroupMembers& src);
    // Takes src's members; src is left to be dropped.
    GroupMembers(GroupMembers&& src);
    // Copies the members and rebuilds the index.
    GroupMembers& operator=(const GroupMembers& src);
    virtual ~GroupMembers() = default;

    bool operator==(const GroupMembers& other) const;
    bool operator!=(const GroupMembers& other) const { return !(*this == other); }

    int GetSize() const { return Members.GetSize(); }
    const AGroupMember& operator[](int i) const { return Members[i]; }
    const AGroupMember& GetAt(int i) const { return Members[i]; }
    // The position of the participant's entry, or -1.
    int Find(LONG l_participantKey) const;
    BOOL HasMember(LONG l_participantKey) const { return Find(l_participantKey) >= 0; }

    // Updates the participant's entry, or appends one.
    void SetMember(LONG l_participantKey, const std::string& s_role, BOOL b_rostered);
    // Removes member i; the members behind it move up.
    void RemoveAt(int i);
    void RemoveAll();
    void RebuildIndex();
    // Gives the index room for the members and n more, and lets the array
    // grow by n at a time.
    void Reserve(int n);
    // Drops members whose participant the document no longer has.
    void Revalidate(const EventDoc* p_doc);

    // The members in the framework's array form; the index is rebuilt.
    void Serialize(CArchive& ar);

private:
    ZelArray<AGroupMember> Members;
    MemberIndex Index;
};

// TRUE when the venue suits the group: a venue with styles needs a group
// with one of them; every facility the group needs must be the venue's.
BOOL IsVenueSuitable(const Group& group, const Venue& venue);

class Group : public SchedEntity, public ContactNumbers {
public:
    enum { kMaxNameLength = 500, kNumKeySlots = 5 };
    enum { kDefaultMaxGroupSize = 99999 };
    // Rotation through the venues: none, a new venue each day, or a new
    // venue each time the group is placed within a day.
    enum { e_no_rotation = 0, e_event_rotation = 1, e_day_rotation = 2 };

    // A new group takes the next group key.
    Group();
    // A blank record for a file's group to be read into: the read gives its
    // key, and the kind's noun, which every group of one read shares, is
    // looked up once for the read.
    struct ReadBlank {
        std::string sKindNoun;
    };
    explicit Group(const ReadBlank& blank);
    Group(const Group& src);
    // Takes src's lists; src is left to be dropped.
    Group(Group&& src);
    Group& operator=(const Group& src);
    ~Group() override = default;

    // Everything but the key and the selected flag.
    bool operator==(const Group& other) const;
    bool operator!=(const Group& other) const { return !(*this == other); }

    LONG GetKey() const { return lKey; }
    void SetKey(LONG l_key) { lKey = l_key; }
    std::string GetName() const { return Name.GetName(); }
    // The name without a copy.
    const std::string& GetNameText() const { return Name.GetNameText(); }
    void SetName(const std::string& s_name) { Name.SetName(s_name); }
    ZelSimpleName& GetContact() { return Contact; }
    const ZelSimpleName& GetContact() const { return Contact; }
    ZelSimpleAddress& GetAddress() { return Address; }
    const ZelSimpleAddress& GetAddress() const { return Address; }
    KeyList& GetStyles() { return Styles; }
    const KeyList& GetStyles() const { return Styles; }
    KeyList& GetFacilities() { return Facilities; }
    const KeyList& GetFacilities() const { return Facilities; }
    UINT GetRotation() const { return eRotation; }
    void SetRotation(UINT e_rotation) { eRotation = e_rotation; }
    LONG GetMaxGroupSize() const { return lMaxGroupSize; }
    void SetMaxGroupSize(LONG l_size) { lMaxGroupSize = l_size; }
    VenueAllocArray& GetVenueAllocs() { return VenueAllocs; }
    const VenueAllocArray& GetVenueAllocs() const { return VenueAllocs; }
    // Changes to the members leave the availability cache stale.
    GroupMembers& GetMembers();
    const GroupMembers& GetMembers() const { return Members; }
    BOOL IsSelected() const { return bSelected; }
    void SetSelected(BOOL b_selected) { bSelected = b_selected; }
    // The cache of members with not-available times is worked out again on
    // the next availability test.
    void InvalidateAvailabilityCache() { bCacheValid = FALSE; }
    BOOL IsAvailabilityCacheValid() const { return bCacheValid; }

    // The base, key, names, contact values, keys, members, rotation,
    // venue allocations and largest size, as each file version held them.
    // A rotation outside 0 to 2 refuses the file.
    void Serialize(CArchive& ar) override;
    // Some venue the group suits has a slot of the day it is available in.
    BOOL IsPlaceableOnDay(const EventDoc* p_doc, const Day& day) const override;
    // Neither the group nor a member with not-available times is
    // unavailable in the slot (the neighbouring days looked at as well).
    BOOL IsAvailable(const EventDoc* p_doc, LONG l_dayId, const Timeslot& slot) const override;
    // The most available slots of the day in one venue the group suits.
    int GetMaxAvailableSlots(const EventDoc* p_doc, const Day& day) const override;

    // IsAvailable without the cache, on the slot's own day only.
    BOOL IsAvailableAt(const EventDoc* p_doc, LONG l_dayId, const Timeslot& slot) const;
    void RebuildAvailabilityCache(const EventDoc* p_doc) const;

    // Drops what refers to things the document no longer has: members,
    // style and facility keys (their slots become free), venue
    // allocations, and what the base drops.
    void Revalidate(EventDoc* p_doc);

    // The allocation to the venue; a shared default allocation (venue key
    // -1) when there is none.
    const VenueAlloc& GetVenueAlloc(LONG l_venueKey) const;
    std::string GetVenueAllocText(const EventDoc* p_doc) const;
    // "GRTAG" and the name's ASCII letters and digits.
    std::string GetHtmlAnchor() const;
    // Where the group is locked into the timetable: "day
    // start[...end] ([combination,]venue)" for each locked slot holding it,
    // joined by ","; empty without a timetable. Placements the next build
    // may move are not listed: the schedule texts list every placement.
    // The combination names come from the list when one is given.
    std::string GetDetailsText(const EventDoc* p_doc, BOOL b_withEnd,
                               const ZelTimeslotCombinationList* p_combinations = nullptr) const;
    // The members' names (with " (role)" when b_roles and the member has a
    // role), one entry per member whose participant exists.
    std::vector<std::string> GetMemberNames(const EventDoc* p_doc, BOOL b_roles) const;
    // The entries joined by ", ", cut with ",..." before passing n_width
    // characters (four less for the last entry, six while more follow).
    std::string GetMembersText(const EventDoc* p_doc, int n_width, BOOL b_roles) const;
    // The same measured by the device: the entries are cut to what fits
    // n_width (with b_wrap, the text is wrapped into lines joined by
    // "\r\n" first); p_extent receives the measured size.
    std::string GetMembersText(const EventDoc* p_doc, int n_width, BOOL b_roles, BOOL b_wrap,
                               const MeasureText& f_measure, TextExtent* p_extent = nullptr) const;
    // The group defaults of the preferences.
    void ApplyDefaults(const Preferences& prefs);

    // With bit 0 of the flags, Check; else TRUE.
    BOOL Validate(const EventDoc* p_doc, std::string& s_message, DWORD u_flags, BOOL b_days,
                  LONG l_participantKey = -1) const;
    // The base check, then each member's (or the one participant's) day
    // maximum against the group's day and event minimums.
    BOOL Check(const EventDoc* p_doc, std::string& s_message, BOOL b_days, LONG l_participantKey) const;
    // A group needs a name.
    BOOL IsValid() const { return !Name.IsEmpty(); }

    // The program-wide group key counter: the key the next group takes.
    static LONG GetKeyCounter();
    static void SetKeyCounter(LONG l_next);

private:
    BOOL IsAvailableForMembers(const EventDoc* p_doc, LONG l_dayId, const Timeslot& slot) const;
    int CountAvailableSlots(const EventDoc* p_doc, const Day& day, int i_venue) const;

    LONG lKey;
    ZelObjectName Name{kMaxNameLength};
    ZelSimpleName Contact{20, 20};
    ZelSimpleAddress Address{40, 9};
    KeyList Styles{kNumKeySlots};
    KeyList Facilities{kNumKeySlots};
    UINT eRotation = e_no_rotation;
    LONG lMaxGroupSize = kDefaultMaxGroupSize;
    VenueAllocArray VenueAllocs;
    GroupMembers Members;
    BOOL bSelected = 0;
    // Members whose participant has not-available times; made when first
    // asked for, since most groups are never asked.
    mutable std::unique_ptr<ZelKeyIndex<BYTE>> pAvailabilityCache;
    mutable BOOL bCacheValid = FALSE;
};
