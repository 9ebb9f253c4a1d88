// What a build asks and reports around its search: the options before it,
// the locks over a maximum, the groups left below their minimums, the
// groups whose rotation failed and the groups never placed.
#include "engine/BuildEngine.h"
#include "engine/BuildPorts.h"
#include "engine/SelCounters.h"
#include "engine/TTMap.h"
#include "model/EventDoc.h"
#include "model/General.h"
#include "model/Group.h"
#include "model/Participant.h"
#include "model/Timetable.h"
#include "zelkit/base/ZelStringArray.h"

#include <algorithm>

namespace {

enum : UINT {
    IDS_LOCK_OVER_DAY_MAX = 1081,
    IDS_LOCK_OVER_EVENT_MAX = 1082,
    IDS_LOCK_OVER_MEMBER_DAY_MAX = 1083,
    IDS_LOCK_OVER_MEMBER_EVENT_MAX = 1084,
    IDS_LOCK_OVER_VENUE_MAX = 1085,
    IDS_LOCK_OVER_MEMBER_VENUE_MAX = 1091,
};

BOOL ShowLockMessage(UINT u_id, std::initializer_list<std::string> a_args)
{
    ZelStringArray a_texts;
    for (const std::string& s : a_args)
        a_texts.Add(s);
    ShowMessageIdArray(u_id, a_texts, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

// The count callback of the minimum check: a step of the bar, and a
// request of the user stops the count.
struct CountStep {
    BuildEngine* pEngine;
    int iRequest;

    static BOOL Step(void* p_arg)
    {
        auto* p_step = static_cast<CountStep*>(p_arg);
        p_step->pEngine->ProgressStepIt();
        if (p_step->pEngine->PumpMessages()) {
            p_step->iRequest = p_step->pEngine->GetUserChoice();
            return FALSE;
        }
        return TRUE;
    }
};

} // namespace

BOOL BuildEngine::CheckLockLimits(const SelCounters& counters)
{
    const GroupList& groups = pDoc->GetGroups();
    const ParticipantList& parts = pDoc->GetParticipants();
    const VenueList& venues = pDoc->GetVenues();
    const int n_venues = pDoc->GetNumVenues();
    for (int g = 0; g < groups.GetNumGroups(); ++g) {
        const Group& group = groups[g];
        if (group.GetUseVenueLimits()) {
            for (int v = 0; v < n_venues; ++v) {
                const VenueLimit* p_lim = group.GetVenueLimit(venues.GetVenue(v).GetKey());
                if (p_lim != nullptr && counters.GetVenueTotal(g, v) > p_lim->Limit.GetMax())
                    return ShowLockMessage(IDS_LOCK_OVER_VENUE_MAX,
                                           {group.GetName(), venues.GetVenue(v).GetName(), IntToStr(p_lim->Limit.GetMax())});
            }
        }
        for (int d = pTimetable->GetNumDays() - 1; d >= 0; --d) {
            const UINT u_day_count = counters.GetDayTotal(g, d);
            // Only locks are placed: a count on the day is a lock there.
            if (u_day_count == 0)
                continue;
            const std::string s_day = pTimetable->GetDay(d).GetName();
            if (u_day_count > group.GetDayLimits().GetMax())
                return ShowLockMessage(IDS_LOCK_OVER_DAY_MAX,
                                       {group.GetName(), s_day, IntToStr(group.GetDayLimits().GetMax())});
            if (!group.GetUseVenueLimits() && counters.GetTotal(g) > group.GetEventLimits().GetMax())
                return ShowLockMessage(IDS_LOCK_OVER_EVENT_MAX,
                                       {group.GetName(), s_day, IntToStr(group.GetEventLimits().GetMax())});
            if (!counters.IsCountingParticipants())
                continue;
            const GroupMembers& members = group.GetMembers();
            for (int m = 0; m < members.GetSize(); ++m) {
                const int i_part = parts.FindByKey(members[m].lParticipantKey);
                if (i_part < 0)
                    continue;
                const Participant& part = parts[i_part];
                const PartCount& count = counters.GetPartCount(i_part);
                if (count.GetDayCount(d) > part.GetDayLimits().GetMax())
                    return ShowLockMessage(IDS_LOCK_OVER_MEMBER_DAY_MAX, {group.GetName(), s_day, part.GetFullName(),
                                                                          IntToStr(part.GetDayLimits().GetMax())});
                if (!part.GetUseVenueLimits()) {
                    if (count.GetTotal() > part.GetEventLimits().GetMax())
                        return ShowLockMessage(IDS_LOCK_OVER_MEMBER_EVENT_MAX,
                                               {group.GetName(), s_day, part.GetFullName(),
                                                IntToStr(part.GetEventLimits().GetMax())});
                    continue;
                }
                for (int v = 0; v < n_venues; ++v) {
                    const VenueLimit* p_lim = part.GetVenueLimit(venues.GetVenue(v).GetKey());
                    if (p_lim != nullptr && count.GetVenueCount(v) > p_lim->Limit.GetMax())
                        return ShowLockMessage(IDS_LOCK_OVER_MEMBER_VENUE_MAX,
                                               {group.GetName(), s_day, part.GetFullName(), venues.GetVenue(v).GetName(),
                                                IntToStr(p_lim->Limit.GetMax())});
                }
            }
        }
        ProgressStepIt();
    }
    return TRUE;
}

int BuildEngine::CheckMinimums(BOOL b_incomplete, BOOL& b_again, BOOL b_interactive, FailedMinimumsModel* p_rows)
{
    b_again = FALSE;
    // Only the groups' counts are asked for here.
    SelCounters counters(pDoc, pTimetable, FALSE);
    KeepForBuild(counters);
    if (Progress.IsShown()) {
        const int res = ProgressStep(iStage, "Checking timetable...", static_cast<int>(CountCells()), FALSE);
        if (res != succeeded)
            return res;
        CountStep step{this, succeeded};
        if (!counters.CountTimetable(&CountStep::Step, &step))
            return step.iRequest;
    } else {
        counters.CountTimetable();
    }

    FailedMinimumsModel model(iMode, b_incomplete);
    const GroupList& groups = pDoc->GetGroups();
    const VenueList& venues = pDoc->GetVenues();
    for (int g = groups.GetNumGroups() - 1; g >= 0; --g) {
        KeepAnswering();
        const Group& group = groups[g];
        const UINT u_day_min = group.GetDayLimits().GetMin();
        for (int d = 0; d < pTimetable->GetNumDays(); ++d) {
            const Day& day = pTimetable->GetDay(d);
            if (counters.GetDayTotal(g, d) < u_day_min && group.IsPlaceableOnDay(pDoc, day))
                model.Add({group.GetName(), "Day: " + day.GetName(), u_day_min, counters.GetDayTotal(g, d)});
        }
        if (!group.GetUseVenueLimits()) {
            const UINT u_min = group.GetEventLimits().GetMin();
            if (counters.GetTotal(g) < u_min)
                model.Add({group.GetName(), "Event", u_min, counters.GetTotal(g)});
        } else {
            for (int v = 0; v < pDoc->GetNumVenues(); ++v) {
                const VenueLimit* p_lim = group.GetVenueLimit(venues.GetVenue(v).GetKey());
                if (p_lim != nullptr && counters.GetVenueTotal(g, v) < p_lim->Limit.GetMin())
                    model.Add({group.GetName(), "Venue: " + venues.GetVenue(v).GetName(), p_lim->Limit.GetMin(),
                               counters.GetVenueTotal(g, v)});
            }
        }
    }
    // The loop above only kept the window answering: a Cancel it took ends
    // the build here, before the report asks what to do next.
    if (Progress.IsCancelRequested())
        return cancelled;
    Stats.nMinimumRows = static_cast<int>(model.GetRows().size());
    Stats.uMinimumShortfall = 0;
    for (const FailedMinItem& item : model.GetRows())
        Stats.uMinimumShortfall += item.uMinimum - item.uActual;
    if (p_rows != nullptr)
        *p_rows = model;
    if (model.GetRows().empty())
        return succeeded;
    if (b_interactive && GetBuildDialogsPort().ShowFailedMinimums(model) == IDC_FAILED_MIN_KEEP_SEARCHING) {
        b_again = TRUE;
        iMode = model.GetChosenMode();
    }
    return failed;
}

BOOL BuildEngine::ReportFailedRotations(FailedRotationList* p_rows)
{
    SelCounters counters(pDoc, pTimetable, FALSE);
    KeepForBuild(counters);
    counters.CountTimetable();
    counters.CountRuns(*pMap);
    GatherGroupLocks();

    FailedRotationModel model;
    const GroupList& groups = pDoc->GetGroups();
    const int n_days = pTimetable->GetNumDays();
    const int n_venues = pDoc->GetNumVenues();
    for (int g = 0; g < groups.GetNumGroups(); ++g) {
        KeepAnswering();
        const Group& group = groups[g];
        const TTMap::GroupMap& group_map = pMap->GetGroupMap(g);
        const TTLocArray* p_locks = FindGroupLocks(g);
        auto allowed = [&](int i_venue, int i_day) {
            if (i_venue >= group_map.GetNumVenues())
                return FALSE;
            const TTMap::GroupMap::VenueMap& venue_map = group_map.GetVenueMap(i_venue);
            if (i_day < 0)
                return venue_map.HasAllowedSlots();
            return i_day < venue_map.GetNumDays() && venue_map.GetDay(i_day).nAllowed > 0 ? TRUE : FALSE;
        };
        if (group.GetRotation() == Group::e_day_rotation) {
            for (int d = 0; d < n_days; ++d) {
                BOOL b_repeated = FALSE;
                std::vector<int> a_missing;
                for (int v = 0; v < n_venues; ++v) {
                    if (!allowed(v, d))
                        continue;
                    if (counters.GetRuns(g, d, v) > 1)
                        b_repeated = TRUE;
                    if (counters.GetDayVenueTotal(g, d, v) == 0)
                        a_missing.push_back(v);
                }
                if (!b_repeated || a_missing.empty())
                    continue;
                BOOL b_locked = FALSE;
                for (int i = 0; p_locks != nullptr && i < p_locks->GetSize(); ++i)
                    b_locked |= (*p_locks)[i].GetDay() == d;
                for (int v : a_missing)
                    model.Rows.Add({group.GetName(), GetVenueName(v), b_locked ? "Locked in one or more venues." : "",
                                    Group::e_day_rotation, pTimetable->GetDay(d).GetName()});
            }
        } else if (group.GetRotation() == Group::e_event_rotation && n_days >= 2) {
            std::vector<int> a_repeated;
            std::vector<int> a_missing;
            for (int v = 0; v < n_venues; ++v) {
                if (!allowed(v, -1))
                    continue;
                if (counters.GetRuns(g, -1, v) > 1)
                    a_repeated.push_back(v);
                if (counters.GetVenueTotal(g, v) == 0)
                    a_missing.push_back(v);
            }
            if (a_repeated.empty() || a_missing.empty())
                continue;
            // What a lock may have to do with it: the group's locks in the
            // venues it repeats.
            int n_locked = 0;
            for (int i = 0; p_locks != nullptr && i < p_locks->GetSize(); ++i) {
                if (std::find(a_repeated.begin(), a_repeated.end(), (*p_locks)[i].GetVenue()) != a_repeated.end())
                    ++n_locked;
            }
            const std::string s_other = n_locked > 0 ? "Locked in this venue " + IntToStr(n_locked) + " time(s)." : "";
            for (int v : a_missing)
                model.Rows.Add({group.GetName(), GetVenueName(v), s_other, Group::e_event_rotation, ""});
        }
    }
    Stats.nRotationRows = model.Rows.GetSize();
    if (p_rows != nullptr)
        *p_rows = model.Rows;
    if (model.Rows.IsEmpty())
        return TRUE;
    GetBuildDialogsPort().ShowFailedRotation(model);
    return FALSE;
}

void BuildEngine::ReportNotScheduled()
{
    SelCounters counters(pDoc, pTimetable, FALSE);
    KeepForBuild(counters);
    counters.CountTimetable();
    NotScheduledModel model;
    const GroupList& groups = pDoc->GetGroups();
    for (int g = groups.GetNumGroups() - 1; g >= 0; --g) {
        KeepAnswering();
        const Group& group = groups[g];
        if (counters.GetTotal(g) == 0 && !group.GetUseVenueLimits()
            && group.GetEventLimits().uType == SchedLim::e_no_limits)
            model.Groups.Add(group.GetName());
    }
    Stats.nNotScheduled = model.Groups.GetSize();
    if (!model.Groups.IsEmpty())
        GetBuildDialogsPort().ShowNotScheduled(model);
}
