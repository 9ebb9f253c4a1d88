// The build engine: one build or check of the event's timetable, on the
// user-interface thread, over the document, its timetable and a build map
// filled for the operation. It owns the one mover (and with it the stack of
// transactions), the progress window of the build, the search mode and
// depth, and the locked cells of each group. Every raise, move and fill step
// of a build makes a Shuffler over the engine for one request.
//
// Every step of a build answers with one of the result codes below; any
// code but 0 and 1 ends the loops around it and goes up unchanged.
#pragma once

#include "engine/BuildProgress.h"
#include "engine/TTLoc.h"
#include "framework/Types.h"

#include <memory>
#include <string>

class EventDoc;
class SelCounters;
class TTMap;
class TTMove;
class Timetable;

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
    void ClearRequests() { Progress.ClearRequests(); }
    // Dispatches waiting events at most every 100 ms; TRUE when the user
    // asked for something.
    BOOL PumpMessages() { return Progress.PumpMessages(); }
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

private:
    EventDoc* pDoc;
    Timetable* pTimetable;
    TTMap* pMap;
    BOOL bCountParticipants = FALSE;
    ZelArray<TTGroupLocks> GroupLocks;
    BOOL bLocksGathered = FALSE;
    BuildProgress Progress;
    UINT uSearchDepth = 0;
    int iMode = e_thorough;
    std::unique_ptr<TTMove> pMover;
};
