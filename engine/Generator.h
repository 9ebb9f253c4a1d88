// The placement checks: whether a group may be, or may stay, placed in a
// timeslot of a venue on a day. Venue suitability by styles and
// facilities, participants shared with groups in time-overlapping
// timeslots of other venues, travel time between venues, the day and venue
// rules attached to a timeslot, rotation through the venues, the maximums,
// availability, and the full verification of one placed timeslot with its
// messages.
//
// The build and its searches call the quiet tests, which report nothing;
// the timetable's re-fit after the user changed or locked timeslots in the
// day grid calls the clash repair and the verification; the build map asks
// about suitability. A Generator is a small object each caller makes on
// its stack.
//
// Texts of a failed verification go out through one channel: with
// bUserCheck set as a warning box with the text as it stands, else inside
// internal error 10008 (under its "Error code" line). The message that a
// locked group is not available (1076) is always a warning box.
//
// Days are the timetable's days by index (a Day where the day's name or
// identifier is needed too), venues the document's venue list, groups the
// document's group list. Two timeslots overlap when their intervals
// intersect (half open); only timeslots of other venues of the same day
// are compared, and only venues the document has.
#pragma once

#include "engine/BuildTables.h"
#include "engine/TTLoc.h"
#include "framework/Types.h"

#include <list>
#include <string>
#include <vector>

class BuildTables;
class Chunk;
class Day;
class EventDoc;
class Group;
class GroupList;
class KeyList;
class SelCounters;
class TTMap;
class Timeslot;
class Venue;

// Texts of the placement checks.
enum : UINT {
    IDS_LOCKED_GROUP_UNAVAILABLE = 1076,
    IDS_BUILD_INTERNAL_ERROR = 10008,
};

class Generator {
public:
    // Group indexes, the one most recently counted at the head.
    using GroupIndexList = std::list<int>;

    explicit Generator(BOOL b_user_check = FALSE) : bUserCheck(b_user_check) {}
    virtual ~Generator() = default;

    BOOL IsUserCheck() const { return bUserCheck; }
    // A build's tables of the facts that do not change while it runs, read
    // in place of the walks they stand for (null: none). The caller keeps
    // them while the generator is in use.
    void SetTables(const BuildTables* p_tables) { pTables = p_tables; }
    const BuildTables* GetTables() const { return pTables; }

    // ---- quiet tests ----

    // The venue suits the group by styles and facilities (the model's own
    // test).
    BOOL IsVenueSuitable(const Group& group, const Venue& venue) const;
    // The same group, or two groups with a participant in common. The key
    // out is the first shared participant found walking the smaller
    // group's members (for one group its first member, -1 without any).
    BOOL GroupsShareParticipant(const GroupList& groups, int i_group_a, int i_group_b,
                                LONG* p_part_key = nullptr) const;
    // A time-overlapping timeslot of another venue of the day (other than
    // p_ignore) holds a group that shares a participant with the group.
    BOOL HasClashAt(const EventDoc* p_doc, const Day& day, const Timeslot& slot, int i_group,
                    const Timeslot* p_ignore = nullptr) const;
    // Appends the cells of those clashing placements (only the locked ones
    // with b_locked_only), venue by venue; returns how many.
    int FindClashLocations(const EventDoc* p_doc, const Day& day, const Timeslot& slot, int i_group,
                           TTLocArray& a_locs, BOOL b_locked_only) const;
    // The same on the timeslot's own day.
    int FindClashLocations(const EventDoc* p_doc, const Timeslot& slot, int i_group, TTLocArray& a_locs,
                           BOOL b_locked_only) const;
    // Adds the group keys of every placement in a time-overlapping
    // timeslot of another venue (only locked ones with b_locked_only);
    // returns how many keys the list did not hold before.
    int GetOverlappingGroups(const EventDoc* p_doc, const Day& day, const Timeslot& slot, KeyList& keys,
                             BOOL b_locked_only) const;
    int GetOverlappingGroups(const EventDoc* p_doc, const Timeslot& slot, KeyList& keys, BOOL b_locked_only) const;
    // The participant's nearest placement on the timeslot's day, in any
    // venue: with b_before the one ending latest at or before the
    // timeslot's start, else the one starting earliest at or after its
    // end (the first venue's of equals). FALSE when there is none.
    BOOL FindNearestPlacement(const EventDoc* p_doc, const Timeslot& slot, LONG l_part_key, BOOL b_before,
                              TTLoc& loc) const;
    // Appends, once each, the placements of the timeslot's day whose group
    // shares with the group a participant that has no room left: its day
    // maximum reached, or, for a placement in the timeslot's venue, the
    // maximum of its limit for that venue. Nothing while the counters do
    // not count participants. Returns how many.
    int FindLimitBlockers(const EventDoc* p_doc, int i_group, const Timeslot& slot, TTLocArray& a_locs,
                          const SelCounters& counters) const;
    // The same given the timeslot's day, as the document's timetable has
    // it (a search that has found it once spares the look-up).
    int FindLimitBlockers(const EventDoc* p_doc, const Day& day, int i_group, const Timeslot& slot,
                          TTLocArray& a_locs, const SelCounters& counters) const;
    // Appends the placements of other venues of the timeslot's day that
    // end less than the travel time before its start or start less than
    // the travel time after its end and whose group shares a participant
    // with the group. Returns how many.
    int FindTravelClashLocations(const EventDoc* p_doc, int i_group, const Timeslot& slot, TTLocArray& a_locs) const;
    // The same given the timeslot's day, as the document's timetable has it.
    int FindTravelClashLocations(const EventDoc* p_doc, const Day& day, int i_group, const Timeslot& slot,
                                 TTLocArray& a_locs) const;
    // Every member of the group has the travel time between the timeslot
    // and its nearest placements before and after it in other venues (a
    // gap of exactly the travel time is enough). With b_locked_only only a
    // locked neighbour that is too near fails the test. The caller asks
    // only while the event allows travel time between venues.
    BOOL CheckTravelTime(const EventDoc* p_doc, int i_group, const Timeslot& slot, BOOL b_locked_only) const;
    BOOL CheckTravelTime(const EventDoc* p_doc, int i_group, int i_day, int i_venue, int i_slot,
                         BOOL b_locked_only) const;
    // Every day rule (venue rule) attached to the timeslot, in the order
    // of its list, lets the group go there.
    BOOL CheckDayRules(const EventDoc* p_doc, const Group& group, const Timeslot& slot, BOOL b_locked_only) const;
    BOOL CheckVenueRules(const EventDoc* p_doc, const Group& group, const Timeslot& slot, BOOL b_locked_only) const;
    // Placing the group into the chunk keeps its rotation through the
    // venues, judged by its run counts and the cells the build map allows
    // it.
    BOOL CheckRotation(const EventDoc* p_doc, const TTMap& map, int i_group, const Chunk& chunk,
                       const SelCounters& counters) const;

    // ---- changes ----

    // Empties a unless it is locked, else b unless it is locked; FALSE,
    // with both as they were, when both are locked.
    static BOOL ClearOneOf(Timeslot& slot_a, Timeslot& slot_b);
    // Repairs the clashes of one placed timeslot: a group in a
    // time-overlapping timeslot of another venue that is the same group or
    // shares a participant, and, while the event allows travel time, a
    // member's nearest placements in other venues too near before or
    // after. Of each pair the unlocked timeslot is emptied (the other one
    // first where the repaired timeslot is locked). FALSE when some pair
    // is locked on both sides or a group key is unknown; an empty timeslot
    // passes.
    BOOL CheckParticipantTimes(EventDoc* p_doc, int i_day, int i_venue, int i_slot) const;
    // Verifies one placed timeslot and counts it in the counters: group
    // known, available, within its maximums and its members' (while the
    // counters count participants), the venue's styles and facilities,
    // members known, in no time-overlapping timeslot of another venue and
    // with their travel time. The first failure is reported and gives
    // FALSE; an empty timeslot passes.
    BOOL VerifySlot(const EventDoc* p_doc, int i_day, const Day& day, int i_venue, int i_slot,
                    SelCounters& counters) const;
    // Counts one placement of the group and puts its index at the head of
    // the list (taking it out of where it stood).
    void CountAndPromote(int i_group, int i_day, int i_venue, SelCounters& counters, GroupIndexList& a_groups) const;

    // Shows a failure text: a warning box, or inside internal error 10008.
    void Report(const std::string& s_text) const;

private:
    BOOL CheckAvailability(const EventDoc* p_doc, const Day& day, const Group& group, const Timeslot& slot) const;
    BOOL CheckGroupLimits(const EventDoc* p_doc, int i_day, const Day& day, int i_venue, int i_group,
                          SelCounters& counters) const;
    BOOL CheckParticipantLimits(const EventDoc* p_doc, int i_day, const Day& day, int i_venue, int i_group,
                                const SelCounters& counters) const;
    BOOL CheckStyles(const EventDoc* p_doc, const Group& group, int i_venue) const;
    BOOL CheckFacilities(const EventDoc* p_doc, const Group& group, int i_venue) const;
    BOOL CheckParticipants(const EventDoc* p_doc, const Day& day, int i_group, const Timeslot& slot) const;
    // The group's index for a key (-1 for none), from the tables when they
    // are the group list's.
    int FindGroup(const GroupList& groups, LONG l_key) const;
    // The group of the key when the list has it and it shares a
    // participant with the group (or is the group); -1 otherwise.
    int FindSharingGroup(const GroupList& groups, int i_group, LONG l_key) const
    {
        // The clash tests ask this for every overlapping cell: the answer
        // from the build's tables is kept in line.
        if (pTables != nullptr && pTables->IsFor(groups) && pTables->HasShares()) {
            const int i_other = pTables->FindGroup(l_key);
            return i_other >= 0 && pTables->GroupsShare(i_group, i_other) ? i_other : -1;
        }
        return FindSharingGroupOutOfLine(groups, i_group, l_key);
    }
    // The same where the tables hold no shares: by the members.
    int FindSharingGroupOutOfLine(const GroupList& groups, int i_group, LONG l_key) const;

    BOOL bUserCheck;
    const BuildTables* pTables = nullptr;
    // FindLimitBlockers' marks by group, all 0 between calls, the groups
    // it marked and the venues it walks: kept to spare an allocation at
    // every search step.
    mutable std::vector<BYTE> BlockMarks;
    mutable std::vector<int> BlockMarked;
    mutable std::vector<BYTE> BlockVenues;
};
