// The rostering engine: places the participants of an event, style by
// style and within each participant's roster limit, into the groups that
// are locked into the timetable, and takes them out again.
//
// A participant's effective roster styles (its own, or its role's) name the
// group styles it is to be placed in, each once, with an order number; its
// roster limit gives how many of them it needs at least (the required
// minimum) and may have at most (the required maximum). Being rostered into
// a style means being a member of a group that carries the style and holds
// a locked placement. Only locked placements take part.
//
// A run has two passes: RosterToMinimum brings every participant to its
// minimum (first attempts of the participants with ordered styles in list
// order, then retries of every failure at the deeper levels 1 and 2);
// RosterToMaximum, run only after a minimum pass without errors, raises
// them to their maximum (the styles in the style index's order, the
// participants in list order, levels 0 to 2, a level ending only after a
// whole sweep without success). Every placement is found by the search
// (RosterSearch.cpp) and made through the mover's undoable moves inside
// transactions, so that a try that fails leaves the document as it was.
// Recount rebuilds the error list and the status counters from the
// document; Unroster removes the memberships rostering made; ViewErrors
// hands the error list to the report port. Only the commit of an outermost
// try marks the document modified.
//
// For its search the engine keeps, built once per pass, what a try would
// otherwise look up again and again: the locked cells in timetable order
// and per style those whose group carries it, its own participant index,
// each participant's locked groups, each group's clash list with a bit per
// clashing group, and the scheduling rules as a pass asks them (rostering
// changes memberships only, so each rule but a binding participant limit
// is asked once). Rostering moves no timeslot, so its walks need no
// checked pointers.
//
// One thread at a time uses an engine: the rostering worker during a run,
// the user-interface thread otherwise. The run's flags are atomics owned
// by the run; the status block has its own lock; progress goes out through
// the post port with everything the receiver needs in the payload. No
// state is shared between engines: two may run at once.
//
// Style keys below 0 in a participant's roster styles are left out
// everywhere: they count neither as styles nor towards the limit.
#pragma once

#include "engine/SelCounters.h"
#include "engine/TTLoc.h"
#include "framework/Types.h"
#include "model/KeyList.h"
#include "roster/RosterMove.h"
#include "roster/RosterPorts.h"
#include "roster/RosterStatus.h"
#include "zelkit/base/ZelArray.h"
#include "zelkit/base/ZelKeyedObject.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class EventDoc;
class Participant;
class RosterStyleArray;
class Timeslot;
class TimeslotPtr;
class Timetable;

// Texts of rostering.
enum : UINT {
    IDS_ROSTER_MULTIPLE_GROUPS = 5045,
    IDS_ROSTER_NOT_COMPLETE = 5046,
    IDS_ROSTER_OUT_OF_ORDER = 5047,
    IDS_ROSTER_NO_TIMETABLE = 5048,
    IDS_ROSTER_NO_GROUP = 5049,
    IDS_ROSTER_CHECK_LIMITS = 5050,
    IDS_ROSTER_CHECK_AVAILABILITY = 5051,
    IDS_ROSTER_CHECK_VENUE_RULE = 5052,
    IDS_ROSTER_CHECK_DAY_RULE = 5053,
    IDS_ROSTER_CHECK_SIZES = 5054,
    IDS_ROSTER_ALL_FULL = 5058,
};

// The order of two timeslots in time, the document's slot comparison in
// one of its modes (EventDoc::CompareSlotTimes). Without a document every
// pair compares equal.
class SlotTimeOrder {
public:
    explicit SlotTimeOrder(const EventDoc* p_doc = nullptr) : pDoc(p_doc) {}
    int Compare(const Timeslot& a, const Timeslot& b, int i_mode) const;

private:
    const EventDoc* pDoc;
};

class RosterEngine {
public:
    // The search levels.
    enum : int { e_basic_search = 0, e_level2_search = 1, e_maximum_search = 2 };

    // One error record: the participant and the style (-1 for none) and
    // the message.
    struct Error {
        LONG lParticipantKey = -1;
        LONG lStyleKey = -1;
        std::string sMessage;
        bool operator==(const Error&) const = default;
    };

    // The current errors in the order they were found, with the document
    // and the timetable that name their participants and styles.
    class ErrorRecord : public ZelArray<Error> {
    public:
        EventDoc* pDoc = nullptr;
        Timetable* pTimetable = nullptr;

        void AddError(LONG l_part_key, LONG l_style_key, const std::string& s_message);
        // Every record of the participant (all styles), or of the
        // participant and the style; from the last record to the first.
        void RemoveErrors(LONG l_part_key);
        void RemoveErrors(LONG l_part_key, LONG l_style_key);
    };

    // One roster style of the participant under search: its key, its
    // bounds or held slots, and its order number. Held: pFirst and pLast
    // are the earliest- and the latest-ending slot holding it. Not held: a
    // placement must start no earlier than pFirst ends and end no later
    // than pLast starts (null: no bound).
    struct StyleBoundary {
        LONG lStyleKey = -1;
        const Timeslot* pFirst = nullptr;
        const Timeslot* pLast = nullptr;
        int bHeld = 0;
        int iOrder = 0;
    };
    using BoundaryArray = ZelArray<StyleBoundary>;

    // A participant's effective styles (keys of 0 and more, in order) and
    // what its limit asks of them.
    struct Needs {
        std::vector<LONG> vStyles;
        std::vector<LONG> vOrders;
        BOOL bOrdered = FALSE;
        int nRequiredMin = 0;
        int nRequiredMax = 0;
    };

    // What the search did since the engine was made: the tries that
    // opened a transaction and committed it or rolled it back, the
    // searches for a participant, and the deepest nesting of transactions.
    struct SearchStats {
        std::uint64_t nCommitted = 0;
        std::uint64_t nRolledBack = 0;
        std::uint64_t nSearches = 0;
        int nDeepest = 0;
    };

    explicit RosterEngine(EventDoc* p_doc);
    virtual ~RosterEngine();
    RosterEngine(const RosterEngine&) = delete;
    RosterEngine& operator=(const RosterEngine&) = delete;

    EventDoc* GetDoc() const { return pDoc; }
    // Null when the event has no venue, day or timeslot.
    Timetable* GetTimetable() const { return pTimetable; }

    // ---- the passes ----

    // Every participant up to its required minimum: a first attempt in
    // list order (ordered styles only), then retries of the failures with
    // the deeper searches. TRUE when every participant reached it. The
    // modified flag is set by every change that becomes final; the cancel
    // flag (may be null) is polled before every step.
    BOOL RosterToMinimum(std::atomic<bool>* p_modified, IRosterPostPort* p_port, RosterStatus* p_status,
                         const std::atomic<bool>* p_cancel);
    // Every participant up to its required maximum, style by style; the
    // skip flag ends the search for the present participant and is
    // cleared after it.
    void RosterToMaximum(std::atomic<bool>* p_modified, IRosterPostPort* p_port, RosterStatus* p_status,
                         const std::atomic<bool>* p_cancel, std::atomic<bool>* p_skip);

    // Rebuilds the error list and the counters from the memberships as they
    // stand: styles held in two groups, styles out of order, and after a
    // run (b_before_run FALSE) participants below their minimum. TRUE when
    // no participant is in error.
    BOOL Recount(BOOL b_before_run, RosterStatus* p_status);

    // Removes the rostered memberships of every participant (n_selected
    // below 1) or of those whose keys the list holds; members entered by
    // the user stay. *p_changed tells whether anything was removed.
    // Returns 1.
    int Unroster(BOOL* p_changed, int n_selected, const KeyList& keys);

    // The error list as the report shows it, one row per error in list
    // order: participant name, style name, message (empty names for keys
    // no longer known).
    RosterErrorTable GetErrorTable() const;
    // Shows GetErrorTable through the report port.
    void ViewErrors() const;

    const ErrorRecord& GetErrors() const { return Errors; }
    const SearchStats& GetSearchStats() const { return Stats; }
    // 1 while the minimum pass runs, 0 in the maximum pass.
    int GetPassFlag() const { return iPassFlag; }
    const SelCounters& GetCounters() const { return Counters; }
    RosterMove* GetMover() const { return pMover.get(); }
    // The group's locked placements, in timetable order.
    const TTLocArray& GetGroupPlacements(int i_group) const { return GroupPlacements[i_group]; }
    // The keys of the groups in locked placements that clash with one of
    // the group's.
    const KeyList& GetClashList(int i_group) const { return ClashLists[i_group]; }

    static Needs GetNeeds(const EventDoc* p_doc, const Participant& part);
    // "Basic search", "Level 2 search", "Maximum search"; in brackets with
    // b_parenthesised; empty for any other level.
    static std::string GetSearchLevelName(int i_level, BOOL b_parenthesised);

    // ---- the search (RosterSearch.cpp) ----

    // Places the participant into one style (l_style_key) or into all its
    // styles (-1) at the search level. With a status block the participant
    // text shows the participant and the level, and the counters count it.
    BOOL SearchParticipant(int i_part, RosterStatus* p_status, int i_level, LONG l_style_key);
    // Tries the participant into the slot's group for the style, within the
    // bounds; moves other memberships as the level allows. *p_moved tells
    // whether memberships other than the new one changed.
    BOOL TryPlace(int i_part, LONG l_style_key, std::string& s_message, const TimeslotPtr& slot, LONG l_day_id,
                  const Timeslot* p_lower, const Timeslot* p_upper, BOOL& b_moved, int i_level);
    // The first attempt's search at the basic level: the slot the
    // participant was placed in, or null with the reason in s_message.
    const Timeslot* FindSlot(int i_part, LONG l_style_key, BOOL& b_moved, std::string& s_message,
                             const Timeslot* p_lower, const Timeslot* p_upper);
    BOOL AddToGroup(int i_part, int i_group, std::string& s_message);
    BOOL MakeRoom(int i_part, int i_group, std::string& s_message, int i_level);
    BOOL CheckParticipantLimits(int i_group, int i_part) const;
    BOOL CheckRules(std::string& s_message) const;
    void BuildStyleSlots(int i_part, const Needs& needs, BoundaryArray& a_bounds);
    void UpdateBoundaries(int i_part, int i_entry, BoundaryArray& a_bounds) const;
    // The locked slots in which the participant is a member of a group
    // carrying the style, by end time, and the keys of those groups.
    void CollectStyleSlots(int i_part, LONG l_style_key, std::vector<const Timeslot*>& a_slots, KeyList& keys) const;
    BOOL GetClashMemberships(int i_group, LONG l_part_key, ZelArray<int>& a_groups) const;
    BOOL RemoveFromClashGroup(int i_part, LONG l_part_key, int i_group);
    BOOL AnyGroupWithRoom();

    // The group is full: its member count is not below its maximum size.
    BOOL IsGroupFull(int i_group) const;
    // The mover tells of a membership made (b_joined) or ended.
    void NoteMembership(int i_part, int i_group, BOOL b_joined);

    // The start of a pass, which the passes make themselves: code 0 to the
    // previous pass's port, the new port, the pass flag and text, a new
    // mover, the flags, the counters of the status block (all but the
    // participants with rostering) and the error list emptied, the
    // placements counted afresh and the group data rebuilt. The search's
    // members above need it first.
    void Prepare(BOOL b_minimum, std::atomic<bool>* p_modified, IRosterPostPort* p_port, RosterStatus* p_status,
                 const std::atomic<bool>* p_cancel, std::atomic<bool>* p_skip);

private:
    // The first attempt of the minimum pass for a participant with
    // ordered styles.
    BOOL PlaceFirstOrdered(int i_part, RosterStatus* p_status);
    // The groups' locked placements, clash lists and index, and the locked
    // cells of each style, from the timetable.
    void RebuildGroupData();
    // Commits the try; a commit that makes the changes final (the
    // outermost) sets the modified flag.
    void CommitTry(RosterTransaction& trans);
    void PostCode(int i_code);
    void PostText(int i_code, const std::string& s_text);

    BOOL IsCancelled() const { return pCancel && pCancel->load(std::memory_order_relaxed); }
    BOOL IsSkipped() const { return pSkip && pSkip->load(std::memory_order_relaxed); }

    // Runs f(slot, day id, group index) over the locked cells of groups
    // carrying the style, in timetable order, while keep_on() holds before
    // each cell; cells FindTryGroup would refuse for the participant are
    // passed over.
    template <class KeepOn, class Visit>
    void WalkStyleCells(LONG l_style_key, KeepOn keep_on, Visit visit, int i_part, const Timeslot* p_lower,
                        const Timeslot* p_upper);
    // TryPlace once the slot's group is known and passed its first checks.
    BOOL TryPlaceIn(int i_part, int i_group, std::string& s_message, const Timeslot& timeslot, LONG l_day_id,
                    BOOL& b_moved, int i_level);
    // A text of the search, loaded once per pass: a try refused for want
    // of availability or room says why, and there are millions of tries.
    const std::string& Text(UINT u_id) const;
    std::map<UINT, std::string> Texts;
    // The checks of TryPlace that refuse without a word and change
    // nothing: the slot within the bounds, locked, holding a known group
    // that carries the style and does not have the participant yet. The
    // group's index, or -1 when the try is refused.
    int FindTryGroup(int i_part, LONG l_style_key, const Timeslot& slot, const Timeslot* p_lower,
                     const Timeslot* p_upper) const;
    // The same for a locked cell of the style, whose group is known.
    BOOL IsCellRefused(int i_part, int i_group, const Timeslot& slot, const Timeslot* p_lower,
                       const Timeslot* p_upper) const;
    BOOL IsOutOfBounds(const Timeslot& slot, const Timeslot* p_lower, const Timeslot* p_upper) const;
    BOOL IsMember(int i_part, int i_group) const;

    // The guard of a group that an enclosing step is filling or emptying.
    class ChainGuard;

    int iPassFlag = 0;
    std::atomic<bool>* pModified = nullptr;
    const std::atomic<bool>* pCancel = nullptr;
    std::atomic<bool>* pSkip = nullptr;
    IRosterPostPort* pPort = nullptr;
    // Per group (by index): the keys of the groups clashing with its
    // locked placements, and those placements.
    ZelArray<KeyList> ClashLists;
    ZelKeyIndex<int> GroupIndex;
    ZelArray<TTLocArray> GroupPlacements;
    SelCounters Counters;
    ErrorRecord Errors;
    ZelKeyIndex<int> ChainGuards;
    std::unique_ptr<RosterMove> pMover;
    SearchStats Stats;

    EventDoc* pDoc;
    Timetable* pTimetable;
    SlotTimeOrder SlotOrder;
    // The locked cells holding a known group, in timetable order, and per
    // style key the positions among them of the cells whose group carries
    // the style.
    std::vector<TTLoc> vLockedCells;
    // The index of each such cell's group.
    std::vector<int> vCellGroups;
    ZelKeyIndex<int> StyleCellIndex;
    std::vector<std::vector<int>> vStyleCells;
    // Each day's identifier, by day index.
    std::vector<LONG> vDayIds;
    // Participant key to index. Every move marks the participant list's
    // own index stale, and the list would build it again at the next
    // lookup; the list does not change during a run, so the engine looks
    // keys up here instead.
    ZelKeyIndex<int> PartKeys;
    // The participant's index, or -1.
    int FindParticipant(LONG l_part_key) const;
    // Per participant (by index), the groups with locked placements it is
    // a member of (any membership), in no particular order; built with
    // the group data and kept in step by the moves.
    std::vector<std::vector<int>> vPartGroups;
    // Per group (by index), the keys of its clash list with their places
    // in it, sorted by key: the search asks after every group of a
    // participant whether it clashes, and a clash list can be long.
    std::vector<std::vector<std::pair<LONG, int>>> vClashPlaces;
    // And per group a bit for each group of its clash list, for events of
    // up to kMaxClashBitGroups groups: most tries meet no clash, and the
    // bit says so at once.
    static constexpr int kMaxClashBitGroups = 16384;
    std::vector<std::uint64_t> vClashBits;
    std::size_t nClashWords = 0;

    // The scheduling rules as CheckRules asks them, in its order (venue
    // rules, then day rules). Rostering changes memberships and nothing
    // else: the timetable, the groups' styles and the rules stay as they
    // are for the whole run, so every rule but a binding participant limit
    // gives the same answer all run long and is asked once, when the group
    // data is built. A binding participant limit counts the members of the
    // groups locked into its timeslots, which are found once as well.
    struct RuleCheck {
        UINT uMessage = 0;
        int iNumber = 0;
        BOOL bHolds = TRUE;
        BOOL bCountsMembers = FALSE;
        UINT uMaxParticipants = 0;
        std::vector<int> vGroups;
    };
    std::vector<RuleCheck> vRuleChecks;
    void RebuildRuleChecks();
};
