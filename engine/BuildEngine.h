// The build engine: one build or check of the event's timetable, on the
// user-interface thread, over the document, its timetable and a build map
// filled for the operation. It owns the one mover (and with it the stack of
// transactions), the progress window of the build, the search mode and
// depth, and the locked cells of each group. Every raise, move and fill step
// of a build makes a Shuffler over the engine for one request.
//
// A build runs the road from the options to the valid stamp: the options
// dialog, the cleared timetable with its locks counted, the checks of the
// locks and the rules, then attempts that raise every group to its minimum
// limits (day by day, venue by venue, then over the event) and fill empty
// timeslots, each followed by the checks of the counts and of the
// minimums; the reports of rotation failures and of groups never placed;
// and the stamp. The driver around it (Timetable::Build) catches what a
// failure inside throws. The road is kept in three sources by stage:
// BuildRoad.cpp (options, clearing, the checks, the check command),
// BuildPasses.cpp (the minimum passes and the fills) and BuildFailures.cpp
// (the reports).
//
// Every step of a build answers with one of the result codes below; any
// code but 0 and 1 ends the loops around it and goes up unchanged.
#pragma once

#include "engine/BuildProgress.h"
#include "engine/BusyPump.h"
#include "engine/Generator.h"
#include "engine/TTLoc.h"
#include "framework/Types.h"
#include "model/Timeslot.h"
#include "model/Timetable.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class EventDoc;
class FailedMinimumsModel;
class FailedRotationList;
class Group;
class SelCounters;
class Shuffler;
class TTMap;
class TTMove;

class BuildEngine {
public:
    // Result codes of every build step.
    enum : int {
        // The step did not reach its goal; nothing changed.
        failed = 0,
        // The step reached its goal; its changes are in the caller's
        // transaction.
        succeeded = 1,
        // The user pressed Stop.
        stopped = BuildProgress::kStopped,
        // The user pressed Cancel, or no progress window exists when a
        // request is read.
        cancelled = BuildProgress::kCancelled,
        // The time limit of the progress window ran out.
        time_limit = BuildProgress::kTimeLimit,
        // The user pressed Skip, or a pass made changes that call for
        // another sweep.
        skip = BuildProgress::kSkip,
    };

    // The search modes.
    enum : int { e_thorough = 0, e_complete_1 = 1, e_complete_2 = 2 };

    // The stages of a build's progress window.
    enum : int {
        e_stage_checks = 0,
        e_stage_minimums = 1,
        e_stage_first_fill = 2,
        e_stage_count_check = 3,
        e_stage_second_fill = 4,
        e_stage_minimum_check = 5,
        n_stages = 6,
    };

    // Where the last build or check ended.
    enum EndRoad : int {
        e_not_run = 0,
        // The timetable was stamped valid.
        e_built,
        // Every check passed but a rotation failed: not stamped.
        e_rotation_failed,
        // The options dialog was cancelled: nothing changed.
        e_options_cancelled,
        // A lock over a maximum, a failing rule, or locks that cannot
        // stand together stopped the build before the search.
        e_lock_limit,
        e_rule_failed,
        e_locks_infeasible,
        // The user cancelled: the timetable is back as the build found it
        // (or, when the window's request was another, cleared).
        e_cancelled,
        // A check after the search found a fault: with code 0 the
        // placements stay for the user to see, else they were cleared.
        e_count_check_failed,
        e_count_check_cleared,
        // Groups stayed below their minimums and the user chose to make
        // changes; or the minimum check itself was cut short, and the
        // placements cleared.
        e_minimums_failed,
        e_minimum_check_cleared,
        // A check command found the timetable valid, or not.
        e_check_valid,
        e_check_invalid,
    };

    // Figures of the last build, for the tools that measure builds.
    struct BuildStats {
        EndRoad eEnd = e_not_run;
        // Attempts run (one, plus one for each "keep searching").
        int nAttempts = 0;
        // Search steps of every search the build made, and the deepest
        // level any of them reached.
        std::uint64_t uSteps = 0;
        UINT uDeepest = 0;
        // The time limit of the progress window ran out at least once.
        BOOL bTimeLimitHit = FALSE;
        // The last minimum check's rows and their summed shortfall, the
        // rotation report's rows, the groups never placed, and whether the
        // last fill filled every empty timeslot (0 no fill, 1 yes, 2 no).
        int nMinimumRows = 0;
        UINT uMinimumShortfall = 0;
        int nRotationRows = 0;
        int nNotScheduled = 0;
        int iFillState = 0;
        // The user's Cancel put the timetable back as the build found it.
        BOOL bPutBack = FALSE;
    };

    // The name of a search mode: 0 "Thorough", 1 "Complete 1", 2
    // "Complete 2", any other the empty text.
    static std::string GetModeName(int i_mode);
    // The decimal text of a number.
    static std::string IntToStr(int i_value);

    // The locked cells of one group, in day, venue and slot order.
    class TTGroupLocks {
    public:
        TTGroupLocks() = default;
        explicit TTGroupLocks(int i_group) : iGroup(i_group) {}
        virtual ~TTGroupLocks() = default;
        TTGroupLocks(const TTGroupLocks&) = default;
        TTGroupLocks& operator=(const TTGroupLocks&) = default;

        int iGroup = -1;
        TTLocArray Locs;
    };

    // Keeps the counters' counts for a trial: while it lives, every group
    // and participant whose counts change has them saved at the first
    // change; when it ends (also through an exception) the saved counts are
    // put back. Trials of this kind do not nest.
    class SaveGroupCount {
    public:
        explicit SaveGroupCount(SelCounters& counters);
        ~SaveGroupCount();
        SaveGroupCount(const SaveGroupCount&) = delete;
        SaveGroupCount& operator=(const SaveGroupCount&) = delete;

    private:
        SelCounters& Counters;
    };

    // Keeps the three (the map filled, and in use, for the operation);
    // counts participants when one of them carries a limit; makes the
    // mover. Mode 0, search depth 0, no locks gathered.
    BuildEngine(EventDoc* p_doc, Timetable* p_timetable, TTMap* p_map);
    // Ends a progress window still up, without waiting; deletes the mover.
    virtual ~BuildEngine();
    BuildEngine(const BuildEngine&) = delete;
    BuildEngine& operator=(const BuildEngine&) = delete;

    EventDoc* GetDoc() const { return pDoc; }
    Timetable* GetTimetable() const { return pTimetable; }
    TTMap* GetMap() const { return pMap; }
    TTMove* GetMover() const { return pMover.get(); }

    // TRUE when some participant has a limit: a participant without venue
    // limits whose event limits are not of type none, one whose day limits
    // are not of type none, or one with venue limits of which one is not of
    // type none. The build's counters then count participants.
    BOOL IsCountingParticipants() const { return bCountParticipants; }

    // The search mode: 0 "Thorough", 1 "Complete 1", 2 "Complete 2".
    int GetMode() const { return iMode; }
    void SetMode(int i_mode) { iMode = i_mode; }
    // The depth handed to the event pass.
    UINT GetSearchDepth() const { return uSearchDepth; }
    void SetSearchDepth(UINT u_depth) { uSearchDepth = u_depth; }

    // ---- locked cells ----

    // Once per build: every locked cell, walking the days, venues and
    // slots in order, goes into its group's list (a list made on the
    // group's first lock, the lists kept in group order).
    void GatherGroupLocks();
    // Forgets the lists; the next GatherGroupLocks walks again (each build
    // starts so).
    void ResetGroupLocks();
    BOOL AreLocksGathered() const { return bLocksGathered; }
    // The group's locked cells once gathered; null when it has none.
    const TTLocArray* FindGroupLocks(int i_group) const;

    // ---- progress ----

    BuildProgress& GetProgress() { return Progress; }
    // A new window of n stages (ending one still up); FALSE when none
    // could be made, and the build goes on without.
    BOOL StartProgress(int n_stages) { return Progress.Start(n_stages); }
    // Enters a stage and pumps: the user's request as a code, else 1.
    int ProgressStep(int i_stage, const std::string& s_text, int i_max, BOOL b_stop_allowed)
    {
        return Progress.Step(i_stage, s_text, i_max, b_stop_allowed);
    }
    void ProgressStepIt() { Progress.StepIt(); }
    // After a Stop, a Skip or the time limit acted on; a Cancel is never
    // forgotten (BuildProgress::ClearAnsweredRequests).
    void ClearRequests() { Progress.ClearAnsweredRequests(); }
    // Dispatches waiting events at most every 100 ms; TRUE when the user
    // asked for something.
    BOOL PumpMessages() { return Progress.PumpMessages(); }
    // One turn of a long loop that does not act on the user's requests
    // (the check command's passes, the reports' making): the window keeps
    // answering, through the progress window's pump when one is up and the
    // busy pump when not. A request made meanwhile waits for the next poll
    // that acts on requests.
    void KeepAnswering() { BusyPump::Poll(); }
    // The same at the turn of a loop of long steps whose own polls come
    // in bursts (a pass that raises one group at a time): the clock is read
    // now, whatever pace the bursts set.
    void KeepAnsweringBetweenSteps()
    {
        Progress.ReadClockNextPoll();
        KeepAnswering();
    }
    // The request as a result code (3 without a window).
    int GetUserChoice() const { return Progress.GetUserChoice(); }
    void CountSearchStep() { Progress.CountSearchStep(); }
    void SetModeName(const std::string& s_name) { Progress.SetModeName(s_name); }
    void SetToPlace(UINT u_count) { Progress.SetToPlace(u_count); }
    void SetTargetCount(UINT u_count) { Progress.SetTargetCount(u_count); }
    void SetTargetGroup(const std::string& s_name) { Progress.SetTargetGroup(s_name); }
    void SetPlacingGroup(const std::string& s_name) { Progress.SetPlacingGroup(s_name); }
    void SetDepthPos(UINT u_pos) { Progress.SetDepthPos(u_pos); }
    void SetDepthMax(UINT u_max) { Progress.SetDepthMax(u_max); }
    // Keeps the window up until it has been shown a second, then ends it.
    void EndProgress() { Progress.End(); }
    // The step count starts again (each attempt).
    void ResetStepCount() { Progress.ResetStepCount(); }
    int GetStage() const { return iStage; }

    // ---- the build and the check ----

    // One build (see the file comment). The started flag is 0 on entry and
    // 1 once the options were accepted and the progress window asked for:
    // from then on the caller updates the views and marks the document
    // modified. 1 when the road reached its end (the timetable stamped
    // valid when every final check passed), 0 when the options were
    // cancelled, a pre-check failed, the user cancelled or stopped, or a
    // check failed. With b_options_asked the caller has asked the options
    // already (before making the map), and the build does not ask again.
    //
    // A Cancel in the progress window, in any attempt and at any moment
    // the window takes it, puts the timetable back as it was when the
    // build began (placements, locks, the valid
    // flag and the creation date): the user had a timetable before, and
    // Cancel promises to leave it. Stop keeps what the build placed.
    BOOL Build(BOOL* p_started, BOOL b_options_asked = FALSE);
    // Checks the timetable as it stands, without building and without a
    // progress window: the counts and the minimums. Stamps a timetable that
    // passes valid, clears the valid flag of one that does not; the changed
    // flag tells whether the valid flag changed. 1 when it passed.
    BOOL Check(BOOL* p_changed);
    // Empties every unlocked timeslot (group, lock and roster data cleared,
    // the arrays kept in order) and marks the timetable not built and not
    // valid. With counters and a list: counts every locked placement, moves
    // each locked group to the front of the list, and stores each group's
    // run counts as the build map finds them.
    void ClearTimetable(SelCounters* p_counters = nullptr, Generator::GroupIndexList* p_locked = nullptr);

    const BuildStats& GetStats() const { return Stats; }

    // ---- the window around a build ----

    // Disables the main window (noting whether it was active) and begins
    // the wait cursor; RestoreWindow undoes both once, whichever road the
    // build leaves by (the driver calls it after a failure too).
    void DisableWindow();
    void RestoreWindow();

    // ---- checks ----

    // The lock pre-check: locked placements over a group's venue, day or
    // event maximum or a member's day, event or venue maximum. The first
    // found is shown (1080 to 1085, 1091) and gives FALSE. Steps the bar
    // once per group.
    BOOL CheckLockLimits(const SelCounters& counters);
    // Every venue rule, then every day rule, against the timetable (with
    // b_locked_only only the locked placements count). The first failing
    // rule's text is shown (with the exclamation icon when b_icon) and
    // gives 0; with b_progress each rule steps the bar and a request
    // returns its code.
    int CheckRules(BOOL b_progress, BOOL b_icon, BOOL b_locked_only);
    // Verifies every timeslot and its run of consecutive timeslots, then
    // the rules. b_interactive: failures are warnings to the user, else
    // internal errors. 1, 0 after the first failure shown, or a request
    // code.
    int CheckCounts(BOOL b_progress, BOOL b_interactive);
    // The run of the group in the cell is within the allocation's
    // consecutive minimum and maximum for the venue; else reports which
    // through the generator and returns 0.
    int CheckConsecutive(const Generator& generator, int i_day, int i_venue, int i_slot);
    // The groups below a day, event or venue minimum, as the report's rows
    // (kept in the model given, when given). With rows and b_interactive
    // the report is shown with the present mode and b_incomplete; when the
    // user chooses to keep searching, b_again is set and the mode becomes
    // the one chosen. 1 when there are no rows, 0 when there are, or a
    // request code.
    int CheckMinimums(BOOL b_incomplete, BOOL& b_again, BOOL b_interactive, FailedMinimumsModel* p_rows = nullptr);
    // The rotation of every group through the venues; the rows of those
    // that failed, shown when there are any. TRUE when none failed.
    BOOL ReportFailedRotations(FailedRotationList* p_rows = nullptr);
    // The groups never placed that have no event limits (and do not use
    // venue limits), last group first; shown when there are any.
    void ReportNotScheduled();
    // 138 with the number of empty timeslots.
    void ReportUnfilled();
    // The options before a build: TRUE at once when the preferences say
    // not to ask; else the dialog, whose OK stores the options in the
    // preferences (the document marked modified only when they changed).
    // FALSE when the user cancelled. It needs nothing of a build, so the
    // build command asks before the map is made.
    static BOOL AskBuildOptions(EventDoc* p_doc);

    // ---- the minimum passes ----

    // Raises every group to its day, venue and event minimums (stage 1):
    // a result code.
    int EnforceMinimums(SelCounters& counters, Generator& generator);
    // The shortfall (sum of minimum - count where below) and the excess
    // (count - minimum where above) over the groups of the event (without
    // venue limits), of a venue (with a limit there) or of a day (all).
    void GetEventShortfall(const SelCounters& counters, UINT& u_shortfall, UINT& u_excess) const;
    void GetVenueShortfall(const SelCounters& counters, int i_venue, UINT& u_shortfall, UINT& u_excess) const;
    void GetDayShortfall(const SelCounters& counters, int i_day, UINT& u_shortfall, UINT& u_excess) const;
    int DayPass(SelCounters& counters, Generator& generator, int i_day, int i_mode, BOOL& b_changed);
    int VenuePass(SelCounters& counters, Generator& generator, int i_venue, int i_mode, BOOL& b_changed);
    int EventPass(SelCounters& counters, Generator& generator, int i_mode, BOOL& b_changed);
    // The (depth, mode) settings the event pass tries in turn, from the
    // search depth and the build mode; returns how many (1 to 3).
    static int GetEventPassSettings(UINT u_depth, int i_mode, UINT a_depths[3], int a_modes[3]);

    // ---- raise, move and fill primitives ----

    // One more placement of the group on the day, in the venue, or over
    // the event, through a Shuffler in the mode (and for the event, with
    // the depth).
    int RaiseDayCount(SelCounters& counters, Generator& generator, int i_group, int i_day, int i_mode);
    int RaiseVenueCount(SelCounters& counters, Generator& generator, int i_group, int i_venue, int i_mode);
    int RaiseEventCount(SelCounters& counters, Generator& generator, int i_group, int i_mode, UINT u_depth);
    // Takes a chunk of the group out of an unlocked timeslot outside the
    // venue (the day), on a day where the group is above its day minimum,
    // keeping the group's day and venue minimums. 1 when one went.
    // MoveFromOtherDay goes on after the cell where the cursor stands and
    // leaves it on the cell it used.
    int MoveFromOtherVenue(SelCounters& counters, Generator& generator, int i_group, int i_venue);
    int MoveFromOtherDay(SelCounters& counters, Generator& generator, int i_group, int i_day, TTLoc& cursor);
    // Fills the empty timeslots at levels 0, 1, 2 until one leaves no day
    // that failed: 1 when every day was filled, 0 when not, or a request
    // code.
    int FillEmptySlots(SelCounters& counters, Generator& generator);
    // What the fill knows of the requests it made: how many gains it has
    // kept, and for each cell whose last request gained nothing, the count
    // of gains kept then, the level, and whether a search of level 1 took
    // no turn that level 2 would not take (Shuffler::GetComplete1Turns).
    struct FillNote {
        UINT uGains = 0;
        int iLevel = -1;
        bool bSameAtComplete2 = false;
    };
    struct FillMemo {
        UINT uGains = 0;
        // By day, venue column and timeslot.
        std::vector<std::vector<std::vector<FillNote>>> aNotes;
    };
    int FillDay(SelCounters& counters, Generator& generator, int i_day, int i_level, FillMemo& memo);
    int FillOneSlot(SelCounters& counters, Generator& generator, const TTLoc& loc, int i_level);

    // ---- small utilities ----

    std::string GetGroupName(int i_group) const;
    std::string GetVenueName(int i_venue) const;
    // The timeslot of the cell, checked against the venue's array.
    TimeslotPtr GetSlotPtr(int i_day, int i_venue, int i_slot) const;

private:
    // Adds the figures of a search that ended.
    void NoteSearch(const Shuffler& shuffler);
    // What a build that returns early does to the timetable.
    enum EndTimetable { e_keep, e_clear, e_put_back };
    // Ends a build that returns early: the timetable, the progress window,
    // the window. A Cancel the window took and no poll has acted on yet
    // (it came in a stretch that only keeps the window answering) ends it
    // as a Cancel, whatever the road found meanwhile.
    BOOL EndBuild(EndRoad e_end, EndTimetable e_timetable);
    // A step cut short by the window's request i_code: the user's Cancel
    // puts the timetable back, any other request clears it.
    BOOL EndCut(EndRoad e_end, int i_code)
    {
        return i_code == cancelled ? EndBuild(e_cancelled, e_put_back) : EndBuild(e_end, e_clear);
    }
    // The number of timeslots of the whole timetable.
    UINT CountCells() const;
    const Group& GetGroup(int i_group) const;

    // ---- state ----

    EventDoc* pDoc;
    Timetable* pTimetable;
    TTMap* pMap;
    BOOL bCountParticipants = FALSE;
    ZelArray<TTGroupLocks> GroupLocks;
    BOOL bLocksGathered = FALSE;
    BuildProgress Progress;
    UINT uSearchDepth = 0;
    std::unique_ptr<TTMove> pMover;
    // The build's counters, kept until the engine goes, and handed back
    // with the rest of the build's memory by the driver once the build has
    // ended.
    std::unique_ptr<SelCounters> pBuildCounters;
    // Counters made during a build keep their memory when freed.
    BOOL bKeepCountersMemory = FALSE;
    void KeepForBuild(SelCounters& counters) const;
    // Where MoveFromOtherDay goes on from (none at the start of a build).
    TTLoc DayCursor;
    int iStage = e_stage_checks;
    int iMode = e_thorough;
    // The window was disabled, and whether the main window was active then.
    BOOL bWindowDisabled = FALSE;
    BOOL bWasActive = FALSE;
    BuildStats Stats;
    // The timetable as the build found it, for a Cancel.
    std::unique_ptr<Timetable::Placements> pBefore;
};
