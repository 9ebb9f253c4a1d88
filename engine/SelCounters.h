// How often each group and each participant is placed in the timetable,
// for one build, check or rostering run: in total, per day, per venue and
// (for groups) per day and venue, with each group's runs per venue and per
// day and venue, and the venues that do not suit it.
//
// The mover keeps the counts in step with every placement and removal; the
// build passes read them to find shortfalls; a search trial switches the
// save mode on so that every count it changes (placements and runs, of
// groups and participants) keeps its value from before the first change
// and can be put back when the trial is undone.
//
// Counts are unsigned 32-bit, as they always were: taking one from a count
// of 0 wraps.
#pragma once

#include "framework/Types.h"
#include "zelkit/base/ZelArray.h"

#include <cstddef>
#include <span>
#include <utility>
#include <vector>

class EventDoc;
class TTMap;
class Timetable;

// The counts of one entity.
class CountBase {
public:
    CountBase() = default;
    virtual ~CountBase() = default;
    CountBase(const CountBase& src) = default;
    // The total, the day counts and the flag; the venue counts only when
    // the flag says they are kept.
    CountBase& operator=(const CountBase& src);

    // Every count 0 (the venue counts only when they are kept).
    virtual void Reset();
    // Day counts for n_days days and, when they are kept, venue counts for
    // n_venues venues, all 0.
    virtual void SetSizes(int n_days, int n_venues);

    UINT GetTotal() const { return uTotal; }
    UINT GetDayCount(int i_day) const { return DayCounts[i_day]; }
    // 0 when the venue counts are not kept.
    UINT GetVenueCount(int i_venue) const;
    BOOL HasNoVenueCounts() const { return bNoVenueCounts; }
    // Marks the venue counts as not kept and empties them.
    void SetNoVenueCounts();
    // Frees every array; returns about how many bytes they held.
    virtual std::size_t ReleaseStorage();

    UINT uTotal = 0;
    ZelArray<UINT> VenueCounts;
    ZelArray<UINT> DayCounts;
    BOOL bNoVenueCounts = FALSE;
};

// A participant's counts.
class PartCount : public CountBase {};

// A group's counts.
class GroupCount : public CountBase {
public:
    GroupCount() = default;
    GroupCount(const GroupCount& src) = default;
    // Everything.
    GroupCount& operator=(const GroupCount& src);

    // The total, the day, venue and day-venue counts; the run counts and
    // the excluded venues stay.
    void Reset() override;
    // Every array sized for the days and venues, every entry 0.
    void SetSizes(int n_days, int n_venues) override;
    std::size_t ReleaseStorage() override;

    // The group's runs in each venue over the event.
    ZelArray<UINT> VenueRuns;
    // 1 for a venue that does not suit the group.
    ZelArray<BYTE> ExcludedVenues;
    // Placements per day and venue.
    ZelArray<ZelArray<UINT>> DayVenueCounts;
    // The group's runs per day and venue.
    ZelArray<ZelArray<UINT>> DayVenueRuns;
};

class SelCounters {
public:
    // Callback of CountTimetable: FALSE stops the count.
    using CountCallback = BOOL (*)(void* p_arg);

    // Counts for every group of the document and, when b_count_participants,
    // every participant, sized for the timetable's days and the document's
    // venues; all 0.
    SelCounters(EventDoc* p_doc, Timetable* p_timetable, BOOL b_count_participants);
    // A large event's counters go back to the system a slice at a time,
    // with the window answering (BusyPump::ReleaseInSlices).
    virtual ~SelCounters();
    SelCounters(const SelCounters&) = delete;
    SelCounters& operator=(const SelCounters&) = delete;

    // Freed, the counters stay with the allocator for the next counters
    // of the same size (the next check of a build) instead of going back
    // to the system; the build's end hands them back.
    void KeepMemoryWhenFreed() { bHandBack = false; }

    BOOL IsCountingParticipants() const { return bCountParticipants; }
    int GetNumDays() const { return nDays; }
    int GetNumVenues() const { return nVenues; }
    int GetNumGroups() const { return nGroups; }
    int GetNumParticipants() const { return nParticipants; }

    // While participants are counted: the participant indexes of the
    // group's members, in member order (-1 for a key the participant list
    // does not know), and the groups that have the participant among their
    // members, in group order. Made with the counters: the document is not
    // edited while counters live, and a search asks these at every step,
    // where a look-up of each member's key by key cost more than the
    // counting itself.
    std::span<const int> GetMemberParts(int i_group) const
    {
        return Span(MemberParts, MemberStarts, static_cast<std::size_t>(i_group));
    }
    std::span<const int> GetPartGroups(int i_part) const
    {
        return Span(PartGroups, PartGroupStarts, static_cast<std::size_t>(i_part));
    }

    GroupCount& GetGroupCount(int i_group) { return GroupCounts[i_group]; }
    const GroupCount& GetGroupCount(int i_group) const { return GroupCounts[i_group]; }
    // Only while participants are counted.
    PartCount& GetPartCount(int i_part) { return PartCounts[i_part]; }
    const PartCount& GetPartCount(int i_part) const { return PartCounts[i_part]; }

    UINT GetTotal(int i_group) const { return GroupCounts[i_group].uTotal; }
    UINT GetDayTotal(int i_group, int i_day) const { return GroupCounts[i_group].DayCounts[i_day]; }
    UINT GetVenueTotal(int i_group, int i_venue) const { return GroupCounts[i_group].VenueCounts[i_venue]; }
    UINT GetDayVenueTotal(int i_group, int i_day, int i_venue) const
    {
        return GroupCounts[i_group].DayVenueCounts[i_day][i_venue];
    }

    // The group's runs in the venue over the event (i_day -1) or on the
    // day.
    UINT GetRuns(int i_group, int i_day, int i_venue) const;
    // Sets them, as the timetable is cleared for a build.
    void SetRuns(int i_group, int i_day, int i_venue, UINT n_runs);
    // Every group's runs, in each venue over the event and on each day, as
    // the build map counts them in the timetable as it stands: the
    // starting values that the moves then keep in step.
    void CountRuns(const TTMap& map);
    // Changes the group's runs in the venue over the event and on the day
    // by the amounts, keeping their values first in save mode.
    void AddRuns(int i_group, int i_day, int i_venue, int i_event_change, int i_day_change);

    BOOL IsVenueExcluded(int i_group, int i_venue) const { return GroupCounts[i_group].ExcludedVenues[i_venue] != 0; }
    void SetVenueExcluded(int i_group, int i_venue, BOOL b_excluded);

    // One placement more (less) of the group on the day in the venue, and
    // of every member while participants are counted.
    void IncGroupCount(int i_group, int i_day, int i_venue);
    void DecGroupCount(int i_group, int i_day, int i_venue);
    // One placement more (less) of the participant, while participants are
    // counted; the venue count only where it is kept.
    void IncPartCount(int i_part, int i_day, int i_venue);
    void DecPartCount(int i_part, int i_day, int i_venue);

    // Whether every member of the group has room for one more placement:
    // on the day (day maximum), in the venue (the maximum of a venue limit
    // a member uses), or in all three (event maximum of a member without
    // venue limits, the venue's limit of one with them, the day maximum).
    // TRUE while participants are not counted.
    BOOL CanAddPartsDay(int i_group, int i_day) const;
    BOOL CanAddPartsVenue(int i_group, int i_venue) const;
    BOOL CanAddParts(int i_group, int i_day, int i_venue) const;

    // Over the venues that suit the group, by its runs in each venue over
    // the event (i_day -1) or on the day: the first without a run (-1 when
    // none), the one with the most (the first of equals; 0 when no venue
    // suits), and how many have runs.
    int FindVenueWithoutRuns(int i_group, int i_day) const;
    int FindVenueWithMostRuns(int i_group, int i_day) const;
    int CountVenuesWithRuns(int i_group, int i_day) const;

    // Every placement count back to 0 (runs and excluded venues stay).
    void ResetCounts();
    // Counts every placement of a group the group list knows, day by day,
    // venue by venue, slot by slot; after each the callback, when given, is
    // asked whether to go on. FALSE when it stopped the count.
    BOOL CountTimetable(CountCallback p_callback = nullptr, void* p_arg = nullptr);

    BOOL IsSaveMode() const { return bSaveMode; }
    // On: every change of a count keeps its value from before. Off:
    // forgets what was kept.
    // (Both in line: every conflict trial turns save mode on and off.)
    void SetSaveMode(BOOL b_on)
    {
        bSaveMode = b_on ? TRUE : FALSE;
        if (!bSaveMode)
            Journal.clear();
    }
    // In save mode, puts every saved count back, then leaves save mode.
    void RestoreSaved()
    {
        if (!bSaveMode)
            return;
        for (auto it = Journal.rbegin(); it != Journal.rend(); ++it)
            *it->first = it->second;
        SetSaveMode(FALSE);
    }

private:
    // Notes the count's value before a change, in save mode.
    void Keep(UINT& u_count)
    {
        if (bSaveMode)
            Journal.emplace_back(&u_count, u_count);
    }
    // The same for the four counts a placement changes, in this order
    // (the caller has tested for save mode once).
    void KeepFour(UINT& u_a, UINT& u_b, UINT& u_c, UINT& u_d)
    {
        Journal.emplace_back(&u_a, u_a);
        Journal.emplace_back(&u_b, u_b);
        Journal.emplace_back(&u_c, u_c);
        Journal.emplace_back(&u_d, u_d);
    }
    // One placement more (less) of every member of the group; a member
    // whose participant is gone fails the check "i_index >= 0".
    void ChangeMembers(int i_group, int i_day, int i_venue, bool b_inc);
    // The members' participant indexes and each participant's groups,
    // while participants are counted.
    void IndexMembers();
    static std::span<const int> Span(const std::vector<int>& a_items, const std::vector<std::size_t>& a_starts,
                                     std::size_t i_row)
    {
        return std::span<const int>(a_items.data() + a_starts[i_row], a_starts[i_row + 1] - a_starts[i_row]);
    }

    EventDoc* pDoc;
    Timetable* pTimetable;
    int nDays;
    int nVenues;
    int nGroups;
    int nParticipants;
    BOOL bCountParticipants;
    bool bHandBack = true;
    ZelArray<GroupCount> GroupCounts;
    ZelArray<PartCount> PartCounts;
    // In save mode, every count changed and the value it had, in the order
    // of the changes: written back last first, each count ends with the
    // value it had before its first change. A search saves and restores
    // counts at every step; keeping the few values it changes costs less
    // than copying each entity's counts whole.
    std::vector<std::pair<UINT*, UINT>> Journal;
    // Row by row (group, participant): where each row starts, and one past
    // the last row's end.
    std::vector<int> MemberParts;
    std::vector<std::size_t> MemberStarts;
    std::vector<int> PartGroups;
    std::vector<std::size_t> PartGroupStarts;
    BOOL bSaveMode = FALSE;
};
