// Participants: the people rostering places into groups, and the
// document's list of them.
//
// A participant carries either roster styles and a roster limit of its own
// or follows a participant role that carries them; the effective styles
// and limit are looked up through the document. Its usual role is a
// separate thing: roles live only while some participant names one as its
// usual role.
//
// The list keeps two indexes, from the key and from the full name to the
// position, each rebuilt on the next lookup after it was marked stale.
// Removing participants keeps both current without rebuilding them.
#pragma once

#include "framework/Types.h"
#include "model/ContactNumbers.h"
#include "model/ListRoom.h"
#include "model/ParticipantRole.h"
#include "model/SchedEntity.h"
#include "model/SchedLim.h"
#include "zelkit/values/ZelAddress.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/base/ZelKeyedObject.h"
#include "zelkit/values/ZelName.h"

#include <cstdint>
#include <string>
#include <unordered_map>

class CArchive;
class Day;
class EventDoc;
class Preferences;
class Timeslot;

// Texts of participants and their list.
enum : UINT {
    IDS_PARTICIPANT_EXISTS = 1036,      // "Cannot %1 participant.  Participant '%2' already exists."
    IDS_PARTICIPANT_KEY_EXISTS = 1040,  // "Cannot add participant '%1'. Duplicate participant key."
    IDS_PARTICIPANT_INVALID = 2014,     // "'%1' is an invalid participant"
    IDS_PARTICIPANT_ADD_FAILED = 10006, // "Cannot add '%1'.  An undefined error has occurred. ..."
    IDS_PARTICIPANT_IN_GROUP = 3004,    // "The participant is a member of the group '%1' ..."
    IDS_CHECK_GROUP_MAX_SUM = 5035,
    IDS_CHECK_GROUP_MIN_SUM = 5036,
};

class Participant : public SchedEntity, public ContactNumbers {
public:
    enum { kMaxFirst = 20, kMaxMiddle = 30, kMaxLast = 20 };
    // What Check looks at.
    enum : DWORD { e_check_limits = 1, e_check_groups = 4, e_check_roster = 8 };

    // A new participant takes the next participant key.
    Participant();
    Participant(const Participant& src) = default;
    // Leaves src as a record to drop.
    Participant(Participant&& src) = default;
    Participant& operator=(const Participant& src) = default;
    ~Participant() override = default;

    LONG GetKey() const { return lKey; }
    void SetKey(LONG l_key) { lKey = l_key; }
    ZelFullName& GetNameObject() { return Name; }
    const ZelFullName& GetNameObject() const { return Name; }
    std::string GetFullName() const { return Name.GetFullName(); }
    void SetName(const std::string& s_name) { Name.SetName(s_name); }
    void SetName(const std::string& s_first, const std::string& s_middle, const std::string& s_last)
    {
        Name.SetName(s_first, s_middle, s_last);
    }
    ZelSimpleAddress& GetAddress() { return Address; }
    const ZelSimpleAddress& GetAddress() const { return Address; }

    LONG GetUsualRoleKey() const { return lUsualRole; }
    void SetUsualRoleKey(LONG l_key) { lUsualRole = l_key; }
    // The usual role's name; empty when there is none.
    std::string GetUsualRoleName(const EventDoc* p_doc) const;

    // The participant's own roster settings.
    RosterStyleArray& GetOwnRosterStyles() { return RosterStyles; }
    const RosterStyleArray& GetOwnRosterStyles() const { return RosterStyles; }
    BOOL GetOrdered() const { return bOrdered; }
    void SetOrdered(BOOL b_ordered) { bOrdered = b_ordered; }
    DWORD GetRosterWord2() const { return uRosterWord2; }
    void SetRosterWord2(DWORD u_word) { uRosterWord2 = u_word; }
    BOOL GetByRole() const { return bByRole; }
    void SetByRole(BOOL b_byRole) { bByRole = b_byRole; }
    LONG GetRosterRoleKey() const { return lRosterRole; }
    void SetRosterRoleKey(LONG l_key) { lRosterRole = l_key; }
    RosterLim& GetOwnRosterLim() { return RosterLimit; }
    const RosterLim& GetOwnRosterLim() const { return RosterLimit; }
    void SetOwnRosterLim(const RosterLim& limit) { RosterLimit = limit; }

    // The effective roster styles and their ordered flag: the
    // participant's own, or while it follows a role the role's (a shared
    // empty array and 0 for a role that is not there).
    const RosterStyleArray& GetRosterStyles(const EventDoc* p_doc, BOOL& b_ordered) const;
    // The effective roster limit: its own, or the role's (a shared default
    // limit for a role that is not there).
    const RosterLim& GetRosterLim(const EventDoc* p_doc) const;

    // The participant defaults of the preferences.
    void ApplyDefaults(const Preferences& prefs);
    // A participant needs a name.
    BOOL IsValid() const { return !Name.IsEmpty(); }

    // With e_check_limits the entity check, and with b_days and
    // e_check_groups its event limits against those of its groups; with
    // e_check_roster its roster limit against its roster styles; with
    // b_days and e_check_groups each of its groups' member check with this
    // participant standing in for the stored one.
    BOOL Check(EventDoc* p_doc, std::string& s_message, DWORD u_flags, BOOL b_days) const;
    // Drops what refers to deleted things: roster styles no group uses
    // (a_groupStyles, sorted), a rostering role that is gone or has no
    // roster styles, and what the base drops.
    void Revalidate(EventDoc* p_doc, const SortedKeyArray& a_groupStyles);

    // The base, key, name, contact values, usual role and roster settings,
    // as each file version held them. Files before version 29 name the
    // usual role, which is found or added in the document's role list.
    void Serialize(CArchive& ar) override;
    // Some slot of the day the participant is available in.
    BOOL IsPlaceableOnDay(const EventDoc* p_doc, const Day& day) const override;
    // Its not-available times (the neighbouring days looked at as well)
    // leave the slot free.
    BOOL IsAvailable(const EventDoc* p_doc, LONG l_dayId, const Timeslot& slot) const override;
    // The most available slots of the day in any one venue.
    int GetMaxAvailableSlots(const EventDoc* p_doc, const Day& day) const override;

    // The program-wide participant key counter: the key the next
    // participant takes.
    static LONG GetKeyCounter();
    static void SetKeyCounter(LONG l_next);

private:
    BOOL CheckGroupLimits(const EventDoc* p_doc, std::string& s_message) const;
    BOOL CheckGroups(EventDoc* p_doc, std::string& s_message) const;
    static LONG ConvertRoleName(CArchive& ar, const std::string& s_name);

    LONG lKey;
    ZelFullName Name{kMaxFirst, kMaxMiddle, kMaxLast};
    ZelSimpleAddress Address{40, 9};
    LONG lUsualRole = -1;
    RosterStyleArray RosterStyles;
    BOOL bOrdered = 0;
    DWORD uRosterWord2 = 0;
    BOOL bByRole = 0;
    LONG lRosterRole = -1;
    RosterLim RosterLimit;
};

class ParticipantList {
public:
    // Results of Add.
    enum { added = 0, nameExists = 2, keyExists = 3, notValid = 4 };
    static constexpr int kInitialRoom = 100;

    ParticipantList();
    ParticipantList(const ParticipantList&) = delete;
    ParticipantList& operator=(const ParticipantList&) = delete;
    virtual ~ParticipantList() = default;

    int GetNumParticipants() const { return Participants.GetSize(); }
    int GetCount() const { return Participants.GetSize(); }
    const Participant& GetAt(int i) const { return Participants[i]; }
    const Participant& operator[](int i) const { return Participants[i]; }
    // A participant for change. A caller that changes its key or name
    // marks the index stale (InvalidateKeyIndex, InvalidateNameIndex).
    Participant& GetAt(int i) { return Participants[i]; }
    Participant& operator[](int i) { return Participants[i]; }

    // The position of the participant with the key (or full name), or -1.
    int FindByKey(LONG l_key) const;
    int FindByName(const std::string& s_fullName) const;
    // Another participant (another key) has the same full name.
    BOOL IsDuplicateName(const Participant& participant) const;

    // 4 invalid, 2 duplicate name, 3 duplicate key, else appends a copy
    // and returns 0.
    int Add(const Participant& participant);
    // The same for a participant that is moved into the list when added.
    int Add(Participant&& participant);
    // Add, with a non-zero result turned into the text for the user
    // (b_quiet: the short texts of an import); the message is left alone
    // when the participant was added.
    int AddParticipant(const Participant& participant, std::string& s_message, BOOL b_quiet);
    // Removes one participant; both indexes stay current without a
    // rebuild.
    void RemoveParticipant(int i);
    // Removes the participants at the ascending positions; a current index
    // stays current, a stale one stale.
    void RemoveParticipants(const ZelArray<int>& a_positions);
    void RemoveAll();
    // Gives back the room beyond the participants there are (after many
    // went).
    void FreeExtra() { Participants.FreeExtra(); }
    // Room for n_more participants to be added, as a file's list is read:
    // the array takes them without copying the list, and both indexes are
    // current with tables sized for them.
    void MakeRoom(int n_more);
    // Participants read in one go, as an event file's: while it lives,
    // nothing but Add changes the list. The list has room and its key index
    // a table for the n_expected participants to come, and Add finds a full
    // name taken through hashes of the names made for the read; the name
    // index, which nothing asks during a read, is made again when next
    // asked. The answers are those of the name index.
    class Reading {
    public:
        Reading(ParticipantList& list, int n_expected);
        ~Reading();
        Reading(const Reading&) = delete;
        Reading& operator=(const Reading&) = delete;

        // A blank participant at the list's end for the file's next record
        // to be read into, so that a record is never moved into the list;
        // Keep then tests and keeps it as Add would, or takes it out again
        // and gives Add's refusal. A record whose read fails is taken out
        // when the reading ends.
        Participant& Next();
        int Keep();

    private:
        ParticipantList& List;
        RecordToRead<Participant> Record;
    };

    // Exchanges the participants of two lists.
    void Swap(ParticipantList& other);
    // Revalidates every participant against the document.
    void RevalidateAll(EventDoc* p_doc);

    void RebuildKeyIndex() const;
    // The same with the index's table sized for n_room participants.
    void RebuildKeyIndex(int n_room) const;
    void RebuildNameIndex() const;
    BOOL IsKeyIndexValid() const { return bKeyIndexValid; }
    BOOL IsNameIndexValid() const { return bNameIndexValid; }
    void InvalidateKeyIndex() { bKeyIndexValid = FALSE; }
    void InvalidateNameIndex() { bNameIndexValid = FALSE; }

    static LONG GetKeyCounter() { return Participant::GetKeyCounter(); }
    static void SetKeyCounter(LONG l_next) { Participant::SetKeyCounter(l_next); }

private:
    ZelArray<Participant> Participants;
    mutable ZelKeyIndex<int> KeyIndex;
    mutable BOOL bKeyIndexValid = FALSE;
    // Nothing outside depends on the order of this index, so a standard
    // map of the name bytes serves.
    mutable std::unordered_map<std::string, int> NameIndex;
    mutable BOOL bNameIndexValid = FALSE;
    // During a Reading: the full names of the list by position.
    NameHashes ReadNames;
    BOOL bReading = FALSE;

    int AddRead(Participant&& participant);
    // During a Reading: added, or why Add refuses the participant; the
    // hash of its full name.
    int ReadRefusal(const Participant& participant, std::uint64_t& u_nameHash) const;
    // During a Reading: the participant that joined at i_new takes its key
    // and its name hash.
    void ReadJoined(int i_new, std::uint64_t u_nameHash);
};

// Brings the role list in line with the participants and groups: roles no
// participant has as its usual role go; the others lose the roster styles
// no group uses.
void RevalidateParticipantRoles(EventDoc* p_doc);
