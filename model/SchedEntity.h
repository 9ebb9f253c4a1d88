// What groups and participants have in common: things the timetable holds
// a number of times within limits. An entity has limits over the whole
// event and per day (or, instead of the event limits, a limit per venue),
// the times it is not available, and notes; it checks those limits against
// each other and against the days and timeslots where it is available.
//
// The checks work in unsigned 32-bit arithmetic, as the limits are stored:
// a product of a limit and a day count wraps rather than grows.
#pragma once

#include "framework/Types.h"
#include "model/SchedLim.h"
#include "model/TimeList.h"
#include "model/Venue.h"

#include <string>

class CArchive;
class Day;
class EventDoc;
class Timeslot;

// Texts of the entity checks.
enum : UINT {
    IDS_CHECK_EVENT_MAX_BELOW_MIN = 5024,
    IDS_CHECK_DAY_MAX_BELOW_MIN = 5025,
    IDS_CHECK_EXACT_NOT_DAY_EXACT = 5026,
    IDS_CHECK_MIN_ABOVE_DAY_MAX = 5027,
    IDS_CHECK_MAX_BELOW_DAY_MIN = 5028,
    IDS_CHECK_MIN_ABOVE_DAY_EXACT = 5029,
    IDS_CHECK_MAX_BELOW_DAY_EXACT = 5030,
    IDS_CHECK_EXACT_BELOW_DAY_MIN = 5031,
    IDS_CHECK_EXACT_ABOVE_DAY_MAX = 5032,
    IDS_CHECK_EVENT_MIN_SLOTS = 5033,
    IDS_CHECK_DAY_MIN_SLOTS = 5034,
    IDS_CHECK_VENUE_MAX_BELOW_MIN = 5039,
    IDS_CHECK_DAY_EXACT_BELOW_VENUE_MINS = 5041,
    IDS_CHECK_DAY_EXACT_ABOVE_VENUE_MAXS = 5042,
};

class SchedEntity {
public:
    // s_kindNoun names the kind in messages ("group", "participant").
    explicit SchedEntity(const std::string& s_kindNoun);
    // Copies everything, the kind noun too.
    SchedEntity(const SchedEntity& src) = default;
    SchedEntity(SchedEntity&& src) = default;
    // Copies the limits, times, notes, venue limits and flag; the kind
    // noun stays.
    SchedEntity& operator=(const SchedEntity& src);
    virtual ~SchedEntity() = default;

    // Limits, times, venue limits (element by element), flag and notes;
    // the kind noun is not compared.
    bool operator==(const SchedEntity& other) const;
    bool operator!=(const SchedEntity& other) const { return !(*this == other); }

    // Event limits, day limits, not-available times, notes, the flag and
    // the venue limits (the last two from file version 34).
    virtual void Serialize(CArchive& ar);
    // The event limits; while the venue limits are in use, a shared limit
    // of type none.
    virtual const SchedLim& GetEventLimits() const;
    // Whether the entity can be placed at all on the timetable day.
    virtual BOOL IsPlaceableOnDay(const EventDoc* p_doc, const Day& day) const = 0;
    // Whether the entity can be placed into the slot of the day.
    virtual BOOL IsAvailable(const EventDoc* p_doc, LONG l_dayId, const Timeslot& slot) const = 0;
    // The most timeslots the entity can use on the day.
    virtual int GetMaxAvailableSlots(const EventDoc* p_doc, const Day& day) const = 0;

    const std::string& GetKindNoun() const { return sKindNoun; }
    // The entity's own event limits, whatever the flag.
    SchedLim& GetStoredEventLimits() { return EventLimits; }
    const SchedLim& GetStoredEventLimits() const { return EventLimits; }
    void SetEventLimits(const SchedLim& limits) { EventLimits = limits; }
    SchedLim& GetDayLimits() { return DayLimits; }
    const SchedLim& GetDayLimits() const { return DayLimits; }
    void SetDayLimits(const SchedLim& limits) { DayLimits = limits; }
    TimeList& GetUnavailable() { return Unavailable; }
    const TimeList& GetUnavailable() const { return Unavailable; }
    const std::string& GetNotes() const { return sNotes; }
    void SetNotes(const std::string& s_notes) { sNotes = s_notes; }
    VenueLimitArray& GetVenueLimits() { return VenueLimits; }
    const VenueLimitArray& GetVenueLimits() const { return VenueLimits; }
    BOOL GetUseVenueLimits() const { return bUseVenueLimits; }
    void SetUseVenueLimits(BOOL b_use) { bUseVenueLimits = b_use; }

    // The event minimum (maximum): of the event limits, or with the venue
    // limits in use the sum over every venue limit.
    UINT GetEventMinLimit() const;
    UINT GetEventMaxLimit() const;
    // The venue's limit while the venue limits are in use; null otherwise
    // or when the venue has none.
    const VenueLimit* GetVenueLimit(LONG l_venueKey) const;
    // Clears the flag; every venue limit becomes of type none.
    void ClearVenueLimits();
    // "Venue=limit" for each venue limit of a venue the document has,
    // joined by ","; with b_blankZero limits without text are left out.
    std::string GetVenueLimitsText(const EventDoc* p_doc, BOOL b_blankZero) const;
    // Drops times of days, and venue limits of venues, the event no longer
    // has.
    void Revalidate(EventDoc* p_doc);

    // The limits against each other and, with b_days, against the days and
    // timeslots of the document's timetable; FALSE with the reason in
    // s_message at the first that does not hold.
    BOOL Check(const EventDoc* p_doc, std::string& s_message, BOOL b_days) const;
    // The days of the n given on which the entity can be placed.
    UINT CountAvailableDays(const EventDoc* p_doc, const Day* p_days, int n_days) const;
    // The sum over the n given days of the most slots the entity can use.
    UINT SumMaxAvailableSlots(const EventDoc* p_doc, const Day* p_days, int n_days) const;

protected:
    // The days the checks use: the document's timetable's, while the
    // event has venues, days and timeslots; else none.
    static const Day* GetCheckDays(const EventDoc* p_doc, int& n_days);

private:
    BOOL CheckEventLimits(const EventDoc* p_doc, const Day* p_days, int n_days, std::string& s_message,
                          BOOL b_days) const;
    BOOL CheckDayLimits(const EventDoc* p_doc, const Day* p_days, int n_days, std::string& s_message,
                        BOOL b_days) const;
    BOOL CheckEventAgainstDay(UINT n_available, std::string& s_message) const;
    BOOL CheckVenueLimits(const EventDoc* p_doc, UINT n_available, BOOL b_useDays, std::string& s_message) const;

    SchedLim EventLimits;
    SchedLim DayLimits;
    TimeList Unavailable;
    std::string sNotes;
    VenueLimitArray VenueLimits;
    BOOL bUseVenueLimits = 0;
    std::string sKindNoun;
};
