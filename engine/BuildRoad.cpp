// The road of one build from the options to the valid stamp, the check
// command, and the checks of the counts, runs and rules that both share.
#include "engine/BuildCheck.h"
#include "engine/BuildEngine.h"
#include "engine/BuildTables.h"
#include "engine/BuildPorts.h"
#include "engine/SelCounters.h"
#include "engine/Shuffler.h"
#include "engine/TTMap.h"
#include "engine/TTMove.h"
#include "model/DocumentPorts.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "model/Participant.h"
#include "model/Timetable.h"
#include "zelkit/windows/ZelWindowServices.h"

#include <algorithm>
#include <optional>

namespace {

enum : UINT {
    IDS_TIMESLOTS_NOT_FILLED = 138,
    IDS_LOCK_PREVENTS_TIMETABLE = 1080,
};

} // namespace

// ---- the build ----

BOOL BuildEngine::Build(BOOL* p_started, BOOL b_options_asked)
{
    if (p_started != nullptr)
        *p_started = FALSE;
    Stats = BuildStats();
    if (!b_options_asked && !AskBuildOptions(pDoc)) {
        Stats.eEnd = e_options_cancelled;
        return FALSE;
    }
    // The stretches with no progress window up (the making of the
    // counters, the reports at the end) keep the window answering.
    const BusyPump::Scope pump;
    // Each check of a build makes counters of its own, as large as these:
    // freed, they stay for the next to take, and the driver hands them all
    // back once the build has ended.
    bKeepCountersMemory = TRUE;
    pBuildCounters = std::make_unique<SelCounters>(pDoc, pTimetable, bCountParticipants);
    SelCounters& counters = *pBuildCounters;
    KeepForBuild(counters);
    Generator::GroupIndexList a_locked;
    Generator generator(FALSE);
    BUILD_CHECK(pMover != nullptr, "pMover != NULL");

    // What a Cancel puts back.
    pBefore = std::make_unique<Timetable::Placements>(*pTimetable);

    DisableWindow();
    StartProgress(n_stages);
    iStage = e_stage_checks;
    const BOOL b_fill = pDoc->GetPreferences().GetFillEmptySlots();
    if (p_started != nullptr)
        *p_started = TRUE;
    DayCursor = TTLoc();
    ResetGroupLocks();
    iMode = e_thorough;

    ClearTimetable(&counters, &a_locked);
    pDoc->AttachRulesToSlots(TRUE);
    // From here to the end of the build the cells' times, the order of the
    // timeslots and the memberships stay as they are: the searches read
    // them from tables. The checks after a search read none of them, nor
    // the map's chunk lists: both go before the checks make their counters,
    // so that the build needs no more memory than the checks' counters and
    // the search's tables and lists on their own; a search after the
    // checks makes them again, the same.
    std::optional<BuildTables> tables;
    auto make_tables = [&] {
        if (!tables) {
            tables.emplace(*pDoc);
            generator.SetTables(&*tables);
        }
    };
    auto drop_tables = [&] {
        generator.SetTables(nullptr);
        tables.reset();
        pMap->DropChunkLists();
    };
    make_tables();

    const GroupList& groups = pDoc->GetGroups();
    const int n_groups = groups.GetNumGroups();
    if (const int res = ProgressStep(iStage, "Checking counts...", n_groups, FALSE); res != succeeded)
        return EndCut(e_cancelled, res);
    if (!CheckLockLimits(counters))
        return EndBuild(e_lock_limit, e_keep);

    const SchedulingRules& rules = pDoc->GetSchedulingRules();
    if (const int res
        = ProgressStep(iStage, "Checking rules...", rules.GetNumDayRules() + rules.GetNumVenueRules(), FALSE);
        res != succeeded)
        return EndCut(e_cancelled, res);
    // Only the locks are placed: the rules are checked against them.
    if (CheckRules(FALSE, TRUE, TRUE) != succeeded)
        return EndBuild(e_rule_failed, e_keep);

    const int n_venues = pDoc->GetNumVenues();
    for (int g = 0; g < n_groups; ++g) {
        const Group& group = groups[g];
        for (int v = 0; v < n_venues; ++v) {
            if (!generator.IsVenueSuitable(group, pDoc->GetVenues().GetVenue(v)))
                counters.SetVenueExcluded(g, v, TRUE);
        }
        if (group.GetUseVenueLimits())
            BUILD_CHECK(group.GetEventLimits().uType == SchedLim::e_no_limits,
                        "group.GetEventLimits().GetType() == SchedLim::e_no_limits");
    }
    if (counters.IsCountingParticipants()) {
        const ParticipantList& parts = pDoc->GetParticipants();
        for (int p = 0; p < parts.GetNumParticipants(); ++p) {
            if (!parts[p].GetUseVenueLimits())
                counters.GetPartCount(p).SetNoVenueCounts();
            else
                BUILD_CHECK(parts[p].GetEventLimits().uType == SchedLim::e_no_limits,
                            "part.GetEventLimits().GetType() == SchedLim::e_no_limits");
        }
    }

    // The locked placements must be able to stand together, each completed
    // into a run its allocation allows.
    {
        Shuffler shuffler(this, &generator, &counters, iMode, 0, TRUE);
        int i_group = -1, i_day = -1, i_venue = -1;
        const int res = shuffler.CheckLockedCells(i_group, i_day, i_venue);
        NoteSearch(shuffler);
        if (res != succeeded) {
            if (res != failed)
                return EndCut(e_cancelled, res);
            const std::string s_where = "day '" + pTimetable->GetDay(i_day).GetName() + "' venue '"
                + GetVenueName(i_venue) + "'";
            ShowMessageId2(IDS_LOCK_PREVENTS_TIMETABLE, GetGroupName(i_group), s_where, MB_OK | MB_ICONEXCLAMATION);
            return EndBuild(e_locks_infeasible, e_clear);
        }
    }

    BOOL b_success = FALSE;
    int i_fill_state = 0;
    for (int i_attempt = 0;; ++i_attempt) {
        ++Stats.nAttempts;
        if (iMode == e_complete_1 || iMode == e_complete_2) {
            uSearchDepth = CountCells();
        } else {
            // Half the groups; with one group that would be 0, and the event
            // pass could not raise anything.
            uSearchDepth = std::max<UINT>(1, static_cast<UINT>(n_groups) / 2);
        }
        if (i_attempt > 0)
            StartProgress(n_stages);
        make_tables();

        iStage = e_stage_minimums;
        SetModeName(GetModeName(iMode));
        BOOL b_incomplete = FALSE;
        i_fill_state = 0;
        int res = EnforceMinimums(counters, generator);
        switch (res) {
        case succeeded:
            if (b_fill) {
                iStage = e_stage_first_fill;
                const int i_filled = FillEmptySlots(counters, generator);
                if (i_filled == cancelled)
                    return EndBuild(e_cancelled, e_put_back);
                if (i_filled == time_limit)
                    Stats.bTimeLimitHit = TRUE;
                i_fill_state = i_filled == succeeded ? 1 : 2;
                ClearRequests();
            }
            break;
        case stopped:
        case skip:
            // The search was cut short: more searching may still find
            // what it did not. The request has been acted on.
            b_incomplete = TRUE;
            ClearRequests();
            break;
        case cancelled:
            return EndBuild(e_cancelled, e_put_back);
        default:
            // Out of time, or out of reach: the checks judge what there is.
            if (res == time_limit) {
                Stats.bTimeLimitHit = TRUE;
                ClearRequests();
            }
            break;
        }

        iStage = e_stage_count_check;
        drop_tables();
        res = CheckCounts(TRUE, FALSE);
        if (res == failed)
            return EndBuild(e_count_check_failed, e_keep);
        if (res != succeeded)
            return EndCut(e_count_check_cleared, res);

        if (b_fill && i_fill_state == 0) {
            iStage = e_stage_second_fill;
            make_tables();
            const int i_filled = FillEmptySlots(counters, generator);
            if (i_filled == cancelled)
                return EndBuild(e_cancelled, e_put_back);
            if (i_filled == time_limit)
                Stats.bTimeLimitHit = TRUE;
            i_fill_state = i_filled == succeeded ? 1 : 2;
            ClearRequests();
            // What the fill placed is checked like the rest, whether it
            // filled every timeslot or some.
            drop_tables();
            res = CheckCounts(TRUE, FALSE);
            if (res == failed)
                return EndBuild(e_count_check_failed, e_keep);
            if (res != succeeded)
                return EndCut(e_count_check_cleared, res);
        }

        iStage = e_stage_minimum_check;
        BOOL b_again = FALSE;
        res = CheckMinimums(b_incomplete, b_again, TRUE);
        ResetStepCount();
        // A Cancel taken by the window up to here, through the minimum
        // report, ends the build: no other attempt, no stamp.
        if (Progress.IsCancelRequested())
            res = cancelled;
        if (res == succeeded) {
            b_success = TRUE;
            if (i_fill_state == 2)
                ReportUnfilled();
            break;
        }
        if (res == failed && b_again)
            continue;
        if (res == failed) {
            EndProgress();
            ReportFailedRotations();
            return EndBuild(e_minimums_failed, e_keep);
        }
        return EndCut(e_minimum_check_cleared, res);
    }
    Stats.iFillState = i_fill_state;

    if (!ReportFailedRotations())
        b_success = FALSE;
    // The window is up until here, and the reports only kept it answering:
    // a Cancel it took on the way is the last word. Once it ends (greyed
    // out first) it takes none.
    if (Progress.IsCancelRequested())
        return EndBuild(e_cancelled, e_put_back);
    EndProgress();
    ReportNotScheduled();

    if (b_success) {
        pTimetable->SetCreationDate(PresentTime());
        pTimetable->SetValid(TRUE);
    }
    Stats.eEnd = b_success ? e_built : e_rotation_failed;
    RestoreWindow();
    return TRUE;
}

// ---- the options ----

BOOL BuildEngine::AskBuildOptions(EventDoc* p_doc)
{
    Preferences prefs(p_doc->GetPreferences());
    if (prefs.GetSkipBuildOptions())
        return TRUE;
    BuildOptionsModel model(prefs);
    if (GetBuildDialogsPort().AskBuildOptions(model) != IDOK)
        return FALSE;
    model.Store(prefs);
    // OK on the options as they stood changes nothing: the event stays
    // unmodified (and a build the user then cancels leaves it so).
    const Preferences& stored = p_doc->GetPreferences();
    if (prefs.GetAllowTravel() != stored.GetAllowTravel() || prefs.GetTravelMinutes() != stored.GetTravelMinutes()
        || prefs.GetFillEmptySlots() != stored.GetFillEmptySlots()
        || prefs.GetSkipBuildOptions() != stored.GetSkipBuildOptions())
        p_doc->SetPreferences(prefs, FALSE);
    return TRUE;
}

// ---- the check command ----

BOOL BuildEngine::Check(BOOL* p_changed)
{
    ZelWaitCursor wait;
    const BusyPump::Scope pump;
    if (p_changed != nullptr)
        *p_changed = FALSE;
    Stats = BuildStats();
    const BOOL b_was_valid = pTimetable->IsValid();
    int res = CheckCounts(FALSE, TRUE);
    if (res == succeeded) {
        BOOL b_again = FALSE;
        res = CheckMinimums(FALSE, b_again, FALSE);
    }
    if (res == succeeded) {
        Stats.eEnd = e_check_valid;
        if (!b_was_valid) {
            pTimetable->SetCreationDate(PresentTime());
            pTimetable->SetValid(TRUE);
            if (p_changed != nullptr)
                *p_changed = TRUE;
        }
        return TRUE;
    }
    Stats.eEnd = e_check_invalid;
    if (b_was_valid) {
        pTimetable->SetValid(FALSE);
        if (p_changed != nullptr)
            *p_changed = TRUE;
    }
    return FALSE;
}

// ---- checks of the counts, runs and rules ----

int BuildEngine::CheckCounts(BOOL b_progress, BOOL b_interactive)
{
    SelCounters counters(pDoc, pTimetable, bCountParticipants);
    KeepForBuild(counters);
    Generator generator(b_interactive);
    if (b_progress) {
        const SchedulingRules& rules = pDoc->GetSchedulingRules();
        const int n_steps = static_cast<int>(CountCells()) + rules.GetNumDayRules() + rules.GetNumVenueRules();
        const int res = ProgressStep(iStage, "Checking timetable...", n_steps, FALSE);
        if (res != succeeded)
            return res;
    }
    const int n_venues = pDoc->GetNumVenues();
    for (int d = 0; d < pTimetable->GetNumDays(); ++d) {
        const Day& day = pTimetable->GetDay(d);
        for (int v = 0; v < std::min(n_venues, day.GetNumVenues()); ++v) {
            const TimeslotArray& a_slots = day.GetVenueSlots(v);
            for (int s = 0; s < a_slots.GetSize(); ++s) {
                if (!generator.VerifySlot(pDoc, d, day, v, s, counters))
                    return failed;
                if (!a_slots[s].IsEmpty() && CheckConsecutive(generator, d, v, s) != succeeded)
                    return failed;
                if (b_progress) {
                    ProgressStepIt();
                    if (PumpMessages())
                        return GetUserChoice();
                } else {
                    KeepAnswering();
                }
            }
        }
    }
    return CheckRules(b_progress, b_interactive, FALSE);
}

int BuildEngine::CheckConsecutive(const Generator& generator, int i_day, int i_venue, int i_slot)
{
    const Timeslot& slot = pTimetable->GetDay(i_day).GetVenueSlots(i_venue)[i_slot];
    const int i_group = pDoc->GetGroups().FindByKey(slot.GetGroup());
    if (i_group < 0)
        return succeeded;
    Chunk chunk;
    const BOOL b_found = pMap->GetPlacedChunk(i_group, chunk, i_venue, i_day, i_slot, FALSE);
    BUILD_CHECK(b_found, "b_found");
    const TTMap::GroupMap::VenueMap& venue_map = pMap->GetGroupMap(i_group).GetVenueMap(i_venue);
    const int n_slots = chunk.GetNumSlots();
    const BOOL b_too_few = n_slots < venue_map.nMinChunk;
    if (!b_too_few && n_slots <= venue_map.nMaxChunk)
        return succeeded;
    generator.Report("Group '" + GetGroupName(i_group) + "' was allocated in too " + (b_too_few ? "few" : "many")
                     + " consecutive timeslots on day " + IntToStr(i_day + 1) + " venue '" + GetVenueName(i_venue)
                     + "'.  " + (b_too_few ? "The minimum" : "The maximum") + " for the group in this venue is "
                     + IntToStr(b_too_few ? venue_map.nMinChunk : venue_map.nMaxChunk) + " slots.");
    return failed;
}

int BuildEngine::CheckRules(BOOL b_progress, BOOL b_icon, BOOL b_locked_only)
{
    const SchedulingRules& rules = pDoc->GetSchedulingRules();
    // A rule's check walks the timetable: the polls between rules are far
    // apart.
    if (b_progress)
        Progress.ReadClockNextPoll();
    std::string s_message;
    auto failed_rule = [&]() {
        ShowMessageText(s_message, b_icon ? MB_OK | MB_ICONEXCLAMATION : static_cast<UINT>(MB_OK));
        return failed;
    };
    for (int i = 0; i < rules.GetNumVenueRules(); ++i) {
        s_message.clear();
        if (rules.GetVenueRules()[i].CheckRule(i + 1, pDoc, s_message, b_locked_only) == 0)
            return failed_rule();
        if (b_progress) {
            ProgressStepIt();
            if (PumpMessages())
                return GetUserChoice();
        } else {
            KeepAnswering();
        }
    }
    for (int i = 0; i < rules.GetNumDayRules(); ++i) {
        s_message.clear();
        if (rules.GetDayRules()[i].CheckRule(i + 1, pDoc, s_message, b_locked_only) == 0)
            return failed_rule();
        if (b_progress) {
            ProgressStepIt();
            if (PumpMessages())
                return GetUserChoice();
        } else {
            KeepAnswering();
        }
    }
    return succeeded;
}

void BuildEngine::ReportUnfilled()
{
    ShowMessageId(IDS_TIMESLOTS_NOT_FILLED, IntToStr(pTimetable->CountUnfilled(-1, -1)), MB_OK | MB_ICONINFORMATION);
}
