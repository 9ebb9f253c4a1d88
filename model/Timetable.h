// The built timetable of the open event: one Day per event day, each with a
// timeslot array per venue whose slots carry the placed groups and their
// locks, a creation date and a valid flag.
//
// The document owns one timetable while the event has days, and replaces
// it whenever the event's days, timeslots or venues change: it takes the
// locks out of the old timetable, makes the new one and puts the locks
// back, so that locks survive edits as far as their venue, slot and group
// still exist. A timetable is always made for its document first and read
// from a file afterwards; the stored day count must match the event's.
//
// The HTML pages of the export are written here too (the page around them
// is the exporter's). Text leaves the model's code page at that edge: every
// text from the event's data is escaped and written as UTF-8.
#pragma once

#include "framework/Types.h"
#include "model/TimetableDay.h"
#include "zelkit/datetime/CHighTime.h"
#include "zelkit/base/ZelAssert.h"

#include <iosfwd>
#include <string>
#include <vector>

class CArchive;
class EventDoc;
class KeyList;
class VenueList;
class ZelRelTimeslotArray;

class Timetable {
public:
    // The six choices of the HTML export.
    struct HtmlOptions {
        // Row labels give each slot's whole time, start to end.
        BOOL bTimes = FALSE;
        // Group names link to the group's section of the page.
        BOOL bLinks = FALSE;
        // Members under each group name, with their roles when asked.
        BOOL bMembers = FALSE;
        BOOL bRoles = FALSE;
        // 0: the members as one wrapping list; 1: one member per line.
        int iMemberLayout = 0;
        // A group staying in a venue for consecutive slots fills one cell.
        BOOL bCombine = FALSE;
    };

    // Which cells of the HTML grid are covered by a cell above that spans
    // several rows, and so are not written.
    class SkipFlags {
    public:
        SkipFlags(int n_rows, int n_columns);
        BOOL Get(int i_row, int i_col) const;
        void Set(int i_row, int i_col, BOOL b_skip = TRUE);
        int GetNumRows() const { return nRows; }
        int GetNumColumns() const { return nColumns; }

    private:
        void Check(int i_row, int i_col) const;

        int nRows;
        int nColumns;
        std::vector<std::vector<BYTE>> Rows;
    };

    // What a build changes of the timetable, kept so that a cancelled build
    // can put it back: every timeslot's group, lock and roster data, the
    // creation date and the valid flag. Taken by position, so it goes back
    // only into the timetable it was taken from, whose days, venues and
    // timeslots stay where they are while a build runs.
    class Placements {
    public:
        explicit Placements(const Timetable& timetable);
        // Puts it all back; FALSE, with nothing changed, when the
        // timetable no longer has the same days, venues and timeslots.
        BOOL Restore(Timetable& timetable) const;

    private:
        struct Cell {
            LONG lGroupKey;
            DWORD uSpare;
            BOOL bLocked;
        };
        // The timeslot count of each day's venues, day after day, then the
        // cells in the same order.
        std::vector<int> vSlotCounts;
        std::vector<Cell> vCells;
        CHighTime dtCreated;
        BOOL bValid;
    };

    // One day per day of the event definition, each built from its layout;
    // not built yet (creation date null) and not valid.
    explicit Timetable(EventDoc* p_doc);
    // One day per day of the event definition with no venue arrays, for a
    // file whose days (version 7 on) give them all: the layouts are not
    // built only to be replaced. The slot keys their build would take are
    // used up all the same, so the slots read, and every slot made after,
    // take the keys they would take after the ordinary construction.
    struct ToRead {};
    Timetable(EventDoc* p_doc, ToRead);
    // Only for a framework that creates objects by class; a timetable is
    // always made for a document. Asserts.
    Timetable();
    Timetable(const Timetable&) = delete;
    Timetable& operator=(const Timetable&) = delete;
    virtual ~Timetable();

    int GetNumDays() const { return static_cast<int>(Days.size()); }
    // In line: the build's searches read cells through here all the time.
    Day& GetDay(int i_day)
    {
        ZEL_ASSERT(0 <= i_day && i_day < GetNumDays());
        return Days[static_cast<std::size_t>(i_day)];
    }
    const Day& GetDay(int i_day) const
    {
        ZEL_ASSERT(0 <= i_day && i_day < GetNumDays());
        return Days[static_cast<std::size_t>(i_day)];
    }
    // The days one after another (null without days), for the checks that
    // walk them.
    Day* GetDays() { return Days.empty() ? nullptr : Days.data(); }
    const Day* GetDays() const { return Days.empty() ? nullptr : Days.data(); }
    // The day with that identifier in the day definition, or null.
    Day* FindDay(LONG l_dayId);
    const Day* FindDay(LONG l_dayId) const;

    // When the timetable was last built or checked successfully; null
    // while it is not built.
    const CHighTime& GetCreationDate() const { return dtCreated; }
    void SetCreationDate(const CHighTime& dt_created) { dtCreated = dt_created; }
    BOOL IsValid() const { return bValid; }
    void SetValid(BOOL b_valid) { bValid = b_valid; }
    // Not built and not valid: after any change that may break placements.
    void Invalidate();

    // Slots without a group in one day (or all, for a negative day) and one
    // venue (or all).
    int CountUnfilled(int i_day, int i_venue) const;
    // Locked slots holding the group in one day (or summed over all days)
    // and one venue (or all venues of the day).
    int CountPlacements(LONG l_groupKey, int i_venue, int i_day) const;

    // One lock array per day, day i's locked slots in entry i.
    void GetLocks(TimeslotLockArrays& a_locks);
    // Entry i back into day i, for the days both have.
    void SetLocks(const TimeslotLockArrays& a_locks);
    // Rebuilds one day's slots after the user changed them in the day
    // grid, keeping placements and locks of slots that still exist; the
    // timetable is then not built and not valid. An index out of range
    // does nothing.
    void ResetDayTimeslots(EventDoc* p_doc, int i_day, ZelRelTimeslotArray* p_previous);
    // Removes a venue's column from every day; an index out of range does
    // nothing.
    void RemoveVenue(int i_venue);

    // Whether the timetable still holds after the user changed or locked
    // one slot in the day grid, with clashes repaired where the locks
    // allow: 1 when it does, else 0 or less. The placement checks belong
    // to the build engine, which defines these two.
    int AdjustForSlotChange(EventDoc* p_doc, int i_day, int i_venue, int i_slot);
    // The same for every slot (only the locked ones with b_lockedOnly): 1
    // when every checked slot passes, 0 when any fails.
    int AdjustForChanges(EventDoc* p_doc, BOOL b_lockedOnly);

    // One build of this timetable for the document, run by the build
    // engine, which defines it: the build engine's result (non-zero when
    // built), 0 after a failure inside the engine, which is reported and
    // leaves the timetable not valid, holding only its locks. The options
    // are asked before anything is made for the build. The views are
    // updated and the document marked modified once the build has started
    // (the options accepted), and after any failure; a build the user
    // cancels in its progress window leaves the timetable and the modified
    // flag as they were.
    int Build(EventDoc* p_doc);
    // The rostering dialog over the document, run modally; the rostering
    // engine defines it. A failure inside the run is reported and leaves
    // the timetable not valid. Returns 1.
    int Roster(EventDoc* p_doc);
    // After the user confirms (all participants when the list holds no
    // key, else those whose keys it holds), removes the memberships
    // rostering made and runs the change routine for the groups when any
    // was removed. 0 when the user declines, else the engine's 1. The
    // rostering engine defines it.
    int UnrosterParticipants(EventDoc* p_doc, const KeyList& keys);

    // Moves the timetable to the document that now holds its event.
    void SetDocument(EventDoc* p_doc);
    // After a load: every day keeps the arrays of the file's venues the
    // venue list took (a_kept, one entry per venue the file held), its
    // slots stamped with their day's and venue's positions, loses the
    // placements of groups the document does not hold and the locks that
    // hold no group. Returns the slots so mended.
    int ResolveLoaded(const ZelArray<BOOL>& a_kept);

    // The valid flag, the creation date, the day count (which must equal
    // this timetable's) and the days.
    void Serialize(CArchive& ar);

    // ---- the HTML pages ----

    void SetHtmlOptions(const HtmlOptions& options) { Html = options; }
    const HtmlOptions& GetHtmlOptions() const { return Html; }
    // The note that the timetable is not valid, or the line saying when it
    // was created.
    void ExportHtmlValidity(std::ostream& os) const;
    // An index of the days, then one table per day: a row per slot time,
    // a column per venue.
    void ExportHtmlByDay(const EventDoc* p_doc, std::ostream& os) const;
    // An index of the participants, then each participant's days with
    // only that participant's groups in them.
    void ExportHtmlByParticipant(const EventDoc* p_doc, std::ostream& os) const;

    // "TT_DAY_n" and "TT_PART_n" with the index plus one.
    static std::string GetDayAnchor(int i_day);
    static std::string GetPartAnchor(int i_participant);
    // The start of the first slot, and with a span of two or more slots or
    // b_full " to " and the end of the last; 24-hour or lower-case am/pm.
    static std::string GetTimeLabel(const Day::SlotDef& first, const Day::SlotDef& last, BOOL b_full,
                                    BOOL b_24Hour);
    // The slots from i_slot on that hold the same group (and, with
    // b_sameCombination, the same combination key) as slot i_slot.
    static int CountConsecutive(const TimeslotArray& a_slots, int i_slot, BOOL b_sameCombination = FALSE);

private:
    // One day's grid; with a participant key of 0 or more only the groups
    // that have the participant as a member are shown.
    void WriteDayTable(const EventDoc* p_doc, std::ostream& os, const Day& day, const std::string& s_corner,
                       LONG l_participantKey) const;
    void WriteGroupCell(const EventDoc* p_doc, std::ostream& os, LONG l_groupKey, int n_rows) const;

    std::vector<Day> Days;
    const VenueList* pVenues;
    CHighTime dtCreated;
    BOOL bValid = FALSE;
    HtmlOptions Html;
};
